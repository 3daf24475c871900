// The control-panel dialogs: the mouse, date and time, display and taskbar properties
// and the control panel itself, recorded into the slots of the current question as a
// student sets them; the process-wide values that come back at the next opening.
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimeEdit>
#include <gtest/gtest.h>

#include "SimTestUtil.h"
#include "question/TQuestion.h"
#include "simulation/controlpanel/ufrmAddPrint.h"
#include "simulation/controlpanel/ufrmControlForm.h"
#include "simulation/controlpanel/ufrmMouseSet.h"
#include "simulation/controlpanel/ufrmTimeandDate.h"
#include "simulation/controlpanel/ufrmWindowsmenu.h"
#include "simulation/controlpanel/ufrmtoolbar.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/desktop/ufrmOperationMain.h"

using namespace simtest;

namespace {

// A click as the student gives it: on the widget where the window shows it now (the
// pending layout of a page that was just shown is done first).
void studentClick(QWidget* w)
{
    QApplication::processEvents();
    ASSERT_TRUE(w->isVisible()) << w->objectName().toStdString();
    // A check box or an option is clicked on its box, a button in its middle.
    const bool box = qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w);
    QTest::mouseClick(w, Qt::LeftButton, {}, box ? QPoint(7, w->height() / 2) : w->rect().center());
}

// The window of class T is gone (its deferred deletion has run).
template <class T> bool gone()
{
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return sim::Ref<T>().isNull();
}

} // namespace

namespace {

class ControlPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        q.OperationType = 26;
        sim::SetCurrentQuestion(&q);
        mouseset::RawValues() = QStringList(mouseset::ValueCount);
    }
    void TearDown() override
    {
        sim::CloseOperationWindows();
        delete sim::Ref<TfrmOperationMain>().data();
        sim::SetCurrentQuestion(nullptr);
        QLocale::setDefault(QLocale::c());
    }

    template <class T> T* open(bool stayOnTop = false)
    {
        sim::OpenOptions o;
        o.stayOnTop = stayOnTop;
        auto* w = qobject_cast<T*>(sim::OpenWindow(QString::fromLatin1(T::staticMetaObject.className()), o));
        EXPECT_TRUE(w);
        return w;
    }

    TfrmOperationMain* desktop()
    {
        auto* d = new TfrmOperationMain;
        d->SetOperation(26);
        d->show();
        return d;
    }

    QStringList mouseSlots() const
    {
        QStringList l;
        for (int i = 0; i < mouseset::ValueCount; ++i)
            l << q.OpAnswer(mouseset::Slots()[i]);
        return l;
    }

    TQuestion q;
};

// ---- mouse ---------------------------------------------------------------------------

TEST_F(ControlPanelTest, MouseOpenedAndCancelledSetsTheSixSlotsToZero)
{
    auto* w = open<TfrmMouseSet>();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("鼠标属性"));
    EXPECT_EQ(w->pgMouse->tabText(w->pgMouse->currentIndex()), QStringLiteral("指针"));
    EXPECT_FALSE(w->btApply->isEnabled());
    EXPECT_EQ(mouseSlots(), QStringList(6, QStringLiteral("0")));
    studentClick(w->btCancel);
    EXPECT_TRUE(gone<TfrmMouseSet>());
    EXPECT_EQ(mouseset::RawValues(), QStringList(6));
}

