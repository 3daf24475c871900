#pragma once
// The file operations of the Windows stand-in, on Windows paths (drive letters and
// backslashes, through toHost). One set of host rules for every caller:
//  - a symbolic link is never followed: a link is copied as nothing, deleted as a link,
//    and a tree walk never descends into it;
//  - "read-only" is the absence of the owner's write bit; deleting or overwriting a
//    read-only file fails as on Windows unless the call says otherwise;
//  - a file that is written or copied is written beside its target and renamed over
//    it, so that a reader sees the old or the new file, never half of one.
#include <QByteArray>
#include <QString>

namespace win {

// CopyFile: copies one file. With failIfExists an existing target fails; otherwise an
// existing target (also a read-only one) is replaced. A source that is not a regular
// file (a folder, a link, missing) fails; a target that is a folder fails.
bool CopyFile(const QString& existingFile, const QString& newFile, bool failIfExists);

// MoveFile: renames a file or folder; fails when the target exists. Across file
// systems a file is copied and the source deleted only after the copy succeeded.
bool MoveFile(const QString& existing, const QString& target);

// DeleteFile: deletes a file or a link (never what a link points at). A read-only file
// fails unless force is set (force = give it normal attributes first).
bool DeleteFile(const QString& path, bool force = false);

// CreateDirectory: one folder whose parent exists; false when it exists already.
bool CreateDirectory(const QString& path);

// RemoveDirectory: an empty folder, or a link to a folder (the link only).
bool RemoveDirectory(const QString& path);

// Deletes the contents of a folder; with removeRoot also the folder. Every entry first
// gets normal attributes; a sub-folder is handled by recursion with removeRoot set and
// the same keepFiles; a file is deleted unless keepFiles is set. Any failure makes the
// result false but the walk goes on; with removeRoot the folder itself is removed last
// (a failure, for example because files were kept, makes the result false). A missing
// folder is a success.
bool DeleteTree(const QString& dir, bool removeRoot, bool keepFiles);

// Copies a folder's files and sub-folders into target (created as needed), replacing
// files of the same name; links are skipped. False when anything could not be copied
// (the walk goes on).
bool CopyTree(const QString& sourceDir, const QString& targetDir);

// Copies every file of a folder whose name matches a wildcard pattern ("*.lnk", "*.*")
// into targetDir (created as needed), replacing files of the same name (also of
// another letter case); folders and links are skipped. False when a copy failed.
bool CopyFiles(const QString& sourceDir, const QString& targetDir, const QString& pattern);

// True when path (which need not exist yet) stays inside folder once every link on
// the way is resolved: the deepest existing folder on the way to path lies in folder.
bool IsInsideFolder(const QString& path, const QString& folder);

// Writes the whole file beside the target and renames it over the target.
bool WriteFileAtomic(const QString& path, const QByteArray& data);

// True for a symbolic link (to anything, also a dangling one).
bool IsLink(const QString& path);

} // namespace win
