// The favourite folders: the table of 35 entries with its start-up copy, the
// menu of the main window, and the rewrites after deletions and renames.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include "ferromes.h"
#include "fileops/case_rule.h"
#include "frame/mbcs.h"
#include "frame/message_box.h"
#include "frame/paths.h"
#include "frame/text.h"
#include "frame/text_internal.h"
#include "fs/dos_names.h"
#include "fs/path_spelling.h"
#include "settings/favorites.h"
#include "settings/place_lists.h"

using namespace ferro;
using namespace ferro::settings;

namespace {
constexpr char kTab = '\t', kShownTab = '>';
constexpr int kFixedMenuItems = 3;

struct Favorites {
    HGLOBAL entries[kFavoriteSlots + 1] = {};
    HGLOBAL starting[kFavoriteSlots + 1] = {};
    LONG moved = 0, deleted = 0;
    HWND menu_owner = nullptr;  // where SetFavoriteDirectoriesInMenu last put the entries
};
Favorites g;

std::string text_of(HGLOBAL block) {
    if (!block) return {};
    const char* p = static_cast<const char*>(GlobalLock(block));
    if (!p) return {};
    std::string out(p, strnlen(p, GlobalSize(block)));
    GlobalUnlock(block);
    return out;
}

void clear(HGLOBAL& block) {
    if (block) GlobalFree(block);
    block = nullptr;
}

bool store(HGLOBAL& block, const char* text) {
    const std::size_t n = std::strlen(text) + 1;
    HGLOBAL fresh = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, n);
    char* p = fresh ? static_cast<char*>(GlobalLock(fresh)) : nullptr;
    if (!p) {
        if (fresh) GlobalFree(fresh);
        return false;
    }
    std::memcpy(p, text, n);
    GlobalUnlock(fresh);
    clear(block);
    block = fresh;
    return true;
}

// An entry the table can hold: not empty, and its folder and its target each
// fit a path buffer (a longer one would come out cut, naming another folder).
bool usable(const char* text) {
    if (text::is_empty(text)) return false;
    const char* tab = mbcs::find_first(text, kTab);
    const std::size_t folder = tab ? static_cast<std::size_t>(tab - text) : std::strlen(text);
    return folder <= text::kPathMax && (!tab || std::strlen(tab + 1) <= text::kPathMax);
}

std::vector<std::string> entries(const HGLOBAL (&table)[kFavoriteSlots + 1]) {
    std::vector<std::string> out;
    for (int i = 0; i < kFavoriteSlots && table[i]; ++i) {
        std::string e = text_of(table[i]);
        if (e.empty()) break;
        out.push_back(std::move(e));
    }
    return out;
}

// The table rewritten from a list (the slots after it emptied).
void replace_all(const std::vector<std::string>& list) {
    for (int i = 0; i <= kFavoriteSlots; ++i) {
        if (i < static_cast<int>(list.size()) && i < kFavoriteSlots) store(g.entries[i], list[static_cast<std::size_t>(i)].c_str());
        else clear(g.entries[i]);
    }
}

void split(const std::string& entry, std::string& folder, std::string& target) {
    const char* tab = mbcs::find_first(entry.c_str(), kTab);
    if (!tab) {
        folder = entry;
        target.clear();
        return;
    }
    folder.assign(entry.c_str(), static_cast<std::size_t>(tab - entry.c_str()));
    target = tab + 1;
}

std::string join(const std::string& folder, const std::string& target) {
    return target.empty() ? folder : folder + kTab + target;
}

// The menu's accelerator prefix of entry `index`: "&C " to "&Z " (0 to 23),
// "&0 " to "&9 " (24 to 33), two blanks for 34.
std::string prefix(int index) {
    if (index >= 34) return "  ";
    const char c = index < 24 ? static_cast<char>('C' + index) : static_cast<char>('0' + index - 24);
    return std::string("&") + c + " ";
}

std::string shown(const std::string& entry) {
    std::string out = entry;
    char* tab = mbcs::find_first(out.data(), kTab);
    if (tab) *tab = kShownTab;
    return out;
}

