// Finding top-level windows: by a text of the title, by a window property,
// by the program that owns them (recording what was found in a table of 100
// entries), and a child window by its class.
#include <cstring>
#include <map>
#include <vector>
#include "frame/mbcs.h"
#include "frame/text.h"
#include "frame/text_internal.h"
#include "programs/processes.h"
#include "programs/programs_internal.h"

namespace {
using ferro::programs::file_name_part;

constexpr int kTitleSize = 1040;

// One entry more than the table holds, always zero, so a reader finds its end.
LaunchRecord g_found[kWinExecWindowTableSize + 1];
LONG g_found_count;
HWND g_target;

std::vector<HWND> top_level_windows() {
    std::vector<HWND> windows;
    ferro::programs::for_each_window(nullptr, [&](HWND window) {
        windows.push_back(window);
        return false;
    });
    return windows;
}

// The desktop's children, in their order, walked one by one.
std::vector<HWND> desktop_children() {
    std::vector<HWND> windows;
    for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) windows.push_back(w);
    return windows;
}

std::string title_of(HWND window) {
    char title[kTitleSize] = "";
    GetWindowTextA(window, title, sizeof title);
    return title;
}

// The first `count` NUL-separated names, or all up to an empty one.
std::vector<const char*> names_of(const char* list, int count) {
    std::vector<const char*> names;
    if (!list) return names;
    for (const char* p = list; count > 0 ? int(names.size()) < count : *p != '\0'; p += std::strlen(p) + 1)
        names.push_back(p);
    return names;
}

using TitleTest = bool (*)(const char*, const char*);

HWND first_match(const std::vector<HWND>& windows, LPCSTR names, int count, TitleTest test) {
    std::vector<const char*> wanted = names_of(names, count);
    for (HWND window : windows) {
        std::string title = title_of(window);
        if (title.empty()) continue;
        for (const char* name : wanted)
            if (test(title.c_str(), name)) return window;
    }
    return nullptr;
}

// Whether the window's program is the entry's: the whole path when the
// entry names one, else the file names; without regard to case.
bool same_program(const char* wanted, const std::string& program) {
    bool path = ferro::mbcs::find_first(wanted, '\\') != nullptr;
    return lstrcmpiA(path ? program.c_str() : file_name_part(program.c_str()), wanted) == 0;
}

void record_found(HWND window, DWORD process_id, DWORD thread_id) {
    if (g_found_count >= kWinExecWindowTableSize) return;
    LaunchRecord& entry = g_found[g_found_count++];
    entry = LaunchRecord{};
    entry.window = window;
    entry.processId = process_id;
    entry.threadId = thread_id;
}

// A window of a hung program is not waited for longer than this.
constexpr UINT kCloseWait = 2000;

LONG find_program_windows(ProgramWindowSearch* list, LONG titleMode, LONG action,
                          const std::vector<HWND>& windows) {
    for (LaunchRecord& entry : g_found) entry = LaunchRecord{};
    g_found_count = 0;
    if (!list) return 0;
    TitleTest test = titleMode == 1 ? ferro::programs::title_equals : ferro::programs::title_contains;
    std::map<DWORD, std::string> programs;  // one look-up per process
    LONG recorded = 0;
    for (HWND window : windows) {
        DWORD process_id = 0;
        DWORD thread_id = GetWindowThreadProcessId(window, &process_id);
        auto known = programs.find(process_id);
        if (known == programs.end())
            known = programs.emplace(process_id, ferro::programs::program_of_process(process_id, true)).first;
        if (known->second.empty()) continue;
        std::string title = title_of(window);
        bool matched = false;
        for (ProgramWindowSearch* entry = list; entry->program; ++entry) {
            if (entry->found || !same_program(entry->program, known->second)) continue;
            if (entry->title && *entry->title && !test(title.c_str(), entry->title)) continue;
            entry->found = window;
            matched = true;
        }
        if (!matched) continue;
        ++recorded;
        record_found(window, process_id, thread_id);
        if (action == 1) {
            ferro::programs::end_process(process_id);
        } else if (action == 2) {
            DWORD_PTR ignored = 0;
            SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kCloseWait, &ignored);
        }
    }
    return recorded;
}

}  // namespace

