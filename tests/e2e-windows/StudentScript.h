#pragma once
// The student scripts of the "windows-exercise" child mode (WindowsChild.cpp): steps
// that run in turn from a polling timer (which also ticks inside the modal loops of
// the desktop and the message boxes). A step returns true when it is done; what may
// block (a modal window) is started on a zero timer (later) so that the poll goes on.
//
// A scenario is a named list of steps; each family of windows keeps its scenarios in
// a file of its own and registers them once:
//
//     PRAVIK_STUDENT_SCENARIO("iis", iisScript);
//
// where iisScript is QList<Step>(TfrmTool*). E2E_SCENARIO picks one by name.
#include <QList>
#include <QString>

#include <functional>

class QWidget;
class TQuestion;
class TfrmTool;
class TfrmOperationMain;

namespace pravik::test {

struct Step {
    QString name;
    std::function<bool()> run;
};

using ScenarioFactory = QList<Step> (*)(TfrmTool*);

// Registers a scenario under its name (at static-initialisation time); returns true.
bool RegisterScenario(const char* name, ScenarioFactory factory);
// The scenario's steps, or an empty list for an unknown or empty name.
QList<Step> Scenario(const QString& name, TfrmTool* tool);

// A picture of a window as the student saw it, when E2E_SHOTS names a folder.
void shot(QWidget* w, const QString& name);
// One observation of the student script (seen.txt).
void seen(const QString& key, const QString& value);
// The question record of the run, or nullptr.
TQuestion* question(TfrmTool* tool);
// Runs f on a zero timer.
void later(const std::function<void()>& f);
// The simulated desktop while it is visible, else nullptr.
TfrmOperationMain* desktop();
// Types like a student with an input method: the committed text, one commit per
// character.
void imeType(QWidget* w, const QString& text);
// The desktop is up and modal; records what the student sees under prefix.
bool desktopShown(TfrmTool* tool, const QString& prefix);
// Leaves the desktop through "退出当前操作题" once its refresh timer enabled it.
bool leaveDesktop();
// The desktop is gone and the exercise runs.
bool desktopGoneAndRunning(TfrmTool* tool);

} // namespace pravik::test

#define PRAVIK_STUDENT_SCENARIO_CAT2(a, b) a##b
#define PRAVIK_STUDENT_SCENARIO_CAT(a, b) PRAVIK_STUDENT_SCENARIO_CAT2(a, b)
#define PRAVIK_STUDENT_SCENARIO(name, factory)                                                               \
    static const bool PRAVIK_STUDENT_SCENARIO_CAT(                                                           \
        pravik_scenario_, __LINE__) = ::pravik::test::RegisterScenario(name, factory)
