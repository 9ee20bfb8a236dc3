// Exports of the owner-drawn drive list: the host passes its WM_MEASUREITEM
// and WM_DRAWITEM messages on; items of the selected controls are drawn as
// drives (item data: the drive's list index) in the colours of the pane.
#pragma once
#include <windows.h>

extern "C" {
// The two controls (identifiers) and the control type (ODT_LISTBOX or
// ODT_COMBOBOX; 0 counts as a list box) whose items are drives; small or
// large drive bitmaps; an overlay drawn over the current drive's bitmap (or null).
LONG WINAPI SetDrawItemParam(LONG controlId1, LONG controlId2, LONG ctlType, LONG smallBitmaps, HBITMAP overlay);
// Makes the item at least as high as the bitmap and the text and computes
// the offsets that centre both (half the spare height, rounded up). 1 when
// the control is one of the drive lists.
LONG WINAPI wmMeasureItem(HWND window, UINT id, MEASUREITEMSTRUCT* measure);
// Draws one drive item: the background and text colours of the pane's set
// (pane selector: 2 source, 4 target, else the third list), the bitmap
// (combined with the overlay for the drive of the pane's current folder),
// the name (one letter with short drive names), then the selection
// (inverted) and the focus rectangle. 1 when the control is one of the drive lists.
LONG WINAPI wmDrawItem(HWND window, UINT id, const DRAWITEMSTRUCT* draw, LONG pane);
// Frees the text block of the drawing. Returns 1 when there was one.
LONG WINAPI FreeGlobalHandleInDrawItem();
}
