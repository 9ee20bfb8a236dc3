// The error report list belongs to the programs part; the layers below it
// note their failed items through this one function, which is defined where
// the list is kept.
#pragma once
#include <windows.h>

namespace ferro {
// Appends one entry to the error report list (SaveOutputFileMemoryHandle).
void note_in_report(HWND owner, const char* text, const char* source, const char* target, UINT headingId,
                    LONG errorCode);
}  // namespace ferro
