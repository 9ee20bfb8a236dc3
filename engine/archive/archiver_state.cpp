// What the binding keeps for the host besides the slots: the DOS archivers,
// the selected archive entries, the type words and the archiver strings.
#include <array>
#include "archive/archiver.h"
#include "frame/memory_blocks.h"

namespace {
LONG g_dos_archivers;
LONG_PTR g_selected_entries;
LONG g_total_selected;
LONG g_type_of_all;
LONG g_type_of_dos;

// The archiver strings: one block per index, the last entry always null.
constexpr LONG kStringBlocks = 32;
std::array<HGLOBAL, kStringBlocks + 1> g_strings{};

HGLOBAL* block(LONG index) {
    return index >= 0 && index < kStringBlocks ? &g_strings[static_cast<std::size_t>(index)] : nullptr;
}
}  // namespace

LONG WINAPI SetNumberOfDosArchiver(LONG value) { return g_dos_archivers = value; }
LONG WINAPI GetNumberOfDosArchiver() { return g_dos_archivers; }
LONG_PTR WINAPI SetSelectedArcfiles(LONG_PTR value) { return g_selected_entries = value; }
LONG_PTR WINAPI GetSelectedArcfiles() { return g_selected_entries; }
LONG WINAPI SetTotalSelectedArcfiles(LONG value) { return g_total_selected = value; }
LONG WINAPI GetTotalSelectedArcfiles() { return g_total_selected; }
LONG WINAPI SetTypeOfAllArchiver(LONG value) { return g_type_of_all = value; }
LONG WINAPI GetTypeOfAllArchiver() { return g_type_of_all; }
LONG WINAPI SetTypeOfDosArchiver(LONG value) { return g_type_of_dos = value; }
LONG WINAPI GetTypeOfDosArchiver() { return g_type_of_dos; }

HGLOBAL WINAPI SaveArchiverHandle(HWND window, LONG index, LPCSTR text) {
    HGLOBAL* b = block(index);
    if (!b || !text) return nullptr;
    HGLOBAL saved = SaveToGlobalMemory(window, *b, text);
    if (saved) *b = saved;
    return saved;
}

LPSTR WINAPI LockArchiverHandle(LONG index) {
    HGLOBAL* b = block(index);
    return b && *b ? static_cast<LPSTR>(GlobalLock(*b)) : nullptr;
}

LONG WINAPI UnlockArchiverHandle(LONG index) {
    HGLOBAL* b = block(index);
    return b && *b ? GlobalUnlock(*b) : 0;
}

LONG WINAPI FreeArchiverHandle() {
    for (HGLOBAL& h : g_strings) {
        if (!h) continue;
        while (GlobalFlags(h) & GMEM_LOCKCOUNT) GlobalUnlock(h);
        GlobalFree(h);
        h = nullptr;
    }
    return 1;
}
