#pragma once
// Child modes of a test executable: a test re-runs its own executable with
// "--pravik-child <name> args..." to get a second real process (a second client, a
// writer killed in the middle of a save, ...). Register the modes with
// PRAVIK_CHILD_MODE at namespace scope in the test file.
#include <QString>
#include <QStringList>
#include <functional>

namespace pravik::test {

using ChildMain = std::function<int(const QStringList& args)>;

struct ChildModeRegistrar {
    ChildModeRegistrar(const char* name, ChildMain fn);
};

// Runs the named child mode when argv asks for one; returns true and sets exitCode then.
bool RunChildModeIfRequested(int argc, char** argv, int& exitCode);

// The command line to start this executable in a child mode.
QString SelfExecutable();
QStringList ChildArguments(const QString& name, const QStringList& args = {});

} // namespace pravik::test

#define PRAVIK_CHILD_MODE_CAT2(a, b) a##b
#define PRAVIK_CHILD_MODE_CAT(a, b) PRAVIK_CHILD_MODE_CAT2(a, b)
#define PRAVIK_CHILD_MODE(name, fn)                                                                          \
    static ::pravik::test::ChildModeRegistrar PRAVIK_CHILD_MODE_CAT(pravik_child_mode_, __LINE__)(name, fn)
