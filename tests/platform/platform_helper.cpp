// The "other process" of the platform tests. Usage:
//   platform_helper regwrite <HKCU|HKLM|HKCR> <key> <name> <value>   prints ok/fail
//   platform_helper regread  <hive> <key> <name>                      prints the value
#include <QCoreApplication>
#include <QTextStream>

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
    QTextStream(stderr) << "unknown mode\n";
    return 2;
}
