#include "fs/path_spelling.h"
#include <cstring>
#include <string>
#include "frame/paths.h"
#include "frame/text.h"
#include "frame/text_internal.h"
#include "fs/dos_names.h"
#include "fs/fs_common.h"
#include "fs/network.h"

using namespace ferro;
using namespace ferro::fs;

namespace {
constexpr int kLongNames = 8;
constexpr int kShortNames = 4;
constexpr int kKeepMissing = 16;

char g_spelled[kPathSize];
bool g_busy;

bool has_lower_case(const char* s) {
    for (const char* p = s; *p; p = mbcs::next(p))
        if (*p >= 'a' && *p <= 'z') return true;
    return false;
}

bool has_wildcard(const char* s) { return mbcs::find_first(s, '*') || mbcs::find_first(s, '?'); }

// A name the file system gave in capitals only is shown with first letters
// capital, the rest small (when that setting is on).
void recase(std::string& name) {
    if (name.empty() || has_lower_case(name.c_str())) return;
    char work[kPathSize];
    if (!text::copy_bounded(work, name.c_str())) return;
    if (GetReformed95PathNameForEmptyShortName(work, "", 0)) name = work;
}

// The spelling of one found entry.
std::string entry_spelling(const WIN32_FIND_DATAA& found, const std::string& given, int mode) {
    if (mode & kLongNames) {
        std::string name = found.cFileName;
        if (!found.cAlternateFileName[0]) recase(name);
        return name;
    }
    if (mode & kShortNames) {
        if (found.cAlternateFileName[0]) return found.cAlternateFileName;
        std::string name = found.cFileName;
        if (name.size() <= 12) CharUpperBuffA(name.data(), static_cast<DWORD>(name.size()));
        return name;
    }
    return given;
}

// The end of the component that starts at p: the next single yen mark (a
// doubled yen mark stays inside the component).
const char* component_end(const char* whole, const char* p) {
    for (const char* q = p; *q; q = mbcs::next(q)) {
        if (*q != '\\' || !mbcs::char_at(whole, static_cast<std::size_t>(q - whole), '\\')) continue;
        if (q[1] == '\\') {
            ++q;
            continue;
        }
        return q;
    }
    return p + std::strlen(p);
}

// Walks the path component by component; false when the result does not fit.
bool spell(const char* work, int mode, std::string& out) {
    const char* p = work;
    if (text::is_drive_letter(work[0]) && work[1] == ':') {
        char letter = work[0];
        if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
        out.assign(1, letter);
        out += ':';
        p = work + 2;
        if (*p == '\\') {
            out += '\\';
            ++p;
        }
    } else if (work[0] == '\\' && work[1] == '\\') {
        // The server part, computer and share, stays as given.
        const char* server_end = component_end(work, work + 2);
        if (*server_end == '\\') server_end = component_end(work, server_end + 1);
        out.assign(work, server_end);
        p = server_end;
        if (*p == '\\') {
            out += '\\';
            ++p;
        }
    }
    while (*p) {
        const char* end = component_end(work, p);
        std::string given(p, end);
        std::string prefix(work, end);
        WIN32_FIND_DATAA found;
        HANDLE h = INVALID_HANDLE_VALUE;
        if (!has_wildcard(given.c_str()) && given != "." && given != "..")
            h = FindFirstFileA(prefix.c_str(), &found);
        if (h == INVALID_HANDLE_VALUE) {
            std::string rest(p);
            if (!(mode & kKeepMissing)) recase(rest);
            out += rest;
            break;
        }
        FindClose(h);
        out += entry_spelling(found, given, mode);
        if (!*end) break;
        out += '\\';
        p = end + 1;
    }
    return out.size() < kPathSize;
}

struct BusyGuard {
    BusyGuard() { g_busy = true; }
    ~BusyGuard() { g_busy = false; }
};
}  // namespace

LPSTR WINAPI GetReformed95PathNameFromOS(LPSTR path, int mode, int inPlace) {
    if (g_busy) return path;
    if (text::is_empty(path)) return nullptr;
    BusyGuard guard;
    DWORD saved_error = GetLastError();
    char work[kPathSize];
    if (!text::copy_bounded(work, path)) return path;
    text::strip_quotes(work);
    std::string result;
    bool only_last = false;
    if (IsRootDir(work) || IsNetRootDir(work)) {
        result = work;
        if (result[0] >= 'a' && result[0] <= 'z') result[0] = static_cast<char>(result[0] - 'a' + 'A');
    } else if (IsDriveMyNetwork(work) && myGet95PathNameFromNetOS(work, mode, g_spelled) != 0) {
        result = g_spelled;
    } else {
        int saved = 0;
        char* fs_name = work;
        if (IsDriveMyNetwork(work)) fs_name = MakeNetworkFolderName(work, &saved);
        if (IsDriveMyNetwork(work) && saved == 0) {
            result = work;  // no file-system name: kept as given
        } else {
            char full[kPathSize];
            const char* walk = fs_name;
            if (!mbcs::find_first(fs_name, text::kYen) && my_Searchenv(fs_name, full, sizeof full) == 0) {
                walk = full;
                only_last = true;
            }
            const bool spelled = spell(walk, mode, result);
            if (saved > 0) RecoverNetworkFolderName(fs_name, saved);
            if (!spelled)
                result = work;
            else if (saved > 0)  // the browsing form given keeps its network name
                result = std::string(work, static_cast<std::size_t>(fs_name - work) + 1) + result.substr(1);
        }
    }
    if (only_last) {
        const char* yen = mbcs::find_last(result.c_str(), text::kYen);
        if (yen) result.erase(0, static_cast<std::size_t>(yen - result.c_str()) + 1);
    }
    if (result.size() >= kPathSize) result = work;
    std::memcpy(g_spelled, result.c_str(), result.size() + 1);
    SetLastError(saved_error);
    if (inPlace == 1) return g_spelled;
    std::memcpy(path, g_spelled, result.size() + 1);
    return path;
}

LPSTR WINAPI ConvertWin95CharacterSet(LPSTR path, int mode, int inPlace) {
    LPSTR spelled = GetReformed95PathNameFromOS(path, mode, inPlace);
    if (spelled && (mode & kShortNames)) ConvertDosCharacterSet(spelled, mode);
    return spelled;
}
