#pragma once
// The simulated "Internet 属性" dialog of the browser-settings questions. All its
// settings live in one numbered table (IESettings) that the dialog and its three
// sub-dialogs (LAN settings, trusted sites, restricted sites) read and write; the
// whole table is recorded as one comma-delimited text of 66 values in the current
// question's answer text.
#include <QDialog>
#include <QMap>
#include <QString>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QKeyEvent;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;

// The numbered settings (number -> value as text). Number 7 is never used.
QMap<int, QString>& IESettings();

namespace ieset {

// One entry of the Advanced list: its position, the setting it records (0 for a
// heading, 44 for the three underline choices) and its default ("1", "0" or "").
struct AdvancedItem {
    int item;
    int setting;
    const char* defaultValue;
    const char* caption;
};
// The 67 entries in list order.
const AdvancedItem* AdvancedItems();
constexpr int AdvancedCount = 67;
// The item that records `setting` (not 44); -1 when none.
int ItemOfSetting(int setting);

// The default of every setting (1 to 6, 8 to 67).
QMap<int, QString> DefaultSettings();
// The answer text of a settings table: settings 1-6 and 8-67, comma-delimited.
QString BuildAnswerText(const QMap<int, QString>& settings);

// The level texts of the security slider, positions 0 (top) to 3 (bottom).
QString LevelOfPosition(int position);
int PositionOfLevel(const QString& level); // -1 for an unknown text

// The address that "使用默认页(&D)" puts into the home page edit.
QString DefaultHomePage();

} // namespace ieset

class TfrmIESet : public QDialog {
    Q_OBJECT
public:
    explicit TfrmIESet(QWidget* parent = nullptr);
    ~TfrmIESet() override;

    void LoadIESettings();
    void SaveIESettings();
    void ApplyAdvancedChecks();

    bool TrustedZoneSelected = true;

    QTabWidget* pgIE = nullptr;
    QLineEdit* txtAddDefault = nullptr;
    QPushButton* btCurrently = nullptr;
    QPushButton* btDefault = nullptr;
    QPushButton* btBlank = nullptr;
    QPushButton* btDelCookies = nullptr;
    QPushButton* btDelFolder = nullptr;
    QSpinBox* txtHistoryDay = nullptr;
    QPushButton* Button10 = nullptr;
    QLabel* imgZones = nullptr;
    QLabel* lblSafe = nullptr;
    QLabel* lblUnSafeIE = nullptr;
    QLabel* lblZoneName = nullptr;
    QPushButton* btSetWeb = nullptr;
    QSlider* TrackBar1 = nullptr;
    QLabel* lblStep = nullptr;
    QSlider* TrackBar2 = nullptr;
    QPushButton* btLanSet = nullptr;
    QListWidget* ckHighSet = nullptr;
    QPushButton* btOK = nullptr;
    QPushButton* btClose = nullptr;
    QPushButton* Button3 = nullptr;

    // Event handlers.
    void txtAddDefaultChange();
    void btBlankClick();
    void btDefaultClick();
    void btCurrentlyClick();
    void txtHistoryDayChange();
    void TrackBar1Change();
    void lblSafeClick();
    void lblUnSafeIEClick();
    void btSetWebClick();
    void btLanSetClick();
    void pgIEChange();
    void Button3Click();
    void btOKClick();
    void btCloseClick();
    void ckHighSetClickCheck(int index);

protected:
    // Escape does not close the dialog (only its buttons and the title bar do).
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    QWidget* buildGeneralPage();
    QWidget* buildSecurityPage();
    QWidget* buildPrivacyPage();
    QWidget* buildContentPage();
    QWidget* buildConnectionPage();
    QWidget* buildProgramsPage();
    QWidget* buildAdvancedPage();
    void setChecked(int index, bool checked);
    bool isChecked(int index) const;

    bool m_programChange = false;
};
