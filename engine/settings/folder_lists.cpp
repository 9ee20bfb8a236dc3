// The found special folders as entries of a dialog's combo box or list box.
#include "frame/text.h"
#include "frame/text_internal.h"
#include "settings/places.h"
#include "settings/settings_internal.h"
#include "settings/special_folders.h"

using namespace ferro;

namespace {
struct BoxMessages {
    UINT add, select;
};
constexpr BoxMessages kComboBox{CB_ADDSTRING, CB_SETCURSEL};
constexpr BoxMessages kListBox{LB_ADDSTRING, LB_SETCURSEL};

LONG fill(HWND dialog, LPCSTR current, int control, LONG addCurrentFirst, const BoxMessages& box) {
    const HWND window = GetDlgItem(dialog, control);
    if (!window) return 0;
    LONG added = 0;
    LRESULT selected = -1;
    auto add = [&](const char* text) {
        const LRESULT index = SendMessageA(window, box.add, 0, reinterpret_cast<LPARAM>(text));
        if (index < 0) return;
        ++added;
        if (selected < 0 && current && text::same_without_case(text, current)) selected = index;
    };
    if (addCurrentFirst && !text::is_empty(current)) add(current);
    char path[settings::kFolderPathSize];
    for (int number = 0; number < settings::kListedFolders; ++number) {
        if (!settings::stored_folder(number, path)) continue;
        ConvertDosCharacterSet(path, IsWhatCharacterSet());
        add(path);
    }
    if (selected >= 0) SendMessageA(window, box.select, static_cast<WPARAM>(selected), 0);
    return added;
}
}  // namespace

LONG WINAPI FillNamesInComboBoxByDesktopFolders(HWND dialog, LPCSTR current, int control, LONG addCurrentFirst) {
    return fill(dialog, current, control, addCurrentFirst, kComboBox);
}

LONG WINAPI FillNamesInListBoxByDesktopFolders(HWND dialog, LPCSTR current, int control, LONG addCurrentFirst) {
    return fill(dialog, current, control, addCurrentFirst, kListBox);
}
