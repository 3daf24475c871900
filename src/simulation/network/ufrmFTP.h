#pragma once
// "FTP操作题": an Explorer window with an address bar. Typing the FTP server's
// address shows the question's download folder on the exercise drive, where the
// student copies files from (download) or pastes files into (upload); every "转到"
// records "True" or "False" as an FTP question's answer text (the last one counts).
// The list stays inside the download folder once it was shown, and on the exercise
// drive before. Every double-click on the desktop icon opens one more window.
#include <QWidget>

class QLineEdit;
class QMenu;
class QPushButton;
class TShellListView;

class TfrmFTP : public QWidget {
    Q_OBJECT
public:
    explicit TfrmFTP(QWidget* parent = nullptr);

    static const QString ServerAddress; // "ftp://192.168.0.1"
    static bool IsServerAddress(const QString& text);
    // The download folder of the current question on the drive, e.g. Y:\1234\DownLoad;
    // "" without a drive or question.
    static QString DownloadFolderOf(const QString& driveLetter);

    QString DownloadFolder() const { return m_downloadFolder; }

    QLineEdit* txtAddress = nullptr;
    QPushButton* btGoTo = nullptr;
    TShellListView* RzShellList1 = nullptr;
    QMenu* ppWindows = nullptr;
    QWidget* btBack = nullptr;
    QWidget* btUp = nullptr;

    void btGoToClick();
    void RzShellList1FolderChanged();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    QString m_downloadFolder;
    bool m_keeping = false;
};
