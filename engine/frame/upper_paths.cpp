// Going up from a folder, and rewriting paths relative to a base folder and back.
#include <cstring>
#include <string>
#include "frame/folder_signs.h"
#include "frame/mbcs.h"
#include "frame/paths.h"
#include "frame/text_internal.h"

using namespace ferro;
using text::kPathMax;
using text::kPathSize;
using text::kQuote;
using text::kYen;

namespace {
constexpr int kNothingAbove = -10;
constexpr int kCutAtYen = -20;
constexpr int kRootReached = -30;

// The relative sign ("." 1 or ".." 2) that forms the whole component at p.
int sign_component(const char* p) {
    if (p[0] != '.') return 0;
    if (p[1] == kYen || p[1] == '\0') return 1;
    if (p[1] == '.' && (p[2] == kYen || p[2] == '\0')) return 2;
    return 0;
}

// The first component that is a relative sign of the wanted kinds (bit 1
// ".", bit 2 ".."), or null.
const char* find_sign(const char* path, int kinds) {
    for (const char* p = path;;) {
        if (sign_component(p) & kinds) return p;
        const char* yen = mbcs::find_first(path, kYen, p);
        if (!yen) return nullptr;
        p = yen + 1;
    }
}

bool is_whole_path(const char* path) {
    return text::has_root(path) || text::is_network_form(path[0] == kQuote ? path + 1 : path);
}

// Case-insensitive comparison of the first `n` bytes of `text` with `pattern`,
// character by character.
bool starts_with_icase(const char* text, const char* pattern, std::size_t n) {
    std::size_t i = 0;
    while (i < n) {
        int size = mbcs::char_size(pattern + i);
        if (mbcs::char_size(text + i) != size || i + static_cast<std::size_t>(size) > n) return false;
        if (text::fold_char(reinterpret_cast<const unsigned char*>(text + i), size) !=
            text::fold_char(reinterpret_cast<const unsigned char*>(pattern + i), size))
            return false;
        i += static_cast<std::size_t>(size);
    }
    return true;
}
}  // namespace

namespace ferro::text {
int up_one(char* path) {
    std::size_t len = std::strlen(path);
    if (len == 0) return 0;
    char* yen = last_separator(path, len);
    if (!yen) return 0;
    if (yen == path + len - 1) {
        // A root has nothing above it; a folder written with a final yen
        // mark goes up from the folder itself.
        if (yen == path || is_root_yen(path, yen)) return kNothingAbove;
        yen = const_cast<char*>(mbcs::find_last(path, len - 1, kYen));
        if (!yen || (yen == path && is_network_form(path))) return kNothingAbove;
    }
    int code = kCutAtYen;
    if (is_root_yen(path, yen)) {
        yen[1] = '\0';
        code = kRootReached;
    } else {
        *yen = '\0';
    }
    balance_quotes(path, kPathSize, false);
    return code;
}

bool folder_exists(const char* path) {
    char plain[kPathSize];
    if (!copy_bounded(plain, path)) return false;
    strip_quotes(plain);
    DWORD attributes = GetFileAttributesA(plain);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
}  // namespace ferro::text

int WINAPI GetUpperDirectory(LPSTR path) { return path ? text::up_one(path) : 0; }

int WINAPI IsUpperDirectoryObtained(LPSTR path) {
    if (text::is_empty(path) || !text::last_separator(path, std::strlen(path))) return -1;
    int code = 0;
    while (!text::folder_exists(path)) {
        code = text::up_one(path);
        if (code == kNothingAbove || code == 0) return kNothingAbove;
    }
    return code;
}

LPSTR WINAPI IsRelativePathSignHere(LPCSTR path) {
    return text::is_empty(path) ? nullptr : const_cast<LPSTR>(find_sign(path, 3));
}

LPSTR WINAPI IsRelativeUpperPathHere(LPCSTR path) {
    return text::is_empty(path) ? nullptr : const_cast<LPSTR>(find_sign(path, 2));
}

int WINAPI FindRelativePathFromNormalPath(LPSTR path, LPCSTR base) {
    if (text::is_empty(base) || !path) return 0;
    char work[kPathSize], folder[kPathSize];
    if (!text::copy_bounded(work, path) || !text::copy_bounded(folder, base)) return 1;
    bool quoted = text::strip_quotes(work);
    text::strip_quotes(folder);
    std::size_t folder_len = std::strlen(folder);
    if (folder_len > 1 && mbcs::ends_with(folder, folder_len, kYen) &&
        !text::is_root_yen(folder, folder + folder_len - 1))
        folder[--folder_len] = '\0';
    if (!is_whole_path(work) || !is_whole_path(folder)) return 1;
    if (text::fold_char(reinterpret_cast<const unsigned char*>(work), 1) !=
        text::fold_char(reinterpret_cast<const unsigned char*>(folder), 1))
        return 1;

    int levels = 0;
    for (;;) {
        folder_len = std::strlen(folder);
        if (starts_with_icase(work, folder, folder_len) &&
            (mbcs::ends_with(folder, folder_len, kYen) || work[folder_len] == kYen || work[folder_len] == '\0'))
            break;
        int code = text::up_one(folder);
        if (code == kNothingAbove || code == 0) return 1;
        ++levels;
    }
    const char* rest = work + folder_len;
    if (*rest == kYen) ++rest;
    std::string result;
    if (quoted) result += kQuote;
    for (int i = 0; i < levels; ++i) result += "..\\";
    if (*rest) result += rest;
    else if (levels > 0) result.pop_back();  // the folder above itself: no final yen mark
    else result += '.';                      // the base itself
    if (quoted) result += kQuote;
    if (result.size() > kPathMax) return 1;
    std::memcpy(path, result.c_str(), result.size() + 1);
    return 1;
}

int WINAPI FindNormalPathFromRelativePath(LPSTR path, LPSTR out, LPCSTR base) {
    if (!path || text::is_empty(base)) return 0;
    char* work = out ? out : path;
    if (work != path && !text::copy_bounded(work, path)) {
        *work = '\0';
        return 0;
    }
    text::replace_char(work, '/', kYen);
    if (is_whole_path(work)) return 1;
    const char* plain = work[0] == kQuote ? work + 1 : work;
    if (plain[0] != kYen && !IsRelativePathSignHere(plain)) {
        char folder[kPathSize];
        if (!text::copy_bounded(folder, base)) return 0;
        if (_myGetFullPathName(work, folder, work) == 0 && *work) return 0;
        return -2;
    }
    return IsDirnameFromDirSign(nullptr, work, base) ? -1 : 0;
}
