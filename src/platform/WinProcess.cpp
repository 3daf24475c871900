#include "platform/WinProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <map>
#include <mutex>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "platform/PlatformInternal.h"
#include "platform/WinPaths.h"
#include "platform/WinRegistry.h"

extern char** environ;

namespace win {

namespace {

// ---- children of this process ------------------------------------------------
// Every child started here gets a thread that reaps it, so it never lingers as a
// zombie, and its exit code is kept for WaitForProcess.

struct ChildState {
    bool done = false;
    unsigned exitCode = 0;
};

// Allocated once and never freed: reaper threads may still run while the process
// ends and its static objects are destroyed.
struct Children {
    std::mutex mutex;
    std::condition_variable done;
    std::map<qint64, ChildState> states;
    std::map<qint64, unsigned> requestedExit; // exit codes asked for by TerminateProcess
};
Children& children()
{
    static Children* c = new Children;
    return *c;
}

void reap(pid_t pid)
{
    int status = 0;
    pid_t r;
    do {
        r = ::waitpid(pid, &status, 0);
    } while (r < 0 && errno == EINTR);
    unsigned code = 1;
    if (r == pid) {
        if (WIFEXITED(status))
            code = unsigned(WEXITSTATUS(status));
        else if (WIFSIGNALED(status))
            code = 128u + unsigned(WTERMSIG(status));
    }
    std::lock_guard lock(children().mutex);
    auto req = children().requestedExit.find(pid);
    if (req != children().requestedExit.end()) {
        if (r == pid && WIFSIGNALED(status))
            code = req->second;
        children().requestedExit.erase(req);
    }
    children().states[pid] = ChildState{true, code};
    children().done.notify_all();
}

// ---- recorded image names ----------------------------------------------------
// prefix/procnames/<pid> holds "<start time>\n<image name>\n" for a program that
// was started under a Windows image name.

QString procNamesDir() { return PrefixDir() + "/procnames"; }

void recordImageName(qint64 pid, const QString& name)
{
    const quint64 start = detail::ProcessStartTime(pid);
    if (start == 0 || name.isEmpty())
        return;
    QDir().mkpath(procNamesDir());
    detail::WriteFileAtomically(procNamesDir() + "/" + QString::number(pid),
                                QByteArray::number(start) + '\n' + name.toUtf8() + '\n');
}

QString recordedImageName(qint64 pid, quint64 start)
{
    QFile f(procNamesDir() + "/" + QString::number(pid));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> lines = f.readAll().split('\n');
    if (lines.size() < 2 || lines[0].toULongLong() != start || start == 0)
        return {};
    return QString::fromUtf8(lines[1]).trimmed();
}

void removeStaleRecords()
{
    const QDir dir(procNamesDir());
    for (const QString& name : dir.entryList(QDir::Files)) {
        bool ok = false;
        const qint64 pid = name.toLongLong(&ok);
        if (!ok || detail::ProcessStartTime(pid) == 0
            || recordedImageName(pid, detail::ProcessStartTime(pid)).isEmpty())
            QFile::remove(dir.filePath(name));
    }
}

// ---- /proc -------------------------------------------------------------------

QByteArray readProcFile(qint64 pid, const char* what)
{
    QFile f(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(what)));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {};
    return f.readAll();
}

// The state letter of /proc/<pid>/stat ('Z' for a zombie), 0 when gone.
char processState(qint64 pid)
{
    const QByteArray stat = readProcFile(pid, "stat");
    const int close = stat.lastIndexOf(')');
    if (close < 0 || close + 2 >= stat.size())
        return 0;
    return stat[close + 2];
}

struct ProcInfo {
    qint64 pid;
    QString recorded; // the Windows image name it was started under
    QString exeBase; // base name of the executable (or of argv[0] / comm)
};

QString exeBaseName(qint64 pid)
{
    QString exe = QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(pid));
    if (!exe.isEmpty()) {
        exe = QFileInfo(exe).fileName();
        if (exe.endsWith(QLatin1String(" (deleted)")))
            exe.chop(10);
        return exe;
    }
    const QByteArray cmdline = readProcFile(pid, "cmdline");
    const QByteArray argv0 = cmdline.left(cmdline.indexOf('\0'));
    if (!argv0.isEmpty())
        return QFileInfo(QFile::decodeName(argv0)).fileName();
    return QString::fromUtf8(readProcFile(pid, "comm")).trimmed();
}

