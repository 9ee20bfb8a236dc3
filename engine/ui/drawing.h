// Exports of the small drawing functions of dialogs and owner-drawn lists:
// placing a window, drawing bitmaps and icons centred on a control, lines,
// frames, background fills and clipping.
#pragma once
#include <windows.h>

extern "C" {
// Centres `window` on `owner` (on the work area when the owner is null or
// hidden), kept inside the work area. Horizontal only for cwHorizontalCenter.
BOOL WINAPI cwCenter(HWND window, HWND owner);
BOOL WINAPI cwHorizontalCenter(HWND window, HWND owner);
// The rectangle of `control` in the client coordinates of `window`.
BOOL WINAPI GetPositionInWindow(HWND window, HWND control, RECT* out);
// The bitmap's size in pixels (either out-argument may be null).
BOOL WINAPI GetBmpWidthAndHeight(HBITMAP bitmap, LONG* width, LONG* height);
// Copies the bitmap to (x, y) of the device context with raster operation `rop`.
BOOL WINAPI DrawBitmap(HDC dc, int x, int y, HBITMAP bitmap, DWORD rop);
// The bitmap, then the overlay over it; the overlay's top-left pixel colour is transparent.
BOOL WINAPI DrawCombinedBitmap(HDC dc, int x, int y, HBITMAP bitmap, HBITMAP overlay);
// A new bitmap holding `bitmap` scaled to width x height (the caller deletes it).
HBITMAP WINAPI ShrinkBitmap(HDC dc, HBITMAP bitmap, int width, int height);
// Draw an icon, a bitmap or a combined bitmap centred on control `id` of the dialog.
BOOL WINAPI MoveIconAtCenter(HWND dialog, HDC dc, int id, HICON icon);
BOOL WINAPI MoveBmpAtCenter(HWND dialog, HDC dc, int id, HBITMAP bitmap);
BOOL WINAPI MoveCombinedBmpAtCenter(HWND dialog, HDC dc, int id, HBITMAP bitmap, HBITMAP overlay);
// Draws `count` icons, each centred on its control. Returns the number drawn.
LONG WINAPI DrawIconsInDlg(HWND dialog, HDC dc, const int* ids, const HICON* icons, LONG count);
// Fills the rectangle (the window's client area for null) with the brush.
BOOL WINAPI EraseBkgrd(HWND window, HDC dc, HBRUSH brush, const RECT* rect);
// Colour answers of WM_CTLCOLOR*: the text and background colours set on the
// device context, the brush to paint with returned. SetDlgBoxColor and
// SetDlgBkGndColor use the dialog brush (Set_ghDlgBkBrush), SetBkGndColor the
// colour brush (Set_ghColBkBrush); the system's face brush when none is set.
HBRUSH WINAPI SetDlgBoxColor(HDC dc, COLORREF text);
HBRUSH WINAPI SetDlgBkGndColor(HDC dc);
HBRUSH WINAPI SetBkGndColor(HDC dc);
// Lines and frames with a pen (the current pen for null).
BOOL WINAPI DrawLine(HDC dc, int x1, int y1, int x2, int y2, HPEN pen);
BOOL WINAPI LineAtXY(HDC dc, int x, int y, int length, BOOL vertical, HPEN pen);
BOOL WINAPI DrawRect(HDC dc, const RECT* rect, HPEN pen);
// A raised frame: the light pen on the top and left edges, the dark pen on
// the bottom and right.
BOOL WINAPI RectangleByLines(HDC dc, const RECT* rect, HPEN light, HPEN dark);
// Invalidates the rectangle (all for null) and repaints at once.
BOOL WINAPI RedrawRect(HWND window, const RECT* rect);
// Drawing is clipped to the rectangle until DisableClipping.
BOOL WINAPI EnableClipping(HDC dc, const RECT* rect);
BOOL WINAPI DisableClipping(HDC dc);
}
