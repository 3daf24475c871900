#include "question/OperationTypes.h"

#include <QStringList>

#include "common/DelimitedText.h"
#include "question/AppPaths.h"
#include "log/RunLog.h"

namespace {

enum PathKind { PathLiteral, PathCommand, PathAppPaths, PathCanStart };

struct OpRow {
    int type;
    const char* name; // nullptr: no display name
    const char* altName; // type 22 without the Chinese caption
    PathKind kind;
    const char* args[4]; // literal, class names, exe name
    const char* codes; // nullptr: error log; "": none
    TStartMode start;
    int desktopMode;
    TAnswerKeeping keeping = TAnswerKeeping::AnswerText;
    bool pathIsProgramName = false; // the path need not name an existing file
};

using M = TStartMode;
using K = TAnswerKeeping;
const OpRow kRows[] = {
    {1, "C", nullptr, PathLiteral, {"C"}, nullptr, M::Nothing, 0},
    {2, "Logo", nullptr, PathLiteral, {"logo"}, nullptr, M::Nothing, 0},
    {3, "VF", nullptr, PathCommand, {"Visual.FoxPro.Project"}, nullptr, M::Program, 0},
    {4, "IIS设置题", nullptr, PathLiteral, {"IISSet"}, "", M::SimulatedDesktop, 4},
    {5, "Windows", nullptr, PathLiteral, {"Windows"}, "", M::Explorer, 0, K::DesktopShortcuts},
    {6, "Word", nullptr, PathCommand, {"wordhtmlfile"}, "1,2,3", M::FileStart, 0, K::DocumentMark},
    {7, "Excel", nullptr, PathCommand, {"excelhtmlfile"}, "10,11,12", M::FileStart, 0, K::DocumentMark},
    {8,
     "Powerpoint",
     nullptr,
     PathCommand,
     {"powerpointhtmlfile"},
     "20,21,22",
     M::FileStart,
     0,
     K::DocumentMark},
    {9, "Access", nullptr, PathCommand, {"Accesshtmlfile"}, "30,31,32", M::Program, 0},
    {10, "IE", nullptr, PathLiteral, {"IEXPLORE.EXE"}, "100", M::Program, 0, K::Favorites, true},
    {11, "Type", nullptr, PathLiteral, {"打字题"}, "", M::Typing, 0},
    {12, "Outlook", nullptr, PathLiteral, {"msimn"}, "40,41,42", M::Program, 0},
    {13,
     "Flash",
     nullptr,
     PathCommand,
     {"Flash.DebugFile", "Flash.FlashProjectFile", "Flash.Doc", "Flash.FLA"},
     "110,111,112",
     M::Program,
     0},
    {14,
     "Photoshop",
     nullptr,
     PathCommand,
     {"Photoshop.fileinfo", "Photoshop.Image.8"},
     "120,121",
     M::Photoshop,
     0},
    {15, "Dreamweaver", nullptr, PathCommand, {"Dreamweaver.Library.Item"}, "130", M::Program, 0},
    {16, "Frontpage", nullptr, PathCommand, {"fphtmlfile"}, "50,51,52", M::FileStart, 0, K::DocumentMark},
    {17, "VB", nullptr, PathCommand, {"VisualBasic.Project"}, "60,61", M::Program, 0},
    {18, "Java", nullptr, PathCommand, {"JCreator.java"}, "140", M::Program, 0},
    {19, "IP设置题", nullptr, PathLiteral, {"IP"}, "", M::SimulatedDesktop, 19},
    {20, "Premiere", nullptr, PathCommand, {"Adobe.Premiere.Project"}, "150", M::Program, 0},
    {21, "CoolEditPro", nullptr, PathCommand, {"samplevision.file"}, "160", M::Program, 0},
    {22, "上传下载题", "UpDown", PathLiteral, {"FTP"}, nullptr, M::SimulatedDesktop, 22},
    {23, "IE设置题", nullptr, PathLiteral, {"IESet"}, "", M::SimulatedDesktop, 23},
    {24, "OPAll", nullptr, PathLiteral, {"w"}, nullptr, M::Explorer, 0},
    {25, "Apply", nullptr, PathLiteral, {"w"}, nullptr, M::Nothing, 0},
    {26, "Windows Virtual", nullptr, PathLiteral, {"w"}, "", M::SimulatedDesktop, 26, K::OperationList},
    {27, "Mspaint", nullptr, PathCanStart, {"mspaint.exe"}, "170", M::FileStart, 0, K::AnswerText, true},
    {28, nullptr, nullptr, PathLiteral, {"w"}, nullptr, M::RecentDocuments, 0},
    {29, "wordpad", nullptr, PathCanStart, {"wordpad.exe"}, "180", M::FileStart, 0, K::AnswerText, true},
    {30, "MailBox", nullptr, PathLiteral, {"MailBox\\AspServer.exe"}, "100", M::MailServer, 0},
    {31, "ACDSee 5.0", nullptr, PathAppPaths, {"FotoCanvas2.exe"}, nullptr, M::FileStart, 0},
    {32, "SndRec", nullptr, PathCanStart, {"sndrec32.exe"}, "200", M::FileStart, 0, K::AnswerText, true},
    {33, "Access 2007", nullptr, PathCommand, {"Accesshtmlfile"}, "33", M::Program, 0},
    {34, "Fotocanvas3", nullptr, PathAppPaths, {"FotoCanvas3.exe"}, "190", M::FileStart, 0},
    {35, "Word 2007", nullptr, PathCommand, {"wordhtmlfile"}, "4", M::Program, 0},
    {36, "Excel 2007", nullptr, PathCommand, {"excelhtmlfile"}, "13", M::Program, 0},
    {37, "Powerpoint 2007", nullptr, PathCommand, {"powerpointhtmlfile"}, "23", M::Program, 0},
};

struct VersionRow {
    int code;
    const char* name;
};

const VersionRow kVersions[] = {
    {1, "Word 2000"},        {2, "Word XP"},          {3, "Word 2003"},
    {4, "Word 2007"},        {5, "Word 2010"},        {10, "Excel 2000"},
    {11, "Excel XP"},        {12, "Excel 2003"},      {13, "Excel 2007"},
    {14, "Excel 2010"},      {20, "PowerPoint 2000"}, {21, "PowerPoint XP"},
    {22, "PowerPoint 2003"}, {23, "PowerPoint 2007"}, {24, "PowerPoint 2010"},
    {30, "Access 2000"},     {31, "Access XP"},       {32, "Access 2003"},
    {33, "Access 2007"},     {34, "Access 2010"},     {40, "Outlook 2000"},
    {41, "Outlook XP"},      {42, "Outlook 2003"},    {43, "Outlook 2007"},
    {44, "Outlook 2010"},    {50, "FrontPage 2000"},  {51, "FrontPage XP"},
    {52, "FrontPage 2003"},  {53, "FrontPage 2007"},  {54, "FrontPage 2010"},
    {60, "VB 6.0"},          {61, "VB 2005"},         {100, "IE"},
    {110, "Flash 8.0"},      {111, "Flash MX 2004"},  {112, "Flash CS5.5"},
    {120, "PhotoShop 8.0"},  {121, "PhotoShop CS3"},  {130, "DreamWeaver 2004"},
    {140, "JCreator 3.5"},   {150, "Premiere 6.0"},   {160, "CoolEditPro 2.1"},
    {170, "画图"},           {180, "写字板"},         {190, "ACDSEE 6.0"},
    {200, "录音机"},
};

const OpRow* findRow(int type)
{
    for (const OpRow& r : kRows)
        if (r.type == type)
            return &r;
    return nullptr;
}

} // namespace

