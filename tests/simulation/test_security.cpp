// The two security-suite programs started from the desktop's Start menu: the
// self-advancing scan screens (with a short interval), the slots 20 and 27, the
// remembered screens behind the taskbar buttons, and a closed screen that stays closed.
#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "SimTestUtil.h"
#include "question/TQuestion.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/desktop/ufrmOperationMain.h"
#include "simulation/security/ufrm360safe.h"

using namespace simtest;

namespace {

constexpr int kInterval = 30;

class SecurityTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        secsuite::SetScanInterval(kInterval);
        q.OperationType = 26;
        sim::SetCurrentQuestion(&q);
        d = new TfrmOperationMain;
        d->SetOperation(26);
        d->show();
    }
    void TearDown() override
    {
        sim::CloseOperationWindows();
        delete d.data();
        sim::SetCurrentQuestion(nullptr);
        secsuite::SetScanInterval(5000);
    }

    void start(const char* program)
    {
        TfrmOperationMain::FindAction(d->PpStartMenu, {"程序(&P)", "360安全中心", program})->trigger();
    }

    template <class T> static bool shown() { return sim::Ref<T>() && sim::Ref<T>()->isVisible(); }

    template <class T> static bool waitShown()
    {
        return QTest::qWaitFor([] { return shown<T>(); }, 2000);
    }

    static void click(QWidget* spot) { QTest::mouseClick(spot, Qt::LeftButton); }

    TQuestion q;
    QPointer<TfrmOperationMain> d;
};

TEST_F(SecurityTest, SystemCheckRunsThroughItsScreensToSlot20)
{
    start("360安全卫士");
    ASSERT_TRUE(shown<Tfrm360safe1>());
    EXPECT_EQ(q.OpAnswer(20), QStringLiteral("0"));
    EXPECT_TRUE(d->btn1->isVisible());
    EXPECT_EQ(d->btn1->x(), 64);
    EXPECT_EQ(secsuite::RememberedSafe(), sim::Ref<Tfrm360safe1>().data());
    // Screen 1 made the screens 2 to 7 without showing them.
    EXPECT_TRUE(sim::Ref<Tfrm360safe2>() && sim::Ref<Tfrm360safe7>());
    EXPECT_FALSE(shown<Tfrm360safe7>());
    Tfrm360safe1* first = sim::Ref<Tfrm360safe1>();
    EXPECT_EQ(first->lblStart->geometry(), QRect(208, 304, 297, 121));
    EXPECT_EQ(first->lblClose->geometry(), QRect(864, 0, 33, 25));

    click(first->lblStart);
    EXPECT_FALSE(first->isVisible());
    EXPECT_TRUE(shown<Tfrm360safe2>());
    EXPECT_EQ(secsuite::RememberedSafe(), sim::Ref<Tfrm360safe2>().data());
    ASSERT_TRUE(waitShown<Tfrm360safe4>());
    EXPECT_FALSE(shown<Tfrm360safe2>());
    EXPECT_FALSE(shown<Tfrm360safe3>());
    EXPECT_EQ(secsuite::RememberedSafe(), sim::Ref<Tfrm360safe4>().data());
    EXPECT_EQ(q.OpAnswer(20), QStringLiteral("0"));

    Tfrm360safe4* result = sim::Ref<Tfrm360safe4>();
    EXPECT_EQ(result->lblRepair->geometry(), QRect(528, 128, 113, 73));
    EXPECT_EQ(result->lblClean->geometry(), QRect(528, 256, 113, 73));
    click(result->lblClean);
    EXPECT_TRUE(shown<Tfrm360safe5>());
    ASSERT_TRUE(waitShown<Tfrm360safe7>());
    EXPECT_EQ(q.OpAnswer(20), QStringLiteral("1"));
    EXPECT_EQ(secsuite::RememberedSafe(), sim::Ref<Tfrm360safe7>().data());

    // The taskbar button shows the remembered screen again.
    sim::Ref<Tfrm360safe7>()->hide();
    click(d->btn1);
    EXPECT_TRUE(shown<Tfrm360safe7>());
    click(sim::Ref<Tfrm360safe7>()->lblClose);
    EXPECT_FALSE(shown<Tfrm360safe7>());
    EXPECT_FALSE(d->btn1->isVisible());
}

TEST_F(SecurityTest, ClosingTheFirstScreenAtOnceLeavesSlot20AtZero)
{
    start("360安全卫士");
    click(sim::Ref<Tfrm360safe1>()->lblClose);
    EXPECT_FALSE(shown<Tfrm360safe1>());
    EXPECT_FALSE(d->btn1->isVisible());
    pump(kInterval * 4);
    EXPECT_EQ(q.OpAnswer(20), QStringLiteral("0"));
}