HMENU favorite_menu(HWND window) {
    if (!window) return nullptr;
    if (IsMenu(reinterpret_cast<HMENU>(window))) return reinterpret_cast<HMENU>(window);
    HMENU bar = GetMenu(window);
    if (!bar) return nullptr;
    for (int i = 0, n = GetMenuItemCount(bar); i < n; ++i) {
        HMENU popup = GetSubMenu(bar, i);
        if (popup && GetMenuState(popup, kFavoriteMenuAnchor, MF_BYCOMMAND) != static_cast<UINT>(-1)) return popup;
    }
    return nullptr;
}

std::string menu_text(HMENU menu, int position) {
    char buffer[text::kPathSize * 2 + 8] = "";
    GetMenuStringA(menu, static_cast<UINT>(position), buffer, sizeof buffer, MF_BYPOSITION);
    return buffer;
}

bool contains(const std::vector<std::string>& list, const std::string& entry) {
    for (const std::string& e : list)
        if (text::same_without_case(e.c_str(), entry.c_str())) return true;
    return false;
}
}  // namespace

namespace ferro::settings {
void clear_favorite_entries() {
    for (HGLOBAL& block : g.entries) clear(block);
}

void rebuild_favorite_menu() {
    if (g.menu_owner) SetFavoriteDirectoriesInMenu(g.menu_owner);
}
}  // namespace ferro::settings

LONG WINAPI AddFavoriteDir(HWND owner, LPCSTR text, LONG separator) {
    if (!usable(text)) return 0;
    std::string folder = text, target;
    if (separator > 0 && separator < 0x80) {
        if (const char* sign = mbcs::find_first(text, static_cast<char>(separator))) {
            folder.assign(text, static_cast<std::size_t>(sign - text));
            target = sign + 1;
        }
    }
    auto respell = [](std::string& part) {
        char buffer[text::kPathSize];
        if (part.empty() || !text::copy_bounded(buffer, part.c_str())) return;
        ConvertWin95CharacterSet(buffer, IsWhatCharacterSet() | 8 | 16, 0);
        part = buffer;
    };
    respell(folder);
    respell(target);
    return AddGlobalHandleForFavoriteDir(owner, join(folder, target).c_str());
}

LONG WINAPI AddGlobalHandleForFavoriteDir(HWND, LPCSTR text) {
    if (!usable(text) || IsFavoriteDirAlreadyThere(text)) return 0;
    for (int i = 0; i < kFavoriteSlots; ++i) {
        if (g.entries[i] && !text_of(g.entries[i]).empty()) continue;
        if (!store(g.entries[i], text)) return 0;
        clear(g.entries[i + 1]);
        return i + 1;
    }
    return 0;
}

LONG WINAPI SaveGlobalHandleForFavoriteDir(HWND, LONG index, LPCSTR text) {
    if (index < 0 || index >= kFavoriteSlots || !usable(text) || !store(g.entries[index], text)) return 0;
    clear(g.entries[index + 1]);
    return 1;
}

LONG WINAPI SaveGlobalHandleForFavoriteDirAtStarting(HWND, LONG index, LPCSTR text) {
    if (index < 0 || index >= kFavoriteSlots || !usable(text) || !store(g.starting[index], text)) return 0;
    clear(g.starting[index + 1]);
    return 1;
}

LONG WINAPI IsFavoriteDirAlreadyThere(LPCSTR text) { return text && contains(entries(g.entries), text) ? 1 : 0; }

LONG WINAPI GetTotalNumberOfFavoriteDir() { return static_cast<LONG>(entries(g.entries).size()); }

LPSTR WINAPI OpenGlobalHandleForFavoriteDir(LONG index) {
    if (index < 0 || index >= kFavoriteSlots || !g.entries[index]) return nullptr;
    return static_cast<LPSTR>(GlobalLock(g.entries[index]));
}

LONG WINAPI CloseGlobalHandleForFavoriteDir(LONG index) {
    if (index < 0 || index >= kFavoriteSlots || !g.entries[index]) return 0;
    GlobalUnlock(g.entries[index]);
    return 1;
}