TEST_F(ControlPanelTest, MouseRecordsItsValuesOnOkAndShowsThemAgain)
{
    auto* w = open<TfrmMouseSet>();
    w->TrackBar1->setValue(7);
    EXPECT_TRUE(w->btApply->isEnabled());
    w->led_changci1->setCurrentIndex(18);
    EXPECT_TRUE(w->imgHand->isVisible());
    EXPECT_FALSE(w->imgPointer->isVisible());
    EXPECT_TRUE(w->imgSchemes[18]->isVisible());
    EXPECT_FALSE(w->imgSchemes[0]->isVisible());
    w->TrackBar2->setValue(2);
    w->pgMouse->setCurrentIndex(2);
    EXPECT_FALSE(w->TrackBar3->isEnabled());
    studentClick(w->ckTrail);
    EXPECT_TRUE(w->TrackBar3->isEnabled());
    w->TrackBar3->setValue(4);
    studentClick(w->ckHideTyping);
    studentClick(w->btOK);
    EXPECT_TRUE(gone<TfrmMouseSet>());
    EXPECT_EQ(mouseSlots(), (QStringList{"1", "18", "-1", "-1", "1", "0"}));
    EXPECT_EQ(mouseset::RawValues(), (QStringList{"7", "18", "2", "4", "-1", "0"}));

    // Reopened: the positions and the scheme come back, the preview is that of scheme 0.
    w = open<TfrmMouseSet>();
    EXPECT_EQ(w->TrackBar1->value(), 7);
    EXPECT_EQ(w->led_changci1->currentIndex(), 18);
    EXPECT_TRUE(w->imgSchemes[0]->isVisible());
    EXPECT_FALSE(w->imgSchemes[18]->isVisible());
    EXPECT_EQ(w->TrackBar2->value(), 2);
    EXPECT_TRUE(w->ckTrail->isChecked());
    EXPECT_TRUE(w->TrackBar3->isEnabled());
    EXPECT_EQ(w->TrackBar3->value(), 4);
    EXPECT_TRUE(w->ckHideTyping->isChecked());
    EXPECT_FALSE(w->ckShadow->isChecked());
    EXPECT_FALSE(w->btApply->isEnabled());
    EXPECT_EQ(mouseSlots(), (QStringList{"1", "18", "-1", "-1", "1", "0"}));
}

TEST_F(ControlPanelTest, MouseRawValuesComeBackOnlyWhileTheQuestionHoldsTheSlot)
{
    auto* w = open<TfrmMouseSet>();
    w->TrackBar1->setValue(9);
    studentClick(w->btApply);
    EXPECT_FALSE(w->btApply->isEnabled());
    EXPECT_EQ(q.OpAnswer(21), QStringLiteral("1"));
    w->close();

    // A new question: its slots are empty, so the dialog starts from its design state.
    TQuestion next;
    sim::SetCurrentQuestion(&next);
    w = open<TfrmMouseSet>();
    EXPECT_EQ(w->TrackBar1->value(), 5);
    EXPECT_EQ(next.OpAnswer(21), QStringLiteral("0"));
    w->close();
    sim::SetCurrentQuestion(&q);
}

