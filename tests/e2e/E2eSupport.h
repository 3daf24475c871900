#pragma once
// The test side of the end-to-end exercises (e2e_exercise, e2e_windows_exercise): a
// fixture that prepares the program folder, the prefix and a folder of its own for each
// test, starts the practice site, runs the client in a child mode of the test
// executable (see E2eChild.h) and reads what the client, the scoring engine and the
// site left behind.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <utility>

#include "support/SiteProcess.h"

namespace pravik::test {

// The toolbar's questions at Submit and at Exit.
inline const QString kSubmitQuestion = QStringLiteral("请确保已做好保存，否则会影响评分。\r\n确认提交？");
inline const QString kExitQuestion = QStringLiteral("正在练习，确定要退出吗？");

// The contents of a file; empty when it cannot be read.
QString ReadText(const QString& path);
QByteArray ReadBytes(const QString& path);
// A key=value file written by the child (CR and LF written as \r and \n).
QMap<QString, QString> ReadState(const QString& path);

// Whether the process runs; a zombie (still answering kill(0)) does not.
bool ProcessAlive(qint64 pid);

struct ChildPrompt {
    QString kind; // "ShowPrompt", "AskPrompt", ...
    QString text;
};

// What one client run left behind in its output folder.
struct ClientRun {
    int exitCode = -1;
    bool crashed = false;
    bool timedOut = false;
    qint64 ms = 0;
    QString stuck; // the student script's step that did not complete
    QList<ChildPrompt> prompts;
    QMap<QString, QString> running, after, end, seen;
    QString out;

    QStringList promptTexts() const;
    QString describe() const;
};

class E2eTest : public ::testing::Test {
protected:
    // sample: a sample question (folder of questionsDir()) the suite relies on.
    explicit E2eTest(QString sample) : m_sample(std::move(sample)) { }

    // A fresh prefix, the program folder with the programs, no shell opens, and the
    // test's own folder (dir) with the site's upload record (uploads) and the place
    // of the engine's record (record, for PRAVIK_ENGINE_RECORD).
    void SetUp() override;
    // Ends what the fake programs left running (their *.pid files in dir) and the site.
    void TearDown() override;

    // The sample questions of the build.
    static QString questionsDir();

    // The site with the sample questions (or another questions folder).
    void startSite(const QString& questions = {});

    // The launch address of a question of the site, with an optional query.
    QString launch(const QString& name, const QString& query = {}) const;

    // One client run in the named child mode of this executable, with the launch
    // parameter (none when empty) and the child's environment additions; bounded to
    // timeoutMs. The output folder is dir/runN.
    ClientRun runChild(const QString& mode, int timeoutMs, const QString& launchArg,
                       const QMap<QString, QString>& env);

    // The uploads as the site received them.
    QList<QJsonObject> uploadsReceived() const;

    // A questions folder with one question "odd": the folder sample whose paper names
    // another operation type. Returns the questions folder.
    QString questionOfType(int type);

    // A fake program (a shell script at hostPath): records its pid (dir/<tag>.pid) and
    // its arguments (dir/<tag>.args, one a line), then stays running for 20 s.
    // Returns its Windows path; empty when it could not be written.
    QString fakeProgram(const QString& hostPath, const QString& tag);
    qint64 pidOf(const QString& tag) const;
    // The arguments of the fake program (waits at most 3 s for them).
    QStringList argsOf(const QString& tag) const;

    QString dir;
    QString uploads;
    QString record;
    std::unique_ptr<SiteProcess> site;

private:
    QString m_sample;
    int m_runs = 0;
};

} // namespace pravik::test