QList<ProcInfo> listProcesses()
{
    QList<ProcInfo> out;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& e : entries) {
        bool ok = false;
        const qint64 pid = e.toLongLong(&ok);
        if (!ok || pid <= 0)
            continue;
        const char state = processState(pid);
        if (state == 0 || state == 'Z' || state == 'X')
            continue;
        ProcInfo p{pid, recordedImageName(pid, detail::ProcessStartTime(pid)), exeBaseName(pid)};
        if (p.exeBase.isEmpty() && p.recorded.isEmpty())
            continue;
        out << p;
    }
    return out;
}

bool nameMatches(const ProcInfo& p, const QString& wanted)
{
    const QString w = wanted.trimmed();
    if (w.isEmpty())
        return false;
    return p.recorded.compare(w, Qt::CaseInsensitive) == 0 || p.exeBase.compare(w, Qt::CaseInsensitive) == 0;
}

// ---- program look-up ---------------------------------------------------------

bool isExecutableFile(const QString& host)
{
    const QFileInfo fi(host);
    return fi.isFile() && ::access(QFile::encodeName(host).constData(), X_OK) == 0;
}

QString stripExe(const QString& name)
{
    return name.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive) ? name.chopped(4) : name;
}

bool looksLikePath(const QString& s)
{
    return s.contains('\\') || s.contains('/') || detail::HasDriveLetter(s);
}

// Host path of a program given as a Windows path, a host path or a path relative to
// baseWin (a Windows folder with or without trailing backslash).
QString hostOfPath(const QString& path, const QString& baseWin)
{
    if (path.startsWith('/'))
        return QDir::cleanPath(path);
    if (detail::HasDriveLetter(path))
        return toHost(path);
    QString base = baseWin;
    if (base.isEmpty())
        base = fromHost(QDir::currentPath());
    if (!base.endsWith('\\'))
        base += '\\';
    return toHost(base + path);
}

