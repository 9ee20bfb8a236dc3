// The file specifications of the two panes (the wildcard filters offered in
// each pane's combo box) and the host's file-data record.
#include <windows.h>
#include <cstring>

#include "frame/message_box.h"
#include "listing/listing_store.h"

namespace {
constexpr LONG kSpecs = 100;
HGLOBAL g_specs[2][kSpecs + 1];  // each pane's table and its terminating entry
LONG g_spec_number[2];
LONG g_spec_changed;

// Pane 1 (or the target selector 4) is the target pane; anything else the source.
int pane_of(LONG pane) { return (pane == 1 || pane == 4) ? 1 : 0; }

bool store_spec(HGLOBAL& block, LPCSTR spec) {
    const SIZE_T size = std::strlen(spec) + 1;
    HGLOBAL fresh = block ? GlobalReAlloc(block, size, GMEM_MOVEABLE | GMEM_ZEROINIT)
                          : GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!fresh) return false;
    block = fresh;
    char* p = static_cast<char*>(GlobalLock(block));
    if (!p) return false;
    std::memcpy(p, spec, size);
    GlobalUnlock(block);
    return true;
}
}  // namespace

HGLOBAL WINAPI GetFileSpecHandle(LONG index, LONG pane) {
    if (index < 0 || index > kSpecs) return nullptr;
    return g_specs[pane_of(pane)][index];
}
HGLOBAL* WINAPI GetFileSpecHandleAddress(LONG pane) { return g_specs[pane_of(pane)]; }
LONG WINAPI GetFileSpecNumber(LONG pane) { return g_spec_number[pane_of(pane)]; }
LONG WINAPI SetFileSpecNumber(LONG value, LONG pane) { return g_spec_number[pane_of(pane)] = value; }
LONG WINAPI SetAllFileSpecNumber(LONG value) { return g_spec_number[0] = g_spec_number[1] = value; }
LONG WINAPI IsFileSpecChanged() { return g_spec_changed; }
LONG WINAPI AddFileSpecChanged(LONG bits) { return g_spec_changed |= bits; }

LONG WINAPI SetDefaultFileSpec() {
    static const char* const kDefaults[] = {"*.com", "*.exe", "*.doc", "*.txt", "*.ini",
                                            "*.bmp", "*.h",   "*.c",   "*.*",   ""};
    LONG stored = 1;
    for (int pane = 0; pane < 2; ++pane)
        for (int i = 0; i < 10; ++i)
            if (!store_spec(g_specs[pane][i], kDefaults[i])) stored = 0;
    SetAllFileSpecNumber(9);
    return stored;
}

LONG WINAPI SaveAllFileSpec(HWND, LONG index, LPCSTR spec) {
    if (!spec || index < 0 || index >= kSpecs) return 0;
    return store_spec(g_specs[0][index], spec) && store_spec(g_specs[1][index], spec) ? 1 : 0;
}

LONG WINAPI FreeFileSpecMemory() {
    for (auto& pane : g_specs)
        for (HGLOBAL& block : pane) {
            if (block) GlobalFree(block);
            block = nullptr;
        }
    return 1;
}

// ---- The host's file-data record

HGLOBAL WINAPI SaveToGlobalFdata(HWND window, HGLOBAL block, FileDataRecord record) {
    if (!record.field1[0]) {
        record.field2[0] = record.field3[0] = record.field4[0] = '\0';
    }
    HGLOBAL target = block ? block : GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(FileDataRecord));
    void* p = target ? GlobalLock(target) : nullptr;
    if (!p || GlobalSize(target) < sizeof(FileDataRecord)) {
        if (p) GlobalUnlock(target);
        if (target && !block) GlobalFree(target);
        MyLoadMessageBox(window, 1096, 1097, MB_OK | MB_ICONSTOP);
        return nullptr;
    }
    // The text fields are stored terminated, whatever the caller left in them.
    record.field1[sizeof record.field1 - 1] = record.field2[sizeof record.field2 - 1] = '\0';
    record.field3[sizeof record.field3 - 1] = record.field4[sizeof record.field4 - 1] = '\0';
    record.field5[sizeof record.field5 - 1] = record.field6[sizeof record.field6 - 1] = '\0';
    std::memcpy(p, &record, sizeof record);
    GlobalUnlock(target);
    return target;
}
