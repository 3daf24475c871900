// My Computer and the Explorer of the Windows Virtual desktop: the view and sort
// slots (with the hidden E: list that takes choices made before drive D: was opened),
// the restored state of a second opening, the drive and My Documents property sheets,
// the taskbar button of drive D:, the desktop's exit rule and keys.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "SimTestUtil.h"
#include "question/TQuestion.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/desktop/ufrmOperationMain.h"
#include "simulation/explorer/ufrmMyCP.h"
#include "simulation/explorer/ufrmMydocumentProperty.h"
#include "simulation/explorer/ufrmproperty.h"
#include "simulation/security/ufrm360safe.h"

using namespace simtest;

namespace {

QString shotsDir()
{
    const QString dir = QStringLiteral(PRAVIK_SHOTS_DEFAULT);
    QDir().mkpath(dir);
    return dir;
}

class MyCPTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        q.OperationType = 26;
        sim::SetCurrentQuestion(&q);
    }
    void TearDown() override
    {
        for (const char* n : {"TfrmMyCP", "TfrmExplorer", "Tfrmproperty", "TfrmMydocumentProperty"})
            delete sim::CurrentWindow(QString::fromLatin1(n));
        delete sim::Ref<TfrmOperationMain>().data();
        sim::SetCurrentQuestion(nullptr);
    }
    TfrmMyCP* open() { return qobject_cast<TfrmMyCP*>(sim::OpenWindow("TfrmMyCP")); }
    static void openD(TfrmMyCP* w) { QTest::mouseDClick(w->DiskD, Qt::LeftButton, {}, QPoint(20, 20)); }
    static QStringList checkedViews(TfrmMyCP* w, int code)
    {
        QStringList states;
        for (QAction* a : w->ViewItems(code))
            states << (a->isChecked() ? "1" : "0");
        return states;
    }
    TQuestion q;
};

TEST_F(MyCPTest, DetailsBySizeAreRecordedAndComeBackOnTheNextOpening)
{
    TfrmMyCP* w = open();
    ASSERT_TRUE(w && w->isVisible());
    EXPECT_TRUE(w->Panel1->isVisible());
    EXPECT_FALSE(w->LvDiskContern->isVisible());
    EXPECT_EQ(w->AddressRoot(), QString("rfMyComputer"));

    openD(w);
    EXPECT_EQ(q.OpAnswer(14), QString("D"));
    EXPECT_EQ(q.OpAnswer(15), QString("D"));
    EXPECT_TRUE(w->LvDiskContern->isVisible());
    EXPECT_FALSE(w->Panel1->isVisible());

    w->ViewItems(5)[0]->trigger(); // main menu 查看 → 详细信息(&D)
    w->SortItems(2)[1]->trigger(); // list context menu 排列图标 → 大小(&S)
    EXPECT_EQ(q.OpAnswer(14), QString("D:5"));
    EXPECT_EQ(q.OpAnswer(15), QString("D:2"));
    w->close();

    // The window dies with the desktop and a new one is made: the slots bring the
    // choices back.
    delete w;
    w = open();
    openD(w);
    EXPECT_EQ(w->LvDiskContern->ViewStyle(), 5);
    EXPECT_TRUE(w->LvDiskContern->Report->isVisible());
    // Sizes as text, descending, empty sizes (the folders) first; equal texts keep
    // their order.
    EXPECT_EQ(w->LvDiskContern->Names(),
              QStringList({"图片文件夹", "资料文件夹", "录像文件.exe", "wav文件.wav", "Acess文件.mdb",
                           "压缩文件.rar", "聊天工具.exe", "Word文件.doc", "PDF文件.pdf", "chm文件.chm",
                           "图片文件.bmp", "Excel文件.xls", "文本文件.txt"}));
    EXPECT_EQ(checkedViews(w, 5), QStringList({"1", "1", "1"}));
    for (QAction* a : w->SortItems(2))
        EXPECT_TRUE(a->isChecked());
    // The rows shown in the details view follow the model.
    EXPECT_EQ(w->LvDiskContern->Report->topLevelItem(2)->text(1), QString("70,994 KB"));
}

