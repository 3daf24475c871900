#include "support/TestEnv.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <memory>

namespace pravik::test {

namespace {
std::unique_ptr<QTemporaryDir> g_root;

void copyTree(const QString& from, const QString& to, bool withExecutables)
{
    QDir().mkpath(to);
    const QDir src(from);
    for (const QFileInfo& fi : src.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString target = to + "/" + fi.fileName();
        if (fi.isDir()) {
            copyTree(fi.absoluteFilePath(), target, withExecutables);
        } else {
            if (!withExecutables && fi.isExecutable() && !fi.fileName().contains('.'))
                continue;
            if (!withExecutables && fi.fileName().endsWith(".exe", Qt::CaseInsensitive))
                continue;
            QFile::remove(target);
            QFile::copy(fi.absoluteFilePath(), target);
        }
    }
}
} // namespace

void TestEnv::setUpProcess()
{
    g_root = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/pravik-test-XXXXXX");
    const QString r = g_root->path();
    QDir().mkpath(r + "/prefix");
    QDir().mkpath(r + "/program");
    qputenv("PRAVIK_PREFIX", QFile::encodeName(r + "/prefix"));
    qputenv("PRAVIK_PROGRAM_DIR", QFile::encodeName(r + "/program"));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(r + "/runtime"));
    QDir().mkpath(r + "/runtime");
    QFile::setPermissions(r + "/runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // The shell-open recorder appends each request as one line to shell-open.log.
    const QString recorder = r + "/shell-open.sh";
    QFile f(recorder);
    if (f.open(QIODevice::WriteOnly)) {
        QTextStream(&f) << "#!/bin/sh\nprintf '%s\\n' \"$*\" >> '" << r << "/shell-open.log'\n";
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    qputenv("PRAVIK_SHELL_OPEN", QFile::encodeName(recorder));
}

void TestEnv::tearDownProcess()
{
    if (qEnvironmentVariableIsSet("PRAVIK_KEEP_TEST_DIR") && g_root)
        g_root->setAutoRemove(false);
    g_root.reset();
}

QString TestEnv::root() { return g_root ? g_root->path() : QString(); }
QString TestEnv::prefixDir() { return root() + "/prefix"; }
QString TestEnv::programDir() { return root() + "/program"; }
QString TestEnv::buildBinDir() { return qEnvironmentVariable("PRAVIK_BIN_DIR"); }
QString TestEnv::sourceDir() { return qEnvironmentVariable("PRAVIK_SOURCE_DIR"); }

void TestEnv::fillProgramFolder(bool withExecutables)
{
    copyTree(buildBinDir(), programDir(), withExecutables);
}

QStringList TestEnv::shellOpens()
{
    QFile f(root() + "/shell-open.log");
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    return lines;
}

void TestEnv::clearShellOpens() { QFile::remove(root() + "/shell-open.log"); }

QString TestEnv::freshDir(const QString& name)
{
    const QString p = root() + "/t/" + name;
    QDir(p).removeRecursively();
    QDir().mkpath(p);
    return p;
}

void TestEnv::resetPrefix()
{
    QDir(prefixDir()).removeRecursively();
    QDir().mkpath(prefixDir());
}

} // namespace pravik::test
