// Questions about the entries of the drive list: type, letter, names,
// bitmaps, and the letters of a set of types.
#include <cstring>
#include "frame/mbcs.h"
#include "frame/text.h"
#include "fs/drive_list_internal.h"
#include "fs/drives.h"
#include "ferromes.h"

using namespace ferro::fs;

namespace {
constexpr int kBeyond = -11;
constexpr UINT kNetworkText = 8128;

char g_raw[kRawDriveMax + 1];
char g_drive_name[kRawDriveMax + 1];
char g_volume[kRawDriveMax + 1];
char g_cased[kRawDriveMax + 1];

// The entry's raw string, or null outside the list.
const char* raw_at(int index, BOOL with_first) {
    const DriveEntry* e = entry_at(list_index(index, with_first));
    if (!e) return nullptr;
    return e->text ? e->text : "";
}

// The part of a raw string from byte `from` on (empty when shorter).
const char* part(const char* raw, std::size_t from) { return std::strlen(raw) >= from ? raw + from : ""; }

LPSTR copy_part(char (&out)[kRawDriveMax + 1], int index, BOOL with_first, std::size_t from) {
    const char* raw = raw_at(index, with_first);
    char whole[kRawDriveMax + 1];
    copy_whole_chars(whole, raw ? raw : "", kRawDriveMax);
    copy_whole_chars(out, part(whole, from), kRawDriveMax);
    return out;
}

int upper(int c) { return c >= 'a' && c <= 'z' ? c - 0x20 : c; }

bool same_without_case(const char* a, const char* b) {
    return std::strlen(a) == std::strlen(b) && (*a == '\0' || j_lstristr(a, b) == a);
}
}  // namespace

int WINAPI myGetDriveType(int index, BOOL withFirst) {
    const char* raw = raw_at(index, withFirst);
    if (!raw) return kBeyond;
    if (raw[0] >= '0' && raw[0] <= '9') return raw[0] - '0';
    return entry_at(list_index(index, withFirst))->type;
}

int WINAPI GetDriveCharacter(int index, BOOL withFirst) {
    const char* raw = raw_at(index, withFirst);
    return raw ? static_cast<unsigned char>(part(raw, 1)[0]) : kBeyond;
}

int WINAPI GetDrOfUpperCharcter(int index, BOOL withFirst) {
    int c = GetDriveCharacter(index, withFirst);
    return c == kBeyond ? c : upper(c);
}

int WINAPI GetDrNumberFromCharacter(int letter, BOOL withFirst) {
    int at = find_letter(letter);
    if (at < 0) return -1;
    return withFirst ? at : at - 1;
}

LPSTR WINAPI GetRawDriveName(int index, BOOL withFirst) { return copy_part(g_raw, index, withFirst, 0); }
LPSTR WINAPI GetDriveName(int index, BOOL withFirst) { return copy_part(g_drive_name, index, withFirst, 1); }
LPSTR WINAPI GetVolumeName(int index, BOOL withFirst) { return copy_part(g_volume, index, withFirst, 3); }

LPSTR WINAPI GetDriveNameForCharaterSet(int index, int mode, BOOL withFirst) {
    copy_part(g_cased, index, withFirst, 1);
    if (mode & 4) return ConvertDosCharacterSet(g_cased, mode);
    if (g_cased[0]) g_cased[0] = static_cast<char>(upper(static_cast<unsigned char>(g_cased[0])));
    if (std::strlen(g_cased) > 2) {
        char* volume = g_cased + 2;
        AnsiLowerMacro(volume);
        if (!ferro::mbcs::is_lead(static_cast<unsigned char>(volume[0])))
            volume[0] = static_cast<char>(SetCharacterUpper(static_cast<unsigned char>(volume[0])));
    }
    return g_cased;
}

int WINAPI GetVolumeNameFromDrNumber(LPSTR out, int index, LPBOOL isNone, int length, BOOL withFirst) {
    const char* raw = raw_at(index, withFirst);
    if (isNone) *isNone = TRUE;
    if (!raw) {
        if (out && length > 0) *out = '\0';
        return kBeyond;
    }
    const char* volume = part(raw, 3);
    if (isNone) *isNone = *volume == '\0' || IsVolumeNameEmpty(volume);
    if (!out || length <= 0) return 0;
    std::size_t max = static_cast<std::size_t>(length) - 1;
    if (max > kVolumeMax) max = kVolumeMax;
    return static_cast<int>(copy_whole_chars(out, volume, max));
}

LPSTR WINAPI GetVolumeNameFromDriveString(LPCSTR s) { return s ? const_cast<LPSTR>(s) + 2 : nullptr; }
LPSTR WINAPI GetVolumeNameFromRawDriveString(LPCSTR s) { return s ? const_cast<LPSTR>(s) + 3 : nullptr; }
LPSTR WINAPI GetDriveNameFromRawDriveString(LPCSTR s) { return s ? const_cast<LPSTR>(s) + 1 : nullptr; }

BOOL WINAPI IsVolumeNameSame(LPCSTR name, int index, BOOL withFirst) {
    const char* raw = raw_at(index, withFirst);
    return raw && name && same_without_case(part(raw, 3), name);
}

int WINAPI ListDriveTypeAsString(LPSTR out, UINT mask) {
    if (!out) return 0;
    int n = 0;
    for (int i = 0; i < drive_count(); ++i) {
        const DriveEntry* e = entry_at(i);
        if (e->type >= 0 && e->type < 32 && (mask & (1u << e->type)) && e->text && e->text[0])
            out[n++] = e->text[1];
    }
    out[n] = '\0';
    return n;
}

BOOL WINAPI IsAssignedNetdrve(int letter) {
    char letters[kMaxDriveEntries + 2];
    ListDriveTypeAsString(letters, 1u << kDriveNetwork);
    for (const char* p = letters; *p; ++p)
        if (upper(static_cast<unsigned char>(*p)) == upper(letter)) return TRUE;
    return FALSE;
}

BOOL WINAPI IsDriveMyComputer(LPCSTR s) { return s && s[0] == kComputerLetter; }

BOOL WINAPI IsDriveIncludeMyNetworkString(LPCSTR s) {
    if (!s || network_disabled()) return FALSE;
    MyLoadString(kNetworkText, 0);
    const char* network = GetLoadStrMessage();
    return *network && j_lstrrstr(s, network) != nullptr;
}

BOOL WINAPI IsMyComputerIncludedInList() {
    const DriveEntry* e = entry_at(0);
    return e && e->type == kDriveComputer;
}

HBITMAP WINAPI GetOrDriveBmp(int index, BOOL isSmall) {
    const DriveEntry* e = entry_at(list_index(index, TRUE));
    return e ? (isSmall ? e->small_bitmap : e->large_bitmap) : nullptr;
}

HBITMAP WINAPI GetDriveBmp(int index, BOOL isSmall) {
    int at = list_index(index, FALSE);
    return at < 0 ? nullptr : GetOrDriveBmp(at, isSmall);
}