namespace ferro::programs {
namespace {
bool is_word_byte(unsigned char c) {
    unsigned char lower = c | 0x20;
    return (c >= '0' && c <= '9') || (lower >= 'a' && lower <= 'z') || c == '_';
}
}  // namespace

// The text before a match must not run on into it: a match counts at the
// start of the title or after a character that is not a single-byte letter,
// digit or underscore (a double-byte character before it always counts, even
// when its trail byte looks like a letter).
bool title_contains(const char* title, const char* part) {
    if (!title || !part || !*part) return false;
    for (const char* from = title; *from;) {
        const char* at = j_lstristr(from, part);
        if (!at) return false;
        if (at == title) return true;
        const char* before = mbcs::prev(title, at);
        if (at - before == 2 || !is_word_byte(static_cast<unsigned char>(*before))) return true;
        from = mbcs::next(at);
    }
    return false;
}

bool title_equals(const char* title, const char* text) {
    if (!title || !text || !*text) return false;
    const auto* a = reinterpret_cast<const unsigned char*>(title);
    const auto* b = reinterpret_cast<const unsigned char*>(text);
    while (*a && *b) {
        int na = mbcs::char_size(reinterpret_cast<const char*>(a));
        int nb = mbcs::char_size(reinterpret_cast<const char*>(b));
        if (na != nb || text::fold_char(a, na) != text::fold_char(b, nb)) return false;
        a += na;
        b += nb;
    }
    return *a == *b;
}
}  // namespace ferro::programs

HWND WINAPI SetTgtWindowsHandle(HWND window) { return g_target = window; }
HWND WINAPI GetTgtWindowsHandle() { return g_target; }

HWND WINAPI FindWindowsByEnumWindowsByStristr(LPCSTR names, int count) {
    return first_match(top_level_windows(), names, count, ferro::programs::title_contains);
}

HWND WINAPI FindWindowsByEnumWindowsByStrieq(LPCSTR names, int count) {
    return first_match(top_level_windows(), names, count, ferro::programs::title_equals);
}

HWND WINAPI FindWindowsStartingFromDesktopByStristr(LPCSTR names, int count) {
    return first_match(desktop_children(), names, count, ferro::programs::title_contains);
}

HWND WINAPI FindWindowsStartingFromDesktopByStrieq(LPCSTR names, int count) {
    return first_match(desktop_children(), names, count, ferro::programs::title_equals);
}

HWND WINAPI FindWindowsStartingFromDesktopWithGetPropFunction(LPCSTR property) {
    if (!property) return nullptr;
    return ferro::programs::first_window(nullptr, [&](HWND window) { return GetPropA(window, property) != nullptr; });
}

HWND WINAPI FindHwndOfTerminateScreenByStristr(LPCSTR names, int count) {
    HWND found = FindWindowsByEnumWindowsByStristr(names, count);
    if (found) SetTgtWindowsHandle(found);
    return found;
}

HWND WINAPI FindHwndOfTerminateScreenByStrieq(LPCSTR names, int count) {
    HWND found = FindWindowsByEnumWindowsByStrieq(names, count);
    if (found) SetTgtWindowsHandle(found);
    return found;
}

LONG WINAPI FindMultipleHwndOfTerminateExeStartingFromDesktop(ProgramWindowSearch* list, LONG titleMode,
                                                              LONG action) {
    return find_program_windows(list, titleMode, action, desktop_children());
}

LONG WINAPI FindMultipleHwndOfTerminateExeByEnumWindows(ProgramWindowSearch* list, LONG titleMode, LONG action) {
    return find_program_windows(list, titleMode, action, top_level_windows());
}

LaunchRecord* WINAPI GetWinExeArrayWithSpecifiedTitle(LONG* count) {
    if (count) *count = g_found_count;
    return g_found_count ? g_found : nullptr;
}

HWND WINAPI GetHwndForSpecifiedChildWindow(HWND parent, LONG, LPCSTR className) {
    if (!parent || !className) return nullptr;
    return ferro::programs::first_window(parent, [&](HWND window) {
        char name[256] = "";
        GetClassNameA(window, name, sizeof name);
        return lstrcmpiA(name, className) == 0;
    });
}
