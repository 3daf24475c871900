// The toolbar: layout, names, captions, place on the screen, Exit answered with
// Cancel, the window messages, the drive letter of its creation.
#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QTest>
#include <QTimer>

#include "AppTestSupport.h"
#include "app/GuiPrompts.h"
#include "app/uFrmMain.h"
#include "app/ufrmTamryShowMessage.h"
#include "app/ufrmTool.h"
#include "environment/unDMDB.h"
#include "platform/Ansi.h"
#include "platform/WinMessages.h"
#include "platform/WinPaths.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnv.h"

using pravik::test::TestEnv;

namespace {

// The toolbar without the start sequence (which needs the website).
class TestTool : public TfrmTool {
public:
    int starts = 0;
    bool StartExercise() override
    {
        ++starts;
        TimerSave->start();
        return true;
    }
};

class ToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!DM)
            m_dm = std::make_unique<TDM>();
    }
    std::unique_ptr<TDM> m_dm;
};

struct WidgetCase {
    const char* name;
    QRect geometry;
    const char* text; // caption ("" = none checked)
};

const WidgetCase kWidgets[] = {
    {"TntImage1", QRect(0, -2, 381, 537), ""},      {"labOpPath", QRect(0, 40, 376, 39), "考生文件夹: "},
    {"TntScrollBox1", QRect(11, 90, 354, 359), ""}, {"btnMinimize", QRect(326, 8, 24, 21), ""},
    {"btnExit", QRect(350, 8, 24, 21), ""},         {"btnOpenMat", QRect(32, 480, 86, 31), "打开素材"},
    {"btnDo", QRect(148, 480, 86, 31), "续做本题"}, {"btnSubmit", QRect(264, 480, 86, 31), "提交"},
};

TEST_F(ToolTest, LayoutNamesAndCaptions)
{
    TestTool tool;
    EXPECT_EQ(tool.windowTitle(), QStringLiteral("Pravik"));
    EXPECT_EQ(tool.size(), QSize(381, 535));
    EXPECT_TRUE(tool.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(tool.windowFlags() & Qt::WindowStaysOnTopHint);
    for (const WidgetCase& c : kWidgets) {
        SCOPED_TRACE(c.name);
        auto* w = tool.findChild<QWidget*>(QString::fromLatin1(c.name));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->geometry(), c.geometry);
        const QString expected = QString::fromUtf8(c.text);
        if (expected.isEmpty())
            continue;
        if (auto* l = qobject_cast<QLabel*>(w)) {
            EXPECT_EQ(l->text(), expected);
        } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            EXPECT_EQ(b->text(), expected);
        }
    }
    // Caption font and colour of the path label and the text buttons.
    EXPECT_EQ(tool.labOpPath->font().pixelSize(), 13);
    EXPECT_TRUE(tool.labOpPath->font().families().contains(QStringLiteral("微软雅黑")));
    EXPECT_TRUE(tool.labOpPath->alignment() & Qt::AlignHCenter);
    EXPECT_TRUE(tool.labOpPath->alignment() & Qt::AlignVCenter);
    EXPECT_EQ(tool.btnSubmit->font().pixelSize(), 13);
    // paperImage lives in the scroll box; the catalogue form exists and stays hidden.
    EXPECT_EQ(tool.TntScrollBox1->widget(), tool.paperImage);
    ASSERT_NE(tool.frmmain, nullptr);
    EXPECT_EQ(tool.frmmain->Catalogue(12), QStringLiteral("当前操作题为："));
    // Timers.
    EXPECT_EQ(tool.TimerTime->interval(), 1000);
    EXPECT_TRUE(tool.TimerTime->isActive());
    EXPECT_EQ(tool.TimerSave->interval(), 60000);
    EXPECT_FALSE(tool.TimerSave->isActive());
}

TEST_F(ToolTest, ShownFlushWithTheBottomRightCornerAndStartsOnce)
{
    TestTool tool;
    tool.show();
    ASSERT_TRUE(apptest::WaitFor([&] { return tool.starts == 1; }, 2000));
    const QRect a = tool.screen()->availableGeometry();
    EXPECT_EQ(tool.geometry().right(), a.right());
    EXPECT_EQ(tool.geometry().bottom(), a.bottom());
    EXPECT_EQ(tool.labOpPath->text(), QStringLiteral("考生文件夹: ") + strCurDisk + QStringLiteral(":\\"));
    tool.hide();
    tool.show();
    QTest::qWait(50);
    EXPECT_EQ(tool.starts, 1);
}

TEST_F(ToolTest, CreationTakesDriveLetterY)
{
    strCurDisk.clear();
    TestTool tool;
    EXPECT_TRUE(tool.Created());
    EXPECT_EQ(strCurDisk, QStringLiteral("Y"));
}

TEST_F(ToolTest, CreationTakesAnotherLetterWhenYIsMapped)
{
    const QString target = TestEnv::freshDir(QStringLiteral("y-taken"));
    ASSERT_TRUE(win::DefineDrive(QLatin1Char('Y'), win::fromHost(target)));
    {
        TestTool tool;
        EXPECT_TRUE(tool.Created());
        EXPECT_EQ(strCurDisk.size(), 1);
        EXPECT_NE(strCurDisk, QStringLiteral("Y"));
        EXPECT_FALSE(win::QueryDrive(QLatin1Char('Y')).isEmpty()); // someone else's mapping stays
    }
    win::RemoveDrive(QLatin1Char('Y'));
}

