// The item table (the marked entries an operation walks) and the dropped-item
// table beside it.
#include <cstring>
#include "ferromes.h"
#include "frame/memory_blocks.h"
#include "frame/memory_internal.h"
#include "frame/message_box.h"
#include "listing/selection.h"

namespace {
constexpr LONG kLastIndex = 30000;
constexpr LONG kCapacity = kLastIndex + 1;
constexpr UINT kTooManyItems = 7013;
constexpr UINT kAddItemTitle = 7014;
constexpr DWORD kFile = 4;
constexpr DWORD kFolder = 2;
constexpr DWORD kFolderAttribute = 0x10;

ItemRecord g_items[kCapacity];
ItemRecord g_dropped[kCapacity];
LONG g_safety = -1;
LONG g_first_attrib = 1;

bool is_folder_type(DWORD type) { return (type & kFolder) || (type & kFolderAttribute); }

bool type_matches(DWORD type, LONG mask) {
    if ((type & kFolderAttribute) && (mask & kFolder)) return true;
    return (type & static_cast<DWORD>(mask)) != 0;
}

// Notes the index while the high-water mark is on; false (after the error
// answer) when the index lies beyond the table.
bool admit(HWND window, LONG index) {
    if (g_safety >= 0 && index > g_safety) g_safety = index;
    if (index <= kLastIndex) return true;
    ErrorItemFile(window, index);
    return false;
}

void free_record(ItemRecord& r) {
    if (r.handle) ferro::free_block(r.handle);
    r.handle = nullptr;
    r.type = 0;
}

bool store_path(HWND window, ItemRecord& r, const char* text) {
    HGLOBAL h = SaveToGlobalMemory(window, r.handle, text);
    if (!h) {
        // The old block may have gone with a failed resize; keep nothing.
        r.handle = nullptr;
        r.type = 0;
        return false;
    }
    r.handle = h;
    return true;
}

LPSTR lock_record(ItemRecord* table, LONG index) {
    if (index < 0 || index > kLastIndex || !table[index].handle) return nullptr;
    return static_cast<LPSTR>(GlobalLock(table[index].handle));
}

LONG unlock_record(ItemRecord* table, LONG index) {
    if (index < 0 || index > kLastIndex || !table[index].handle) return 0;
    GlobalUnlock(table[index].handle);
    return 1;
}

// Copies one record's path and type into another table's record.
bool copy_record(HWND window, const ItemRecord& from, ItemRecord& to) {
    const char* p = from.handle ? static_cast<const char*>(GlobalLock(from.handle)) : nullptr;
    const bool ok = store_path(window, to, p ? p : "");
    if (p) GlobalUnlock(from.handle);
    if (ok) to.type = from.type;
    return ok;
}

void copy_string(char* out, const char* text, std::size_t size) {
    std::size_t n = std::strlen(text);
    if (n >= size) n = size - 1;
    std::memcpy(out, text, n);
    out[n] = '\0';
}
}  // namespace

LONG WINAPI GetMaxItemFileNumber() { return kCapacity; }

LONG WINAPI SetSafetyTotalForItemFile(LONG value) {
    g_safety = value < -1 ? -1 : value;
    return g_safety;
}

LONG WINAPI GetSafetyTotalForItemFile() { return g_safety + 1; }

LONG WINAPI ErrorItemFile(HWND window, LONG index) {
    if (g_safety >= 0) {
        if (index > g_safety) g_safety = index;
        return -1;
    }
    MyLoadString(kTooManyItems, kAddItemTitle);
    char text[1040];
    char title[520];
    wsprintfA(text, GetLoadStrMessage(), kLastIndex);
    copy_string(title, GetLoadStrTitle(), sizeof title);
    myMessageBox(window, text, title, MB_OK | MB_ICONEXCLAMATION);
    return -1;
}

