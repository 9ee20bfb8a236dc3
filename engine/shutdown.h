// Release of the memory the library holds.
#pragma once
#include <windows.h>

extern "C" {
// Frees the blocks of the listing, selection, history and search state and the
// temporary block, and zeroes their handles. Returns 1.
LONG WINAPI FreeGlobalHandleInDll();
// Releases what every part of the library holds; the host calls it once
// before it unloads the library. Returns 1.
LONG WINAPI FreeAllAllocateMemoryInDll();
}
