#pragma once
// The console commands that the stand-in carries out itself instead of starting a
// command interpreter: the drive mapping "cmd /c subst.exe  Y: "path"  > "file"" and
// "cmd /c subst.exe  Y: /d ", with the console's exit codes (0 done, 1 refused) and
// its messages written into the redirected output file.
#include <QString>

namespace win {

// Carries out commandLine when it is one of these commands: true, with the exit code
// in *exitCode. False for any other command line (nothing was done).
bool RunBuiltinConsoleCommand(const QString& commandLine, int* exitCode);

} // namespace win
