#include "scoring/TStuDirManage.h"

#include "common/IniFile.h"
#include "common/KelPubLib.h"
#include "common/PathUtils.h"
#include "common/Prompts.h"
#include "environment/StartApp.h"
#include "environment/StuDirManage.h"
#include "environment/unDMDB.h"
#include "platform/WinFiles.h"
#include "platform/WinPaths.h"

namespace {

void Log(const QString& text) { TDM::WriteLog(text, nullptr, MSG_ERROR); }

} // namespace

bool TStuDirManage::AddStuDir(const QString& examineeNo, int questIdValue)
{
    Log(QStringLiteral("TStuDirManage.AddStuDir In"));
    const QString d = QStringLiteral("%1%2").arg(ExamRoot, examineeNo);
    win::SetFileAttributes(d, win::FILE_ATTRIBUTE_NORMAL);
    if (pathutil::DirectoryExists(d)) {
        CloseOfficeApps();
        TKelPubLib::Delay(100, true);
        const bool ok = DeleteDirTree(d, false, false) && win::RemoveDirectory(d);
        if (!ok) {
            ShowPrompt(QStringLiteral("删除") + examineeNo + QStringLiteral("学生目录时失败,请手动删除"), 1,
                       kPromptTitle);
            return false;
        }
    }
    if (!pathutil::ForceDirectories(QStringLiteral("%1\\%2").arg(d, examineeNo))) {
        ShowPrompt(QStringLiteral("建立练习目录时失败,请手动删除"), 1, kPromptTitle);
        return false;
    }
    if (!pathutil::ForceDirectories(d + QStringLiteral("\\pf"))) {
        ShowPrompt(QStringLiteral("建立评分目录时失败,请手动删除"), 1, kPromptTitle);
        return false;
    }
    if (!pathutil::ForceDirectories(QStringLiteral("%1\\%2\\SaveAs").arg(d, examineeNo))) {
        ShowPrompt(QStringLiteral("建立另存目录时失败,请手动删除"), 1, kPromptTitle);
        return false;
    }
    {
        TIniFile ini(d + QStringLiteral("\\ans.zt"));
        ini.WriteString(QStringLiteral("strOpsList"),
                        QString::number(questIdValue).trimmed() + QStringLiteral("))"),
                        QStringLiteral("False"));
    }
    questId = questIdValue;
    ExamineeNo = examineeNo;
    Log(QStringLiteral("TStuDirManage.AddStuDir Out"));
    return true;
}
