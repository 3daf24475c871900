// Starting the question's working environment: the operation software, the folder in
// Explorer, the simulated desktop or the typing window.
#include <QCoreApplication>
#include <QFileInfo>
#include <exception>

#include "common/IniFile.h"
#include "common/KelPubLib.h"
#include "common/PathUtils.h"
#include "common/Prompts.h"
#include "common/vizuri.h"
#include "environment/BrowserState.h"
#include "environment/OpenSpecialOp.h"
#include "environment/StartApp.h"
#include "environment/StuDirManage.h"
#include "environment/unDMDB.h"
#include "platform/Ansi.h"
#include "platform/WinPaths.h"
#include "platform/WinProcess.h"
#include "platform/WinShell.h"
#include "question/OperationTypes.h"
#include "environment/StepTableDM.h"
#include "scoring/AnswerArchive.h"
#include "web/webServer.h"

bool bPsSteps = false;
bool bRecentDocs = false;

namespace {

TSoftStartWindows& windows()
{
    static TSoftStartWindows w;
    return w;
}

QString workFolder()
{
    const QString letter = strCurDisk.trimmed();
    if (letter.size() == 1)
        return letter + QStringLiteral(":\\");
    return DM ? pathutil::IncludeTrailingBackslash(DM->PracticeDir) : QString();
}

void pump(int ms) { TKelPubLib::Delay(static_cast<unsigned>(ms), true); }

bool programFileExists(const QString& path) { return !path.isEmpty() && pathutil::FileExists(path); }

// Steps 17 and 18: starts what the question is worked in. cont: the continue start,
// whose "not installed" failure has no missing-software text.
bool startByType(TwebServer& ws, int b, const QString& programPath, const QString& work,
                 const QString& folderToOpen, bool cont)
{
    TQuestion* q = ws.Question.get();
    const QString outLine = cont ? QStringLiteral("TwebServer.SoftStart_Continue Out")
                                 : QStringLiteral("TwebServer.SoftStart Out");
    const TStartMode mode = OperationStartMode(b);
    if (mode == TStartMode::Typing) {
        if (!windows().showTyping)
            throw std::runtime_error("no typing window");
        windows().showTyping(q);
        return true;
    }
    if (mode == TStartMode::Explorer && !folderToOpen.isEmpty()) {
        QString folder = work;
        if (!ws.PaperInfo.urls.maturl.isEmpty())
            folder += QString::number(q->QuestionId);
        win::ShellExecute(QStringLiteral("open"), QStringLiteral("explorer.exe"), folder, QString(),
                          win::SW_SHOWMAXIMIZED);
        return true;
    }
    if (StartsSoftware(b)) {
        if (programPath.isEmpty() || (!programFileExists(programPath) && OperationPathMustExist(b))) {
            QString message = QStringLiteral(
                "本练习题的操作软件没有安装，请先安装后再到Tamry网重新练习本题。");
            if (cont) {
                WebReportAndExit(message, true, true, true);
                return false;
            }
            if (DM && !DM->MissingNames.isEmpty())
                message =
                    QStringLiteral(
                        "由于当前电脑没有安装 %1 操作软件，所以无法正常练习答题，“安装帮助”可帮助您安装哦~")
                        .arg(DM->MissingNames.first());
            ShowPrompt2(message, 4, kPromptTitle);
            WebReportAndExit(message, false, true, true);
            return false;
        }
        if (mode == TStartMode::FileStart) {
            OpenSepcialOp(b, programPath, work, q);
        } else {
            if (mode == TStartMode::MailServer) {
                TIniFile aws(win::GetWindowsDirectory() + QStringLiteral("\\Aws.ini"));
                aws.WriteString(QStringLiteral("config"), QStringLiteral("Aws_AutoSite"),
                                QStringLiteral("0"));
            }
            // Photoshop (14) is driven through its automation server on Windows; this
            // platform has none, so it starts like any other program.
            TStartApp::Start(programPath);
        }
        return true;
    }
    if (mode == TStartMode::SimulatedDesktop) {
        if (!windows().showDesktop)
            throw std::runtime_error("no simulated desktop");
        const int desktopMode = b == 19 ? IpStepLevel() : StartDesktopMode(b);
        windows().showDesktop(q, desktopMode, QStringLiteral("当前操作题为：") + GetOperationName(b),
                              ws.GetPicturePath());
        TDM::WriteLog(outLine);
        return true;
    }
    TDM::WriteLog(outLine);
    return false;
}

// Step 2: the operation path exists (material) or is created (no material).
bool prepareOperationPath(const TwebServer& ws, int b)
{
    if (!ws.PaperInfo.urls.maturl.isEmpty()) {
        if (!IsBrowserQuestion(b) && !pathutil::DirectoryExists(ws.OperationPath)) {
            WebReportAndExit(QStringLiteral("系统素材不正确!\r\n系统即将关闭，请在Tamry网上重新练习本题。"),
                             true, true, true);
            return false;
        }
    } else if (!pathutil::ForceDirectories(ws.OperationPath)) {
        TDM::WriteLog(QStringLiteral("创建目录") + ws.OperationPath + QStringLiteral("失败"));
        ShowPrompt(QStringLiteral("创建目录失败"), 1, kPromptTitle);
        return false;
    }
    return true;
}

// Steps 8 and 14: the program of the type, kept as the program to close.
QString programOfType(int b, const QString& work, int questionId)
{
    QString programPath = GetOpPathByOpId(b).trimmed();
    if (DM)
        DM->ProgramToClose = pathutil::ExtractFileName(programPath);
    if (OperationStartMode(b) == TStartMode::MailServer) {
        win::KillProcessByName(QStringLiteral("AspServer.exe"));
        programPath = work + QString::number(questionId) + QStringLiteral("\\") + programPath;
    }
    return programPath;
}

} // namespace

