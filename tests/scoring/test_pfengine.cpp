// The bridge to the scoring engine: pf.ini, its digest, and the reading of rt.zt.
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "platform/Ansi.h"
#include "platform/WinPaths.h"
#include "platform/WinProcess.h"
#include "scoring/pfEngine.h"
#include "support/ScriptedPrompts.h"
#include "ScoringTestFiles.h"
#include "support/TestEnv.h"

using pravik::test::TestEnv;

TEST(PfEngine, SaveToPfWritesTheElevenLines)
{
    pravik::test::ScopedPrompts prompts;
    const QString prog = TestEnv::programDir();
    WriteHostFile(prog + QStringLiteral("/subjects/42/42.xml"), "<questionsteps/>");
    win::DefineDrive(QLatin1Char('D'), win::fromHost(TestEnv::freshDir(QStringLiteral("driveD"))));

    TpfEngine pf;
    pf.ExamRoot = QStringLiteral("D:\\StuExamData\\");
    pf.questId = 42;
    pf.msgHandle = 4000000001u;
    pf.areaid = QStringLiteral("A1");
    pf.stageid = QStringLiteral("S2");
    pf.EnvCheckResult = QStringLiteral("1");
    ASSERT_TRUE(pf.SaveToPf(QStringLiteral("20261211093000")));
    EXPECT_TRUE(prompts->records.isEmpty());

    const QString e = win::ProgramDir();
    const QString expected = QStringLiteral("[PfPara]\r\n"
                                            "PaperFile=%1subjects\\Paper.xml\r\n"
                                            "StepFile=%1subjects\\Step.xml\r\n"
                                            "AnsFile=D:\\StuExamData\\20261211093000\\ans.zt\r\n"
                                            "AnsPath=D:\\StuExamData\\20261211093000\\20261211093000\r\n"
                                            "ResultFile=D:\\StuExamData\\20261211093000\\pf\\rt.zt\r\n"
                                            "msgHandle=4000000001\r\n"
                                            "questId=42\r\n"
                                            "areaid=A1\r\n"
                                            "stageid=S2\r\n"
                                            "EnvCheckResult=1\r\n")
                                 .arg(e);
    EXPECT_EQ(win::fromAnsi(ReadHostFile(prog + QStringLiteral("/pf.ini"))), expected);
    EXPECT_EQ(ReadHostFile(prog + QStringLiteral("/subjects/Step.xml")), QByteArray("<questionsteps/>"));
    EXPECT_EQ(pf.ResultFolderName, QStringLiteral("20261211093000"));

    // The digest follows every byte, the window handle included.
    const QString first = PfIniDigest(e + QStringLiteral("pf.ini"));
    EXPECT_EQ(first.size(), 32);
    EXPECT_EQ(first, first.toUpper());
    // An old read-only pf.ini is made writable and replaced.
    QFile::setPermissions(prog + QStringLiteral("/pf.ini"), QFile::ReadOwner);
    pf.msgHandle = 7;
    ASSERT_TRUE(pf.SaveToPf(QStringLiteral("20261211093000")));
    EXPECT_NE(PfIniDigest(e + QStringLiteral("pf.ini")), first);
    EXPECT_TRUE(ReadHostFile(prog + QStringLiteral("/pf.ini")).contains("msgHandle=7\r\n"));
    win::RemoveDrive(QLatin1Char('D'));
}

TEST(PfEngine, SaveToPfRefusesWithoutQuestionOrSteps)
{
    pravik::test::ScopedPrompts prompts;
    TpfEngine pf;
    pf.ExamRoot = QStringLiteral("C:\\x\\");
    EXPECT_FALSE(pf.SaveToPf(QStringLiteral("1")));
    pf.questId = 999999;
    EXPECT_FALSE(pf.SaveToPf(QStringLiteral("1")));
    EXPECT_EQ(prompts->texts(),
              (QStringList{QStringLiteral("指定的试题编号不存在"), QStringLiteral("评分的步骤表丢失")}));
}

TEST(PfEngine, PfRefusesWhenInputsAreMissing)
{
    pravik::test::ScopedPrompts prompts;
    QFile::remove(TestEnv::programDir() + QStringLiteral("/pf.ini"));
    TpfEngine pf;
    EXPECT_FALSE(pf.PF());
    EXPECT_EQ(prompts->texts(), QStringList{QStringLiteral("评分需要的文件不存在")});
}

