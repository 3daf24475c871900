#pragma once
// Small helpers of the benchmark: statistics, clocks, child programs, files.
#include <QString>
#include <QStringList>
#include <QProcessEnvironment>
#include <optional>
#include <vector>

namespace bench {

double Median(std::vector<double> values);
double Mean(const std::vector<double>& values);

// Nanoseconds of the wall clock (CLOCK_REALTIME; shell scripts can write the same
// clock with `date +%s%N`) and of the monotonic clock.
qint64 RealtimeNs();
qint64 MonotonicNs();

// Runs a program to its end (at most timeoutMs); false (with the reason in error)
// when it could not start, timed out or ended with a non-zero code.
bool Run(const QString& program, const QStringList& args, QString* error = nullptr, int timeoutMs = 120000,
         const QString& workDir = QString());

// The full path of a program on PATH, or empty.
QString Which(const QString& name);

// Copies a folder tree (files, folders, symbolic links as links).
bool CopyTree(const QString& from, const QString& to);

// utime + stime of a process in seconds from /proc/<pid>/stat; empty when it is gone.
std::optional<double> ProcessCpuSeconds(qint64 pid);

// Run time on a CPU in seconds, nanosecond-exact, summed over the threads that run
// now (/proc/<pid>/task/*/schedstat, first field); empty when the process is gone.
std::optional<double> ProcessSchedSeconds(qint64 pid);

QString Fixed(double v, int decimals = 1);

} // namespace bench
