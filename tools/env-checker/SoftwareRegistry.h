#pragma once
// Which software stands behind a version code, and whether the emulated registry has
// it installed.
#include <QString>
#include <QStringList>

struct TSoftwareFamily {
    QStringList classes; // registry classes whose open command starts the software
    QStringList exeNames; // App Paths entries of the software
};

// The family of a version code; false for an unknown code.
bool SoftwareFamilyOf(int code, TSoftwareFamily& family);

// The program of a registry class's open command ("" when the class has none).
QString ClassProgram(const QString& className);
// The program of an App Paths entry ("" when there is none).
QString AppPathsProgram(const QString& exeName);

// True when a program of the code's family is registered, its file exists, and the
// registration does not name other versions only (value "Versions" of the class key
// or of the App Paths key: the comma-separated codes the registered program stands
// for; without it the program stands for every version of its family).
bool IsVersionInstalled(int code);

// The codes of a checker argument such as "10" or "1,2,3" (blanks also separate).
QList<int> ParseCodes(const QString& text);
