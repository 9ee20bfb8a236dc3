// The search inside the files of a folder (and of its subfolders on
// request): every hit becomes a line "探) > file line: text" sent to the
// host's main window as message 3072; the dialog "OpenFindInsideFile" holds
// the texts and the switches and stops a run with its Cancel button.
#include <cstdio>
#include <algorithm>
#include <cstring>
#include <string>
#include "ferromes.h"
#include "frame/error_state.h"
#include "frame/error_texts.h"
#include "frame/handles.h"
#include "frame/mbcs.h"
#include "frame/pump.h"
#include "frame/text.h"
#include "frame/text_internal.h"
#include "search/search_history.h"
#include "search/search_internal.h"
#include "search/text_matcher.h"
#include "search/text_search.h"
#include "viewer/file_helpers.h"

namespace {
using ferro::search::TextMatcher;

constexpr UINT kOutput = 3072;  // WM_USER + 2048: a line for the host's output window
constexpr WPARAM kLine = 1000, kLineDone = 1001, kStopped = 1002;
constexpr LONG kRunning = 1, kCancelRequested = 1000;
constexpr UINT kFindTitle = 217, kFoundCount = 220;
constexpr std::size_t kPath = 520;
constexpr std::size_t kLineShown = 100;
constexpr std::size_t kPiece = 1 << 18;  // bytes searched at a time within a file
constexpr int kSearchCombo = 5000, kFolderCombo = 5002, kPatternCombo = 5003, kWholeWord = 5007,
              kMatchCase = 5008, kCurrentFolder = 5015, kSubfolders = 5016;
constexpr int kLockedWhileRunning[] = {kSearchCombo, kPatternCombo, kFolderCombo, IDOK};
constexpr DWORD kSwitches = kFindWholeWord | kFindMatchCase | kFindSubfolders;

struct FindFilesState {
    char search[kPath] = "";
    char pattern[kPath] = "*.*";
    char folder[kPath] = "";
    MemoryTag search_history{}, pattern_history{}, folder_history{};
    DWORD options = 0;
    LONG run_state = 0;
    LONG last_hits = -1;
} g;

void send_line(const char* text) {
    HWND main = GethWndMain();
    if (!main) return;
    SendMessageA(main, kOutput, kLine, reinterpret_cast<LPARAM>(text));
    SendMessageA(main, kOutput, kLineDone, 0);
}

// A failed listing or an unreadable file: the system's text in a box titled
// "ﾌｧｲﾙからの検索" ("no more files" is never reported).
void report(const std::string& name, DWORD error) {
    PutErrorMessage(1, name.c_str(), error, ERROR_NO_MORE_FILES, kFindTitle, GetLanguage(), 1, nullptr);
}

// ---- Name patterns: "*.txt;*.c", ? and *, without case, by whole characters.
bool same_char(const char* a, const char* b) {
    const int size = ferro::mbcs::char_size(a);
    if (size != ferro::mbcs::char_size(b)) return false;
    return ferro::text::fold_char(reinterpret_cast<const unsigned char*>(a), size) ==
           ferro::text::fold_char(reinterpret_cast<const unsigned char*>(b), size);
}

bool glob(const char* name, const char* spec) {
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name) {
        if (*spec == '*') {
            star = ++spec;
            resume = name;
        } else if (*spec && (*spec == '?' || same_char(name, spec))) {
            name = ferro::mbcs::next(name);
            spec = ferro::mbcs::next(spec);
        } else if (star) {
            name = resume = ferro::mbcs::next(resume);
            spec = star;
        } else {
            return false;
        }
    }
    while (*spec == '*') ++spec;
    return *spec == '\0';
}

bool name_matches(const char* name, const std::string& patterns) {
    std::size_t start = 0;
    while (start <= patterns.size()) {
        std::size_t end = patterns.find(';', start);
        if (end == std::string::npos) end = patterns.size();
        std::string spec = patterns.substr(start, end - start);
        while (!spec.empty() && spec.front() == ' ') spec.erase(spec.begin());
        while (!spec.empty() && spec.back() == ' ') spec.pop_back();
        if (spec == "*.*" || (!spec.empty() && glob(name, spec.c_str()))) return true;
        start = end + 1;
    }
    return false;
}

