// Small helpers for the controls of a dialog and for colours, shared by the
// library's dialogs and the progress box.
#pragma once
#include <windows.h>

extern "C" {
// The control `id` of `dialog`, or the dialog itself for id 0; null for a
// null dialog or a missing control.
HWND WINAPI myGetDlgItem(HWND dialog, int id);
// Enables or disables that control (or the dialog for id 0). 1 when it exists.
BOOL WINAPI myEnableWindow(HWND dialog, int id, BOOL enable);
// Whether a colour read back from a device context is one (CLR_INVALID is not).
BOOL WINAPI IsColorValid(COLORREF colour);
}
