#include "web/webServer.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <exception>

#include "common/IniFile.h"
#include "common/KelPubLib.h"
#include "common/PathUtils.h"
#include "common/Prompts.h"
#include "environment/StartApp.h"
#include "environment/StuDirManage.h"
#include "environment/unDMDB.h"
#include "platform/WinFiles.h"
#include "platform/WinPaths.h"
#include "platform/WinShell.h"
#include "question/OperationTypes.h"
#include "question/PaperXml.h"
#include "log/RunLog.h"
#include "web/HttpTransfer.h"

namespace {

TReportAndExitHook& reportHook()
{
    static TReportAndExitHook hook;
    return hook;
}

TOpenUrlHook& openUrlHook()
{
    static TOpenUrlHook hook;
    return hook;
}

void reportAndExit(const QString& text, bool showBox, bool writeLog, bool quit)
{
    if (reportHook()) {
        reportHook()(text, showBox, writeLog, quit);
    } else if (DM) {
        DM->ReportAndExit(text, showBox, writeLog, quit);
    } else {
        if (showBox)
            ShowPrompt(text, 1, kPromptTitle);
        if (writeLog)
            RunLog(text);
    }
}

void prompt(const QString& text, int style = 1) { ShowPrompt(text, style, kPromptTitle); }

// A JSON member as trimmed text; numbers as their decimal text; missing = "".
QString memberText(const QJsonObject& o, const QString& name)
{
    const QJsonValue v = o.value(name);
    switch (v.type()) {
    case QJsonValue::String:
        return v.toString().trimmed();
    case QJsonValue::Double: {
        const double d = v.toDouble();
        if (d == static_cast<double>(static_cast<qint64>(d)))
            return QString::number(static_cast<qint64>(d));
        return QString::number(d, 'g', 15);
    }
    case QJsonValue::Bool:
        return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    default:
        return {};
    }
}

// A member that is an object, or a text holding the JSON of an object.
bool memberObject(const QJsonObject& o, const QString& name, QJsonObject& out)
{
    const QJsonValue v = o.value(name);
    if (v.isObject()) {
        out = v.toObject();
        return true;
    }
    if (v.isString()) {
        const QJsonDocument d = QJsonDocument::fromJson(v.toString().toUtf8());
        if (d.isObject()) {
            out = d.object();
            return true;
        }
    }
    return false;
}

// StrToInt: a 32-bit decimal integer (leading and trailing blanks allowed after the trim).
bool toInt32(const QString& text, qint32& value)
{
    bool ok = false;
    const qint32 v = text.trimmed().toInt(&ok, 10);
    if (ok)
        value = v;
    return ok;
}

void clearAttributes(const QString& path) { win::SetFileAttributes(path, win::FILE_ATTRIBUTE_NORMAL); }

QString programFolderNoSlash() { return pathutil::ExcludeTrailingBackslash(win::ProgramDir()); }

} // namespace

TReportAndExitHook SetWebReportAndExit(TReportAndExitHook hook)
{
    TReportAndExitHook previous = reportHook();
    reportHook() = std::move(hook);
    return previous;
}

TOpenUrlHook SetWebOpenUrl(TOpenUrlHook hook)
{
    TOpenUrlHook previous = openUrlHook();
    openUrlHook() = std::move(hook);
    return previous;
}

void WebReportAndExit(const QString& text, bool showBox, bool writeLog, bool quit)
{
    reportAndExit(text, showBox, writeLog, quit);
}

qintptr WebOpenUrl(const QString& url)
{
    if (openUrlHook())
        return openUrlHook()(url);
    return OpenUrl(url);
}

bool NewerClientRequired(const QString& required, const QString& local)
{
    if (required.isEmpty())
        return true;
    // Plain text comparison, code by code (so "1.10" is below "1.9").
    return QString::compare(local, required, Qt::CaseSensitive) < 0;
}