// ---- The line of a hit: its number from the line ends the matcher counts
// on its way; its start looked for backwards from the hit, never past the
// place of the last look, so that a file is read back at most once.
class HitLines {
public:
    ferro::search::LineTally& tally() { return tally_; }
    LONG line() const { return static_cast<LONG>(tally_.ends + 1); }
    // The start of the line that holds `at` (at or after the last place asked for).
    std::size_t line_start(const char* text, std::size_t at) {
        for (std::size_t p = at; p > looked_; --p)
            if (ferro::search::LineTally::ends_line(text, p - 1)) {
                start_ = p;
                break;
            }
        looked_ = at;
        return start_;
    }

private:
    ferro::search::LineTally tally_;
    std::size_t looked_ = 0;
    std::size_t start_ = 0;
};

class Run {
public:
    Run(HWND dialog, const char* search, const char* patterns, DWORD switches)
        : dialog_(dialog), matcher_(search, (switches & kFindMatchCase) != 0), patterns_(patterns),
          whole_word_((switches & kFindWholeWord) != 0), subfolders_((switches & kFindSubfolders) != 0),
          label_(GetLanguage() == 0 ? "Find)" : "\x92\x54)") {}  // 探)

    void walk(const std::string& folder);
    LONG hits() const { return hits_; }
    bool stopped() const { return stopped_; }

private:
    // The dialog's Cancel sets the run state; a run without a dialog is
    // stopped through the library's stop flag.
    bool stop_requested() {
        const LONG stop_flag = ferro::pump_throttled();
        if (g.run_state == kCancelRequested || (!dialog_ && stop_flag)) stopped_ = true;
        return stopped_;
    }
    void search_file(const std::string& path);
    void send_hit(const std::string& path, const char* text, std::size_t len, HitLines& lines, std::size_t at);

    HWND dialog_;
    TextMatcher matcher_;
    std::string patterns_;
    bool whole_word_, subfolders_;
    const char* label_;
    LONG hits_ = 0;
    bool stopped_ = false;
};

void Run::walk(const std::string& folder) {
    if (dialog_) SetDlgItemTextA(dialog_, kCurrentFolder, folder.c_str());
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) {
        report(folder, GetLastError());
        return;
    }
    do {
        if (stop_requested()) break;
        const char* name = entry.cFileName;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
        const std::string path = folder + "\\" + name;
        if (path.size() >= kPath) continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (subfolders_) walk(path);
        } else if (name_matches(name, patterns_)) {
            search_file(path);
        }
    } while (!stopped_ && FindNextFileA(find, &entry));
    const DWORD error = GetLastError();
    FindClose(find);
    if (!stopped_ && error != ERROR_NO_MORE_FILES && error != ERROR_SUCCESS) report(folder, error);
}

void Run::search_file(const std::string& path) {
    ULONGLONG size = 0;
    HGLOBAL block = OpenReadOnlyFile(path.c_str(), &size);
    if (!block) {
        report(path, Get_nERRNO());
        return;
    }
    const char* text = GlobalLockForOpenReadOnlyFile(block);
    const std::size_t len = static_cast<std::size_t>(size);
    HitLines lines;
    // A piece at a time: the matcher counts the line ends as it goes.
    std::size_t from = 0;  // a character boundary: where the search goes on
    for (std::size_t piece = 0; text && piece < len && !stopped_; piece += kPiece) {
        const std::size_t stop = len - piece > kPiece ? piece + kPiece : len;
        for (std::size_t at; (at = matcher_.find(text, len, from, stop, lines.tally())) != TextMatcher::npos;) {
            const std::size_t end = at + matcher_.length();
            if (whole_word_ && !(IsWordHead(text, text + at) && IsWordEnd(text, text + end))) {
                from = at + (ferro::mbcs::is_lead(static_cast<unsigned char>(text[at])) && at + 1 < len ? 2 : 1);
                continue;
            }
            send_hit(path, text, len, lines, at);
            from = end;
            if ((hits_ & 63) == 0 && stop_requested()) break;
        }
        // Every hit that starts in this piece is sent: the next piece is
        // searched from the first character boundary at or after its start.
        if (from < stop) from = TextMatcher::boundary_from(text, from, stop);
    }
    CloseReadOnlyFile(block);
}

