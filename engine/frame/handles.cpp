#include "frame/handles.h"

namespace {
HINSTANCE g_dll_instance;
HWND g_main_window;
HINSTANCE g_main_instance;
}  // namespace

HINSTANCE WINAPI SetDllInstance(HINSTANCE instance) { return g_dll_instance = instance; }
HINSTANCE WINAPI GetDllInstance() { return g_dll_instance; }
HWND WINAPI SethWndMain(HWND window) { return g_main_window = window; }
HWND WINAPI GethWndMain() { return g_main_window; }
HINSTANCE WINAPI SethInstMain(HINSTANCE instance) { return g_main_instance = instance; }
HINSTANCE WINAPI GethInstMain() { return g_main_instance; }
