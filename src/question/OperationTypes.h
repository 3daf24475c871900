#pragma once
// Operation types 1..37: the display name of each type, where its software is found,
// which installed versions satisfy it, and how the exercise starts.
#include <QString>

// Display name; "" for a type without one. chineseCaption matters for type 22 only.
QString GetOperationName(int type, bool chineseCaption = true);
// Program path or marker of the type ("w" for every type not listed).
QString GetOpPathByOpId(int type);
// The first code of the type's version list that occurs as a whole item in the
// comma-separated available list; "" otherwise.
QString CheckEnvResult(int type, const QString& available);
// Name of a software version code; "" for an unknown code.
QString GetSoftVersionName(int code);
// The comma-separated version codes of the type ("" for none or no row).
QString OperationVersionCodes(int type);

// How the start sequence starts a question of this type.
enum class TStartMode {
    Nothing, // nothing is started (1, 2, 25, 28's software, unknown types)
    Program, // TStartApp with the path of GetOpPathByOpId
    Explorer, // explorer.exe on the operation folder
    FileStart, // OpenSepcialOp
    Typing, // the typing window
    SimulatedDesktop, // the simulated desktop, mode = StartDesktopMode
    Photoshop, // the Photoshop thread
    RecentDocuments, // type 28: Photoshop preferences, nothing is started
    MailServer, // type 30
};
TStartMode OperationStartMode(int type);

// What the answer archive keeps of a question of the type beside its answer line.
enum class TAnswerKeeping {
    AnswerText, // the answer line only
    DesktopShortcuts, // 5: the desktop's shortcuts, put back on Continue
    Favorites, // 10: the browser's favourites, put back on Continue
    OperationList, // 26: the operation answer list, flattened into the answer
    DocumentMark, // 6, 7, 8, 16: a "[subjectanslist]" entry for the saved document
};
TAnswerKeeping OperationAnswerKeeping(int type);
// The browser question (10): its work needs no material folder and it starts the
// local site server.
bool IsBrowserQuestion(int type);
// Mode of the simulated desktop for types 4, 22, 23, 26 (19 takes IpStepLevel); 0 else.
int StartDesktopMode(int type);
// True for the software types whose path from GetOpPathByOpId must name an existing
// file to count as installed (every program, file-start, Photoshop and mail-server
// type except 10, 27, 29, 32, whose path is a program name).
bool OperationPathMustExist(int type);
// True for the types that start software: a program, a document, Photoshop or the
// mail server.
bool StartsSoftware(int type);
