// The program entry: one running exercise at a time (a second start hands over to
// the running toolbar, which quits), the launch address from the command line, then
// the toolbar (the main window) and the data module, and the message loop.
#include "app/AppEntry.h"
#include "app/GuiPrompts.h"
#include "app/TApplication.h"
#include "app/ufrmTool.h"
#include "common/Prompts.h"
#include "environment/unDMDB.h"
#include "platform/WinMessages.h"
#include "platform/WinMutex.h"

int main(int argc, char** argv)
{
    // The application object comes first here: the message box, the window messages
    // and the program folder need it.
    TApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    InstallGuiPrompts();

    // The output-log start-up step.
    DeleteOutputLog();

    // 1. The single-instance mutex (kept until the process ends).
    win::DWORD lastError = win::ERROR_SUCCESS;
    const auto mutex = win::CreateMutex(kInstanceMutexName, true, &lastError);
    if (!mutex)
        return 0;

    // 2. Another instance runs: hand over to its toolbar.
    if (lastError == win::ERROR_ALREADY_EXISTS) {
        const win::HWND running = win::FindWindow(QStringLiteral("TfrmTool"), QStringLiteral("Pravik"));
        if (!NotifyRunningInstance(running)) {
            AppMessageBox(QStringLiteral("Pravik正在运行，则先关闭!"), kPromptTitle);
            return 0;
        }
    }

    // 3. The launch address.
    LaunchData = ExtractLaunchData(app.arguments().mid(1));

    // 4. The application title.
    TApplication::SetTitle(kApplicationTitle);

    // 5. The toolbar (main window), then the data module.
    auto* tool = new TfrmTool();
    tool->MainForm = true;
    auto* dm = new TDM();

    // 6. The message loop.
    if (tool->Created() && !ApplicationQuitting()) {
        tool->show();
        app.exec();
    }
    delete tool;
    delete dm;
    return 0;
}
