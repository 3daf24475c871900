// pravik_bench <build dir> [options]: prints figures of the client; it passes or
// fails nothing. See README.md.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

#include "BenchUtil.h"
#include "SaveBench.h"
#include "StartBench.h"

using namespace bench;

namespace {

void out(const QString& s)
{
    std::printf("%s\n", s.toLocal8Bit().constData());
    std::fflush(stdout);
}

QString list(const std::vector<double>& v)
{
    QStringList s;
    for (double x : v)
        s << Fixed(x);
    return s.join(QStringLiteral(", "));
}

QString buildType(const QString& buildDir)
{
    QFile f(buildDir + QStringLiteral("/CMakeCache.txt"));
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    QString type = QStringLiteral("?"), sanitize;
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        if (line.startsWith(QStringLiteral("CMAKE_BUILD_TYPE:")))
            type = line.section(QLatin1Char('='), 1);
        if (line.startsWith(QStringLiteral("PRAVIK_SANITIZE:")) && line.endsWith(QStringLiteral("=ON")))
            sanitize = QStringLiteral(" + sanitizers");
    }
    return type + sanitize;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser cl;
    cl.setApplicationDescription(
        QStringLiteral("Prints figures of the exercise client (nothing passes or fails)."));
    cl.addHelpOption();
    cl.addPositionalArgument(QStringLiteral("build"), QStringLiteral("the build folder, e.g. build/dev"));
    QCommandLineOption runs(QStringLiteral("runs"), QStringLiteral("start runs (default 3)"),
                            QStringLiteral("n"), QStringLiteral("3"));
    QCommandLineOption idle(QStringLiteral("idle"), QStringLiteral("idle seconds, 0 = skip (default 30)"),
                            QStringLiteral("s"), QStringLiteral("30"));
    QCommandLineOption saves(QStringLiteral("saves"), QStringLiteral("timed answer saves (default 500)"),
                             QStringLiteral("n"), QStringLiteral("500"));
    QCommandLineOption mb(QStringLiteral("material-mb"),
                          QStringLiteral("material zip size in MB (default 20)"), QStringLiteral("mb"),
                          QStringLiteral("20"));
    QCommandLineOption sample(QStringLiteral("sample"),
                              QStringLiteral("sample question (default windows-folder)"),
                              QStringLiteral("name"), QStringLiteral("windows-folder"));
    QCommandLineOption keep(QStringLiteral("keep"),
                            QStringLiteral("keep the work folder (logs of the client runs)"));
    QCommandLineOption only(QStringLiteral("only"), QStringLiteral("start|save: run one part only"),
                            QStringLiteral("part"));
    cl.addOptions({runs, idle, saves, mb, sample, keep, only});
    cl.process(app);
    if (cl.positionalArguments().size() != 1)
        cl.showHelp(2);
    const QString buildDir = QFileInfo(cl.positionalArguments().first()).absoluteFilePath();

    QTemporaryDir work(QDir::tempPath() + QStringLiteral("/pravik-bench-XXXXXX"));
    if (!work.isValid()) {
        out(QStringLiteral("cannot create a work folder"));
        return 1;
    }
    work.setAutoRemove(!cl.isSet(keep));

    out(QStringLiteral("pravik_bench: %1 (%2 build), %3, %4 cores, work folder %5%6")
            .arg(buildDir, buildType(buildDir), QSysInfo::prettyProductName())
            .arg(QThread::idealThreadCount())
            .arg(work.path(), cl.isSet(keep) ? QString() : QStringLiteral(" (removed at the end)")));
    {
        // Other work on the machine moves every figure; the load says how much there was.
        QFile load(QStringLiteral("/proc/loadavg"));
        if (load.open(QIODevice::ReadOnly))
            out(QStringLiteral("load average at the start: ")
                + QString::fromLatin1(load.readAll()).section(QLatin1Char(' '), 0, 2));
    }
    const QString part = cl.value(only);
    QStringList idleLines; // printed last: the idle figures come from the first start run
    int status = 0;

