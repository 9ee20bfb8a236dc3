// The message-box primitive, its guard and hooks, and the load-by-number boxes.
#include "frame/message_box.h"
#include "ferromes.h"
#include "frame/cursors.h"
#include "frame/owner_window.h"

namespace {
LONG g_box_active;
LONG g_title_dialog_suppressed;
BoxHook g_show_hook;
BoxHook g_hide_hook;

// The answer of a box that was not shown: no for the button sets with bit 0x4,
// cancel for all others.
int refused_answer(UINT style) { return (style & 0x4) ? IDNO : IDCANCEL; }

// Shows a box with the arrow cursor and the box-active flag set, then puts
// back the cursor and the flag as they were (a box opened while the flag was
// already set leaves it set).
int show_with_arrow(HWND window, LPCSTR text, LPCSTR title, UINT style) {
    HCURSOR previous = GetCursor();
    PutArrowCursor();
    const LONG was_active = g_box_active;
    g_box_active = 1;
    int result = MessageBoxA(GetValidWindowsHandle(window), text ? text : "", title, style);
    g_box_active = was_active;
    SetCursor(previous);
    return result;
}

int load_and_show(HINSTANCE instance, HWND window, UINT messageId, UINT titleId, UINT style) {
    _MyLoadString(instance, messageId, titleId);
    // The box's own modal loop may run code that loads texts: show copies.
    char text[1040];
    char title[1040];
    lstrcpynA(text, GetLoadStrMessage(), sizeof text);
    lstrcpynA(title, GetLoadStrTitle(), sizeof title);
    return show_with_arrow(window, text, title, style);
}
}  // namespace

int WINAPI myMessageBox(HWND window, LPCSTR text, LPCSTR title, UINT style) {
    window = GetValidWindowsHandle(window);
    HideDll();
    if (g_box_active) return refused_answer(style);
    HCURSOR previous = GetCursor();
    PutArrowCursor();
    g_box_active = 1;
    int result = MessageBoxA(GetValidWindowsHandle(window), text ? text : "", title, style);
    g_box_active = 0;
    ShowDll();
    RepaintWindows(window);
    SetCursor(previous);
    return result;
}

int WINAPI _MessageBox(HWND window, LPCSTR text, LPCSTR title, UINT style) {
    return MessageBoxA(window, text, title, style);
}

int WINAPI MyLoadMessageBox(HWND window, UINT messageId, UINT titleId, UINT style) {
    return load_and_show(GetSysDlgInstance(), window, messageId, titleId, style);
}

int WINAPI _MyLoadMessageBox(HINSTANCE instance, HWND window, UINT messageId, UINT titleId, UINT style) {
    return load_and_show(instance, window, messageId, titleId, style);
}

int WINAPI myMessageBoxForLoadString(HWND window, UINT messageId, UINT titleId, UINT style) {
    HideDll();
    int result = MyLoadMessageBox(window, messageId, titleId, style);
    RepaintWindows(window);
    ShowDll();
    return result;
}

int WINAPI _myMessageBoxForLoadString(HINSTANCE instance, HWND window, UINT messageId, UINT titleId, UINT style) {
    HideDll();
    int result = _MyLoadMessageBox(instance, window, messageId, titleId, style);
    RepaintWindows(window);
    ShowDll();
    return result;
}

BOOL WINAPI BEEP(UINT style) {
    UINT sound = style;
    if (style & MB_ICONASTERISK)
        sound = MB_ICONASTERISK;
    else if ((style & MB_ICONEXCLAMATION) == MB_ICONEXCLAMATION)
        sound = MB_ICONEXCLAMATION;
    else if (style & MB_ICONHAND)
        sound = MB_ICONHAND;
    else if (style & MB_ICONQUESTION)
        sound = MB_ICONQUESTION;
    return MessageBeep(sound);
}

LONG WINAPI SetWaitForErrorMessge(LONG value) { return g_box_active = value; }
LONG WINAPI IsWaitForErrorMessge() { return g_box_active; }

BoxHook WINAPI SetDisableBoxBeforeMessageBox(BoxHook showHook, BoxHook hideHook) {
    g_hide_hook = hideHook;
    return g_show_hook = showHook;
}

LONG WINAPI DonotShowTitleDlg(LONG value) { return g_title_dialog_suppressed = value; }

LONG WINAPI HideDll() {
    if (!g_hide_hook) return 0;
    g_hide_hook();
    return 1;
}

LONG WINAPI ShowDll() {
    if (!g_show_hook || g_title_dialog_suppressed) return 0;
    g_show_hook();
    return 1;
}
