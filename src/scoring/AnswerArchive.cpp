#include "scoring/AnswerArchive.h"

#include <QDir>
#include <QFile>

#include <exception>

#include "common/KelPubLib.h"
#include "common/PathUtils.h"
#include "common/Prompts.h"
#include "environment/StartApp.h"
#include "environment/StuDirManage.h"
#include "environment/unDMDB.h"
#include "platform/WinFiles.h"
#include "platform/Ansi.h"
#include "platform/WinPaths.h"
#include "platform/WinProcess.h"
#include "question/OperationTypes.h"
#include "question/TQuestion.h"

namespace {

// Ends the archive helpers that may hold the archive open.
void endArchivers()
{
    for (const QString& name : {QStringLiteral("zlib.exe"), QStringLiteral("Unzlib.exe")}) {
        try {
            KillTask(name);
            KillTask2(name);
        } catch (...) {
        }
    }
}

QString desktopDir() { return DM ? pathutil::ExcludeTrailingBackslash(DM->GetDesktopDir()) : QString(); }

QString favoritesDir() { return DM ? pathutil::ExcludeTrailingBackslash(DM->FavoritesDir) : QString(); }

} // namespace

QString ReplaceStr(const QString& text)
{
    TDM::WriteLog(QStringLiteral("udmdb.ReplaceStr in "));
    QString s = text;
    s.replace(QStringLiteral("#13"), QStringLiteral("@#@"));
    s.replace(QStringLiteral("#10"), QStringLiteral("@$@"));
    s.replace(QStringLiteral(" "), QStringLiteral("@%@"));
    s.replace(QStringLiteral(","), QStringLiteral("@&@"));
    TDM::WriteLog(QStringLiteral("udmdb.ReplaceStr out "));
    return s;
}

QString RevertStr(const QString& text)
{
    TDM::WriteLog(QStringLiteral("udmdb.RevertStr in "));
    QString s = text;
    s.replace(QStringLiteral("@#@"), QStringLiteral("#13"));
    s.replace(QStringLiteral("@$@"), QStringLiteral("#10"));
    s.replace(QStringLiteral("@%@"), QStringLiteral(" "));
    s.replace(QStringLiteral("@&@"), QStringLiteral(","));
    TDM::WriteLog(QStringLiteral("udmdb.RevertStr out "));
    return s;
}

int OpAnswerEntryNumber(int slot) { return slot <= 12 ? 26020 + slot : 26021 + slot; }

QString FlattenOpAnswers(const TQuestion& question, int lastSlot)
{
    QStringList entries;
    for (int i = 0; i <= lastSlot && i < TQuestion::OpAnswerCount; ++i)
        entries << QString::number(OpAnswerEntryNumber(i)) + QStringLiteral("==>") + question.OpAnswer(i);
    return entries.join(QStringLiteral("<++>"));
}

QString AnswerLine(const TQuestion& question)
{
    return QString::number(question.QuestionId) + QLatin1Char('=') + question.GetAnswer() + QLatin1Char(')')
        + (question.Answered ? QStringLiteral("True") : QStringLiteral("False"));
}

bool WriteArchiveFile(const QString& winPath, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& l : lines)
        bytes += win::toAnsi(l) + "\r\n";
    return win::WriteFileAtomic(winPath, bytes);
}

bool SaveAnswerArchive(TQuestion& question, const QString& examineeDir, bool& saving)
{
    TDM::WriteLog(QStringLiteral("TfrmTool.SaveAns in"));
    if (saving)
        return false;
    saving = true;
    endArchivers();
    const QString r = pathutil::IncludeTrailingBackslash(examineeDir);
    const QString archive = r + QStringLiteral("ans.zt");
    win::SetFileAttributes(archive, win::FILE_ATTRIBUTE_NORMAL);

    QStringList lines;
    try {
        switch (OperationAnswerKeeping(question.OperationType)) {
        case TAnswerKeeping::DesktopShortcuts: {
            const QString target = r + QStringLiteral("DeskTop");
            pathutil::ForceDirectories(target);
            DoCopyFileByExt(desktopDir(), target, QStringLiteral("*.lnk"));
            break;
        }
        case TAnswerKeeping::Favorites:
            // The favourites are kept with the answer; the browser history capture that
            // also refreshes the answer text belongs to the browser-state support.
            TDM::WriteLog(QStringLiteral("TfrmTool.SaveIEAns in"));
            DoCopyDir(favoritesDir(), r + QStringLiteral("Favorites"));
            TDM::WriteLog(QStringLiteral("TfrmTool.SaveIEAns out"));
            break;
        case TAnswerKeeping::OperationList:
            question.SetAnswer(FlattenOpAnswers(question, TQuestion::OpAnswerCount - 1));
            break;
        default:
            break;
        }
        lines << QStringLiteral("[strOpsList]") << AnswerLine(question);
    } catch (const std::exception& e) {
        TDM::WriteLog(QStringLiteral("保存答案失败：") + QString::fromLocal8Bit(e.what()));
        saving = false;
        return false;
    }
    TDM::WriteLog(QStringLiteral("TfrmTool.SaveOperationAns in"));
    TDM::WriteLog(QStringLiteral("TfrmTool.SaveOperationAns out"));
    const bool written = WriteArchiveFile(archive, lines);
    if (!written)
        TDM::WriteLog(QStringLiteral("保存答案失败：") + archive);
    saving = false;
    TDM::WriteLog(QStringLiteral("TfrmTool.SaveAns out"));
    return written;
}

