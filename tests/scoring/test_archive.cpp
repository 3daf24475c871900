// The answer archive: the answer line, the flattened operation list, the saved-file
// list, the escaping, and the replacement that never leaves a truncated archive.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

#include "platform/Ansi.h"
#include "platform/WinPaths.h"
#include "question/TQuestion.h"
#include "scoring/AnswerArchive.h"
#include "support/ChildProcess.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnv.h"

using pravik::test::TestEnv;

namespace {

QString readAnsi(const QString& winPath)
{
    QFile f(win::toHost(winPath));
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("<missing>");
    return win::fromAnsi(f.readAll());
}

QString examineeDir(const QString& name)
{
    return win::fromHost(TestEnv::freshDir(name)) + QLatin1Char('\\');
}

} // namespace

TEST(AnswerArchive, ReplaceAndRevertAreInverse)
{
    struct Case {
        QString plain, escaped;
    };
    const Case cases[] = {
        {QStringLiteral("a b,c"), QStringLiteral("a@%@b@&@c")},
        {QStringLiteral("x#13y#10z"), QStringLiteral("x@#@y@$@z")},
        {QString(), QString()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReplaceStr(c.plain), c.escaped);
        EXPECT_EQ(RevertStr(c.escaped), c.plain);
    }
}

TEST(AnswerArchive, EntryNumbersSkip26033)
{
    EXPECT_EQ(OpAnswerEntryNumber(0), 26020);
    EXPECT_EQ(OpAnswerEntryNumber(12), 26032);
    EXPECT_EQ(OpAnswerEntryNumber(13), 26034);
    EXPECT_EQ(OpAnswerEntryNumber(20), 26041);
    EXPECT_EQ(OpAnswerEntryNumber(130), 26151);
}

TEST(AnswerArchive, FinalSaveOfWindowsQuestionFlattensSlots0To28)
{
    pravik::test::ScopedPrompts prompts;
    TQuestion q;
    q.QuestionId = 77;
    q.QuestionType = 5;
    q.OperationType = 26;
    q.Answered = true;
    q.SetOpAnswer(0, QStringLiteral("1"));
    q.SetOpAnswer(20, QStringLiteral("1"));
    q.SetOpAnswer(26, QStringLiteral("1")); // the printer wizard
    q.SetOpAnswer(28, QStringLiteral("0")); // the last mouse setting
    q.SetOpAnswer(29, QStringLiteral("not in the final save"));
    const QString dir = examineeDir(QStringLiteral("flat"));
    ASSERT_TRUE(SaveOperationArchive(q, dir, dir + QStringLiteral("ans.zt")));

    const QString answer = q.GetAnswer();
    const QStringList entries = answer.split(QStringLiteral("<++>"));
    EXPECT_EQ(entries.size(), 29);
    EXPECT_TRUE(answer.startsWith(QStringLiteral("26020==>1<++>26021==><++>")));
    EXPECT_TRUE(answer.contains(QStringLiteral("<++>26040==><++>26041==>1<++>26042==><++>")));
    EXPECT_TRUE(entries.contains(QStringLiteral("26047==>1")));
    EXPECT_TRUE(answer.endsWith(QStringLiteral("<++>26049==>0")));
    EXPECT_FALSE(answer.contains(QStringLiteral("26033")));
    EXPECT_FALSE(answer.contains(QStringLiteral("not in the final save")));
    EXPECT_EQ(readAnsi(dir + QStringLiteral("ans.zt")),
              QStringLiteral("[strOpsList]\r\n77=") + answer + QStringLiteral(")True\r\n"));
}

