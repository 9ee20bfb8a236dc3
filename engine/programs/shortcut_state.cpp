// Module state of the shortcut part: the two link-information slots and the
// icon file name (memory blocks kept locked), the switches, the replacement's
// texts and conditions, and the dialog's control ids.
#include <cstring>
#include "frame/memory_blocks.h"
#include "frame/text_internal.h"
#include "fs/path_spelling.h"
#include "programs/shortcut.h"
#include "programs/shortcut_internal.h"
#include "settings/system_root.h"

using namespace ferro;
using namespace ferro::programs;

namespace {
MemoryTag g_slots[2];
MemoryTag g_icon;

// The placeholder form of the Windows folder, and a path re-spelt with its
// long names as stored (only texts that are paths).
LPSTR keep(MemoryTag& tag, LPCSTR text, bool respell) {
    char buffer[text::kPathSize];
    if (!text || !text::copy_bounded(buffer, text)) return nullptr;
    if (respell && text::has_root(buffer)) ConvertWin95CharacterSet(buffer, 8, 0);
    settings::put_system_root_placeholder(buffer, sizeof buffer);
    return GetMemoryTag(&tag, buffer);
}

LPSTR kept(const MemoryTag& tag) { return tag.pointer ? tag.pointer : const_cast<LPSTR>(""); }
}  // namespace

namespace ferro::programs {
ShortcutState& shortcut_state() {
    static ShortcutState state;
    return state;
}
}  // namespace ferro::programs

LPSTR WINAPI SaveLinkInfo(LPCSTR text, LONG slot) {
    if (slot != 0 && slot != 1) return nullptr;
    return keep(g_slots[slot], text, slot == 1);
}

LPSTR WINAPI GetLinkInfo(LONG slot) { return slot == 0 || slot == 1 ? kept(g_slots[slot]) : nullptr; }

LPSTR WINAPI SaveIconFileName(LPCSTR text) { return keep(g_icon, text, true); }

LPSTR WINAPI GetIconFileName() { return kept(g_icon); }

LONG WINAPI ClearShortcutFile() {
    FreeMemoryTag(&g_slots[0]);
    FreeMemoryTag(&g_slots[1]);
    FreeMemoryTag(&g_icon);
    return 1;
}

LONG WINAPI SetNoResolveTechnique(LONG flag) { return shortcut_state().no_resolve = flag; }

LONG WINAPI SetNoErrorMessageAtLinkedFileInfomation(LONG flag) { return shortcut_state().no_error_message = flag; }

LONG WINAPI SetOldAndNewDirectoryForShortCut(LPCSTR oldFolder, LPCSTR newFolder) {
    ShortcutState& s = shortcut_state();
    if ((oldFolder && std::strlen(oldFolder) >= sizeof s.old_folder) ||
        (newFolder && std::strlen(newFolder) >= sizeof s.new_folder))
        return 0;
    if (oldFolder) std::strcpy(s.old_folder, oldFolder);
    if (newFolder) std::strcpy(s.new_folder, newFolder);
    return 1;
}

LONG WINAPI SearchConditionsForShortCut(LONG mask) { return shortcut_state().conditions = mask; }

LONG WINAPI ReplaceItemOfOptionForShortCut(LONG flag) { return shortcut_state().replace_arguments = flag; }

LONG WINAPI IsReplaceDirectoryNameDone() { return shortcut_state().replaced; }

LONG WINAPI GetSomeAreReplacedAtShortcut() { return shortcut_state().some_replaced; }

LONG WINAPI SetSomeAreReplacedAtShortcut(LONG value) {
    ShortcutState& s = shortcut_state();
    s.report_started = 0;
    return s.some_replaced = value;
}

LONG WINAPI SetItemsIdForShortcut(int name, int target, int arguments, int icon, int workingFolder, int showCommand,
                                  int description) {
    const int ids[] = {name, target, arguments, icon, workingFolder, showCommand, description};
    std::memcpy(shortcut_state().field_ids, ids, sizeof ids);
    return 1;
}

LONG WINAPI SetItemsErrorIdForShortcut(int size, int attributes, int targetPicture, int iconPicture) {
    const int ids[] = {size, attributes, targetPicture, iconPicture};
    std::memcpy(shortcut_state().error_ids, ids, sizeof ids);
    return 1;
}
