#pragma once
// Special folders and system folders as Windows paths inside the prefix (or the XDG
// folder where one exists). The registry "Shell Folders" and "User Shell Folders"
// values under HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer are written
// when the prefix is created.
#include <QString>

namespace win {

constexpr int CSIDL_DESKTOP = 0x0000;
constexpr int CSIDL_PERSONAL = 0x0005;
constexpr int CSIDL_FAVORITES = 0x0006;
constexpr int CSIDL_RECENT = 0x0008;
constexpr int CSIDL_APPDATA = 0x001a;
constexpr int CSIDL_WINDOWS = 0x0024;

// Windows path without trailing backslash; "" when the folder cannot be resolved.
// The environment variable PRAVIK_NO_SPECIAL_FOLDERS=1 makes every special folder
// unresolvable, as on a damaged profile (tests of the fall-backs).
QString GetSpecialFolder(int csidl);
// The temporary folder with trailing backslash ("" when none is configured).
QString GetTempPath();
// The Windows folder without trailing backslash.
QString GetWindowsDirectory();

} // namespace win
