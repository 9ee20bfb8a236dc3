// What the binding keeps for the host besides the slots: the DOS archivers,
// the selected archive entries, the type words and the archiver strings.
#include <array>
#include "archive/archiver.h"
#include "frame/memory_blocks.h"

namespace {
// The archiver strings: one block per index, the last entry always null.
constexpr LONG kStringBlocks = 32;
std::array<HGLOBAL, kStringBlocks + 1> g_strings{};

HGLOBAL* block(LONG index) {
    return index >= 0 && index < kStringBlocks ? &g_strings[static_cast<std::size_t>(index)] : nullptr;
}
}  // namespace

// Words the host stores and reads back: the number of DOS archivers, the
// selected archive entries and their total, the archiver type words.
#define ARCHIVER_WORDS(WORD_OF)          \
    WORD_OF(NumberOfDosArchiver, LONG)   \
    WORD_OF(SelectedArcfiles, LONG_PTR)  \
    WORD_OF(TotalSelectedArcfiles, LONG) \
    WORD_OF(TypeOfAllArchiver, LONG)     \
    WORD_OF(TypeOfDosArchiver, LONG)
#define ARCHIVER_WORD(name, type)                                  \
    namespace {                                                    \
    type g_##name;                                                 \
    }                                                              \
    type WINAPI Set##name(type value) { return g_##name = value; } \
    type WINAPI Get##name() { return g_##name; }
ARCHIVER_WORDS(ARCHIVER_WORD)
#undef ARCHIVER_WORD
#undef ARCHIVER_WORDS

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
