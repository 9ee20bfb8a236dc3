// The drive list: building it, adding and removing one drive, the longest
// strings, and the release of its blocks.
#include <cstring>
#include "frame/memory_blocks.h"
#include "frame/paths.h"
#include "fs/drive_list_internal.h"
#include "fs/drives.h"
#include "ferromes.h"

namespace ferro::fs {
namespace {
constexpr UINT kComputerText = 8127;  // "[ﾏｲｺﾝﾋﾟｭｰﾀ]"
constexpr UINT kNetworkText = 8128;   // "[ﾏｲﾈｯﾄﾜｰｸ]"

// The entries and an end entry that stays zero.
DriveEntry g_entries[kMaxDriveEntries + 1];
int g_count;
int g_network_index = -1;

// Longest raw strings, by bytes and by pixel width.
struct Longest {
    char bytes_text[kRawDriveMax + 1];
    std::size_t bytes;
    char pixel_text[kRawDriveMax + 1];
    int pixels;
    bool last_bytes;
    bool last_pixels;
} g_longest;

const char* text_of(const DriveEntry& e) { return e.text ? e.text : ""; }

void reset_longest() { g_longest = Longest{}; }

void note_longest(HWND window, const char* raw) {
    std::size_t n = std::strlen(raw);
    g_longest.last_bytes = n > g_longest.bytes;
    if (g_longest.last_bytes) {
        g_longest.bytes = n;
        copy_whole_chars(g_longest.bytes_text, raw, kRawDriveMax);
    }
    int width = GetStrWidth(window, nullptr, raw);
    g_longest.last_pixels = width > g_longest.pixels;
    if (g_longest.last_pixels) {
        g_longest.pixels = width;
        copy_whole_chars(g_longest.pixel_text, raw, kRawDriveMax);
    }
}

// Measures every entry again; the entry `changed` is measured last, so that
// the flags say whether it holds a maximum.
void measure_all(HWND window, int changed) {
    reset_longest();
    for (int i = 0; i < g_count; ++i)
        if (i != changed) note_longest(window, text_of(g_entries[i]));
    if (changed >= 0 && changed < g_count) note_longest(window, text_of(g_entries[changed]));
}

HBITMAP from_table(const HBITMAP* table, int type) {
    return table && type >= 0 && type < kTypeTableSize ? table[type] : nullptr;
}

// The raw string: type digit, letter, colon, name.
void compose(char (&raw)[kRawDriveMax + 1], int type, char letter, const char* name) {
    raw[0] = static_cast<char>('0' + type);
    raw[1] = letter;
    raw[2] = ':';
    copy_whole_chars(raw + 3, name, kRawDriveMax - 3);
}

// Stores the raw string in the entry's block (kept locked).
void store(DriveEntry& e, const char* raw) { e.text = GetStringPointer(&e.block, e.text, raw); }

void free_entry(DriveEntry& e) {
    if (e.block) FreeStringPointer(e.block, e.text);
    e = DriveEntry{};
}

void free_entries() {
    for (int i = 0; i < g_count; ++i) free_entry(g_entries[i]);
    g_count = 0;
    g_network_index = -1;
}

char letter_case(int letter, int flags) {
    char c = static_cast<char>(letter & ~0x20);  // capital
    return (flags & 6) == 6 ? static_cast<char>(c | 0x20) : c;
}

// The pseudo-drive's raw string from its message.
void make_pseudo(DriveEntry& e, int type, char letter, UINT message, const HBITMAP* small_table,
                 const HBITMAP* large_table) {
    MyLoadString(message, 0);
    char raw[kRawDriveMax + 1];
    compose(raw, type, letter, GetLoadStrMessage());
    e.type = type;
    e.small_bitmap = from_table(small_table, type);
    e.large_bitmap = from_table(large_table, type);
    store(e, raw);
}

// A letter entry; the volume name of a CD-ROM or removable drive is not read.
void make_letter(DriveEntry& e, int type, char letter, const HBITMAP* small_table, const HBITMAP* large_table) {
    const char* name = "";
    if (type != kDriveCdRom && type != kDriveRemovable) {
        char root[4] = {letter, ':', '\\', '\0'};
        name = ReadAndSaveVolumeName(root);
    }
    char raw[kRawDriveMax + 1];
    compose(raw, type, letter, name);
    e.type = type;
    e.small_bitmap = from_table(small_table, type);
    e.large_bitmap = from_table(large_table, type);
    store(e, raw);
}

bool is_letter(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
int upper(int c) { return c >= 'a' && c <= 'z' ? c - 0x20 : c; }
}  // namespace

int drive_count() { return g_count; }

const DriveEntry* entry_at(int i) { return i >= 0 && i < g_count ? &g_entries[i] : nullptr; }

int list_index(int index, BOOL with_first) {
    long long i = static_cast<long long>(index) + (with_first ? 0 : 1);
    return i >= 0 && i < g_count ? static_cast<int>(i) : -1;
}

int find_letter(int letter) {
    if (letter <= 0 || letter > 0xff) return -1;
    for (int i = 0; i < g_count; ++i) {
        const char* t = g_entries[i].text;
        if (t && t[0] && upper(static_cast<unsigned char>(t[1])) == upper(letter)) return i;
    }
    return -1;
}

int type_number(UINT system_type) {
    switch (system_type) {
    case DRIVE_FIXED: return kDriveFixed;
    case DRIVE_REMOTE: return kDriveNetwork;
    case DRIVE_CDROM: return kDriveCdRom;
    case DRIVE_REMOVABLE: return kDriveRemovable;
    case DRIVE_RAMDISK: return kDriveRamDisk;
    default: return kDriveNone;
    }
}

int letter_type_number(int letter) {
    if (!is_letter(letter)) return kDriveNone;
    if (!(GetLogicalDrives() & (1u << (upper(letter) - 'A')))) return kDriveNone;
    char root[4] = {static_cast<char>(upper(letter)), ':', '\\', '\0'};
    return type_number(GetDriveTypeA(root));
}
}  // namespace ferro::fs

using namespace ferro::fs;

LONG WINAPI SaveDriveMemoryAndGetDriveStringAndBtmp(HWND window, const HBITMAP* smallBitmaps,
                                                    const HBITMAP* largeBitmaps, int flags) {
    free_entries();
    reset_longest();
    make_pseudo(g_entries[g_count], kDriveComputer, kComputerLetter, kComputerText, smallBitmaps, largeBitmaps);
    note_longest(window, text_of(g_entries[g_count++]));
    if (!network_disabled()) {
        g_network_index = g_count;
        make_pseudo(g_entries[g_count], kDriveNetworkRoot, kNetworkLetter, kNetworkText, smallBitmaps,
                    largeBitmaps);
        note_longest(window, text_of(g_entries[g_count++]));
    }
    for (int letter = 'A'; letter <= 'Z' && g_count < kMaxDriveEntries; ++letter) {
        int type = letter_type_number(letter);
        if (type == kDriveNone) continue;
        make_letter(g_entries[g_count], type, letter_case(letter, flags), smallBitmaps, largeBitmaps);
        note_longest(window, text_of(g_entries[g_count++]));
    }
    return g_count - 1;
}

LONG WINAPI AddDriveMemoryAndGetDriveStringAndBtmp(HWND window, const HBITMAP* smallBitmaps,
                                                   const HBITMAP* largeBitmaps, int flags, int letter) {
    if (!is_letter(letter) || find_letter(letter) >= 0 || g_count >= kMaxDriveEntries) return -1;
    int type = letter_type_number(letter);
    if (type == kDriveNone) return -1;
    // Its place: after the pseudo-drives, in the order of the alphabet.
    int at = g_count;
    for (int i = 0; i < g_count; ++i) {
        int c = upper(static_cast<unsigned char>(text_of(g_entries[i])[1]));
        if (is_letter(c) && c > upper(letter)) {
            at = i;
            break;
        }
    }
    std::memmove(&g_entries[at + 1], &g_entries[at], sizeof(DriveEntry) * static_cast<std::size_t>(g_count - at));
    g_entries[at] = DriveEntry{};
    ++g_count;
    make_letter(g_entries[at], type, letter_case(letter, flags), smallBitmaps, largeBitmaps);
    measure_all(window, at);
    return g_count - 1;
}

LONG WINAPI RemoveDriveMemoryAndGetDriveStringAndBtmp(HWND window, const HBITMAP*, const HBITMAP*, int,
                                                      int letter) {
    int at = is_letter(letter) ? find_letter(letter) : -1;
    if (at < 0) return -1;
    free_entry(g_entries[at]);
    std::memmove(&g_entries[at], &g_entries[at + 1], sizeof(DriveEntry) * static_cast<std::size_t>(g_count - at));
    g_entries[--g_count] = DriveEntry{};
    measure_all(window, -1);
    g_longest.last_bytes = g_longest.last_pixels = false;
    return g_count - 1;
}

int WINAPI SetVolumeNameInDriveString(HWND window, int letter) {
    int at = find_letter(letter);
    if (at < 0) return -1;
    DriveEntry& e = g_entries[at];
    if (e.type == kDriveComputer || e.type == kDriveNetworkRoot) return at;
    char root[4] = {static_cast<char>(upper(letter)), ':', '\\', '\0'};
    char raw[kRawDriveMax + 1];
    compose(raw, e.type, text_of(e)[1], ReadAndSaveVolumeName(root));
    store(e, raw);
    measure_all(window, at);
    return at;
}

LONG WINAPI FreeDriveMemoryHandle() {
    free_entries();
    reset_longest();
    free_file_system_names();
    return 1;
}

LONG WINAPI GetNumberOfDrive(BOOL withFirst) { return withFirst || g_count == 0 ? g_count : g_count - 1; }
int WINAPI GetNetworkDriveNumber() { return g_network_index; }
LPSTR WINAPI GetMaxDriveString() { return g_longest.bytes_text; }
LPSTR WINAPI GetMaxDriveStringInPixel() { return g_longest.pixel_text; }
BOOL WINAPI IsThisVolumeMaxVolumeString() { return g_longest.last_bytes; }
BOOL WINAPI IsThisVolumeMaxVolumeStringInPixel() { return g_longest.last_pixels; }

LONG WINAPI SetDriveBitmap(const HBITMAP* smallBitmaps, const HBITMAP* largeBitmaps) {
    for (int i = 0; i < g_count; ++i) {
        g_entries[i].small_bitmap = from_table(smallBitmaps, g_entries[i].type);
        g_entries[i].large_bitmap = from_table(largeBitmaps, g_entries[i].type);
    }
    return g_count;
}
