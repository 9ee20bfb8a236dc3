// The state of the update module and the check shared by its exports.
#pragma once
#include <windows.h>

namespace ferro::update {
// The host's record: words 1 (address prefix of the download folder), 8 (the
// update page), 11 (the product name) and 12 (a site version equal to the
// running one counts as newer) are read.
struct Items {
    LONG_PTR word[14];
    const char* prefix() const { return reinterpret_cast<const char*>(word[1]); }
    const char* page() const { return reinterpret_cast<const char*>(word[8]); }
    const char* product() const { return word[11] ? reinterpret_cast<const char*>(word[11]) : ""; }
    bool same_counts_as_newer() const { return word[12] != 0; }
};

// dllSetUpdateToNewerVersonOptions flags
inline constexpr LONG kReuse = 0x02;
inline constexpr LONG kAnswerOnly = 0x04;
inline constexpr LONG kQuiet = 0x08;
inline constexpr LONG kToOutput = 0x10;

typedef void(WINAPI* OutputFunction)(LONG_PTR value, LPCSTR text, LONG_PTR again);

// Module state. The check may run on a worker thread while the host's timer
// reads the thread words: they are plain words written by one side.
struct State {
    Items items = {};
    LONG items_set = 0;
    LONG do_not_use_counter_file = 0;
    LONG do_not_use_thread = 0;
    LONG options[4] = {};
    LONG quit_on_close = 0;
    LONG running_year = 0, running_number = 0;
    LONG site_year = 0, site_number = 0;
    HGLOBAL new_version_memory = nullptr;
    LONG new_version_result = 0;
    LONG install_to_cancel = 0;
    LONG newer_version_found = 0;
    char file_found[260] = {};
    volatile LONG thread_state = 0;
    HANDLE thread = nullptr;
    UINT thread_title = 0;
    LPCSTR thread_title_argument = nullptr;
    volatile LONG thread_result = 0;
    LONG thread_answered_yes = 0;
    OutputFunction output = nullptr;
    LONG_PTR output_value = 0;
    LONG base_folder = 0, find_data = 0, find_data_checked = 0;
    LONG flags() const { return options[3]; }
};
extern State g_state;

// The newer-version check (dllOnUpdateToNewerVersonAtCommand without its
// exported frame).
LONG run_check(UINT titleId, LPCSTR titleArgument, HGLOBAL* memoryOut, HWND c1, UINT_PTR c2, LONG_PTR c3,
               LONG_PTR c4, DWORD* c5);
// Frees the new-version memory and clears the new-version result.
void free_new_version_memory();
// Opens an address in the user's browser; true when it was opened.
bool open_in_browser(const char* address);
}  // namespace ferro::update
