#pragma once
// The operation steps table of the question (the step file "subjects\Q\Q.xml"): the
// scoring points that the engine checks, read by the client to find the file a
// question opens, the files it expects to be saved, the Photoshop history switch and
// the mode of IP-setting questions.
//
// The functions take the table explicitly; environment/StepTableDM.h has the same
// operations on the data module's table.
#include <QString>
#include <QStringList>
#include <stdexcept>

#include "question/StepInfo.h"

// A knowledge text that is not a number: the caller's handler reports the message.
class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(const QString& message)
        : std::runtime_error(message.toStdString()), Message(message)
    {
    }
    QString Message;
};

// Reads the table unless it already has entries. Three attempts 100 ms apart; each
// failure is logged as "TDM.GetPaperQuestionStep ERROR: " + reason.
bool GetPaperQuestionStep(TTamryQuestionStepInfos& steps, const QString& fileName);
// The first step whose knowledge equals the text exactly.
bool FindStepByKnowledge(const TTamryQuestionStepInfos& steps, const QString& knowledge,
                         TTamryQuestionStepInfo& current);
// True when a step's knowledge div 1000 equals group. Throws EConvertError for a
// knowledge text that is not a number.
bool HasKnowledgeGroup(const TTamryQuestionStepInfos& steps, int group);
// Appends "QuestId|file name" for every file step (6002, 7002, 8002, 13002, 14002)
// with a non-empty decoded name. Throws EConvertError like HasKnowledgeGroup.
bool ExpectedSaveFiles(const TTamryQuestionStepInfos& steps, int questId, QStringList& list);
// Records which expected files were really saved (recent-documents questions).
// base is the question folder as the student sees it, with trailing backslash.
void MatchSavedFiles(const TTamryQuestionStepInfos& steps, int questId, const QStringList& savedFiles,
                     QString& answer, const QStringList& values, const QString& base);
// 1 when the knowledge of the first "queststep" of the file is above 19005, else 0.
int IpStepLevel(const QString& stepXmlPath);