LONG WINAPI SaveItemFile(HWND window, LONG index, LPCSTR path, LPCSTR droppedPath) {
    if (index < 0) return 0;
    if (!admit(window, index)) return -1;
    const char* text = path ? path : "";
    if (!store_path(window, g_items[index], text)) return 0;
    if (droppedPath && !store_path(window, g_dropped[index], text)) return 0;
    if (path && !*path) {
        g_items[index].type = 0;
        g_dropped[index].type = 0;
    }
    return 1;
}

LONG WINAPI SaveItemFileType(LONG index, LONG type, LONG alsoDropped) {
    if (index < 0) return 0;
    if (!admit(nullptr, index)) return -1;
    g_items[index].type = static_cast<DWORD>(type);
    if (alsoDropped >= 0) g_dropped[index].type = static_cast<DWORD>(type);
    return 1;
}

LONG WINAPI GetItemFileType(LONG index) {
    if (index < 0) return 0;
    if (!admit(nullptr, index)) return -1;
    return static_cast<LONG>(g_items[index].type);
}

LONG WINAPI GetDroppedItemFileType(LONG index) {
    if (index < 0) return 0;
    if (!admit(nullptr, index)) return -1;
    return static_cast<LONG>(g_dropped[index].type);
}

LPSTR WINAPI GlobalLockItemFile(LONG index) { return lock_record(g_items, index); }
LONG WINAPI GlobalUnlockItemFile(LONG index) { return unlock_record(g_items, index); }
LPSTR WINAPI GlobalLockDroppedItemFile(LONG index) { return lock_record(g_dropped, index); }
LONG WINAPI GlobalUnlockDroppedItemFile(LONG index) { return unlock_record(g_dropped, index); }

LONG WINAPI FreeItemFileAfterCurNumber(LONG index, LONG alsoDropped) {
    if (index < 0) index = 0;
    for (LONG i = index; i <= kLastIndex; ++i) {
        free_record(g_items[i]);
        if (alsoDropped >= 0) free_record(g_dropped[i]);
    }
    return 1;
}

LONG WINAPI FreeDroppedFile() {
    for (auto& r : g_dropped) free_record(r);
    return 1;
}

LONG WINAPI SaveAllDroppedFile(HWND window, const HGLOBAL* handles, const LONG* types) {
    if (!handles || !types) return 0;
    LONG files = 0, folders = 0, n = 0;
    for (; handles[n]; ++n) {
        if (!admit(window, n)) break;
        const char* p = static_cast<const char*>(GlobalLock(handles[n]));
        const bool ok = store_path(window, g_items[n], p ? p : "");
        if (p) GlobalUnlock(handles[n]);
        if (!ok) break;
        const DWORD type = static_cast<DWORD>(types[n]);
        g_items[n].type = type;
        if (type == kFile) ++files;
        else if (is_folder_type(type)) ++folders;
    }
    // What an earlier selection left behind beyond the drop is not part of it.
    FreeItemFileAfterCurNumber(n, -1);
    SetTotalFileNumberOfSelectedFoldersAndFiles(files);
    SetTotalFolderNumberOfSelectedFoldersAndFiles(folders);
    return n;
}

LONG WINAPI SaveDroppedFileFromItemFile(HWND window) {
    LONG i = 0;
    for (; i <= kLastIndex && g_items[i].handle; ++i)
        if (!copy_record(window, g_items[i], g_dropped[i])) return 0;
    for (; i <= kLastIndex; ++i) {
        if (g_dropped[i].handle && !store_path(window, g_dropped[i], "")) return 0;
        g_dropped[i].type = 0;
    }
    return 1;
}

LONG WINAPI SaveItemFileFromDroppedFile(HWND window) {
    LONG i = 0;
    for (; i <= kLastIndex && g_dropped[i].type; ++i)
        if (!copy_record(window, g_dropped[i], g_items[i])) return 0;
    // The item table ends at its first record without a block.
    FreeItemFileAfterCurNumber(i, -1);
    return 1;
}

