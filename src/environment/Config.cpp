#include "environment/Config.h"

#include "common/IniFile.h"
#include "common/PathUtils.h"
#include "common/Prompts.h"
#include "common/SiteDefaults.h"
#include "environment/StuDirManage.h"
#include "environment/unDMDB.h"
#include "platform/WinPaths.h"

namespace {

const QString kSection = QStringLiteral("LOCAL");
const QString kDefaultRoot = QStringLiteral("D:\\StuExamData");
const QString kDefaultUpload = QStringLiteral("D:\\Upload");

QString configFile() { return win::ProgramDir() + QStringLiteral("Config.ini"); }

// Failure F: the prompt, then the end of the application.
bool failCreate(const QString& path)
{
    ShowPrompt(QStringLiteral("创建系统目录失败: \r\n") + path, 4, kPromptTitle);
    TerminateApplication();
    return false;
}

QString orDefault(const QString& value, const QString& def) { return value.isEmpty() ? def : value; }

} // namespace

bool ReadConfig()
{
    if (!DM)
        return false;
    TDM& dm = *DM;
    const TIniFile ini(configFile());
    QString root = ini.ReadString(kSection, QStringLiteral("StuExamData"), kDefaultRoot).trimmed();
    QString upload = ini.ReadString(kSection, QStringLiteral("UploadPath"), kDefaultUpload).trimmed();
    const QString oldNo = ini.ReadString(kSection, QStringLiteral("StuNO")).trimmed();

    dm.RunDownloadDir.clear();
    dm.ProgramDir = win::ProgramDir();
    dm.SubjectsDir = dm.ProgramDir + QStringLiteral("subjects\\");
    dm.IEMaterialDir = dm.ProgramDir + QStringLiteral("img2\\operation\\IE");

    const QString base = QStringLiteral(PRAVIK_DEFAULT_WEB_URL);
    dm.WebUrl = orDefault(ini.ReadString(kSection, QStringLiteral("WebUrl")).trimmed(), base);
    dm.UserLoginUrl = orDefault(ini.ReadString(kSection, QStringLiteral("URL_USER_LOGIN")),
                                base + QStringLiteral("/index.php/student/sign/in"));
    dm.ProductionFormat = ini.ReadInteger(kSection, QStringLiteral("KelTamry_DEBUG"), 0) == 0;
    dm.DownloadPageUrl = orDefault(ini.ReadString(kSection, QStringLiteral("Download")).trimmed(),
                                   base + QStringLiteral("/index.php/main/exercise"));

    if (root.isEmpty())
        root = kDefaultRoot;
    if (!AdjustPath(root))
        return failCreate(root);
    dm.ExamRoot = root;

    dm.PrevExamineeDir.clear();
    if (!oldNo.isEmpty()) {
        dm.PrevExamineeDir = root + oldNo;
        if (pathutil::DirectoryExists(dm.PrevExamineeDir) && !DeleteDirTree(dm.PrevExamineeDir, false, false))
            TDM::WriteLog(QStringLiteral("删除") + dm.PrevExamineeDir + QStringLiteral("失败,请手动删除"));
    }

    if (!pathutil::DirectoryExists(root) && !pathutil::ForceDirectories(root))
        return failCreate(root);

    if (upload.isEmpty())
        upload = kDefaultUpload;
    if (!AdjustPath(upload))
        return failCreate(upload);
    if (!pathutil::DirectoryExists(upload) && !pathutil::ForceDirectories(upload))
        return failCreate(upload);
    dm.UploadRoot = upload;
    return true;
}

void WriteStuNO(const QString& examineeNo)
{
    TIniFile ini(configFile());
    ini.WriteString(kSection, QStringLiteral("StuNO"), examineeNo);
    if (DM) {
        const QString root = DM->ExamRoot.isEmpty() ? DM->StuExamDataRoot : DM->ExamRoot;
        DM->ExamineeDir = pathutil::IncludeTrailingBackslash(root + examineeNo);
    }
}
