#include "SoftwareRegistry.h"

#include <QRegularExpression>

#include "platform/WinPaths.h"
#include "platform/WinProcess.h"
#include "platform/WinRegistry.h"

namespace {

const QString kAppPaths = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\");

bool InRange(int code, int from, int to) { return code >= from && code <= to; }

// True unless the registration restricts itself to other versions.
bool StandsFor(win::Hive hive, const QString& key, int code)
{
    const auto versions = win::RegReadString(hive, key, QStringLiteral("Versions"));
    if (!versions || versions->trimmed().isEmpty())
        return true;
    return ParseCodes(*versions).contains(code);
}

bool ProgramExists(const QString& program) { return !program.isEmpty() && win::PathIsFile(program); }

} // namespace

bool SoftwareFamilyOf(int code, TSoftwareFamily& f)
{
    f = {};
    if (InRange(code, 1, 5))
        f = {{QStringLiteral("wordhtmlfile")}, {QStringLiteral("WINWORD.EXE")}};
    else if (InRange(code, 10, 14))
        f = {{QStringLiteral("excelhtmlfile")}, {QStringLiteral("EXCEL.EXE")}};
    else if (InRange(code, 20, 24))
        f = {{QStringLiteral("powerpointhtmlfile")}, {QStringLiteral("POWERPNT.EXE")}};
    else if (InRange(code, 30, 34))
        f = {{QStringLiteral("Accesshtmlfile")}, {QStringLiteral("MSACCESS.EXE")}};
    else if (InRange(code, 40, 44))
        f = {{}, {QStringLiteral("OUTLOOK.EXE"), QStringLiteral("msimn.exe")}};
    else if (InRange(code, 50, 54))
        f = {{QStringLiteral("fphtmlfile")}, {QStringLiteral("FRONTPG.EXE")}};
    else if (code == 60 || code == 61)
        f = {{QStringLiteral("VisualBasic.Project")}, {QStringLiteral("VB6.EXE")}};
    else if (code == 100)
        f = {{}, {QStringLiteral("IEXPLORE.EXE")}};
    else if (InRange(code, 110, 112))
        f = {{QStringLiteral("Flash.DebugFile"), QStringLiteral("Flash.FlashProjectFile"),
              QStringLiteral("Flash.Doc"), QStringLiteral("Flash.FLA")},
             {QStringLiteral("Flash.exe")}};
    else if (code == 120 || code == 121)
        f = {{QStringLiteral("Photoshop.fileinfo"), QStringLiteral("Photoshop.Image.8")},
             {QStringLiteral("Photoshop.exe")}};
    else if (code == 130)
        f = {{QStringLiteral("Dreamweaver.Library.Item")}, {QStringLiteral("Dreamweaver.exe")}};
    else if (code == 140)
        f = {{QStringLiteral("JCreator.java")}, {QStringLiteral("JCreator.exe")}};
    else if (code == 150)
        f = {{QStringLiteral("Adobe.Premiere.Project")}, {QStringLiteral("Premiere.exe")}};
    else if (code == 160)
        f = {{QStringLiteral("samplevision.file")}, {QStringLiteral("coolpro2.exe")}};
    else if (code == 170)
        f = {{}, {QStringLiteral("mspaint.exe")}};
    else if (code == 180)
        f = {{}, {QStringLiteral("wordpad.exe")}};
    else if (code == 190)
        f = {{}, {QStringLiteral("FotoCanvas3.exe")}};
    else if (code == 200)
        f = {{}, {QStringLiteral("sndrec32.exe")}};
    else
        return false;
    return true;
}

QString ClassProgram(const QString& className)
{
    const auto command = win::RegReadString(win::Hive::HKCR,
                                            className + QStringLiteral("\\shell\\open\\command"), QString());
    if (!command || command->trimmed().isEmpty())
        return {};
    const QStringList parts = win::SplitCommandLine(command->trimmed());
    return parts.isEmpty() ? QString() : parts.first();
}

QString AppPathsProgram(const QString& exeName)
{
    QString path = win::RegReadString(win::Hive::HKLM, kAppPaths + exeName, QString()).value_or(QString());
    path.remove(QLatin1Char('"'));
    return path.trimmed();
}

bool IsVersionInstalled(int code)
{
    TSoftwareFamily family;
    if (!SoftwareFamilyOf(code, family))
        return false;
    for (const QString& c : family.classes) {
        if (ProgramExists(ClassProgram(c)) && StandsFor(win::Hive::HKCR, c, code))
            return true;
    }
    for (const QString& e : family.exeNames) {
        if (ProgramExists(AppPathsProgram(e)) && StandsFor(win::Hive::HKLM, kAppPaths + e, code))
            return true;
    }
    return false;
}

QList<int> ParseCodes(const QString& text)
{
    QList<int> codes;
    for (const QString& part :
         text.split(QRegularExpression(QStringLiteral("[,\\s]+")), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int c = part.toInt(&ok);
        if (ok && !codes.contains(c))
            codes.append(c);
    }
    return codes;
}
