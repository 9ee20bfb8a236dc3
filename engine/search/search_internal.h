// What the search conditions share with the wildcard walk (not exported).
#pragma once
#include <windows.h>

namespace ferro::search {
// The attributes of the walk's attribute-change mode.
DWORD change_attributes();
// Frees the name text and the found-files list (at unload).
void free_search_state();
}  // namespace ferro::search

namespace ferro::search {
// The full path of the entry the conditions were last tested on (520 bytes
// at most; a longer one is kept empty).
void set_current_full_path(const char* path);
}  // namespace ferro::search

namespace ferro::search {
// The find and replace dialogs, and the search inside files: their
// histories and texts, and their dialog (at unload).
void free_find_replace();
void free_find_in_files();
}  // namespace ferro::search
