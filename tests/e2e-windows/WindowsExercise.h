#pragma once
// The fixture of the end-to-end exercises worked in the client's own windows: the
// practice site, one client run in the "windows-exercise" child mode (WindowsChild.cpp,
// with the student scenario that E2E_SCENARIO names) and the copy of the ans.zt that
// the substitute scoring engine read. Every family of windows has a test file of its
// own that uses it.
#include <gtest/gtest.h>

#include <QJsonObject>
#include <QString>

#include "e2e/E2eSupport.h"
#include "platform/Ansi.h"

namespace pravik::test {

inline const QString kLeaveDesktop = QStringLiteral("确定退出吗？");
inline const QString kLineSep = QStringLiteral("!@#$%^&*");

class WindowsExercise : public E2eTest {
protected:
    WindowsExercise() : E2eTest(QStringLiteral("typing")) { }

    // One client run in the "windows-exercise" child mode (see WindowsChild.cpp); the
    // engine keeps a copy of what it read (record); bounded to 32 s.
    ClientRun runClient(const QString& launchArg, QMap<QString, QString> env)
    {
        env.insert(QStringLiteral("PRAVIK_ENGINE_RECORD"), record);
        return runChild(QStringLiteral("windows-exercise"), 32000, launchArg, env);
    }

    // The answer archive as the engine read it (GBK, CR LF).
    QString engineArchive() const { return win::fromAnsi(ReadBytes(record + QStringLiteral(".ans.zt"))); }

    // A submitted run: the prompts, one upload, the run ended cleanly.
    void expectSubmitted(const ClientRun& r, const QStringList& promptsBefore, const QString& questionId)
    {
        EXPECT_EQ(r.promptTexts(), promptsBefore + QStringList{kSubmitQuestion})
            << r.describe().toStdString();
        const QList<QJsonObject> up = uploadsReceived();
        ASSERT_EQ(up.size(), 1);
        EXPECT_EQ(up.first().value(QStringLiteral("questionid")).toString(), questionId);
        EXPECT_FALSE(r.timedOut) << r.describe().toStdString();
        EXPECT_FALSE(r.crashed);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.end.value(QStringLiteral("quitting")), QStringLiteral("1"));
    }
};

} // namespace pravik::test
