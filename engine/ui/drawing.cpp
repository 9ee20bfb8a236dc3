// Small drawing functions of dialogs: placing windows, bitmaps and icons
// centred on controls, lines and frames, fills and clipping.
#include <windows.h>
#include <algorithm>
#include "ui/colors.h"
#include "ui/drawing.h"

namespace {
RECT work_area_of(HWND window) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

BOOL center(HWND window, HWND owner, bool vertical) {
    if (!IsWindow(window)) return FALSE;
    RECT self, area = work_area_of(window), around = area;
    GetWindowRect(window, &self);
    if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &around);
    const int w = self.right - self.left, h = self.bottom - self.top;
    int x = around.left + (around.right - around.left - w) / 2;
    int y = vertical ? around.top + (around.bottom - around.top - h) / 2 : self.top;
    x = std::max(static_cast<int>(area.left), std::min(x, static_cast<int>(area.right) - w));
    y = std::max(static_cast<int>(area.top), std::min(y, static_cast<int>(area.bottom) - h));
    return SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The point that centres a w x h picture on control `id`.
bool centre_on(HWND dialog, int id, LONG w, LONG h, POINT& at) {
    RECT r;
    if (!GetPositionInWindow(dialog, GetDlgItem(dialog, id), &r)) return false;
    at = {r.left + (r.right - r.left - w) / 2, r.top + (r.bottom - r.top - h) / 2};
    return true;
}

HGDIOBJ select_pen(HDC dc, HPEN pen) { return pen ? SelectObject(dc, pen) : nullptr; }
void restore(HDC dc, HGDIOBJ old) {
    if (old) SelectObject(dc, old);
}
}  // namespace

BOOL WINAPI cwCenter(HWND window, HWND owner) { return center(window, owner, true); }
BOOL WINAPI cwHorizontalCenter(HWND window, HWND owner) { return center(window, owner, false); }

BOOL WINAPI GetPositionInWindow(HWND window, HWND control, RECT* out) {
    if (!out || !IsWindow(window) || !IsWindow(control)) return FALSE;
    GetWindowRect(control, out);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(out), 2);
    return TRUE;
}

BOOL WINAPI GetBmpWidthAndHeight(HBITMAP bitmap, LONG* width, LONG* height) {
    BITMAP info;
    if (!bitmap || GetObjectA(bitmap, sizeof info, &info) != sizeof info) return FALSE;
    if (width) *width = info.bmWidth;
    if (height) *height = info.bmHeight;
    return TRUE;
}

BOOL WINAPI DrawBitmap(HDC dc, int x, int y, HBITMAP bitmap, DWORD rop) {
    LONG w, h;
    if (!dc || !GetBmpWidthAndHeight(bitmap, &w, &h)) return FALSE;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const BOOL done = BitBlt(dc, x, y, w, h, memory, 0, 0, rop ? rop : SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    return done;
}

BOOL WINAPI DrawCombinedBitmap(HDC dc, int x, int y, HBITMAP bitmap, HBITMAP overlay) {
    if (!DrawBitmap(dc, x, y, bitmap, SRCCOPY)) return FALSE;
    LONG w, h;
    if (!GetBmpWidthAndHeight(overlay, &w, &h)) return TRUE;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, overlay);
    const BOOL done = GdiTransparentBlt(dc, x, y, w, h, memory, 0, 0, w, h, GetPixel(memory, 0, 0));
    SelectObject(memory, old);
    DeleteDC(memory);
    return done;
}

HBITMAP WINAPI ShrinkBitmap(HDC dc, HBITMAP bitmap, int width, int height) {
    LONG w, h;
    if (!dc || width <= 0 || height <= 0 || !GetBmpWidthAndHeight(bitmap, &w, &h)) return nullptr;
    HBITMAP result = CreateCompatibleBitmap(dc, width, height);
    if (!result) return nullptr;
    HDC from = CreateCompatibleDC(dc), to = CreateCompatibleDC(dc);
    HGDIOBJ old_from = SelectObject(from, bitmap), old_to = SelectObject(to, result);
    SetStretchBltMode(to, HALFTONE);
    StretchBlt(to, 0, 0, width, height, from, 0, 0, w, h, SRCCOPY);
    SelectObject(from, old_from);
    SelectObject(to, old_to);
    DeleteDC(from);
    DeleteDC(to);
    return result;
}

