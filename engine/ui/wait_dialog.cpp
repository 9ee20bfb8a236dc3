// The wait window "OpenWait" of the message library: the item being
// processed, a running count and a Cancel button that sets the stop flag,
// which the operation reads at its next pump. The host registers the
// callbacks that open and close it and that receive each item.
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include "ferromes.h"
#include "frame/message_box.h"
#include "frame/message_pump.h"
#include "frame/paths.h"
#include "frame/text_internal.h"
#include "ui/drawing.h"
#include "ui/wait.h"

namespace {
constexpr int kNameLine = 2580;
constexpr int kCountLine = 2587;
constexpr int kCancelAlias = 91;  // a second Cancel identifier of older hosts

// "SetWaitingTitle でﾀｲﾄﾙを設定してください。"
constexpr char kNoTitle[] =
    "SetWaitingTitle \x82\xc5\xc0\xb2\xc4\xd9\x82\xf0\x90\xdd\x92\xe8\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3"
    "\x82\xa2\x81\x42";

struct WaitState {
    HWND window = nullptr;
    bool shown = false;
    char title[ferro::text::kPathSize] = "";
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    CreateWaitCallback create = nullptr;
    DestroyWaitCallback destroy = nullptr;
    CountingCallback counting = nullptr;
};
WaitState g;

INT_PTR CALLBACK wait_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        cwCenter(dialog, GetWindow(dialog, GW_OWNER));
        SetWindowTextA(dialog, g.title[0] ? g.title : kNoTitle);
        SetStopExecutingFlag(0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wparam) == IDCANCEL || LOWORD(wparam) == kCancelAlias) {
            SetStopExecutingFlag(-1);
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<INT_PTR>(g.brush);
    }
    return FALSE;
}

// The controls' font: the system's message font.
HFONT make_font() {
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return nullptr;
    return CreateFontIndirectA(&metrics.lfMessageFont);
}

void release_objects() {
    if (g.brush) DeleteObject(g.brush);
    if (g.font) DeleteObject(g.font);
    g.brush = nullptr;
    g.font = nullptr;
}
}  // namespace

LONG WINAPI SetWaitingTitle(LPCSTR title) {
    return title && ferro::text::copy_bounded(g.title, title) ? 1 : 0;
}

HWND WINAPI CreateWaitDialog(HWND owner) {
    if (g.window && IsWindow(g.window)) return g.window;
    g.brush = CreateSolidBrush(GetSysColor(COLOR_3DFACE));
    g.font = make_font();
    HWND window = CreateDialogParamA(GetSysDlgInstance(), "OPENWAIT", owner, wait_procedure, 0);
    if (!window) {
        release_objects();
        return nullptr;
    }
    if (g.font)
        for (int id : {kNameLine, kCountLine, IDCANCEL})
            SendDlgItemMessageA(window, id, WM_SETFONT, reinterpret_cast<WPARAM>(g.font), FALSE);
    g.window = window;
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    SetDisableBoxBeforeMessageBox(ShowTitleDll, HideTitleDll);
    g.shown = true;
    return window;
}

LONG WINAPI DestroyWaitDialog() {
    if (!g.window) return 0;
    g.shown = false;
    HWND window = g.window;
    g.window = nullptr;
    if (IsWindow(window)) DestroyWindow(window);
    release_objects();
    return 1;
}

LONG WINAPI DisplayMessageInWaitDialog(LPCSTR line1, LPCSTR line2) {
    if (!g.shown || !g.window) return 0;
    if (line1) SetDlgItemTextA(g.window, kNameLine, line1);
    if (line2) SetDlgItemTextA(g.window, kCountLine, line2);
    return 1;
}

LONG WINAPI SendCountingNumbers(LPCSTR name, LONG done, LONG total) {
    if (!g.window) return 0;
    if (name) {
        const char* yen = ferro::mbcs::find_last(name, '\\');
        SetDlgItemTextA(g.window, kNameLine, yen ? yen + 1 : name);
    }
    char count[32] = "";
    int n = done >= 0 ? std::snprintf(count, sizeof count, "%ld", static_cast<long>(done)) : 0;
    if (total > 0) std::snprintf(count + n, sizeof count - n, "/%ld", static_cast<long>(total));
    if (count[0]) SetDlgItemTextA(g.window, kCountLine, count);
    return 1;
}

void WINAPI HideTitleDll() {
    if (g.window && IsWindowVisible(g.window)) ShowWindow(g.window, SW_HIDE);
}

void WINAPI ShowTitleDll() {
    if (g.window && g.shown && !IsWindowVisible(g.window)) ShowWindow(g.window, SW_SHOWNA);
}

CreateWaitCallback WINAPI CreateWaitDialogAPI(CreateWaitCallback callback) {
    if (!g.create) g.create = callback;
    return g.create;
}
DestroyWaitCallback WINAPI DestroyWaitDialogAPI(DestroyWaitCallback callback) {
    if (!g.destroy) g.destroy = callback;
    return g.destroy;
}
CountingCallback WINAPI SendCountingNumbersAPI(CountingCallback callback) {
    if (!g.counting) g.counting = callback;
    return g.counting;
}

namespace ferro::ui {
void send_counting(const char* name, LONG done, LONG total) {
    if (g.counting) g.counting(name, done, total);
}
HWND create_wait_through_host(HWND owner) { return g.create ? g.create(owner) : nullptr; }
void destroy_wait_through_host() {
    if (g.destroy) g.destroy();
}
}  // namespace ferro::ui
