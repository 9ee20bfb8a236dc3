// Loading the archiver libraries of the twelve slots, and releasing them.
#include <cstdio>
#include <string>
#include "archive/archiver.h"
#include "archive/slots.h"
#include "frame/cursors.h"
#include "frame/message_pump.h"
#include "frame/text_internal.h"
#include "fs/dos_names.h"

using namespace ferro::archive;

namespace {
enum Rule { ALWAYS, WITH_OPEN, ISH_ONLY };
struct Lookup {
    const char* suffix;
    Rule rule;
};
constexpr Lookup kLookups[kFunctionCount] = {
#define ARCHIVER_FUNCTION(name, suffix, rule) {suffix, rule},
#include "archive/archiver_functions.def"
#undef ARCHIVER_FUNCTION
};
constexpr int kIshKind = 2;

// Forgets what a slot found, unloading the library that the slot loaded.
void release(Slot& s) {
    if (s.module) FreeLibrary(s.module);
    s.module = nullptr;
    s.functions = {};
    s.status = kMissing;
    s.check = kNotChecked;
    s.used_version = 0;
}

FARPROC find(HMODULE module, const char* prefix, const char* suffix) {
    char name[64];
    std::snprintf(name, sizeof name, "%s%s", prefix, suffix);
    return GetProcAddress(module, name);
}

// Loads the library from the full path the search found; no system box for
// a file that is not a library.
HMODULE load(const char* library) {
    char path[ferro::text::kPathSize];
    if (!IsRelatedFileExist(library, path)) return nullptr;
    const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    SetErrorMode(previous);
    return module;
}

// Every function of the data model; the slot is loaded when the command function exists.
void look_up_all(Slot& s, HMODULE module, const SlotName& name, int kind) {
    s.functions[kArchiver] = find(module, name.prefix, "");
    const bool has_open = find(module, name.prefix, "OpenArchive") != nullptr;
    for (int f = 0; f < kFunctionCount; ++f) {
        const Lookup& l = kLookups[f];
        if (l.rule == WITH_OPEN && !has_open) continue;
        if (l.rule == ISH_ONLY) {
            if (kind == kIshKind) s.functions[static_cast<std::size_t>(f)] = GetProcAddress(module, l.suffix);
            continue;
        }
        s.functions[static_cast<std::size_t>(f)] = find(module, name.prefix, l.suffix);
    }
    if (s.functions[kArchiver]) s.status = kLoaded;
}

// The walk of both rows: the full lookup, or only the version function.
LONG walk(HWND window, LPCSTR report, bool version_only) {
    std::string missing;
    LONG result = 1;
    for (int slot = 0; slot < kSlots; ++slot) {
        TrapMessage();
        PutHourGlassCursor();
        Slot& s = at(slot);
        const SlotName& name = slot_name(slot);
        release(s);
        if (is_none(name)) continue;
        if (shares_packing_slot(name)) {
            const Slot& packing = at(slot - kKinds);
            s.functions = packing.functions;
            s.status = packing.status;
            s.check = packing.check;
            s.used_version = packing.used_version;
            continue;
        }
        if (HMODULE module = load(name.library)) {
            if (version_only) {
                s.functions[kGetVersion] = find(module, name.prefix, kLookups[kGetVersion].suffix);
                if (s.functions[kGetVersion]) s.status = kLoaded;
            } else {
                look_up_all(s, module, name, slot % kKinds);
            }
            // A library without the function that decides is not kept: its
            // slot is missing and every lookup answers 0.
            if (s.status == kLoaded) {
                s.module = module;
            } else {
                FreeLibrary(module);
                s.functions = {};
            }
        }
        if (s.status != kLoaded) {
            missing += name.library;
            missing += ' ';
            result = 0;
        }
    }
    PutArrowCursor();
    if (!result && report) ShowBadDllMessage(window, missing.c_str(), report);
    return result;
}
}  // namespace

LONG WINAPI FindArchiverDllFunction(HWND window, LPCSTR report) { return walk(window, report, false); }
LONG WINAPI CheckArchiverDllFunction(HWND window, LPCSTR report) { return walk(window, report, true); }

LONG WINAPI SetOkForArchiverDllFunction() {
    for (int slot = 0; slot < kSlots; ++slot) {
        at(slot).status = kLoaded;
        at(slot).check = kNotChecked;
    }
    return 1;
}

// Every address goes with its library: a lookup after this answers 0, never
// an address into a library that is no longer loaded.
LONG WINAPI FreeArchiverDllFunction() {
    for (int slot = 0; slot < kSlots; ++slot) release(at(slot));
    return 1;
}

LONG WINAPI IsArchiverDllFunctionFree() {
    for (int slot = 0; slot < kSlots; ++slot)
        if (at(slot).module) return 0;
    return 1;
}

LONG WINAPI IsRelatedFileExist(LPCSTR name, LPSTR out) {
    if (ferro::text::is_empty(name)) return 0;
    char found[ferro::text::kPathSize];
    if (my_Searchenv(name, found, sizeof found) != 0) return 0;
    const DWORD attributes = GetFileAttributesA(found);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return 0;
    if (out) ferro::text::copy_bounded(out, found);
    return 1;
}
