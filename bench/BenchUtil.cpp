#include "BenchUtil.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <numeric>
#include <time.h>
#include <unistd.h>

namespace bench {

double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Mean(const std::vector<double>& v)
{
    return v.empty() ? 0 : std::accumulate(v.begin(), v.end(), 0.0) / double(v.size());
}

static qint64 clockNs(clockid_t id)
{
    timespec ts{};
    clock_gettime(id, &ts);
    return qint64(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

qint64 RealtimeNs() { return clockNs(CLOCK_REALTIME); }
qint64 MonotonicNs() { return clockNs(CLOCK_MONOTONIC); }

bool Run(const QString& program, const QStringList& args, QString* error, int timeoutMs,
         const QString& workDir)
{
    QProcess p;
    p.setProgram(program);
    p.setArguments(args);
    p.setStandardInputFile(QProcess::nullDevice());
    if (!workDir.isEmpty())
        p.setWorkingDirectory(workDir);
    p.start();
    auto fail = [&](const QString& why) {
        if (error)
            *error = program + QLatin1Char(' ') + args.join(QLatin1Char(' ')).left(300) + QStringLiteral(": ")
                + why;
        return false;
    };
    if (!p.waitForStarted(10000))
        return fail(QStringLiteral("did not start"));
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(2000);
        return fail(QStringLiteral("timed out"));
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return fail(QStringLiteral("exit code %1: %2")
                        .arg(p.exitCode())
                        .arg(QString::fromLocal8Bit(p.readAllStandardError()).trimmed().left(300)));
    return true;
}

QString Which(const QString& name) { return QStandardPaths::findExecutable(name); }

bool CopyTree(const QString& from, const QString& to)
{
    QDir src(from);
    if (!src.exists() || !QDir().mkpath(to))
        return false;
    const auto entries = src.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden
                                           | QDir::System);
    for (const QFileInfo& fi : entries) {
        const QString target = to + QLatin1Char('/') + fi.fileName();
        if (fi.isSymLink()) {
            if (!QFile::link(fi.symLinkTarget(), target))
                return false;
        } else if (fi.isDir()) {
            if (!CopyTree(fi.filePath(), target))
                return false;
        } else if (!QFile::copy(fi.filePath(), target)) {
            return false;
        }
    }
    return true;
}

std::optional<double> ProcessCpuSeconds(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray line = f.readAll();
    // The command name (field 2) is in parentheses and may hold spaces: fields count
    // from after its closing parenthesis, which is followed by field 3 (state).
    const int close = line.lastIndexOf(')');
    if (close < 0)
        return std::nullopt;
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    // fields[0] is field 3; utime is field 14, stime field 15.
    if (fields.size() < 13)
        return std::nullopt;
    const double ticks = double(sysconf(_SC_CLK_TCK));
    return (fields[11].toDouble() + fields[12].toDouble()) / ticks;
}

std::optional<double> ProcessSchedSeconds(qint64 pid)
{
    QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    if (!tasks.exists())
        return std::nullopt;
    qint64 ns = 0;
    for (const QString& t : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile f(tasks.filePath(t) + QStringLiteral("/schedstat"));
        if (f.open(QIODevice::ReadOnly))
            ns += f.readAll().split(' ').value(0).toLongLong();
    }
    return double(ns) / 1e9;
}

QString Fixed(double v, int decimals) { return QString::number(v, 'f', decimals); }

} // namespace bench
