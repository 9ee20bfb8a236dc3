// ferro lnk: shortcut files through the engine: show what shortcuts hold,
// make one, and replace a folder name inside every shortcut of a tree.
#include <windows.h>
#include <objbase.h>
#include <cstring>
#include <string>
#include <vector>
#include "commands.h"
#include "console.h"
#include "fileops/delete.h"
#include "frame/message_pump.h"
#include "frame/paths.h"
#include "programs/error_report.h"
#include "programs/shortcut.h"
#include "viewer/file_helpers.h"

namespace host {
namespace {
const char* show_name(int show) {
    switch (show) {
    case SW_SHOWMAXIMIZED: return "maximized";
    case SW_SHOWMINNOACTIVE:
    case SW_SHOWMINIMIZED: return "minimized";
    default: return "normal";
    }
}

// What failed, from the outcome bits.
std::string failure(LONG bits) {
    if (bits & (kLinkNoObject | kLinkNoPersist)) return "the shell's link object is not available";
    if (bits & kLinkUnreadable) return "not a readable shortcut";
    if (bits & kLinkPifUnreadable) return "not a readable .pif file";
    if (bits & (kLinkOtherType | kLinkNoExtension)) return "not a shortcut (.lnk or .pif)";
    if (bits & kLinkEmpty) return "names no target";
    return {};
}

int show(const Args& files) {
    if (files.empty()) {
        err("ferro lnk show: no shortcut given");
        return 2;
    }
    int code = 0;
    SetNoErrorMessageAtLinkedFileInfomation(1);
    SetNoResolveTechnique(1);
    for (const std::string& file : files) {
        const std::string path = windows_path(file);
        char target[520] = "", folder[520] = "", arguments[520] = "", description[520] = "", icon[520] = "";
        int show_command = SW_SHOWNORMAL, index = 0;
        if (path.size() > 519) {
            err("ferro lnk show: '" + file + "': path too long");
            code = 1;
            continue;
        }
        std::strcpy(target, path.c_str());
        const LONG bits = GetLnkExeName(nullptr, target, folder, arguments, description, &show_command, icon, &index);
        const std::string why = failure(bits);
        if (!why.empty()) {
            err("ferro lnk show: '" + file + "': " + why);
            code = 1;
            continue;
        }
        out(path);
        out(std::string("  target:      ") + target);
        out(std::string("  folder:      ") + folder);
        out(std::string("  arguments:   ") + arguments);
        if (*description) out(std::string("  description: ") + description);
        out(*icon ? std::string("  icon:        ") + icon + "," + std::to_string(index) : std::string("  icon:        "));
        out(std::string("  show:        ") + show_name(show_command) + " (" + std::to_string(show_command) + ")");
    }
    return code;
}

int make(const Args& args) {
    std::vector<std::string> plain;
    std::string arguments, folder, icon;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string* value = a == "--args" ? &arguments : a == "--dir" ? &folder : a == "--icon" ? &icon : nullptr;
        if (value) {
            if (i + 1 >= args.size()) {
                err("ferro lnk make: " + a + " needs a value");
                return 2;
            }
            *value = args[++i];
        } else if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
            err("ferro lnk make: unknown option '" + a + "'");
            return 2;
        } else {
            plain.push_back(a);
        }
    }
    if (plain.size() != 2) {
        err("ferro lnk make: LINK and TARGET expected");
        return 2;
    }
    const std::string link = windows_path(plain[0]), target = windows_path(plain[1]);
    if (!folder.empty()) folder = windows_path(folder);
    if (!icon.empty()) icon = windows_path(icon);
    SetNoErrorMessageAtLinkedFileInfomation(1);
    const LONG bits = SetLnkExeName(nullptr, link.c_str(), target.c_str(), arguments.c_str(), nullptr, folder.c_str(),
                                    SW_SHOWNORMAL, icon.c_str(), 0);
    if (bits != 0) {
        err("ferro lnk make: '" + plain[0] + "': the shortcut could not be written");
        return 1;
    }
    out(link);
    return 0;
}

int replace(const Args& args) {
    std::vector<std::string> plain;
    bool arguments = false, simulate = false;
    for (const std::string& a : args) {
        if (a == "--args") arguments = true;
        else if (a == "--simulate") simulate = true;
        else if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
            err("ferro lnk replace: unknown option '" + a + "'");
            return 2;
        } else {
            plain.push_back(a);
        }
    }
    if (plain.size() != 3) {
        err("ferro lnk replace: OLD NEW DIR expected");
        return 2;
    }
    const std::string old_folder = windows_path(plain[0]), new_folder = windows_path(plain[1]);
    const std::string folder = without_final_yen(windows_path(plain[2]));
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        err("ferro lnk replace: '" + plain[2] + "': no such folder");
        return 2;
    }
    if (!SetOldAndNewDirectoryForShortCut(old_folder.c_str(), new_folder.c_str())) {
        err("ferro lnk replace: folder names of 260 bytes or more");
        return 2;
    }
    SearchConditionsForShortCut(kMatchFront | kMatchFolderUnit | kMatchAllFolderUnit);
    ReplaceItemOfOptionForShortCut(arguments ? 1 : 0);
    SetSomeAreReplacedAtShortcut(0);
    ReleaseOutputFileMemoryHandle();
    ResetCancellingFlags(0);
    LONG stop = 0, count = 0;
    const LONG result = DelWild(nullptr, &stop, kWildShortcuts | kWildDescend | (simulate ? LONG(kWildSimulate) : 0L), &count,
                                folder.c_str(), "*.lnk", nullptr);
    const bool failed = IsReturnedValueHitForDeleteOperation(result, -kDeleteFailed) != 0;
    if (const char* report = GetOutputFileList()) {
        char temp[520];
        GetTemporaryFolderByEnv(temp);
        const std::string file = joined(temp, "_rplcsc_.txt");
        if (SaveFile(file.c_str(), report, FILE_ATTRIBUTE_ARCHIVE, 0, nullptr, nullptr)) out("report: " + file);
        std::string text = report;
        for (std::size_t at = 0, end; at < text.size(); at = end + 2) {
            end = text.find("\r\n", at);
            if (end == std::string::npos) end = text.size();
            out(text.substr(at, end - at));
        }
    }
    outf("%ld shortcut(s) %s%s\n", static_cast<long>(count), simulate ? "would change (or fail)" : "changed or failed",
         failed ? ", some failed" : "");
    ReleaseOutputFileMemoryHandle();
    return failed || stop ? 1 : 0;
}
}  // namespace

int cmd_lnk(const Args& args) {
    if (args.empty()) {
        err("ferro lnk: show, make or replace expected");
        return 2;
    }
    InitializeSHFunctionByOLE();
    const Args rest(args.begin() + 1, args.end());
    int code;
    if (args[0] == "show") code = show(rest);
    else if (args[0] == "make") code = make(rest);
    else if (args[0] == "replace") code = replace(rest);
    else {
        err("ferro lnk: unknown action '" + args[0] + "'");
        code = 2;
    }
    ClearShortcutFile();
    CoUninitialize();
    return code;
}
}  // namespace host
