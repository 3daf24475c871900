#pragma once
// The operations of the steps table (question/StepTable.h) on the data module's
// table: DM->StepInfos, DM->CurrentStep, loaded from DM->StepFile first.
#include <QString>
#include <QStringList>

#include "question/StepTable.h"

bool GetPaperQuestionStep(const QString& fileName);
bool FindStepByKnowledge(const QString& knowledge);
bool HasKnowledgeGroup(int group);
bool ExpectedSaveFiles(int questId, QStringList& list);
// Base: the virtual drive's question folder when a drive letter is set, otherwise the
// question folder of the practice folder (DM->PracticeDir + questId + "\").
void MatchSavedFiles(int questId, const QStringList& savedFiles, QString& answer, const QStringList& values);
// Reads the program folder's "subjects\Step.xml".
int IpStepLevel();
