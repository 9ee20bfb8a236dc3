// The option flags: exported accessors of the table in option_flags.def, the
// flags with their own rules, and the storage that the library's own code reads.
#pragma once
#include <windows.h>

#define FERRO_FLAG_EXPORTS_IS(n) LONG WINAPI Set##n(LONG value); LONG WINAPI Is##n();
#define FERRO_FLAG_EXPORTS_GET(n) LONG WINAPI Set##n(LONG value); LONG WINAPI Get##n();
#define FERRO_FLAG_EXPORTS_OR(n) FERRO_FLAG_EXPORTS_GET(n) LONG WINAPI Add##n(LONG bits);
#define FERRO_FLAG_EXPORTS_SUM(n) FERRO_FLAG_EXPORTS_GET(n) LONG WINAPI Add##n(LONG count);
#define FERRO_FLAG_EXPORTS_SIGNED_OR(n) FERRO_FLAG_EXPORTS_OR(n)
#define FERRO_FLAG_EXPORTS_TOGGLE(n) FERRO_FLAG_EXPORTS_IS(n) LONG WINAPI Toggle##n();
#define FERRO_FLAG_EXPORTS_PARAM(n) LPARAM WINAPI Set##n(LPARAM value); LPARAM WINAPI Get##n();
#define FERRO_FLAG_EXPORTS_SHOW(n) LONG WINAPI Show##n(LONG value); LONG WINAPI Get##n();
#define FERRO_FLAG_EXPORTS_ISWHAT(n) LONG WINAPI Set##n(LONG value); LONG WINAPI IsWhat##n();
#define FERRO_FLAG_EXPORTS_SET(n) LONG WINAPI Set##n(LONG value);

#define FERRO_FLAG_TYPE_IS LONG
#define FERRO_FLAG_TYPE_GET LONG
#define FERRO_FLAG_TYPE_OR LONG
#define FERRO_FLAG_TYPE_SUM LONG
#define FERRO_FLAG_TYPE_SIGNED_OR LONG
#define FERRO_FLAG_TYPE_TOGGLE LONG
#define FERRO_FLAG_TYPE_PARAM LPARAM
#define FERRO_FLAG_TYPE_SHOW LONG
#define FERRO_FLAG_TYPE_ISWHAT LONG
#define FERRO_FLAG_TYPE_SET LONG

extern "C" {
#define FLAG(name, kind, initial) FERRO_FLAG_EXPORTS_##kind(name)
#include "frame/option_flags.def"
#undef FLAG

// Pane-indexed flags. A setter's selector with bit 2 picks the source pane,
// any other the target pane; a getter's selector with bit 1 or 2 picks the
// source pane, any other the target pane. Setters return the value.
LONG WINAPI SetUpperDirExist(LONG value, LONG selector);
LONG WINAPI GetUpperDirExist(LONG selector);
LONG WINAPI SetThisRootDir(LONG value, LONG selector);
LONG WINAPI IsThisRootDir(LONG selector);
LONG WINAPI SetSelfDirectory(LONG value, LONG selector);
LONG WINAPI GetSelfDirectory(LONG selector);
// Copy the source pane's upper-folder (root-folder) flag to the target pane;
// return the value copied.
LONG WINAPI CopySrcToTgtUpperDir();
LONG WINAPI CopySrcToTgRootDir();

// The index of a list selector: bit 1 gives 2, else bit 2 gives 0, else bit 4
// gives 1, else -1.
LONG WINAPI GetOrderedTypeSelected(LONG selector);
// Sort-type-indexed flags: a selector without an index stores nothing (the
// setter returns 0) and reads 0.
LONG WINAPI KeepScrollPosition(LONG value, LONG selector);
LONG WINAPI IsKeepScrollPosition(LONG selector);
LONG WINAPI SetIncreased(LONG value, LONG selector);
LONG WINAPI GetIncreased(LONG selector);

// Per-list arrays of three entries (indexes 0 to 2); another index stores
// nothing (the setter returns 0) and reads 0. The PTR getters return the arrays.
LONG WINAPI SetFileDirWhich(LONG value, LONG index);
LONG WINAPI GetFileDirWhich(LONG index);
LONG* WINAPI GetFileDirWhichPTR();
LONG WINAPI SetSortWhich(LONG value, LONG index);
LONG WINAPI GetSortWhich(LONG index);
LONG* WINAPI GetSortWhichPTR();
// The option word of each copy operation (indexes 0 to 15; another index
// stores nothing, the setter returns -1, and reads 0).
LONG WINAPI SetCopyOptType(LONG index, LONG value);
LONG WINAPI GetCopyOptType(LONG index);

// Per-level arrays of 30001 entries. An index above the limit (a setting, at
// most and initially 30000) stores nothing, shows message 7010 and returns -1;
// a negative index stores nothing and returns -1. Getters read 0 outside 0 to 30000.
LONG WINAPI SetNumberSORTED(LONG index, LONG value);
LONG WINAPI GetNumberSORTED(LONG index);
LONG WINAPI SetNumberDEEPLevel(LONG index, LONG value);
LONG WINAPI GetNumberDEEPLevel(LONG index);
LONG WINAPI ClearnDEEPLevel();
// The limits; a value outside 0 to 30000 is stored as the nearer bound.
LONG WINAPI SetMaxNumberSORTED(LONG limit);
LONG WINAPI GetMaxNumberSORTED();
LONG WINAPI SetMaxNumberDEEPLevel(LONG limit);
LONG WINAPI GetMaxNumberDEEPLevel();

// The multiple-execute answer: -1 not asked yet, 0, 1, 2 always yes, 3 always
// no; a saved copy starts at -100 (not initialised).
LONG WINAPI SetMultipleExecuteInitialized();
LONG WINAPI IsMultipleExecuteAlwaysYes();
LONG WINAPI IsMultipleExecuteAlwaysNo();
LONG WINAPI SetMultipleExecuteFromAlways();
LONG WINAPI RecoverMultipleExecute();

// Stores 1 for bit 1, else 2 for bit 2, else 4 for bit 4, else keeps the value.
LONG WINAPI SetCharSELECTED(LONG bits);
LONG WINAPI GetCharSELECTED();
// True when the low bytes of the current and the start-up value differ.
LONG WINAPI IsDirSortingDisabledAtStartingAltered();
LONG WINAPI IsFileSortingDisabledAtStartingAltered();
// Saves SELECT_ARC and clears it; Recover restores it. Both return the saved bits.
LONG WINAPI SetNonArchivedFileUsed();
LONG WINAPI RecovernArchivedFileUsed();
LONG WINAPI GetGDI_DEFAULT();                   // always 10
LONG WINAPI GetResourseOrderedNumber(LONG i);   // 0, 1, 2, 3, -1 (-1 outside)
LONG WINAPI GetOrderedShortLong(LONG value);    // 1 when bit value 4 is clear
// Clears MOUSETRACK and releases the mouse capture. Returns 0.
LONG WINAPI ResetMouseTracking();
}

namespace ferro::flags {
#define FLAG(name, kind, initial) extern FERRO_FLAG_TYPE_##kind name;
#include "frame/option_flags.def"
#undef FLAG
}  // namespace ferro::flags
