// Roots, network forms and the parts of a path: every function works in
// place on the caller's buffer and takes a yen mark for a separator only at
// a single-byte position.
#include <cstring>
#include <string>
#include "frame/mbcs.h"
#include "frame/paths.h"
#include "frame/text.h"
#include "frame/text_internal.h"

using namespace ferro;
using text::kPathMax;
using text::kPathSize;
using text::kQuote;
using text::kYen;

namespace {
BOOL g_last_yen_removed = FALSE;
BOOL g_network_disabled = FALSE;  // the application has switched the network off

// The period that starts the extension of the last component: the last
// period with no yen mark after it.
const char* extension_period(const char* name, std::size_t len) {
    const char* period = mbcs::find_last(name, len, '.');
    if (!period || mbcs::find_first(name, kYen, period + 1)) return nullptr;
    return period;
}

// Sets aside a closing quotation mark (distinct from an opening one).
bool take_closing_mark(char* s, std::size_t& len) {
    if (len > (s[0] == kQuote ? 1u : 0u) && mbcs::ends_with(s, len, kQuote)) {
        s[--len] = '\0';
        return true;
    }
    return false;
}

bool is_separator_at_end(const char* s, std::size_t len) { return mbcs::ends_with(s, len, kYen); }
}  // namespace

namespace ferro::text {
bool has_root(const char* path) {
    for (const char* colon = mbcs::find_first(path, ':'); colon; colon = mbcs::find_first(path, ':', colon + 1))
        if (colon[1] == kYen) return true;
    return false;
}
}  // namespace ferro::text

// ---- Roots and network forms

BOOL WINAPI IsRootDir(LPCSTR p) {
    return p && text::is_drive_letter(p[0]) && p[1] == ':' && p[2] == kYen && p[3] == '\0';
}
BOOL WINAPI IsRootDirIncluded(LPCSTR p) { return !text::is_empty(p) && text::has_root(p); }
BOOL WINAPI IsNetRootDir(LPCSTR p) { return p && p[0] == kYen && p[1] == kYen && p[2] == '\0'; }
BOOL WINAPI IsDriveMyNetwork(LPCSTR p) { return !g_network_disabled && text::is_network_form(p); }
BOOL WINAPI IsDriveSystemNetwork(LPCSTR p) { return p && p[0] == kYen && p[1] == kYen; }
BOOL WINAPI SetNetworkDisabledByApplication(BOOL value) { return g_network_disabled = value; }
BOOL WINAPI IsNetworkDisabledByApplication() { return g_network_disabled; }

// ---- Separators

LPSTR WINAPI GetFileFromPathWithYen(LPCSTR path) {
    if (text::is_empty(path)) return nullptr;
    return const_cast<LPSTR>(mbcs::find_last(path, kYen));
}

LPSTR WINAPI FindYenMark(LPCSTR path) {
    if (text::is_empty(path)) return nullptr;
    return const_cast<LPSTR>(text::first_separator(path));
}

LPSTR WINAPI GetSubDirectoryFromPath(LPCSTR path) { return FindYenMark(path); }

LPSTR WINAPI GetFileName(LPSTR out, LPSTR path) {
    if (text::is_empty(path)) {
        if (out && out != path) *out = '\0';
        return nullptr;
    }
    std::size_t len = std::strlen(path);
    const char* yen = mbcs::find_last(path, len, kYen);
    if (yen == path && text::is_network_form(path)) yen = nullptr;  // scanned from the second byte
    char* name = yen ? const_cast<char*>(yen) + 1 : path;
    if (!out) return name;
    if (out != path && !text::copy_bounded(out, name, kPathSize)) {
        *out = '\0';
        return nullptr;
    }
    if (out == path) std::memmove(path, name, std::strlen(name) + 1);
    text::balance_quotes(out, kPathSize, false);
    return out;
}

LPSTR WINAPI GetDirectoryPathInFile(LPSTR path) {
    if (text::is_empty(path)) return nullptr;
    if (!text::last_separator(path, std::strlen(path)) && !mbcs::find_first(path, ':')) return nullptr;
    Remove95Quotation(path);
    if (char* yen = text::last_separator(path, std::strlen(path))) {
        yen[text::is_root_yen(path, yen) ? 1 : 0] = '\0';
        return path;
    }
    if (char* colon = mbcs::find_first(path, ':')) {
        colon[1] = '\0';
        return path;
    }
    return nullptr;
}

namespace {
LPSTR cut_at_last_yen(LPSTR path, LPSTR saved, bool keep_root_yen) {
    if (text::is_empty(path)) return nullptr;
    char* yen = text::last_separator(path, std::strlen(path));
    if (!yen) return nullptr;
    char* at = keep_root_yen && text::is_root_yen(path, yen) ? yen + 1 : yen;
    if (saved) *saved = *at;
    *at = '\0';
    return at;
}
}  // namespace