TEST_F(MyCPTest, SortingByEveryColumnIsDescendingTextWithEmptyFirst)
{
    struct Case {
        int code;
        const char* first;
        const char* last;
    };
    const Case cases[] = {
        {1, "资料文件夹", "Acess文件.mdb"}, // names: descending, letter case ignored
        {3, "文本文件.txt", "BMP 图像"}, // types: see the row of the type
        {4, "资料文件夹", "聊天工具.exe"}, // "2012-03-18 8:31" first, "2008-07-21" last
    };
    TfrmMyCP* w = open();
    openD(w);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        w->SortItems(c.code)[0]->trigger();
        EXPECT_EQ(q.OpAnswer(15), QString("D:%1").arg(c.code));
        const QStringList names = w->LvDiskContern->Names();
        EXPECT_EQ(names.first(), QString::fromUtf8(c.first));
        if (c.code != 3)
            EXPECT_EQ(names.last(), QString::fromUtf8(c.last));
        else
            EXPECT_EQ(w->LvDiskContern->Rows().last().cells[2], QString::fromUtf8(c.last));
    }
    // A header click sorts the shown list and records nothing.
    QTest::mouseClick(w->LvDiskContern->Report->header()->viewport(), Qt::LeftButton, {}, QPoint(20, 8));
    EXPECT_EQ(w->LvDiskContern->SortColumn(), 0);
    EXPECT_EQ(q.OpAnswer(15), QString("D:4"));
}

// Choices made before drive D: was opened go to the hidden E: list and record "E:";
// opening D: afterwards keeps that value and shows D: as designed (details).
TEST_F(MyCPTest, ChoicesBeforeOpeningDriveDRecordE)
{
    TfrmMyCP* w = open();
    w->ViewItems(2)[1]->trigger(); // 平铺 from the view drop-down
    EXPECT_EQ(q.OpAnswer(14), QString("E:2"));
    EXPECT_EQ(w->LvDiskConternE->ViewStyle(), 2);
    EXPECT_FALSE(w->LvDiskConternE->isVisible());

    w->ViewItems(3)[2]->trigger(); // 图标 from the list menu
    EXPECT_EQ(q.OpAnswer(14), QString("E:3"));
    w->SortItems(4)[0]->trigger();
    EXPECT_EQ(q.OpAnswer(15), QString("E:4"));
    openD(w);
    EXPECT_EQ(q.OpAnswer(14), QString("E:3"));
    EXPECT_EQ(q.OpAnswer(15), QString("E:4"));
    EXPECT_EQ(w->LvDiskContern->ViewStyle(), 5);
    EXPECT_EQ(w->LvDiskContern->SortColumn(), -1);
    EXPECT_TRUE(w->LvDiskContern->isVisible());
    // Later choices still act on the hidden list.
    w->ViewItems(4)[0]->trigger();
    EXPECT_EQ(q.OpAnswer(14), QString("E:4"));
    EXPECT_EQ(w->LvDiskConternE->ViewStyle(), 4);
    EXPECT_EQ(w->LvDiskContern->ViewStyle(), 5);
    EXPECT_FALSE(w->LvDiskConternE->isVisible());
    // Every view item of the three menus shows the last choice.
    EXPECT_EQ(checkedViews(w, 4), QStringList({"1", "1", "1"}));
    EXPECT_EQ(checkedViews(w, 3), QStringList({"0", "0", "0"}));
}

TEST_F(MyCPTest, ADifferentSlotTextLeavesTheDriveListAsDesigned)
{
    for (const char* stored : {"D:6", "D:0", "d:2", "D:2 ", "X"}) {
        SCOPED_TRACE(stored);
        q.SetOpAnswer(14, stored);
        q.SetOpAnswer(15, stored);
        delete sim::Ref<TfrmMyCP>().data();
        TfrmMyCP* w = open();
        openD(w);
        EXPECT_EQ(w->LvDiskContern->ViewStyle(), 5);
        EXPECT_EQ(w->LvDiskContern->SortColumn(), -1);
        EXPECT_EQ(q.OpAnswer(14), QString(stored));
    }
}