TEST(AnswerArchive, FinalSaveListsSavedFilesOfDocumentQuestions)
{
    pravik::test::ScopedPrompts prompts;
    struct Case {
        int questionType, opType;
        QString expected;
    };
    const Case cases[] = {
        {5, 6, QStringLiteral("[strOpsList]\r\n12=1)False\r\n[subjectanslist]\r\n12=1\r\n")},
        {5, 7, QStringLiteral("[strOpsList]\r\n12=1)False\r\n[subjectanslist]\r\n12=1\r\n")},
        {5, 9, QStringLiteral("[strOpsList]\r\n12=1)False\r\n")},
        {3, 9, QStringLiteral("[strOpsList]\r\n")},
    };
    for (const auto& c : cases) {
        TQuestion q;
        q.QuestionId = 12;
        q.QuestionType = c.questionType;
        q.OperationType = c.opType;
        q.SetAnswer(QStringLiteral("1"));
        const QString dir = examineeDir(QStringLiteral("doc%1_%2").arg(c.questionType).arg(c.opType));
        ASSERT_TRUE(SaveOperationArchive(q, dir, dir + QStringLiteral("ans.zt")));
        EXPECT_EQ(readAnsi(dir + QStringLiteral("ans.zt")), c.expected) << c.opType;
    }
}

TEST(AnswerArchive, PeriodicSaveWritesAnswerLineInGbkAndHonoursTheSavingFlag)
{
    TQuestion q;
    q.QuestionId = 5;
    q.QuestionType = 5;
    q.OperationType = 11;
    q.SetAnswer(QStringLiteral("中文,答案"));
    const QString dir = examineeDir(QStringLiteral("periodic"));
    bool saving = true; // a save is running
    EXPECT_FALSE(SaveAnswerArchive(q, dir, saving));
    EXPECT_EQ(readAnsi(dir + QStringLiteral("ans.zt")), QStringLiteral("<missing>"));

    saving = false;
    ASSERT_TRUE(SaveAnswerArchive(q, dir, saving));
    EXPECT_FALSE(saving);
    QFile f(win::toHost(dir + QStringLiteral("ans.zt")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), win::toAnsi(QStringLiteral("[strOpsList]\r\n5=中文,答案)False\r\n")));
}

TEST(AnswerArchive, PeriodicSaveFlattensAll131Slots)
{
    TQuestion q;
    q.QuestionId = 1;
    q.QuestionType = 5;
    q.OperationType = 26;
    q.SetOpAnswer(130, QStringLiteral("end"));
    const QString dir = examineeDir(QStringLiteral("all131"));
    bool saving = false;
    ASSERT_TRUE(SaveAnswerArchive(q, dir, saving));
    EXPECT_EQ(q.GetAnswer().split(QStringLiteral("<++>")).size(), 131);
    EXPECT_TRUE(q.GetAnswer().endsWith(QStringLiteral("26151==>end")));
}

// A writer that replaces the archive again and again with one of two contents until
// it is killed.
static int archiveWriter(const QStringList& args)
{
    const QString path = args.value(0);
    QStringList a, b;
    for (int i = 0; i < 20000; ++i) {
        a << QStringLiteral("A%1=aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa").arg(i);
        b << QStringLiteral("B%1=bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb").arg(i);
    }
    for (int n = 0;; ++n)
        WriteArchiveFile(path, (n % 2) ? b : a);
}
PRAVIK_CHILD_MODE("archive-writer", archiveWriter);

TEST(AnswerArchive, KilledInTheMiddleOfASaveLeavesAWholeArchive)
{
    const QString dir = examineeDir(QStringLiteral("kill"));
    const QString path = dir + QStringLiteral("ans.zt");
    QByteArray expectA, expectB;
    for (int i = 0; i < 20000; ++i) {
        expectA += QStringLiteral("A%1=aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\r\n").arg(i).toLatin1();
        expectB += QStringLiteral("B%1=bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb\r\n")
                       .arg(i)
                       .toLatin1();
    }
    for (int round = 0; round < 6; ++round) {
        QProcess child;
        child.start(pravik::test::SelfExecutable(),
                    pravik::test::ChildArguments(QStringLiteral("archive-writer"), {path}));
        ASSERT_TRUE(child.waitForStarted(5000));
        QThread::msleep(150 + 37 * round);
        child.kill();
        child.waitForFinished(5000);
        QFile f(win::toHost(path));
        if (!f.exists())
            continue; // killed before the first archive was complete
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray got = f.readAll();
        EXPECT_TRUE(got == expectA || got == expectB) << "round " << round << ": " << got.size() << " bytes";
    }
}