LPSTR WINAPI ExtractPath(LPSTR path, LPSTR saved) { return cut_at_last_yen(path, saved, true); }
LPSTR WINAPI ExtractPathWithoutRootYen(LPSTR path, LPSTR saved) { return cut_at_last_yen(path, saved, false); }

BOOL WINAPI RecoverPath(LPSTR position, int saved) {
    if (!position) return FALSE;
    *position = static_cast<char>(saved);
    return TRUE;
}

LPSTR WINAPI GetPathRestricted(LPSTR path) {
    if (text::is_empty(path)) return nullptr;
    char* yen = text::last_separator(path, std::strlen(path));
    if (!yen) return nullptr;
    yen[1] = '\0';
    return path;
}

// ---- Periods, extensions and spaces

LPSTR WINAPI GetFileExtension(LPCSTR name) {
    if (text::is_empty(name)) return nullptr;
    const char* period = mbcs::find_last(name, '.');
    if (!period || period[1] == '\0' || period[1] == kYen || period[1] == '/') return nullptr;
    if (mbcs::find_first(name, kYen, period + 1)) return nullptr;
    return const_cast<LPSTR>(period + 1);
}

LPSTR WINAPI FindPeriod(LPCSTR name, LPBOOL inQuote) {
    if (!name) return nullptr;
    for (const char* p = name; *p; p = mbcs::next(p)) {
        if (*p == '.') return const_cast<LPSTR>(p);
        if (*p == kQuote && inQuote) *inQuote = !*inQuote;
    }
    return nullptr;
}

LPSTR WINAPI FindPeriodFromEnd(LPCSTR name, LPBOOL inQuote) {
    if (!name) return nullptr;
    const char* period = mbcs::find_last(name, '.');
    if (inQuote) {
        // the marks passed on the way back from the end to the period
        for (const char* p = period ? period : name; *p; p = mbcs::next(p))
            if (*p == kQuote) *inQuote = !*inQuote;
    }
    return const_cast<LPSTR>(period);
}

LPSTR WINAPI FindSpace(LPCSTR s) { return s ? const_cast<LPSTR>(mbcs::find_first(s, ' ')) : nullptr; }
LPSTR WINAPI FindSpaceFromEnd(LPCSTR s) { return s ? const_cast<LPSTR>(mbcs::find_last(s, ' ')) : nullptr; }

LPSTR WINAPI AddFileExtensionWithPeriod(LPSTR name, LPCSTR extension) {
    if (text::is_empty(name) || text::is_empty(extension)) return nullptr;
    std::size_t len = std::strlen(name), ext = std::strlen(extension);
    if (len + 1 + ext > kPathMax) return nullptr;
    name[len] = '.';
    std::memcpy(name + len + 1, extension, ext + 1);
    return name;
}

LPSTR WINAPI RemoveFileExtension(LPSTR name) {
    if (text::is_empty(name)) return nullptr;
    std::size_t len = std::strlen(name);
    bool closing = take_closing_mark(name, len);
    char* period = const_cast<char*>(extension_period(name, len));
    if (period) {
        *period = '\0';
        len = static_cast<std::size_t>(period - name);
    }
    if (closing) {
        name[len] = kQuote;
        name[len + 1] = '\0';
    }
    text::balance_quotes(name, kPathSize, true);
    return period ? name : nullptr;
}

LPSTR WINAPI ChangeExt(LPSTR name, LPCSTR other) {
    if (text::is_empty(name) || !other) return nullptr;
    std::string from(other);
    std::size_t from_len = from.size();
    take_closing_mark(from.data(), from_len);
    from.resize(from_len);
    const char* from_period = extension_period(from.c_str(), from_len);
    std::string result(name);
    std::size_t len = result.size();
    bool closing = take_closing_mark(result.data(), len);
    result.resize(len);
    if (const char* period = extension_period(result.c_str(), len)) result.resize(static_cast<std::size_t>(period - result.c_str()));
    if (from_period && from_period[1]) result += from_period;
    if (closing) result += kQuote;
    if (result.size() > kPathMax) return nullptr;
    std::memcpy(name, result.c_str(), result.size() + 1);
    text::balance_quotes(name, kPathSize, true);
    return name;
}

// ---- Final separators

BOOL WINAPI RemoveLastYenmark(LPSTR path) {
    g_last_yen_removed = FALSE;
    if (text::is_empty(path)) return FALSE;
    std::size_t len = std::strlen(path);
    if (len == 1 || !is_separator_at_end(path, len) || text::is_root_yen(path, path + len - 1)) return FALSE;
    path[len - 1] = '\0';
    return g_last_yen_removed = TRUE;
}
BOOL WINAPI IsRemoveLastYenmark() { return g_last_yen_removed; }
BOOL WINAPI SetRemoveLastYenmark(BOOL value) { return g_last_yen_removed = value; }

LPSTR WINAPI AddLastYenmark(LPSTR path) {
    if (text::is_empty(path)) return nullptr;
    std::size_t len = std::strlen(path);
    if (is_separator_at_end(path, len) || len + 1 > kPathMax) return nullptr;
    path[len] = kYen;
    path[len + 1] = '\0';
    return path + len;
}