QString GetOperationName(int type, bool chineseCaption)
{
    RunLog(QStringLiteral("udmdb.GetOperationName in "));
    QString name;
    if (const OpRow* r = findRow(type)) {
        const char* n = (!chineseCaption && r->altName) ? r->altName : r->name;
        if (n)
            name = QString::fromUtf8(n);
    }
    RunLog(QStringLiteral("udmdb.GetOperationName out "));
    return name;
}

QString GetOpPathByOpId(int type)
{
    RunLog(QStringLiteral("TwebServer.GetOpPathByOpId in "));
    QString path = QStringLiteral("w");
    if (const OpRow* r = findRow(type)) {
        switch (r->kind) {
        case PathLiteral:
            path = QString::fromUtf8(r->args[0]);
            break;
        case PathCommand:
            path.clear();
            for (const char* cls : r->args) {
                if (!cls)
                    break;
                path = GetAppPath(QString::fromUtf8(cls)).trimmed();
                if (!path.isEmpty())
                    break;
            }
            break;
        case PathAppPaths:
            path = GetAppPathsEntry(QString::fromUtf8(r->args[0]));
            break;
        case PathCanStart: {
            const QString exe = QString::fromUtf8(r->args[0]);
            path = CanStart(exe) ? exe : QString();
            break;
        }
        }
    }
    RunLog(QStringLiteral("TwebServer.GetOpPathByOpId Out "));
    return path;
}

QString OperationVersionCodes(int type)
{
    const OpRow* r = findRow(type);
    return (r && r->codes) ? QString::fromUtf8(r->codes) : QString();
}

QString CheckEnvResult(int type, const QString& available)
{
    const OpRow* r = findRow(type);
    if (r && r->codes && !*r->codes)
        return {};
    if (!r || !r->codes) {
        RunLog(QStringLiteral("CheckEnvResult ERROR: 位置操作类型=%1 ").arg(type));
        return {};
    }
    if (available.isEmpty())
        return {};
    const QStringList have = delimited::Split(available);
    const QStringList codes = delimited::Split(QString::fromUtf8(r->codes));
    for (const QString& c : codes)
        if (have.contains(c))
            return c;
    return {};
}

QString GetSoftVersionName(int code)
{
    for (const VersionRow& v : kVersions)
        if (v.code == code)
            return QString::fromUtf8(v.name);
    return {};
}

TStartMode OperationStartMode(int type)
{
    const OpRow* r = findRow(type);
    return r ? r->start : TStartMode::Nothing;
}

int StartDesktopMode(int type)
{
    const OpRow* r = findRow(type);
    return (r && r->start == TStartMode::SimulatedDesktop && type != 19) ? r->desktopMode : 0;
}

bool StartsSoftware(int type)
{
    switch (OperationStartMode(type)) {
    case TStartMode::Program:
    case TStartMode::FileStart:
    case TStartMode::Photoshop:
    case TStartMode::MailServer:
        return true;
    default:
        return false;
    }
}

bool OperationPathMustExist(int type)
{
    const OpRow* r = findRow(type);
    return r && StartsSoftware(type) && !r->pathIsProgramName;
}

TAnswerKeeping OperationAnswerKeeping(int type)
{
    const OpRow* r = findRow(type);
    return r ? r->keeping : TAnswerKeeping::AnswerText;
}

bool IsBrowserQuestion(int type) { return OperationAnswerKeeping(type) == TAnswerKeeping::Favorites; }
