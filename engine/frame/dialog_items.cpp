#include "frame/dialog_items.h"

HWND WINAPI myGetDlgItem(HWND dialog, int id) {
    if (!dialog) return nullptr;
    return id == 0 ? dialog : GetDlgItem(dialog, id);
}

BOOL WINAPI myEnableWindow(HWND dialog, int id, BOOL enable) {
    const HWND control = myGetDlgItem(dialog, id);
    if (!control || !IsWindow(control)) return FALSE;
    EnableWindow(control, enable);
    return TRUE;
}

BOOL WINAPI IsColorValid(COLORREF colour) { return colour != CLR_INVALID; }