    if (part.isEmpty() || part == QStringLiteral("start")) {
        StartOptions o;
        o.buildDir = buildDir;
        o.workDir = work.path() + QStringLiteral("/start");
        o.sample = cl.value(sample);
        o.runs = std::max(1, cl.value(runs).toInt());
        o.idleSeconds = std::max(0, cl.value(idle).toInt());
        o.materialMb = std::max(1, cl.value(mb).toInt());
        QDir().mkpath(o.workDir);
        out(QStringLiteral("\n== 1. Start with a %1 MB material (sample %2, loopback practice-site)")
                .arg(o.materialMb)
                .arg(o.sample));
        const StartFigures f = MeasureStart(o);
        if (!f.error.isEmpty()) {
            out(QStringLiteral("   not measured: ") + f.error);
            status = 1;
        }
        std::vector<double> ready;
        for (const ClientRun& r : f.client)
            if (r.ok)
                ready.push_back(r.readyMs);
        if (!f.curlUnzipMs.empty()) {
            out(QStringLiteral("   curl + unzip of the four files (paper, step file, %1-byte material, "
                               "picture), ms: %2; median %3")
                    .arg(f.materialZipBytes)
                    .arg(list(f.curlUnzipMs), Fixed(Median(f.curlUnzipMs))));
            out(QStringLiteral(
                    "   of which curl (one process, the four addresses of the launch data): median %1 ms")
                    .arg(Fixed(Median(f.curlMs))));
        }
        if (!ready.empty()) {
            out(QStringLiteral("   prjPractice, process start -> toolbar running, ms: %1; median %2")
                    .arg(list(ready), Fixed(Median(ready))));
            if (!f.curlUnzipMs.empty())
                out(QStringLiteral("   ratio client / (curl + unzip), medians: %1")
                        .arg(Fixed(Median(ready) / Median(f.curlUnzipMs), 2)));
            out(QStringLiteral(
                "   (running state = the moment the client opens the question folder in \"Explorer\":\n"
                "    the shell-open recorder (PRAVIK_SHELL_OPEN) stamps it with `date +%s%N`. It is the\n"
                "    last act of the start before the timers are started; only a folder check lies\n"
                "    between the two. The toolbar's window is checked to exist afterwards.)"));
        }
        if (!f.client.empty() && f.client.front().idleCpuSeconds >= 0) {
            const ClientRun& r = f.client.front();
            idleLines << (QStringLiteral("\n== 3. Idle exercise: CPU time (utime + stime of "
                                         "/proc/<pid>/stat) over %1 s of wall time,\n"
                                         "      starting %2 s after the running state")
                              .arg(Fixed(r.idleWallSeconds, 2))
                              .arg(Fixed(o.settleMs / 1000.0, 1)));
            const double tick = 1.0 / double(sysconf(_SC_CLK_TCK));
            idleLines << (QStringLiteral("   %1 CPU seconds = %2 % of one core (the counters step by %3 s)")
                              .arg(Fixed(r.idleCpuSeconds, 2),
                                   Fixed(100.0 * r.idleCpuSeconds / r.idleWallSeconds, 3), Fixed(tick, 2)));
            if (r.idleSchedSeconds >= 0)
                idleLines << (QStringLiteral("   scheduler run time of its threads "
                                             "(/proc/<pid>/task/*/schedstat): %1 ms = %2 % of one core")
                                  .arg(Fixed(r.idleSchedSeconds * 1000, 1),
                                       Fixed(100.0 * r.idleSchedSeconds / r.idleWallSeconds, 3)));
            idleLines << (QStringLiteral(
                              "   for comparison, the start up to the idle window used %1 CPU seconds")
                              .arg(Fixed(r.startCpuSeconds, 2)));
        } else if (o.idleSeconds > 0) {
            idleLines << (QStringLiteral(
                "\n== 3. Idle exercise: not measured (the first client run failed)"));
        }
        for (const ClientRun& r : f.client)
            if (!r.ok)
                status = 1;
    }

    if (part.isEmpty() || part == QStringLiteral("save")) {
        const int n = std::max(1, cl.value(saves).toInt());
        out(QStringLiteral("\n== 2. One answer save (SaveAnswerArchive, operation type 26, all 131 slots "
                           "filled), %1 saves")
                .arg(n));
        const QString dir = work.path() + QStringLiteral("/save");
        QDir().mkpath(dir);
        const SaveFigures s = MeasureSaves(dir, n);
        if (!s.error.isEmpty()) {
            out(QStringLiteral("   not measured: ") + s.error);
            status = 1;
        }
        if (s.saves > 0)
            out(QStringLiteral("   per save, ms: mean %1, median %2, min %3, max %4 (ans.zt %5 bytes)")
                    .arg(Fixed(s.meanMs, 3), Fixed(s.medianMs, 3), Fixed(s.minMs, 3), Fixed(s.maxMs, 3))
                    .arg(s.archiveBytes));
        if (s.writeMedianMs > 0)
            out(QStringLiteral(
                    "   of which building and writing ans.zt alone (flatten, answer line, write beside + "
                    "rename): median %1 ms;\n"
                    "   the rest is ending the archiver programs (process table scans) and the log lines")
                    .arg(Fixed(s.writeMedianMs, 3)));
    }
    for (const QString& l : idleLines)
        out(l);
    return status;
}
