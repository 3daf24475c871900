// Child program of the exit tests. Modes:
//   modal        a modal window is open when ReportAndExit(quit) arrives; its prompt shows
//   silent       the same without prompt
//   before-loop  ReportAndExit(quit) before the main loop runs
//   config-fail  ReadConfig with a root that cannot be made (failure F)
// Every step is printed to stdout; a watchdog ends the program with code 3 when the
// application does not end by itself.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "common/Prompts.h"
#include "environment/Config.h"
#include "environment/unDMDB.h"
#include "platform/Ansi.h"
#include "platform/WinPaths.h"

namespace {

void say(const QString& line)
{
    std::fprintf(stdout, "%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

// Prompts shown as real modal windows that close themselves after a moment.
class ModalPrompts : public IPrompts {
public:
    bool ShowPrompt(const QString& t, int s, const QString& ti) override { return show(t, s, ti); }
    bool AskPrompt(const QString& t, int s, const QString& ti) override { return show(t, s, ti); }
    bool ShowPrompt2(const QString& t, int s, const QString& ti) override { return show(t, s, ti); }
    bool AskPrompt2(const QString& t, int s, const QString& ti) override { return show(t, s, ti); }
    void ShowNotice(const QString& t, int c) override { show(t, c, {}); }
    void MessageBox(const QString& t, const QString& c) override { show(t, 0, c); }

private:
    bool show(const QString& text, int style, const QString& title)
    {
        say(QStringLiteral("prompt: %1 style %2 title %3").arg(text).arg(style).arg(title));
        QDialog dlg;
        QTimer::singleShot(50, &dlg, &QDialog::accept);
        return dlg.exec() == QDialog::Accepted;
    }
};

class PrintLog : public ILogCtrl {
public:
    void SetLevel(TLogType) override { }
    void Debug(const QString& t) override { say("log: " + t); }
    void Info(const QString& t) override { say("log: " + t); }
    void Warn(const QString& t) override { say("log: " + t); }
    void Error(const QString& t) override { say("log: " + t); }
    void Fatal(const QString& t) override { say("log: " + t); }
    void Debug(const QObject*, const QString& t) override { say("log: " + t); }
    void Info(const QObject*, const QString& t) override { say("log: " + t); }
    void Warn(const QObject*, const QString& t) override { say("log: " + t); }
    void Error(const QObject*, const QString& t) override { say("log: " + t); }
    void Fatal(const QObject*, const QString& t) override { say("log: " + t); }
    void GetText(QString&) override { }
    void Write(TLogType, const QObject*, const QString& t) override { say("log: " + t); }
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir programDir;
    qputenv("PRAVIK_PROGRAM_DIR", QFile::encodeName(programDir.path()));
    QApplication app(argc, argv);
    // Only the code under test may end the application (not the last prompt closing).
    app.setQuitOnLastWindowClosed(false);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();

    SetPrompts(std::make_unique<ModalPrompts>());
    SetProcessLogger(std::make_shared<PrintLog>());
    TDM dm;
    QTimer::singleShot(8000, [] {
        say("watchdog");
        QCoreApplication::exit(3);
    });

    const QString examinee = QStringLiteral("D:\\StuExamData\\quitting\\");
    const bool ending = mode == "modal" || mode == "silent";
    if (ending) {
        const QString host = win::toHost(examinee);
        QDir().mkpath(host + "/quitting/7");
        QFile f(host + "/quitting/7/a.doc");
        if (f.open(QIODevice::WriteOnly))
            f.write("x");
        f.close();
        dm.ExamineeDir = examinee;
        win::RemoveDrive('Y');
        if (!win::DefineDrive('Y', examinee + "quitting"))
            say("cannot map Y");
        strCurDisk = "Y";
        const bool showBox = mode == "modal";
        QTimer::singleShot(0, [showBox] {
            QDialog outer;
            QTimer::singleShot(100, &outer, [showBox] {
                DM->ReportAndExit(QStringLiteral("系统即将关闭"), showBox, true, true);
            });
            outer.exec();
            say("modal returned");
            if (ApplicationQuitting()) {
                say("stopped");
                return;
            }
            say("continued");
        });
    } else if (mode == "before-loop") {
        dm.ReportAndExit(QStringLiteral("before"), false, false, true);
        if (ApplicationQuitting())
            say("stopped");
    } else if (mode == "config-fail") {
        QFile f(programDir.path() + "/Config.ini");
        if (f.open(QIODevice::WriteOnly))
            f.write(win::toAnsi(QStringLiteral("[LOCAL]\r\nStuExamData=Q:\r\n")));
        f.close();
        QTimer::singleShot(0, [] {
            const bool ok = ReadConfig();
            say(ok ? "ReadConfig true" : "ReadConfig false");
            if (!ApplicationQuitting())
                say("continued");
        });
    } else {
        say("unknown mode");
        return 2;
    }

    const int rc = app.exec();
    if (ending) {
        const QString host = win::toHost(examinee);
        const bool empty = QFileInfo(host).isDir()
            && QDir(host).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty();
        const bool unmapped = win::QueryDrive('Y').isEmpty();
        if (empty && unmapped)
            say("cleaned: examinee folder empty, drive removed");
        else
            say(QStringLiteral("not cleaned: empty %1 unmapped %2").arg(empty).arg(unmapped));
        QDir(host).removeRecursively();
    }
    say(QStringLiteral("main loop ended %1").arg(rc));
    return rc;
}
