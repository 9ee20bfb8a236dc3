// The relative-folder signs "." and "..", and the resolution of a path that
// begins with them against a base folder.
#include <cstring>
#include "frame/folder_signs.h"
#include "frame/mbcs.h"
#include "frame/paths.h"
#include "frame/text.h"
#include "frame/text_internal.h"

using namespace ferro;
using text::kPathSize;
using text::kQuote;
using text::kYen;

namespace {
enum Sign { kSelf = 0, kUpper = 1, kYenSelf = 2, kYenUpper = 3, kRoot = 4 };
constexpr const char* kSigns[] = {".\\", "..\\", "\\.\\", "\\..\\", "\\"};

// The base folder cut to its drive root (C:\); other folders stay.
void to_drive_root(char* folder) {
    if (text::is_drive_letter(folder[0]) && folder[1] == ':') {
        folder[2] = kYen;
        folder[3] = '\0';
    }
}

// The base as a folder: without quotation marks and without a final yen mark
// (a root keeps it).
bool load_base(char* folder, const char* base) {
    if (!text::copy_bounded(folder, base)) return false;
    text::strip_quotes(folder);
    std::size_t len = std::strlen(folder);
    if (len > 1 && mbcs::ends_with(folder, len, kYen) && !text::is_root_yen(folder, folder + len - 1))
        folder[len - 1] = '\0';
    return true;
}
}  // namespace

namespace ferro::signs {
int match(const char* p) {
    if (!p) return -1;
    for (int code = kSelf; code <= kRoot; ++code)
        if (std::strncmp(p, kSigns[code], std::strlen(kSigns[code])) == 0) return code;
    return -1;
}
int length(int code) { return code >= kSelf && code <= kRoot ? static_cast<int>(std::strlen(kSigns[code])) : 0; }
}  // namespace ferro::signs

BOOL WINAPI IsSelfDirSign(LPCSTR name) { return name && std::strcmp(name, ".") == 0; }
BOOL WINAPI IsUpperDirSign(LPCSTR name) { return name && std::strcmp(name, "..") == 0; }
BOOL WINAPI IsSelfDirSignCharcterAtHead(LPCSTR name) { return name && name[0] == '.'; }
BOOL WINAPI IsUpperDirSignCharcterAtHead(LPCSTR name) { return name && name[0] == '.' && name[1] == '.'; }

// Returns 1 with the resolved path in `path`; 0 for a missing argument or
// when the resolved path would not fit in 519 bytes (`path` is then left as it was).
int WINAPI IsDirnameFromDirSign(HWND window, LPSTR path, LPCSTR base) {
    if (!path || !base) return 0;
    if (text::is_network_form(path)) return 1;
    char folder[kPathSize];
    if (!load_base(folder, base)) return 0;

    char work[kPathSize];
    if (!text::copy_bounded(work, path)) return 0;
    bool quoted = text::strip_quotes(work);
    const char* rest = work;
    if (mbcs::find_first(work, kYen)) {
        for (int code; (code = signs::match(rest)) >= 0; rest += signs::length(code)) {
            if (code == kUpper || code == kYenUpper) text::up_one(folder);
            else if (code == kRoot && rest == work) to_drive_root(folder);
        }
    }
    if (IsSelfDirSign(rest)) {
        rest += 1;
    } else if (IsUpperDirSign(rest)) {
        text::up_one(folder);
        rest += 2;
    }

    char result[kPathSize] = "";
    _myGetFullPathName(result, folder, rest);
    if (!result[0]) return 0;
    if (quoted && text::has_space(result) && !Add95Quotation(result)) return 0;
    std::memcpy(path, result, std::strlen(result) + 1);
    return 1;
}
