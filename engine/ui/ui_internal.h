// Inside the user-interface support: what its files share. Not exported.
#pragma once
#include <windows.h>

namespace ferro::ui {
// Centres a dialog on its owner (on the screen without one).
void center_on_owner(HWND dialog);
// Opens the product's help at a context number.
void open_help(HWND owner, DWORD context);

// ---- The function keys (function_keys.cpp)
inline constexpr int kFunctionKeys = 12;
void reset_function_keys();
// Gives slot `slot` the key numbered `key` (0 to 11).
void assign_function_key(int slot, int key);
}  // namespace ferro::ui
