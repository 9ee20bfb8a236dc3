// The wildcard walk: every entry of a folder (and, on request, of its
// sub-folders) that matches the pattern and the search conditions is
// deleted, renamed for case, given attributes, or only listed.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include "fileops/delete.h"
#include "fileops/delete_internal.h"
#include "frame/error_boxes.h"
#include "frame/message_box.h"
#include "frame/message_pump.h"
#include "frame/paths.h"
#include "frame/pump.h"
#include "frame/text.h"
#include "frame/text_internal.h"
#include "fs/dos_find.h"
#include "fs/dos_folders.h"
#include "fs/dos_names.h"
#include "fs/dos_times.h"
#include "programs/error_report.h"
#include "programs/shortcut.h"
#include "search/search_conditions.h"
#include "search/search_internal.h"

namespace ferro::fileops {
namespace {
constexpr UINT kMemoryText = 8060;        // "予期せぬｴﾗｰにより記憶領域のｱｸｾｽに失敗しました。"
constexpr UINT kMemoryTitle = 8061;       // "大域ﾒﾓﾘ取得の警告"
constexpr UINT kNotDeletedHeading = 8111;
constexpr LONG kSelectFiles = 0x100, kSelectFolders = 0x200;
constexpr char kNotDoneEnglish[] = "===>Not done";
constexpr char kNotDoneJapanese[] = "===>\x8e\xc0\x8d\x73\x82\xb9\x82\xb8";  // 実行せず

bool is_dot_entry(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

const char* file_part(const char* path) { return GetFileName(nullptr, const_cast<LPSTR>(path)); }

class Walk {
public:
    Walk(HWND window, LONG options, LONG first_number) : window_(window), first_(first_number) {
        settings().options = options;
    }
    ~Walk() {
        if (dc_) {
            if (old_font_) SelectObject(dc_, old_font_);
            ReleaseDC(settings().dialog, dc_);
        }
    }
    Walk(const Walk&) = delete;
    Walk& operator=(const Walk&) = delete;

    LONG processed() const { return processed_; }

    // Steps 2 to 6 from the pattern; the run's result collects in settings().
    void run(const char* base, const char* pattern);

private:
    DeleteSettings& s() const { return settings(); }
    LONG options() const { return settings().options; }
    bool listing_only() const { return !(options() & (kWildDelete | kWildFolders | kWildAttributes)); }

    void walk_folder(const std::string& folder, bool top);
    void self_step(const std::string& folder);
    void act(const std::string& path, const WIN32_FIND_DATAA& record, LONG kind);
    void list_line(char status, const std::string& path, const WIN32_FIND_DATAA& record);
    void append_to_target(const std::string& path);
    void show_folder(const std::string& folder);
    void show_file(const char* text);
    void stop() {
        stopped_ = true;
        add_result_bits(kDeleteStopped);
    }
    bool check_stop() {
        if (!stopped_ && pump_throttled()) stop();
        return stopped_;
    }
    bool file_selected(const char* name) const;

    HWND window_;
    LONG first_;
    LONG processed_ = 0;
    bool stopped_ = false;
    bool list_usable_ = true;
    std::string base_;
    std::vector<std::string> name_patterns_;
    HDC dc_ = nullptr;
    HGDIOBJ old_font_ = nullptr;
    std::size_t target_length_ = 0;
    bool target_measured_ = false;
};

bool Walk::file_selected(const char* name) const {
    const LONG selection = s().selection;
    if ((selection & (kSelectFiles | kSelectFolders)) == kSelectFolders) return false;
    if (!s().select_list) return true;
    for (LPSTR* item = s().select_list; *item; ++item)
        if (**item && same_name(file_part(*item), name)) return true;
    return false;
}

void Walk::show_folder(const std::string& folder) {
    if (!s().dialog || !s().folder_control) return;
    char shown[text::kPathSize + 1];
    if (!text::copy_bounded(shown, folder.c_str())) return;
    std::size_t len = std::strlen(shown);
    if (!mbcs::ends_with(shown, len, text::kYen)) {
        shown[len] = text::kYen;
        shown[len + 1] = '\0';
    }
    if (shown[text::kPathMax] == '\0') SetReducedDirWithCtlID(s().dialog, dc_, shown, s().folder_control);
    SetDlgItemTextA(s().dialog, s().folder_control, shown);
}

void Walk::show_file(const char* text) {
    if (s().dialog && s().file_control) SetDlgItemTextA(s().dialog, s().file_control, text);
}

void Walk::append_to_target(const std::string& path) {
    HGLOBAL* ref = s().listing_target;
    if (!ref) return;
    const char separator = s().listing_separator;
    if (!target_measured_) {
        target_measured_ = true;
        target_length_ = 0;
        if (*ref) {
            if (const char* text = static_cast<const char*>(GlobalLock(*ref))) {
                const std::size_t size = GlobalSize(*ref);
                target_length_ = separator ? strnlen(text, size) : StrLenSeparetedByZero(text) - 0u;
                if (!separator && target_length_ == 1 && text[0] == '\0') target_length_ = 0;
                GlobalUnlock(*ref);
            }
        }
    }
    // With a separator: "<sep>path" appended to one string. Without: a list
    // of NUL-terminated names ended by an empty one.
    const std::size_t add = path.size() + 1;
    const std::size_t need = target_length_ + add + 2;
    HGLOBAL block = *ref;
    if (!block || GlobalSize(block) < need) {
        const std::size_t grown = need + need / 2 + 256;
        block = block ? GlobalReAlloc(block, grown, GMEM_MOVEABLE | GMEM_ZEROINIT)
                      : GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, grown);
        if (!block) {
            // The list would be incomplete: report it and stop listing.
            SaveOutputFileMemoryHandle(window_, nullptr, path.c_str(), nullptr, kNotDeletedHeading,
                                       ERROR_NOT_ENOUGH_MEMORY);
            add_result_bits(kDeleteFailed);
            s().listing_target = nullptr;
            return;
        }
        *ref = block;
    }
    char* text = static_cast<char*>(GlobalLock(block));
    if (!text) return;
    char* at = text + target_length_;
    if (separator) {
        *at++ = separator;
        std::memcpy(at, path.c_str(), path.size() + 1);
        target_length_ += add;
    } else {
        std::memcpy(at, path.c_str(), path.size() + 1);
        at[path.size() + 1] = '\0';
        target_length_ += add;
    }
    GlobalUnlock(block);
}

void Walk::list_line(char status, const std::string& path, const WIN32_FIND_DATAA& record) {
    ++processed_;
    append_to_target(path);
    const DeleteSettings& st = s();
    if (st.dialog && st.list_control && list_usable_) {
        std::string line(1, status);
        line += ' ';
        line += path;
        char attributes[8];
        GetAttributeChar(static_cast<LONG>(record.dwFileAttributes & 0x7fffffff), attributes);
        const ULONGLONG local = GetOurFileTime(&record);
        FILETIME time;
        time.dwLowDateTime = static_cast<DWORD>(local);
        time.dwHighDateTime = static_cast<DWORD>(local >> 32);
        SYSTEMTIME st_time = {};
        FileTimeToSystemTime(&time, &st_time);
        char columns[96];
        std::snprintf(columns, sizeof columns, "> %c%c%c%c %02d-%02d-%02d %02d:%02d:%02d %llu", attributes[0],
                      attributes[1], attributes[2], attributes[3], st_time.wYear % 100, st_time.wMonth, st_time.wDay,
                      st_time.wHour, st_time.wMinute, st_time.wSecond,
                      static_cast<unsigned long long>(GetOurUlargeIntergerSize(&record)));
        line += columns;
        const LRESULT added = SendDlgItemMessageA(st.dialog, st.list_control, LB_ADDSTRING, 0,
                                                  reinterpret_cast<LPARAM>(line.c_str()));
        if (added == LB_ERR || added == LB_ERRSPACE) list_usable_ = false;
    }
    if (st.dialog && st.counter_control) {
        char counter[48];
        if (listing_only())
            std::snprintf(counter, sizeof counter, "%5lu/%-5u", static_cast<unsigned long>(st.done_count),
                          static_cast<unsigned>(processed_));
        else
            std::snprintf(counter, sizeof counter, "%lu", static_cast<unsigned long>(processed_));
        SetDlgItemTextA(st.dialog, st.counter_control, counter);
    }
}

void Walk::act(const std::string& path, const WIN32_FIND_DATAA& record, LONG kind) {
    const LONG matched = MatchedSearchConditions(record);
    if (matched == 0) {
        add_result_bits(kDeleteSkipped);
        return;
    }
    if (matched == -1) {
        stop();
        return;
    }
    show_file(record.cFileName);
    const LONG opts = options();
    char status = '-';
    if (opts & kWildAttributes) {
        if (my_Dos_setfileattr(path.c_str(), search::change_attributes()) != 0) {
            status = '?';
            add_result_bits(kDeleteFailed);
            SaveOutputFileMemoryHandle(window_, nullptr, path.c_str(), nullptr, kNotDeletedHeading, -1);
        }
    } else if (opts & (kWildDelete | kWildFolders)) {
        const bool folder = (kind & 0x8) != 0;
        const LONG rule = s().selection & ~(folder ? kSelectFiles : kSelectFolders);
        LONG result;
        do {
            result = RemoveByForce(window_, path.c_str(), first_ + processed_ + 1, kind, rule);
        } while ((-result) & kDeleteRetry);
        add_result_bits(-result);
        if ((-result) & kDeleteStopped) {
            stop();
            return;
        }
        if ((-result) & kDeleteNotDone) show_file(GetLanguage() ? kNotDoneJapanese : kNotDoneEnglish);
        if ((-result) & kDeleteFailed) status = '?';
        else if ((-result) & kDeleteSkipped) status = 'E';
    } else if (opts & kWildShortcuts) {
        // The folder replacement inside the shortcut: a shortcut that needs no
        // change is not listed; one that changed, or could not be read or
        // written, is.
        const LONG replaced = ReplaceSpeifiedStringForShortCut(window_, path.c_str(), opts & kWildSimulate, 0);
        const bool failed = replaced >= 0x10000;
        if (!failed && !IsReplaceDirectoryNameDone()) return;
        add_result_bits(kDeleteReplaced);
        if (failed) {
            status = '?';
            add_result_bits(kDeleteFailed);
        } else {
            ++s().done_count;
        }
    } else {
        ++s().done_count;
    }
    list_line(status, path, record);
}

void Walk::self_step(const std::string& folder) {
    if ((options() & kWildKeepBase) && same_name(folder.c_str(), base_.c_str())) return;
    if (IsRootDir(folder.c_str())) return;
    char upper[text::kPathSize];
    if (!text::copy_bounded(upper, folder.c_str())) return;
    text::up_one(upper);
    myChdir(upper, TRUE);
    settings().options |= kWildReturn;
    if (!(options() & kWildDelete) && !(options() & kWildFolders)) return;
    if ((options() & kWildDelete) && !confirm_read_only_folder(window_, folder.c_str())) return;
    WIN32_FIND_DATAA record = {};
    if (myFindFileAProperty(folder.c_str(), &record) != 0) return;
    Save_lpSAVEPATH(upper);
    act(folder, record, (options() & kWildDelete) ? 9 : 10);
    Save_lpSAVEPATH(folder.c_str());
}

void Walk::walk_folder(const std::string& folder, bool top) {
    Save_lpSAVEPATH(folder.c_str());
    const LONG opts = options();
    // First pass: the files that match each name pattern.
    for (std::size_t i = 0; i < name_patterns_.size() && !stopped_; ++i) {
        if (i == 0) {
            show_folder(folder);
            show_file("");
        }
        const std::string search = join_path(folder.c_str(), name_patterns_[i].c_str());
        if (search.empty()) continue;
        std::vector<WIN32_FIND_DATAA> entries;
        HANDLE finder = nullptr;
        WIN32_FIND_DATAA record;
        for (int found = my_Dos_findfirst(&finder, search.c_str(), &record); found == 0;
             found = my_Dos_findnext(&finder, &record))
            if (!(record.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) entries.push_back(record);
        Close_my_Dos_find(&finder);
        for (const WIN32_FIND_DATAA& entry : entries) {
            if (check_stop()) break;
            if (!file_selected(entry.cFileName)) continue;
            const std::string path = join_path(folder.c_str(), entry.cFileName);
            if (path.empty()) continue;
            act(path, entry, (opts & kWildDelete) ? 5 : 6);
            if (GetHeadOfSearchedFileFoundPointer() && IsAllSearchedFullPathFileFound()) stop();
        }
    }
    // Second pass: the sub-folders.
    const LONG selection = s().selection;
    const bool folders_selected =
        (selection & (kSelectFiles | kSelectFolders)) == 0 || (selection & kSelectFolders) != 0;
    if (!stopped_ && folders_selected && (opts & (kWildFolders | kWildDescend))) {
        std::vector<WIN32_FIND_DATAA> folders;
        HANDLE finder = nullptr;
        WIN32_FIND_DATAA record;
        const std::string search = join_path(folder.c_str(), "*.*");
        for (int found = search.empty() ? 1 : my_Dos_findfirst(&finder, search.c_str(), &record); found == 0;
             found = my_Dos_findnext(&finder, &record))
            if ((record.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !is_dot_entry(record.cFileName))
                folders.push_back(record);
        Close_my_Dos_find(&finder);
        for (const WIN32_FIND_DATAA& entry : folders) {
            if (check_stop()) break;
            const std::string sub = join_path(folder.c_str(), entry.cFileName);
            if (sub.empty()) continue;
            const bool deleting = (opts & kWildDelete) != 0;
            // Renaming for case acts on the folder before entering it; a
            // delete empties it first.
            if ((opts & kWildFolders) && !deleting) act(sub, entry, 10);
            if (!stopped_ && (opts & kWildDescend)) {
                const bool enter = !(opts & kWildSelf) || confirm_read_only_folder(window_, sub.c_str());
                if (enter) walk_folder(sub, false);
                Save_lpSAVEPATH(folder.c_str());
                if (enter) show_folder(folder);
            }
            if (!stopped_ && (opts & kWildFolders) && deleting && IsFileDirExist(sub.c_str())) act(sub, entry, 9);
        }
    }
    if (!stopped_ && (opts & kWildSelf)) self_step(folder);
    (void)top;
}

void Walk::run(const char* base, const char* pattern) {
    base_ = base ? base : "";
    const char* first = pattern;
    if (s().pattern_list && s().pattern_list[0]) first = s().pattern_list[0];
    if (text::is_empty(first)) {
        add_result_bits(kDeleteNotDone);
        return;
    }
    std::string full = text::has_root(first) || IsDriveMyNetwork(first) || base_.empty()
                           ? std::string(first)
                           : join_path(base_.c_str(), first);
    if (full.empty() || !Save_lpFULLPATH(full.c_str())) {
        add_result_bits(kDeleteFailed);
        return;
    }
    const char* name = file_part(full.c_str());
    if (text::is_empty(name)) {
        add_result_bits(kDeleteNotDone);
        return;
    }
    name_patterns_.push_back(name);
    if (s().pattern_list && s().pattern_list[0])
        for (LPSTR* item = s().pattern_list + 1; *item; ++item)
            if (const char* next = file_part(*item); !text::is_empty(next)) name_patterns_.push_back(next);
    std::string folder = full.substr(0, static_cast<std::size_t>(name - full.c_str()));
    if (folder.empty()) {
        char current[text::kPathSize];
        folder = myGetcwd(current, sizeof current) ? current : ".";
    } else if (folder.size() > 1 && !IsRootDir(folder.c_str())) {
        folder.pop_back();  // the yen mark before the name
    }
    if (IsDriveMyNetwork(folder.c_str())) {
        while (!IsFileDirExist(folder.c_str())) {
            const LONG answer = GetNetDirectryEntryErrorMes(window_, folder.c_str(), 0x33);
            if (answer == 4) continue;
            if (answer == 3) {
                add_result_bits(kDeleteFailed);
                return;
            }
            break;
        }
    }
    if (s().dialog) {
        dc_ = GetDC(s().dialog);
        if (dc_) old_font_ = SelectObject(dc_, s().font ? static_cast<HGDIOBJ>(s().font) : GetStockObject(SYSTEM_FONT));
    }
    walk_folder(folder, true);
}
}  // namespace
}  // namespace ferro::fileops

using namespace ferro;
using namespace ferro::fileops;

LONG WINAPI DelWild(HWND window, LONG* stopOut, LONG options, LONG* countRef, LPCSTR baseFolder, LPCSTR pattern,
                    LPCSTR returnFolder) {
    DeleteSettings& s = settings();
    s.result = 0;
    s.done_count = 0;
    s.boxes_shown = 1;
    SetStopExecutingFlag(0);
    if (!GlobalFilePaths(window)) {
        MessageBeep(MB_ICONHAND);
        myMessageBoxForLoadString(window, kMemoryText, kMemoryTitle, MB_OK | MB_ICONHAND);
        if (window) PostMessageA(window, WM_CLOSE, 0, 0);
        clear_run_settings();
        s.selection = 0;
        return -1;
    }
    HCURSOR previous = s.no_hourglass ? nullptr : SetCursor(LoadCursor(nullptr, IDC_WAIT));
    const LONG first_number = countRef ? *countRef : 0;
    LONG processed = 0;
    {
        Walk walk(window, options, first_number);
        walk.run(baseFolder, pattern);
        processed = walk.processed();
    }
    if ((s.options & kWildReturn) && !text::is_empty(returnFolder) && IsFileDirExist(returnFolder))
        myChdir(returnFolder, TRUE);
    if (previous) SetCursor(previous);
    clear_run_settings();
    s.selection = 0;
    s.options = 0;
    FreeFilePaths();
    if (countRef) *countRef = processed;
    const LONG stop = IsStopExecutingFlag();
    if (stop) s.result = merge_result(s.result, -kDeleteStopped);
    if (stopOut) *stopOut = stop;
    SetStopExecutingFlag(0);
    return s.result;
}
