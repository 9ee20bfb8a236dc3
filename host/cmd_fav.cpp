// ferro fav: the favourite folders kept in the profile store (the registry
// below the product's key, section "FavoriteDir", keys "0" to "34"), listed
// with the menu texts the engine makes for them, added and removed.
#include <windows.h>
#include <string>
#include <vector>
#include "commands.h"
#include "console.h"
#include "ferromes.h"
#include "fs/dos_names.h"
#include "settings/favorites.h"
#include "settings/profile.h"

namespace host {
namespace {
constexpr char kProductKey[] = "Software\\Ferrolan";  // as ferro config

std::string section() { return std::string(kProductKey) + "\\" + GetFavoriteDirString(); }

// The stored entries into the table and its start-up copy.
void load() {
    const std::string s = section();
    for (LONG i = 0; i < kFavoriteSlots; ++i) {
        char entry[1040] = "";
        if (myFindPrivateProfileString(HKEY_CURRENT_USER, s.c_str(), std::to_string(i).c_str(), "", entry,
                                       sizeof entry) <= 1)
            break;
        SaveGlobalHandleForFavoriteDir(nullptr, i, entry);
        SaveGlobalHandleForFavoriteDirAtStarting(nullptr, i, entry);
    }
}

std::vector<std::string> entries() {
    std::vector<std::string> out;
    for (LONG i = 0; i < kFavoriteSlots; ++i) {
        LPSTR text = OpenGlobalHandleForFavoriteDir(i);
        if (!text) break;
        out.emplace_back(text);
        CloseGlobalHandleForFavoriteDir(i);
    }
    return out;
}

// Writes the list: keys "0" on, the keys after it erased.
bool store(const std::vector<std::string>& list) {
    const std::string s = section();
    bool ok = true;
    for (LONG i = 0; i < kFavoriteSlots; ++i) {
        const std::string key = std::to_string(i);
        if (i < static_cast<LONG>(list.size()))
            ok = mySetPrivateProfileString(HKEY_CURRENT_USER, s.c_str(), key.c_str(), list[i].c_str(), 0) && ok;
        else
            EraseIndividualSectionNameIfExist(HKEY_CURRENT_USER, s.c_str(), key.c_str());
    }
    return ok;
}

int list() {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "add");
    AppendMenuA(menu, MF_STRING, kFavoriteMenuAnchor, "list");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    const LONG count = SetFavoriteDirectoriesInMenu(reinterpret_cast<HWND>(menu));
    for (LONG i = 0; i < count; ++i) {
        char item[1100] = "";
        GetMenuStringA(menu, static_cast<UINT>(3 + i), item, sizeof item, MF_BYPOSITION);
        char folder[520], target[520];
        const LONG found = GetDirectoryNameFromGlobalHandleForFavoriteDir(nullptr, folder, target, i);
        outf("%2ld %s%s\n", static_cast<long>(i), item, (found & 1) ? "" : "   (missing)");
    }
    DestroyMenu(menu);
    return 0;
}
}  // namespace

int cmd_fav(const Args& args) {
    if (args.empty()) {
        err("ferro fav: list, add or remove expected");
        return 2;
    }
    SetRegistryPath(kProductKey);
    load();
    int code = 0;
    if (args[0] == "list" && args.size() == 1) {
        code = list();
    } else if (args[0] == "add" && (args.size() == 2 || args.size() == 3)) {
        const std::string folder = without_final_yen(windows_path(args[1]));
        std::string entry = folder;
        if (args.size() == 3) entry.append(1, '\t').append(without_final_yen(windows_path(args[2])));
        if (!IsFileDirExist(folder.c_str())) {
            err("ferro fav add: '" + args[1] + "': no such folder");
            code = 1;
        } else if (IsFavoriteDirAlreadyThere(entry.c_str())) {
            err("ferro fav add: '" + args[1] + "' is already a favourite");
            code = 1;
        } else if (!AddGlobalHandleForFavoriteDir(nullptr, entry.c_str())) {
            err("ferro fav add: the list is full (35 folders)");
            code = 1;
        }
    } else if (args[0] == "remove" && args.size() == 2) {
        std::vector<std::string> list = entries();
        const std::string wanted = without_final_yen(windows_path(args[1]));
        std::size_t at = list.size();
        for (std::size_t i = 0; i < list.size(); ++i) {
            const std::string folder = list[i].substr(0, list[i].find('\t'));
            if (std::to_string(i) == args[1] || lstrcmpiA(folder.c_str(), wanted.c_str()) == 0) at = i;
        }
        if (at == list.size()) {
            err("ferro fav remove: '" + args[1] + "' is no favourite");
            code = 1;
        } else {
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(at));
            if (!store(list)) code = 1;
        }
    } else {
        err("ferro fav: list, add FOLDER [TARGET] or remove N|FOLDER expected");
        code = 2;
    }
    // What add changed is written only when the table differs from what was loaded.
    if (code == 0 && args[0] == "add" && IsFavoriteDirAltered() && !store(entries())) {
        err("ferro fav: the favourites could not be stored");
        code = 1;
    }
    FreeFavoriteMemory();
    return code;
}
}  // namespace host
