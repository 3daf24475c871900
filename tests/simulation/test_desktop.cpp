// The simulated desktop: its modes, the exit rule, the description picture, the
// recycle bin, the taskbar auto-hide and the security-program entries.
#include <QAction>
#include <QImage>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include "platform/WinPaths.h"

#include "SimTestUtil.h"
#include "question/TQuestion.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/ieset/ufrmIESet.h"
#include "simulation/desktop/ufrmOperationMain.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnv.h"

using namespace simtest;

namespace {

class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        q.OperationType = 26;
        sim::SetCurrentQuestion(&q);
        fakes.add("TfrmIP");
        fakes.add("TfrmFTP", true);
        fakes.add("TfrmMyCP");
        fakes.add("TfrmIIS");
        fakes.add("TfrmRecy");
        fakes.add("Tfrm360safe1");
        fakes.add("Tfrm360sd1");
    }
    void TearDown() override
    {
        delete sim::Ref<TfrmIESet>().data();
        delete sim::Ref<TfrmOperationMain>().data();
        sim::SetCurrentQuestion(nullptr);
    }

    TfrmOperationMain* makeDesktop(int opType, const QString& picture = {})
    {
        auto* d = new TfrmOperationMain;
        d->SetOperation(opType);
        d->DescPicturePath = picture.isEmpty() ? picture : win::fromHost(picture); // a Windows path
        d->show();
        return d;
    }

    QString makePicture()
    {
        const QString path = pravik::test::TestEnv::freshDir("pic") + "/desc.png";
        QImage img(300, 200, QImage::Format_RGB32);
        img.fill(Qt::yellow);
        img.save(path);
        return path;
    }

    // A double-click as the student can give it: only on a visible hot spot; a
    // disabled one does not receive it.
    static void userDoubleClick(QWidget* w)
    {
        if (w->isVisible())
            QTest::mouseDClick(w, Qt::LeftButton, {}, QPoint(5, 5));
    }

    TQuestion q;
    FakeWindows fakes;
};

struct ModeCase {
    int opType;
    bool ipIcon; // 网上邻居 hot spot acts (enabled)
    bool trayIcon; // ToolBtnNet2 enabled and opens the connections
    bool startNet; // Start "网络和拨号连接(&N)" opens the connections
    bool myComputer; // 我的电脑 hot spot shown
    bool recycle; // recycle bin hot spot and full icon shown
    bool clock; // clock shown
    const char* ieOpens; // what a double-click on Internet Explorer opens
};

const ModeCase kModes[] = {
    {0, true, true, true, false, false, false, ""},
    {1, true, true, true, false, false, false, ""},
    {4, false, false, false, false, false, false, ""},
    {22, false, false, false, false, false, false, "TfrmFTP"},
    {23, false, false, false, false, false, false, "TfrmIESet"},
    {26, true, false, true, true, true, true, "TfrmMyCP"},
};

TEST_F(DesktopTest, ModesDecideWhichHotSpotsAndTrayItemsAct)
{
    for (const ModeCase& c : kModes) {
        SCOPED_TRACE(c.opType);
        fakes.opened.clear();
        TfrmOperationMain* d = makeDesktop(c.opType);
        EXPECT_EQ(sim::OpType(), c.opType);
        EXPECT_EQ(d->lblOperationIP->isEnabled(), c.ipIcon);
        EXPECT_EQ(d->ToolBtnNet2->isEnabled(), c.trayIcon);
        EXPECT_EQ(d->lblOperation->isVisible(), c.myComputer);
        EXPECT_EQ(d->lbRecy->isVisible(), c.recycle);
        EXPECT_EQ(d->ImgRecy->isVisible(), c.recycle);
        EXPECT_EQ(d->lbTime->isVisible(), c.clock);

        QTest::mouseClick(d->ToolBtnNet2, Qt::LeftButton);
        EXPECT_EQ(fakes.opened.contains("TfrmIP"), c.trayIcon);
        fakes.opened.clear();
        TfrmOperationMain::FindAction(d->PpStartMenu, {"设置(&S)", "网络和拨号连接(&N)"})->trigger();
        EXPECT_EQ(fakes.opened.contains("TfrmIP"), c.startNet);
        if (c.startNet) {
            EXPECT_TRUE(fakes.options.last().stayOnTop);
        }
        fakes.opened.clear();

        userDoubleClick(d->lblOperationIE);
        QStringList expected;
        if (*c.ieOpens && QString(c.ieOpens) != "TfrmIESet")
            expected << c.ieOpens;
        EXPECT_EQ(fakes.opened, expected);
        EXPECT_EQ(sim::Ref<TfrmIESet>() != nullptr, QString(c.ieOpens) == "TfrmIESet");
        delete sim::Ref<TfrmIESet>().data();
        fakes.opened.clear();

        // The IIS icon opens the IIS manager, modally, in every mode.
        userDoubleClick(d->lblOperationIIS);
        ASSERT_EQ(fakes.opened, QStringList{"TfrmIIS"});
        EXPECT_TRUE(fakes.options.last().modal);
        delete d;
    }
}

