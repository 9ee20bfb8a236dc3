// The dialog in which the user gives each command slot its function key:
// twelve lists of F1 to F12, a mark beside every slot whose key another slot
// has too, and a line naming those keys. Duplicates are accepted on OK.
#include <string>
#include "frame/error_internal.h"
#include "frame/handles.h"
#include "frame/text.h"
#include "programs/launch.h"
#include "ui/drawing.h"
#include "ui/function_keys.h"
#include "ui/ui_internal.h"

using namespace ferro;
using ui::kFunctionKeys;

namespace {
enum : int {
    kFirstList = 2230,    // 2230 to 2241, one per slot
    kFirstMarker = 2250,  // 2250 to 2261
    kStatus = 2243,
    kDefaults = 2242,
    kHelp = 2114,
    kCancel = 91,
};
constexpr DWORD kHelpContext = 49173;
constexpr UINT kDuplicateMessage = 7021;  // "%s: 重複して設定されています"

bool g_filling = false;  // no change handling while the lists are filled

void fill_lists(HWND dialog) {
    g_filling = true;
    for (int slot = 0; slot < kFunctionKeys; ++slot) {
        const HWND list = GetDlgItem(dialog, kFirstList + slot);
        SendMessageA(list, CB_RESETCONTENT, 0, 0);
        for (int key = 1; key <= kFunctionKeys; ++key) {
            char name[8];
            wsprintfA(name, "F%d", key);
            SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        }
        SendMessageA(list, CB_SETCURSEL, GetFunctionCurrentOrder(slot), 0);
    }
    g_filling = false;
}

void clear_marks(HWND dialog) {
    SetDlgItemTextA(dialog, kStatus, "");
    for (int slot = 0; slot < kFunctionKeys; ++slot) SetDlgItemTextA(dialog, kFirstMarker + slot, "");
}

// Marks every slot whose key another slot has, and names the keys: "F" and,
// for each ordered pair of such slots, the key's number and a blank.
void mark_duplicates(HWND dialog) {
    clear_marks(dialog);
    char keys[kFunctionKeys][16];
    for (int slot = 0; slot < kFunctionKeys; ++slot) GetDlgItemTextA(dialog, kFirstList + slot, keys[slot], 16);
    std::string named = "F";
    for (int a = 0; a < kFunctionKeys; ++a)
        for (int b = 0; b < kFunctionKeys; ++b) {
            if (a == b || !keys[a][0] || lstrcmpiA(keys[a], keys[b]) != 0) continue;
            SetDlgItemTextA(dialog, kFirstMarker + a, ">");
            SetDlgItemTextA(dialog, kFirstMarker + b, ">");
            named += std::string(keys[a] + 1) + " ";
        }
    if (named.size() == 1) return;
    const errors::LoadedTexts texts(kDuplicateMessage, 0);
    char line[errors::kMessageSize];
    wsprintfA(line, texts.message, named.c_str());
    SetDlgItemTextA(dialog, kStatus, line);
}

void take_order(HWND dialog) {
    for (int slot = 0; slot < kFunctionKeys; ++slot) {
        char key[16];
        GetDlgItemTextA(dialog, kFirstList + slot, key, sizeof key);
        const int number = key[0] ? __fatoi(key + 1) : 0;
        if (number >= 1 && number <= kFunctionKeys) ui::assign_function_key(slot, number - 1);
    }
}

INT_PTR CALLBACK function_key_procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        cwCenter(dialog, GetWindow(dialog, GW_OWNER));
        fill_lists(dialog);
        return TRUE;
    case WM_CLOSE:
        PostMessageA(dialog, WM_COMMAND, kCancel, 0);
        return TRUE;
    case WM_COMMAND:
        break;
    default:
        return FALSE;
    }
    const int id = LOWORD(wParam), code = HIWORD(wParam);
    if (id >= kFirstList && id < kFirstList + kFunctionKeys) {
        if ((code == CBN_SELCHANGE || code == CBN_DBLCLK) && !g_filling) mark_duplicates(dialog);
        return TRUE;
    }
    switch (id) {
    case kDefaults:
        ui::reset_function_keys();
        fill_lists(dialog);
        clear_marks(dialog);
        return TRUE;
    case IDOK:
        take_order(dialog);
        EndDialog(dialog, 1);
        return TRUE;
    case IDCANCEL:
    case kCancel:
        EndDialog(dialog, 0);
        return TRUE;
    case kHelp:
        myShowHelpFile(dialog, kHelpContext);
        return TRUE;
    default:
        return FALSE;
    }
}
}  // namespace

INT_PTR WINAPI OpenFunkKeyDialog(HWND owner, LPARAM) {
    return DisplayBox(owner, function_key_procedure, "OpenFunkKey", GetDllInstance());
}
