#pragma once
// Path helpers on Windows paths (every access goes through win::toHost).
#include <QString>

namespace pathutil {

// Trim, "/" -> "\", collapse doubled backslashes; with or without a trailing backslash.
QString NormalizeDir(const QString& path, bool trailingBackslash);
// Adds a trailing backslash when missing (an empty path stays empty).
QString IncludeTrailingBackslash(const QString& path);
QString ExcludeTrailingBackslash(const QString& path);
// Creates the folder with all missing parents: false for an empty path, true for a
// drive root that exists.
bool ForceDirectories(const QString& path);
// True for files only, never for folders.
bool FileExists(const QString& path);
bool DirectoryExists(const QString& path);
// Deletes the contents of a folder recursively; with removeRoot also the folder;
// with keepFiles the files stay and only what can go without them is removed (the
// exact rule is documented at the definition).
bool DeleteTree(const QString& path, bool removeRoot, bool keepFiles);
// Copies every file matching a wildcard pattern from one folder to another, creating
// the target; returns false when a copy fails.
bool CopyFilesByPattern(const QString& fromDir, const QString& toDir, const QString& pattern);
// ExtractFilePath ("C:\a\b.txt" -> "C:\a\"), ExtractFileName, ExtractFileExt (".txt").
QString ExtractFilePath(const QString& path);
QString ExtractFileName(const QString& path);
QString ExtractFileExt(const QString& path);

} // namespace pathutil