TwebServer::TwebServer() : WebTamry(std::make_unique<TWebTamry>())
{
    RunLog(QStringLiteral("TwebServer.create in"));
    try {
        Logger = std::make_shared<TLogCtrl>(win::ProgramDir() + QStringLiteral("zovovozuz.log"));
    } catch (const std::exception&) {
        Logger.reset();
    }
    if (Logger) {
        SetRunLogger(Logger);
        if (DM)
            DM->Logger = Logger;
    }
    WebTamry->Logger = RunLogger();
    if (DM)
        BaseURL = DM->WebUrl;
    QString temp = win::GetTempPath();
    if (temp.isEmpty())
        temp = QStringLiteral("D:\\DownloadPath\\");
    DownloadDir = QStringLiteral("%1DODADA\\%2")
                      .arg(temp, QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss")));
    if (DM)
        DM->RunDownloadDir = DownloadDir;
    // Emptying the Recent documents folder belongs here once that support exists.
    RunLog(QStringLiteral("TwebServer.create Out"));
}

TwebServer::~TwebServer() = default;

QString TwebServer::questFolder(const QString& base) const
{
    return QStringLiteral("%1\\%2\\").arg(pathutil::ExcludeTrailingBackslash(base)).arg(PaperInfo.questionid);
}

bool TwebServer::AnalysisQuest(const QString& response)
{
    RunLog(QStringLiteral("TwebServer.AnalysisQuest In "));
    RunLog(response);
    const QJsonDocument doc = QJsonDocument::fromJson(response.toUtf8());
    if (!doc.isObject())
        return false;
    const QJsonObject top = doc.object();
    TPaperUrlInfo& u = PaperInfo.urls;
    u.flag = memberText(top, QStringLiteral("flag"));
    u.msg = memberText(top, QStringLiteral("msg"));
    QJsonObject data;
    if (!memberObject(top, QStringLiteral("data"), data))
        return false;
    u.callback = memberText(data, QStringLiteral("callback"));
    u.version = memberText(data, QStringLiteral("version"));
    PaperInfo.ownerid = memberText(data, QStringLiteral("ownerid"));
    PaperInfo.k12stage = memberText(data, QStringLiteral("k12stage"));
    PaperInfo.module = memberText(data, QStringLiteral("module"));
    QJsonObject q;
    if (!memberObject(data, QStringLiteral("question"), q))
        return false;
    u.questid = memberText(q, QStringLiteral("questid"));
    if (!toInt32(u.questid, PaperInfo.questionid)) {
        RunLog(QStringLiteral("无法将试题编号字符型转换成数值型"));
        return false;
    }
    PaperInfo.knowledgep = memberText(q, QStringLiteral("knowledgep"));
    u.url2 = memberText(q, QStringLiteral("url2"));
    u.stepurl = memberText(q, QStringLiteral("stepurl"));
    u.maturl = memberText(q, QStringLiteral("maturl"));
    u.paperurl = memberText(q, QStringLiteral("paperurl"));
    if (!toInt32(memberText(q, QStringLiteral("questiontype")), PaperInfo.questiontype)) {
        RunLog(QStringLiteral("无法将试题类型字符型转换成数值型"));
        return false;
    }
    if (!toInt32(memberText(q, QStringLiteral("operationtype")), PaperInfo.operationtype)) {
        RunLog(QStringLiteral("无法将试题操作类型字符型转换成数值型"));
        return false;
    }
    RunLog(QStringLiteral("TwebServer.AnalysisQuest Out "));
    return true;
}

bool TwebServer::VerifyValue()
{
    RunLog(QStringLiteral("TwebServer.VerifyValue In"));
    const TPaperUrlInfo& u = PaperInfo.urls;
    QString fail;
    if (u.flag != QLatin1String("1"))
        fail = QStringLiteral("下载失败,错误原因:") + u.msg;
    else if (u.paperurl.isEmpty())
        fail = QStringLiteral("试卷地址为空");
    else if (u.url2.isEmpty())
        fail = QStringLiteral("试卷描述地址为空");
    else if (u.stepurl.isEmpty())
        fail = QStringLiteral("操作步骤表地址为空");
    else if (u.questid.isEmpty())
        fail = QStringLiteral("试题编号为空");
    if (!fail.isEmpty()) {
        prompt(fail);
        return false;
    }
    RunLog(QStringLiteral("TwebServer.VerifyValue Out"));
    return true;
}

bool TwebServer::CheckVersion()
{
    try {
        const QString required = PaperInfo.urls.version;
        if (required.isEmpty())
            return true;
        QString local;
        if (DM)
            DM->ReadLocalVersion(local);
        else
            local = TIniFile(win::ProgramDir() + QStringLiteral("Config.ini"))
                        .ReadString(QStringLiteral("LOCAL"), QStringLiteral("VERSION"))
                        .trimmed();
        return NewerClientRequired(required, local);
    } catch (const std::exception& e) {
        reportAndExit(QStringLiteral("版本检测失败：") + QString::fromLocal8Bit(e.what()), true, true, true);
        return false;
    }
}

bool TwebServer::DownloadToFile(const QString& url, const QString& path)
{
    clearAttributes(path);
    const QString host = win::toHost(path);
    if (pathutil::FileExists(path) && !QFile::remove(host)) {
        RunLog(QStringLiteral("下载前在清除文件时,无法删除") + path);
        return false;
    }
    for (int attempt = 1; attempt <= 3; ++attempt) {
        const webhttp::Result r = webhttp::GetToFile(url, host);
        if (!r.ok) {
            RunLog(QStringLiteral("TwebServer.DownloadToFile ERROR: %1\r\n%2").arg(url, r.error));
            return false;
        }
        if (pathutil::FileExists(path))
            return true;
        const win::DWORD start = TKelPubLib::TickCount();
        while (TKelPubLib::TickCount() - start < 10000) {
            if (pathutil::FileExists(path))
                return true;
            TKelPubLib::Delay(10, true);
        }
        if (pathutil::FileExists(path))
            return true;
    }
    RunLog(QStringLiteral("下载超时..."));
    RunLog(QStringLiteral("TwebServer.DownloadToFile ERROR: %1").arg(url));
    return false;
}

bool TwebServer::ReadPaperXml(const QString& fileName) { return ::ReadPaperXml(fileName, PaperInfo); }

QString TwebServer::GetOpPathByOpId(int type) { return ::GetOpPathByOpId(type); }

bool TwebServer::Download()
{
    RunLog(QStringLiteral("TwebServer.Download in"));
    const QString response = WebTamry->PostForm(LaunchData);
    if (response.isEmpty()) {
        RunLog(response);
        reportAndExit(QStringLiteral("连接Tamry网失败，请检查网络是否可用！"), true, true, true);
        return false;
    }
    if (!AnalysisQuest(response)) {
        prompt(QStringLiteral("下载的试题信息有问题"));
        return false;
    }
    if (CheckVersion()) {
        const QString text = QStringLiteral("有新版本的Pravik。\r\n请点击“确定”到Tamry网下载然后升级安装！");
        prompt(text, 4);
        const QString page = DM ? DM->DownloadPageUrl : QString();
        if (openUrlHook())
            openUrlHook()(page);
        else
            OpenUrl(page);
        reportAndExit(text, false, true, true);
        return false;
    }
    if (!VerifyValue()) {
        prompt(QStringLiteral("验证无法通过"));
        return false;
    }

    const QString d = DownloadDir;
    const QString qFolder = questFolder(d);
    clearAttributes(qFolder);
    if (pathutil::DirectoryExists(qFolder)) {
        TKelPubLib::Delay(100, true);
        if (!DeleteDirTree(qFolder, false, false)) {
            prompt(QStringLiteral("删除系统临时目录时失败,请手动删除"));
            return false;
        }
    }
    if (!pathutil::ForceDirectories(qFolder)) {
        prompt(QStringLiteral("建立临时目录:") + qFolder + QStringLiteral("失败"));
        return false;
    }

    const QString q = QString::number(PaperInfo.questionid);
    const TPaperUrlInfo& u = PaperInfo.urls;
    if (!DownloadToFile(u.paperurl, d + QStringLiteral("\\Paper.xml"))) {
        prompt(QStringLiteral("下载试卷失败"));
        return false;
    }
    if (!DownloadToFile(u.stepurl, qFolder + q + QStringLiteral(".xml"))) {
        prompt(QStringLiteral("下载步骤文件失败"));
        return false;
    }
    if (!u.maturl.isEmpty() && !DownloadToFile(u.maturl, qFolder + q + QStringLiteral(".ZIP"))) {
        prompt(QStringLiteral("下载素材文件失败"));
        return false;
    }
    if (!DownloadToFile(u.url2, qFolder + q + QStringLiteral(".png"))) {
        prompt(QStringLiteral("下载题目描述文件失败"));
        return false;
    }

    if (!ReadPaperXml(d + QStringLiteral("\\Paper.xml")))
        return false;
    if (PaperInfo.questionid == 0) {
        prompt(QStringLiteral("试卷表中的题目编号为空"));
        return false;
    }
    if (QString::number(PaperInfo.questionid) != u.questid) {
        prompt(QStringLiteral("试卷表中和下载的JSON试题编号不一致"));
        return false;
    }
    if (PaperInfo.questiontype != 5) {
        prompt(QStringLiteral("此题非操作题"));
        return false;
    }
    if (ClearAndCreateQuestionidDir() && CopyFileToSubjects(d)) {
        RunLog(QStringLiteral("TwebServer.Download out"));
        return true;
    }
    return false;
}

bool TwebServer::ClearAndCreateQuestionidDir()
{
    RunLog(QStringLiteral("TwebServer.ClearAndCreateQuestionidDir in"));
    const QString p = win::ProgramDir();
    const QString f = QStringLiteral("%1subjects\\%2").arg(p).arg(PaperInfo.questionid);
    clearAttributes(f);
    if (pathutil::DirectoryExists(f)) {
        TKelPubLib::Delay(100, true);
        if (!DeleteDirTree(f, false, false)) {
            prompt(QStringLiteral("删除") + f + QStringLiteral("目录失败,请手动删除"));
            return false;
        }
        if (!win::RemoveDirectory(f)) {
            prompt(QStringLiteral("系统目录初始化失败!"));
            return false;
        }
    }
    if (!pathutil::ForceDirectories(f)) {
        prompt(QStringLiteral("系统临时目录初始化失败: ") + f);
        return false;
    }
    const QString paper = p + QStringLiteral("subjects\\Paper.xml");
    if (pathutil::FileExists(paper)) {
        clearAttributes(paper);
        if (!QFile::remove(win::toHost(paper))) {
            prompt(QStringLiteral("无法删除") + paper + QStringLiteral(",请手动删除"));
            return false;
        }
    }
    RunLog(QStringLiteral("TwebServer.ClearAndCreateQuestionidDir Out"));
    return true;
}

bool TwebServer::CopyFileToSubjects(const QString& downloadDir)
{
    RunLog(QStringLiteral("TwebServer.CopyFileToSubjects In"));
    try {
        const QString p = win::ProgramDir();
        const QString d = pathutil::ExcludeTrailingBackslash(downloadDir);
        const int qid = PaperInfo.questionid;
        const QString q = QString::number(qid);
        QString target = p + QStringLiteral("subjects\\Paper.xml");
        if (!win::CopyFile(d + QStringLiteral("\\Paper.xml"), target, false)) {
            RunLog(QStringLiteral("拷贝文件") + target + QStringLiteral("失败"));
            prompt(QStringLiteral("试题初始化失败！"));
            return false;
        }
        target = QStringLiteral("%1subjects\\%2\\%2.xml").arg(p, q);
        if (!win::CopyFile(QStringLiteral("%1\\%2\\%2.xml").arg(d, q), target, false)) {
            prompt(QStringLiteral("拷贝文件") + target + QStringLiteral("失败"));
            return false;
        }
        StepFilePath = target;
        if (DM)
            DM->StepFile = target;
        target = QStringLiteral("%1subjects\\%2\\%2.png").arg(p, q);
        if (!win::CopyFile(QStringLiteral("%1\\%2\\%2.png").arg(d, q), target, false)) {
            prompt(QStringLiteral("拷贝文件") + target + QStringLiteral("失败"));
            return false;
        }
        if (PaperInfo.urls.maturl.isEmpty()) {
            RunLog(QStringLiteral("TwebServer.CopyFileToSubjects Out"));
            return true;
        }
        const QString archive = QStringLiteral("%1\\%2\\%2.zip").arg(d, q);
        if (PaperInfo.operationtype == 10) {
            target = QStringLiteral("%1\\img2\\operation\\IE").arg(programFolderNoSlash());
            clearAttributes(target);
            if (pathutil::DirectoryExists(target)) {
                TKelPubLib::Delay(100, true);
                if (!DeleteDirTree(target, false, false)) {
                    prompt(QStringLiteral("删除") + target + QStringLiteral("目录时失败,请手动删除"));
                    return false;
                }
            } else if (!pathutil::ForceDirectories(target)) {
                prompt(QStringLiteral("创建目录失败: ") + target);
                return false;
            }
        } else {
            target = QStringLiteral("%1subjects\\%2").arg(win::GetTempPath(), q);
            clearAttributes(target);
            if (pathutil::DirectoryExists(target)) {
                TKelPubLib::Delay(200, true);
                if (!DeleteDirTree(target, false, false)) {
                    prompt(QStringLiteral("删除系统临时目录时失败,请手动删除"));
                    return false;
                }
                if (!win::RemoveDirectory(target)) {
                    prompt(QStringLiteral("移除系统临时目录时失败,请手动删除"));
                    return false;
                }
            }
            if (!pathutil::ForceDirectories(target)) {
                prompt(QStringLiteral("创建系统临时目录失败！"));
                return false;
            }
        }
        if (DM && DM->ExtractArchive(archive, target, QString::fromLatin1(kMaterialPassword))) {
            RunLog(QStringLiteral("TwebServer.CopyFileToSubjects Out"));
            return true;
        }
        RunLog(QStringLiteral("解压") + archive + QStringLiteral("文件时失败,程序将退出"));
        reportAndExit(QStringLiteral("试题素材初始化失败!\r\n系统即将关闭，请在Tamry网上重新练习本题。"),
                      true, true, true);
        return false;
    } catch (const std::exception&) {
        return false;
    }
}

bool TwebServer::CopyMaterialTo(const QString& practiceDir)
{
    RunLog(QStringLiteral("TwebServer.CopyMaterialTo In"));
    const QString x = pathutil::ExcludeTrailingBackslash(practiceDir);
    const int qid = PaperInfo.questionid;
    if (!PaperInfo.urls.maturl.isEmpty() && PaperInfo.operationtype != 10) {
        const QString source = QStringLiteral("%1subjects\\%2").arg(win::GetTempPath()).arg(qid);
        const QString target = QStringLiteral("%1\\subjects").arg(programFolderNoSlash());
        if (!ShellCopyFolder(source, target)) {
            prompt(QStringLiteral("拷贝系统临时目录到") + target + QStringLiteral("目录时出错"));
            return false;
        }
        if (!ShellCopyFolder(source, x)) {
            prompt(QStringLiteral("拷贝系统临时目录到") + x + QStringLiteral("时出错"));
            return false;
        }
    }
    OperationPath = QStringLiteral("%1\\%2").arg(x).arg(qid);
    RunLog(QStringLiteral("TwebServer.CopyMaterialTo Out"));
    return true;
}

QString TwebServer::GetPicturePath() const
{
    const QString q = QString::number(PaperInfo.questionid);
    const QString path = QStringLiteral("%1subjects\\%2\\%2.png").arg(win::ProgramDir(), q);
    return pathutil::FileExists(path) ? path : QString();
}
