// The copy progress box. The part of the control that stands for the bytes
// done is filled with a strong colour and the text drawn over it in inverse
// colours; the rest stays white with black text. One continuous line of text
// runs across both parts (it is always drawn from the same point, clipped).
#include "progress/progress_box.h"
#include <cstdio>
#include <cstring>
#include "frame/dialog_items.h"
#include "frame/mbcs.h"
#include "frame/message_pump.h"
#include "frame/text.h"
#include "internet/internet.h"
#include "programs/processes.h"
#include "ui/drawing.h"

namespace {
constexpr UINT kProgressMessage = WM_USER + 10;
constexpr std::size_t kTextSize = 260;
constexpr int kTextX = 5, kTextY = 1;
constexpr DWORD kStatusPauseMs = 50;
constexpr int kMostPumped = 64;

constexpr COLORREF kBlack = 0x000000, kWhite = 0xFFFFFF;
struct Colours {
    COLORREF bar, text;
};
constexpr Colours kNormal = {0xFF0000, 0xFFFFFF};
constexpr Colours kAlreadyThere = {0xFFFF00, 0xFF0000};
constexpr Colours kFailed = {0x0000FF, 0x00FFFF};

// skip states
constexpr LONG kExists = 1, kDownloadFailed = 2, kNotFound = 4, kCancelling = 16;

constexpr char kExistsLabel[] = "\x8a\xf9\x82\xc9\x82\xa0\x82\xe8\x82\xdc\x82\xb7";        // 既にあります
constexpr char kNotFoundLabel[] = "\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1";  // 見つかりません
constexpr char kFailedLabel[] = " \xc0\xde\xb3\xdd\xdb\xb0\xc4\xde\x8e\xb8\x94s";          //  ﾀﾞｳﾝﾛｰﾄﾞ失敗
constexpr char kCancellingLabel[] = "\xb7\xac\xdd\xbe\xd9\x92\x86\x81\x63";                 // ｷｬﾝｾﾙ中…

struct Box {
    RECT box = {};
    RECT painted = {};
    ULONGLONG total = 0, copied = 0;
    ULONGLONG saved_total = 0, saved_copied = 0;
    LONG skip = 0;
    bool running = false;
    char text[kTextSize] = {};
    bool subclassed = false;
    HWND control = nullptr;
    WNDPROC previous = nullptr;
    HWND status = nullptr;
    ProgressTextFunction previous_callback = nullptr;
} g;

void reset_counts() { g.total = g.copied = 0; }

void set_box_rect(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    g.box = {0, 0, r.right - r.left - 1, r.bottom - r.top - 1};
}

// ---- Drawing ------------------------------------------------------------------
void draw_text(HDC dc, const RECT& rect, COLORREF text, COLORREF back) {
    if (rect.right <= rect.left) return;
    if (!g.text[0]) {
        const HBRUSH brush = CreateSolidBrush(back);
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
        return;
    }
    const COLORREF old_text = SetTextColor(dc, text);
    const COLORREF old_back = SetBkColor(dc, back);
    ExtTextOutA(dc, kTextX, kTextY, ETO_OPAQUE | ETO_CLIPPED, &rect, g.text, static_cast<UINT>(std::strlen(g.text)),
                nullptr);
    if (IsColorValid(old_text)) SetTextColor(dc, old_text);
    if (IsColorValid(old_back)) SetBkColor(dc, old_back);
}

LONG bar_right() {
    double ratio = 0.0;
    if (g.skip == kNotFound || g.skip == kCancelling) ratio = 1.0;
    else if (g.copied != 0 && g.total != 0) ratio = static_cast<double>(g.copied) / static_cast<double>(g.total);
    if (ratio > 1.0) ratio = 1.0;  // more bytes than announced never draw past the box
    return GetIntegerFromDouble(static_cast<double>(g.box.right) * ratio);
}

void paint(HDC dc, bool full) {
    const HWND control = g.control;
    const HFONT font = control ? reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)) : nullptr;
    const HGDIOBJ old_font = font ? SelectObject(dc, font) : nullptr;
    if (!g.running) {
        draw_text(dc, g.box, kBlack, kWhite);
    } else {
        RECT bar = g.box;
        bar.right = bar_right();
        if (bar.right <= bar.left) {
            SetRectEmpty(&g.painted);
        } else {
            const Colours& c = g.skip == 0 ? kNormal : (g.skip & kExists) ? kAlreadyThere : kFailed;
            RECT fill = bar;
            if (!full && !IsRectEmpty(&g.painted) && g.painted.right < bar.right) fill.left = g.painted.right;
            if (fill.left < fill.right) {
                const HBRUSH brush = CreateSolidBrush(c.bar);
                FillRect(dc, &fill, brush);
                DeleteObject(brush);
                draw_text(dc, fill, c.text, c.bar);
            }
            g.painted = bar;
        }
        if (bar.right < g.box.right) {
            RECT rest = g.box;
            rest.left = bar.right > rest.left ? bar.right : rest.left;
            draw_text(dc, rest, kBlack, kWhite);
        }
        SetBkMode(dc, OPAQUE);
    }
    if (old_font) SelectObject(dc, old_font);
}

