#pragma once
// The environment data module: the state that the environment procedures share (the
// virtual drive, the folder set of the run, the programs to close, the browser
// snapshot, the step table, the environment-check results), the central
// report-and-exit procedure, and a few small services.
#include <QObject>
#include <QString>
#include <QStringList>

#include "log/RunLog.h"
#include "log/unLogCtrl.h"
#include "question/StepInfo.h"

// The examinee record of the run; StuNO is the examinee number ("YYYYMMDDHHNNSS").
struct TStudentsRec {
    QString StuNO;
    QString fields[13];
};

// Process-wide shared variables of the module.
extern QString LaunchData; // the launch URL after the scheme prefix ("" = none)
extern QString strCurDisk; // virtual drive letter without colon, "" = plain folder
extern TStudentsRec TStudents;

class TDM : public QObject {
    Q_OBJECT
public:
    explicit TDM(QObject* parent = nullptr);
    ~TDM() override;

    void DataModuleCreate();

    // Report a problem: prompt (style 1, "提示信息"), log (MSG_ERROR), and with Quit
    // run the exit clean-up and end the application with exit code 0.
    void ReportAndExit(const QString& text, bool showBox, bool writeLog, bool quit);
    // The exit clean-up of ReportAndExit without the prompt and the end: empties the
    // examinee folder, ends the auxiliary programs and the operation software, removes
    // the virtual drive, restores the browser state and deletes the temporary files.
    // Each step is best effort; running it again is harmless.
    void ExitCleanUp();
    // True once the exit clean-up has run.
    bool ExitCleanUpRan() const { return m_exitCleanUpRan; }

    // One log line through the process-wide logger; nothing before a logger exists.
    static void WriteLog(const QString& text, const QObject* sender = nullptr, int level = MSG_ERROR);
    // MSG_INFO through the module's own logger field.
    void WriteInfoLog(const QString& text);

    QString GetFavoritesDir();
    QString GetDesktopDir();
    bool ExtractArchive(const QString& archiveFile, const QString& targetDir, const QString& password);
    bool DriveReady(const QString& path);
    // Plain text of an RTF text, at most 65520 characters.
    QString RtfToText(const QString& rtf) const;
    void ReadLocalVersion(QString& version);

    // The logger (attached when the website client exists).
    ILogCtrlPtr Logger;

    // The step table (read by the step-file reader) and the last step found.
    TTamryQuestionStepInfos StepInfos;
    TTamryQuestionStepInfo CurrentStep;

    // Shared state.
    QString StuExamDataRoot = QStringLiteral("D:\\");
    QString FavoritesDir;
    QString LastMessage;

    // Folder set of the run (all with trailing backslash unless noted).
    QString ExamRoot; // StuExamData root after AdjustPath
    QString UploadRoot; // upload folder after AdjustPath
    QString ProgramDir; // program folder
    QString SubjectsDir; // program folder + "subjects\"
    QString IEMaterialDir; // program folder + "img2\operation\IE" (no backslash)
    QString ExamineeDir; // {R}{N}\ .
    QString PracticeDir; // {R}{N}\{N}\ .
    QString QuestionDir; // {R}{N}\{N}\{Q}\ .
    QString StepFile; // path of the step file
    QString PrevExamineeDir; // StuExamData root + old StuNO ("" when none)
    QString RunDownloadDir; // run download folder (set by the website client)

    // Configuration values.
    QString WebUrl;
    QString UserLoginUrl;
    QString DownloadPageUrl; // Config.ini "Download"
    bool ProductionFormat = true; // negation of KelTamry_DEBUG

    // Programs to close (Part of the software launch).
    QString ProgramToClose;
    QString RecorderToClose;

    // Browser snapshot.
    bool IEEnvironment = false;
    bool ProxyRestore = false;
    QString SavedProxyHost = QStringLiteral("-1");
    QString SavedProxyPort;
    QString SavedProxyEnabled;

    // Environment check.
    QString VersionCode;
    QString SoftDownloadUrl;
    QStringList MissingNames;
    QStringList MissingCodes;

    // Launch values kept for later use.
    QString OwnerId;
    QString K12Stage;
    QString LaunchOperationType;

private:
    bool m_exitCleanUpRan = false;
};

// The one data module of the process (created at program start).
extern TDM* DM;

// Ending the application from anywhere, also from inside a modal prompt: sets the
// process-wide "quitting" flag, leaves every running event loop (the nested loops of
// modal windows first, then the main loop) with exit code 0; when no loop runs yet,
// the main loop ends as soon as it starts. Code that continues after a call that may
// end the application checks ApplicationQuitting() and stops.
void TerminateApplication();
bool ApplicationQuitting();
