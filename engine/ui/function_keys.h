// Exports of the function-key order: which physical key (F1 to F12) stands
// for each of the host's twelve command slots, kept in the profile as the
// text "Order" (the keys' numbers from 1, separated by commas), and the
// dialog in which the user changes it.
#pragma once
#include <windows.h>

extern "C" {
// The virtual-key code / the 0-based key number of slot 0 to 11 (0 / -1 for others).
LONG WINAPI GetFunctionKeycode(LONG slot);
LONG WINAPI GetFunctionCurrentOrder(LONG slot);
LONG WINAPI SetFunctionKeyOrderAlwaysAltered(LONG flag);
// 1 when forced, or when a slot's key differs from the one read from the profile.
LONG WINAPI IsFunctionKeyOrderAltered();
// Reads "Order" from the section open for reading and applies it; an empty,
// absent or damaged text (a 0, a number above 12, more than twelve entries)
// gives the keys in their order. Returns the last key code stored, or 12
// when the defaults were applied.
LONG WINAPI ReadFuncKeyString(LONG reserved);
// Writes "Order" below hive\section (SetStrInRegistry) unless the keys are
// in their order (then 1 without writing).
LONG WINAPI SetFunctionStrings(HKEY hive, LPCSTR section);
// The dialog "OpenFunkKey" of the library: 1 OK (the order taken), 0
// cancelled, -1 when it could not be shown.
INT_PTR WINAPI OpenFunkKeyDialog(HWND owner, LPARAM reserved);

// Runs a modal dialog from `instance` (the host's when 0), with the box
// 8101 when it cannot be made; repaints the owner and gives the focus back
// to the window that had it. The dialog's result (-1 when not made).
INT_PTR WINAPI DisplayBox(HWND owner, DLGPROC procedure, LPCSTR dialogTemplate, HINSTANCE instance);
}