// The program file for a name or path, trying it as given, without ".exe" and with
// ".exe"; "" when none is an executable file.
QString resolveProgram(const QString& program, const QString& baseWin)
{
    QStringList variants{program};
    if (program.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        variants << stripExe(program);
    else
        variants << program + QStringLiteral(".exe");
    if (looksLikePath(program)) {
        for (const QString& v : variants) {
            const QString host = hostOfPath(v, baseWin);
            if (!host.isEmpty() && isExecutableFile(host))
                return host;
        }
        return {};
    }
    // A bare name: the program folder (letter case ignored), then PATH.
    QStringList dirs;
    if (!baseWin.isEmpty())
        dirs << baseWin;
    dirs << ProgramDir();
    for (const QString& dir : dirs) {
        for (const QString& v : variants) {
            const QString host = toHost(dir + (dir.endsWith('\\') ? "" : "\\") + v);
            if (!host.isEmpty() && isExecutableFile(host))
                return host;
        }
    }
    for (const QString& v : variants) {
        for (const QString& candidate : {v, v.toLower()}) {
            const QString found = QStandardPaths::findExecutable(candidate);
            if (!found.isEmpty())
                return found;
        }
    }
    return {};
}

QString windowsBaseName(const QString& path)
{
    const int i = std::max(path.lastIndexOf('\\'), path.lastIndexOf('/'));
    QString base = path.mid(i + 1);
    if (base.size() >= 2 && base[1] == ':' && i < 0)
        base = base.mid(2);
    return base;
}

bool isUrl(const QString& s)
{
    static const QRegularExpression url(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return url.match(s).hasMatch() && !detail::HasDriveLetter(s);
}

// The program part of a command line: quoted, without escapes.
QString quoteProgram(const QString& s) { return QLatin1Char('"') + s + QLatin1Char('"'); }

// The open command of a document's file type from HKCR, or "".
QString associationCommand(const QString& fileName, const QString& verb)
{
    const int dot = fileName.lastIndexOf('.');
    if (dot < 0)
        return {};
    const QString cls = RegReadString(Hive::HKCR, fileName.mid(dot), QString()).value_or(QString()).trimmed();
    if (cls.isEmpty())
        return {};
    const QString v = verb.isEmpty() ? QStringLiteral("open") : verb;
    QString cmd = RegReadString(Hive::HKCR, cls + "\\shell\\" + v + "\\command", QString())
                      .value_or(QString());
    if (cmd.trimmed().isEmpty() && v.compare(QLatin1String("open"), Qt::CaseInsensitive) != 0)
        cmd = RegReadString(Hive::HKCR, cls + "\\shell\\open\\command", QString()).value_or(QString());
    return cmd.trimmed();
}

} // namespace

namespace detail {

quint64 ProcessStartTime(qint64 pid)
{
    if (pid <= 0)
        return 0;
    const QByteArray stat = readProcFile(pid, "stat");
    const int close = stat.lastIndexOf(')');
    if (close < 0)
        return 0;
    // Fields after the command: state is field 3, start time field 22.
    const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
    return fields.size() > 19 ? fields[19].toULongLong() : 0;
}

} // namespace detail

QList<ProcessEntry> ProcessSnapshot()
{
    QList<ProcessEntry> out;
    for (const ProcInfo& p : listProcesses())
        out.append({p.pid, p.recorded.isEmpty() ? p.exeBase : p.recorded});
    return out;
}

bool IsProcessRunning(const QString& exeName)
{
    for (const ProcInfo& p : listProcesses())
        if (nameMatches(p, exeName))
            return true;
    return false;
}

int KillProcessByName(const QString& exeName)
{
    int count = 0;
    const qint64 self = ::getpid();
    for (const ProcInfo& p : listProcesses()) {
        if (p.pid == self || !nameMatches(p, exeName))
            continue;
        if (TerminateProcess(p.pid, 0))
            ++count;
    }
    return count;
}

bool TerminateProcess(qint64 pid, unsigned exitCode)
{
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max())
        return false;
    {
        std::lock_guard lock(children().mutex);
        auto it = children().states.find(pid);
        if (it != children().states.end()) {
            if (it->second.done)
                return false;
            children().requestedExit[pid] = exitCode;
        }
    }
    return ::kill(pid_t(pid), SIGKILL) == 0;
}

bool IsProcessAlive(qint64 pid)
{
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max())
        return false;
    {
        std::lock_guard lock(children().mutex);
        auto it = children().states.find(pid);
        if (it != children().states.end() && it->second.done)
            return false;
    }
    if (::kill(pid_t(pid), 0) != 0 && errno != EPERM)
        return false;
    const char state = processState(pid);
    return state != 0 && state != 'Z' && state != 'X';
}

