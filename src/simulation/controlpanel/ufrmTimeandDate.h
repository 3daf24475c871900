#pragma once
// The simulated "日期和时间 属性" dialog: the date and time the student sets are
// recorded in slot 1 as "YYYY-MM-DD HH:MM:SS" on OK, Apply and every close, and the
// desktop's clock follows the picked time.
#include <QDate>
#include <QString>
#include <QWidget>

class QCalendarWidget;
class QComboBox;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTimeEdit;

namespace timedate {

// The date and the time string that the next opening shows (process-wide).
QString& DateText();
QString& TimeText();

// The fixed forms of slot 1, independent of the machine's locale.
inline constexpr const char* kDateForm = "yyyy-MM-dd";
inline constexpr const char* kTimeForm = "HH:mm:ss";

// `date` moved to `year` and `month` (1..12), its day clamped to the last day of that
// month (31 January to February gives 28 or 29 February).
QDate MoveToMonth(const QDate& date, int year, int month);

} // namespace timedate

class TfrmTimeandDate : public QWidget {
    Q_OBJECT
public:
    explicit TfrmTimeandDate(QWidget* parent = nullptr);

    QTabWidget* pgTime = nullptr;
    QComboBox* cbxMonth = nullptr;
    QSpinBox* seYear = nullptr;
    QCalendarWidget* calDate = nullptr;
    QTimeEdit* dtpTime = nullptr;
    QPushButton* btOK = nullptr;
    QPushButton* btCancel = nullptr;
    QPushButton* btApply = nullptr;

    void FormShow();
    void cbxMonthChange(int index);
    void seYearChange(int year);
    void RecordDateTime();
    void btOKClick();
    void btApplyClick();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    QWidget* buildDatePage();
    void setCalendar(const QDate& date);
    bool m_showing = false;
};
