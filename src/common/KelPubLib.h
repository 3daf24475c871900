#pragma once
// The delay of the original public library: sleep in 5 ms steps, optionally
// processing pending window messages after each step, until more than the requested
// number of milliseconds have passed by the tick counter.
#include "platform/WinTypes.h"

class TKelPubLib {
public:
    static void Delay(unsigned ms, bool processMessages = true);
    static win::DWORD TickCount();
};
