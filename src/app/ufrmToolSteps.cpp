// The parts of TfrmTool that the later units of the exercise complete: the start
// sequence, the answer saving, the hand-over to the scoring engine, the score
// hand-in and the Photoshop history capture. Each method below says what exists
// today and what its unit adds.
#include "app/ufrmTool.h"

#include <QDateTime>


#include "common/PathUtils.h"
#include "common/Prompts.h"
#include "environment/Config.h"
#include "environment/StartApp.h"
#include "environment/StuDirManage.h"
#include "environment/unDMDB.h"
#include "web/webServer.h"

namespace {
const QString kTitle = QStringLiteral("提示信息");
}

// The start sequence. Built so far: the configuration (1), the start without a
// launch address (2), the examinee folder manager (3), the examinee number (4), the
// website client with the log of the run (5), the base URL check (6), and the timers
// of step 16.
// Added here by the start-sequence unit: the download (7), the picture (8), the
// environment check (9), the folders (10, 11), AddStuDir (12), the material (13),
// SoftStart (14, 15) and the begin time (16).
bool TfrmTool::StartExercise()
{
    // 1. Configuration and folders.
    if (!ReadConfig())
        return false;

    // 2. Started without a launch address.
    if (LaunchData.isEmpty()) {
        ShowPrompt(QStringLiteral("请到Tamry网进行练习！"), 1, kTitle);
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
        ShowPrompt(QStringLiteral("登录失败，程序将退出！"), 1, kTitle);
        return false;
    }

    // 16. The exercise runs: the timers start.
    TimerTime->start();
    TimerSave->start();
    return true;
}

// Answer saving (the answer archive "ans.zt"): written by the answer-archive unit.
// Until then only the saving flag is kept, so that two saves never overlap.
void TfrmTool::SaveAns()
{
    if (bSaving)
        return;
    bSaving = true;
    SaveOperationAns();
    SaveIEAns();
    bSaving = false;
}

// The operation answer list and the browser answer of the archive: added by the
// answer-archive unit.
void TfrmTool::SaveOperationAns() {}
void TfrmTool::SaveIEAns() {}

// Submit, steps 5 and 6 (scoring bridge: window handle, SaveOp, owner id and stage,
// commit time, Photoshop files, SaveToPf and PF): added by the scoring-bridge unit.
// Until then the submission stops after the archive check and nothing is scored.
void TfrmTool::SubmitToEngine(const QString& ansFile)
{
    Q_UNUSED(ansFile);
    TDM::WriteLog(QStringLiteral("TfrmTool.SubmitToEngine ERROR: scoring bridge not available"));
}

// WM_PFOK: the score upload of the hand-in unit (read rt.zt, post the score, open
// the analysis page). Nothing is uploaded until it exists.
void TfrmTool::HandPaper()
{
    TDM::WriteLog(QStringLiteral("TfrmTool.HandPaper ERROR: score upload not available"));
}

// "续做本题": SoftStart_Continue of the website client. Without the website client
// there is no question record to continue, which is a failure.
bool TfrmTool::SoftStartContinue() { return false; }

// Photoshop history capture (Photoshop support unit). Never reached while bPsSteps
// stays false, which the start sequence sets only for Photoshop steps.
QString TfrmTool::RecordPsHistory(const QString& sifFile)
{
    Q_UNUSED(sifFile);
    return QStringLiteral("Photoshop support not available");
}

// The question as the website client knows it (its paper record).
int TfrmTool::QuestionId() const { return FwebServer ? FwebServer->PaperInfo.questionid : 0; }
bool TfrmTool::QuestionHasMaterial() const { return FwebServer && !FwebServer->PaperInfo.urls.maturl.isEmpty(); }
QString TfrmTool::OperationPath() const { return FwebServer ? FwebServer->OperationPath : QString(); }
QString TfrmTool::QuestionDir() const { return DM ? DM->QuestionDir : QString(); }

QString TfrmTool::ExamineeFolder() const
{
    const QString root = DM ? DM->StuExamDataRoot : QString();
    return root + TStudents.StuNO;
}