void paint_increment() {
    if (!g.control) return;
    const HDC dc = GetDC(g.control);
    if (!dc) return;
    paint(dc, false);
    ReleaseDC(g.control, dc);
}

void pump() {
    for (int i = 0; i < kMostPumped && TrapMessage(); ++i) {
    }
}

// The label, a blank and the former text (cut so that the whole fits).
void add_label(const char* label, LPARAM lParam) {
    char former[kTextSize];
    std::strcpy(former, g.text);
    if (!former[0]) {
        lstrcpynA(g.text, label, sizeof g.text);
    } else {
        const std::size_t n = std::strlen(label);
        std::memcpy(g.text, label, n);
        g.text[n] = ' ';
        std::size_t room = sizeof g.text - n - 2, keep = std::strlen(former);
        if (keep > room) keep = room > 0 && ferro::mbcs::lead_at(former, room - 1) ? room - 1 : room;
        std::memcpy(g.text + n + 1, former, keep);
        g.text[n + 1 + keep] = '\0';
    }
    if (lParam) g.copied = static_cast<ULONGLONG>(static_cast<DWORD>(lParam));
    SetRectEmpty(&g.painted);
    paint_increment();
    pump();
}

void show_status(WPARAM code, LPARAM lParam) {
    if (!g.status) return;
    const char* text = OnReceiveIDownLoadInterNetfileMessage(g.control, kProgressMessage, code, lParam);
    if (!text || !*text) return;
    SetWindowTextA(g.status, text);
    InvalidateRect(g.status, nullptr, TRUE);
    UpdateWindow(g.status);
    Sleep(kStatusPauseMs);
}

LRESULT on_progress(WPARAM code, LPARAM lParam) {
    switch (code) {
    case 0:
        g.running = true;
        SetRectEmpty(&g.painted);
        if (lParam) g.total = static_cast<DWORD>(lParam);
        g.copied = 0;
        g.skip = 0;
        break;
    case 1:
        g.copied = static_cast<DWORD>(lParam);
        paint_increment();
        pump();
        break;
    case 2:
        g.skip |= kExists;
        g.running = true;
        add_label(kExistsLabel, lParam);
        break;
    case 3:
        g.running = true;
        g.skip = kNotFound;
        add_label(kNotFoundLabel, lParam);
        break;
    case 4:
        g.skip = kDownloadFailed;
        g.running = true;
        add_label(kFailedLabel, lParam);
        break;
    case 25:
        g.skip = kCancelling;
        g.text[0] = '\0';
        g.running = true;
        add_label(kCancellingLabel, lParam);
        break;
    case 12:
        if (g.status) SetWindowTextA(g.status, " ");
        break;
    case 18:
    case 20:
        if (g.control)
            if (const HDC dc = GetDC(g.control)) {
                draw_text(dc, g.box, kBlack, kWhite);
                ReleaseDC(g.control, dc);
            }
        break;
    default:
        show_status(code, lParam);
        break;
    }
    return 0;
}