LONG WINAPI GetDirectoryNameFromGlobalHandleForFavoriteDir(HWND window, LPSTR folderOut, LPSTR targetOut, LONG index) {
    if (folderOut) *folderOut = '\0';
    if (targetOut) *targetOut = '\0';
    if (index < 0 || index >= kFavoriteSlots) return 0;
    std::string folder, target;
    split(text_of(g.entries[index]), folder, target);
    if (folder.empty()) return 0;
    if (folderOut) lstrcpynA(folderOut, folder.c_str(), static_cast<int>(text::kPathSize));
    if (targetOut) lstrcpynA(targetOut, target.c_str(), static_cast<int>(text::kPathSize));
    LONG result = 0;
    if (IsFileDirExist(folder.c_str())) result |= 1;
    if (!target.empty() && IsFileDirExist(target.c_str())) result |= 2;
    const bool missing = !(result & 1) || (!target.empty() && !(result & 2));
    if (!missing || !window) return result;
    _MyLoadString(GetSysDlgInstance(), kFavoriteMissing, kFavoriteTitle);
    char message[1200];
    std::snprintf(message, sizeof message, GetLoadStrMessage(), !(result & 1) ? folder.c_str() : target.c_str());
    const std::string title = GetLoadStrTitle();
    if (myMessageBox(window, message, title.c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES) return result;
    std::vector<std::string> list = entries(g.entries);
    if (index < static_cast<LONG>(list.size())) list.erase(list.begin() + index);
    replace_all(list);
    g.deleted = 1;
    rebuild_favorite_menu();
    return -1;
}

LONG WINAPI DeleteDirectoryNameInGlobalHandleForFavoriteDir(HWND, LPCSTR folder) {
    std::vector<std::string> list = entries(g.entries), kept;
    bool changed = false;
    for (const std::string& entry : list) {
        std::string f, t;
        split(entry, f, t);
        if (!text::is_empty(folder)) {
            if (!IsRootDir(f.c_str()) && at_or_below(f.c_str(), folder)) {
                changed = true;
                continue;
            }
            if (!t.empty() && at_or_below(t.c_str(), folder)) t.clear();
        } else if (!t.empty() && !IsFileDirExist(t.c_str())) {
            // The target part of an entry goes when that folder is gone.
            t.clear();
        }
        const std::string now = join(f, t);
        changed = changed || now != entry;
        kept.push_back(now);
    }
    if (!changed) return 0;
    replace_all(kept);
    g.deleted = 1;
    rebuild_favorite_menu();
    return 1;
}

LONG WINAPI RenameDirectoryNameInGlobalHandleForFavoriteDir(HWND, LPCSTR newName, LPCSTR oldName) {
    std::vector<std::string> list = entries(g.entries);
    bool changed = false;
    for (std::string& entry : list) {
        std::string f, t, nf, nt;
        split(entry, f, t);
        if (renamed_path(f, oldName, newName, nf)) f = nf;
        if (!t.empty() && renamed_path(t, oldName, newName, nt)) t = nt;
        const std::string now = join(f, t);
        if (now != entry) {
            entry = now;
            changed = true;
        }
    }
    if (!changed) return 0;
    replace_all(list);
    rebuild_favorite_menu();
    return 1;
}

LONG WINAPI RenameAllSubFoldesInGlobalHandleForFavoriteDir(HWND, LPCSTR newName, LONG mode) {
    if (text::is_empty(newName)) return 0;
    std::vector<std::string> list = entries(g.entries);
    bool changed = false;
    auto follow = [&](std::string& path) {
        char work[text::kPathSize];
        if (path.empty() || !at_or_below(path.c_str(), newName)) return;
        if (!RenameSubdirForCaseSensitive(path.c_str(), work, newName, mode)) return;
        const std::string now = stored_spelling(work);
        if (now != path) {
            path = now;
            changed = true;
        }
    };
    for (std::string& entry : list) {
        std::string f, t;
        split(entry, f, t);
        follow(f);
        follow(t);
        entry = join(f, t);
    }
    if (!changed) return 0;
    replace_all(list);
    rebuild_favorite_menu();
    return 1;
}

LONG WINAPI SetFavoriteDirectoriesInMenu(HWND window) {
    HMENU menu = favorite_menu(window);
    if (!menu) return 0;
    g.menu_owner = window;
    while (GetMenuItemCount(menu) > kFixedMenuItems) DeleteMenu(menu, kFixedMenuItems, MF_BYPOSITION);
    const std::vector<std::string> list = entries(g.entries);
    LONG added = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string item = prefix(static_cast<int>(i)) + shown(list[i]);
        if (AppendMenuA(menu, MF_STRING, kFavoriteCommand + i, item.c_str())) ++added;
    }
    if (!IsMenu(reinterpret_cast<HMENU>(window))) DrawMenuBar(window);
    return added;
}

