#pragma once
// Starting the operation software, the environment check, and closing programs.
#include <QString>
#include <QStringList>
#include <QThread>

#include <functional>

#include "platform/WinTypes.h"

class TQuestion;

// A self-freeing worker thread that starts the operation software at Path. Start()
// creates it running, the only way to make one, so the software is started once; the
// thread deletes itself when done. It sets DM->ProgramToClose before it runs, so that
// a clean-up that follows at once already knows what to close. When the application
// quits while it still runs, it is waited for (a few seconds) before the application
// object goes.
class TStartApp : public QThread {
    Q_OBJECT
public:
    static void Start(const QString& path);
    ~TStartApp() override;
    // Waits for every TStartApp still running (tests, and the end of the application).
    static bool WaitForAll(int timeoutMs);

protected:
    void run() override;

private:
    explicit TStartApp(const QString& path);
    QString m_path;
};

void LaunchRecorder(const QString& programPath, const QString& folder, TQuestion* question);
bool StartAndWait(win::HWND owner, const QString& file, const QString& parameters, bool waitIdle);
bool ShellOpenAndWait(const QString& file, const QString& parameters, int seconds);

// Result codes of CheckEnv.
constexpr int CHECKENV_NOT_REQUIRED = 0; // course or type asks for no version
constexpr int CHECKENV_PASSED = 1;
constexpr int CHECKENV_START_FAILED = -1; // the checker could not be started
constexpr int CHECKENV_MISSING = -2; // some required version is missing
constexpr int CHECKENV_INIT_FAILED = -3; // an old result file could not be deleted
constexpr int CHECKENV_NO_RESULT = -4; // the checker wrote no result file
constexpr int CHECKENV_TIMEOUT = -5; // the checker ran too long
int CheckEnv(const QString& ownerId, const QString& stage, const QString& module, int type);
// Reads the checker's result file (a Windows path) into DM->MissingNames and
// DM->MissingCodes; true when nothing is missing.
bool ChecksoftResult(const QString& resultFile);
// DM->MissingNames as numbered lines "1. name\r\n2. name\r\n".
QString FormatMissingNames();

// The environment-check step of the toolbar's start-up: runs CheckEnv, sets
// envCheckResult to "1" (result >= 0) or "0", and shows the prompt of a failed check.
// For missing versions it disables the toolbar through setToolbarEnabled (may be
// empty), asks with AskPrompt2 and enables it again. True when the start goes on.
bool RunEnvCheckStep(const QString& ownerId, const QString& stage, const QString& module, int type,
                     QString& envCheckResult, const std::function<void(bool)>& setToolbarEnabled = {});

bool OpenDownloadPage();
bool KillTask(const QString& exeName);
int KillTask2(const QString& exeName);
bool KillUntilGone(const QString& exeName);
void CloseOfficeApps();
void CloseOperationSoftware();
// ShellExecute result (above 32 on success), -1 on an exception. Only http and https
// addresses are opened; anything else gives 2 (file not found) and opens nothing.
qintptr OpenUrl(const QString& url);

// Starts a program as ShellExecute does. A program named without a folder
// ("WINWORD.EXE", "mspaint.exe") is found through its App Paths entry first, as the
// Windows shell finds it, and its process is known under that name. pid (optional)
// receives the started process (0 when the request went to the shell opener).
qintptr ShellExecuteProgram(const QString& verb, const QString& file, const QString& parameters, int show,
                            qint64* pid = nullptr);

// The bounds of the waits; tests shorten them.
struct TLaunchLimits {
    int checkEnvPolls = 3001; // 100 ms waits for the checker to end (about 300 s)
    int killTaskRechecks = 10; // KillTask re-checks 200 ms apart before it gives up
    int killUntilGoneRounds = 30000; // KillUntilGone rounds
    int killUntilGoneMs = 30000; // and its overall time bound
    int recorderChecks = 10; // checks 500 ms apart for the recorded program
};
TLaunchLimits& LaunchLimits();