LRESULT CALLBACK box_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC previous = g.previous;
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(window, &ps);
        if (dc) paint(dc, true);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        EraseBkgrd(window, reinterpret_cast<HDC>(wParam), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)), &g.box);
        return 1;
    case kProgressMessage:
        return on_progress(wParam, lParam);
    case WM_NCDESTROY:
        // A dialog closed without ending the box: the box ends with it.
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        g.subclassed = false;
        g.running = false;
        g.control = nullptr;
        g.status = nullptr;
        break;
    default:
        break;
    }
    return CallWindowProcA(previous, window, message, wParam, lParam);
}
}  // namespace

LONG WINAPI GetCopyRightRect(HWND dialog, int itemId) {
    const HWND control = myGetDlgItem(dialog, itemId);
    if (!control) return 0;
    set_box_rect(control);
    return 1;
}

LONG WINAPI UpdateCopyRightMessage(HWND window, LONG) { return UpdateSpecifiedWindows(window); }

LONG WINAPI StartEditboxSubClassCopyRightDlg(HWND dialog, int itemId, HWND statusWindow) {
    g.running = false;
    reset_counts();
    g.status = statusWindow;
    if (g.subclassed) return 2;
    const HWND control = myGetDlgItem(dialog, itemId);
    if (!control || control == dialog) return 0;
    set_box_rect(control);
    SetRectEmpty(&g.painted);
    g.control = control;
    g.previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(box_procedure)));
    g.subclassed = true;
    g.previous_callback = SetGetCopiedFile(GetCopiedFile);
    return 1;
}

LONG WINAPI EndEditboxSubClassCopyRightDlg(HWND dialog, int itemId) {
    g.status = nullptr;
    LONG ended = 0;
    if (g.subclassed && dialog) {
        reset_counts();
        const HWND control = g.control ? g.control : myGetDlgItem(dialog, itemId);
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g.previous));
        g.subclassed = false;
        g.control = nullptr;
        // Downloads go back to the callback they had (this library may be
        // unloaded after the box is gone).
        const ProgressTextFunction ours = SetGetCopiedFile(g.previous_callback);
        if (ours != GetCopiedFile) SetGetCopiedFile(ours);
        InvalidateRect(control, nullptr, TRUE);
        UpdateWindow(control);
        pump();
        ended = 1;
    }
    g.running = false;
    return ended;
}

LONG WINAPI SetCopySkipped(LONG state) { return g.skip = state; }

LONG WINAPI ResetCopiedSize() {
    reset_counts();
    return 1;
}

LONG WINAPI SaveCopiedSize() {
    g.saved_total = g.total;
    g.saved_copied = g.copied;
    return 1;
}

LONG WINAPI GetCopiedFile(LPCSTR text, LONG index, LONG count) {
    g.text[0] = '\0';
    if (text && *text) {
        char whole[kTextSize + 32];
        if (count != 0)
            std::snprintf(whole, sizeof whole, "%.*s (%ld/%ld)", static_cast<int>(kTextSize), text,
                          static_cast<long>(index), static_cast<long>(count));
        else
            std::snprintf(whole, sizeof whole, "%.*s", static_cast<int>(kTextSize), text);
        std::size_t n = std::strlen(whole);
        if (n > kTextSize - 1) n = ferro::mbcs::lead_at(whole, kTextSize - 2) ? kTextSize - 2 : kTextSize - 1;
        std::memcpy(g.text, whole, n);
        g.text[n] = '\0';
    }
    if (g.control) InvalidateRect(g.control, nullptr, FALSE);
    return 1;
}

LONG WINAPI DrawEntireCopyingRateBoxByBackGroundColor(HWND window, COLORREF colour) {
    if (!window) return 0;
    const HDC dc = GetDC(window);
    if (!dc) return 0;
    const HBRUSH brush = CreateSolidBrush(colour);
    const HGDIOBJ old = SelectObject(dc, brush);
    PatBlt(dc, g.box.left, g.box.top, g.box.right - g.box.left, g.box.bottom - g.box.top, PATCOPY);
    SelectObject(dc, old);
    DeleteObject(brush);
    ReleaseDC(window, dc);
    return 1;
}
