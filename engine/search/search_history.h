// The histories of the search dialogs: lists of NUL-separated texts ended by
// an empty one, newest first, kept in memory tags (not exported).
#pragma once
#include <windows.h>
#include "frame/memory_blocks.h"

namespace ferro::search {
inline constexpr int kHistoryLimit = 20;
// Puts `text` at the top (an equal entry moves up; the oldest beyond the limit
// goes). False for an empty text or when the list could not be stored.
bool history_add(MemoryTag& tag, const char* text);
// The list ("" then the end mark when there is none).
const char* history_list(const MemoryTag& tag);
// Fills a combo box with the entries; returns how many.
int history_fill(HWND combo, const MemoryTag& tag);
}  // namespace ferro::search