LONG WINAPI GetFindSelectedFilesAndDirsPointers(LONG* types, HGLOBAL* handles) {
    if (!types || !handles) return 0;
    LONG i = 0;
    for (; i <= kLastIndex && g_items[i].handle; ++i) {
        types[i] = static_cast<LONG>(g_items[i].type);
        handles[i] = g_items[i].handle;
    }
    types[i] = 0;
    handles[i] = nullptr;
    return i;
}

LONG WINAPI FindTotalNumberOfAllSelectedFoldersAndFiles() {
    LONG i = 0;
    while (i <= kLastIndex && g_dropped[i].type) ++i;
    return i;
}

LONG WINAPI FindNextSelectedFilesAndDirs(LONG start, LONG* total, LONG, LONG* mask, LONG* firstType) {
    if (firstType) *firstType = (start >= 0 && start <= kLastIndex) ? static_cast<LONG>(g_dropped[start].type) : 0;
    if (!mask) return -1;
    LONG found = -1, count = 0;
    for (LONG i = start < 0 ? 0 : start + 1; i <= kLastIndex && g_dropped[i].type; ++i) {
        if (!type_matches(g_dropped[i].type, *mask)) continue;
        if (found < 0) found = i;
        ++count;
        if (!total) break;
    }
    if (total) *total = count;
    if (found < 0) *mask = 1;
    return found;
}

LONG WINAPI GetFirstSelectedItemName(LPSTR out, LONG mask) {
    if (out) *out = '\0';
    g_first_attrib = 1;
    for (LONG i = 0; i <= kLastIndex && g_dropped[i].type; ++i) {
        if (!type_matches(g_dropped[i].type, mask)) continue;
        const char* p = g_dropped[i].handle ? static_cast<const char*>(GlobalLock(g_dropped[i].handle)) : nullptr;
        if (out) copy_string(out, p ? p : "", 520);
        if (p) GlobalUnlock(g_dropped[i].handle);
        g_first_attrib = static_cast<LONG>(g_dropped[i].type);
        return i;
    }
    return -1;
}

LONG WINAPI GetFirstSelectedItemAttrib() { return g_first_attrib; }

LONG WINAPI SetFirstSelectedFileFromList(LPSTR out) {
    if (!out) return 0;
    *out = '\0';
    const char* p = GlobalLock_ghTemp();
    if (!p) return 0;
    std::size_t n = 0;
    while (p[n] && p[n] != ' ' && n < 519) ++n;
    std::memcpy(out, p, n);
    out[n] = '\0';
    GlobalUnlock_ghTemp();
    return 1;
}

LONG WINAPI GetItemFilePointers(HGLOBAL** handles, LPSTR** pointers) {
    if (!handles || !pointers) return 0;
    *handles = nullptr;
    *pointers = nullptr;
    const SIZE_T words = kCapacity + 1;
    auto* h = static_cast<HGLOBAL*>(GlobalAlloc(GPTR, words * sizeof(HGLOBAL)));
    auto* p = static_cast<LPSTR*>(GlobalAlloc(GPTR, words * sizeof(LPSTR)));
    if (!h || !p) {
        if (h) GlobalFree(h);
        if (p) GlobalFree(p);
        ferro::report_memory_failure(nullptr, ferro::kSaveToGlobalMemoryTitle, ferro::kAccessFailedDetail);
        return 0;
    }
    *handles = h;
    *pointers = p;
    return 1;
}

LONG WINAPI ReleaseItemFilePointers(HGLOBAL* handles, LPSTR* pointers) {
    if (handles) {
        for (LONG i = 0; i <= kCapacity && handles[i]; ++i) {
            if (pointers && pointers[i]) GlobalUnlock(handles[i]);
            GlobalFree(handles[i]);
        }
        GlobalFree(handles);
    }
    if (pointers) GlobalFree(pointers);
    return 1;
}

void ferro::listing::free_item_tables() {
    for (auto& r : g_items) free_record(r);
    for (auto& r : g_dropped) free_record(r);
    g_first_attrib = 1;
}
