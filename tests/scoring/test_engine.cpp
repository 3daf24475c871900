// The substitute scoring engine: its rule, and the whole round trip through pf.ini,
// the digest argument, rt.zt and the window message.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <gtest/gtest.h>

#include "ScoringRule.h"
#include "common/IniFile.h"
#include "platform/Ansi.h"
#include "platform/WinMessages.h"
#include "platform/WinPaths.h"
#include "ScoringTestFiles.h"
#include "support/TestEnv.h"

using pravik::test::TestEnv;

namespace {

QByteArray b64(const QString& s) { return s.toUtf8().toBase64(); }

// A question with a document step (report.txt must contain "完成") and an answer step
// (the archive must contain "低"), and a step that is not scored.
struct Fixture {
    QString root;
    ScoringInput in;
    explicit Fixture(const QString& name)
    {
        root = TestEnv::freshDir(name);
        WriteHostFile(root + "/Paper.xml",
                      "<paper><paperinfo><moduleid>1</moduleid></paperinfo><questions><quest>"
                      "<questionid>9</questionid><score>10</score></quest></questions></paper>");
        WriteHostFile(root + "/Step.xml",
                      "<questionsteps>"
                      "<tOperationStepGroups><para1>x</para1></tOperationStepGroups>"
                      "<queststep><knowledge>6002</knowledge><para1>"
                          + b64("report.txt") + "</para1><para3>" + b64("完成")
                          + "</para3><isscore>1</isscore></queststep>"
                            "<queststep><knowledge>23001</knowledge><para1>"
                          + b64("低")
                          + "</para1><isscore>1</isscore></queststep>"
                            "<queststep><knowledge>1</knowledge><para1>"
                          + b64("never")
                          + "</para1><isscore>0</isscore></queststep>"
                            "</questionsteps>");
        WriteHostFile(root + "/ans.zt", win::toAnsi(QStringLiteral("[strOpsList]\r\n9=高,中)True\r\n")));
        QDir().mkpath(root + "/practice/9");
        in.paperFile = win::fromHost(root + "/Paper.xml");
        in.stepFile = win::fromHost(root + "/Step.xml");
        in.ansFile = win::fromHost(root + "/ans.zt");
        in.ansPath = win::fromHost(root + "/practice");
        in.questId = 9;
    }
};

} // namespace

TEST(ScoringRule, EachScoredStepEarnsItsShare)
{
    Fixture fx(QStringLiteral("rule"));
    ScoringOutcome out = ScoreExercise(fx.in);
    ASSERT_TRUE(out.ok) << out.error.toStdString();
    EXPECT_EQ(out.scoredSteps, 2);
    EXPECT_EQ(out.passedSteps, 0);
    EXPECT_DOUBLE_EQ(out.score, 0);

    WriteHostFile(fx.root + "/practice/9/report.txt", win::toAnsi(QStringLiteral("我已完成")));
    out = ScoreExercise(fx.in);
    EXPECT_EQ(out.passedSteps, 1);
    EXPECT_DOUBLE_EQ(out.score, 5);

    WriteHostFile(fx.root + "/ans.zt", win::toAnsi(QStringLiteral("[strOpsList]\r\n9=低,中)True\r\n")));
    out = ScoreExercise(fx.in);
    EXPECT_DOUBLE_EQ(out.score, 10);
    EXPECT_DOUBLE_EQ(out.paperScore, 10);
}

TEST(ScoringRule, UnreadableInputsFail)
{
    Fixture fx(QStringLiteral("broken"));
    WriteHostFile(fx.root + "/Step.xml", "<questionsteps>");
    EXPECT_FALSE(ScoreExercise(fx.in).ok);
    WriteHostFile(fx.root + "/Step.xml", "<!DOCTYPE x [<!ENTITY a \"b\">]><questionsteps/>");
    EXPECT_FALSE(ScoreExercise(fx.in).ok);
}

