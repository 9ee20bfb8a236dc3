// The drive list in a list box or combo box: one item per entry, the drive
// name as its text and the list index as its item data (the owner-drawn boxes
// draw the entry from it).
#include "fs/drive_list_internal.h"
#include "fs/drives.h"

using namespace ferro::fs;

namespace {
// The messages of one kind of box.
struct BoxMessages {
    UINT reset, add, set_data, get_data, count, set_selection;
    LRESULT error;
};
constexpr BoxMessages kListBox{LB_RESETCONTENT, LB_ADDSTRING, LB_SETITEMDATA, LB_GETITEMDATA,
                               LB_GETCOUNT,     LB_SETCURSEL, LB_ERR};
constexpr BoxMessages kComboBox{CB_RESETCONTENT, CB_ADDSTRING, CB_SETITEMDATA, CB_GETITEMDATA,
                                CB_GETCOUNT,     CB_SETCURSEL, CB_ERR};

int fill(HWND box, BOOL with_first, const BoxMessages& m) {
    if (!IsWindow(box)) return -1;
    SendMessageA(box, m.reset, 0, 0);
    int items = 0;
    for (int at = with_first ? 0 : 1; at < drive_count(); ++at) {
        // A copy: GetDriveName's buffer is refilled by the next call.
        char name[kRawDriveMax + 1];
        lstrcpynA(name, GetDriveName(at, TRUE), sizeof name);
        LRESULT item = SendMessageA(box, m.add, 0, reinterpret_cast<LPARAM>(name));
        if (item == m.error || item == LB_ERRSPACE) return -1;
        SendMessageA(box, m.set_data, static_cast<WPARAM>(item), static_cast<LPARAM>(at));
        ++items;
    }
    return items;
}

int display(HWND dialog, int control_id, BOOL with_first, int letter, const BoxMessages& m) {
    HWND box = GetDlgItem(dialog, control_id);
    if (fill(box, with_first, m) < 0) return -1;
    // The item whose data is the entry (a sorted box keeps its own order).
    int entry = find_letter(letter);
    if (entry < 0) return -1;
    int items = static_cast<int>(SendMessageA(box, m.count, 0, 0));
    for (int item = 0; item < items; ++item)
        if (SendMessageA(box, m.get_data, static_cast<WPARAM>(item), 0) == entry)
            return SendMessageA(box, m.set_selection, static_cast<WPARAM>(item), 0) == m.error ? -1 : item;
    return -1;
}
}  // namespace

int WINAPI SetDriveStringInListbox(HWND listBox, BOOL withFirst) { return fill(listBox, withFirst, kListBox); }
int WINAPI SetDriveStringInCombobox(HWND comboBox, BOOL withFirst) { return fill(comboBox, withFirst, kComboBox); }

int WINAPI DisplayDriveListBox(HWND dialog, int controlId, BOOL withFirst, int letter) {
    return display(dialog, controlId, withFirst, letter, kListBox);
}
int WINAPI DisplayDriveComboBox(HWND dialog, int controlId, BOOL withFirst, int letter) {
    return display(dialog, controlId, withFirst, letter, kComboBox);
}
