// The arrow and hourglass cursors of the host, and the swap cursor that
// replaces both while an operation shows its own cursor.
#pragma once
#include <windows.h>

extern "C" {
// A zero cursor loads the system's arrow (IDC_ARROW) or wait (IDC_WAIT) cursor.
HCURSOR WINAPI SetArrowCursor(HCURSOR cursor);
HCURSOR WINAPI GetArrowCursor();
HCURSOR WINAPI SetHourGlassCursor(HCURSOR cursor);
HCURSOR WINAPI GetHourGlassCursor();
// SetCursor with the swap cursor while a swap is active, else with the arrow
// or hourglass cursor (the system's when none was set). Return the cursor put.
HCURSOR WINAPI PutArrowCursor();
HCURSOR WINAPI PutHourGlassCursor();
// The first swap shows `cursor` and saves the cursor that was current; later
// swaps only replace the swap cursor. Then puts the hourglass (now the swap
// cursor). Returns the saved cursor. A zero cursor changes no swap.
HCURSOR WINAPI SwapCursors(HCURSOR cursor);
// Ends a swap: shows the saved cursor again and clears both, then puts the
// hourglass cursor. Returns the cursor put.
HCURSOR WINAPI EndSwapCursors();
LONG WINAPI IsCursorSwapped();
}
