// The excluded-name lists of the copy: two texts the host writes (folder
// names; file names and patterns), cut into one entry table of at most 255
// entries, and the test of a path against it.
#include <algorithm>
#include <iterator>
#include <cstring>
#include "fileops/copy.h"
#include "frame/paths.h"
#include "frame/text_internal.h"
#include "frame/wildcards.h"

namespace {
namespace mbcs = ferro::mbcs;
namespace text = ferro::text;

constexpr int kLists = 2;  // 0 folder names, 1 file names and patterns
constexpr int kFolderList = 0;
constexpr std::size_t kListText = 4095;          // the text the host writes, with its NUL
constexpr std::size_t kListBlock = kListText + 2;  // and room for the second NUL after it
constexpr int kSlots = 256;
constexpr int kMostEntries = kSlots - 1;  // a null pointer ends the table

// Entry types and match codes.
constexpr LONG kExactName = 0x1;
constexpr LONG kPattern = 0x2;
constexpr LONG kFolderName = 0x4;
constexpr LONG kMarked = 0x200;
constexpr LONG kFileNameType = kExactName | kPattern;  // 3
constexpr LONG kInverted = 0x2;                        // bit of the active word

struct Cut {
    char* at = nullptr;      // where the item's separator was (null: the text ended there)
    char* period = nullptr;  // the period of a final ".*", cut too
};

HGLOBAL g_blocks[kLists];
char* g_texts[kLists];
char g_separator = ';';
LONG g_active;
char* g_entries[kSlots];
LONG g_types[kSlots];
LONG g_saved_types[kSlots];
Cut g_cuts[kSlots];

bool is_slot(LONG index) { return index >= 0 && index < kSlots; }

void clear_table() {
    std::fill(std::begin(g_entries), std::end(g_entries), nullptr);
    std::fill(std::begin(g_types), std::end(g_types), 0);
    std::fill(std::begin(g_cuts), std::end(g_cuts), Cut{});
}

bool equal_without_case(const char* a, const char* b) {
    while (*a && *b) {
        const int size = mbcs::char_size(a);
        if (mbcs::char_size(b) != size ||
            text::fold_char(reinterpret_cast<const unsigned char*>(a), size) !=
                text::fold_char(reinterpret_cast<const unsigned char*>(b), size))
            return false;
        a += size;
        b += size;
    }
    return *a == *b;
}

// The entry of one file-list item: a name, or a pattern by extension (".ext"
// from "*.ext") or by base name ("base" from "base.*"); any other star
// pattern stays as written and matches no name (names hold no star).
char* classify_file_item(char* item, std::size_t length, LONG pattern_type, LONG* type, Cut* cut) {
    if (!mbcs::find_first(item, '*')) {
        *type = kFileNameType;
        return item;
    }
    *type = pattern_type;
    if (item[0] == '*' && item[1] == '.') return item + 1;
    if (length >= 2 && item[length - 1] == '*' && mbcs::char_at(item, length - 2, '.')) {
        cut->period = item + length - 2;
        *cut->period = '\0';
    }
    return item;
}

// Cuts one list into the table from slot `next`; returns the next free slot.
int divide_list(int list, LONG pattern_type, int next) {
    char* list_text = g_texts[list];
    if (!list_text) return next;
    list_text[kListText - 1] = '\0';
    list_text[std::strlen(list_text) + 1] = '\0';
    char* item = list_text;
    while (*item && next < kMostEntries) {
        char* separator = mbcs::find_first(item, g_separator);
        if (separator == item) break;  // an empty item ends the list
        Cut cut;
        std::size_t length = separator ? static_cast<std::size_t>(separator - item) : std::strlen(item);
        if (separator) {
            cut.at = separator;
            *separator = '\0';
        }
        LONG type = kFolderName;
        char* entry = list == kFolderList ? item : classify_file_item(item, length, pattern_type, &type, &cut);
        g_entries[next] = entry;
        g_types[next] = type;
        g_cuts[next] = cut;
        ++next;
        if (!separator) break;
        item = separator + 1;
    }
    return next;
}

bool matches(const char* name, const char* entry, LONG type) {
    if (type & (kFolderName | kExactName)) return equal_without_case(name, entry);
    if (entry[0] == '.') return IsExtMatched(name, entry + 1) != FALSE;
    return IsNameMatched(name, entry) != nullptr;
}

LONG match_code(LONG type) { return (type & kFolderName) ? 4 : (type & kExactName) ? 3 : 2; }

void remove_final_separator(char* list_text) {
    std::size_t length = std::strlen(list_text);
    if (mbcs::ends_with(list_text, length, g_separator)) list_text[length - 1] = '\0';
}
}  // namespace