void SetSoftStartWindows(TSoftStartWindows w) { windows() = std::move(w); }

bool TwebServer::SoftStart()
{
    TDM::WriteLog(QStringLiteral("TwebServer.SoftStart In"));
    const int b = PaperInfo.operationtype;
    if (b == 0 || !prepareOperationPath(*this, b))
        return false;

    // 3. Office programs that run already would hold the material open.
    CloseOfficeApps();

    // 4. The virtual drive.
    const QString letter = strCurDisk.trimmed();
    if (letter.size() == 1) {
        const QString root = letter + QStringLiteral(":\\");
        if (pathutil::DirectoryExists(root)) {
            RemoveVirtualDrive(letter);
            pump(200);
        }
        if (pathutil::DirectoryExists(root)) {
            strCurDisk.clear();
        } else if (!CreateDisk(DM ? DM->PracticeDir : QString())) {
            strCurDisk.clear();
            TDM::WriteLog(QStringLiteral("unDMDB.CreateDisk , 创建虚拟盘失败"));
        }
    }

    // 5, 6. The work folder, and the folder to open for the folder questions.
    const QString work = workFolder();
    const QString folderToOpen = OperationStartMode(b) == TStartMode::Explorer ? work : QString();

    // 7. Recent documents.
    if (OperationStartMode(b) == TStartMode::RecentDocuments)
        bRecentDocs = true;

    try {
        // 9. The question record.
        Question = std::make_unique<TQuestion>();
        Question->QuestionId = PaperInfo.questionid;
        Question->QuestionType = PaperInfo.questiontype;
        Question->OperationType = PaperInfo.operationtype;
        Question->Answered = false;
        Question->TypingText.clear();
        // 8, 14. The program.
        const QString programPath = programOfType(b, work, Question->QuestionId);

        // 10. Stored details of an earlier save.
        LoadOperationStoreDetails(*Question, DM ? DM->ExamineeDir : QString());

        // 11. The browser environment is prepared by the browser-state support; with
        // nothing to prepare it succeeds.

        // 12. The local server of the browser questions.
        if (IsBrowserQuestion(b))
            win::ShellExecute(QStringLiteral("open"), win::ProgramDir() + QStringLiteral("zSvr.exe"),
                              QString(), win::ProgramDir(), win::SW_HIDE);

        // 13. The typing text.
        if (OperationStartMode(b) == TStartMode::Typing) {
            Question->TypingText = DeStr2(win::toAnsi(PaperInfo.questiondescription));
            Question->RemainingTime = 3600;
        }
        Question->SetAnswer(QString());

        // 15.
        Question->Answered = true;

        // 16. Recent documents: nothing is started.
        if (bRecentDocs) {
            bPsSteps = HasKnowledgeGroup(14);
            return true;
        }
        return startByType(*this, b, programPath, work, folderToOpen, false);
    } catch (const std::exception& e) {
        ShowPrompt(QStringLiteral("启动操作软件出错：") + QString::fromLocal8Bit(e.what()), 4, kPromptTitle);
        TDM::WriteLog(QStringLiteral("TwebServer.SoftStart Out"));
        return false;
    }
}

bool TwebServer::SoftStart_Continue()
{
    TDM::WriteLog(QStringLiteral("TwebServer.SoftStart_Continue In"));
    const int b = PaperInfo.operationtype;
    if (b == 0 || !Question || !prepareOperationPath(*this, b))
        return false;
    const QString work = workFolder();
    const QString folderToOpen = OperationStartMode(b) == TStartMode::Explorer ? work : QString();
    try {
        const QString programPath = programOfType(b, work, Question->QuestionId);
        Question->Answered = true;
        return startByType(*this, b, programPath, work, folderToOpen, true);
    } catch (const std::exception& e) {
        ShowPrompt(QStringLiteral("启动操作软件出错：") + QString::fromLocal8Bit(e.what()), 4, kPromptTitle);
        TDM::WriteLog(QStringLiteral("TwebServer.SoftStart_Continue Out"));
        return false;
    }
}
