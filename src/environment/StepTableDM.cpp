// The step-table operations on the data module's table.
#include "environment/StepTableDM.h"

#include "common/PathUtils.h"
#include "environment/unDMDB.h"
#include "platform/WinPaths.h"

bool GetPaperQuestionStep(const QString& fileName)
{
    return DM && GetPaperQuestionStep(DM->StepInfos, fileName);
}

bool FindStepByKnowledge(const QString& knowledge)
{
    if (!DM || !GetPaperQuestionStep(DM->StepInfos, DM->StepFile))
        return false;
    return FindStepByKnowledge(DM->StepInfos, knowledge, DM->CurrentStep);
}

bool HasKnowledgeGroup(int group)
{
    if (!DM || !GetPaperQuestionStep(DM->StepInfos, DM->StepFile))
        return false;
    return HasKnowledgeGroup(DM->StepInfos, group);
}

bool ExpectedSaveFiles(int questId, QStringList& list)
{
    if (!DM || !GetPaperQuestionStep(DM->StepInfos, DM->StepFile))
        return false;
    return ExpectedSaveFiles(DM->StepInfos, questId, list);
}

void MatchSavedFiles(int questId, const QStringList& savedFiles, QString& answer, const QStringList& values)
{
    if (!DM || !GetPaperQuestionStep(DM->StepInfos, DM->StepFile))
        return;
    QString base;
    if (strCurDisk.trimmed().size() == 1)
        base = strCurDisk.trimmed() + QStringLiteral(":\\") + QString::number(questId) + QLatin1Char('\\');
    else
        base = pathutil::IncludeTrailingBackslash(DM->PracticeDir) + QString::number(questId)
            + QLatin1Char('\\');
    MatchSavedFiles(DM->StepInfos, questId, savedFiles, answer, values, base);
}

int IpStepLevel() { return IpStepLevel(win::ProgramDir() + QStringLiteral("subjects\\Step.xml")); }