bool SaveOperationArchive(TQuestion& question, const QString& examineeDir, const QString& archivePath)
{
    TDM::WriteLog(QStringLiteral("TwebServer.SaveOp in"));
    endArchivers();
    const QString r = pathutil::IncludeTrailingBackslash(examineeDir);
    QStringList lines{QStringLiteral("[strOpsList]")};
    const TAnswerKeeping keeping = OperationAnswerKeeping(question.OperationType);
    if (question.QuestionType == 5) {
        try {
            if (keeping == TAnswerKeeping::DesktopShortcuts) {
                const QString folder = r + QStringLiteral("DeskTop");
                win::SetFileAttributes(folder, win::FILE_ATTRIBUTE_NORMAL);
                if (pathutil::DirectoryExists(folder)) {
                    TKelPubLib::Delay(100, true);
                    if (!DeleteDirTree(folder, false, false)) {
                        ShowPrompt(QStringLiteral("删除") + folder + QStringLiteral("失败,请手动删除"), 1,
                                   kPromptTitle);
                        return false;
                    }
                    if (!win::RemoveDirectory(folder)) {
                        ShowPrompt(QStringLiteral("移除") + folder + QStringLiteral("失败,请手动删除"), 1,
                                   kPromptTitle);
                        return false;
                    }
                }
                if (!pathutil::ForceDirectories(folder)) {
                    ShowPrompt(QStringLiteral("建立") + folder + QStringLiteral("失败,请手动删除"), 1,
                               kPromptTitle);
                    return false;
                }
                DoCopyFileByExt(desktopDir(), folder, QStringLiteral("*.lnk"));
            } else if (keeping == TAnswerKeeping::Favorites) {
                TDM::WriteLog(QStringLiteral("frmMain.SaveIEAns in"));
                pathutil::ForceDirectories(r + QStringLiteral("Favorites"));
                DoCopyDir(favoritesDir(), r + QStringLiteral("Favorites"));
                TDM::WriteLog(QStringLiteral("frmMain.SaveIEAns out"));
            } else if (keeping == TAnswerKeeping::OperationList) {
                question.SetAnswer(FlattenOpAnswers(question, kFinalSaveLastSlot));
            }
            lines << AnswerLine(question);
        } catch (const std::exception& e) {
            ShowPrompt(QStringLiteral("保存作答结果出错：") + QString::fromLocal8Bit(e.what()), 4,
                       kPromptTitle);
        }
    }
    win::SetFileAttributes(archivePath, win::FILE_ATTRIBUTE_NORMAL);
    if (keeping == TAnswerKeeping::DocumentMark)
        lines << QStringLiteral("[subjectanslist]")
              << QStringLiteral("%1=%2").arg(question.QuestionId).arg(QStringLiteral("1"));
    // The old archive is replaced by renaming the new one over it; when that is not
    // possible the old archive stays as it is.
    if (!WriteArchiveFile(archivePath, lines)) {
        TDM::WriteLog(QStringLiteral("无法删除") + archivePath + QStringLiteral(",文件"));
        return false;
    }
    TDM::WriteLog(QStringLiteral("TwebServer.SaveOp out"));
    return true;
}

void LoadOperationStoreDetails(TQuestion& question, const QString& examineeDir)
{
    TDM::WriteLog(QStringLiteral("frmWaitExam.LoadOperationStoreDetails in"));
    const QString r = pathutil::IncludeTrailingBackslash(examineeDir);
    const TAnswerKeeping keeping = OperationAnswerKeeping(question.OperationType);
    if (keeping == TAnswerKeeping::DesktopShortcuts)
        DoCopyFileByExt(r + QStringLiteral("DeskTop"), desktopDir(), QStringLiteral("*.lnk"));
    else if (keeping == TAnswerKeeping::Favorites)
        DoCopyFileByExt(r + QStringLiteral("Favorites"), favoritesDir(), QStringLiteral("*.*"));
    TDM::WriteLog(QStringLiteral("frmWaitExam.LoadOperationStoreDetails out"));
}
