// Rename, attributes and a new folder: the name checked by the engine, the
// change made by its file layer, a failure shown in its file error box.
#include <windows.h>
#include "app.h"
#include "dialogs.h"
#include "frame/error_boxes.h"
#include "fileops/folders.h"
#include "frame/name_validity.h"
#include "fs/dos_folders.h"
#include "fs/dos_names.h"
#include "fs/dos_times.h"
#include "host_paths.h"
#include "operations.h"
#include "texts.h"

namespace ferrolan::ops {
namespace {
constexpr DWORD kEditable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

// A name typed by the user: one component, acceptable to the engine (which
// says what is wrong in its own box).
bool acceptable_name(HWND window, const std::string& name) {
    if (name.empty() || host::last_yen(name) != std::string::npos) return false;
    OnlyFileNameOnlyForIsBadFname(1);
    return IsBadFname(window, name.c_str(), 1) == 0;
}
}  // namespace

void rename_item(App& app) {
    Pane& pane = app.source();
    const long at = pane.cursor();
    if (at < 0 || !pane.listing().entries.size() || pane.listing().entries[size_t(at)].kind < Entry::kFolder) return;
    const std::string old_path = pane.listing().path(size_t(at));
    std::string name = pane.listing().name(size_t(at));
    if (!ask_text(app.window(), ids::kRenameTitle, ids::kNewName, name) || name == pane.listing().name(size_t(at)))
        return;
    if (!acceptable_name(app.window(), name)) return;
    const std::string new_path = host::joined(pane.folder(), name);
    if (WinRename(old_path.c_str(), new_path.c_str()) != 0) {
        SetHelpDosErrorMessage(MB_OK | MB_ICONEXCLAMATION, nullptr);
        MyLoadDosErrorMessageWithAttribute(app.window(), old_path.c_str(), ids::kNotRenamed, ids::kRenameTitle, 0);
        return;
    }
    pane.open(pane.folder(), name);
}

void change_attributes(App& app) {
    const std::vector<Item> items = chosen_items(app);
    if (items.empty()) return;
    DWORD all = kEditable, any = 0;
    for (const Item& item : items) {
        DWORD a = 0;
        my_Dos_getfileattr(item.path.c_str(), &a);
        all &= a;
        any |= a;
    }
    const std::string what = items.size() == 1 ? host::name_of(items[0].path) : format(ids::kChosenCount, int(items.size()));
    DWORD set = 0, clear = 0;
    if (!ask_attributes(app.window(), what, all & kEditable, (any & ~all) & kEditable, set, clear)) return;
    for (const Item& item : items) {
        DWORD a = 0;
        if (my_Dos_getfileattr(item.path.c_str(), &a) != 0) continue;
        const DWORD wanted = ((a | set) & ~clear) & (kEditable | FILE_ATTRIBUTE_DIRECTORY);
        if (wanted == (a & (kEditable | FILE_ATTRIBUTE_DIRECTORY))) continue;
        if (my_Dos_setfileattr(item.path.c_str(), wanted & kEditable) != 0) {
            SetHelpDosErrorMessage(MB_OKCANCEL | MB_ICONEXCLAMATION, nullptr);
            if (MyLoadDosErrorMessage(app.window(), item.path.c_str(), ids::kAttributesNotSet, ids::kAttributesTitle,
                                      0) == IDCANCEL)
                break;
        }
    }
    refresh_panes(app, false);
}

void make_folder(App& app) {
    Pane& pane = app.source();
    std::string name;
    if (!ask_text(app.window(), ids::kMakeFolderTitle, ids::kNewFolder, name)) return;
    const std::string path = host::joined(pane.folder(), name);
    SetWithoutMessageForIsBadDirName(0);
    if (path.size() > 519 || IsBadDirName(app.window(), path.c_str(), 1) != 0) return;
    // Every missing level is made; a failure is explained by the engine's box.
    if (IsAlertMakedir(app.window(), path.c_str()) != 0) return;
    pane.open(pane.folder(), name);
    if (lstrcmpiA(app.target().folder().c_str(), pane.folder().c_str()) == 0) app.target().refresh();
}
}  // namespace ferrolan::ops
