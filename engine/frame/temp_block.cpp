// The temporary block through which the library hands string lists to the host.
#include "frame/memory_blocks.h"
#include "frame/memory_internal.h"

namespace {
HGLOBAL g_temp;
}  // namespace

HGLOBAL WINAPI Get_ghTempMemory() { return g_temp; }
HGLOBAL WINAPI Set_ghTempMemory(HGLOBAL handle) { return g_temp = handle; }

HGLOBAL WINAPI AddToGlobal_ghTempMemory(HWND window, LPCSTR text) {
    HGLOBAL h = AddToGlobalMemory(window, g_temp, text);
    if (h) g_temp = h;
    return h;
}

HGLOBAL WINAPI SaveToGlobal_ghTempMemory(HWND window, LPCSTR text) {
    HGLOBAL h = SaveToGlobalMemory(window, g_temp, text);
    if (h) g_temp = h;
    return h;
}

LPSTR WINAPI GlobalLock_ghTemp() { return g_temp ? static_cast<LPSTR>(GlobalLock(g_temp)) : nullptr; }
LONG WINAPI GlobalUnlock_ghTemp() { return g_temp ? GlobalUnlock(g_temp) : 0; }

namespace ferro {
void free_temp_block() {
    free_block(g_temp);
    g_temp = nullptr;
}
}  // namespace ferro
