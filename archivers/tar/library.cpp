// The library's own state: its version, whether it is at work, and the
// cursor and background modes the caller sets.
#include "tar/tar32.h"

namespace {
volatile LONG g_running;
BOOL g_background;
BOOL g_cursor = TRUE;
}  // namespace

namespace tar {
bool running() { return g_running != 0; }
Running::Running() : owner_(InterlockedCompareExchange(&g_running, 1, 0) == 0) {}
Running::~Running() {
    if (owner_) InterlockedExchange(&g_running, 0);
}
}  // namespace tar

WORD WINAPI TarGetVersion() { return tar::kVersion; }
BOOL WINAPI TarGetRunning() { return tar::running(); }
BOOL WINAPI TarGetBackGroundMode() { return g_background; }
BOOL WINAPI TarSetBackGroundMode(const BOOL mode) {
    g_background = mode;
    return TRUE;
}
BOOL WINAPI TarGetCursorMode() { return g_cursor; }
BOOL WINAPI TarSetCursorMode(const BOOL mode) {
    g_cursor = mode;
    return TRUE;
}
// The library has no settings of its own to show.
BOOL WINAPI TarConfigDialog(const HWND, LPSTR, const int) { return FALSE; }

