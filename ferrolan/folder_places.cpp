// Favourite folders and the history of visited folders, kept by the engine:
// the favourites menu (add, organise, the entries), the history's back,
// forward and list, and the favourites kept in the profile between starts.
#include <windows.h>
#include <string>
#include "app.h"
#include "ferromes.h"
#include "operations.h"
#include "settings.h"
#include "settings/favorites.h"
#include "texts.h"

namespace ferrolan::ops {
namespace {
// The section the console host's favourite command uses too, keys "0" on.
std::string favourites_section() { return GetFavoriteDirString(); }

void clear_menu(HMENU menu) {
    while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
}

// Opens a folder in the source pane without recording it (the history's
// own moves).
void open_unrecorded(App& app, const char* folder) {
    DisableSaveInHistoryDirectory(1);
    app.source().open(folder);
    DisableSaveInHistoryDirectory(0);
}
}  // namespace

void load_favourites(HWND owner) {
    for (LONG i = 0; i < kFavoriteSlots; ++i) {
        const std::string entry = read_text(favourites_section().c_str(), std::to_string(i).c_str(), "");
        if (entry.empty()) break;
        AddGlobalHandleForFavoriteDir(owner, entry.c_str());
    }
}

void save_favourites() {
    bool ended = false;
    for (LONG i = 0; i < kFavoriteSlots; ++i) {
        std::string entry;
        if (!ended) {
            if (const char* text = OpenGlobalHandleForFavoriteDir(i)) {
                entry = text;
                CloseGlobalHandleForFavoriteDir(i);
            }
        }
        ended = ended || entry.empty();
        write_text(favourites_section().c_str(), std::to_string(i).c_str(), entry);
    }
}

void record_visit(App& app, const std::string& folder) { SaveHistoryDirectory(app.window(), folder.c_str()); }

void fill_favourites_menu(App&, HMENU menu, WORD, WORD) {
    // Three fixed items, then the engine's entries.
    clear_menu(menu);
    AppendMenuA(menu, MF_STRING, kCmdAddFavourite, text(ids::kAddFavourite).c_str());
    AppendMenuA(menu, MF_STRING, kFavoriteMenuAnchor, text(ids::kOrganiseFavourites).c_str());
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    SetFavoriteDirectoriesInMenu(reinterpret_cast<HWND>(menu));
}

void open_favourite(App& app, int index) {
    if (index == kFavoriteMenuAnchor - kFavoriteCommand) {
        OpenFavoriteDirListDialog(app.window(), app.source().folder().c_str(), app.target().folder().c_str());
        return;
    }
    char folder[520] = "", target[520] = "";
    const LONG found = GetDirectoryNameFromGlobalHandleForFavoriteDir(app.window(), folder, target, index);
    if (found <= 0) return;
    if (found & 1) app.source().open(folder);
    if ((found & 2) && *target) app.target().open(target);
}

void add_favourite(App& app) {
    // The other pane's folder goes along as the entry's target.
    const std::string entry = app.source().folder() + '\t' + app.target().folder();
    AddFavoriteDir(app.window(), entry.c_str(), '\t');
}

void fill_history_menu(App&, HMENU menu, WORD first, WORD) {
    clear_menu(menu);
    AppendMenuA(menu, MF_STRING | (IsPrevHistoryDirectoryEnable() ? 0 : MF_GRAYED), kCmdHistoryBack,
                text(ids::kHistoryBack).c_str());
    AppendMenuA(menu, MF_STRING | (IsNextHistoryDirectoryEnable() ? 0 : MF_GRAYED), first,
                text(ids::kHistoryForward).c_str());
    AppendMenuA(menu, MF_STRING, first + 1, text(ids::kHistoryList).c_str());
}

void open_history(App& app, int index) {
    char folder[520] = "";
    if (index == kHistoryList) {
        if (OpenHistoryFoldersDialog(app.window(), folder, -1, -1, 0, 0) != IDOK) return;
    } else if (!(index == kHistoryBack ? GetPrevHistoryDirectory(folder) : GetNextHistoryDirectory(folder))) {
        return;
    }
    if (*folder) open_unrecorded(app, folder);
}
}  // namespace ferrolan::ops
