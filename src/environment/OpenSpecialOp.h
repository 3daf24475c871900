#pragma once
// The file start of the document and recorder questions: opens the question's file in
// its program (Word, Excel, PowerPoint, FrontPage, WordPad) or hands the start to the
// recorder launcher (Paint, WordPad, ACDSee, Sound Recorder). The website client's
// OpenSepcialOp forwards here.
#include <QString>

class TQuestion;

// type: the operation type (6, 7, 8, 16, 27, 29, 31, 32, 34); programPath: the
// program path of the type; operationFolder: the work folder with trailing
// backslash (the question folder is operationFolder + question id + "\").
// Sets DM->ProgramToClose for the chosen program and the question's answer to "1".
void OpenSepcialOp(int type, const QString& programPath, const QString& operationFolder, TQuestion* question);