TEST_F(ControlPanelTest, MouseClicksThatRecordAtOnce)
{
    struct Case {
        const char* name;
        int page;
        std::function<void(TfrmMouseSet*)> act;
    };
    const Case cases[] = {
        {"click lock", 0, [](TfrmMouseSet* w) { studentClick(w->ckClickLock); }},
        {"precision", 2, [](TfrmMouseSet* w) { studentClick(w->ckPrecision); }},
        {"ctrl shows pointer", 2, [](TfrmMouseSet* w) { studentClick(w->ckCtrlShow); }},
        {"wheel lines", 3, [](TfrmMouseSet* w) { w->seWheel->setValue(5); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        q.SetOpAnswer(28, {});
        auto* w = open<TfrmMouseSet>();
        studentClick(w->ckShadow);
        EXPECT_TRUE(w->btApply->isEnabled());
        w->pgMouse->setCurrentIndex(c.page);
        c.act(w);
        EXPECT_EQ(q.OpAnswer(28), QStringLiteral("1"));
        EXPECT_FALSE(w->btApply->isEnabled());
        // The close box records nothing more.
        w->pgMouse->setCurrentIndex(1);
        studentClick(w->ckShadow);
        w->close();
        EXPECT_EQ(q.OpAnswer(28), QStringLiteral("1"));
    }
}

TEST(MouseValues, PositionTexts)
{
    EXPECT_EQ(mouseset::PositionText(0, 5), QStringLiteral("-1"));
    EXPECT_EQ(mouseset::PositionText(4, 5), QStringLiteral("-1"));
    EXPECT_EQ(mouseset::PositionText(5, 5), QStringLiteral("0"));
    EXPECT_EQ(mouseset::PositionText(6, 5), QStringLiteral("1"));
    EXPECT_EQ(mouseset::SchemeNames().size(), 20);
    EXPECT_EQ(mouseset::SchemeNames()[18], QStringLiteral("手势  2 （系统方案）"));
}

// ---- date and time ---------------------------------------------------------------------

TEST_F(ControlPanelTest, DateAndTimeRecordTheFixedFormAndSetTheDesktopClock)
{
    TfrmOperationMain* d = desktop();
    auto* w = open<TfrmTimeandDate>(true);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("日期和时间 属性"));
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(w->btApply->isEnabled());
    // Today is shown when the slot is empty.
    EXPECT_EQ(w->calDate->selectedDate(), QDate::currentDate());
    EXPECT_EQ(w->seYear->value(), QDate::currentDate().year());
    EXPECT_EQ(w->cbxMonth->currentIndex(), QDate::currentDate().month() - 1);

    w->seYear->setValue(2012);
    w->cbxMonth->setCurrentIndex(2);
    w->calDate->setSelectedDate(QDate(2012, 3, 5));
    w->dtpTime->setTime(QTime(19, 9, 0));
    EXPECT_TRUE(w->btApply->isEnabled());
    studentClick(w->btOK);
    EXPECT_TRUE(gone<TfrmTimeandDate>());
    EXPECT_EQ(q.OpAnswer(1), QStringLiteral("2012-03-05 19:09:00"));
    EXPECT_EQ(d->lbTime->text(), QStringLiteral("19:09"));

    // Reopened under a locale with other digits and date order: the same values.
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
    w = open<TfrmTimeandDate>(true);
    EXPECT_EQ(w->calDate->selectedDate(), QDate(2012, 3, 5));
    EXPECT_EQ(w->seYear->value(), 2012);
    EXPECT_EQ(w->cbxMonth->currentIndex(), 2);
    EXPECT_EQ(w->dtpTime->time(), QTime(19, 9, 0));
    w->dtpTime->setTime(QTime(8, 30, 15));
    studentClick(w->btApply);
    EXPECT_EQ(q.OpAnswer(1), QStringLiteral("2012-03-05 08:30:15"));
    EXPECT_EQ(timedate::DateText(), QStringLiteral("2012-03-05"));
    EXPECT_EQ(timedate::TimeText(), QStringLiteral("08:30:15"));
}

TEST_F(ControlPanelTest, DateAndTimeRecordOnEveryClose)
{
    q.SetOpAnswer(1, QStringLiteral("2010-06-15 10:00:00"));
    auto* w = open<TfrmTimeandDate>(true);
    w->calDate->setSelectedDate(QDate(2010, 6, 20));
    studentClick(w->btCancel);
    EXPECT_EQ(q.OpAnswer(1), QStringLiteral("2010-06-20 10:00:00"));

    w = open<TfrmTimeandDate>(true);
    w->calDate->setSelectedDate(QDate(2010, 6, 21));
    w->close(); // the close box
    EXPECT_EQ(q.OpAnswer(1), QStringLiteral("2010-06-21 10:00:00"));
}

TEST_F(ControlPanelTest, MonthOrYearChangeOntoAMissingDayTakesTheLastDayOfTheMonth)
{
    struct Case {
        const char* name;
        QDate from;
        int year, monthIndex;
        QDate expected;
    };
    const Case cases[] = {
        {"31 January to February of a leap year", QDate(2012, 1, 31), 2012, 1, QDate(2012, 2, 29)},
        {"31 January to February", QDate(2011, 1, 31), 2011, 1, QDate(2011, 2, 28)},
        {"31 March to April", QDate(2011, 3, 31), 2011, 3, QDate(2011, 4, 30)},
        {"29 February to a common year", QDate(2012, 2, 29), 2013, 1, QDate(2013, 2, 28)},
        {"a day every month has", QDate(2012, 1, 15), 2012, 1, QDate(2012, 2, 15)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        q.SetOpAnswer(1, c.from.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 12:00:00"));
        auto* w = open<TfrmTimeandDate>(true);
        if (c.year != c.from.year())
            w->seYear->setValue(c.year);
        if (c.monthIndex != c.from.month() - 1)
            w->cbxMonth->setCurrentIndex(c.monthIndex);
        EXPECT_EQ(w->calDate->selectedDate(), c.expected);
        studentClick(w->btOK);
        EXPECT_EQ(q.OpAnswer(1),
                  c.expected.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 12:00:00"));
    }
}

// ---- display -----------------------------------------------------------------------------

TEST_F(ControlPanelTest, DisplayRecordsTheBackgroundOnClickAndTheRestOnOk)
{
    auto* w = open<TfrmWindowsmenu>(true);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("显示  属性"));
    EXPECT_EQ(w->btOK->text(), QStringLiteral("  确定"));
    EXPECT_EQ(w->lvBackground->count(), 4);
    w->pgDisplay->setCurrentIndex(1);
    QListWidgetItem* pic2 = w->lvBackground->item(1);
    ASSERT_EQ(pic2->text(), QStringLiteral("Pic2"));
    QApplication::processEvents();
    QTest::mouseClick(w->lvBackground->viewport(), Qt::LeftButton, {},
                      w->lvBackground->visualItemRect(pic2).center());
    EXPECT_EQ(q.OpAnswer(4), QStringLiteral("Pic2"));
    EXPECT_TRUE(w->btApply->isEnabled());
    EXPECT_TRUE(q.OpAnswer(2).isEmpty());

    w->cbx_position->setCurrentIndex(2);
    w->pgDisplay->setCurrentIndex(2);
    w->cbx_ptpro->setCurrentText(QStringLiteral("三维文字"));
    w->txtHistoryDay->setValue(5);
    studentClick(w->btOK);
    EXPECT_TRUE(gone<TfrmWindowsmenu>());
    EXPECT_EQ(q.OpAnswer(2), QStringLiteral("三维文字"));
    EXPECT_EQ(q.OpAnswer(3), QStringLiteral("5"));
    EXPECT_EQ(q.OpAnswer(4), QStringLiteral("Pic2"));
    EXPECT_EQ(q.OpAnswer(5), QStringLiteral("拉伸"));

    // Reopened: everything selected again; a close without changes records the same.
    w = open<TfrmWindowsmenu>(true);
    EXPECT_EQ(w->cbx_ptpro->currentText(), QStringLiteral("三维文字"));
    EXPECT_EQ(w->txtHistoryDay->value(), 5);
    ASSERT_EQ(w->lvBackground->selectedItems().size(), 1);
    EXPECT_EQ(w->lvBackground->selectedItems().first()->text(), QStringLiteral("Pic2"));
    EXPECT_EQ(w->cbx_position->currentText(), QStringLiteral("拉伸"));
    w->close();
    EXPECT_EQ(q.OpAnswer(4), QStringLiteral("Pic2"));
}

TEST_F(ControlPanelTest, DisplayWithoutBackgroundRecordsEmptyAndUnknownSlotsSelectNothing)
{
    q.SetOpAnswer(2, QStringLiteral("不存在"));
    q.SetOpAnswer(5, QStringLiteral("不存在"));
    auto* w = open<TfrmWindowsmenu>(true);
    EXPECT_EQ(w->cbx_ptpro->currentText(), QStringLiteral("(无)"));
    EXPECT_EQ(w->cbx_position->currentText(), QStringLiteral("居中"));
    studentClick(w->btCancel);
    EXPECT_EQ(q.OpAnswer(2), QStringLiteral("(无)"));
    EXPECT_EQ(q.OpAnswer(3), QStringLiteral("10"));
    EXPECT_EQ(q.OpAnswer(4), QString());
    EXPECT_EQ(q.OpAnswer(5), QStringLiteral("居中"));
}

// ---- taskbar -------------------------------------------------------------------------------

TEST_F(ControlPanelTest, TaskbarRecordsOnlyTheActivePage)
{
    TfrmOperationMain* d = desktop();
    auto* w = open<Tfrmtoolbar>(true);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("任务栏和「开始」菜单属性"));
    EXPECT_EQ(w->pgToolbar->currentWidget(), w->tsTaskbar);
    studentClick(w->ck_hideToolbar);
    w->pgToolbar->setCurrentWidget(w->tsStartMenu);
    studentClick(w->rbClassicMenu);
    EXPECT_TRUE(w->imgClassicMenu->isVisible());
    EXPECT_FALSE(w->imgStartMenu->isVisible());
    EXPECT_TRUE(w->btCustomClassic->isEnabled());
    EXPECT_FALSE(w->btCustomStart->isEnabled());
    studentClick(w->btOK);
    EXPECT_EQ(q.OpAnswer(13), QStringLiteral("2"));
    EXPECT_TRUE(q.OpAnswer(0).isEmpty());
    EXPECT_TRUE(d->Panel2->isVisible());

    w = open<Tfrmtoolbar>(true);
    EXPECT_TRUE(w->rbClassicMenu->isChecked());
    EXPECT_FALSE(w->ck_hideToolbar->isChecked());
    studentClick(w->ck_hideToolbar);
    studentClick(w->btApply);
    EXPECT_FALSE(w->btApply->isEnabled());
    EXPECT_EQ(q.OpAnswer(0), QStringLiteral("隐藏"));
    EXPECT_FALSE(d->Panel2->isVisible());
    studentClick(w->ck_hideToolbar);
    studentClick(w->btCancel); // records nothing
    EXPECT_EQ(q.OpAnswer(0), QStringLiteral("隐藏"));

    w = open<Tfrmtoolbar>(true);
    EXPECT_TRUE(w->ck_hideToolbar->isChecked());
    studentClick(w->ck_hideToolbar);
    studentClick(w->btOK);
    EXPECT_EQ(q.OpAnswer(0), QStringLiteral("显示"));
    EXPECT_TRUE(d->Panel2->isVisible());
    EXPECT_EQ(q.OpAnswer(13), QStringLiteral("2"));
}

// ---- control panel -------------------------------------------------------------------------

TEST_F(ControlPanelTest, ControlPanelSwitchesViewsAndOpensMouseAndPrinters)
{
    auto* w = open<TfrmControlForm>();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("控制面板"));
    EXPECT_EQ(w->size(), QSize(1030, 723));
    EXPECT_TRUE(w->pnl2->isVisible());
    EXPECT_FALSE(w->pnl1->isVisible());
    EXPECT_EQ(w->Label2->geometry(), QRect(8, 104, 193, 41));
    EXPECT_EQ(w->Label3->geometry(), QRect(848, 308, 137, 60));
    EXPECT_EQ(w->Label4->geometry(), QRect(832, 134, 185, 73));
    EXPECT_EQ(w->Label1->geometry(), QRect(8, 128, 201, 49));
    EXPECT_EQ(w->Label3->toolTip(),
              QStringLiteral("自定义鼠标设置，例如按钮设置，双击速度，鼠标指针和移动速度。"));

    studentClick(w->Label2);
    EXPECT_TRUE(w->pnl1->isVisible());
    EXPECT_FALSE(w->pnl2->isVisible());
    studentClick(w->Label1);
    EXPECT_TRUE(w->pnl2->isVisible());

    QTest::mouseDClick(w->Label3, Qt::LeftButton);
    ASSERT_TRUE(sim::Ref<TfrmMouseSet>());
    EXPECT_TRUE(sim::Ref<TfrmMouseSet>()->isVisible());

    // The printers icon: the printers window while no printer was added, then the
    // control panel closes.
    QPointer<TfrmControlForm> guard(w);
    QTest::mouseDClick(w->Label4, Qt::LeftButton);
    ASSERT_TRUE(sim::Ref<TfrmAddPrint>());
    EXPECT_TRUE(sim::Ref<TfrmAddPrint>()->isVisible());
    EXPECT_TRUE(gone<TfrmRegPrintOK>());
    EXPECT_TRUE(!guard || !guard->isVisible());

    sim::DestroyWindow(QStringLiteral("TfrmAddPrint"));
    q.SetOpAnswer(26, QStringLiteral("1"));
    w = open<TfrmControlForm>();
    QTest::mouseDClick(w->Label4, Qt::LeftButton);
    EXPECT_TRUE(gone<TfrmAddPrint>());
    ASSERT_TRUE(sim::Ref<TfrmRegPrintOK>());
    EXPECT_EQ(sim::Ref<TfrmRegPrintOK>()->windowTitle(), QStringLiteral("打印机和传真"));
}

// ---- all dialogs -----------------------------------------------------------------------------

// Return and Escape neither close a dialog nor press one of its buttons.
TEST_F(ControlPanelTest, ReturnAndEscapeDoNotCloseTheDialogs)
{
    const char* classes[] = {"TfrmMouseSet",    "TfrmTimeandDate",    "TfrmWindowsmenu", "Tfrmtoolbar",
                             "TfrmControlForm", "TfrmSystemProperty", "TfrmSystemInfo",  "TfrmAddPrint",
                             "TfrmNewRegPrint", "TfrmRegPrint4",      "TfrmRegPrint5",   "Tfrm360safe1",
                             "Tfrm360sd1"};
    TfrmOperationMain* d = desktop();
    for (const char* name : classes) {
        SCOPED_TRACE(name);
        const QString before = q.OpAnswers().join(QLatin1Char('|'));
        QWidget* w = sim::OpenWindow(QString::fromLatin1(name));
        ASSERT_TRUE(w);
        const QString opened = q.OpAnswers().join(QLatin1Char('|'));
        for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QWidget* target = w->focusWidget() ? w->focusWidget() : w;
            QTest::keyClick(target, Qt::Key(key));
            QTest::keyClick(w, Qt::Key(key));
        }
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(q.OpAnswers().join(QLatin1Char('|')), opened) << before.toStdString();
        EXPECT_TRUE(d->isVisible());
        sim::DestroyWindow(QString::fromLatin1(name));
    }
}