LONG WINAPI RecoverGlobalHandleForFavoriteDir(HWND owner) {
    HMENU menu = favorite_menu(owner);
    if (!menu) return 0;
    std::vector<std::string> list;
    for (int i = kFixedMenuItems, n = GetMenuItemCount(menu); i < n && list.size() < kFavoriteSlots; ++i) {
        std::string item = menu_text(menu, i);
        LPSTR name = GetFavoriteDirectoryName(item.data(), i - kFixedMenuItems);
        SetTgtFavoriteDirStartingSign(name);
        if (!usable(name)) continue;
        list.emplace_back(name);
    }
    replace_all(list);
    return static_cast<LONG>(list.size());
}

LONG WINAPI IsFavoriteDirAltered() {
    const std::vector<std::string> now = entries(g.entries), start = entries(g.starting);
    if (now.size() != start.size()) return 1;
    for (const std::string& e : now)
        if (!contains(start, e)) return 1;
    return 0;
}

LONG WINAPI IsFavoriteDirDifferentWithMenu(HMENU menu) {
    if (!menu || !IsMenu(menu)) return 1;
    const std::vector<std::string> list = entries(g.entries);
    const int count = GetMenuItemCount(menu);
    if (count - kFixedMenuItems != static_cast<int>(list.size())) return 1;
    std::vector<std::string> names;
    for (int i = kFixedMenuItems; i < count; ++i) {
        std::string item = menu_text(menu, i);
        LPSTR name = GetFavoriteDirectoryName(item.data(), i - kFixedMenuItems);
        names.emplace_back(name ? name : "");
    }
    for (const std::string& e : list)
        if (!contains(names, shown(e))) return 1;
    return 0;
}

LPSTR WINAPI SetDisplayTgtFavoriteDirStartingSign(LPSTR text) {
    if (text)
        if (char* tab = mbcs::find_first(text, kTab)) *tab = kShownTab;
    return text;
}

LPSTR WINAPI SetTgtFavoriteDirStartingSign(LPSTR text) {
    if (text)
        if (char* sign = mbcs::find_first(text, kShownTab)) *sign = kTab;
    return text;
}

LPSTR WINAPI GetPointerForTgtFavoriteDirSign(LPCSTR text) {
    return text ? const_cast<LPSTR>(mbcs::find_first(text, kTab)) : nullptr;
}

LPSTR WINAPI GetDisplayPointerForTgtFavoriteDirSign(LPCSTR text) {
    return text ? const_cast<LPSTR>(mbcs::find_first(text, kShownTab)) : nullptr;
}

LPSTR WINAPI GetFavoriteDirectoryName(LPSTR text, LONG index) {
    if (!text) return nullptr;
    const std::string p = prefix(index);
    return std::strncmp(text, p.c_str(), p.size()) == 0 ? text + p.size() : text;
}

LONG WINAPI SetFavoriteDirMovedInsideMenu(LONG value) { return g.moved = value; }
LONG WINAPI IsFavoriteDirMovedInsideMenu() { return g.moved; }
LONG WINAPI SetFavoriteDirDeleted(LONG value) { return g.deleted = value; }
LONG WINAPI IsFavoriteDirDeleted() { return g.deleted | g.moved; }

LONG WINAPI FillInDirectoryComboBoxByFavoriteDir(HWND dialog, int control, LPCSTR current) {
    LONG added = 0;
    for (const std::string& e : entries(g.entries)) {
        std::string f, t;
        split(e, f, t);
        const LRESULT at = SendDlgItemMessageA(dialog, control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.c_str()));
        if (at < 0) continue;
        ++added;
        if (current && text::same_without_case(current, f.c_str())) SendDlgItemMessageA(dialog, control, CB_SETCURSEL, at, 0);
    }
    return added;
}

LONG WINAPI FillInFavoriteDiretcoryBox(HWND dialog, int control) {
    LONG added = 0;
    for (const std::string& e : entries(g.entries))
        if (SendDlgItemMessageA(dialog, control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown(e).c_str())) >= 0) ++added;
    return added;
}

LONG WINAPI FreeFavoriteMemory() {
    for (int i = 0; i <= kFavoriteSlots; ++i) {
        clear(g.entries[i]);
        clear(g.starting[i]);
    }
    g.menu_owner = nullptr;
    return 1;
}
