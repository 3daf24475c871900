#pragma once
// The website client object of one exercise: it creates the log, fetches and checks
// the launch data, downloads the question package and puts it in place, and owns the
// question record of the run.
#include <QString>
#include <functional>
#include <memory>

#include "log/unLogCtrl.h"
#include "question/PaperInfo.h"
#include "question/TQuestion.h"
#include "scoring/pfEngine.h"
#include "web/uWebTamryApi.h"

// The fixed password of the material archives.
inline constexpr const char* kMaterialPassword = "morvane";

// How the website client reports a failure that ends the run (the data module's
// ReportAndExit by default). Tests install a recorder; returns the previous hook.
using TReportAndExitHook = std::function<void(const QString& text, bool showBox, bool writeLog, bool quit)>;
TReportAndExitHook SetWebReportAndExit(TReportAndExitHook hook);
// How the website client opens a page in the browser (OpenUrl by default).
using TOpenUrlHook = std::function<qintptr(const QString& url)>;
TOpenUrlHook SetWebOpenUrl(TOpenUrlHook hook);

// Reports through the installed hook (or the data module) and opens a page through
// the installed hook (or OpenUrl).
void WebReportAndExit(const QString& text, bool showBox, bool writeLog, bool quit);
qintptr WebOpenUrl(const QString& url);

// Flags of the running exercise set by SoftStart: the question's steps contain
// Photoshop steps; it is a recent-documents question (operation type 28).
extern bool bPsSteps;
extern bool bRecentDocs;

// The windows that SoftStart shows: the typing window (not modal) and the simulated
// desktop (modal: returns when the student has left it). The GUI installs them at
// start-up; without them those questions cannot start.
struct TSoftStartWindows {
    std::function<void(TQuestion* question)> showTyping;
    std::function<void(TQuestion* question, int setOperation, const QString& title, const QString& picture)>
        showDesktop;
};
void SetSoftStartWindows(TSoftStartWindows windows);

// True when the local version compares below the required one as plain text (code
// by code), or when the required version is empty.
bool NewerClientRequired(const QString& required, const QString& local);

class TwebServer {
public:
    // Creates the log writer (program folder + "zovovozuz.log") and installs it as the
    // process-wide logger, in the data module and in the form poster; sets the base
    // URL from the data module and the run download folder.
    TwebServer();
    ~TwebServer();

    bool Download();
    bool AnalysisQuest(const QString& response);
    bool VerifyValue();
    // The version check: true when a newer client is required. An exception shows,
    // logs and quits with "版本检测失败：" + message and gives false.
    bool CheckVersion();
    bool ClearAndCreateQuestionidDir();
    bool CopyFileToSubjects(const QString& downloadDir);
    bool CopyMaterialTo(const QString& practiceDir);
    // Program folder + "subjects\Q\Q.png" when that file exists, else "".
    QString GetPicturePath() const;
    bool DownloadToFile(const QString& url, const QString& path);
    bool ReadPaperXml(const QString& fileName);
    QString GetOpPathByOpId(int type);

    // Starts the question's working environment (QuestionWorkStart.cpp): the software,
    // the folder, the simulated desktop or the typing window. True when it started.
    bool SoftStart();
    // "续做本题": starts it again on the existing question record.
    bool SoftStart_Continue();

    // The final save of the answer archive at submission (webServerHandIn.cpp).
    bool SaveOp(const QString& archivePath);
    // The score upload: true when the website accepted the score.
    bool UploadScore(const TPfInfo& info);
    bool doup(const QString& evaluation);

    QString StuNO; // examinee number of the run
    QString OperationPath; // question folder in the practice folder
    TPaperInfo PaperInfo;
    std::unique_ptr<TWebTamry> WebTamry;
    std::unique_ptr<TQuestion> Question; // created by the start sequence
    QString BaseURL;
    QString DownloadDir; // run download folder, no trailing backslash
    QString StepFilePath; // program folder + "subjects\Q\Q.xml" once copied
    ILogCtrlPtr Logger;

private:
    QString questFolder(const QString& base) const;
};
