// Pumping from hot loops, and the cancel state that other parts of the library share.
#pragma once
#include <windows.h>
#include "frame/message_pump.h"

namespace ferro {
// For loops that step often (per entry, per block): pumps one message through
// TrapMessage only when at least 10 ms have passed since this helper last
// pumped (the first call always pumps), and otherwise only reads the stop flag.
// Returns the stop flag's value, as StopExecuting does: non-zero asks the loop
// to stop. A peek costs tens of microseconds; this keeps a loop of short
// steps from spending its time in the message queue while the interface still
// answers within 10 ms. One timestamp per module; user-interface thread only.
inline LONG pump_throttled() {
    static const LONGLONG ticks_per_10ms = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return frequency.QuadPart / 100;
    }();
    static LONGLONG last_pump;
    static bool pumped;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    if (!pumped || now.QuadPart - last_pump >= ticks_per_10ms) {
        pumped = true;
        last_pump = now.QuadPart;
        return StopExecuting();
    }
    return IsStopExecutingFlag();
}

// The stop flag of the network search: set by ResetCancellingFlags together
// with the stop flag; the network code reads and writes it through these.
LONG net_search_stop_flag();
void set_net_search_stop_flag(LONG value);
}  // namespace ferro
