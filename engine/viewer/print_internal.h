// The printer of a print run (not exported).
#pragma once
#include <windows.h>

namespace ferro::viewer {
// The copies of the kept printer (1 when it says none).
LONG kept_copies();
// A device context of the kept printer (the default one when none is kept)
// set to one copy: the run makes the copies itself. Null when there is none.
HDC printer_dc_single_copy();
// The printer dialog; the choice is kept. Null when cancelled.
HDC printer_dc_from_dialog(HWND owner, LONG* copies);
}  // namespace ferro::viewer
