// Whole exercises of the questions that are worked in the client's own windows (the
// typing window, the simulated desktop with the Internet options dialog) and of the
// questions started through registered programs (a program question, Paint with its
// recorder). The practice site serves the question, the client runs in the
// "windows-exercise" child mode (WindowsChild.cpp) whose student script works in the
// windows, and the substitute scoring engine keeps a copy of the ans.zt it read.
#include <gtest/gtest.h>

#include <QTest>
#include <QFile>
#include <QImage>
#include <QJsonObject>

#include "common/DelimitedText.h"
#include "e2e/E2eSupport.h"
#include "platform/Ansi.h"
#include "platform/WinPaths.h"
#include "platform/WinRegistry.h"
#include "simulation/ieset/ufrmIESet.h"
#include "support/TestEnv.h"
#include "WindowsExercise.h"

using namespace pravik::test;

namespace {

// ---------------------------------------------------------------------------
// Typing (type 11)

// From the launch address the typing window opens with the sample's lines; the
// student types into the first two lines (Chinese through the input method, the rest
// as key clicks); the answer text holds the typing result
// after the window's timer tick; the window closed and reopened by the continue start
// shows the same input; the engine reads the result in the answer line.
TEST_F(WindowsExercise, TypingRunsFromLaunchToTheStoredResult)
{
    startSite();
    const ClientRun r = runClient(launch(QStringLiteral("typing")),
                                  {{QStringLiteral("E2E_SCENARIO"), QStringLiteral("typing")},
                                   {QStringLiteral("E2E_ACTION"), QStringLiteral("submit")}});
    ASSERT_TRUE(r.stuck.isEmpty()) << r.describe().toStdString();

    // The sample's paragraphs run together into one text (line breaks removed), cut
    // into lines of at most 80 GBK bytes: the first ends after a one-byte character at
    // byte 80, the second after the second byte of a Chinese character at byte 80.
    EXPECT_EQ(
        r.seen.value(QStringLiteral("references")),
        QStringList({QStringLiteral(
                         "春天来了，小草从地下探出头来。Practice makes perfect.Typing every day helps you "),
                     QStringLiteral(
                         "learn the keyboard, and good habits make your fingers fast and accurate.学习信息"),
                     QStringLiteral("技术，打好基础很重要。")})
            .join(QLatin1Char('\n')));
    EXPECT_EQ(r.seen.value(QStringLiteral("lines")), QStringLiteral("3"));
    EXPECT_EQ(r.seen.value(QStringLiteral("edits")), QStringLiteral("1"));
    EXPECT_EQ(r.seen.value(QStringLiteral("total")), QStringLiteral("152"));
    EXPECT_EQ(r.seen.value(QStringLiteral("btnDoHidden")), QStringLiteral("1"));

    // "春天来X" (three right, one wrong) and "learn the keyboard" (18 right): 22 typed,
    // 21 right, 1 wrong, of 152; the input lines each followed by the separator.
    const QString result = QStringLiteral("152$#$22$#$21$#$1$#$春天来X") + kLineSep
        + QStringLiteral("learn the keyboard") + kLineSep + kLineSep;
    EXPECT_EQ(r.seen.value(QStringLiteral("answer.typed")), result);
    EXPECT_EQ(r.seen.value(QStringLiteral("panels")),
              QStringLiteral("共有文字152个|输入22个|正确21个|错误1个"));
    EXPECT_EQ(r.seen.value(QStringLiteral("closed")), QStringLiteral("1"));

    // SoftStart_Continue brings the window back with the input and the same result.
    EXPECT_EQ(r.seen.value(QStringLiteral("continue")), QStringLiteral("1"));
    EXPECT_EQ(r.seen.value(QStringLiteral("reopened")), QStringLiteral("1"));
    EXPECT_EQ(r.seen.value(QStringLiteral("reopened.edit1")), QStringLiteral("春天来X"));
    EXPECT_EQ(r.seen.value(QStringLiteral("reopened.edit2")), QStringLiteral("learn the keyboard"));
    EXPECT_EQ(r.seen.value(QStringLiteral("answer.reopened")), result);

    EXPECT_EQ(engineArchive(),
              QStringLiteral("[strOpsList]\r\n11001=") + result + QStringLiteral(")True\r\n"));
    expectSubmitted(r, {}, QStringLiteral("11001"));
}

// ---------------------------------------------------------------------------
// The simulated desktop (types 23 and 26)

// The desktop opens modally from the start sequence; the student opens "Internet 属性"
// through the desktop's browser icon, moves the security slider to the bottom ("低"),
// presses "确定", leaves the desktop; the engine reads the 66 values.
TEST_F(WindowsExercise, InternetOptionsQuestionRecordsTheSixtySixValues)
{
    startSite();
    const ClientRun r = runClient(launch(QStringLiteral("ie-settings")),
                                  {{QStringLiteral("E2E_SCENARIO"), QStringLiteral("ieset")},
                                   {QStringLiteral("E2E_ACTION"), QStringLiteral("submit")}});
    ASSERT_TRUE(r.stuck.isEmpty()) << r.describe().toStdString();

    EXPECT_EQ(r.seen.value(QStringLiteral("desktop.title")), QStringLiteral("当前操作题为：IE设置题"));
    // The toolbar's timers wait for the desktop; "续做本题" is offered.
    EXPECT_EQ(r.seen.value(QStringLiteral("desktop.timerSave")), QStringLiteral("0"));
    EXPECT_EQ(r.seen.value(QStringLiteral("desktop.btnDoHidden")), QStringLiteral("0"));
    EXPECT_EQ(r.seen.value(QStringLiteral("desktop.ieSpotEnabled")), QStringLiteral("1"));

    const QString defaults = ieset::BuildAnswerText(ieset::DefaultSettings());
    EXPECT_EQ(r.seen.value(QStringLiteral("answer.opened")), defaults);
    EXPECT_EQ(r.seen.value(QStringLiteral("level")), QStringLiteral("安全级 - 低"));

    QMap<int, QString> low = ieset::DefaultSettings();
    low[2] = QStringLiteral("低");
    const QString expected = ieset::BuildAnswerText(low);
    EXPECT_EQ(r.seen.value(QStringLiteral("answer.saved")), expected);

    const QString ans = engineArchive();
    ASSERT_TRUE(ans.startsWith(QStringLiteral("[strOpsList]\r\n23001="))) << ans.toStdString();
    ASSERT_TRUE(ans.endsWith(QStringLiteral(")True\r\n"))) << ans.toStdString();
    const QString values = ans.mid(20).chopped(7);
    const QStringList split = delimited::Split(values);
    EXPECT_EQ(split.size(), 66) << values.toStdString();
    EXPECT_EQ(split.value(1), QStringLiteral("低"));
    EXPECT_EQ(values, expected);

    expectSubmitted(r, {kLeaveDesktop}, QStringLiteral("23001"));
}

// The desktop's description panel shows the question's description picture (the
// picture the toolbar shows).
//
// The start sequence hands the desktop the Windows path of the picture.
TEST_F(WindowsExercise, DesktopShowsTheDescriptionPicture)
{
    startSite();
    const ClientRun r = runClient(launch(QStringLiteral("ie-settings")),
                                  {{QStringLiteral("E2E_SCENARIO"), QStringLiteral("ieset")},
                                   {QStringLiteral("E2E_ACTION"), QStringLiteral("exit")}});
    ASSERT_TRUE(r.stuck.isEmpty()) << r.describe().toStdString();
    const QImage picture(questionsDir() + QStringLiteral("/ie-settings/description.png"));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(r.seen.value(QStringLiteral("desktop.description")),
              QStringLiteral("%1x%2").arg(picture.width()).arg(picture.height()));
}

// Windows Virtual: the student empties the recycle bin from its menu, leaves, comes
// back through "续做本题" (the bin stays emptied) and submits; the final save holds
// the flattened list of 21 entries.
TEST_F(WindowsExercise, WindowsVirtualQuestionSavesTheFlattenedList)
{
    startSite();
    const ClientRun r = runClient(launch(QStringLiteral("windows-virtual")),
                                  {{QStringLiteral("E2E_SCENARIO"), QStringLiteral("virtual")},
                                   {QStringLiteral("E2E_ACTION"), QStringLiteral("submit")}});
    ASSERT_TRUE(r.stuck.isEmpty()) << r.describe().toStdString();

    EXPECT_EQ(r.seen.value(QStringLiteral("desktop.title")), QStringLiteral("当前操作题为：Windows Virtual"));
    EXPECT_EQ(r.seen.value(QStringLiteral("desktop.timerSave")), QStringLiteral("0"));
    EXPECT_EQ(r.seen.value(QStringLiteral("desktop.recyclePicture")), QStringLiteral("1"));
    EXPECT_EQ(r.seen.value(QStringLiteral("emptyAction")), QStringLiteral("1"));
    EXPECT_EQ(r.seen.value(QStringLiteral("confirm.text")),
              QStringLiteral("确实要删除“回收站”中的所有项目吗?"));
    EXPECT_EQ(r.seen.value(QStringLiteral("slot10")), QStringLiteral("1"));
    EXPECT_EQ(r.seen.value(QStringLiteral("recyclePicture.after")), QStringLiteral("0"));
    // The second visit: the same title, the bin still emptied.
    EXPECT_EQ(r.seen.value(QStringLiteral("again.title")), QStringLiteral("当前操作题为：Windows Virtual"));
    EXPECT_EQ(r.seen.value(QStringLiteral("again.recyclePicture")), QStringLiteral("0"));

    QStringList entries;
    for (int slot = 0; slot <= 28; ++slot)
        entries << QString::number(slot <= 12 ? 26020 + slot : 26021 + slot) + QStringLiteral("==>")
                + (slot == 10 ? QStringLiteral("1") : QString());
    EXPECT_EQ(engineArchive(),
              QStringLiteral("[strOpsList]\r\n26001=") + entries.join(QStringLiteral("<++>"))
                  + QStringLiteral(")True\r\n"));
    expectSubmitted(r, {kLeaveDesktop, kLeaveDesktop}, QStringLiteral("26001"));
}

// ---------------------------------------------------------------------------
// Programs

// A program question (Access, started by the worker thread): the program named by the
// class open command runs, it is the program to close, and the exit clean-up ends it.
TEST_F(WindowsExercise, ProgramQuestionStartsTheRegisteredProgramAndExitEndsIt)
{
    const QString access = fakeProgram(dir + QStringLiteral("/bin/MSACCESS.EXE"), QStringLiteral("access"));
    ASSERT_TRUE(win::RegWriteString(win::Hive::HKCR, QStringLiteral("Accesshtmlfile\\shell\\open\\command"),
                                    QString(), QLatin1Char('"') + access + QStringLiteral("\" \"%1\"")));
    startSite(questionOfType(9));
    const ClientRun r = runClient(launch(QStringLiteral("odd")),
                                  {{QStringLiteral("E2E_ACTION"), QStringLiteral("exit")}});
    ASSERT_FALSE(r.running.isEmpty()) << r.describe().toStdString();

    EXPECT_EQ(r.running.value(QStringLiteral("ProgramToClose")), QStringLiteral("MSACCESS.EXE"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return pidOf(QStringLiteral("access")) > 0; }, 3000))
        << "the program did not start";
    EXPECT_EQ(argsOf(QStringLiteral("access")), QStringList{});
    EXPECT_TRUE(TestEnv::shellOpens().isEmpty()) << TestEnv::shellOpens().join('\n').toStdString();

