#pragma once
// Starting the operation software, the environment check, and closing programs.
#include <QString>
#include <QThread>

#include "platform/WinTypes.h"

class TQuestion;

// A self-freeing worker thread that starts the operation software at Path.
class TStartApp : public QThread {
    Q_OBJECT
public:
    explicit TStartApp(const QString& path);
protected:
    void run() override;
private:
    QString m_path;
};

void LaunchRecorder(const QString& programPath, const QString& folder, TQuestion* question);
bool StartAndWait(win::HWND owner, const QString& file, const QString& parameters, bool waitIdle);
bool ShellOpenAndWait(const QString& file, const QString& parameters, int seconds);
int CheckEnv(const QString& ownerId, const QString& stage, const QString& module, int type);
bool OpenDownloadPage();
bool KillTask(const QString& exeName);
int KillTask2(const QString& exeName);
bool KillUntilGone(const QString& exeName);
void CloseOfficeApps();
void CloseOperationSoftware();
// ShellExecute result (above 32 on success), -1 on an exception.
qintptr OpenUrl(const QString& url);
