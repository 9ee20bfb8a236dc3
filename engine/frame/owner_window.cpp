#include "frame/owner_window.h"
#include "frame/handles.h"

HWND WINAPI GetValidWindowsHandle(HWND window) {
    if (window) return window;
    if (HWND main = GethWndMain()) return main;
    return GetDesktopWindow();
}

HWND WINAPI myCreateWindow(DWORD exStyle, LPCSTR className, HWND parent, DWORD style, HMENU menu, LPCSTR title,
                           const RECT* rect) {
    if (!rect) return nullptr;
    return CreateWindowExA(exStyle, className, title, style, rect->left, rect->top, rect->right - rect->left,
                           rect->bottom - rect->top, parent, menu, GethInstMain(), nullptr);
}
