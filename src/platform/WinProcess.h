#pragma once
// Processes: a snapshot from /proc where the image name is the base name of the
// executable, or the Windows image name that the platform recorded when it started
// the program under one. Image names compare case-insensitively.
#include <QString>
#include <QStringList>
#include <QList>

namespace win {

struct ProcessEntry {
    qint64 pid = 0;
    QString exeName; // image name, e.g. "EXCEL.EXE" or "prjPractice"
};

QList<ProcessEntry> ProcessSnapshot();
bool IsProcessRunning(const QString& exeName);
// Terminates every process with that image name (not the caller itself); returns
// how many were asked to terminate.
int KillProcessByName(const QString& exeName);
bool TerminateProcess(qint64 pid, unsigned exitCode = 0);
bool IsProcessAlive(qint64 pid);

// Splits a Windows command line (quoted program path, then arguments with the
// Windows quoting rules).
QStringList SplitCommandLine(const QString& commandLine);

// CreateProcess with a Windows command line: the program is a Windows path (through
// toHost) or a bare name looked up in the program folder and PATH (with and without
// ".exe"). The started process is known in snapshots under the image name of the
// program as written in the command line (e.g. "WINWORD.EXE"), unless imageName is
// given. workDir is a Windows path ("" = inherit). Returns the pid, 0 on failure.
qint64 CreateProcess(const QString& commandLine, const QString& workDir = {}, const QString& imageName = {});

constexpr unsigned WAIT_OBJECT_0 = 0;
constexpr unsigned WAIT_TIMEOUT = 258;
constexpr unsigned WAIT_FAILED = 0xFFFFFFFFu;
constexpr int INFINITE = -1;
// Waits for a process started by CreateProcess/ShellExecuteEx of this process (or any
// pid) to end; exitCode receives its exit code when known.
unsigned WaitForProcess(qint64 pid, int timeoutMs, unsigned* exitCode = nullptr);

// ShellExecute: an executable file runs as CreateProcess; anything else (document,
// folder, URL) goes to the shell-open command. verb "open" or "" (others as open).
// Returns a value above 32 on success and Windows error codes otherwise
// (2 = file not found, 31 = no association).
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMAXIMIZED = 3;
qintptr ShellExecute(const QString& verb, const QString& file, const QString& params = {},
                     const QString& dir = {}, int show = SW_SHOWNORMAL);
// ShellExecuteEx: as ShellExecute, and the pid of the started process (0 when the
// request was handed to the shell-open command without a process of its own).
bool ShellExecuteEx(const QString& verb, const QString& file, const QString& params, const QString& dir,
                    int show, qint64* pid);

// Opens a URL, document or folder with the desktop's opener: the command in
// $PRAVIK_SHELL_OPEN when set, else xdg-open. Windows paths are passed as host paths,
// URLs unchanged. Returns false when the opener cannot be started.
bool ShellOpen(const QString& target);

} // namespace win