BOOL WINAPI RemoveLastKugiri(LPSTR s, int character) {
    if (text::is_empty(s) || character <= 0 || character > 0xff) return FALSE;
    std::size_t len = std::strlen(s);
    if (!mbcs::ends_with(s, len, static_cast<char>(character))) return FALSE;
    s[len - 1] = '\0';
    return TRUE;
}

int WINAPI GetNumberOfYenmarkinDirectoryWithoutYenmakAtLastEnd(LPCSTR path) {
    if (text::is_empty(path)) return 0;
    int count = 0;
    const char* p = path;
    for (; *p; p = mbcs::next(p))
        if (*p == kYen) ++count;
    if (count > 1 && is_separator_at_end(path, static_cast<std::size_t>(p - path))) --count;
    return count;
}

int WINAPI IsMultiFolders(LPCSTR path) {
    if (text::is_empty(path)) return 0;
    bool network = text::is_network_form(path);
    const char* p = path;
    if (network || (text::is_drive_letter(path[0]) && path[1] == ':')) p += 2;
    int count = 0;
    bool after_yen = false;
    for (; *p; p = mbcs::next(p)) {
        bool yen = *p == kYen;
        if (yen && !after_yen) ++count;
        after_yen = yen;
    }
    return network ? ~count : count;
}

// ---- URL separators

LPSTR WINAPI GetUrlKugiriFileName(LPCSTR url, BOOL withSlash) {
    if (!url) return nullptr;
    const char* slash = mbcs::find_last(url, '/');
    if (!slash) return const_cast<LPSTR>(url);
    return const_cast<LPSTR>(withSlash ? slash : slash + 1);
}

namespace {
LPSTR cut_at_last_slash(LPSTR url, LPSTR saved, int offset) {
    if (text::is_empty(url)) return nullptr;
    char* slash = mbcs::find_last(url, '/');
    if (!slash) return nullptr;
    char* at = slash + offset;
    if (saved) *saved = *at;
    *at = '\0';
    return at;
}
}  // namespace

LPSTR WINAPI GetUrlKugiriDirectoryPathInFile(LPSTR url, LPSTR saved) { return cut_at_last_slash(url, saved, 0); }
LPSTR WINAPI GetUrlKugiriDirectoryPathInFileWithLastUrlKugiri(LPSTR url, LPSTR saved) {
    return cut_at_last_slash(url, saved, 1);
}

int WINAPI ReplaceSlashByYenmark(LPSTR s) { return text::replace_char(s, '/', kYen); }
int WINAPI ReplaceYenmarkBySlash(LPSTR s) { return text::replace_char(s, kYen, '/'); }

LPSTR WINAPI RemoveLastSlash(LPSTR s) {
    if (text::is_empty(s)) return nullptr;
    std::size_t len = std::strlen(s);
    if (!mbcs::ends_with(s, len, '/')) return nullptr;
    s[len - 1] = '\0';
    return s + len - 1;
}

BOOL WINAPI RecoverBackSlash(LPSTR position) {
    if (!position) return FALSE;
    *position = '/';
    return TRUE;
}

// ---- Environment and attributes

// The variable is read in UTF-16 and converted here: the ANSI call of Wine
// measures the value in UTF-16 units and cuts the last byte of every
// double-byte character beyond that count ("W:\\表" came back as "W:\\\x95").
int WINAPI GetTemporaryFolderByEnv(LPSTR buffer) {
    if (!buffer) return 0;
    for (const wchar_t* name : {L"TEMP", L"TMP", L"WORK", L"RAM"}) {
        wchar_t wide[kPathSize];
        DWORD n = GetEnvironmentVariableW(name, wide, static_cast<DWORD>(kPathSize));
        if (n == 0 || n >= kPathSize) continue;
        int bytes = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(n), buffer, static_cast<int>(kPathMax),
                                        nullptr, nullptr);
        if (bytes <= 0) continue;  // more than 519 bytes
        buffer[bytes] = '\0';
        return bytes;
    }
    *buffer = '\0';
    return 0;
}

LPSTR WINAPI GetAttributeChar(LONG attributes, LPSTR out) {
    if (!out) return nullptr;
    if (attributes < 0) {
        *out = '\0';
        return nullptr;
    }
    out[0] = (attributes & FILE_ATTRIBUTE_ARCHIVE) ? 'A' : '-';
    out[1] = (attributes & FILE_ATTRIBUTE_READONLY) ? 'R' : '-';
    out[2] = (attributes & FILE_ATTRIBUTE_HIDDEN) ? 'H' : '-';
    out[3] = (attributes & FILE_ATTRIBUTE_SYSTEM) ? 'S' : '-';
    out[4] = '-';
    out[5] = '\0';
    return out;
}

BOOL WINAPI IsAttributeActive(LONG attributes, LONG mask) { return attributes >= 0 && (attributes & mask) != 0; }
