// The system properties with the device manager (slot 18, the visited pages kept for
// the process) and the system information (slot 19, the memory and disk nodes).
#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "SimTestUtil.h"
#include "question/TQuestion.h"
#include "simulation/controlpanel/PicturePage.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/system/ufrmSystemInfo.h"
#include "simulation/system/ufrmSystemProperty.h"

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

class SystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        q.OperationType = 26;
        sim::SetCurrentQuestion(&q);
        sysprop::Entries() = QStringList(8); // as in a fresh process
    }
    void TearDown() override
    {
        sim::CloseOperationWindows();
        sim::DestroyWindow(QStringLiteral("TfrmManagementConsole"));
        sim::SetCurrentQuestion(nullptr);
    }
    TfrmSystemProperty* openProperties()
    {
        return qobject_cast<TfrmSystemProperty*>(sim::OpenWindow(QStringLiteral("TfrmSystemProperty")));
    }
    TfrmSystemInfo* openInfo()
    {
        return qobject_cast<TfrmSystemInfo*>(sim::OpenWindow(QStringLiteral("TfrmSystemInfo")));
    }
    TQuestion q;
};

TEST_F(SystemTest, PropertiesRecordTheVisitedPages)
{
    struct Case {
        const char* name;
        std::vector<int> pages;
        bool cancel;
        const char* expected;
    };
    const Case cases[] = {
        {"OK at once", {}, false, "常规=1,,,,,,,设备管理器=0"},
        {"hardware first",
         {2},
         false,
         "常规=1,计算机名=0,硬件=1,高级=0,系统还原=0,自动更新=0,远程=0,设备管理器=0"},
        {"cancel records too",
         {3, 6},
         true,
         "常规=1,计算机名=0,硬件=0,高级=1,系统还原=0,自动更新=0,远程=1,设备管理器=0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sysprop::Entries() = QStringList(8);
        TfrmSystemProperty* w = openProperties();
        ASSERT_TRUE(w);
        EXPECT_EQ(w->windowTitle(), QStringLiteral("系统属性"));
        EXPECT_EQ(w->pgSystem->tabText(w->pgSystem->currentIndex()), QStringLiteral("远程"));
        EXPECT_FALSE(w->btApply->isEnabled());
        for (int p : c.pages)
            w->pgSystem->setCurrentIndex(p);
        studentClick(c.cancel ? w->btCancel : w->btOK);
        EXPECT_TRUE(gone<TfrmSystemProperty>());
        EXPECT_EQ(q.OpAnswer(18), QString::fromUtf8(c.expected));
    }
}

TEST_F(SystemTest, VisitsSurviveReopeningAndTheDeviceManagerIsRecorded)
{
    TfrmSystemProperty* w = openProperties();
    w->pgSystem->setCurrentIndex(2);
    ASSERT_TRUE(w->lblDeviceManager);
    EXPECT_EQ(w->lblDeviceManager->geometry(), QRect(223, 79, 147, 21));
    studentClick(w->lblDeviceManager);
    QWidget* console = sim::CurrentWindow(QStringLiteral("TfrmManagementConsole"));
    ASSERT_TRUE(console);
    EXPECT_TRUE(console->isVisible());
    EXPECT_EQ(console->windowTitle(), QStringLiteral("设备管理器"));
    // The close box records nothing.
    w->close();
    EXPECT_TRUE(q.OpAnswer(18).isEmpty());

    TQuestion later; // a later question of the same process
    sim::SetCurrentQuestion(&later);
    w = openProperties();
    studentClick(w->btOK);
    EXPECT_EQ(later.OpAnswer(18),
              QStringLiteral("常规=1,计算机名=0,硬件=1,高级=0,系统还原=0,自动更新=0,远程=0,设备管理器=1"));
    sim::SetCurrentQuestion(&q);
}

TEST_F(SystemTest, InformationRecordsMemoryAndDiskOnEverySelection)
{
    struct Case {
        const char* name;
        QStringList nodes;
        const char* expected;
    };
    const Case cases[] = {
        {"memory then disk", {"内存", "磁盘"}, "内存=1,磁盘=1"},
        {"another node", {"IRQ"}, "内存=0,磁盘=0"},
        {"disk only", {"系统摘要", "磁盘", "USB"}, "内存=0,磁盘=1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        q.SetOpAnswer(19, QStringLiteral("0")); // as the desktop leaves it without a picture
        TfrmSystemInfo* w = openInfo();
        ASSERT_TRUE(w);
        EXPECT_EQ(w->windowTitle(), QStringLiteral("系统信息"));
        EXPECT_EQ(w->lvSummary->topLevelItemCount(), 23);
        for (const QString& n : c.nodes) {
            QTreeWidgetItem* item = w->FindNode(n);
            ASSERT_TRUE(item) << n.toStdString();
            w->tvCategory->setCurrentItem(item);
        }
        EXPECT_EQ(q.OpAnswer(19), QString::fromUtf8(c.expected));
        EXPECT_EQ(w->lvSummary->topLevelItemCount(), 23);
        w->close();
        EXPECT_TRUE(sysinfo::MemoryFlag().isEmpty());
    }
}

// A later opening keeps what slot 19 recorded: selecting other nodes does not erase
// the earlier visit of "内存".
TEST_F(SystemTest, InformationStartsFromTheEarlierVisit)
{
    TfrmSystemInfo* w = openInfo();
    w->tvCategory->setCurrentItem(w->FindNode(QStringLiteral("内存")));
    w->close();
    EXPECT_EQ(q.OpAnswer(19), QStringLiteral("内存=1,磁盘=0"));

    w = openInfo();
    w->tvCategory->setCurrentItem(w->FindNode(QStringLiteral("DMA")));
    EXPECT_EQ(q.OpAnswer(19), QStringLiteral("内存=1,磁盘=0"));
    w->tvCategory->setCurrentItem(w->FindNode(QStringLiteral("磁盘")));
    EXPECT_EQ(q.OpAnswer(19), QStringLiteral("内存=1,磁盘=1"));
}

TEST_F(SystemTest, InformationTreeHasItsCategoriesInOrder)
{
    TfrmSystemInfo* w = openInfo();
    QStringList top;
    for (int i = 0; i < w->tvCategory->topLevelItemCount(); ++i)
        top << w->tvCategory->topLevelItem(i)->text(0);
    EXPECT_EQ(
        top,
        (QStringList{"系统摘要", "硬件资源", "组件", "软件环境", "Internet 设置", "Office 2003 应用程序"}));
    QTreeWidgetItem* disk = w->FindNode(QStringLiteral("磁盘"));
    ASSERT_TRUE(disk);
    EXPECT_EQ(disk->parent()->text(0), QStringLiteral("存储"));
    EXPECT_EQ(w->FindNode(QStringLiteral("内存"))->parent()->text(0), QStringLiteral("硬件资源"));
    EXPECT_EQ(w->FindNode(QStringLiteral("对象列表"))->parent()->text(0), QStringLiteral("缓存"));
}

} // namespace
