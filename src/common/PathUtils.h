#pragma once
// Path helpers on Windows paths (every access goes through win::toHost). The file
// operations themselves (copy, delete, tree walks) are the platform's: platform/WinFiles.h.
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
// ExtractFilePath ("C:\a\b.txt" -> "C:\a\"), ExtractFileName, ExtractFileExt (".txt").
QString ExtractFilePath(const QString& path);
QString ExtractFileName(const QString& path);
QString ExtractFileExt(const QString& path);

} // namespace pathutil
