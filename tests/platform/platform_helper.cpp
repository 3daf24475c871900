// The "other process" of the platform tests. Usage:
//   platform_helper regwrite <HKCU|HKLM|HKCR> <key> <name> <value>   prints ok/fail
//   platform_helper regread  <hive> <key> <name>                      prints the value
//   platform_helper regwritemany <hive> <key> <prefix> <n>            writes <prefix>0..n-1
//   platform_helper mutex <name>       prints the last error of CreateMutex ("null" when
//                                      none), then holds the handle until stdin ends
//   platform_helper window <class> <caption>
//                                      registers a window, prints its handle and serves
//                                      it: WM_USER+1 answers wParam * 10 + lParam,
//                                      WM_USER+2 ends the process inside the handler,
//                                      WM_USER+3 (posted) prints "posted <wParam>"
//   platform_helper send <class> <caption> <msg> <wParam> <lParam>
//                                      FindWindow + SendMessage, prints the result
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

#include "platform/WinMessages.h"
#include "platform/WinMutex.h"
#include "platform/WinRegistry.h"

namespace {

win::Hive hiveOf(const QString& s)
{
    if (s == QLatin1String("HKLM"))
        return win::Hive::HKLM;
    if (s == QLatin1String("HKCR"))
        return win::Hive::HKCR;
    return win::Hive::HKCU;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments().mid(1);
    QTextStream out(stdout);
    const QString mode = a.value(0);
    if (mode == QLatin1String("regwrite") && a.size() == 5) {
        out << (win::RegWriteString(hiveOf(a[1]), a[2], a[3], a[4]) ? "ok" : "fail") << Qt::endl;
        return 0;
    }
    if (mode == QLatin1String("regread") && a.size() == 4) {
        out << win::RegReadString(hiveOf(a[1]), a[2], a[3]).value_or(QStringLiteral("<missing>")) << Qt::endl;
        return 0;
    }
    if (mode == QLatin1String("regwritemany") && a.size() == 5) {
        bool ok = true;
        for (int i = 0; i < a[4].toInt(); ++i)
            ok = win::RegWriteInteger(hiveOf(a[1]), a[2], a[3] + QString::number(i), i) && ok;
        out << (ok ? "ok" : "fail") << Qt::endl;
        return 0;
    }
    if (mode == QLatin1String("mutex") && a.size() == 2) {
        win::DWORD lastError = 0;
        auto m = win::CreateMutex(a[1], true, &lastError);
        if (m)
            out << lastError << Qt::endl;
        else
            out << "null" << Qt::endl;
        char buf[64];
        while (fgets(buf, sizeof buf, stdin)) { }
        return 0;
    }
    if (mode == QLatin1String("window") && a.size() == 3) {
        const win::HWND h = win::RegisterWindow(
            a[1], a[2], [&out](unsigned msg, win::WPARAM w, win::LPARAM l) -> win::LRESULT {
                if (msg == win::WM_USER + 1)
                    return win::LRESULT(w) * 10 + l;
                if (msg == win::WM_USER + 2)
                    ::_exit(0);
                if (msg == win::WM_USER + 3)
                    out << "posted " << w << Qt::endl;
                return 0;
            });
        out << h << Qt::endl;
        // Ends when the test closes stdin.
        QSocketNotifier stdinWatch(STDIN_FILENO, QSocketNotifier::Read);
        QObject::connect(&stdinWatch, &QSocketNotifier::activated, &app, [&] {
            char c;
            if (::read(STDIN_FILENO, &c, 1) <= 0)
                app.quit();
        });
        return app.exec();
    }
    if (mode == QLatin1String("send") && a.size() == 6) {
        const win::HWND h = win::FindWindow(a[1], a[2]);
        out << win::SendMessage(h, a[3].toUInt(nullptr, 0), a[4].toULongLong(), a[5].toLongLong())
            << Qt::endl;
        return 0;
    }
    QTextStream(stderr) << "unknown mode\n";
    return 2;
}
