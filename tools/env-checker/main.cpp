// EnvironCheckClient.exe "Tamry_CheckEnv <codes>": checks which of the software
// versions named by the codes are installed and writes the answer into
// checksoftresult.ini in the program folder:
//   [CheckResult]
//   <code>=1 (installed) or 0 (missing), one key per examined code
//   CheckTime=<local time of the check>
// Exit code 0 after writing the result, 2 for a command line without the check word,
// 3 when the result file cannot be written.
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QStringList>

#include <cstdio>

#include "SoftwareRegistry.h"
#include "common/IniFile.h"
#include "platform/WinPaths.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString commandLine = QCoreApplication::arguments().mid(1).join(QLatin1Char(' ')).trimmed();
    const QString word = QStringLiteral("Tamry_CheckEnv");
    if (!commandLine.startsWith(word, Qt::CaseInsensitive)) {
        std::fprintf(stderr, "usage: EnvironCheckClient.exe Tamry_CheckEnv <code>[,<code>...]\n");
        return 2;
    }
    const QList<int> codes = ParseCodes(commandLine.mid(word.size()));

    const QString resultFile = win::ProgramDir() + QStringLiteral("checksoftresult.ini");
    QFile::remove(win::toHost(resultFile));
    TIniFile ini(resultFile);
    bool ok = true;
    for (int code : codes)
        ok = ini.WriteString(QStringLiteral("CheckResult"), QString::number(code),
                             IsVersionInstalled(code) ? QStringLiteral("1") : QStringLiteral("0"))
            && ok;
    ok = ini.WriteString(QStringLiteral("CheckResult"), QStringLiteral("CheckTime"),
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
        && ok;
    return ok ? 0 : 3;
}