BOOL WINAPI MoveIconAtCenter(HWND dialog, HDC dc, int id, HICON icon) {
    POINT at;
    const int w = GetSystemMetrics(SM_CXICON), h = GetSystemMetrics(SM_CYICON);
    return icon && dc && centre_on(dialog, id, w, h, at) && DrawIcon(dc, at.x, at.y, icon);
}

BOOL WINAPI MoveBmpAtCenter(HWND dialog, HDC dc, int id, HBITMAP bitmap) {
    return MoveCombinedBmpAtCenter(dialog, dc, id, bitmap, nullptr);
}

BOOL WINAPI MoveCombinedBmpAtCenter(HWND dialog, HDC dc, int id, HBITMAP bitmap, HBITMAP overlay) {
    LONG w, h;
    POINT at;
    if (!GetBmpWidthAndHeight(bitmap, &w, &h) || !centre_on(dialog, id, w, h, at)) return FALSE;
    return DrawCombinedBitmap(dc, at.x, at.y, bitmap, overlay);
}

LONG WINAPI DrawIconsInDlg(HWND dialog, HDC dc, const int* ids, const HICON* icons, LONG count) {
    if (!ids || !icons) return 0;
    LONG drawn = 0;
    for (LONG i = 0; i < count; ++i) drawn += MoveIconAtCenter(dialog, dc, ids[i], icons[i]) ? 1 : 0;
    return drawn;
}

BOOL WINAPI EraseBkgrd(HWND window, HDC dc, HBRUSH brush, const RECT* rect) {
    RECT r;
    if (rect) r = *rect;
    else if (!GetClientRect(window, &r)) return FALSE;
    return dc && brush && FillRect(dc, &r, brush);
}

HBRUSH WINAPI SetDlgBoxColor(HDC dc, COLORREF text) {
    SetTextColor(dc, text);
    return SetDlgBkGndColor(dc);
}

HBRUSH WINAPI SetDlgBkGndColor(HDC dc) {
    HBRUSH brush = ferro::ui::dialog_brush();
    LOGBRUSH info;
    SetBkColor(dc, brush && GetObjectA(brush, sizeof info, &info) ? info.lbColor : GetSysColor(COLOR_3DFACE));
    return brush ? brush : GetSysColorBrush(COLOR_3DFACE);
}

HBRUSH WINAPI SetBkGndColor(HDC dc) {
    HBRUSH brush = ferro::ui::colour_brush();
    LOGBRUSH info;
    SetBkColor(dc, brush && GetObjectA(brush, sizeof info, &info) ? info.lbColor : GetSysColor(COLOR_3DFACE));
    return brush ? brush : GetSysColorBrush(COLOR_3DFACE);
}

BOOL WINAPI DrawLine(HDC dc, int x1, int y1, int x2, int y2, HPEN pen) {
    if (!dc) return FALSE;
    HGDIOBJ old = select_pen(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    const BOOL done = LineTo(dc, x2, y2);
    restore(dc, old);
    return done;
}

BOOL WINAPI LineAtXY(HDC dc, int x, int y, int length, BOOL vertical, HPEN pen) {
    return vertical ? DrawLine(dc, x, y, x, y + length, pen) : DrawLine(dc, x, y, x + length, y, pen);
}

BOOL WINAPI DrawRect(HDC dc, const RECT* r, HPEN pen) {
    return r && RectangleByLines(dc, r, pen, pen);
}

BOOL WINAPI RectangleByLines(HDC dc, const RECT* r, HPEN light, HPEN dark) {
    if (!dc || !r) return FALSE;
    const int right = r->right - 1, bottom = r->bottom - 1;
    DrawLine(dc, r->left, bottom, r->left, r->top, light);
    DrawLine(dc, r->left, r->top, right, r->top, light);
    DrawLine(dc, right, r->top, right, bottom, dark);
    DrawLine(dc, right, bottom, r->left - 1, bottom, dark);
    return TRUE;
}

BOOL WINAPI RedrawRect(HWND window, const RECT* rect) {
    return IsWindow(window) && RedrawWindow(window, rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

BOOL WINAPI EnableClipping(HDC dc, const RECT* r) {
    if (!dc || !r) return FALSE;
    SelectClipRgn(dc, nullptr);
    return IntersectClipRect(dc, r->left, r->top, r->right, r->bottom) != ERROR;
}

BOOL WINAPI DisableClipping(HDC dc) { return dc && SelectClipRgn(dc, nullptr) != ERROR; }
