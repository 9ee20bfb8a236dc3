// The shell bindings and the table of the user's special folders that the
// host lists in its menus: one path, one label and one active flag per
// folder number.
#include <cstring>
#include "frame/memory_blocks.h"
#include "frame/memory_internal.h"
#include "frame/paths.h"
#include "frame/text_internal.h"
#include "settings/places.h"
#include "settings/settings_internal.h"
#include "settings/special_folders.h"

using namespace ferro;
using settings::kFolderPathSize;
using settings::kFolderSlots;

namespace {
settings::ShellBindings g_shell;
LONG g_folder_location_bound = 0;  // 1 bound, -1 not bound, 0 not checked yet
LONG g_file_operation_bound = 0;

HGLOBAL g_paths[kFolderSlots];
HGLOBAL g_labels[kFolderSlots];
LONG g_active[kFolderSlots];

bool is_slot(LONG number) { return number >= 0 && number < kFolderSlots; }

void store(HGLOBAL& slot, const char* text) {
    if (HGLOBAL stored = SaveToGlobalMemory(nullptr, slot, text)) slot = stored;
}

// Copies a slot's text out (an empty text when there is none).
bool copy_slot(HGLOBAL slot, char* out) {
    out[0] = '\0';
    if (!slot) return false;
    const char* text = static_cast<const char*>(GlobalLock(slot));
    if (!text) return false;
    lstrcpynA(out, text, static_cast<int>(kFolderPathSize));
    GlobalUnlock(slot);
    return out[0] != '\0';
}

void free_slots(HGLOBAL* slots) {
    for (int i = 0; i < kFolderSlots; ++i) {
        free_block(slots[i]);
        slots[i] = nullptr;
    }
}

// From Windows Vista on, a system without separate folders for 32-bit
// programs gives the same path for number 38 as for 37 (and 40 as 39): the
// folder then is the per-user copy where Windows keeps what such a program
// writes there.
void separate_x86_folder(int number, char* path, char* label) {
    if ((number != 38 && number != 40) || !settings::from_vista_on()) return;
    const int other = number - 1;
    char other_path[kFolderPathSize], other_label[kFolderPathSize];
    if (copy_slot(g_paths[other], other_path) && lstrcmpiA(other_path, path) == 0) {
        char redirect[kFolderPathSize];
        if (settings::redirect_copy_of(redirect, other_path)) lstrcpynA(path, redirect, kFolderPathSize);
    }
    if (copy_slot(g_labels[other], other_label) && std::strcmp(other_label, label) == 0)
        settings::load_text(number == 38 ? 12246 : 12248, label);
}
}  // namespace

namespace ferro::settings {
const ShellBindings& shell_bindings() { return g_shell; }

bool stored_folder(int number, char* path) { return is_slot(number) && copy_slot(g_paths[number], path); }

void free_special_folders() {
    free_slots(g_paths);
    free_slots(g_labels);
    for (LONG& active : g_active) active = 0;
}
}  // namespace ferro::settings

// ---- Shell bindings

LONG WINAPI CheckSHFunctions() {
    const HMODULE shell = settings::load_shell_library();
    g_shell = settings::resolve_shell(shell);
    g_folder_location_bound = g_shell.folder_location ? 1 : -1;
    g_file_operation_bound = g_shell.file_operation ? 1 : -1;
    settings::release_shell_library(shell);
    return shell ? 1 : 0;
}

LONG WINAPI IsSHGetSpecialFolderLocation() { return g_folder_location_bound; }
LONG WINAPI IsSHFileOperationSupported() { return g_file_operation_bound; }
LONG WINAPI mySHFileOperation(LPSHFILEOPSTRUCTA operation) { return settings::shell_file_operation(g_shell, operation); }

// ---- Special folders

LONG WINAPI SetDesktopDirectoryFromRegistry(LPSTR path, LPSTR label, LONG number) {
    char found[kFolderPathSize], name[kFolderPathSize];
    if (path) path[0] = '\0';
    if (label) label[0] = '\0';
    if (!is_slot(number)) return 0;
    settings::find_special_folder(g_shell, number, found, name);
    separate_x86_folder(number, found, name);
    if (number >= 19 && number <= 21) RemoveLastYenmark(found);
    if (!settings::is_folder(found)) {
        store(g_labels[number], "");
        return 0;
    }
    store(g_labels[number], name);
    store(g_paths[number], found);
    if (path) lstrcpynA(path, found, kFolderPathSize);
    if (label) lstrcpynA(label, name, kFolderPathSize);
    return 1;
}

LONG WINAPI RegisteDesktopDirectory() {
    LONG found = 0;
    char path[kFolderPathSize], label[kFolderPathSize];
    for (LONG number = 0; number < kFolderSlots; ++number) {
        g_active[number] = SetDesktopDirectoryFromRegistry(path, label, number) == 1 ? 1 : 0;
        found += g_active[number];
    }
    return found;
}

LONG WINAPI SetFirstDesktopMenuWithFolder() {
    settings::free_special_folders();
    RegisteDesktopDirectory();
    char path[kFolderPathSize], label[kFolderPathSize];
    return SetDesktopDirectoryFromRegistry(path, label, 0);
}

LONG WINAPI GetDesktopDirectory(LPSTR path, LONG number) {
    if (!path) return 0;
    return is_slot(number) && copy_slot(g_paths[number], path) ? 1 : 0;
}

LONG WINAPI GetDesktopMenu(LPSTR label, LONG number) {
    if (!label) return 0;
    return is_slot(number) && copy_slot(g_labels[number], label) ? 1 : 0;
}

LONG WINAPI GetDesktopDirectoryFromRegistry(LPSTR path, LPSTR label, LONG number) {
    GetDesktopDirectory(path, number);
    GetDesktopMenu(label, number);
    return 1;
}

LONG WINAPI IsActiveDesktopDirectory(LONG number) { return is_slot(number) ? g_active[number] : 0; }

LONG WINAPI FreeDesktopMenuHandle() {
    settings::free_special_folders();
    return 1;
}

LONG WINAPI GetDesktopFolderKeywordID(LONG number) {
    const settings::SpecialFolder* f = settings::special_folder(number);
    return f ? f->value_name : -1;
}

LONG WINAPI GetDesktopFolderMenuID(LONG number) {
    const settings::SpecialFolder* f = settings::special_folder(number);
    return f ? f->menu_id : -1;
}

LONG WINAPI GetDesktopFolderStringID(LONG number) {
    const settings::SpecialFolder* f = settings::special_folder(number);
    return f ? settings::label_of(*f) : -1;
}

LONG WINAPI GetDeskTopOrderedNumber(LONG menuId) {
    const int id = LOWORD(menuId);
    for (const settings::SpecialFolder& f : settings::kSpecialFolders)
        if (f.menu_id == id) return f.number;
    return -1;
}