QStringList SplitCommandLine(const QString& commandLine)
{
    QStringList out;
    const QString s = commandLine;
    int i = 0;
    const int n = s.size();
    auto isBlank = [](QChar c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (i < n && isBlank(s[i]))
        ++i;
    if (i >= n)
        return out;
    // The program: up to the closing quote, or up to the first blank; no escapes.
    QString program;
    if (s[i] == '"') {
        ++i;
        while (i < n && s[i] != '"')
            program += s[i++];
        if (i < n)
            ++i;
    } else {
        while (i < n && !isBlank(s[i]))
            program += s[i++];
    }
    out << program;
    // The arguments: backslashes escape only quotes; "" inside quotes is a quote.
    while (true) {
        while (i < n && isBlank(s[i]))
            ++i;
        if (i >= n)
            break;
        QString arg;
        bool inQuotes = false;
        while (i < n && (inQuotes || !isBlank(s[i]))) {
            if (s[i] == '\\') {
                int count = 0;
                while (i < n && s[i] == '\\') {
                    ++count;
                    ++i;
                }
                if (i < n && s[i] == '"') {
                    arg += QString(count / 2, '\\');
                    if (count % 2) {
                        arg += '"';
                        ++i;
                    }
                } else {
                    arg += QString(count, '\\');
                }
                continue;
            }
            if (s[i] == '"') {
                if (inQuotes && i + 1 < n && s[i + 1] == '"') {
                    arg += '"';
                    i += 2;
                    continue;
                }
                inQuotes = !inQuotes;
                ++i;
                continue;
            }
            arg += s[i++];
        }
        out << arg;
    }
    return out;
}

qint64 CreateProcess(const QString& commandLine, const QString& workDir, const QString& imageName)
{
    const QStringList parts = SplitCommandLine(commandLine);
    if (parts.isEmpty() || parts.first().trimmed().isEmpty())
        return 0;
    QString hostDir;
    if (!workDir.trimmed().isEmpty()) {
        hostDir = hostOfPath(workDir.trimmed(), QString());
        if (hostDir.isEmpty() || !QFileInfo(hostDir).isDir())
            return 0;
    }
    const QString program = resolveProgram(parts.first().trimmed(), QString());
    if (program.isEmpty())
        return 0;

    QList<QByteArray> args;
    args << QFile::encodeName(program);
    for (int i = 1; i < parts.size(); ++i)
        args << parts[i].toUtf8();
    std::vector<char*> argv;
    for (QByteArray& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const QByteArray dir = QFile::encodeName(hostDir);
    if (!hostDir.isEmpty())
        posix_spawn_file_actions_addchdir_np(&actions, dir.constData());
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    // A program of its own: its own session, default signal handling.
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attr, &none);
    sigset_t all;
    sigfillset(&all);
    posix_spawnattr_setsigdefault(&attr, &all);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    int rc;
    {
        // Registered before the reaper can see it end.
        std::lock_guard lock(children().mutex);
        rc = ::posix_spawn(&pid, argv[0], &actions, &attr, argv.data(), environ);
        if (rc == 0)
            children().states[pid] = ChildState{};
    }
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (rc != 0)
        return 0;
    std::thread(reap, pid).detach();

    QString image = imageName.trimmed();
    if (image.isEmpty())
        image = windowsBaseName(parts.first().trimmed());
    recordImageName(pid, image);
    static int started = 0;
    if (++started % 32 == 0)
        removeStaleRecords();
    return pid;
}

unsigned WaitForProcess(qint64 pid, int timeoutMs, unsigned* exitCode)
{
    if (pid <= 0)
        return WAIT_FAILED;
    const auto deadline = std::chrono::steady_clock::now()
        + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    {
        std::unique_lock lock(children().mutex);
        auto it = children().states.find(pid);
        if (it != children().states.end()) {
            auto done = [&] { return children().states[pid].done; };
            if (timeoutMs < 0)
                children().done.wait(lock, done);
            else if (!children().done.wait_until(lock, deadline, done))
                return WAIT_TIMEOUT;
            if (exitCode)
                *exitCode = children().states[pid].exitCode;
            return WAIT_OBJECT_0;
        }
    }
    // Another process: poll.
    if (!IsProcessAlive(pid) && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
        return WAIT_OBJECT_0;
    while (IsProcessAlive(pid)) {
        if (timeoutMs >= 0 && std::chrono::steady_clock::now() >= deadline)
            return WAIT_TIMEOUT;
        QThread::msleep(20);
    }
    return WAIT_OBJECT_0;
}

bool ShellOpen(const QString& target)
{
    const QString t = target.trimmed();
    if (t.isEmpty())
        return false;
    QString arg = t;
    if (detail::HasDriveLetter(t)) {
        arg = toHost(t);
        if (arg.isEmpty())
            return false;
    }
    const QString opener = qEnvironmentVariable("PRAVIK_SHELL_OPEN");
    if (!opener.isEmpty()) {
        // The configured opener (a recorder in tests) is waited for, briefly, so that
        // what it did is done when this returns.
        QStringList cmd = QProcess::splitCommand(opener);
        if (cmd.isEmpty())
            return false;
        QProcess p;
        p.setProgram(cmd.takeFirst());
        p.setArguments(cmd << arg);
        p.setStandardInputFile(QProcess::nullDevice());
        p.start();
        if (!p.waitForStarted(5000))
            return false;
        if (!p.waitForFinished(5000))
            p.kill(), p.waitForFinished(1000);
        return true;
    }
    QProcess p;
    p.setProgram(QStringLiteral("xdg-open"));
    p.setArguments({arg});
    p.setStandardInputFile(QProcess::nullDevice());
    return p.startDetached();
}

bool ShellExecuteEx(const QString& verb, const QString& file, const QString& params, const QString& dir,
                    int show, qint64* pid)
{
    Q_UNUSED(show);
    if (pid)
        *pid = 0;
    const QString f = file.trimmed();
    if (f.isEmpty())
        return false;
    if (isUrl(f))
        return ShellOpen(f);

    QString host;
    QString asWindows = f;
    if (looksLikePath(f)) {
        host = hostOfPath(f, dir.trimmed());
        if (!host.isEmpty() && !QFileInfo::exists(host)) {
            const QString exe = resolveProgram(f, dir.trimmed());
            host = exe;
        }
    } else {
        // A bare name: its App Paths entry, then the folder, the program folder, PATH.
        const QString appPath = RegReadString(Hive::HKLM,
                                              "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + f,
                                              QString())
                                    .value_or(QString())
                                    .remove('"')
                                    .trimmed();
        if (!appPath.isEmpty()) {
            host = hostOfPath(appPath, QString());
            asWindows = appPath;
        }
        if (host.isEmpty() || !QFileInfo::exists(host)) {
            host = resolveProgram(f, dir.trimmed());
            if (host.isEmpty()) {
                const QString inDir = hostOfPath(f, dir.trimmed());
                if (!inDir.isEmpty() && QFileInfo::exists(inDir))
                    host = inDir;
            }
        }
    }
    if ((host.isEmpty() || !QFileInfo::exists(host)) && !looksLikePath(f)) {
        // The Windows shell's own browser and file manager, when no program was
        // registered for them: their target goes to the desktop's opener.
        const QString lower = f.toLower();
        if (lower == QLatin1String("explorer.exe") || lower == QLatin1String("explorer")
            || lower == QLatin1String("iexplore.exe") || lower == QLatin1String("iexplore")) {
            QString target = params.trimmed();
            if (target.startsWith('/') && target.contains(',') && lower.startsWith('e'))
                target = target.mid(target.indexOf(',') + 1).trimmed(); // "/e,C:\x", "/select,C:\x"
            if (target.size() >= 2 && target.startsWith('"') && target.endsWith('"'))
                target = target.mid(1, target.size() - 2);
            return !target.isEmpty() && ShellOpen(target);
        }
    }
    if (host.isEmpty() || !QFileInfo::exists(host))
        return false;

    const QFileInfo fi(host);
    if (fi.isDir())
        return ShellOpen(fromHost(fi.absoluteFilePath()));
    if (isExecutableFile(host)) {
        const QString cmd = quoteProgram(fromHost(host))
            + (params.trimmed().isEmpty() ? QString() : " " + params);
        const qint64 started = CreateProcess(cmd, dir.trimmed(), windowsBaseName(f));
        if (pid)
            *pid = started;
        return started != 0;
    }
    // A document: the open command of its type, else the desktop's opener.
    const QString winDoc = fromHost(fi.absoluteFilePath());
    QString cmd = associationCommand(fi.fileName(), verb.trimmed());
    if (!cmd.isEmpty()) {
        if (cmd.contains(QLatin1String("%1")))
            cmd.replace(QLatin1String("%1"), winDoc);
        else if (cmd.contains(QLatin1String("%L"), Qt::CaseInsensitive))
            cmd.replace(QRegularExpression(QStringLiteral("%[Ll]")), winDoc);
        else
            cmd += " \"" + winDoc + "\"";
        if (!params.trimmed().isEmpty())
            cmd += " " + params;
        const qint64 started = CreateProcess(cmd, dir.trimmed());
        if (pid)
            *pid = started;
        return started != 0;
    }
    return ShellOpen(winDoc);
}

qintptr ShellExecute(const QString& verb, const QString& file, const QString& params, const QString& dir,
                     int show)
{
    const QString f = file.trimmed();
    if (f.isEmpty())
        return 2;
    qint64 pid = 0;
    if (ShellExecuteEx(verb, file, params, dir, show, &pid))
        return 42;
    // Tell a missing file from a file that could not be opened.
    if (isUrl(f))
        return 31;
    if (looksLikePath(f)) {
        const QString host = hostOfPath(f, dir.trimmed());
        if (host.isEmpty() || (!QFileInfo::exists(host) && resolveProgram(f, dir.trimmed()).isEmpty()))
            return 2;
        return 31;
    }
    return 2;
}

} // namespace win
