// The Recycle Bin of the Windows Virtual desktop: the listed recycle folder, restoring
// and deleting (slots 11 and 17, with whole names), the emptied state (slot 10 and the
// desktop's icon), the folder of a run with and without a virtual drive, and the
// property sheet's slot 12.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "SimTestUtil.h"
#include "environment/unDMDB.h"
#include "platform/WinPaths.h"
#include "question/TQuestion.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/desktop/ufrmOperationMain.h"
#include "simulation/explorer/ufrmRcyEandC.h"
#include "simulation/explorer/ufrmRecy.h"
#include "support/TestEnv.h"

using namespace simtest;

namespace {

void put(const QString& hostPath, int bytes)
{
    QFile f(hostPath);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(bytes, 'x'));
}

class RecycleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        q.OperationType = 26;
        q.QuestionId = 26002;
        sim::SetCurrentQuestion(&q);
        question = pravik::test::TestEnv::freshDir("question");
        bin = question + "/Recycler";
        QDir().mkpath(bin + "/旧照片");
        put(bin + "/ab.txt", 10);
        put(bin + "/b.txt", 1500);
        put(bin + "/报告.doc", 2048);
        put(bin + "/.隐藏", 5);
        put(bin + "/旧照片/1.bmp", 5);
    }
    void TearDown() override
    {
        delete sim::Ref<TfrmRcyEandC>().data();
        delete sim::Ref<TfrmRecy>().data();
        delete sim::Ref<TfrmOperationMain>().data();
        sim::SetCurrentQuestion(nullptr);
    }
    TfrmRcyEandC* open()
    {
        auto* w = new TfrmRcyEandC(sim::WindowParent());
        w->setWindowFlag(Qt::Window, true);
        w->Folder = win::fromHost(bin) + "\\";
        w->show();
        return w;
    }
    static QStringList names(TfrmRcyEandC* w)
    {
        QStringList l;
        for (int i = 0; i < w->ListView1->topLevelItemCount(); ++i)
            l << w->ListView1->topLevelItem(i)->text(0);
        return l;
    }
    static void select(TfrmRcyEandC* w, const QString& name)
    {
        w->ListView1->clearSelection();
        for (int i = 0; i < w->ListView1->topLevelItemCount(); ++i)
            if (w->ListView1->topLevelItem(i)->text(0) == name)
                w->ListView1->topLevelItem(i)->setSelected(true);
    }
    TQuestion q;
    QString question;
    QString bin;
};

TEST_F(RecycleTest, ListsTheFolderWithIconNameTypeAndSize)
{
    TfrmRcyEandC* w = open();
    EXPECT_EQ(w->windowTitle(), QString(" 回收站"));
    ASSERT_EQ(names(w), QStringList({"ab.txt", "b.txt", "报告.doc", "旧照片"})); // ".隐藏" skipped
    const QTreeWidgetItem* b = w->ListView1->topLevelItem(1);
    EXPECT_EQ(b->text(1), QString("Z:\\abc"));
    EXPECT_EQ(b->text(3), QString("2KB")); // 1500 bytes, rounded up
    EXPECT_EQ(b->text(4), QString("文本文档"));
    EXPECT_FALSE(b->icon(0).isNull());
    EXPECT_EQ(w->ListView1->topLevelItem(2)->text(3), QString("2KB"));
    EXPECT_EQ(w->ListView1->topLevelItem(2)->text(4), QString("Microsoft Word 文档"));
    EXPECT_EQ(w->ListView1->topLevelItem(3)->text(3), QString("0KB"));
    EXPECT_EQ(w->ListView1->topLevelItem(3)->text(4), QString("文件夹"));
    EXPECT_EQ(w->ListView1->topLevelItem(0)->text(2).size(), 14); // "YY-MM-DD HH:MM"
    EXPECT_EQ(w->lblCount->text(), QString("4个对象"));
    // The timer finds rows: nothing is emptied.
    w->Timer1Timer();
    EXPECT_EQ(q.OpAnswer(10), QString());
    EXPECT_TRUE(w->lblEmpty->isVisible());
}