TEST_F(MyCPTest, DrivePropertiesRecordTheLastDrive)
{
    TfrmMyCP* w = open();
    w->DiskPropertyClick('C');
    QPointer<Tfrmproperty> c = sim::Ref<Tfrmproperty>().data();
    ASSERT_TRUE(c && c->isVisible());
    EXPECT_EQ(c->windowTitle(), QString("本地磁盘 (C:) 属性"));
    EXPECT_TRUE(c->ImgDiskC->isVisible());
    EXPECT_FALSE(c->ImgDiskD->isVisible());
    EXPECT_TRUE(c->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(c->btnApply->isEnabled());
    EXPECT_EQ(q.OpAnswer(6), QString("C"));

    // Through the drive's own context menu on D:.
    QMenu* menu = w->PPDisk;
    whenVisible([menu] { return menu; },
                [menu](QWidget*) {
                    menu->actions().last()->trigger();
                    menu->close();
                });
    QContextMenuEvent ev(QContextMenuEvent::Mouse, QPoint(10, 10), w->DiskD->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(w->DiskD, &ev);
    ASSERT_TRUE(QTest::qWaitFor([&] { return q.OpAnswer(6) == "D"; }));
    EXPECT_TRUE(c.isNull()); // replaced
    ASSERT_TRUE(sim::Ref<Tfrmproperty>());
    EXPECT_EQ(sim::Ref<Tfrmproperty>()->windowTitle(), QString("本地磁盘 (D:) 属性"));
    sim::Ref<Tfrmproperty>()->btnOK->click();
    EXPECT_TRUE(QTest::qWaitFor([] { return sim::Ref<Tfrmproperty>().isNull(); }));
    // The disabled drive E: has no menu and does not open.
    EXPECT_FALSE(w->DiskE->isEnabled());
}

TEST_F(MyCPTest, DriveDTaskButtonAndTheDesktopExitRule)
{
    auto* d = new TfrmOperationMain;
    d->SetOperation(26);
    d->show();
    // The desktop's 我的电脑 icon: a new window each time.
    QTest::mouseDClick(d->lblOperation, Qt::LeftButton, {}, QPoint(5, 5));
    QPointer<TfrmMyCP> first = sim::Ref<TfrmMyCP>().data();
    ASSERT_TRUE(first && first->isVisible());
    d->tmrRefreshTimer();
    EXPECT_FALSE(d->btClose->isEnabled());

    openD(first);
    EXPECT_TRUE(d->btnDiskD->isVisible());
    EXPECT_EQ(d->btnDiskD->x(), 64); // no security screen opened
    // Closing hides the window and its button; the desktop can be left again.
    first->close();
    EXPECT_FALSE(first.isNull());
    EXPECT_FALSE(first->isVisible());
    EXPECT_FALSE(d->btnDiskD->isVisible());
    d->tmrRefreshTimer();
    EXPECT_TRUE(d->btClose->isEnabled());

    // The taskbar button shows the same window with drive D:.
    d->btnDiskDClick();
    EXPECT_EQ(sim::Ref<TfrmMyCP>().data(), first.data());
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(first->LvDiskContern->isVisible());
    QTest::mouseDClick(d->lblOperation, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(first.isNull());

    // Keys in the window close neither it nor the desktop.
    TfrmMyCP* w = sim::Ref<TfrmMyCP>().data();
    for (Qt::Key k : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClick(w, k);
        QTest::keyClick(w->LvDiskContern->Report, k);
    }
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(d->isVisible());

    // With both security screens opened the button keeps its own place.
    QWidget safe, sd;
    secsuite::RememberedSafe() = &safe;
    secsuite::RememberedSd() = &sd;
    d->btnDiskD->move(251, d->btnDiskD->y());
    openD(w);
    EXPECT_EQ(d->btnDiskD->x(), 251);
    secsuite::RememberedSafe() = nullptr;
    secsuite::RememberedSd() = nullptr;
    d->btnDiskD->move(251, d->btnDiskD->y());
    openD(w);
    EXPECT_EQ(d->btnDiskD->x(), 64);

    // Leaving the desktop destroys My Computer but not the Explorer.
    sim::OpenWindow("TfrmExplorer", sim::OpenOptions{false, false, "FolderPanel"});
    QPointer<QWidget> explorer = sim::Ref<TfrmExplorer>().data();
    QPointer<QWidget> mycp = w;
    TfrmOperationMain::CloseOperationWindows();
    EXPECT_TRUE(mycp.isNull());
    EXPECT_FALSE(explorer.isNull());
    delete d;
}

TEST_F(MyCPTest, ExplorerTreeAndMyDocumentsProperties)
{
    auto* w = qobject_cast<TfrmExplorer*>(
        sim::OpenWindow("TfrmExplorer", sim::OpenOptions{false, false, "FolderPanel"}));
    ASSERT_TRUE(w && w->isVisible());
    EXPECT_EQ(w->windowTitle(), QString("我的电脑"));
    EXPECT_TRUE(w->Panel1->isVisible());
    EXPECT_FALSE(w->ImgMyDocExplorer->isVisible());
    EXPECT_LT(w->ImgLeft->x() + w->ImgLeft->width(), 0); // the picture strip is out of sight
    EXPECT_TRUE(sim::Ref<TfrmMyCP>().isNull()); // an Explorer is no My Computer

    // No selected node: nothing.
    w->TreeExplorerClick();
    EXPECT_EQ(w->TreeMenu(), nullptr);
    struct Case {
        const char* node;
        QMenu* menu;
    };
    const Case cases[] = {{"我的电脑", w->PPMyComputer},
                          {"网上邻居", w->PPNetwork},
                          {"回收站", w->PPRecycle},
                          {" 桌面", nullptr},
                          {"我的文档", w->PPMyDocument}};
    pump(20);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node);
        const auto found = w->TreeExplorer->findItems(QString::fromUtf8(c.node),
                                                      Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1);
        const QRect r = w->TreeExplorer->visualItemRect(found[0]);
        QTest::mouseClick(w->TreeExplorer->viewport(), Qt::LeftButton, {}, r.center());
        EXPECT_EQ(w->TreeMenu(), c.menu);
    }
    EXPECT_FALSE(w->Panel1->isVisible());
    EXPECT_TRUE(w->ImgMyDocExplorer->isVisible());
    // The views stay as they are for the other nodes; slots of the drive views work as
    // in My Computer.
    openD(w);
    EXPECT_EQ(q.OpAnswer(14), QString("D"));

    w->PPMyDocument->actions().last()->trigger();
    QPointer<TfrmMydocumentProperty> p = sim::Ref<TfrmMydocumentProperty>().data();
    ASSERT_TRUE(p && p->isVisible());
    EXPECT_EQ(p->windowTitle(), QString("我的文档 属性"));
    EXPECT_EQ(p->PageControl1->tabText(p->PageControl1->currentIndex()), QString("目标文件夹"));
    EXPECT_EQ(q.OpAnswer(16), QString());
    EXPECT_FALSE(p->btnApply->isEnabled());
    p->PageControl1->setCurrentIndex(2);
    EXPECT_EQ(q.OpAnswer(16), QString("0"));
    p->PageControl1->setCurrentIndex(1);
    EXPECT_EQ(q.OpAnswer(16), QString("1"));
    p->PageControl1->setCurrentIndex(2);
    p->PageControl1->setCurrentIndex(0);
    EXPECT_EQ(q.OpAnswer(16), QString("1")); // frozen for this window
    for (Qt::Key k : {Qt::Key_Escape, Qt::Key_Return})
        QTest::keyClick(p, k);
    EXPECT_FALSE(p.isNull());
    // A new sheet reacts again.
    TfrmMydocumentProperty::ShowProperties();
    EXPECT_TRUE(p.isNull());
    sim::Ref<TfrmMydocumentProperty>()->PageControl1->setCurrentIndex(2);
    EXPECT_EQ(q.OpAnswer(16), QString("0"));
    sim::Ref<TfrmMydocumentProperty>()->btnCancel->click();
    EXPECT_TRUE(QTest::qWaitFor([] { return sim::Ref<TfrmMydocumentProperty>().isNull(); }));
}

TEST_F(MyCPTest, Pictures)
{
    TfrmMyCP* w = open();
    pump(30);
    EXPECT_TRUE(w->grab().save(shotsDir() + "/mycp_overview.png"));
    openD(w);
    for (int code = 1; code <= 5; ++code) {
        w->ViewItemClick(code);
        pump(30);
        EXPECT_TRUE(w->grab().save(shotsDir() + QStringLiteral("/mycp_view%1.png").arg(code)));
    }
    w->DiskPropertyClick('D');
    pump(30);
    EXPECT_TRUE(sim::Ref<Tfrmproperty>()->grab().save(shotsDir() + "/drive_property_d.png"));
    auto* e = qobject_cast<TfrmExplorer*>(
        sim::OpenWindow("TfrmExplorer", sim::OpenOptions{false, false, "FolderPanel"}));
    pump(30);
    EXPECT_TRUE(e->grab().save(shotsDir() + "/explorer.png"));
    TfrmMydocumentProperty* p = TfrmMydocumentProperty::ShowProperties();
    for (int i = 0; i < 3; ++i) {
        p->PageControl1->setCurrentIndex(i);
        pump(20);
        EXPECT_TRUE(p->grab().save(shotsDir() + QStringLiteral("/mydoc_property%1.png").arg(i)));
    }
}

} // namespace
