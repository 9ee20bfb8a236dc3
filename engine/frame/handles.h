// Module handles: the library's own instance, the host's main window and instance.
#pragma once
#include <windows.h>

extern "C" {
HINSTANCE WINAPI SetDllInstance(HINSTANCE instance);
HINSTANCE WINAPI GetDllInstance();
}