// A scan screen closed while it runs stops its timer: the chain does not come back by
// itself and records nothing.
TEST_F(SecurityTest, ClosedScanScreenDoesNotTakeTheChainOn)
{
    struct Case {
        const char* name;
        int screen; // the scan screen that is closed: 2 or 5
    };
    for (const Case c : {Case{"first scan", 2}, Case{"second scan", 5}}) {
        SCOPED_TRACE(c.name);
        q.SetOpAnswer(20, {});
        start("360安全卫士");
        click(sim::Ref<Tfrm360safe1>()->lblStart);
        if (c.screen == 5) {
            ASSERT_TRUE(waitShown<Tfrm360safe4>());
            click(sim::Ref<Tfrm360safe4>()->lblRepair);
            ASSERT_TRUE(shown<Tfrm360safe5>());
            click(sim::Ref<Tfrm360safe5>()->lblClose);
        } else {
            ASSERT_TRUE(shown<Tfrm360safe2>());
            EXPECT_EQ(sim::Ref<Tfrm360safe2>()->lblClose->geometry(), QRect(862, 0, 33, 25));
            click(sim::Ref<Tfrm360safe2>()->lblClose);
        }
        EXPECT_FALSE(d->btn1->isVisible());
        pump(kInterval * 6);
        EXPECT_FALSE(shown<Tfrm360safe3>());
        EXPECT_FALSE(shown<Tfrm360safe4>());
        EXPECT_FALSE(shown<Tfrm360safe6>());
        EXPECT_FALSE(shown<Tfrm360safe7>());
        EXPECT_EQ(q.OpAnswer(20), QStringLiteral("0"));
    }
    // A new run still works: the screens 2, 3, 5 and 6 are reused.
    Tfrm360safe2* second = sim::Ref<Tfrm360safe2>();
    start("360安全卫士");
    EXPECT_EQ(sim::Ref<Tfrm360safe2>().data(), second);
    click(sim::Ref<Tfrm360safe1>()->lblStart);
    ASSERT_TRUE(waitShown<Tfrm360safe4>());
    click(sim::Ref<Tfrm360safe4>()->lblRepair);
    ASSERT_TRUE(waitShown<Tfrm360safe7>());
    EXPECT_EQ(q.OpAnswer(20), QStringLiteral("1"));
}

TEST_F(SecurityTest, VirusScanRecordsSlot27AndItsMinimisedScreenComesBack)
{
    start("360杀毒");
    ASSERT_TRUE(shown<Tfrm360sd1>());
    EXPECT_EQ(q.OpAnswer(27), QStringLiteral("0"));
    EXPECT_TRUE(d->btn360sd->isVisible());
    EXPECT_EQ(d->btn360sd->x(), 64);
    Tfrm360sd1* first = sim::Ref<Tfrm360sd1>();
    EXPECT_EQ(first->size(), QSize(500, 374));
    EXPECT_EQ(first->lblStart->geometry(), QRect(40, 128, 137, 129));
    EXPECT_EQ(first->lblMin->geometry(), QRect(419, 0, 37, 21));
    EXPECT_EQ(first->lblClose->geometry(), QRect(456, 0, 41, 21));
    click(first->lblStart);
    ASSERT_TRUE(shown<Tfrm360sd2>());
    Tfrm360sd2* found = sim::Ref<Tfrm360sd2>();
    EXPECT_EQ(found->size(), QSize(642, 479));
    EXPECT_EQ(found->lblProcess->geometry(), QRect(424, 432, 89, 27));
    EXPECT_EQ(found->lblLater->geometry(), QRect(526, 432, 89, 27));
    EXPECT_EQ(found->lblMin->geometry(), QRect(550, 0, 37, 21));
    EXPECT_EQ(found->lblClose->geometry(), QRect(587, 0, 47, 21));

    click(found->lblLater); // does nothing
    EXPECT_TRUE(found->isVisible());
    click(found->lblMin);
    EXPECT_FALSE(found->isVisible());
    EXPECT_TRUE(d->btn360sd->isVisible());
    click(d->btn360sd);
    EXPECT_TRUE(found->isVisible());
    click(found->lblProcess);
    EXPECT_TRUE(shown<Tfrm360sd3>());
    EXPECT_FALSE(found->isVisible());
    EXPECT_EQ(q.OpAnswer(27), QStringLiteral("1"));
    click(sim::Ref<Tfrm360sd3>()->lblClose);
    EXPECT_FALSE(d->btn360sd->isVisible());

    // The system check started later keeps its button at 145 beside the remembered one.
    start("360安全卫士");
    EXPECT_EQ(d->btn1->x(), 145);
}

TEST_F(SecurityTest, DesktopCloseDestroysEveryScreen)
{
    start("360安全卫士");
    start("360杀毒");
    click(sim::Ref<Tfrm360sd1>()->lblStart);
    sim::CloseOperationWindows();
    EXPECT_FALSE(sim::Ref<Tfrm360safe1>());
    EXPECT_FALSE(sim::Ref<Tfrm360safe7>());
    EXPECT_FALSE(sim::Ref<Tfrm360sd2>());
    EXPECT_FALSE(secsuite::RememberedSafe());
    EXPECT_FALSE(secsuite::RememberedSd());
}

} // namespace
