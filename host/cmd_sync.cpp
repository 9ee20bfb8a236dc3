// ferro sync: makes a target folder tree hold what a source tree holds. Each
// folder pair is read once on each side through the engine's find layer; a
// file missing in the target, or newer in the source by the listing's rules,
// is copied with the engine's copy loop; missing folders are made. With
// --delete the engine's synchronisation step then removes, folder by folder,
// what the source does not have. --dry-run prints what would be done.
#include <windows.h>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>
#include "commands.h"
#include "console.h"
#include "copy_report.h"
#include "fileops/copy.h"
#include "fileops/delete.h"
#include "fileops/folders.h"
#include "frame/error_state.h"
#include "frame/message_pump.h"
#include "fs/dos_find.h"
#include "fs/dos_folders.h"
#include "fs/dos_times.h"
#include "listing/listing_store.h"
#include "programs/error_report.h"

namespace host {
namespace {
struct Counts {
    int copied = 0, skipped = 0, deleted = 0, failed = 0;
};

struct Options {
    bool remove = false;  // --delete
    bool dry_run = false;
};

bool is_folder(const WIN32_FIND_DATAA& r) { return (r.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// The comparison of names without case that the file system makes for
// single-byte letters.
std::string key_of(const char* name) {
    std::string key(name);
    for (size_t i = 0; i < key.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(key[i]);
        if ((c >= 0x81 && c <= 0x9f) || (c >= 0xe0 && c <= 0xfc)) ++i;
        else if (c >= 'a' && c <= 'z') key[i] = char(c - 'a' + 'A');
    }
    return key;
}

// The entries of a folder but "." and ".."; false when it cannot be read.
bool read_folder(const std::string& folder, std::vector<WIN32_FIND_DATAA>& entries) {
    HANDLE find = nullptr;
    WIN32_FIND_DATAA record;
    const int first = my_Dos_findfirst(&find, joined(folder, "*.*").c_str(), &record);
    int found = first;
    for (; found == 0; found = my_Dos_findnext(&find, &record)) {
        const std::string name = record.cFileName;
        if (name != "." && name != "..") entries.push_back(record);
    }
    Close_my_Dos_find(&find);
    if (first != 0) return Get_nERRNO() == ERROR_FILE_NOT_FOUND;  // an empty root
    return found == 1;
}

class Sync {
public:
    explicit Sync(const Options& options) : options_(options) {}
    void folder(const std::string& source, const std::string& target, bool target_there);
    const Counts& counts() const { return counts_; }

private:
    void fail(const std::string& name, const std::string& why) {
        ++counts_.failed;
        err("ferro sync: '" + name + "': " + why);
    }
    void copy(const std::string& source, const std::string& target);
    void remove_extras(const std::string& source, const std::string& target, const std::vector<std::string>& extras);

    Options options_;
    Counts counts_;
};

void Sync::copy(const std::string& source, const std::string& target) {
    if (options_.dry_run) {
        out("copy " + source + " -> " + target);
        ++counts_.copied;
        return;
    }
    std::string s = source, t = target;
    const LONG result = myOrgCopyFile(nullptr, s.data(), t.data(), 0, 0);
    if (result == 0) {
        ++counts_.copied;
        return;
    }
    ++counts_.failed;
    report_copy_failure("sync", result, source, target);
}

void Sync::remove_extras(const std::string& source, const std::string& target,
                         const std::vector<std::string>& extras) {
    if (options_.dry_run) {
        for (const std::string& name : extras) out("delete " + joined(target, name));
        counts_.deleted += int(extras.size());
        return;
    }
    SetSynchronizeFolders(kSyncFiles | kSyncFolders);
    DeleteExtraFilesInSecondFolderNotInTheFirstFolder(source.c_str(), target.c_str());
    for (const std::string& name : extras) {
        if (GetFileAttributesA(joined(target, name).c_str()) == INVALID_FILE_ATTRIBUTES) ++counts_.deleted;
        else ++counts_.failed;
    }
}

void Sync::folder(const std::string& source, const std::string& target, bool target_there) {
    if (IsStopExecutingFlag()) return;
    std::vector<WIN32_FIND_DATAA> in_source, in_target;
    if (!read_folder(source, in_source)) return fail(source, "the folder cannot be read");
    if (target_there && !read_folder(target, in_target)) return fail(target, "the folder cannot be read");
    std::unordered_map<std::string, const WIN32_FIND_DATAA*> targets;
    for (const WIN32_FIND_DATAA& r : in_target) targets.emplace(key_of(r.cFileName), &r);

    std::vector<std::pair<std::string, bool>> sub_folders;  // name, there in the target
    for (const WIN32_FIND_DATAA& r : in_source) {
        const std::string from = joined(source, r.cFileName), to = joined(target, r.cFileName);
        const auto match = targets.find(key_of(r.cFileName));
        const WIN32_FIND_DATAA* there = match == targets.end() ? nullptr : match->second;
        if (there) targets.erase(match);
        if (there && is_folder(*there) != is_folder(r)) {
            fail(to, is_folder(r) ? "a file is in the way of a folder" : "a folder is in the way of a file");
        } else if (is_folder(r)) {
            sub_folders.emplace_back(r.cFileName, there != nullptr);
        } else if (!there || IsFirstFileNewerThanSecondFile(&r, there) == 1) {
            copy(from, to);
        } else {
            ++counts_.skipped;
        }
    }
    if (options_.remove && !targets.empty()) {
        std::vector<std::string> extras;
        for (const auto& entry : targets) extras.push_back(entry.second->cFileName);
        remove_extras(source, target, extras);
    }
    for (const auto& [name, there] : sub_folders) {
        const std::string to = joined(target, name);
        if (!there) {
            if (options_.dry_run) {
                out("mkdir " + to);
            } else if (myMkdir(to.c_str()) != 0) {
                fail(to, "the folder cannot be made");
                continue;
            }
        }
        folder(joined(source, name), to, there);
    }
}
}  // namespace

int cmd_sync(const Args& args) {
    Options options;
    std::vector<std::string> paths;
    for (const std::string& a : args) {
        if (a == "--delete") options.remove = true;
        else if (a == "--dry-run") options.dry_run = true;
        else paths.push_back(without_final_yen(windows_path(a)));
    }
    if (paths.size() != 2) {
        err("usage: ferro sync [--delete] [--dry-run] SRC DST");
        return 2;
    }
    const std::string& source = paths[0];
    const std::string& target = paths[1];
    std::string probe = source;
    if (IsDirectoryAttribute(probe.data()) != 4) {
        err("ferro sync: '" + source + "': no such folder");
        return 1;
    }
    ResetCancellingFlags(0);
    ResetCopiedTotalSize();
    ReleaseOutputFileMemoryHandle();
    SetReturnedValueForDeleteOperation(0);
    SetDlgBoxItemsForDeleting(nullptr, 0, 0, 0, 0, nullptr, nullptr, 0);
    SetMultipleFilesForDeleting(nullptr, nullptr);

    Sync sync(options);
    probe = target;
    const bool target_there = IsDirectoryAttribute(probe.data()) == 4;
    if (!target_there && options.dry_run) {
        out("mkdir " + target);
    } else if (!target_there && IsAlertMakedir(nullptr, target.c_str()) != 0) {
        return 1;  // the engine's box said why
    }
    sync.folder(source, target, target_there);

    const bool listed = GetOutputFileList() != nullptr;
    if (listed) {
        err("");
        err(GetOutputFileList());
    }
    ReleaseOutputFileMemoryHandle();
    const Counts& c = sync.counts();
    outf("%s%d copied, %d skipped, %d deleted, %d failed\n", options.dry_run ? "dry run: " : "", c.copied, c.skipped,
         c.deleted, c.failed);
    return c.failed || listed ? 1 : 0;
}
}  // namespace host
