#pragma once
// A test fixture for the launch tests: a data module, scripted prompts, captured log
// lines, short waits, and small fake programs registered in the emulated registry.
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>
#include <memory>

#include "environment/StartApp.h"
#include "environment/unDMDB.h"
#include "support/ScriptedPrompts.h"

namespace launchtest {

// Collects every log line written through TDM::WriteLog.
class CapturingLog;

class LaunchTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes an executable shell script (host path) with the body after "#!/bin/sh".
    static void writeScript(const QString& hostPath, const QString& body);
    // A fake program that writes its arguments, one per line, to argsFile and then
    // stays running for a while (or ends at once with stay=false). Returns its Windows path.
    QString fakeProgram(const QString& name, const QString& argsFile, bool stay = true);
    static void registerAppPath(const QString& exeName, const QString& winPath, const QString& versions = {});
    static void registerClass(const QString& className, const QString& command);
    // The lines a fake program recorded ({} until the file exists), waiting up to 3 s.
    static QStringList waitForLines(const QString& hostFile);
    // True when the process of that image name ends (or is gone) within ms.
    static bool waitGone(const QString& exeName, int ms);
    static bool waitRunning(const QString& exeName, int ms);

    QStringList logLines() const;
    bool logged(const QString& line) const { return logLines().contains(line); }

    QString dir; // a fresh host folder of this test
    std::unique_ptr<TDM> dm;
    std::unique_ptr<pravik::test::ScopedPrompts> prompts;
    std::shared_ptr<CapturingLog> log;
    QStringList startedNames; // image names killed at the end
};

} // namespace launchtest
