// The user's special folders: the table of folder numbers, and how one
// folder is found, first through the shell and, where the shell gives
// nothing, in the shell-folder keys of the registry. The finding takes the
// shell bindings as an argument (see shell_bindings.h). It calls only the
// platform and exports, so that it runs the same inside and outside the
// library.
#pragma once
#include <windows.h>
#include <cstring>
#include <iterator>
#include "ferromes.h"
#include "frame/platform_decision.h"
#include "frame/platform_version.h"
#include "frame/text.h"
#include "settings/shell_bindings.h"

namespace ferro::settings {
inline constexpr int kFolderSlots = 50;     // numbers 0 to 49 have table slots
inline constexpr int kListedFolders = 41;   // numbers 0 to 40 are listed in menus
inline constexpr std::size_t kFolderPathSize = 520;

struct SpecialFolder {
    int number;
    int shell_folder;  // CSIDL
    int value_name;    // string number of the registry value name
    int menu_id;       // menu command identifier
    int label;         // string number of the menu label
    int vista_label;   // the label from Windows Vista on (0: the same)
};

// Numbers 9, 17 and 25 are not used.
inline constexpr SpecialFolder kSpecialFolders[] = {
    {0, 16, 11200, 13200, 12200, 0},   {1, 2, 11201, 13201, 12201, 0},    {2, 20, 11202, 13202, 12202, 0},
    {3, 9, 11203, 13203, 12203, 0},    {4, 7, 11204, 13204, 12204, 0},    {5, 11, 11205, 13205, 12205, 0},
    {6, 21, 11206, 13206, 12206, 0},   {7, 21, 11207, 13207, 12207, 0},   {8, 8, 11208, 13208, 12208, 0},
    {10, 5, 11210, 13210, 12210, 12214}, {11, 39, 11211, 13211, 12211, 12215}, {12, 13, 11212, 13212, 12212, 12216},
    {13, 14, 11213, 13213, 12213, 12217}, {14, 19, 11214, 13214, 12218, 0}, {15, 27, 11215, 13215, 12219, 0},
    {16, 26, 11216, 13216, 12220, 0},  {18, 6, 11218, 13218, 12222, 0},   {19, 32, 11219, 13219, 12223, 0},
    {20, 33, 11220, 13220, 12224, 0},  {21, 34, 11221, 13221, 12225, 0},  {22, 48, 11222, 13222, 12226, 0},
    {23, 28, 11223, 13223, 12227, 0},  {24, 40, 11224, 13224, 12228, 0},  {26, 25, 11226, 13226, 12230, 0},
    {27, 24, 11227, 13227, 12231, 0},  {28, 22, 11228, 13228, 12232, 0},  {29, 45, 11229, 13229, 12233, 0},
    {30, 46, 11231, 13230, 12235, 0},  {31, 54, 11232, 13231, 12236, 12239}, {32, 53, 11233, 13232, 12237, 12240},
    {33, 55, 11234, 13233, 12238, 12241}, {34, 31, 11235, 13234, 12242, 0}, {35, 35, 11236, 13235, 12243, 0},
    {36, 47, 11237, 13236, 12244, 0},  {37, 38, 11238, 13237, 12245, 0},  {38, 42, 11239, 13238, 12246, 0},
    {39, 43, 11240, 13239, 12247, 0},  {40, 44, 11241, 13240, 12248, 0},
};

inline const SpecialFolder* special_folder(int number) {
    for (const SpecialFolder& f : kSpecialFolders)
        if (f.number == number) return &f;
    return nullptr;
}

inline bool from_vista_on() { return (GetWindowsVersion() & platform::kNT6Family) != 0; }

inline int label_of(const SpecialFolder& f) { return f.vista_label && from_vista_on() ? f.vista_label : f.label; }

// Loads a text of the message library into `out` (kFolderPathSize bytes).
inline void load_text(int number, char* out) {
    MyLoadString(0, static_cast<UINT>(number));
    lstrcpynA(out, GetLoadStrTitle(), static_cast<int>(kFolderPathSize));
}

inline bool is_folder(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return path[0] && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The folder named `value_name` in the shell-folder values of one key
// (values whose name holds "common" are passed over); false when it is not
// there or is no existing folder.
inline bool shell_folder_value(HKEY hive, const char* value_name, char* path) {
    static constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    HKEY key = nullptr;
    if (RegOpenKeyExA(hive, kShellFolders, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    bool found = false;
    for (DWORD index = 0; !found; ++index) {
        char name[kFolderPathSize], data[kFolderPathSize];
        DWORD name_size = sizeof name, data_size = sizeof data - 1, type = 0;
        const LONG status = RegEnumValueA(key, index, name, &name_size, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data), &data_size);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) continue;
        data[data_size] = '\0';
        if (j_lstristr(name, "common") || lstrcmpiA(name, value_name) != 0) continue;
        if (!is_folder(data)) break;  // the value names a folder that is not there: try the next key
        lstrcpynA(path, data, static_cast<int>(kFolderPathSize));
        found = true;
    }
    RegCloseKey(key);
    return found;
}

// Finds folder `number`: its path and menu label (kFolderPathSize bytes
// each). True when a path was found; the path may still name no existing
// folder when the shell gave it.
inline bool find_special_folder(const ShellBindings& shell, int number, char* path, char* label) {
    path[0] = label[0] = '\0';
    const SpecialFolder* f = special_folder(number);
    if (!f) return false;
    // Templates: number 6 on Windows 2000 and later, number 7 before.
    const bool nt5_on = (GetWindowsVersion() & platform::kNT5AndLater) != 0;
    if ((number == 6 && nt5_on) || (number == 7 && !nt5_on)) return false;
    char found[MAX_PATH];
    if (shell_folder_path(shell, f->shell_folder, found)) {
        lstrcpynA(path, found, static_cast<int>(kFolderPathSize));
        load_text(label_of(*f), label);
        return true;
    }
    if (number == 38 || number == 40) return false;
    char value_name[kFolderPathSize];
    load_text(f->value_name, value_name);
    if (!value_name[0] || value_name[0] == ' ' || std::strcmp(value_name, "<Failed>") == 0) return false;
    static const struct {
        HKEY hive;
        const char* prefix;
    } kPlaces[] = {{HKEY_CURRENT_USER, ""}, {HKEY_LOCAL_MACHINE, ""}, {HKEY_USERS, ".Default\\"}};
    for (const auto& place : kPlaces) {
        HKEY hive = place.hive;
        HKEY opened = nullptr;
        if (*place.prefix && RegOpenKeyExA(place.hive, ".Default", 0, KEY_READ, &opened) == ERROR_SUCCESS) hive = opened;
        const bool found_here = (!*place.prefix || opened) && shell_folder_value(hive, value_name, path);
        if (opened) RegCloseKey(opened);
        if (found_here) {
            load_text(label_of(*f), label);
            return true;
        }
    }
    return false;
}
}  // namespace ferro::settings
