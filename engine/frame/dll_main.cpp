#include "frame/handles.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    SetDllInstance(instance);
    return TRUE;
}
