// ferro find: searches a folder tree by name, date, size and attributes
// through the engine's walk in its listing mode; the listing target block
// collects the paths, which are printed one a line.
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include "commands.h"
#include "console.h"
#include "fileops/delete.h"
#include "frame/message_pump.h"
#include "frame/paths.h"
#include "search/search_conditions.h"

namespace host {
namespace {

// "YYYY-MM-DD" or "YYYY-MM-DD HH:MM[:SS]" (also with a "T") as a local file time.
bool parse_date(const std::string& text, ULONGLONG& out) {
    SYSTEMTIME st = {};
    unsigned y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    char sep = 0;
    int n = std::sscanf(text.c_str(), "%4u-%2u-%2u%c%2u:%2u:%2u", &y, &mo, &d, &sep, &h, &mi, &s);
    if (n != 3 && !(n >= 6 && (sep == ' ' || sep == 'T'))) return false;
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(mo);
    st.wDay = static_cast<WORD>(d);
    st.wHour = static_cast<WORD>(h);
    st.wMinute = static_cast<WORD>(mi);
    st.wSecond = static_cast<WORD>(s);
    FILETIME ft;
    if (!SystemTimeToFileTime(&st, &ft)) return false;
    out = (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return true;
}

bool parse_size(const std::string& text, ULONGLONG& out) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 19) return false;
    out = std::strtoull(text.c_str(), nullptr, 10);
    return true;
}

bool parse_attributes(const std::string& text, DWORD& out) {
    out = 0;
    for (char c : text) {
        switch (c) {
        case 'R': case 'r': out |= FILE_ATTRIBUTE_READONLY; break;
        case 'H': case 'h': out |= FILE_ATTRIBUTE_HIDDEN; break;
        case 'S': case 's': out |= FILE_ATTRIBUTE_SYSTEM; break;
        case 'A': case 'a': out |= FILE_ATTRIBUTE_ARCHIVE; break;
        default: return false;
        }
    }
    return out != 0;
}

// A path printed in the form it was given: a Unix folder gives Unix paths.
std::string shown_path(const std::string& path, bool unix_form) {
    if (!unix_form || path.compare(0, 2, "Z:") != 0) return path;
    char buffer[1040];
    lstrcpynA(buffer, path.c_str() + 2, sizeof buffer);
    ReplaceYenmarkBySlash(buffer);
    return buffer;
}
}  // namespace

std::vector<std::string> list_matches(const std::string& pattern, bool descend) {
    std::vector<std::string> paths;
    HGLOBAL block = nullptr;
    ResetCancellingFlags(0);
    SetNoHourCursorInDelwild(1);
    SetDlgBoxItemsForDeleting(nullptr, 0, 0, 0, 0, nullptr, nullptr, 0);  // files are listed, folders walked
    SetHandleForListedFilenameForDelWild(&block, 0);
    DelWild(nullptr, nullptr, descend ? static_cast<LONG>(kWildDescend) : 0L, nullptr, nullptr, pattern.c_str(), nullptr);
    if (block) {
        if (const char* text = static_cast<const char*>(GlobalLock(block))) {
            for (const char* p = text; *p; p += std::strlen(p) + 1) paths.push_back(p);
            GlobalUnlock(block);
        }
        GlobalFree(block);
    }
    return paths;
}

int cmd_find(const Args& args) {
    std::string folder, name, names;
    ULONGLONG newer = 0, older = 0, min_size = 0, max_size = 0;
    bool has_newer = false, has_older = false, has_min = false, has_max = false;
    DWORD mask = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool value = i + 1 < args.size();
        auto bad = [&](const char* what) {
            err("ferro find: " + a + " takes " + what);
            return 2;
        };
        if (a == "--name" && value) {
            name = args[++i];
        } else if (a == "--newer" && value) {
            if (!parse_date(args[++i], newer)) return bad("a date YYYY-MM-DD [HH:MM[:SS]]");
            has_newer = true;
        } else if (a == "--older" && value) {
            if (!parse_date(args[++i], older)) return bad("a date YYYY-MM-DD [HH:MM[:SS]]");
            has_older = true;
        } else if (a == "--min-size" && value) {
            if (!parse_size(args[++i], min_size)) return bad("a number of bytes");
            has_min = true;
        } else if (a == "--max-size" && value) {
            if (!parse_size(args[++i], max_size)) return bad("a number of bytes");
            has_max = true;
        } else if (a == "--attr" && value) {
            if (!parse_attributes(args[++i], mask)) return bad("letters of R, H, S and A");
        } else if (a == "--names" && value) {
            names = args[++i];
        } else if (a.compare(0, 2, "--") == 0) {
            err("ferro find: unknown option or missing value '" + a + "'");
            return 2;
        } else if (folder.empty()) {
            folder = a;
        } else {
            err("ferro find: one folder only");
            return 2;
        }
    }
    if (folder.empty()) {
        err("usage: ferro find DIR [--name TEXT] [--newer DATE] [--older DATE] [--min-size N] [--max-size N] "
            "[--attr RHSA] [--names LIST]");
        return 2;
    }
    if (has_min && has_max) {
        err("ferro find: give either --min-size or --max-size");
        return 2;
    }
    const std::string path = without_final_yen(windows_path(folder));
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY) || path.size() > 500) {
        err("ferro find: '" + folder + "': no such folder");
        return 1;
    }
    const bool unix_form = !folder.empty() && folder[0] == '/';

    ReleaseSearchedNameInFileName();
    FreeAllocateFoundFiles();
    if (!name.empty()) SetSearchedNameInFileName(name.c_str());
    if (has_newer || has_older) {
        const ULONGLONG from = has_newer ? newer : older;
        SetFromSearchedTimeInFileName(static_cast<DWORD>(from), static_cast<DWORD>(from >> 32));
        SetToSearchedTimeInFileName(static_cast<DWORD>(older), static_cast<DWORD>(older >> 32));
        SetTypeSearchedTimeInFileName(has_newer && has_older ? 0 : has_newer ? 2 : 1);
    }
    if (has_min || has_max) {
        const ULONGLONG limit = has_min ? min_size : max_size;
        SetSearchedSizeInFileName(static_cast<DWORD>(limit), static_cast<DWORD>(limit >> 32));
        SetTypeSearchedSizeInFileName(has_min ? 0 : 1);
    }
    SetTypeSearchedAttrInFileName(mask);
    std::string list;
    if (!names.empty()) {
        for (char c : names) list += (c == ';' || c == ',') ? '\0' : c;
        list += '\0';
        list += '\0';
        SetSearchedFileFound(list.c_str(), 0);
    }

    const std::vector<std::string> found = list_matches(joined(path, "*.*"), true);
    int status = 0;
    if (names.empty()) {
        for (const std::string& p : found) out(shown_path(p, unix_form));
    } else {
        for (FoundFileNode* node = GetHeadOfSearchedFileFoundPointer(); node;
             node = GetNextOfSearchedFileFoundPointer(node)) {
            const char* text = GetSearchedFileFoundFromPointer(node);
            if (GetBoolSearchedFileFoundFromPointer(node)) {
                out(shown_path(text, unix_form));
            } else if (text[0] != '\\') {
                err(std::string("ferro find: '") + text + "': not found");
                status = 1;
            }
        }
    }
    ReleaseSearchedNameInFileName();
    FreeAllocateFoundFiles();
    return status;
}
}  // namespace host