// "探) > C:\dir\file.txt 12: the line\r\n\r\n": the hit's line cut at its
// end and at 100 bytes (never inside a double-byte character).
void Run::send_hit(const std::string& path, const char* text, std::size_t len, HitLines& lines, std::size_t at) {
    ++hits_;
    const std::size_t start = lines.line_start(text, at);
    std::size_t end = start;
    while (end < len && text[end] != '\r' && text[end] != '\n' && text[end] != '\0') {
        const std::size_t size = ferro::mbcs::is_lead(static_cast<unsigned char>(text[end])) && end + 1 < len ? 2 : 1;
        if (end + size - start > kLineShown) break;
        end += size;
    }
    const std::string shown(text + start, end - start);
    char line[kPath + kLineShown + 64];
    std::snprintf(line, sizeof line, "%s > %s %ld: %s%s%s", label_, path.c_str(), static_cast<long>(lines.line()),
                  shown.c_str(), "\r\n", "\r\n");
    send_line(line);
}

// Copies a text of the caller into a kept buffer; false when it does not fit.
bool keep(char (&buffer)[kPath], const char* text) {
    if (!text) return true;
    return ferro::text::copy_bounded(buffer, text);
}

void set_locked(HWND dialog, bool running) {
    for (int id : kLockedWhileRunning)
        if (HWND control = GetDlgItem(dialog, id)) EnableWindow(control, !running);
}

// What one search looks for, where, and with which switches.
struct Query {
    char search[kPath] = "", pattern[kPath] = "", folder[kPath] = "";
    DWORD switches = 0;
};

void drop_final_yen_mark(char* folder) {
    const std::size_t n = std::strlen(folder);
    if (n > 0 && ferro::mbcs::ends_with(folder, n, '\\')) folder[n - 1] = '\0';
}

Query from_controls(HWND dialog) {
    Query q;
    GetDlgItemTextA(dialog, kSearchCombo, q.search, sizeof q.search);
    GetDlgItemTextA(dialog, kPatternCombo, q.pattern, sizeof q.pattern);
    GetDlgItemTextA(dialog, kFolderCombo, q.folder, sizeof q.folder);
    if (IsDlgButtonChecked(dialog, kWholeWord) == BST_CHECKED) q.switches |= kFindWholeWord;
    if (IsDlgButtonChecked(dialog, kMatchCase) == BST_CHECKED) q.switches |= kFindMatchCase;
    if (IsDlgButtonChecked(dialog, kSubfolders) == BST_CHECKED) q.switches |= kFindSubfolders;
    return q;
}

// The kept texts and switches, as the dialog would show them.
Query from_kept_state() {
    Query q;
    std::strcpy(q.search, g.search);
    std::strcpy(q.pattern, g.pattern);
    std::strcpy(q.folder, g.folder);
    q.switches = g.options & kSwitches;
    return q;
}

