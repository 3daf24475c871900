#include "simulation/controlpanel/ufrmTimeandDate.h"

#include <QCalendarWidget>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "simulation/controlpanel/CpArt.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/desktop/ufrmOperationMain.h"

SIM_REGISTER_WINDOW(TfrmTimeandDate)

namespace timedate {

QString& DateText()
{
    static QString text;
    return text;
}

QString& TimeText()
{
    static QString text;
    return text;
}

QDate MoveToMonth(const QDate& date, int year, int month)
{
    const QDate first(year, month, 1);
    if (!first.isValid())
        return date;
    return QDate(year, month, qMin(date.day(), first.daysInMonth()));
}

} // namespace timedate

namespace {

QPushButton* button(const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

QWidget* picturePage(const QPixmap& picture, const QString& text)
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* img = new QLabel;
    img->setPixmap(picture);
    img->setAlignment(Qt::AlignCenter);
    v->addWidget(img, 1);
    auto* l = new QLabel(text);
    l->setWordWrap(true);
    v->addWidget(l);
    return page;
}

} // namespace

TfrmTimeandDate::TfrmTimeandDate(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmTimeandDate"));
    setWindowTitle(QStringLiteral("日期和时间 属性"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(sim::SongFont(12));
    setFixedSize(400, 300);

    // Creation: the strings come from slot 1, else from the clock.
    const QString stored = sim::Slot(1);
    if (!stored.isEmpty()) {
        timedate::DateText() = stored.section(QLatin1Char(' '), 0, 0);
        timedate::TimeText() = stored.section(QLatin1Char(' '), 1, 1);
    } else {
        const QDateTime now = QDateTime::currentDateTime();
        timedate::DateText() = now.date().toString(QLatin1String(timedate::kDateForm));
        timedate::TimeText() = now.time().toString(QLatin1String(timedate::kTimeForm));
    }

    pgTime = new QTabWidget;
    pgTime->setObjectName(QStringLiteral("pgTime"));
    pgTime->addTab(buildDatePage(), QStringLiteral("时间和日期"));
    pgTime->addTab(
        picturePage(cpart::TimeZoneMap(), QStringLiteral("(GMT+08:00) 北京，重庆，香港特别行政区，乌鲁木齐")),
        QStringLiteral("时区"));
    pgTime->addTab(
        picturePage(cpart::ClockFace(),
                    QStringLiteral("自动与 Internet 时间服务器同步(&S)\n服务器(&E): time.windows.com")),
        QStringLiteral("Internet 时间"));

    btOK = button("btOK", QStringLiteral("确定"));
    btCancel = button("btCancel", QStringLiteral("取消"));
    btApply = button("btApply", QStringLiteral("应用(&A)"));
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(btOK);
    row->addWidget(btCancel);
    row->addWidget(btApply);

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(6, 6, 6, 6);
    v->addWidget(pgTime, 1);
    v->addLayout(row);

    connect(btOK, &QPushButton::clicked, this, &TfrmTimeandDate::btOKClick);
    connect(btCancel, &QPushButton::clicked, this, &QWidget::close);
    connect(btApply, &QPushButton::clicked, this, &TfrmTimeandDate::btApplyClick);
    connect(cbxMonth, &QComboBox::currentIndexChanged, this, &TfrmTimeandDate::cbxMonthChange);
    connect(seYear, &QSpinBox::valueChanged, this, &TfrmTimeandDate::seYearChange);
    connect(calDate, &QCalendarWidget::selectionChanged, this, [this] { btApply->setEnabled(true); });
    connect(dtpTime, &QTimeEdit::timeChanged, this, [this] { btApply->setEnabled(true); });
}

QWidget* TfrmTimeandDate::buildDatePage()
{
    auto* page = new QWidget;
    auto* h = new QHBoxLayout(page);
    auto* dateGroup = new QGroupBox(QStringLiteral("日期(&D)"));
    auto* dg = new QGridLayout(dateGroup);
    cbxMonth = new QComboBox;
    cbxMonth->setObjectName(QStringLiteral("cbxMonth"));
    cbxMonth->addItems({QStringLiteral("一月"), QStringLiteral("二月"), QStringLiteral("三月"),
                        QStringLiteral("四月"), QStringLiteral("五月"), QStringLiteral("六月"),
                        QStringLiteral("七月"), QStringLiteral("八月"), QStringLiteral("九月"),
                        QStringLiteral("十月"), QStringLiteral("十一月"), QStringLiteral("十二月")});
    seYear = new QSpinBox;
    seYear->setObjectName(QStringLiteral("seYear"));
    seYear->setRange(1900, 2999);
    calDate = new QCalendarWidget;
    calDate->setObjectName(QStringLiteral("calDate"));
    calDate->setNavigationBarVisible(false);
    calDate->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calDate->setFirstDayOfWeek(Qt::Sunday);
    calDate->setLocale(QLocale(QLocale::Chinese, QLocale::China));
    calDate->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    calDate->setDateRange(QDate(1900, 1, 1), QDate(2999, 12, 31));
    dg->addWidget(cbxMonth, 0, 0);
    dg->addWidget(seYear, 0, 1);
    dg->addWidget(calDate, 1, 0, 1, 2);
    h->addWidget(dateGroup, 3);

    auto* timeGroup = new QGroupBox(QStringLiteral("时间(&T)"));
    auto* tv = new QVBoxLayout(timeGroup);
    auto* clock = new QLabel;
    clock->setPixmap(cpart::ClockFace().scaled(110, 110, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    clock->setAlignment(Qt::AlignCenter);
    tv->addWidget(clock, 1);
    dtpTime = new QTimeEdit;
    dtpTime->setObjectName(QStringLiteral("dtpTime"));
    dtpTime->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    tv->addWidget(dtpTime);
    h->addWidget(timeGroup, 2);

    auto* outer = new QWidget;
    auto* ov = new QVBoxLayout(outer);
    ov->setContentsMargins(0, 0, 0, 0);
    ov->addWidget(page, 1);
    ov->addWidget(new QLabel(QStringLiteral("当前时区: 中国标准时间")));
    return outer;
}

void TfrmTimeandDate::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TfrmTimeandDate::setCalendar(const QDate& date)
{
    if (date.isValid())
        calDate->setSelectedDate(date);
}

void TfrmTimeandDate::FormShow()
{
    m_showing = true;
    const QDate date = QDate::fromString(timedate::DateText(), QLatin1String(timedate::kDateForm));
    setCalendar(date);
    const QStringList parts = timedate::DateText().split(QLatin1Char('-'));
    seYear->setValue(parts.value(0).toInt());
    const int month = parts.value(1).toInt();
    if (month >= 1 && month <= 12)
        cbxMonth->setCurrentIndex(month - 1);
    const QTime time = QTime::fromString(timedate::TimeText(), QLatin1String(timedate::kTimeForm));
    if (time.isValid())
        dtpTime->setTime(time);
    m_showing = false;
    btApply->setEnabled(false);
}

void TfrmTimeandDate::cbxMonthChange(int index)
{
    if (m_showing || index < 0)
        return;
    const QDate d = calDate->selectedDate();
    setCalendar(timedate::MoveToMonth(d, d.year(), index + 1));
    btApply->setEnabled(true);
}

void TfrmTimeandDate::seYearChange(int year)
{
    if (m_showing)
        return;
    const QDate d = calDate->selectedDate();
    setCalendar(timedate::MoveToMonth(d, year, d.month()));
    btApply->setEnabled(true);
}

void TfrmTimeandDate::RecordDateTime()
{
    timedate::DateText() = calDate->selectedDate().toString(QLatin1String(timedate::kDateForm));
    timedate::TimeText() = dtpTime->time().toString(QLatin1String(timedate::kTimeForm));
    sim::SetSlot(1, timedate::DateText() + QLatin1Char(' ') + timedate::TimeText());
    if (TfrmOperationMain* desk = sim::Ref<TfrmOperationMain>().data()) {
        desk->SetClockText(dtpTime->time().toString(QStringLiteral("HH:mm")));
        desk->lbTime->repaint();
    }
}

void TfrmTimeandDate::btOKClick() { close(); } // the close records

void TfrmTimeandDate::btApplyClick()
{
    RecordDateTime();
    btApply->setEnabled(false);
}

void TfrmTimeandDate::closeEvent(QCloseEvent* e)
{
    RecordDateTime();
    QWidget::closeEvent(e);
}
