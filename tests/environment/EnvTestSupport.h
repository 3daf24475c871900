#pragma once
// Helpers of the environment tests: a recording logger attached as the process
// logger, a data module per test, host paths of Windows paths, small file helpers.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

#include "environment/unDMDB.h"
#include "platform/WinPaths.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnv.h"
#include "support/TestFiles.h"

namespace envtest {

class RecordingLog : public ILogCtrl {
public:
    QStringList lines;
    void SetLevel(TLogType) override { }
    void Debug(const QString& t) override { lines << t; }
    void Info(const QString& t) override { lines << t; }
    void Warn(const QString& t) override { lines << t; }
    void Error(const QString& t) override { lines << t; }
    void Fatal(const QString& t) override { lines << t; }
    void Debug(const QObject*, const QString& t) override { lines << t; }
    void Info(const QObject*, const QString& t) override { lines << t; }
    void Warn(const QObject*, const QString& t) override { lines << t; }
    void Error(const QObject*, const QString& t) override { lines << t; }
    void Fatal(const QObject*, const QString& t) override { lines << t; }
    void GetText(QString& t) override { t = lines.join("\n"); }
    void Write(TLogType, const QObject*, const QString& t) override { lines << t; }
};

inline QString host(const QString& winPath) { return win::toHost(winPath); }

using pravik::test::ReadHostFile;
using pravik::test::WriteHostFile;

// Relative paths of every file and folder below a host folder (folders end in "/").
inline QStringList treeOf(const QString& hostDir)
{
    QStringList out;
    const QDir base(hostDir);
    std::function<void(const QString&)> walk = [&](const QString& d) {
        for (const QFileInfo& fi :
             QDir(d).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name)) {
            const QString rel = base.relativeFilePath(fi.absoluteFilePath());
            if (fi.isDir()) {
                out << rel + "/";
                walk(fi.absoluteFilePath());
            } else {
                out << rel;
            }
        }
    };
    walk(hostDir);
    return out;
}

// A fresh data module with a recording logger and scripted prompts.
class EnvFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        log = std::make_shared<RecordingLog>();
        SetProcessLogger(log);
        dm = std::make_unique<TDM>();
        DM = dm.get();
        strCurDisk.clear();
        TStudents = TStudentsRec{};
    }
    void TearDown() override
    {
        SetProcessLogger(nullptr);
        dm.reset();
        DM = nullptr;
    }
    std::shared_ptr<RecordingLog> log;
    std::unique_ptr<TDM> dm;
    pravik::test::ScopedPrompts prompts;
};

} // namespace envtest
