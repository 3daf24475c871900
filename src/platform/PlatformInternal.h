#pragma once
// Helpers shared by the files of the platform layer; not for code above it.
#include <QString>

namespace win::detail {

// Host folder for state shared by the processes of one user session (window
// registrations, named mutexes): $XDG_RUNTIME_DIR/pravik-<what> when that variable
// is set, else prefix/<what>. Created on demand; "" when it cannot be created.
QString SessionDir(const QString& what);

// The start time of a process (field 22 of /proc/<pid>/stat), 0 when unknown. With
// the pid it identifies one process across pid reuse.
quint64 ProcessStartTime(qint64 pid);

// True for a Windows path with a drive letter ("C:", "c:\x", "C:/x").
bool HasDriveLetter(const QString& path);

// Writes data to path through a temporary file and a rename.
bool WriteFileAtomically(const QString& path, const QByteArray& data);

// Called once when a prefix is created (after its drives exist): the special
// folders and their registry values.
void InitialiseSpecialFolders();

// Windows path of a host path, never through the given drive letter (0 = any).
QString FromHostExcept(const QString& hostPath, QChar excludedLetter);

} // namespace win::detail
