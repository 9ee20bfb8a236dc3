#include "frame/cursors.h"

namespace {
HCURSOR g_arrow;
HCURSOR g_hourglass;
HCURSOR g_swap;   // replaces both while set
HCURSOR g_saved;  // the cursor current before the first swap

HCURSOR system_cursor(LPCSTR id) { return LoadCursorA(nullptr, id); }
HCURSOR put(HCURSOR own, LPCSTR system_id) {
    HCURSOR cursor = g_swap ? g_swap : own ? own : system_cursor(system_id);
    SetCursor(cursor);
    return cursor;
}
}  // namespace

HCURSOR WINAPI SetArrowCursor(HCURSOR cursor) { return g_arrow = cursor ? cursor : system_cursor(IDC_ARROW); }
HCURSOR WINAPI GetArrowCursor() { return g_arrow; }
HCURSOR WINAPI SetHourGlassCursor(HCURSOR cursor) { return g_hourglass = cursor ? cursor : system_cursor(IDC_WAIT); }
HCURSOR WINAPI GetHourGlassCursor() { return g_hourglass; }
HCURSOR WINAPI PutArrowCursor() { return put(g_arrow, IDC_ARROW); }
HCURSOR WINAPI PutHourGlassCursor() { return put(g_hourglass, IDC_WAIT); }

HCURSOR WINAPI SwapCursors(HCURSOR cursor) {
    if (!cursor) {  // nothing to show: the swap stays as it is
        PutHourGlassCursor();
        return g_saved;
    }
    if (!g_swap) g_saved = SetCursor(cursor);
    g_swap = cursor;
    PutHourGlassCursor();
    return g_saved;
}

HCURSOR WINAPI EndSwapCursors() {
    if (g_swap) {
        SetCursor(g_saved);
        g_swap = g_saved = nullptr;
    }
    return PutHourGlassCursor();
}

LONG WINAPI IsCursorSwapped() { return g_swap != nullptr; }
