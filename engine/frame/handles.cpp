#include "frame/handles.h"

namespace {
HINSTANCE g_dll_instance;
}

HINSTANCE WINAPI SetDllInstance(HINSTANCE instance) { return g_dll_instance = instance; }
HINSTANCE WINAPI GetDllInstance() { return g_dll_instance; }
