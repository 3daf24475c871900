#pragma once
// The answer archive ans.zt: the answer line of the question, the flattened operation
// list of the settings questions and the saved-file list, written by the periodic save
// of the toolbar and by the final save at submission.
#include <QString>
#include <QStringList>

class TQuestion;

// "#13" -> "@#@", "#10" -> "@$@", " " -> "@%@", "," -> "@&@" (in this order), and back.
QString ReplaceStr(const QString& text);
QString RevertStr(const QString& text);

// The operation answer list as "E(i)==>slot<++>..." for the slots 0..lastSlot, with
// the entry numbers 26020.. (26033 is never used).
QString FlattenOpAnswers(const TQuestion& question, int lastSlot);
int OpAnswerEntryNumber(int slot);

// The last slot that the final save at submission flattens: every slot that a
// simulated window writes (0 to 28), so that the scoring engine sees all of them.
constexpr int kFinalSaveLastSlot = 28;

// The answer line: question id + "=" + answer text + ")" + "True"/"False".
QString AnswerLine(const TQuestion& question);

// Replaces the file with the given lines (GBK, CR LF after each line). The new content
// is written beside the old file and renamed over it, so that the file is always
// either the old or the new archive. False when the file could not be replaced.
bool WriteArchiveFile(const QString& winPath, const QStringList& lines);

// The periodic save of the toolbar. examineeDir is {R}{N}\ (with backslash). The
// saving flag guards against a save started while one runs. False when nothing was
// written.
bool SaveAnswerArchive(TQuestion& question, const QString& examineeDir, bool& saving);

// The final save at submission into archivePath.
bool SaveOperationArchive(TQuestion& question, const QString& examineeDir, const QString& archivePath);

// Restores the stored details of a question when it starts (desktop shortcuts,
// favourites).
void LoadOperationStoreDetails(TQuestion& question, const QString& examineeDir);
