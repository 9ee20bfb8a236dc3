// ferro attrib: shows the attributes of the files a pattern names, or
// changes them through the engine walk's attribute-change mode. The files
// are listed first; each group that ends with the same attributes is then
// changed in one walk limited to the group's names.
#include <windows.h>
#include <map>
#include <string>
#include <vector>
#include "commands.h"
#include "console.h"
#include "fileops/delete.h"
#include "frame/message_pump.h"
#include "frame/paths.h"
#include "programs/error_report.h"
#include "search/search_conditions.h"

namespace host {
namespace {
struct Change {
    DWORD set = 0, clear = 0;
};

bool parse_change(const std::string& a, Change& change) {
    if (a.size() != 2 || (a[0] != '+' && a[0] != '-')) return false;
    DWORD bit = 0;
    switch (a[1]) {
    case 'R': case 'r': bit = FILE_ATTRIBUTE_READONLY; break;
    case 'H': case 'h': bit = FILE_ATTRIBUTE_HIDDEN; break;
    case 'S': case 's': bit = FILE_ATTRIBUTE_SYSTEM; break;
    case 'A': case 'a': bit = FILE_ATTRIBUTE_ARCHIVE; break;
    default: return false;
    }
    if (a[0] == '+') {
        change.set |= bit;
        change.clear &= ~bit;
    } else {
        change.clear |= bit;
        change.set &= ~bit;
    }
    return true;
}

constexpr DWORD kChangeable =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

void print_attributes(const std::string& path) {
    char letters[8] = {};
    GetAttributeChar(static_cast<LONG>(GetFileAttributesA(path.c_str())), letters);
    out(std::string(letters) + " " + path);
}

}  // namespace

int cmd_attrib(const Args& args) {
    Change change;
    std::vector<Target> targets;
    std::vector<std::string> shown;
    for (const std::string& a : args) {
        if ((a[0] == '+' || a[0] == '-') && a.size() == 2) {
            if (!parse_change(a, change)) {
                err("ferro attrib: unknown attribute '" + a + "' (R, H, S or A)");
                return 2;
            }
        } else {
            Target t;
            std::string error;
            if (!resolve_pattern(a, t, error)) {
                err("ferro attrib: " + error + "; nothing changed");
                return 1;
            }
            targets.push_back(t);
            shown.push_back(a);
        }
    }
    if (targets.empty()) {
        err("usage: ferro attrib [+R|-R|+H|-H|+S|-S|+A|-A] PATTERN...");
        return 2;
    }
    ReleaseSearchedNameInFileName();
    int status = 0;
    for (size_t i = 0; i < targets.size(); ++i) {
        const std::vector<std::string> files = list_matches(targets[i].pattern, false);
        if (files.empty()) {
            err("ferro attrib: '" + shown[i] + "': nothing matched");
            status = 1;
            continue;
        }
        if (change.set || change.clear) {
            // The files grouped by the attributes they are to have.
            std::map<DWORD, std::vector<std::string>> groups;
            for (const std::string& f : files) {
                const DWORD now = GetFileAttributesA(f.c_str());
                if (now == INVALID_FILE_ATTRIBUTES) continue;
                const DWORD wanted = ((now & kChangeable) | change.set) & ~change.clear;
                if (wanted != (now & kChangeable)) groups[wanted].push_back(name_of(f));
            }
            for (auto& [wanted, names] : groups) {
                std::vector<LPSTR> select;
                for (std::string& n : names) select.push_back(n.data());
                select.push_back(nullptr);
                ResetCancellingFlags(0);
                ReleaseOutputFileMemoryHandle();
                SetChangeAttrInFileName(wanted);
                SetMultipleFilesForDeleting(select.data(), nullptr);
                SetNoHourCursorInDelwild(1);
                SetDlgBoxItemsForDeleting(nullptr, 0, 0, 0, 0, nullptr, nullptr, 0x100);
                const LONG result =
                    DelWild(nullptr, nullptr, kWildAttributes, nullptr, nullptr, targets[i].pattern.c_str(), nullptr);
                if (result == -1 || (-result & (kDeleteFailed | kDeleteStopped))) {
                    err("ferro attrib: '" + shown[i] + "': some attributes could not be changed");
                    if (const char* list = GetOutputFileList()) err(list);
                    status = 1;
                }
                ReleaseOutputFileMemoryHandle();
            }
            SetChangeAttrInFileName(0);
        }
        for (const std::string& f : files) print_attributes(f);
    }
    return status;
}
}  // namespace host