// One search: the hits, or -1 when a text is missing. `dialog` shows the
// current folder and is locked while the run lasts; a run without a window
// passes none.
LONG run_search(HWND dialog, Query q) {
    drop_final_yen_mark(q.folder);
    if (!q.search[0] || !q.pattern[0] || !q.folder[0]) return -1;
    std::strcpy(g.search, q.search);
    std::strcpy(g.pattern, q.pattern);
    std::strcpy(g.folder, q.folder);
    g.options = (g.options & ~kSwitches) | q.switches;
    ferro::search::history_add(g.search_history, q.search);
    ferro::search::history_add(g.pattern_history, q.pattern);
    ferro::search::history_add(g.folder_history, q.folder);

    g.run_state = kRunning;
    char heading[kPath * 2 + 64];
    std::snprintf(heading, sizeof heading, "%s%s'\r\nin %s%s%s",
                  GetLanguage() == 0 ? "Searching for '" : "\x8c\x9f\x8d\xf5\x92\x86: '",  // 検索中: '
                  q.search, q.folder, "\r\n", "\r\n");
    send_line(heading);
    if (dialog) set_locked(dialog, true);

    Run run(dialog, q.search, q.pattern, q.switches);
    run.walk(q.folder);

    char* message = nullptr;
    GetStringFromStringID(GetSysDlgInstance(), kFoundCount, 0, &message, nullptr);
    char count[kPath];
    std::snprintf(count, sizeof count, message ? message : "%d", static_cast<int>(run.hits()));
    send_line(count);
    if (run.stopped()) {
        if (HWND main = GethWndMain()) {
            SendMessageA(main, kOutput, kStopped, 0);
            SendMessageA(main, kOutput, kLineDone, 0);
        }
    } else {
        MessageBeep(MB_OK);
    }
    if (dialog) set_locked(dialog, false);
    g.run_state = 0;
    return run.hits();
}

void fill(HWND dialog, int combo, const MemoryTag& history, const char* text) {
    ferro::search::history_fill(GetDlgItem(dialog, combo), history);
    SetDlgItemTextA(dialog, combo, text);
}

INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        fill(dialog, kSearchCombo, g.search_history, g.search);
        fill(dialog, kPatternCombo, g.pattern_history, g.pattern);
        fill(dialog, kFolderCombo, g.folder_history, g.folder);
        CheckDlgButton(dialog, kWholeWord, g.options & kFindWholeWord ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(dialog, kMatchCase, g.options & kFindMatchCase ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(dialog, kSubfolders, g.options & kFindSubfolders ? BST_CHECKED : BST_UNCHECKED);
        if ((g.options & kFindAtOnce) && !(g.options & kFindWithoutWindow)) PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        return TRUE;
    case WM_CLOSE:
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK) {
            if (g.run_state != 0) return TRUE;
            g.last_hits = run_search(dialog, from_controls(dialog));
            if (g.options & kFindAtOnce) EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wparam) == IDCANCEL) {
            if (g.run_state == kRunning) g.run_state = kCancelRequested;
            else if (g.run_state == 0) EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
}  // namespace

LONG WINAPI OpenFindInsideFileDialog(HWND owner, LPCSTR searchFor, LPCSTR pattern, LPCSTR folder, DWORD options) {
    if (g.run_state != 0) return -1;  // a search is running (the dialog is open)
    if (!keep(g.search, searchFor) || !keep(g.pattern, pattern) || !keep(g.folder, folder)) return -1;
    g.options = options;
    g.last_hits = -1;
    if (options & kFindWithoutWindow) {
        // No dialog is made: under a window system without a manager its
        // three combo boxes alone cost tens of milliseconds a run.
        g.last_hits = run_search(nullptr, from_kept_state());
        return g.last_hits;
    }
    DialogBoxParamA(GetSysDlgInstance(), "OPENFINDINSIDEFILE", owner, procedure, 0);
    return g.last_hits;
}

LPSTR WINAPI GetInitialFileInFindFile() { return g.pattern; }
LPSTR WINAPI GetInitialFolderInFindFile() { return g.folder; }
LPCSTR WINAPI GetFirstListedFolderInFindFile() { return ferro::search::history_list(g.folder_history); }
MemoryTag* WINAPI GetgszKeyWordSearch() { return &g.search_history; }
LPSTR WINAPI GetgszSearchFor() { return g.search; }

LONG WINAPI SetFolderInFindFileForMemoryTag(LPCSTR folder) {
    return ferro::search::history_add(g.folder_history, folder) ? 1 : 0;
}

LONG WINAPI FreeFindStringMemory() {
    ferro::search::free_find_replace();
    ferro::search::free_find_in_files();
    return 1;
}

namespace ferro::search {
void free_find_in_files() {
    FreeMemoryTag(&g.search_history);
    FreeMemoryTag(&g.pattern_history);
    FreeMemoryTag(&g.folder_history);
}
}  // namespace ferro::search