TEST_F(DesktopTest, EachFtpOpeningAddsAWindowThatDiesWithTheDesktop)
{
    TfrmOperationMain* d = makeDesktop(22);
    userDoubleClick(d->lblOperationIE);
    QPointer<QWidget> first = fakes.current.value("TfrmFTP");
    userDoubleClick(d->lblOperationIE);
    QPointer<QWidget> second = fakes.current.value("TfrmFTP");
    ASSERT_TRUE(first && second);
    EXPECT_NE(first, second);
    EXPECT_EQ(d->OwnedWindows.size(), 2);
    d->close();
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(second.isNull());
}

TEST_F(DesktopTest, ExitButtonFollowsTheVisibleSimulatedWindows)
{
    TfrmOperationMain* d = makeDesktop(23);
    ASSERT_TRUE(QTest::qWaitFor([&] { return d->btClose->isEnabled(); }, 1500));
    userDoubleClick(d->lblOperationIE);
    QPointer<TfrmIESet> ie = sim::Ref<TfrmIESet>().data();
    ASSERT_TRUE(ie && ie->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !d->btClose->isEnabled(); }, 1100));
    ie->btClose->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return ie.isNull(); }, 500));
    EXPECT_TRUE(QTest::qWaitFor([&] { return d->btClose->isEnabled(); }, 1100));
}

TEST_F(DesktopTest, LeavingAsksFirstAndDecliningChangesNothing)
{
    struct Case {
        bool answer;
    };
    for (Case c : {Case{false}, Case{true}}) {
        SCOPED_TRACE(c.answer);
        pravik::test::ScopedPrompts prompts;
        prompts->answers = {c.answer};
        QPointer<TfrmOperationMain> d = makeDesktop(26);
        sim::OpenWindow("TfrmRecy");
        QPointer<QWidget> recy = fakes.current.value("TfrmRecy");
        recy->hide(); // exists, not visible: the exit button stays usable
        ASSERT_TRUE(QTest::qWaitFor([&] { return d->btClose->isEnabled(); }, 1500));

        d->btClose->click();
        ASSERT_EQ(prompts->records.size(), 1);
        EXPECT_EQ(prompts->records[0].kind, "AskPrompt");
        EXPECT_EQ(prompts->records[0].text, QString("确定退出吗？"));
        EXPECT_EQ(prompts->records[0].title, QString("提示信息"));
        pump(50);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!c.answer) {
            ASSERT_FALSE(d.isNull());
            EXPECT_TRUE(d->isVisible());
            EXPECT_TRUE(d->tmrRefresh->isActive());
            EXPECT_FALSE(recy.isNull());
            EXPECT_EQ(sim::Ref<TfrmOperationMain>().data(), d.data());
            delete d.data();
        } else {
            EXPECT_TRUE(d.isNull());
            EXPECT_TRUE(recy.isNull());
            EXPECT_TRUE(sim::Ref<TfrmOperationMain>().isNull());
        }
    }
}

TEST_F(DesktopTest, DescriptionPictureDecidesSlot19)
{
    for (bool withPicture : {false, true}) {
        SCOPED_TRACE(withPicture);
        TQuestion fresh;
        fresh.OperationType = 26;
        sim::SetCurrentQuestion(&fresh);
        TfrmOperationMain* d = makeDesktop(26, withPicture ? makePicture() : QString());
        EXPECT_EQ(fresh.OpAnswer(19), withPicture ? QString() : QString("0"));
        EXPECT_EQ(d->sboxQuestionDesc2->isVisible(), !withPicture);
        EXPECT_EQ(d->paperImage->pixmap().isNull(), !withPicture);
        // The type-26 desktop is complete either way: clock set.
        EXPECT_FALSE(d->lbTime->text().isEmpty());
        delete d;
    }
}

