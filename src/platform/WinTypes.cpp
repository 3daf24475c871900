#include "platform/WinTypes.h"

#include <ctime>

namespace win {

DWORD GetTickCount()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    const quint64 ms = quint64(ts.tv_sec) * 1000u + quint64(ts.tv_nsec) / 1000000u;
    return DWORD(ms & 0xFFFFFFFFu);
}

} // namespace win
