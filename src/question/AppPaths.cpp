#include "question/AppPaths.h"

#include <optional>

#include "platform/WinProcess.h"
#include "platform/WinRegistry.h"
#include "log/RunLog.h"

QString GetAppPath(const QString& className)
{
    RunLog(QStringLiteral("dmdb.GetAppPath in"));
    QString command;
    if (!className.isEmpty()) {
        const std::optional<QString> v = win::RegReadString(
            win::Hive::HKCR, className + QStringLiteral("\\shell\\open\\command"), QString());
        if (v)
            command = *v;
    }
    int cut = command.indexOf(QStringLiteral("\"%1\""));
    if (cut >= 0)
        command.truncate(cut);
    cut = command.indexOf(QStringLiteral("%1"));
    if (cut >= 0)
        command.truncate(cut);
    if (command.contains(QStringLiteral("/dde"))) {
        cut = command.indexOf(QStringLiteral(" /dde"));
        if (cut >= 0)
            command.truncate(cut);
    }
    command.remove(QLatin1Char('"'));
    RunLog(QStringLiteral("dmdb.GetAppPath out"));
    return command;
}

QString GetAppPathsEntry(const QString& exeName)
{
    const std::optional<QString> v = win::RegReadString(
        win::Hive::HKLM,
        QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\") + exeName, QString());
    QString path = v.value_or(QString());
    path.remove(QLatin1Char('"'));
    return path;
}

bool CanStart(const QString& exeName)
{
    const qintptr r = win::ShellExecute(QStringLiteral("open"), exeName, QString(), QString(), win::SW_HIDE);
    if (r > 32 && win::IsProcessRunning(exeName)) {
        win::KillProcessByName(exeName);
        return true;
    }
    return false;
}
