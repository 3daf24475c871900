#include "app/AppEntry.h"

#include <QFile>
#include <QThread>

#include "app/ufrmTool.h"
#include "common/PathUtils.h"
#include "platform/WinMessages.h"
#include "platform/WinPaths.h"

QString ExtractLaunchData(const QStringList& params)
{
    for (const QString& p : params) {
        const QString t = p.trimmed();
        if (t.contains(kSchemePrefix, Qt::CaseInsensitive))
            return t.mid(kSchemePrefix.size());
    }
    return {};
}

bool ProgramFileCanHandOver(const QString& fileName)
{
    const QString name = fileName.trimmed();
    if (name.isEmpty())
        return false;
    return pathutil::ExtractFileExt(name).toUpper() == win::ExecutableSuffix().toUpper();
}

bool NotifyRunningInstance(win::HWND hwnd)
{
    if (!ProgramFileCanHandOver(win::ProgramFileName()))
        return false;
    win::LRESULT reply = 1;
    int counter = 0;
    for (;;) {
        try {
            reply = win::SendMessage(hwnd, WM_USER_SHOW, 0, 0);
            QThread::msleep(100);
            ++counter;
        } catch (...) {
        }
        if (counter > 30000)
            return false;
        if (reply <= 0)
            return true;
    }
}

void DeleteOutputLog()
{
    const QString host = win::toHost(win::ProgramDir() + QStringLiteral("output.log"));
    if (!host.isEmpty() && QFile::exists(host))
        QFile::remove(host);
}
