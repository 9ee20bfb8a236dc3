// The synchronisation step: delete from a second folder the files and
// folders that a first folder does not have. What decides is what the first
// folder holds, so nothing is deleted unless the first folder is there and
// readable for the whole run: a missing, unreadable or replaced first folder,
// one that lies inside the entry to delete, a second folder inside the first,
// an entry whose name the code page cannot spell, a link, and a stop all
// keep what they would otherwise delete.
#include <windows.h>
#include <string>
#include <unordered_set>
#include <vector>
#include "fileops/delete.h"
#include "fileops/delete_internal.h"
#include "fileops/folders.h"
#include "frame/error_boxes.h"
#include "frame/error_state.h"
#include "frame/handles.h"
#include "frame/message_pump.h"
#include "frame/paths.h"
#include "frame/pump.h"
#include "frame/text.h"
#include "frame/text_internal.h"
#include "fs/dos_find.h"
#include "fs/dos_folders.h"
#include "fs/dos_names.h"
#include "fs/dos_times.h"
#include "fs/network.h"
#include "fs/fs_common.h"
#include "programs/error_report.h"
#include "ui/wait.h"

namespace ferro::fileops {
namespace {
constexpr LONG kSelectFiles = 0x100, kSelectFolders = 0x200;
constexpr UINT kNotDeletedHeading = 8111;  // "======消去されなかったﾌｧｲﾙ(ﾌｫﾙﾀﾞ)======"
constexpr UINT kMissingFolder = 9012;      // "指定ﾌｫﾙﾀﾞは存在しません"
constexpr UINT kDeleteTitle = 8117;        // "消去"
constexpr char kLabelEnglish[] = "Delete operation by synchronizing files/floders";
constexpr char kLabelJapanese[] = "\x93\xaf\x8a\xfa\x82\xc9\x82\xe6\x82\xe9\x8d\xed\x8f\x9c";  // 同期による削除

LONG g_sync_word;

const char* label() { return GetLanguage() ? kLabelJapanese : kLabelEnglish; }

bool is_link(const WIN32_FIND_DATAA& entry) { return (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

bool is_dot_entry(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Which folder an open name is: the volume and the file index.
struct Identity {
    DWORD volume = 0, high = 0, low = 0;
    bool operator==(const Identity& o) const { return volume == o.volume && high == o.high && low == o.low; }
};

bool identity_of(const char* path, Identity& out) {
    fs::PathArg arg(path);
    if (!arg.usable()) return false;
    HANDLE h = CreateFileA(arg.fs(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        dos::record_last_error();
        return false;
    }
    BY_HANDLE_FILE_INFORMATION info;
    const bool ok = GetFileInformationByHandle(h, &info) != FALSE;
    if (!ok) dos::record_last_error();
    CloseHandle(h);
    if (ok) out = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    return ok;
}

// The folder and every folder above it.
std::vector<Identity> identities_up_from(const char* folder) {
    std::vector<Identity> out;
    char path[text::kPathSize];
    if (!text::copy_bounded(path, folder)) return out;
    constexpr int kNoYen = 0, kNothingAbove = -10;  // the ends of going up
    for (;;) {
        Identity id;
        if (identity_of(path, id)) out.push_back(id);
        const int code = text::up_one(path);
        if (code == kNoYen || code == kNothingAbove) break;
    }
    return out;
}

bool contains(const std::vector<Identity>& list, const Identity& id) {
    for (const Identity& i : list)
        if (i == id) return true;
    return false;
}

// A name as the comparison without case sees it (single-byte letters folded).
std::string key_of(const char* name) {
    std::string key(name);
    for (std::size_t i = 0; i < key.size(); i += static_cast<std::size_t>(mbcs::char_size(key.c_str() + i)))
        if (key[i] >= 'a' && key[i] <= 'z') key[i] = static_cast<char>(key[i] - 'a' + 'A');
    return key;
}

// Every entry of a folder but "." and ".."; false when the folder could not
// be read to its end. `closed` receives the result of closing the search.
bool read_folder(const std::string& folder, std::vector<WIN32_FIND_DATAA>& entries, LONG* closed = nullptr) {
    const std::string pattern = join_path(folder.c_str(), "*.*");
    if (pattern.empty()) return false;
    HANDLE finder = nullptr;
    WIN32_FIND_DATAA record;
    const int first = my_Dos_findfirst(&finder, pattern.c_str(), &record);
    // Nothing at all matches only in an empty root; any other failure is a
    // folder that cannot be read.
    bool complete = first == 0 || (first == ENOENT && Get_nERRNO() == ERROR_FILE_NOT_FOUND);
    for (int found = first; found == 0;) {
        if (!is_dot_entry(record.cFileName)) entries.push_back(record);
        found = my_Dos_findnext(&finder, &record);
        if (found != 0 && found != 1) complete = false;
    }
    const LONG close = Close_my_Dos_find(&finder);
    if (closed) *closed = close;
    return complete;
}

// A share or a folder in it in the system form (the browsing form of a
// share itself has no file-system name); any other path as given.
std::string system_form(const char* path) {
    char copy[text::kPathSize];
    if (!path || !text::copy_bounded(copy, path)) return path ? path : "";
    RecoverNetworkServerNameFromOrdinaryFolderName(copy);
    return copy;
}

class Sync {
public:
    Sync(const char* first, const char* second) : first_(system_form(first)), second_(system_form(second)) {}
    LONG run();

private:
    DeleteSettings& s() const { return settings(); }
    bool files_selected() const {
        const LONG sel = s().selection & (kSelectFiles | kSelectFolders);
        return sel == 0 || (sel & kSelectFiles);
    }
    bool folders_selected() const {
        const LONG sel = s().selection & (kSelectFiles | kSelectFolders);
        return sel == 0 || (sel & kSelectFolders);
    }
    bool in_name_list(const char* name) const {
        if (!s().select_list) return true;
        for (LPSTR* item = s().select_list; *item; ++item)
            if (**item && same_name(GetFileName(nullptr, *item), name)) return true;
        return false;
    }
    bool stop_requested() {
        if (!stopped_ && pump_throttled()) {
            stopped_ = true;
            bits_ |= kDeleteStopped;
        }
        return stopped_;
    }
    void note(const std::string& path, const char* other, LONG error) {
        SaveOutputFileMemoryHandle(window_, label(), path.c_str(), other, kNotDeletedHeading, error);
    }
    // Nothing is deleted: the reason in the error report list (and, for a
    // first folder that is not there, in a box).
    void refuse(const std::string& path, bool box) {
        bits_ |= kDeleteNotDone;
        const DWORD error = Get_nERRNO() ? Get_nERRNO() : ERROR_PATH_NOT_FOUND;
        dos::record_error(error);
        note(path, second_.c_str(), static_cast<LONG>(error));
        if (box) {
            SetHelpDosErrorMessage(MB_ICONEXCLAMATION, nullptr);
            MyLoadDosErrorMessage(window_, path.c_str(), kMissingFolder, kDeleteTitle, 0);
        }
    }
    bool first_is_folder();
    bool first_still_there();
    void treat(const WIN32_FIND_DATAA& entry);
    bool remove(const std::string& path, bool folder);
    bool empty_folder(const std::string& folder);

    HWND window_ = GethWndMain();
    std::string first_, second_;
    Identity first_id_;
    std::vector<Identity> first_and_above_;
    std::unordered_set<std::string> first_names_;
    LONG bits_ = 0;
    LONG deleted_ = 0;
    bool stopped_ = false;
    bool failed_ = false;
};

// Whether the first folder is a folder that is there (its identity kept);
// the stored error says why not. A network level above the shares is no
// folder of files, on either side.
bool Sync::first_is_folder() {
    if (text::is_empty(first_.c_str()) || IsDriveAtMostCompterLevel(first_.c_str()) ||
        IsDriveAtMostCompterLevel(second_.c_str())) {
        dos::record_error(ERROR_PATH_NOT_FOUND);
        return false;
    }
    DWORD attributes = 0;
    if (my_Dos_getfileattr(first_.c_str(), &attributes) != 0) return false;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        dos::record_error(ERROR_DIRECTORY);
        return false;
    }
    return identity_of(first_.c_str(), first_id_);
}

bool Sync::first_still_there() {
    Identity now;
    if (identity_of(first_.c_str(), now) && now == first_id_) return true;
    if (!Get_nERRNO()) dos::record_error(ERROR_PATH_NOT_FOUND);
    refuse(first_, true);
    stopped_ = true;
    return false;
}

// Deletes one entry: to the recycle bin when the run says so.
bool Sync::remove(const std::string& path, bool folder) {
    const bool done = s().trash ? delete_to_trash(path.c_str())
                                : (folder ? myRmdir(path.c_str()) : WinRemove(path.c_str())) == 0;
    // The host's counting callback of the wait window: the name and the
    // number of entries this run has deleted.
    if (done) ferro::ui::send_counting(GetFileName(nullptr, const_cast<LPSTR>(path.c_str())), ++deleted_, 0);
    return done;
}

// Deletes what a folder holds (the files of the name list, and the folders);
// false at the first failure, or when the user stops.
bool Sync::empty_folder(const std::string& folder) {
    std::vector<WIN32_FIND_DATAA> entries;
    if (!read_folder(folder, entries)) return false;
    for (const WIN32_FIND_DATAA& entry : entries) {
        if (stop_requested()) return false;
        const std::string path = join_path(folder.c_str(), entry.cFileName);
        if (path.empty()) return false;
        const bool is_folder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (is_folder ? !folders_selected() : !(files_selected() && in_name_list(entry.cFileName))) continue;
        // A link is neither followed nor removed (removing it may remove
        // what it points to); a folder that holds the first is never emptied.
        if (is_link(entry)) {
            dos::record_error(ERROR_CANT_ACCESS_FILE);
            return false;
        }
        my_Dos_setfileattr(path.c_str(), FILE_ATTRIBUTE_ARCHIVE);
        if (is_folder) {
            Identity id;
            if (!identity_of(path.c_str(), id) || contains(first_and_above_, id) || !empty_folder(path)) return false;
        }
        if (!remove(path, is_folder)) return false;
    }
    return true;
}

void Sync::treat(const WIN32_FIND_DATAA& entry) {
    const bool is_folder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (is_folder ? !(folders_selected() && (g_sync_word & kSyncFolders))
                  : !(files_selected() && in_name_list(entry.cFileName) && (g_sync_word & kSyncFiles)))
        return;
    if (first_names_.count(key_of(entry.cFileName))) return;
    const std::string there = join_path(first_.c_str(), entry.cFileName);
    const std::string path = join_path(second_.c_str(), entry.cFileName);
    if (there.empty() || path.empty()) return;

    // What the first folder holds decides: it must still be the folder the
    // run began with, and must say for certain that it lacks the entry.
    if (!first_still_there()) return;
    DWORD attributes = 0;
    if (my_Dos_getfileattr(there.c_str(), &attributes) == 0) return;  // there under another spelling
    const DWORD why = Get_nERRNO();
    if (why != ERROR_FILE_NOT_FOUND && why != ERROR_PATH_NOT_FOUND) {
        bits_ |= kDeleteNotDone;
        note(there, path.c_str(), static_cast<LONG>(why));
        return;
    }
    // The entry must be reachable by the name the search gave (a name the
    // code page cannot spell is not).
    if (my_Dos_getfileattr(path.c_str(), &attributes) != 0 ||
        ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) != is_folder) {
        bits_ |= kDeleteNotDone;
        note(path, nullptr, static_cast<LONG>(Get_nERRNO() ? Get_nERRNO() : ERROR_INVALID_NAME));
        return;
    }
    if (is_link(entry)) {  // what it points to may be the first folder's
        bits_ |= kDeleteNotDone;
        note(path, nullptr, ERROR_CANT_ACCESS_FILE);
        return;
    }
    if (is_folder) {
        Identity id;
        if (identity_of(path.c_str(), id) && contains(first_and_above_, id)) return;  // the first folder is in it
    }

    my_Dos_setfileattr(path.c_str(), FILE_ATTRIBUTE_ARCHIVE);
    bool done;
    if (is_folder) {
        const bool whole = s().trash && !s().select_list && folders_selected() && files_selected();
        done = (whole || empty_folder(path)) && !stopped_ && remove(path, true);
        bits_ |= done ? (kDeleteDone | kDeleteFolder) : kDeleteFolderKept;
    } else {
        done = remove(path, false);
        bits_ |= done ? (kDeleteDone | kDeleteFile) : kDeleteFailed;
    }
    if (!done && !stopped_) {
        failed_ = true;
        note(path, nullptr, static_cast<LONG>(Get_nERRNO()));
    }
}

LONG Sync::run() {
    LONG closed = 0;
    if (text::is_empty(second_.c_str())) return 0;
    Identity second_id;
    std::vector<WIN32_FIND_DATAA> first_entries, entries;
    if (!first_is_folder()) {
        refuse(first_, true);
    } else if (!identity_of(second_.c_str(), second_id)) {
        // no second folder: nothing to delete
    } else if (contains(identities_up_from(second_.c_str()), first_id_)) {
        // The second folder is the first, or lies inside it: all it holds
        // belongs to the first folder.
        if (!(second_id == first_id_)) {
            dos::record_error(ERROR_INVALID_PARAMETER);
            refuse(second_, false);
        }
    } else if (!read_folder(first_, first_entries)) {
        refuse(first_, false);
    } else {
        first_and_above_ = identities_up_from(first_.c_str());
        for (const WIN32_FIND_DATAA& e : first_entries) {
            first_names_.insert(key_of(e.cFileName));
            if (e.cAlternateFileName[0]) first_names_.insert(key_of(e.cAlternateFileName));
        }
        read_folder(second_, entries, &closed);
        // One message goes through before the first entry, then at most one
        // every few milliseconds.
        if (StopExecuting()) {
            stopped_ = true;
            bits_ |= kDeleteStopped;
        }
        for (const WIN32_FIND_DATAA& entry : entries) {
            if (stop_requested() || failed_) break;
            treat(entry);
        }
    }
    if (stopped_ && (bits_ & kDeleteStopped)) SetStopExecutingFlag(0);
    add_result_bits(bits_);
    return closed;
}
}  // namespace
}  // namespace ferro::fileops

LONG WINAPI SetSynchronizeFolders(LONG value) { return ferro::fileops::g_sync_word = value; }
LONG WINAPI IsSynchronizeFolders() { return ferro::fileops::g_sync_word; }

LONG WINAPI DeleteExtraFilesInSecondFolderNotInTheFirstFolder(LPCSTR first, LPCSTR second) {
    if (!ferro::fileops::g_sync_word) return 0;
    return ferro::fileops::Sync(first, second).run();
}
