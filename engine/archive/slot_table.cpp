// The slot table, the current row and the per-slot queries.
#include <iterator>
#include "archive/archiver.h"
#include "archive/slots.h"

namespace ferro::archive {
namespace {
// Packing row, then unpacking row; kinds lzh, zip, ish, cab, tar, arj.
constexpr SlotName kNames[kSlots] = {
    {"UNLHA32.DLL", "Unlha", 195}, {"ZIP32J.DLL", "Zip", 37},    {"ISH32.DLL", "Ish", 37},
    {"CAB32.DLL", "Cab", 98},      {"TAR32.DLL", "Tar", 226},    {"@", "", -1},
    {"", "Unlha", 195},            {"UNZIP32.DLL", "UnZip", 540}, {"", "Ish", 37},
    {"", "Cab", 98},               {"", "Tar", 226},             {"UNARJ32J.DLL", "Unarj", 55},
};
constexpr const char* kExtensions[kKinds] = {"lzh", "zip", "ish", "cab", "tar;taz;tgz;gz;z;bz2", "arj"};
constexpr const char* kDisplayNames[] = {"Lha", "Zip", "Ish", "Cab", "Tar", "Unarj", "Expand", "DOS"};

std::array<Slot, kSlots> g_slots;
LONG g_row;
LONG g_type;

bool valid_kind(LONG kind) { return kind >= 0 && kind < kKinds; }
}  // namespace

const SlotName& slot_name(int slot) { return kNames[slot]; }
const char* extensions(int kind) { return kExtensions[kind]; }
bool is_none(const SlotName& name) { return name.library[0] == '@' && name.library[1] == '\0'; }
bool shares_packing_slot(const SlotName& name) { return name.library[0] == '\0'; }

Slot* at(LONG row, LONG kind) {
    if (row < 0 || row >= kRows || !valid_kind(kind)) return nullptr;
    return &g_slots[static_cast<std::size_t>(row * kKinds + kind)];
}
Slot& at(int slot) { return g_slots[static_cast<std::size_t>(slot)]; }
Slot* current(LONG kind) { return at(g_row, kind); }
}  // namespace ferro::archive

using namespace ferro::archive;

LONG WINAPI SetPackOrUnpack(LONG row) { return g_row = row; }
LONG WINAPI GetPackOrUnpack() { return g_row; }
LONG WINAPI SetArchiverDllType(LONG row, LONG type) {
    g_type = type;
    return g_row = row;
}
LONG WINAPI GetArchiverDllType(LONG* rowOut, LONG* typeOut) {
    if (rowOut) *rowOut = g_row;
    if (typeOut) *typeOut = g_type;
    return g_row;
}

LPCSTR WINAPI GetAllArchiverName(LONG index) {
    return index >= 1 && index <= static_cast<LONG>(std::size(kDisplayNames)) ? kDisplayNames[index - 1] : nullptr;
}
LPCSTR WINAPI GetArchiverName(LONG kind) {
    return current(kind) ? kNames[g_row * kKinds + kind].prefix : nullptr;
}
LPCSTR WINAPI GetArchiveExtName(LONG kind) { return valid_kind(kind) ? kExtensions[kind] : nullptr; }

LONG WINAPI IsArchiverActive(LONG kind) {
    const Slot* s = current(kind);
    return s ? s->status : 0;
}
LONG WINAPI IsCorrectArchiveVer(LONG kind) {
    const Slot* s = current(kind);
    return s ? s->check : 0;
}
LONG WINAPI GetUsedArchiveVersion(LONG kind) {
    const Slot* s = current(kind);
    return s ? s->used_version : 0;
}
LONG WINAPI GetCompiledArchiveVersion(LONG kind) {
    return current(kind) ? kNames[g_row * kKinds + kind].built_for : 0;
}
