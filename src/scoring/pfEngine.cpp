#include "scoring/pfEngine.h"

#include <QCryptographicHash>
#include <QDomDocument>
#include <QFile>

#include "common/IniFile.h"
#include "common/PathUtils.h"
#include "common/Prompts.h"
#include "environment/unDMDB.h"
#include "platform/WinFiles.h"
#include "platform/Ansi.h"
#include "platform/WinPaths.h"
#include "platform/WinProcess.h"

namespace {

QString programFolder()
{
    if (DM && !DM->ProgramDir.isEmpty())
        return pathutil::IncludeTrailingBackslash(DM->ProgramDir);
    return win::ProgramDir();
}

// Makes the file writable again and deletes it; true when it is gone afterwards.
bool clearAndDelete(const QString& winPath)
{
    win::SetFileAttributes(winPath, win::FILE_ATTRIBUTE_NORMAL);
    const QString host = win::toHost(winPath);
    if (host.isEmpty())
        return false;
    if (!QFile::exists(host))
        return true;
    return QFile::remove(host);
}

} // namespace

TpfEngine::TpfEngine()
{
    if (DM) {
        ExamRoot = DM->ExamRoot;
        UploadRoot = DM->UploadRoot;
    }
}

bool TpfEngine::SaveToPf(const QString& examineeNo)
{
    TDM::WriteLog(QStringLiteral("TpfEngine.SaveToPf In"));
    const QString e = programFolder();
    if (questId == 0) {
        ShowPrompt(QStringLiteral("指定的试题编号不存在"), 1, kPromptTitle);
        return false;
    }
    const QString source = e + QStringLiteral("subjects\\%1\\%2.xml").arg(questId).arg(questId);
    if (!pathutil::FileExists(source)) {
        ShowPrompt(QStringLiteral("评分的步骤表丢失"), 1, kPromptTitle);
        return false;
    }
    const QString step = e + QStringLiteral("subjects\\Step.xml");
    if (!clearAndDelete(step)) {
        ShowPrompt(QStringLiteral("无法删除") + step + QStringLiteral(",请手动删除"), 1, kPromptTitle);
        return false;
    }
    QFile::copy(win::toHost(source), win::toHost(step));

    const QString ini = e + QStringLiteral("pf.ini");
    if (!clearAndDelete(ini)) {
        ShowPrompt(QStringLiteral("无法删除") + ini + QStringLiteral(",请手动删除"), 1, kPromptTitle);
        return false;
    }
    const QString r = pathutil::IncludeTrailingBackslash(ExamRoot);
    const QStringList lines = {
        QStringLiteral("[PfPara]"),
        QStringLiteral("PaperFile=") + e + QStringLiteral("subjects\\Paper.xml"),
        QStringLiteral("StepFile=") + e + QStringLiteral("subjects\\Step.xml"),
        QStringLiteral("AnsFile=") + r + examineeNo + QStringLiteral("\\ans.zt"),
        QStringLiteral("AnsPath=") + r + examineeNo + QStringLiteral("\\") + examineeNo,
        QStringLiteral("ResultFile=") + r + examineeNo + QStringLiteral("\\pf\\rt.zt"),
        QStringLiteral("msgHandle=") + QString::number(static_cast<quint32>(msgHandle)),
        QStringLiteral("questId=") + QString::number(questId).trimmed(),
        QStringLiteral("areaid=") + areaid,
        QStringLiteral("stageid=") + stageid,
        QStringLiteral("EnvCheckResult=") + EnvCheckResult,
    };
    QByteArray bytes;
    for (const QString& l : lines)
        bytes += win::toAnsi(l) + "\r\n";
    if (!win::WriteFileAtomic(ini, bytes)) {
        ShowPrompt(QStringLiteral("无法生成") + ini, 1, kPromptTitle);
        return false;
    }
    ResultFolderName = examineeNo;
    TDM::WriteLog(QStringLiteral("TpfEngine.SaveToPf Out"));
    return true;
}