TEST_F(DesktopTest, EmptyingTheRecycleBinIsRecordedAndRemembered)
{
    for (bool yes : {false, true}) {
        SCOPED_TRACE(yes);
        TQuestion fresh;
        fresh.OperationType = 26;
        sim::SetCurrentQuestion(&fresh);
        TfrmOperationMain* d = makeDesktop(26, makePicture());
        ASSERT_TRUE(d->ImgRecy->isVisible());
        QString boxText;
        whenVisible([] { return QApplication::activeModalWidget(); },
                    [&](QWidget* w) {
                        auto* box = qobject_cast<QMessageBox*>(w);
                        ASSERT_TRUE(box);
                        boxText = box->text() + "|" + box->windowTitle();
                        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
                        box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
                    });
        QAction* empty = TfrmOperationMain::FindAction(d->PPRecy, {"清空回收站(&B)"});
        empty->trigger();
        EXPECT_EQ(boxText, QString("确实要删除“回收站”中的所有项目吗?|确认删除多个文件"));
        EXPECT_EQ(d->ImgRecy->isVisible(), !yes);
        EXPECT_EQ(empty->isEnabled(), !yes);
        EXPECT_EQ(fresh.OpAnswer(10), yes ? QString("1") : QString());
        delete d;

        // A second visit shows the bin as it was left.
        TfrmOperationMain* again = makeDesktop(26, makePicture());
        EXPECT_EQ(again->ImgRecy->isVisible(), !yes);
        delete again;
    }
}

TEST_F(DesktopTest, HiddenTaskbarShowsOnlyAtTheBottomEdge)
{
    q.SetOpAnswer(0, "隐藏");
    TfrmOperationMain* d = makeDesktop(26, makePicture());
    EXPECT_FALSE(d->Panel2->isVisible());
    auto moveTo = [&](int y) {
        QMouseEvent e(QEvent::MouseMove, QPointF(300, y), d->Panel1->mapToGlobal(QPointF(300, y)),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(d->Panel1, &e);
    };
    const int h = d->Panel1->height();
    moveTo(h - 5);
    EXPECT_FALSE(d->Panel2->isVisible());
    moveTo(h - 4);
    EXPECT_TRUE(d->Panel2->isVisible());
    EXPECT_EQ(d->Panel1->height(), h - 25);
    moveTo(100);
    EXPECT_FALSE(d->Panel2->isVisible());
    delete d;

    q.SetOpAnswer(0, "显示");
    d = makeDesktop(26, makePicture());
    moveTo(100);
    EXPECT_TRUE(d->Panel2->isVisible());
}

TEST_F(DesktopTest, SecurityProgramsShowTheirTaskButtonsAndMarkSlots)
{
    q.SetOpAnswer(27, "5");
    TfrmOperationMain* d = makeDesktop(26);
    TfrmOperationMain::FindAction(d->PpStartMenu, {"程序(&P)", "360安全中心", "360安全卫士"})->trigger();
    EXPECT_EQ(q.OpAnswer(20), QString("0"));
    EXPECT_TRUE(d->btn1->isVisible());
    EXPECT_EQ(d->btn1->x(), 64);
    EXPECT_EQ(fakes.opened, QStringList{"Tfrm360safe1"});
    TfrmOperationMain::FindAction(d->PpStartMenu, {"程序(&P)", "360安全中心", "360杀毒"})->trigger();
    EXPECT_EQ(q.OpAnswer(27), QString("5")); // only an empty slot is set
    EXPECT_TRUE(d->btn360sd->isVisible());
    EXPECT_EQ(d->btn360sd->x(), 64);
    fakes.current.value("Tfrm360safe1")->hide();
    d->btn1->click();
    EXPECT_TRUE(fakes.current.value("Tfrm360safe1")->isVisible());
}

TEST_F(DesktopTest, ShowOperationDesktopRunsModallyUntilLeft)
{
    pravik::test::ScopedPrompts prompts;
    prompts->answers = {true};
    whenVisible([] { return sim::Ref<TfrmOperationMain>().data(); },
                [](QWidget* w) {
                    auto* d = static_cast<TfrmOperationMain*>(w);
                    EXPECT_EQ(d->lblCurrOpTitle->text(), QString("当前操作题为：IE设置题"));
                    EXPECT_TRUE(d->isModal() || d->windowModality() != Qt::NonModal);
                    QTimer::singleShot(1100, d->btClose, &QPushButton::click);
                });
    ShowOperationDesktop(&q, 23, "当前操作题为：IE设置题", QString());
    EXPECT_EQ(sim::OpType(), 23);
    EXPECT_EQ(sim::CurrentQuestion(), &q);
    EXPECT_EQ(prompts->records.size(), 1);
    pump(20);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(sim::Ref<TfrmOperationMain>().isNull());
}

} // namespace