// The desktop's menus and clock open the windows of this family, stay-on-top where the
// desktop says so.
TEST_F(ControlPanelTest, DesktopActionsOpenTheirWindows)
{
    TfrmOperationMain* d = desktop();
    struct Case {
        const char* name;
        std::function<void()> act;
        const char* cls;
        bool stayOnTop;
    };
    auto menu = [](QMenu* m, QStringList path) {
        return [m, path] { TfrmOperationMain::FindAction(m, path)->trigger(); };
    };
    const Case cases[] = {
        {"Start 控制面板", menu(d->PpStartMenu, {"设置(&S)", "控制面板(&C)"}), "TfrmControlForm", false},
        {"desktop 属性", menu(d->PPMainR, {"属性(&R)"}), "TfrmWindowsmenu", true},
        {"taskbar 属性", menu(d->PP_Toolbar, {"属性(&R)"}), "Tfrmtoolbar", true},
        {"clock menu 调整日期/时间", menu(d->PPTime, {"调整日期/时间(&A)"}), "TfrmTimeandDate", true},
        {"clock menu 属性", menu(d->PPTime, {"属性(&R)"}), "TfrmTimeandDate", true},
        {"clock double-click", [d] { QTest::mouseDClick(d->lbTime, Qt::LeftButton); }, "TfrmTimeandDate",
         true},
        {"我的电脑 属性", menu(d->ppMyCompter, {"属性(&R)"}), "TfrmSystemProperty", false},
        {"Start 系统信息", menu(d->PpStartMenu, {"程序(&P)", "附件", "系统工具", "系统信息"}),
         "TfrmSystemInfo", false},
        {"Start 360安全卫士", menu(d->PpStartMenu, {"程序(&P)", "360安全中心", "360安全卫士"}),
         "Tfrm360safe1", false},
        {"Start 360杀毒", menu(d->PpStartMenu, {"程序(&P)", "360安全中心", "360杀毒"}), "Tfrm360sd1", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.act();
        QWidget* w = sim::CurrentWindow(QString::fromLatin1(c.cls));
        ASSERT_TRUE(w);
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(bool(w->windowFlags() & Qt::WindowStaysOnTopHint), c.stayOnTop);
        // While it is shown the desktop cannot be left.
        d->tmrRefreshTimer();
        EXPECT_FALSE(d->btClose->isEnabled());
        sim::DestroyWindow(QString::fromLatin1(c.cls));
        d->tmrRefreshTimer();
        EXPECT_TRUE(d->btClose->isEnabled());
    }
}

// Every window that the desktop's lists name exists, except the plain TfrmRegPrint
// that no opener reaches.
TEST_F(ControlPanelTest, EveryListedWindowClassIsRegistered)
{
    QStringList missing;
    QStringList names{"Tfrmtoolbar",     "TfrmTimeandDate", "TfrmWindowsmenu",     "TfrmSystemProperty",
                      "TfrmSystemInfo",  "TfrmControlForm", "TfrmMouseSet",        "TfrmAddPrint",
                      "TfrmNewRegPrint", "TfrmRegPrintOK",  "TfrmRegPrintSuccess", "TfrmManagementConsole"};
    for (int i = 2; i <= 6; ++i)
        names << QStringLiteral("TfrmRegPrint%1").arg(i);
    for (int i = 1; i <= 7; ++i)
        names << QStringLiteral("Tfrm360safe%1").arg(i);
    for (int i = 1; i <= 3; ++i)
        names << QStringLiteral("Tfrm360sd%1").arg(i);
    for (const QString& n : names)
        if (!sim::IsRegistered(n))
            missing << n;
    EXPECT_EQ(missing, QStringList());
}

} // namespace
