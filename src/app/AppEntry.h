#pragma once
// The pieces of the program entry: the launch address on the command line, the
// hand-over to a running instance, the output-log start-up step.
#include <QString>
#include <QStringList>

#include "platform/WinTypes.h"

// The single-instance mutex, the application title and the scheme prefix.
inline const QString kInstanceMutexName = QStringLiteral("Tamry网Pravik");
inline const QString kApplicationTitle = QStringLiteral("Tamry网Pravik");
inline const QString kSchemePrefix = QStringLiteral("KelTamry-EXERCISE://");

// The launch address: the text after the scheme prefix of the first parameter that
// contains it (trimmed, prefix compared without letter case, the rest kept as is);
// "" when no parameter carries it. params are the parameters without the program.
QString ExtractLaunchData(const QStringList& params);

// True when a program file of this name may hand over to a running instance: its
// extension in upper case is the executable suffix of the platform (".EXE" on
// Windows; on Linux the program file has none).
bool ProgramFileCanHandOver(const QString& fileName);

// The hand-over: sends WM_USER_SHOW to the running toolbar every 100 ms until it
// answers 0 or less (true); false when the program file cannot hand over or the
// window keeps answering with a positive value.
bool NotifyRunningInstance(win::HWND hwnd);

// Deletes "output.log" in the program folder if it exists.
void DeleteOutputLog();
