// Inside the user-interface support: what its files share. Not exported.
#pragma once
#include <windows.h>

namespace ferro::ui {
// ---- The function keys (function_keys.cpp)
inline constexpr int kFunctionKeys = 12;
void reset_function_keys();
// Gives slot `slot` the key numbered `key` (0 to 11).
void assign_function_key(int slot, int key);
}  // namespace ferro::ui