LPSTR WINAPI GetExcludedNamePointerInMyCopyFile(LONG index) {
    if (index < 0 || index >= kLists) return nullptr;
    if (!g_texts[index]) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kListBlock);
        char* locked = block ? static_cast<char*>(GlobalLock(block)) : nullptr;
        if (!locked) {
            if (block) GlobalFree(block);
            return nullptr;
        }
        g_blocks[index] = block;
        g_texts[index] = locked;
    }
    return g_texts[index];
}

LONG WINAPI SetExcludedActiveForMyCopyFile(LONG value) {
    g_active = value;
    return value;
}

LONG WINAPI AddExcludedActiveForMyCopyFile(LONG bits) {
    g_active |= bits;
    return bits;
}

LONG WINAPI IsExcludedTypeForMyCopyFile() { return g_active; }

LONG WINAPI DivideExcludedForMyCopyFile(LONG mark) {
    clear_table();
    if (g_active == 0) return 0;
    const LONG pattern_type = mark ? (kMarked | kPattern) : kPattern;
    int next = divide_list(kFolderList, pattern_type, 0);
    divide_list(1, pattern_type, next);
    return 2;
}

LPSTR WINAPI GetSeparatedExcludedFileForMyCopyFile(LONG index) { return is_slot(index) ? g_entries[index] : nullptr; }
LONG WINAPI GetExcludedTypeForMyCopyFile(LONG index) { return is_slot(index) ? g_types[index] : 0; }

LONG WINAPI SetExcludedTypeForMyCopyFile(LONG index, LONG type) {
    if (!is_slot(index)) return 0;
    return g_types[index] = type;
}

LONG WINAPI SaveExcludedTypeForMyCopyFile() {
    std::copy(std::begin(g_types), std::end(g_types), std::begin(g_saved_types));
    std::fill(std::begin(g_types), std::end(g_types), 0);
    return 1;
}

LONG WINAPI RecoverExcludedTypeForMyCopyFile() {
    std::copy(std::begin(g_saved_types), std::end(g_saved_types), std::begin(g_types));
    return 1;
}

LONG WINAPI IsExcludedFileForMyCopyFile(LPCSTR path, LONG kind) {
    if (g_active == 0 || !g_entries[0] || !path) return 0;
    char work[text::kPathSize];
    if (!text::copy_bounded(work, path)) return 0;
    if (kind == kFolderName) ExtractPath(work, nullptr);
    const char* name = GetFileName(nullptr, work);
    if (!name) return 0;
    bool kind_listed = false;
    LONG code = 0;
    for (int i = 0; g_entries[i] && !code; ++i) {
        if (!(g_types[i] & kind)) continue;
        kind_listed = true;
        if (matches(name, g_entries[i], g_types[i])) code = match_code(g_types[i]);
    }
    if (!kind_listed) return 0;
    if (g_active & kInverted) return code ? 0 : 1;
    return code;
}

// The table points into the cut texts; once they are joined it is emptied.
LONG WINAPI MakeCopyExcludedForMyCopyFile() {
    for (int i = 0; g_entries[i]; ++i) {
        if (g_cuts[i].period) *g_cuts[i].period = '.';
        const bool rejoin = (g_types[i] & kFolderName) || !(g_types[i] & kMarked);
        if (g_cuts[i].at && rejoin) *g_cuts[i].at = g_separator;
    }
    for (char* list_text : g_texts)
        if (list_text) remove_final_separator(list_text);
    clear_table();
    return 1;
}

LONG WINAPI ResetSeparatedExcludedFileForMyCopyFile() {
    for (char* list_text : g_texts)
        if (list_text) std::memset(list_text, 0, kListBlock);
    g_active = 0;
    clear_table();
    return 1;
}

LONG WINAPI FreeMemoryForCopyExcludedString() {
    clear_table();
    LONG freed = 0;
    for (int i = 0; i < kLists; ++i) {
        if (!g_blocks[i]) continue;
        GlobalUnlock(g_blocks[i]);
        GlobalFree(g_blocks[i]);
        g_blocks[i] = nullptr;
        g_texts[i] = nullptr;
        freed = 1;
    }
    return freed;
}
