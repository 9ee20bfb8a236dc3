// The twelve archiver slots: what each names (library file, prefix, the
// version this library was built for) and what loading found.
#pragma once
#include <windows.h>
#include <array>

namespace ferro::archive {
inline constexpr int kKinds = 6;
inline constexpr int kRows = 2;
inline constexpr int kSlots = kKinds * kRows;

enum Status : LONG { kMissing = 1, kLoaded = 2 };
enum Check : LONG { kEqual = 1, kOlder = 2, kNewer = 4, kNotChecked = 8 };

enum Function : int {
#define ARCHIVER_FUNCTION(name, suffix, rule) k##name,
#include "archive/archiver_functions.def"
#undef ARCHIVER_FUNCTION
    kFunctionCount
};

// What a slot names. A library of "@" is none; an empty library uses the
// library of the packing slot of the same kind.
struct SlotName {
    const char* library;
    const char* prefix;
    LONG built_for;  // hundredths; -1 not checked
};

struct Slot {
    HMODULE module = nullptr;  // loaded here (never set for a slot that shares the packing slot's)
    LONG status = kMissing;
    LONG check = kNotChecked;
    LONG used_version = 0;
    std::array<FARPROC, kFunctionCount> functions{};
};

const SlotName& slot_name(int slot);
const char* extensions(int kind);  // the kind's ";"-separated list
bool is_none(const SlotName& name);
bool shares_packing_slot(const SlotName& name);
// The slot of the current row, or null for a bad row or kind.
Slot* current(LONG kind);
// The slot of row and kind, or null when either is out of range.
Slot* at(LONG row, LONG kind);
Slot& at(int slot);

// Opens the download page of the archiver installer; 1 when opened.
LONG open_installer_page(HWND window);
}  // namespace ferro::archive