bool TpfEngine::CheckPfFiles()
{
    const QString ini = programFolder() + QStringLiteral("pf.ini");
    if (!pathutil::FileExists(ini))
        return false;
    TIniFile f(ini);
    const QString sec = QStringLiteral("PfPara");
    return pathutil::FileExists(f.ReadString(sec, QStringLiteral("PaperFile")).trimmed())
        && pathutil::FileExists(f.ReadString(sec, QStringLiteral("StepFile")).trimmed())
        && pathutil::FileExists(f.ReadString(sec, QStringLiteral("AnsFile")).trimmed())
        && pathutil::DirectoryExists(f.ReadString(sec, QStringLiteral("AnsPath")).trimmed());
}

QString PfIniDigest(const QString& winPath)
{
    QFile f(win::toHost(winPath));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(
        QCryptographicHash::hash(f.readAll(), QCryptographicHash::Md5).toHex().toUpper());
}

bool TpfEngine::PF()
{
    TDM::WriteLog(QStringLiteral("TpfEngine.PF In"));
    if (!CheckPfFiles()) {
        ShowPrompt(QStringLiteral("评分需要的文件不存在"), 1, kPromptTitle);
        return false;
    }
    if (win::IsProcessRunning(QStringLiteral("ravAduVeDiz.exe"))) {
        ShowPrompt(QStringLiteral("评分引擎的一个实例已经在运行,请先关闭该实例的进程"), 1, kPromptTitle);
        return false;
    }
    const QString e = programFolder();
    const QString digest = PfIniDigest(e + QStringLiteral("pf.ini"));
    if (digest.isEmpty()) {
        ShowPrompt(QStringLiteral("评分引擎启动异常！"), 1, kPromptTitle);
        return false;
    }
    win::ShellExecute(QStringLiteral("open"), e + QStringLiteral("ravAduVeDiz.exe"), digest, e,
                      win::SW_SHOWNORMAL);
    TDM::WriteLog(QStringLiteral("TpfEngine.PF Out"));
    return true;
}

void TpfEngine::ReadResult(TPfInfo& info)
{
    const QString path = QStringLiteral("%1%2\\pf\\rt.zt")
                             .arg(pathutil::IncludeTrailingBackslash(ExamRoot), ResultFolderName);
    if (!pathutil::FileExists(path)) {
        ShowPrompt(QStringLiteral("文件:") + path + QStringLiteral("不存在"), 1, kPromptTitle);
        return;
    }
    QFile f(win::toHost(path));
    if (!f.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = f.readAll();
    // The engine writes a small XML document; a document type declaration is never
    // part of it and is refused so that no entity is expanded.
    if (bytes.contains("<!DOCTYPE"))
        return;
    QDomDocument doc;
    if (!doc.setContent(bytes))
        return;
    const QDomElement root = doc.documentElement();
    TPfInfo local;
    bool ok = false;

    const QDomElement qid = root.firstChildElement(QStringLiteral("questid"));
    if (qid.isNull())
        return;
    local.questid = qid.text().trimmed().toInt(&ok);
    if (!ok)
        return;
    const QDomElement res = root.firstChildElement(QStringLiteral("pfresult"));
    if (res.isNull())
        return;
    local.pfresult = res.text().trimmed().toInt(&ok);
    if (!ok)
        return;
    if (local.pfresult != 0) {
        local.fail = root.firstChildElement(QStringLiteral("fail")).text();
        info = local;
        return;
    }
    const QDomElement time = root.firstChildElement(QStringLiteral("pftime"));
    if (time.isNull())
        return;
    local.pftime = time.text();
    const QDomElement score = root.firstChildElement(QStringLiteral("score"));
    if (score.isNull())
        return;
    local.score = score.text().trimmed().toFloat(&ok);
    if (!ok)
        return;
    local.px = root.firstChildElement(QStringLiteral("px")).text();
    info = local;
}