    EXPECT_EQ(r.promptTexts(), QStringList{kExitQuestion}) << r.describe().toStdString();
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !ProcessAlive(pidOf(QStringLiteral("access"))); }, 3000))
        << "the program still runs after the exit";
}

// A Paint question: Paint from its App Paths entry and the recorder console from the
// program folder with the log file of the question folder; the exit ends both.
TEST_F(WindowsExercise, PaintQuestionStartsPaintAndItsRecorder)
{
    const QString paint = fakeProgram(dir + QStringLiteral("/bin/mspaint.exe"), QStringLiteral("paint"));
    ASSERT_TRUE(win::RegWriteString(
        win::Hive::HKLM,
        QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\mspaint.exe"), QString(),
        paint));
    fakeProgram(TestEnv::programDir() + QStringLiteral("/ConsoleTest.exe"), QStringLiteral("console"));
    startSite(questionOfType(27));
    const ClientRun r = runClient(launch(QStringLiteral("odd")),
                                  {{QStringLiteral("E2E_ACTION"), QStringLiteral("exit")}});
    ASSERT_FALSE(r.running.isEmpty()) << r.describe().toStdString();

    const QString folder = QStringLiteral("Y:\\5001\\");
    EXPECT_EQ(argsOf(QStringLiteral("console")),
              QStringList{QStringLiteral("-password:vq;path:") + folder + QStringLiteral("\\Mspaint.kel;")});
    EXPECT_EQ(argsOf(QStringLiteral("paint")), QStringList{});
    EXPECT_EQ(r.running.value(QStringLiteral("ProgramToClose")), QStringLiteral("mspaint.exe"));
    EXPECT_EQ(r.running.value(QStringLiteral("RecorderToClose")), QStringLiteral("ConsoleTest.exe"));
    EXPECT_EQ(r.running.value(QStringLiteral("answer")), QStringLiteral("1"));

    EXPECT_EQ(r.promptTexts(), QStringList{kExitQuestion}) << r.describe().toStdString();
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !ProcessAlive(pidOf(QStringLiteral("paint"))); }, 3000))
        << "Paint still runs";
    EXPECT_TRUE(QTest::qWaitFor([this] { return !ProcessAlive(pidOf(QStringLiteral("console"))); }, 3000))
        << "the recorder still runs";
}

} // namespace
