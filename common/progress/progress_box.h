// The copy progress box: one static control of a dialog drawn as a bar with
// a line of text on it, driven by the progress codes of downloads (message
// 1034) and by these functions. Built into both ferro32 and update, each with
// its own state: a caller uses the functions of one library for one box.
#pragma once
#include <windows.h>

extern "C" {
// The box rectangle (0, 0, width - 1, height - 1) from control `itemId`. 1 when
// the control exists.
LONG WINAPI GetCopyRightRect(HWND dialog, int itemId);
// Forwards to UpdateSpecifiedWindows: the window and its children are updated.
LONG WINAPI UpdateCopyRightMessage(HWND window, LONG flag);
// Makes control `itemId` the box (its window procedure replaced) and this
// library's GetCopiedFile the default progress-text callback of downloads;
// `statusWindow` (may be null) gets the status texts. A second start while
// the box is active only resets the counts and the status window (2).
// Returns 1, or 0 when the control does not exist.
LONG WINAPI StartEditboxSubClassCopyRightDlg(HWND dialog, int itemId, HWND statusWindow);
// Gives the control its own procedure back, repaints it and restores the
// previous progress-text callback. Returns 1 when a box was active.
LONG WINAPI EndEditboxSubClassCopyRightDlg(HWND dialog, int itemId);
// 0 normal; bit 0 the file already exists; 2 download failed; 4 not found; 16 cancelling.
LONG WINAPI SetCopySkipped(LONG state);
LONG WINAPI ResetCopiedSize();
LONG WINAPI SaveCopiedSize();
// The box's text: `text` with " (index/count)" when count is not 0, cut to 259
// bytes at a whole character. Returns 1.
LONG WINAPI GetCopiedFile(LPCSTR text, LONG index, LONG count);
// Fills the whole box rectangle of `window` with `colour`.
LONG WINAPI DrawEntireCopyingRateBoxByBackGroundColor(HWND window, COLORREF colour);
}
