#pragma once
// The environment of a test process: a temporary prefix (PRAVIK_PREFIX), a recorder
// for shell opens (PRAVIK_SHELL_OPEN) and a temporary program folder
// (PRAVIK_PROGRAM_DIR), all below one temporary folder that is removed at the end.
#include <QString>
#include <QStringList>

namespace pravik::test {

class TestEnv {
public:
    static void setUpProcess();
    static void tearDownProcess();

    // The temporary root of this process (host path).
    static QString root();
    // Host path of the prefix and of the program folder of this process.
    static QString prefixDir();
    static QString programDir();
    // The build's program folder (build/<preset>/bin) and the source tree.
    static QString buildBinDir();
    static QString sourceDir();

    // Copies the files of the build's program folder (Config.ini, checksoft.ini,
    // img2/, ...) into the test program folder. With executables also the programs
    // (prjPractice, ravAduVeDiz.exe, ...).
    static void fillProgramFolder(bool withExecutables = false);

    // Everything the shell-open recorder was asked to open, one entry per call,
    // and forgetting it.
    static QStringList shellOpens();
    static void clearShellOpens();

    // A fresh empty folder below the root for one test (host path).
    static QString freshDir(const QString& name);

    // Starts over with an empty prefix (the registry, the drives, the links).
    static void resetPrefix();
};

} // namespace pravik::test
