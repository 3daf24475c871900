#pragma once
// The start of an exercise against a loopback practice site with a large material:
// the client from process start to the running toolbar, next to curl + unzip fetching
// and unpacking the same four files; and the processor time of the idle exercise.
#include <QString>
#include <QStringList>
#include <vector>

namespace bench {

struct StartOptions {
    QString buildDir; // the build folder (bin/, practice-questions/)
    QString workDir; // an empty host folder for everything of the run
    QString sample = QStringLiteral("windows-folder");
    int runs = 3;
    int materialMb = 20; // size of the material zip in MB (10^6 bytes)
    int idleSeconds = 30; // 0: no idle measurement
    int settleMs = 2000; // wait after the running state before the idle window
};

struct ClientRun {
    bool ok = false;
    double readyMs = 0; // process start -> running state (from the recorder's stamp)
    double observedMs = 0; // process start -> the benchmark saw it (polling, 5 ms)
    double idleCpuSeconds = -1;
    double startCpuSeconds = -1;
    double idleSchedSeconds =
        -1; // the same from the scheduler's nanosecond counters  // used from process start to the idle window
    double idleWallSeconds = 0;
    QString ending; // how the client ended
    QString error;
};

struct StartFigures {
    QString error;
    qint64 materialZipBytes = 0;
    qint64 materialUnpackedBytes = 0;
    QString siteUrl;
    std::vector<double> curlUnzipMs;
    std::vector<double> curlMs; // the download part of curlUnzipMs
    std::vector<ClientRun> client;
};

// Prints progress lines to stdout as it goes.
StartFigures MeasureStart(const StartOptions& o);

} // namespace bench
