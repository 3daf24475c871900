#pragma once
// Windows-shaped basic types and constants used by the code above the platform layer.
#include <QtGlobal>

namespace win {

using HWND = quint32; // window handle; 0 = no window
using WPARAM = quintptr;
using LPARAM = qintptr;
using LRESULT = qintptr;
using DWORD = quint32;

constexpr unsigned WM_USER = 0x0400;
constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_ALREADY_EXISTS = 183;

// Milliseconds since an arbitrary start, wrapping like the Windows tick counter.
DWORD GetTickCount();

} // namespace win
