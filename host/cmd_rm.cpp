// ferro rm: deletes files by pattern, or whole folders, through the
// engine's wildcard walk. Every argument is checked before anything is
// deleted.
#include <windows.h>
#include <string>
#include <vector>
#include "commands.h"
#include "console.h"
#include "fileops/delete.h"
#include "frame/message_pump.h"
#include "programs/error_report.h"

namespace host {
namespace {
bool has_wildcard(const std::string& s) { return s.find_first_of("*?") != std::string::npos; }
}  // namespace

bool resolve_pattern(const std::string& argument, Target& target, std::string& error) {
    const std::string path = without_final_yen(windows_path(argument));
    if (path.empty() || path.size() > 500) {
        error = "'" + argument + "': bad path";
        return false;
    }
    const size_t yen = last_yen(path);
    const std::string name = name_of(path);
    const DWORD attributes = has_wildcard(name) ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        target.folder = true;
        target.pattern = joined(path, "*.*");
        return true;
    }
    const std::string folder = yen == std::string::npos ? "." : path.substr(0, yen + 1);
    const DWORD folder_attributes = GetFileAttributesA(folder.c_str());
    if (folder_attributes == INVALID_FILE_ATTRIBUTES || !(folder_attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        error = "'" + argument + "': no such folder";
        return false;
    }
    if (!has_wildcard(name) && attributes == INVALID_FILE_ATTRIBUTES) {
        error = "'" + argument + "': no such file or folder";
        return false;
    }
    target.folder = false;
    target.pattern = path;
    return true;
}

int cmd_rm(const Args& args) {
    bool force = false, trash = false;
    std::vector<Target> targets;
    std::vector<std::string> shown;
    for (const std::string& a : args) {
        if (a == "--force") {
            force = true;
        } else if (a == "--trash") {
            trash = true;
        } else if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
            err("ferro rm: unknown option '" + a + "'");
            return 2;
        } else {
            Target t;
            std::string error;
            if (!resolve_pattern(a, t, error)) {
                err("ferro rm: " + error + "; nothing deleted");
                return 1;
            }
            targets.push_back(t);
            shown.push_back(a);
        }
    }
    if (targets.empty()) {
        err("usage: ferro rm [--force] [--trash] PATTERN...");
        return 2;
    }
    int status = 0;
    for (size_t i = 0; i < targets.size(); ++i) {
        ResetCancellingFlags(0);
        ReleaseOutputFileMemoryHandle();
        SetAllDelByForce(force ? 1 : 0);
        SetTrashActivated(trash ? 1 : 0, 0);
        SetNoHourCursorInDelwild(1);
        const LONG options = kWildDelete | (targets[i].folder ? kWildDescend | kWildSelf : 0);
        LONG count = 0;
        const LONG result = DelWild(nullptr, nullptr, options, &count, nullptr, targets[i].pattern.c_str(), nullptr);
        const LONG failed = -result & (kDeleteSkipped | kDeleteFailed | kDeleteStopped);
        if (result == -1) {
            err("ferro rm: '" + shown[i] + "': out of memory");
            status = 1;
        } else if (failed) {
            err("ferro rm: '" + shown[i] + "': some entries were not deleted" +
                (force ? std::string() : " (read-only? try --force)"));
            if (const char* list = GetOutputFileList()) err(list);
            status = 1;
        } else if (count == 0) {
            err("ferro rm: '" + shown[i] + "': nothing matched");
            status = 1;
        }
        ReleaseOutputFileMemoryHandle();
    }
    SetAllDelByForce(0);
    SetTrashActivated(0, 0);
    return status;
}
}  // namespace host
