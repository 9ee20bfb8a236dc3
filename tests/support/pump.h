// Bounded waits of tests on their own thread's messages.
#pragma once
#include <windows.h>

namespace ferro_test {
// Dispatches this thread's messages until `done()` holds or `ms`
// milliseconds passed; returns done().
template <class Done>
bool pump_until(DWORD ms, Done done) {
    const DWORD end = GetTickCount() + ms;
    while (!done() && GetTickCount() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    return done();
}
}  // namespace ferro_test
