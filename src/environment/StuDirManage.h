#pragma once
// The virtual drive, the examinee folders of a run, and the copy and delete routines.
#include <QString>

bool PickFreeDrive(QString& letter);
bool SubstCreate(QChar letter, const QString& path);
bool SubstDelete(QChar letter);
QString SubstQuery(QChar letter);
void RemoveVirtualDrive(const QString& letterText);
bool CreateDisk(const QString& strDir);
int RunAndWait(const QString& commandLine, int showWindow);
bool AdjustPath(QString& path);
bool DoRemoveDir(const QString& dir);
bool DoCopyDir(const QString& source, const QString& target);
void CopyDirTree(const QString& source, const QString& target);
bool CopyFileRetry(const QString& source, const QString& target);
bool CopyDirFlat(const QString& source, const QString& target);
bool DoCopyFileByExt(const QString& sourceDir, const QString& targetDir, const QString& pattern);
bool ShellCopyFolder(const QString& source, const QString& target);
bool DeleteDirTree(const QString& dir, bool removeRoot, bool keepFiles);
bool DelTemp();
