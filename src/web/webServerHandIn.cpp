// The website client's part of the hand-in: the final answer archive and the score
// upload.
#include <QCoreApplication>
#include <QDateTime>
#include <exception>

#include "common/Prompts.h"
#include "environment/BrowserState.h"
#include "environment/unDMDB.h"
#include "platform/Ansi.h"
#include "scoring/AnswerArchive.h"
#include "scoring/ScoreUpload.h"
#include "web/webServer.h"

namespace {
}

bool TwebServer::SaveOp(const QString& archivePath)
{
    if (!Question)
        return false;
    return SaveOperationArchive(*Question, DM ? DM->ExamineeDir : QString(), archivePath);
}

bool TwebServer::UploadScore(const TPfInfo& info)
{
    TDM::WriteLog(QStringLiteral("TwebServer.UploadScore In"));
    if (info.questid != PaperInfo.questionid) {
        TDM::WriteLog(QStringLiteral("评分失败：评分文件和试卷文件中的试题编号不一致（%1, %2）")
                          .arg(info.questid)
                          .arg(PaperInfo.questionid));
        WebReportAndExit(QStringLiteral("评分失败：评分结果信息与题目信息不一致。"), true, true, true);
        return false;
    }
    PaperInfo.testscore = info.score;
    PaperInfo.answerevaluation = info.pfresult == 0 ? info.px : info.fail;
    try {
        KelTamry_IE_Restore();
    } catch (...) {
        TDM::WriteLog(QStringLiteral("恢复IE设置失败！"));
    }
    if (DM) {
        DM->IEEnvironment = false;
        DM->ProxyRestore = false;
    }
    const bool result = doup(PaperInfo.answerevaluation);
    TDM::WriteLog(QStringLiteral("TwebServer.UploadScore Out"));
    return result;
}

bool TwebServer::doup(const QString& evaluation)
{
    QCoreApplication::processEvents();
    try {
        UploadFields f;
        f.moduleid = PaperInfo.module;
        f.knowledgep = PaperInfo.knowledgep;
        f.questionid = PaperInfo.questionid;
        f.questiontype = PaperInfo.questiontype;
        f.operationtype = PaperInfo.operationtype;
        f.paperScore = PaperInfo.score;
        f.testScore = PaperInfo.testscore;
        f.begintime = PaperInfo.begintime;
        f.committime = PaperInfo.committime;
        const QByteArray body = BuildUploadBody(f, evaluation);

        const QString callback = PaperInfo.urls.callback;
        if (DM) {
            DM->WriteInfoLog(QStringLiteral("--------------")
                             + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))
                             + QStringLiteral("-------------"));
            DM->WriteInfoLog(QStringLiteral("上传成绩：") + callback);
        }
        const QString response = WebTamry->PostScores(win::fromAnsi(body), callback);
        if (DM)
            DM->WriteInfoLog(QStringLiteral("上传成绩：") + response);
        QString analysis;
        const bool production = DM ? DM->ProductionFormat : true;
        const bool accepted = ReadUploadAnswer(response.toUtf8(), production, &analysis);
        PaperInfo.urls.analysisurl = analysis;
        TDM::WriteLog(response);
        if (!accepted) {
            TDM::WriteLog(QStringLiteral("KelTamry_Exercise_Answer_HandPaper_UploadQuestionScore FAIL."));
            return false;
        }
        return true;
    } catch (const std::exception& e) {
        TDM::WriteLog(QStringLiteral("TwebServer.doup ERROR: ") + QString::fromLocal8Bit(e.what()));
        return false;
    }
}