TEST_F(ToolTest, ExitAnsweredWithCancelLeavesTheTimersRunning)
{
    auto previous = SetPrompts(std::make_unique<TGuiPrompts>());
    TestTool tool;
    tool.TimerSave->start();
    QString asked;
    apptest::OnNextModal([&](QWidget* w) {
        auto* frm = static_cast<TfrmTamryShowMessage*>(w);
        asked = frm->lblInfo1->text();
        QTest::mouseClick(frm->btnCancel, Qt::LeftButton);
    });
    QTest::mouseClick(tool.btnExit, Qt::LeftButton);
    SetPrompts(std::move(previous));
    EXPECT_EQ(asked, QStringLiteral("正在练习，确定要退出吗？"));
    EXPECT_TRUE(tool.TimerTime->isActive());
    EXPECT_TRUE(tool.TimerSave->isActive());
    EXPECT_FALSE(ApplicationQuitting());
}

struct PfFailCase {
    const char* name;
    const char* pfIni; // nullptr: no pf.ini
    const char* prompt;
};

const PfFailCase kPfFail[] = {
    {"engine_text", "[PfPara]\r\nErrMsg=  试题文件缺失  \r\n", "试题文件缺失"},
    {"empty_text", "[PfPara]\r\nErrMsg=\r\n", "评分失败"},
    {"no_file", nullptr, "评分失败"},
};

TEST_F(ToolTest, ScoringFailureMessageShowsTheEngineText)
{
    TestTool tool;
    ASSERT_NE(tool.Handle(), 0u);
    ASSERT_EQ(win::FindWindow(QStringLiteral("TfrmTool"), QStringLiteral("Pravik")), tool.Handle());
    const QString pf = TestEnv::programDir() + QStringLiteral("/pf.ini");
    for (const PfFailCase& c : kPfFail) {
        SCOPED_TRACE(c.name);
        QFile::remove(pf);
        if (c.pfIni) {
            QFile f(pf);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(win::toAnsi(QString::fromUtf8(c.pfIni)));
        }
        pravik::test::ScopedPrompts prompts;
        tool.TimerSave->stop();
        EXPECT_EQ(win::SendMessage(tool.Handle(), WM_PFFAIL, 0, 0), 0);
        ASSERT_EQ(prompts->records.size(), 1);
        EXPECT_EQ(prompts->records[0].kind, QStringLiteral("ShowPrompt"));
        EXPECT_EQ(prompts->records[0].text, QString::fromUtf8(c.prompt));
        EXPECT_EQ(prompts->records[0].style, 1);
        EXPECT_EQ(prompts->records[0].title, QStringLiteral("提示信息"));
        EXPECT_FALSE(tool.TimerSave->isActive()); // the window stays, timers stay off
        EXPECT_FALSE(ApplicationQuitting());
    }
    QFile::remove(pf);
}

TEST_F(ToolTest, DraggedByTheBackgroundAndThePathLabel)
{
    TestTool tool;
    tool.show();
    ASSERT_TRUE(apptest::WaitFor([&] { return tool.starts == 1; }, 2000));
    tool.move(300, 200);
    auto send = [](QWidget* target, QEvent::Type type, const QPoint& local, Qt::MouseButtons buttons) {
        const QPointF global = target->mapToGlobal(QPointF(local));
        QMouseEvent e(type, QPointF(local), global, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      buttons, Qt::NoModifier);
        QApplication::sendEvent(target, &e);
    };
    // Press on the background and move: the window follows the mouse.
    send(tool.TntImage1, QEvent::MouseButtonPress, QPoint(200, 300), Qt::LeftButton);
    send(tool.TntImage1, QEvent::MouseMove, QPoint(170, 260), Qt::LeftButton);
    send(tool.TntImage1, QEvent::MouseButtonRelease, QPoint(170, 260), Qt::NoButton);
    EXPECT_EQ(tool.pos(), QPoint(270, 160));
    // Moving over the path label with the left button held drags too; without it not.
    send(tool.labOpPath, QEvent::MouseMove, QPoint(100, 20), Qt::NoButton);
    EXPECT_EQ(tool.pos(), QPoint(270, 160));
    send(tool.labOpPath, QEvent::MouseMove, QPoint(100, 20), Qt::LeftButton);
    send(tool.labOpPath, QEvent::MouseMove, QPoint(120, 25), Qt::LeftButton);
    send(tool.labOpPath, QEvent::MouseButtonRelease, QPoint(120, 25), Qt::NoButton);
    EXPECT_EQ(tool.pos(), QPoint(290, 165));
}

TEST_F(ToolTest, DestroyCleanUpRunsTwiceWithoutHarm)
{
    TestTool tool;
    tool.FormDestroy();
    tool.FormDestroy();
    tool.close(); // FormClose runs the clean-up again
    EXPECT_EQ(tool.FStuDirManage, nullptr);
    EXPECT_EQ(tool.FwebServer, nullptr);
}

TEST_F(ToolTest, OpenMaterialWithoutAQuestionSaysSo)
{
    TestTool tool;
    pravik::test::ScopedPrompts prompts;
    QTest::mouseClick(tool.btnOpenMat, Qt::LeftButton);
    ASSERT_EQ(prompts->records.size(), 1);
    EXPECT_EQ(prompts->records[0].text, QStringLiteral("试题编号为0"));
    EXPECT_FALSE(ApplicationQuitting());
}

} // namespace