namespace {

struct EngineRun {
    unsigned message = 0;
    QString errMsg;
    QByteArray result;
};

// Writes pf.ini for the fixture, registers a window, runs the engine with the given
// argument and environment and waits for its message.
EngineRun runEngine(Fixture& fx, const QString& argument, const QStringList& env)
{
    EngineRun run;
    const win::HWND hwnd = win::RegisterWindow(
        QStringLiteral("TEngineProbe"), QStringLiteral("probe"),
        [&run](unsigned msg, win::WPARAM, win::LPARAM) -> win::LRESULT {
            run.message = msg;
            return 0;
        });
    const QString prog = TestEnv::freshDir(QStringLiteral("engine-prog"));
    QByteArray ini = "[PfPara]\r\nPaperFile=" + fx.in.paperFile.toUtf8()
        + "\r\nStepFile=" + fx.in.stepFile.toUtf8() + "\r\nAnsFile=" + fx.in.ansFile.toUtf8()
        + "\r\nAnsPath=" + fx.in.ansPath.toUtf8() + "\r\nResultFile=" + win::fromHost(fx.root).toUtf8()
        + "\\pf\\rt.zt\r\nmsgHandle=" + QByteArray::number(hwnd)
        + "\r\nquestId=9\r\nareaid=\r\nstageid=\r\nEnvCheckResult=1\r\n";
    WriteHostFile(prog + "/pf.ini", ini);
    const QString digest = QString::fromLatin1(
        QCryptographicHash::hash(ini, QCryptographicHash::Md5).toHex().toUpper());

    QProcess p;
    p.setWorkingDirectory(prog);
    QProcessEnvironment pe = QProcessEnvironment::systemEnvironment();
    for (const QString& kv : env)
        pe.insert(kv.section('=', 0, 0), kv.section('=', 1));
    p.setProcessEnvironment(pe);
    p.start(TestEnv::buildBinDir() + QStringLiteral("/ravAduVeDiz.exe"),
            {argument.isNull() ? digest : argument});
    EXPECT_TRUE(p.waitForStarted(5000));
    QElapsedTimer t;
    t.start();
    while (run.message == 0 && t.elapsed() < 15000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    p.waitForFinished(5000);
    win::UnregisterWindow(hwnd);
    run.errMsg = TIniFile(win::fromHost(prog + "/pf.ini"))
                     .ReadString(QStringLiteral("PfPara"), QStringLiteral("ErrMsg"));
    QFile r(fx.root + "/pf/rt.zt");
    if (r.open(QIODevice::ReadOnly))
        run.result = r.readAll();
    return run;
}

} // namespace

TEST(ScoringEngine, AnswersWithResultAndPfOk)
{
    Fixture fx(QStringLiteral("engine-ok"));
    WriteHostFile(fx.root + "/practice/9/report.txt", "完成");
    const EngineRun run = runEngine(fx, QString(), {});
    EXPECT_EQ(run.message, win::WM_USER + 101);
    EXPECT_TRUE(run.result.contains("<questid>9</questid>"));
    EXPECT_TRUE(run.result.contains("<score>5.00</score>"));
    EXPECT_TRUE(run.result.contains("<pfresult>0</pfresult>"));
}

TEST(ScoringEngine, FailuresAnswerWithPfFail)
{
    struct Case {
        QString argument;
        QStringList env;
        QString errMsg;
    };
    const Case cases[] = {
        {QStringLiteral("0123456789ABCDEF0123456789ABCDEF"), {}, QStringLiteral("评分参数校验失败")},
        {QString(), {QStringLiteral("PRAVIK_ENGINE_FAIL=试卷损坏")}, QStringLiteral("试卷损坏")},
        {QString(), {QStringLiteral("PRAVIK_ENGINE_FAIL=-")}, QString()},
    };
    for (const auto& c : cases) {
        Fixture fx(QStringLiteral("engine-fail"));
        const EngineRun run = runEngine(fx, c.argument, c.env);
        EXPECT_EQ(run.message, win::WM_USER + 102) << c.errMsg.toStdString();
        EXPECT_EQ(run.errMsg, c.errMsg);
        EXPECT_TRUE(run.result.isEmpty());
    }
}

// A file step may name a path inside the question folder (an upload into the FTP
// server's folder); a path that leaves it is no file step.
TEST(ScoringRule, FileStepsMayNameAPathInsideTheQuestionFolder)
{
    Fixture fx(QStringLiteral("rule-subfolder"));
    WriteHostFile(fx.root + "/Step.xml",
                  "<questionsteps>"
                  "<queststep><knowledge>22002</knowledge><para1>"
                      + b64("DownLoad\\作业.doc")
                      + "</para1><isscore>1</isscore></queststep>"
                        "<queststep><knowledge>22003</knowledge><para1>"
                      + b64("..\\9\\作业.doc")
                      + "</para1><isscore>1</isscore></queststep>"
                        "<queststep><knowledge>22004</knowledge><para1>"
                      + b64("C:\\作业.doc")
                      + "</para1><isscore>1</isscore></queststep>"
                        "</questionsteps>");
    ScoringOutcome out = ScoreExercise(fx.in);
    ASSERT_TRUE(out.ok) << out.error.toStdString();
    EXPECT_EQ(out.passedSteps, 0);
    WriteHostFile(fx.root + "/practice/9/DownLoad/作业.doc", "homework");
    WriteHostFile(fx.root + "/practice/9/作业.doc", "homework");
    out = ScoreExercise(fx.in);
    EXPECT_EQ(out.scoredSteps, 3);
    EXPECT_EQ(out.passedSteps, 1) << out.remarks.join('\n').toStdString();
}