TEST(PfEngine, ReadResultCases)
{
    pravik::test::ScopedPrompts prompts;
    const QString root = TestEnv::freshDir(QStringLiteral("results"));
    TpfEngine pf;
    pf.ExamRoot = win::fromHost(root) + QLatin1Char('\\');
    pf.ResultFolderName = QStringLiteral("N");
    const QString rt = root + QStringLiteral("/N/pf/rt.zt");

    struct Case {
        const char* xml;
        int questid;
        int pfresult;
        float score;
        QString px;
        QString fail;
    };
    const Case cases[] = {
        {"<r><questid>7</questid><pfresult>0</pfresult><pftime>t</pftime><score>7.5</score><px>好</px></r>",
         7, 0, 7.5f, QStringLiteral("好"), QString()},
        {"<r><questid>7</questid><pfresult>3</pfresult><fail>坏</fail></r>", 7, 3, 0, QString(),
         QStringLiteral("坏")},
        // Without pftime or with an unreadable score the result stays as it was.
        {"<r><questid>7</questid><pfresult>0</pfresult><score>1</score></r>", -1, -1, -1, QString(),
         QString()},
        {"<r><questid>7</questid><pfresult>0</pfresult><pftime>t</pftime><score>x</score></r>", -1, -1, -1,
         QString(), QString()},
        {"not xml", -1, -1, -1, QString(), QString()},
    };
    for (const auto& c : cases) {
        WriteHostFile(rt, c.xml);
        TPfInfo info;
        info.questid = -1;
        info.pfresult = -1;
        info.score = -1;
        pf.ReadResult(info);
        EXPECT_EQ(info.questid, c.questid) << c.xml;
        EXPECT_EQ(info.pfresult, c.pfresult) << c.xml;
        EXPECT_FLOAT_EQ(info.score, c.score) << c.xml;
        EXPECT_EQ(info.px, c.px) << c.xml;
        EXPECT_EQ(info.fail, c.fail) << c.xml;
    }
    EXPECT_TRUE(prompts->records.isEmpty());

    QFile::remove(rt);
    TPfInfo info;
    pf.ReadResult(info);
    ASSERT_EQ(prompts->records.size(), 1);
    EXPECT_EQ(prompts->records[0].text,
              QStringLiteral("文件:") + pf.ExamRoot + QStringLiteral("N\\pf\\rt.zt不存在"));
    EXPECT_EQ(info.questid, 0);
}

TEST(PfEngine, PfRefusesASecondEngine)
{
    pravik::test::ScopedPrompts prompts;
    // Inputs that exist, named by a pf.ini in the program folder.
    const QString dir = TestEnv::freshDir(QStringLiteral("second-engine"));
    WriteHostFile(dir + QStringLiteral("/Paper.xml"), "<p/>");
    WriteHostFile(dir + QStringLiteral("/ans.zt"), "[strOpsList]\r\n");
    QDir().mkpath(dir + QStringLiteral("/practice"));
    const QString w = win::fromHost(dir);
    WriteHostFile(TestEnv::programDir() + QStringLiteral("/pf.ini"),
                  ("[PfPara]\r\nPaperFile=" + w + "\\Paper.xml\r\nStepFile=" + w
                   + "\\Paper.xml\r\nAnsFile=" + w + "\\ans.zt\r\nAnsPath=" + w + "\\practice\r\n")
                      .toUtf8());
    TpfEngine pf;
    ASSERT_TRUE(pf.CheckPfFiles());

    // An engine of an earlier Submit still runs.
    const qint64 pid = win::CreateProcess(QStringLiteral("sleep 20"), {}, QStringLiteral("ravAduVeDiz.exe"));
    ASSERT_NE(pid, 0);
    EXPECT_FALSE(pf.PF());
    win::TerminateProcess(pid, 0);
    win::WaitForProcess(pid, 5000);
    EXPECT_EQ(prompts->texts(),
              QStringList{QStringLiteral("评分引擎的一个实例已经在运行,请先关闭该实例的进程")});
}
