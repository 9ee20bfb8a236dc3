// State of a delete run shared by the files of this folder and the search
// conditions (not exported).
#pragma once
#include <windows.h>
#include <cstring>
#include <string>
#include "frame/text.h"

namespace ferro::fileops {
// The settings a run reads; zero at load.
struct DeleteSettings {
    LONG trash = 0;
    LONG trash_flags = 0;
    LONG force = 0;
    LONG no_error_boxes = 0;
    LONG no_hourglass = 0;
    HGLOBAL* listing_target = nullptr;
    char listing_separator = 0;
    HWND dialog = nullptr;
    int folder_control = 0;
    int list_control = 0;
    int file_control = 0;
    int counter_control = 0;
    LPCSTR search_name = nullptr;
    HFONT font = nullptr;
    LONG selection = 0;
    LPSTR* select_list = nullptr;
    LPSTR* pattern_list = nullptr;
    LONG boxes_shown = 0;
    LONG last_error = 0;
    LONG done_count = 0;
    LONG options = 0;  // of the run under way
    LONG result = 0;   // merged result of the run
};
DeleteSettings& settings();

// Merges two result words: -((-a) | (-b)); 0 is the empty result.
inline LONG merge_result(LONG a, LONG b) { return -((-a) | (-b)); }
// Adds bits (given as a positive magnitude) to the run's result.
inline void add_result_bits(LONG bits) { settings().result = merge_result(settings().result, -bits); }

// The folder being walked (empty outside a walk) and the run's options.
const char* walk_folder();
LONG walk_options();

// `folder` joined with `name` (one yen mark between them); empty when the
// result would not fit in 520 bytes.
std::string join_path(const char* folder, const char* name);

// Equal names, case ignored character by character (double-byte aware).
inline bool same_name(const char* a, const char* b) {
    return std::strlen(a) == std::strlen(b) && j_lstristr(a, b) == a;
}

// Clears what a run set up for itself: dialog identifiers, lists, listing target.
void clear_run_settings();

// Asks about a read-only folder before it is deleted: true to go on (the
// folder then has the archive attribute), false when refused (noted).
bool confirm_read_only_folder(HWND window, const char* folder);

// Frees the path buffers and the saved-path block (at unload).
void free_delete_state();
}  // namespace ferro::fileops
