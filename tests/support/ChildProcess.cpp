#include "support/ChildProcess.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <map>
#include <string>

namespace pravik::test {

namespace {
std::map<std::string, ChildMain>& modes()
{
    static std::map<std::string, ChildMain> m;
    return m;
}
QString g_self;
} // namespace

ChildModeRegistrar::ChildModeRegistrar(const char* name, ChildMain fn) { modes()[name] = std::move(fn); }

bool RunChildModeIfRequested(int argc, char** argv, int& exitCode)
{
    g_self = QFileInfo(QString::fromLocal8Bit(argv[0])).absoluteFilePath();
    if (argc < 3 || std::string(argv[1]) != "--pravik-child")
        return false;
    const auto it = modes().find(argv[2]);
    if (it == modes().end()) {
        exitCode = 99;
        return true;
    }
    QStringList args;
    for (int i = 3; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    exitCode = it->second(args);
    return true;
}

QString SelfExecutable() { return g_self; }

QStringList ChildArguments(const QString& name, const QStringList& args)
{
    return QStringList{QStringLiteral("--pravik-child"), name} + args;
}

} // namespace pravik::test
