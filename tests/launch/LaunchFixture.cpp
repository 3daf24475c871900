#include "LaunchFixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <QThread>

#include <mutex>

#include "common/KelPubLib.h"
#include "platform/WinPaths.h"
#include "platform/WinProcess.h"
#include "platform/WinRegistry.h"
#include "support/TestEnv.h"

namespace launchtest {

class CapturingLog : public ILogCtrl {
public:
    void SetLevel(TLogType) override { }
    void Debug(const QString& t) override { add(t); }
    void Info(const QString& t) override { add(t); }
    void Warn(const QString& t) override { add(t); }
    void Error(const QString& t) override { add(t); }
    void Fatal(const QString& t) override { add(t); }
    void Debug(const QObject*, const QString& t) override { add(t); }
    void Info(const QObject*, const QString& t) override { add(t); }
    void Warn(const QObject*, const QString& t) override { add(t); }
    void Error(const QObject*, const QString& t) override { add(t); }
    void Fatal(const QObject*, const QString& t) override { add(t); }
    void GetText(QString& text) override { text = lines().join('\n'); }
    void Write(TLogType, const QObject*, const QString& t) override { add(t); }

    QStringList lines() const
    {
        std::lock_guard g(m_lock);
        return m_lines;
    }

private:
    void add(const QString& t)
    {
        std::lock_guard g(m_lock);
        m_lines << t;
    }
    mutable std::mutex m_lock;
    QStringList m_lines;
};

void LaunchTest::SetUp()
{
    using pravik::test::TestEnv;
    TestEnv::resetPrefix();
    TestEnv::clearShellOpens();
    QDir(TestEnv::programDir()).removeRecursively();
    QDir().mkpath(TestEnv::programDir());
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = TestEnv::freshDir(QString::fromLatin1(info->test_suite_name()) + "_"
                            + QString::fromLatin1(info->name()).replace('/', '_'));
    dm = std::make_unique<TDM>();
    ASSERT_EQ(DM, dm.get());
    prompts = std::make_unique<pravik::test::ScopedPrompts>();
    log = std::make_shared<CapturingLog>();
    SetProcessLogger(log);
    LaunchLimits() = TLaunchLimits{};
    LaunchLimits().checkEnvPolls = 50;
    LaunchLimits().killUntilGoneMs = 3000;
}

void LaunchTest::TearDown()
{
    TStartApp::WaitForAll(3000);
    QCoreApplication::processEvents();
    for (const QString& n : startedNames)
        win::KillProcessByName(n);
    SetProcessLogger(nullptr);
    prompts.reset();
    dm.reset();
}

void LaunchTest::writeScript(const QString& hostPath, const QString& body)
{
    QDir().mkpath(QFileInfo(hostPath).absolutePath());
    QFile f(hostPath);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("#!/bin/sh\n");
    f.write(body.toUtf8());
    f.write("\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString LaunchTest::fakeProgram(const QString& name, const QString& argsFile, bool stay)
{
    const QString host = dir + "/bin/" + name;
    QString body = QStringLiteral("for a in \"$@\"; do printf '%s\\n' \"$a\"; done > '") + argsFile
        + ".tmp'\nmv '" + argsFile + ".tmp' '" + argsFile + "'\n";
    if (stay)
        body += "exec sleep 20\n";
    writeScript(host, body);
    startedNames << name;
    return win::fromHost(host);
}

void LaunchTest::registerAppPath(const QString& exeName, const QString& winPath, const QString& versions)
{
    const QString key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + exeName;
    win::RegWriteString(win::Hive::HKLM, key, QString(), winPath);
    if (!versions.isEmpty())
        win::RegWriteString(win::Hive::HKLM, key, "Versions", versions);
}

void LaunchTest::registerClass(const QString& className, const QString& command)
{
    win::RegWriteString(win::Hive::HKCR, className + "\\shell\\open\\command", QString(), command);
}

QStringList LaunchTest::waitForLines(const QString& hostFile)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 3000) {
        QFile f(hostFile);
        if (f.open(QIODevice::ReadOnly))
            return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
        QThread::msleep(20);
    }
    return {};
}

bool LaunchTest::waitGone(const QString& exeName, int ms)
{
    QElapsedTimer t;
    t.start();
    while (win::IsProcessRunning(exeName)) {
        if (t.elapsed() > ms)
            return false;
        QThread::msleep(20);
    }
    return true;
}

bool LaunchTest::waitRunning(const QString& exeName, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!win::IsProcessRunning(exeName)) {
        if (t.elapsed() > ms)
            return false;
        QThread::msleep(20);
    }
    return true;
}

QStringList LaunchTest::logLines() const { return log->lines(); }

} // namespace launchtest
