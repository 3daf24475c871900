// The parts of TfrmTool that run the exercise: the start sequence, the answer saving,
// the hand-over to the scoring engine, the score hand-in, the continue start and the
// Photoshop history capture.
#include "app/ufrmTool.h"

#include <QTimer>
#include <QDateTime>

#include "common/KelPubLib.h"
#include "common/PathUtils.h"
#include "common/Prompts.h"
#include "environment/Config.h"
#include "environment/StartApp.h"
#include "environment/StuDirManage.h"
#include "scoring/TStuDirManage.h"
#include "environment/unDMDB.h"
#include "scoring/AnswerArchive.h"
#include "simulation/desktop/ufrmOperationMain.h"
#include "typing/UfrmTypeWord.h"
#include "web/webServer.h"

namespace {

QString now() { return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")); }

// The windows the website client's start shows: the typing window and the simulated
// desktop (modal).
void installSoftStartWindows()
{
    TSoftStartWindows w;
    w.showTyping = [](TQuestion* q) { ShowTypingWindow(q); };
    w.showDesktop = [](TQuestion* q, int setOperation, const QString& title, const QString& picture) {
        ShowOperationDesktop(q, setOperation, title, picture);
    };
    SetSoftStartWindows(std::move(w));
}

// Creates a folder with all missing parents, or ends the program with the folder in
// the message.
bool forceOrTerminate(const QString& folder)
{
    if (pathutil::DirectoryExists(folder) || pathutil::ForceDirectories(folder))
        return true;
    ShowPrompt(QStringLiteral("创建系统目录失败: \r\n") + folder, 4, kPromptTitle);
    TerminateApplication();
    return false;
}

// True once the exercise is being left (Exit, a second instance, a fatal failure,
// also from inside one of the waits of a step, which pump messages): then no further
// step of the start sequence runs. When the exit clean-up ran while the step was still
// going, what the step made after it (folders, the drive, downloaded files, a started
// program) is cleaned up once more.
bool startAbandoned()
{
    if (!ApplicationQuitting())
        return false;
    if (DM && DM->ExitCleanUpRan()) {
        DM->ExitCleanUp();
        if (!DM->RunDownloadDir.isEmpty())
            DeleteDirTree(DM->RunDownloadDir, true, false);
    }
    return true;
}

} // namespace

bool TfrmTool::StartExercise()
{
    installSoftStartWindows();

    // 1. Configuration and folders.
    if (!ReadConfig())
        return false;

    // 2. Started without a launch address.
    if (LaunchData.isEmpty()) {
        ShowPrompt(QStringLiteral("请到Tamry网进行练习！"), 1, kPromptTitle);
        if (!ApplicationQuitting())
            OpenUrl(DM ? DM->UserLoginUrl : QString());
        TerminateApplication();
        return false;
    }

    // 3. The examinee folder manager; its root is the process-wide root.
    delete FStuDirManage;
    FStuDirManage = new TStuDirManage();
    if (DM)
        DM->StuExamDataRoot = FStuDirManage->ExamRoot;

    // 4. The examinee number of the run.
    const QString examineeNo = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss"));
    FStuDirManage->ExamineeNo = examineeNo;
    WriteStuNO(examineeNo);

    // 5. The website client; its construction creates the log and hands it to the
    // process-wide logger and the data module.
    if (FwebServer && FwebServerFree)
        FwebServerFree(FwebServer);
    FwebServer = new TwebServer();
    FwebServerFree = [](TwebServer* w) { delete w; };
    FwebServer->StuNO = examineeNo;
    TStudents.StuNO = examineeNo;

    // 6. The base URL.
    if (FwebServer->BaseURL.isEmpty()) {
        ShowPrompt(QStringLiteral("登录失败，程序将退出！"), 1, kPromptTitle);
        return false;
    }
    FwebServer->WebTamry->SetBaseURL(FwebServer->BaseURL);

    // 7. The launch data and the question package.
    const bool downloaded = FwebServer->Download();
    if (startAbandoned())
        return false;
    if (!downloaded) {
        if (!ApplicationQuitting())
            ShowPrompt(QStringLiteral("下载试题失败,程序将退出"), 1, kPromptTitle);
        return false;
    }

    // 8. The description picture.
    const QString picture = FwebServer->GetPicturePath();
    if (picture.isEmpty()) {
        ShowPrompt(QStringLiteral("显示的题目丢失,程序将退出"), 1, kPromptTitle);
        return false;
    }
    LoadPaperImage(picture);

    // 9. The environment check.
    const bool checked = EnvironmentCheck();
    if (startAbandoned())
        return false;
    if (!checked) {
        if (!ApplicationQuitting() && DM)
            DM->ReportAndExit(QStringLiteral("环境检测不通过，退出程序！"), false, true, true);
        return false;
    }

    // 10. The folders of the run.
    const TPaperInfo& paper = FwebServer->PaperInfo;
    const QString root = FStuDirManage->ExamRoot;
    const QString practice = QStringLiteral("%1%2\\%3").arg(root, examineeNo, examineeNo);
    const QString question =
        QStringLiteral("%1%2\\%3\\%4").arg(root, examineeNo, examineeNo).arg(paper.questionid);
    if (DM) {
        DM->ExamineeDir = QStringLiteral("%1%2\\").arg(root, examineeNo);
        DM->PracticeDir = practice + QLatin1Char('\\');
        DM->QuestionDir = question + QLatin1Char('\\');
    }

    // 11. The practice and question folders.
    if (!forceOrTerminate(practice) || !forceOrTerminate(question) || startAbandoned())
        return false;

    // 12. The examinee folder tree.
    const bool added = FStuDirManage->AddStuDir(examineeNo, paper.questionid);
    if (startAbandoned())
        return false;
    if (!added) {
        ShowPrompt(QStringLiteral("添加准考证(%1)失败,程序将退出！").arg(examineeNo), 1, kPromptTitle);
        return false;
    }

    // 13. The material.
    if (!FwebServer->CopyMaterialTo(practice) || startAbandoned())
        return false;

    // 14. The working environment of the question.
    const bool started = FwebServer->SoftStart();
    if (startAbandoned())
        return false;
    if (!started) {
        ShowPrompt(QStringLiteral("启动失败,程序将退出！"), 1, kPromptTitle);
        return false;
    }

    // 15. The question folder may have been removed meanwhile.
    if (!pathutil::DirectoryExists(question) && !pathutil::ForceDirectories(question)) {
        if (DM)
            DM->ReportAndExit(QStringLiteral("启动失败，程序将退出！"), true, true, true);
        return false;
    }

    if (startAbandoned())
        return false;

    // 16. The exercise runs.
    TimerTime->start();
    TimerSave->start();
    FwebServer->PaperInfo.begintime = now();
    return true;
}

bool TfrmTool::EnvironmentCheck()
{
    const TPaperInfo& paper = FwebServer->PaperInfo;
    if (DM) {
        DM->OwnerId = paper.ownerid;
        DM->K12Stage = paper.k12stage;
        DM->LaunchOperationType = QString::number(paper.operationtype);
    }
    const int type = paper.operationtype;
    btnDo->setVisible(type == 4 || type == 19 || type == 23 || type == 26);
    QString result;
    const bool ok = RunEnvCheckStep(paper.ownerid, paper.k12stage, paper.module, type, result,
                                    [this](bool enabled) { setEnabled(enabled); });
    if (FStuDirManage)
        FStuDirManage->EnvCheckResult = result;
    return ok;
}

void TfrmTool::SaveAns()
{
    if (!FwebServer || !FwebServer->Question || !DM) {
        TDM::WriteLog(QStringLiteral("TfrmTool.SaveAns in"));
        TDM::WriteLog(QStringLiteral("TfrmTool.SaveAns out"));
        return;
    }
    SaveAnswerArchive(*FwebServer->Question, DM->ExamineeDir, bSaving);
}

// Both are part of SaveAns (the answer archive writes their log lines).
void TfrmTool::SaveOperationAns() { }
void TfrmTool::SaveIEAns() { }

void TfrmTool::SubmitToEngine(const QString& ansFile)
{
    if (!FStuDirManage)
        return;
    // 5. The engine answers this window.
    FStuDirManage->msgHandle = Handle();
    // 6. The final archive and the engine.
    if (QuestionId() != 0 && FwebServer) {
        FwebServer->SaveOp(ansFile);
        FStuDirManage->areaid = FwebServer->PaperInfo.ownerid;
        FStuDirManage->stageid = FwebServer->PaperInfo.k12stage;
        FwebServer->PaperInfo.committime = now();
        FStuDirManage->SaveToPf(FStuDirManage->ExamineeNo);
        FStuDirManage->PF();
    }
}

void TfrmTool::HandPaper()
{
    TPfInfo info;
    if (FStuDirManage)
        FStuDirManage->ReadResult(info);
    CloseOperationSoftware();
    if (!FwebServer)
        return;
    const QString evaluation = info.pfresult == 0 ? info.px : info.fail;
    bool handedIn = false;
    for (int attempt = 1; attempt <= 4; ++attempt) {
        if (FwebServer->UploadScore(info)) {
            const QString page = FwebServer->PaperInfo.urls.analysisurl;
            if (!page.isEmpty() && WebOpenUrl(page) < 32)
                ShowPrompt(QString::asprintf("导航到Tamry网查看评析页面失败！\r\n本次练习分数:%.2f,",
                                             static_cast<double>(info.score))
                               + evaluation,
                           4, kPromptTitle);
            handedIn = true;
            break;
        }
        if (ApplicationQuitting())
            return;
        if (attempt < 4
            && !AskPrompt(QStringLiteral("上传练习成绩到Tamry网失败，是否重试？"), 1, kPromptTitle))
            break;
    }
    if (!handedIn && !ApplicationQuitting())
        ShowPrompt(
            QString::asprintf(
                "上传练习成绩到Tamry网失败!\r\n本次练习分数:%.2f。\r\n----------------------------------",
                static_cast<double>(info.score))
                + evaluation,
            4, kPromptTitle);
}

bool TfrmTool::SoftStartContinue()
{
    installSoftStartWindows();
    return FwebServer && FwebServer->SoftStart_Continue();
}

// Photoshop history capture: Photoshop is not driven on this platform (no automation
// server), so the start sequence never sets bPsSteps and this is never reached.
QString TfrmTool::RecordPsHistory(const QString& sifFile)
{
    Q_UNUSED(sifFile);
    return QStringLiteral("Photoshop support not available");
}

// The question as the website client knows it (its paper record).
int TfrmTool::QuestionId() const { return FwebServer ? FwebServer->PaperInfo.questionid : 0; }
bool TfrmTool::QuestionHasMaterial() const
{
    return FwebServer && !FwebServer->PaperInfo.urls.maturl.isEmpty();
}
QString TfrmTool::OperationPath() const { return FwebServer ? FwebServer->OperationPath : QString(); }
QString TfrmTool::QuestionDir() const { return DM ? DM->QuestionDir : QString(); }

QString TfrmTool::ExamineeFolder() const
{
    const QString root = DM ? DM->StuExamDataRoot : QString();
    return root + TStudents.StuNO;
}