// Restored and deleted names hide only the entries of exactly that name: "ab.txt"
// does not hide "b.txt".
TEST_F(RecycleTest, RecordedNamesHideWholeNamesOnly)
{
    struct Case {
        int slot;
        const char* value;
        QStringList shown;
    };
    const Case cases[] = {
        {11, "ab.txt", {"b.txt", "报告.doc", "旧照片"}},
        {17, "x.txt,AB.TXT", {"b.txt", "报告.doc", "旧照片"}},
        {11, "b.tx", {"ab.txt", "b.txt", "报告.doc", "旧照片"}},
        {17, "报告.doc,旧照片", {"ab.txt", "b.txt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        TQuestion fresh;
        fresh.OperationType = 26;
        fresh.SetOpAnswer(c.slot, c.value);
        sim::SetCurrentQuestion(&fresh);
        TfrmRcyEandC* w = open();
        EXPECT_EQ(names(w), c.shown);
        w->Timer1Timer();
        EXPECT_EQ(fresh.OpAnswer(10), QString());
        delete w;
    }
    sim::SetCurrentQuestion(&q);
}

TEST_F(RecycleTest, RestoreAndDeleteRecordNamesAndMoveTheFiles)
{
    TfrmRcyEandC* w = open();
    select(w, "ab.txt");
    w->ListView1Click();
    EXPECT_EQ(w->lblRestore->text(), QString("还原此项目"));
    w->mnuRestore->trigger();
    select(w, "b.txt");
    w->mnuRestore->trigger();
    EXPECT_EQ(q.OpAnswer(11), QString("ab.txt,b.txt"));
    EXPECT_TRUE(QFileInfo::exists(question + "/ab.txt")); // back in the question folder
    EXPECT_FALSE(QFileInfo::exists(bin + "/ab.txt"));

    select(w, "报告.doc");
    w->mnuDelete->trigger();
    EXPECT_EQ(q.OpAnswer(17), QString("报告.doc"));
    EXPECT_FALSE(QFileInfo::exists(bin + "/报告.doc"));
    EXPECT_EQ(names(w), QStringList({"旧照片"}));
    EXPECT_EQ(q.OpAnswer(10), QString());

    // With nothing selected the actions do nothing.
    w->ListView1->clearSelection();
    w->mnuRestore->trigger();
    w->mnuDelete->trigger();
    w->RestoreLinkClick();
    w->UndoDeleteClick();
    EXPECT_EQ(q.OpAnswer(11), QString("ab.txt,b.txt"));
    EXPECT_EQ(q.OpAnswer(17), QString("报告.doc"));
    EXPECT_EQ(names(w), QStringList({"旧照片"}));

    // The task link replaces slot 11; the last row gone means emptied.
    select(w, "旧照片");
    w->ListView1Click();
    QTest::mouseClick(w->lblRestore, Qt::LeftButton);
    EXPECT_EQ(q.OpAnswer(11), QString("旧照片"));
    EXPECT_TRUE(QFileInfo(question + "/旧照片/1.bmp").isFile());
    EXPECT_EQ(q.OpAnswer(10), QString("1"));
    EXPECT_TRUE(w->Emptied());
    EXPECT_FALSE(w->lblEmpty->isVisible());
    EXPECT_FALSE(w->Image2->isVisible());
    EXPECT_EQ(w->Image3->y(), w->Image2->y());
    EXPECT_FALSE(w->mnuFile->isEnabled());

    // A new window shows the bin emptied.
    delete w;
    w = open();
    EXPECT_TRUE(w->Emptied());
    EXPECT_EQ(w->ListView1->topLevelItemCount(), 0);
}

TEST_F(RecycleTest, EmptyingThroughTheWindowTellsTheDesktop)
{
    auto* d = new TfrmOperationMain;
    d->SetOperation(26);
    d->show();
    ASSERT_TRUE(d->ImgRecy->isVisible());
    QAction* deskEmpty = TfrmOperationMain::FindAction(d->PPRecy, {"清空回收站(&B)"});
    // The desktop opens the window on the folder of the run.
    TDM dm;
    dm.ExamRoot = win::fromHost(pravik::test::TestEnv::freshDir("exam")) + "\\";
    TStudents.StuNO = "20261211090000";
    q.QuestionId = 26002;
    const QString folder = recycle::CurrentRecycleFolder();
    EXPECT_EQ(folder, dm.ExamRoot + "20261211090000\\20261211090000\\26002\\Recycler\\");
    QDir().mkpath(win::toHost(folder));
    QDir().rename(bin + "/b.txt", win::toHost(folder) + "/b.txt");
    d->lbRecyDblClick();
    TfrmRcyEandC* w = sim::Ref<TfrmRcyEandC>().data();
    ASSERT_TRUE(w && w->isVisible());
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(names(w), QStringList{"b.txt"});
    d->tmrRefreshTimer();
    EXPECT_FALSE(d->btClose->isEnabled());

    QTest::mouseClick(w->lblEmpty, Qt::LeftButton);
    EXPECT_EQ(q.OpAnswer(10), QString("1"));
    EXPECT_FALSE(d->ImgRecy->isVisible());
    EXPECT_FALSE(deskEmpty->isEnabled());
    EXPECT_FALSE(QFileInfo::exists(win::toHost(folder) + "/b.txt"));
    EXPECT_TRUE(QFileInfo(win::toHost(folder)).isDir());
    // Keys close neither the window nor the desktop.
    for (Qt::Key k : {Qt::Key_Escape, Qt::Key_Return})
        QTest::keyClick(w->ListView1, k);
    EXPECT_TRUE(w->isVisible());
    w->mnuClose->trigger();
    EXPECT_TRUE(QTest::qWaitFor([] { return sim::Ref<TfrmRcyEandC>().isNull(); }));
    d->tmrRefreshTimer();
    EXPECT_TRUE(d->btClose->isEnabled());
    TStudents.StuNO.clear();
}

// The folder does not depend on the virtual drive: without one the question folder
// under the plain practice folder is used.
TEST_F(RecycleTest, RecycleFolderWithAndWithoutVirtualDrive)
{
    const QString saved = strCurDisk;
    for (const char* drive : {"Y", "", " "}) {
        SCOPED_TRACE(drive);
        strCurDisk = drive;
        EXPECT_EQ(recycle::RecycleFolder("D:\\StuExamData\\", "20261211090000", 26002),
                  QString("D:\\StuExamData\\20261211090000\\20261211090000\\26002\\Recycler\\"));
    }
    strCurDisk = saved;
    EXPECT_EQ(recycle::RecycleFolder("D:\\StuExamData", "N1", 7),
              QString("D:\\StuExamData\\N1\\N1\\7\\Recycler\\"));
    EXPECT_EQ(recycle::RecycleFolder("D:\\StuExamData\\", "", 7), QString());
}

TEST_F(RecycleTest, AnEmptyOrMissingFolderIsEmptiedAtTheFirstTick)
{
    for (const QString& folder : {QString("empty"), QString("missing")}) {
        SCOPED_TRACE(folder.toStdString());
        TQuestion fresh;
        sim::SetCurrentQuestion(&fresh);
        const QString dir = pravik::test::TestEnv::freshDir(folder);
        auto* w = new TfrmRcyEandC(nullptr);
        w->Folder = win::fromHost(dir) + (folder == "missing" ? "\\nothing\\" : "\\");
        w->show();
        EXPECT_EQ(fresh.OpAnswer(10), QString());
        EXPECT_EQ(w->Timer1->interval(), 1000);
        w->Timer1Timer();
        EXPECT_EQ(fresh.OpAnswer(10), QString("1"));
        EXPECT_FALSE(w->mnuFile->isEnabled());
        delete w;
    }
    sim::SetCurrentQuestion(&q);
}

TEST_F(RecycleTest, PropertiesRecordTheThreeTrackBars)
{
    TfrmRecy* p = qobject_cast<TfrmRecy*>(sim::OpenWindow("TfrmRecy"));
    ASSERT_TRUE(p && p->isVisible());
    EXPECT_EQ(p->windowTitle(), QString("回收站 属性"));
    EXPECT_EQ(p->PageControl1->tabText(0), QString("  全局"));
    EXPECT_TRUE(p->TB_all->isEnabled());
    EXPECT_FALSE(p->TB_C->isEnabled());
    p->rbSeparate->click();
    EXPECT_FALSE(p->TB_all->isEnabled());
    EXPECT_TRUE(p->TB_D->isEnabled());
    EXPECT_TRUE(p->ckCDelete->isEnabled());
    p->btnCancel->click();
    EXPECT_EQ(q.OpAnswer(12), QString("0#0#0")); // untouched and cancelled

    p = qobject_cast<TfrmRecy*>(sim::OpenWindow("TfrmRecy"));
    p->TB_all->setValue(10);
    EXPECT_EQ(p->lblAll->text(), QString("10%"));
    p->btnApply->click();
    EXPECT_EQ(q.OpAnswer(12), QString("10#0#0"));
    EXPECT_FALSE(p->btnApply->isEnabled());
    p->TB_D->setValue(35);
    for (Qt::Key k : {Qt::Key_Escape, Qt::Key_Return})
        QTest::keyClick(p, k);
    ASSERT_TRUE(sim::Ref<TfrmRecy>());
    p->btnOK->click();
    EXPECT_EQ(q.OpAnswer(12), QString("10#0#35"));

    // A new sheet starts from the recorded positions.
    p = qobject_cast<TfrmRecy*>(sim::OpenWindow("TfrmRecy"));
    EXPECT_EQ(p->TB_all->value(), 10);
    EXPECT_EQ(p->TB_D->value(), 35);
    EXPECT_EQ(p->lblD->text(), QString("35%"));
    p->close();
}

TEST_F(RecycleTest, AMalformedStoredValueIsKeptUntilTheBarsAreSet)
{
    for (const char* stored : {"abc", "10#20", "10#x#30", "10#20#30#40", "10#200#30"}) {
        SCOPED_TRACE(stored);
        q.SetOpAnswer(12, stored);
        TfrmRecy* p = qobject_cast<TfrmRecy*>(sim::OpenWindow("TfrmRecy"));
        EXPECT_EQ(p->TB_all->value(), 0);
        EXPECT_EQ(p->TB_C->value(), 0);
        p->btnCancel->click();
        EXPECT_EQ(q.OpAnswer(12), QString(stored));
    }
    TfrmRecy* p = qobject_cast<TfrmRecy*>(sim::OpenWindow("TfrmRecy"));
    p->btnOK->click();
    EXPECT_EQ(q.OpAnswer(12), QString("0#0#0"));
}

TEST_F(RecycleTest, Pictures)
{
    const QString dir = QStringLiteral(PRAVIK_SHOTS_DEFAULT);
    QDir().mkpath(dir);
    TfrmRcyEandC* w = open();
    pump(30);
    EXPECT_TRUE(w->grab().save(dir + "/recycle_bin.png"));
    w->EmptyClick();
    pump(30);
    EXPECT_TRUE(w->grab().save(dir + "/recycle_bin_emptied.png"));
    TfrmRecy* p = qobject_cast<TfrmRecy*>(sim::OpenWindow("TfrmRecy"));
    for (int i = 0; i < 3; ++i) {
        p->PageControl1->setCurrentIndex(i);
        pump(20);
        EXPECT_TRUE(p->grab().save(dir + QStringLiteral("/recycle_property%1.png").arg(i)));
    }
}

} // namespace
