// Owner windows of message boxes and the windows the library creates.
#pragma once
#include <windows.h>

extern "C" {
// The given window if non-zero, else the host's main window if set, else the
// desktop window.
HWND WINAPI GetValidWindowsHandle(HWND window);
// CreateWindowEx with the host instance, the position from the rectangle's left
// and top and the size from its width and height. A null rectangle creates
// nothing (0).
HWND WINAPI myCreateWindow(DWORD exStyle, LPCSTR className, HWND parent, DWORD style, HMENU menu, LPCSTR title,
                           const RECT* rect);
}
