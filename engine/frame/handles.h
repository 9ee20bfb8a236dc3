// Module handles: the library's own instance, the host's main window and instance.
#pragma once
#include <windows.h>

extern "C" {
HINSTANCE WINAPI SetDllInstance(HINSTANCE instance);
HINSTANCE WINAPI GetDllInstance();
// The host's main window: receives the close request after a memory failure and
// owns message boxes whose caller gives no window.
HWND WINAPI SethWndMain(HWND window);
HWND WINAPI GethWndMain();
// The host's instance: the instance of the windows that myCreateWindow creates.
HINSTANCE WINAPI SethInstMain(HINSTANCE instance);
HINSTANCE WINAPI GethInstMain();
}
