#pragma once
// The client side of the end-to-end exercises: one whole client run in a child process
// of the test executable, built the way the program entry builds it (application
// object, toolbar as the main window, data module, launch address from the command
// line), with prompts answered by script. What it observes goes into files of the
// output folder (the child's first argument) for the parent test (see E2eSupport.h):
//   prompts.txt   one line per prompt: kind TAB text (CR and LF written as \r and \n)
//   running.txt   key=value state once the exercise runs (the save timer is on)
//   end.txt       key=value state when the message loop has ended
//   timeout.txt   written when the run did not end in time (exit code 3)
// Environment of the child:
//   E2E_ANSWERS   answers of the prompts in order ("1,0,1"; then "yes")
//   E2E_ACTION    what the student does once the exercise runs: submit | exit | (nothing)
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

#include "app/TApplication.h"
#include "support/ScriptedPrompts.h"

class TDM;
class TfrmTool;

namespace pravik::test {

// Writes (or appends to) a file of the output folder.
void WriteOutput(const QString& name, const QString& text, bool append);
// CR and LF written as \r and \n.
QString OneLine(QString t);
QString Flag(bool b);

// The state of the toolbar, the data module and the question as key=value lines
// into <name>.txt.
void WriteState(const QString& name, TfrmTool* tool);

// The exercise runs: records running.txt and takes the action E2E_ACTION names
// (Submit or Exit, on a zero timer so that the caller returns first).
void RecordRunningAndAct(TfrmTool* tool);

class ClientChild {
public:
    // args: the output folder, then the launch parameters. appName: argv[0] of the
    // application object. afterPrompt: called after each prompt was recorded.
    ClientChild(const QStringList& args, const char* appName,
                std::function<void(const PromptRecord&)> afterPrompt = {});
    ~ClientChild();
    ClientChild(const ClientChild&) = delete;
    ClientChild& operator=(const ClientChild&) = delete;

    TfrmTool* tool() const { return m_tool; }

    // Shows the toolbar and runs the message loop (when the start did not already end
    // the run), with poll called every 50 ms; after timeoutMs the run ends with exit
    // code 3 and timeout.txt. Then records end.txt, deletes the toolbar and the data
    // module and waits for the started programs. Returns the exit code.
    int run(int timeoutMs, const std::function<void()>& poll);

    // Ends the message loop with this exit code.
    void end(int rc);

private:
    int m_argc = 1;
    QByteArray m_arg0;
    char* m_argv[2];
    TApplication m_app;
    TfrmTool* m_tool = nullptr;
    TDM* m_dm = nullptr;
    int m_rc = 0;
};

} // namespace pravik::test
