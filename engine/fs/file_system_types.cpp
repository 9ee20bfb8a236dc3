// The file-system type of each drive letter and of the network: the name as
// the system reported it and its number.
#include <cstring>
#include "frame/memory_blocks.h"
#include "frame/text.h"
#include "fs/drive_list_internal.h"
#include "fs/drives.h"

namespace {
constexpr int kLetterSlots = 26;
// The network has a slot of its own after the letters, so that it never
// shares one with a drive letter whatever its place in the list.
constexpr int kNetworkSlot = kLetterSlots;

struct Slot {
    HGLOBAL block;
    LPSTR name;
    int number = -1;
};
Slot g_slots[kLetterSlots + 1];

struct KnownName {
    const char* name;
    int number;
};
constexpr KnownName kKnownNames[] = {
    {"FAT", 0}, {"FAT32", 1}, {"NTFS", 2}, {"CDFS", 3}, {"NETWORK", 4},
};
constexpr int kNetworkNumber = 4;


// The slot of a path: its drive letter, or the network slot for a network path.
int slot_of_path(const char* path) {
    if (!path) return -1;
    if (path[0] == '"') ++path;
    if (path[0] == '\0') return -1;  // the second byte is read only after a first one
    if (path[0] == ferro::fs::kNetworkLetter && (path[1] == ':' || path[1] == ferro::fs::kNetworkLetter))
        return kNetworkSlot;
    if (path[1] != ':' && path[1] != '\0') return -1;
    int slot = ferro::fs::file_system_slot(static_cast<unsigned char>(path[0]));
    return slot == kNetworkSlot ? -1 : slot;
}
}  // namespace

namespace ferro::fs {
int file_system_number(const char* name) {
    if (!name || !*name) return -1;
    for (const KnownName& k : kKnownNames)
        if (std::strlen(name) == std::strlen(k.name) && j_lstristr(name, k.name) == name) return k.number;
    return j_lstristr(name, "NETOS") ? kNetworkNumber : -1;
}

int file_system_slot(int letter) {
    if (letter >= 'a' && letter <= 'z') return letter - 'a';
    if (letter >= 'A' && letter <= 'Z') return letter - 'A';
    return letter == kNetworkLetter ? kNetworkSlot : -1;
}

void free_file_system_names() {
    for (Slot& s : g_slots) {
        if (s.block) FreeStringPointer(s.block, s.name);
        s = Slot{};
    }
}
}  // namespace ferro::fs

int WINAPI SetTypeOfFileSystem(int letter, LPCSTR name) {
    int slot = ferro::fs::file_system_slot(letter);
    if (slot < 0) return -1;
    Slot& s = g_slots[slot];
    if (!name || !*name) {
        if (s.block) FreeStringPointer(s.block, s.name);
        s = Slot{};
        return -1;
    }
    s.name = GetStringPointer(&s.block, s.name, name);
    s.number = ferro::fs::file_system_number(name);
    return s.number;
}

int WINAPI GetTypeOfFileSystem(LPSTR out, int size) {
    if (!out || size <= 0) return -1;
    int slot = ferro::fs::file_system_slot(static_cast<unsigned char>(out[0]));
    const Slot* s = slot >= 0 ? &g_slots[slot] : nullptr;
    ferro::fs::copy_whole_chars(out, s && s->name ? s->name : "", static_cast<std::size_t>(size) - 1);
    return s ? s->number : -1;
}

int WINAPI GetTypeOfFileSystemNumber(LPCSTR path) {
    int slot = slot_of_path(path);
    return slot >= 0 ? g_slots[slot].number : -1;
}
