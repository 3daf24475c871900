#include "E2eSupport.h"

#include <QTest>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <sys/types.h>

#include "platform/WinPaths.h"
#include "support/ChildProcess.h"
#include "support/TestEnv.h"

namespace pravik::test {

QString ReadText(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

namespace {

QString unescape(QString t)
{
    t.replace(QStringLiteral("\\r"), QStringLiteral("\r"));
    t.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    return t;
}

} // namespace

QMap<QString, QString> ReadState(const QString& path)
{
    QMap<QString, QString> m;
    for (const QString& line : ReadText(path).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        m.insert(line.section(QLatin1Char('='), 0, 0), unescape(line.section(QLatin1Char('='), 1)));
    return m;
}

bool ProcessAlive(qint64 pid)
{
    if (pid <= 0)
        return false;
    const QString stat = ReadText(QStringLiteral("/proc/%1/stat").arg(pid));
    if (stat.isEmpty())
        return false;
    return !stat.section(QLatin1Char(')'), -1).trimmed().startsWith(QLatin1Char('Z'));
}

// ---------------------------------------------------------------------------
// ClientRun

QStringList ClientRun::promptTexts() const
{
    QStringList l;
    for (const auto& p : prompts)
        l << p.text;
    return l;
}

QString ClientRun::describe() const
{
    QString s = QStringLiteral("exit %1 after %2 ms%3%4; prompts:")
                    .arg(exitCode)
                    .arg(ms)
                    .arg(timedOut ? QStringLiteral(" (timed out)") : QString(),
                         stuck.isEmpty() ? QString() : QStringLiteral(" stuck at ") + stuck);
    for (const auto& p : prompts)
        s += QStringLiteral("\n  ") + p.kind + QStringLiteral(": ") + p.text;
    return s;
}

// ---------------------------------------------------------------------------
// E2eTest

void E2eTest::SetUp()
{
    TestEnv::resetPrefix();
    QDir(TestEnv::programDir()).removeRecursively();
    QDir().mkpath(TestEnv::programDir());
    TestEnv::fillProgramFolder(true);
    TestEnv::clearShellOpens();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = TestEnv::freshDir(QString::fromLatin1(info->test_suite_name()) + QLatin1Char('_')
                            + QString::fromLatin1(info->name()).replace(QLatin1Char('/'), QLatin1Char('_')));
    uploads = dir + QStringLiteral("/uploads.jsonl");
    record = dir + QStringLiteral("/engine.rec");
    ASSERT_TRUE(QFile::exists(TestEnv::programDir() + QStringLiteral("/ravAduVeDiz.exe")));
    ASSERT_TRUE(QFile::exists(questionsDir() + QLatin1Char('/') + m_sample + QStringLiteral("/Paper.xml")));
}

void E2eTest::TearDown()
{
    for (const QString& pidFile : QDir(dir).entryList({QStringLiteral("*.pid")}, QDir::Files)) {
        const qint64 pid = ReadText(dir + QLatin1Char('/') + pidFile).trimmed().toLongLong();
        if (ProcessAlive(pid))
            ::kill(static_cast<pid_t>(pid), SIGKILL);
    }
    site.reset();
}

QString E2eTest::questionsDir() { return TestEnv::buildBinDir() + QStringLiteral("/../practice-questions"); }

void E2eTest::startSite(const QString& questions)
{
    site = std::make_unique<SiteProcess>(QStringList{QStringLiteral("--questions"),
                                                     questions.isEmpty() ? questionsDir() : questions,
                                                     QStringLiteral("--record"), uploads});
    ASSERT_FALSE(site->url().isEmpty()) << "the practice site did not start";
}

QString E2eTest::launch(const QString& name, const QString& query) const
{
    return QStringLiteral("KelTamry-EXERCISE://") + site->url() + QStringLiteral("/launch/") + name
        + (query.isEmpty() ? QString() : QLatin1Char('?') + query);
}

ClientRun E2eTest::runChild(const QString& mode, int timeoutMs, const QString& launchArg,
                            const QMap<QString, QString>& env)
{
    ClientRun r;
    r.out = dir + QStringLiteral("/run") + QString::number(++m_runs);
    QDir().mkpath(r.out);
    QProcess p;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (auto it = env.begin(); it != env.end(); ++it)
        e.insert(it.key(), it.value());
    p.setProcessEnvironment(e);
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    QStringList args{r.out};
    if (!launchArg.isEmpty())
        args << launchArg;
    QElapsedTimer t;
    t.start();
    p.start(SelfExecutable(), ChildArguments(mode, args));
    if (!p.waitForStarted(5000))
        return r;
    if (!p.waitForFinished(timeoutMs)) {
        r.timedOut = true;
        p.kill();
        p.waitForFinished(3000);
    }
    r.ms = t.elapsed();
    r.crashed = p.exitStatus() != QProcess::NormalExit;
    r.exitCode = p.exitCode();
    r.timedOut = r.timedOut || QFile::exists(r.out + QStringLiteral("/timeout.txt"));
    r.stuck = ReadText(r.out + QStringLiteral("/stuck.txt")).trimmed();
    for (const QString& line :
         ReadText(r.out + QStringLiteral("/prompts.txt")).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        r.prompts.append(
            {line.section(QLatin1Char('\t'), 0, 0), unescape(line.section(QLatin1Char('\t'), 1))});
    r.running = ReadState(r.out + QStringLiteral("/running.txt"));
    r.after = ReadState(r.out + QStringLiteral("/after.txt"));
    r.end = ReadState(r.out + QStringLiteral("/end.txt"));
    r.seen = ReadState(r.out + QStringLiteral("/seen.txt"));
    return r;
}

QList<QJsonObject> E2eTest::uploadsReceived() const
{
    QList<QJsonObject> l;
    for (const QString& line : ReadText(uploads).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        l << QJsonDocument::fromJson(line.toUtf8()).object();
    return l;
}

QString E2eTest::questionOfType(int type)
{
    const QString questions = dir + QStringLiteral("/questions");
    const QString q = questions + QStringLiteral("/odd");
    QDir().mkpath(q);
    const QString sample = questionsDir() + QStringLiteral("/windows-folder/");
    for (const QString& f : QDir(sample).entryList(QDir::Files))
        EXPECT_TRUE(QFile::copy(sample + f, q + QLatin1Char('/') + f)) << f.toStdString();
    QByteArray paper = ReadBytes(q + QStringLiteral("/Paper.xml"));
    EXPECT_TRUE(paper.contains("<operationtype>5</operationtype>"));
    paper.replace("<operationtype>5</operationtype>",
                  "<operationtype>" + QByteArray::number(type) + "</operationtype>");
    QFile pf(q + QStringLiteral("/Paper.xml"));
    EXPECT_TRUE(pf.open(QIODevice::WriteOnly | QIODevice::Truncate));
    pf.write(paper);
    return questions;
}

QString E2eTest::fakeProgram(const QString& hostPath, const QString& tag)
{
    QDir().mkpath(QFileInfo(hostPath).absolutePath());
    QFile f(hostPath);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        ADD_FAILURE() << "cannot write the fake program " << hostPath.toStdString();
        return {};
    }
    f.write(QStringLiteral("#!/bin/sh\necho $$ > '%1/%2.pid'\n"
                           "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > '%1/%2.args.tmp'\n"
                           "mv '%1/%2.args.tmp' '%1/%2.args'\nexec sleep 20\n")
                .arg(dir, tag)
                .toUtf8());
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return win::fromHost(hostPath);
}

qint64 E2eTest::pidOf(const QString& tag) const
{
    return ReadText(dir + QLatin1Char('/') + tag + QStringLiteral(".pid")).trimmed().toLongLong();
}

QStringList E2eTest::argsOf(const QString& tag) const
{
    const QString file = dir + QLatin1Char('/') + tag + QStringLiteral(".args");
    (void)QTest::qWaitFor([&file] { return QFile::exists(file); }, 3000); // read whatever is there
    return ReadText(file).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace pravik::test
