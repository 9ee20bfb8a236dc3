// The modeless find and replace dialogs. They keep the search and the
// replacement texts with their histories and options and tell the owner
// window what to do with message 5119 and the FINDREPLACE record; the owner
// searches its own text.
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include "ferromes.h"
#include "frame/message_box.h"
#include "frame/message_pump.h"
#include "search/search_history.h"
#include "search/search_internal.h"
#include "search/text_search.h"

namespace {
constexpr UINT kFindReplaceMessage = 5119;
constexpr int kFindCombo = 5000, kReplaceCombo = 5001;
constexpr int kUp = 5004, kDown = 5005, kClose = 5006, kWholeWord = 5007, kMatchCase = 5008;
constexpr int kFindNext = 5009, kReplace = 5010, kReplaceAll = 5011, kScopeSet = 5012, kScopeClear = 5013;
constexpr int kFromStart = 5014;
constexpr DWORD kDownward = 0x01, kWordFlag = 0x02, kCaseFlag = 0x04, kFindNextFlag = 0x08, kReplaceFlag = 0x10,
                kReplaceAllFlag = 0x20, kClosing = 0x40, kScopeFlag = 0x10000;
constexpr UINT kFindNotMade = 214, kReplaceNotMade = 215, kTitle = 216, kReplaced = 220;

struct FindReplaceState {
    FINDREPLACEA record{};
    HWND dialog = nullptr;
    bool replace = false;
    RECT rect{};
    MemoryTag find_history{}, replace_history{};
    LONG previous_action = 0, current_action = 0;
} g;

bool is_replace_dialog(HWND dialog) { return GetDlgItem(dialog, kReplaceCombo) != nullptr; }

void send_to_owner(WPARAM from_dialog) {
    if (g.record.hwndOwner)
        SendMessageA(g.record.hwndOwner, kFindReplaceMessage, from_dialog, reinterpret_cast<LPARAM>(&g.record));
}

// Reads a combo box's text into a record buffer of `size` bytes (at most).
void read_text(HWND dialog, int combo, LPSTR buffer, WORD size) {
    if (buffer && size > 0) GetDlgItemTextA(dialog, combo, buffer, size);
}

void set_buttons(HWND dialog, bool enabled) {
    for (int id : {kFindNext, kReplace, kReplaceAll})
        if (HWND b = GetDlgItem(dialog, id)) EnableWindow(b, enabled);
}

void initialise(HWND dialog) {
    // Centred on the owner.
    RECT owner_rect, own;
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (!owner) owner = GetDesktopWindow();
    GetWindowRect(owner, &owner_rect);
    GetWindowRect(dialog, &own);
    const int w = own.right - own.left, h = own.bottom - own.top;
    SetWindowPos(dialog, nullptr, owner_rect.left + (owner_rect.right - owner_rect.left - w) / 2,
                 owner_rect.top + (owner_rect.bottom - owner_rect.top - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

    SetNewFindReplaceStringInCombobox(GetDlgItem(dialog, kFindCombo), 0);
    if (g.record.lpstrFindWhat) SetDlgItemTextA(dialog, kFindCombo, g.record.lpstrFindWhat);
    if (is_replace_dialog(dialog)) SetFindReplaceStringInReplaceTextDlg(dialog);
    const DWORD flags = g.record.Flags;
    CheckDlgButton(dialog, kUp, flags & kDownward ? BST_UNCHECKED : BST_CHECKED);
    CheckDlgButton(dialog, kDown, flags & kDownward ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, kWholeWord, flags & kWordFlag ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, kMatchCase, flags & kCaseFlag ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, kScopeSet, flags & kScopeFlag ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, kScopeClear, flags & kScopeFlag ? BST_UNCHECKED : BST_CHECKED);
    set_buttons(dialog, true);
    SetPeekMessageFlag(0);
    SetStopExecutingFlag(0);
}

// 5009, 5010, 5011: the texts into the record and the histories, the flags
// from the controls, and 5119 to the owner.
void act(HWND dialog, int button) {
    char text[1040] = "";
    GetDlgItemTextA(dialog, kFindCombo, text, sizeof text);
    if (!text[0]) {
        HWND field = GetDlgItem(dialog, kFindCombo);
        SendMessageA(field, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
        SetFocus(field);
        return;
    }
    read_text(dialog, kFindCombo, g.record.lpstrFindWhat, g.record.wFindWhatLen);
    SetNewFindReplaceStringFromComboBox(GetDlgItem(dialog, kFindCombo), 0);
    const bool replace = is_replace_dialog(dialog);
    if (replace) {
        read_text(dialog, kReplaceCombo, g.record.lpstrReplaceWith, g.record.wReplaceWithLen);
        SetNewFindReplaceStringFromComboBox(GetDlgItem(dialog, kReplaceCombo), 1);
    }
    GetCheckedMarksFromDialog(dialog, button, button == kFindNext ? kFindNextFlag : 0);
    g.previous_action = g.current_action;
    g.current_action = static_cast<LONG>(g.record.Flags & (kFindNextFlag | kReplaceFlag | kReplaceAllFlag));
    const bool all = button == kReplaceAll;
    if (all) set_buttons(dialog, false);
    send_to_owner(1);
    if (all && IsWindow(dialog)) set_buttons(dialog, true);
}

void close_dialog(HWND dialog) {
    g.record.Flags |= kClosing;
    send_to_owner(1);
    if (IsWindow(dialog)) DestroyWindow(dialog);
}

INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        initialise(dialog);
        return TRUE;
    case WM_CLOSE:
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wparam);
        if (id == kFindCombo && (HIWORD(wparam) == CBN_EDITCHANGE || HIWORD(wparam) == CBN_SELCHANGE)) {
            // After a selection the edit field holds the new text only later.
            char text[8] = "";
            if (HIWORD(wparam) == CBN_SELCHANGE) {
                const LRESULT index = SendDlgItemMessageA(dialog, kFindCombo, CB_GETCURSEL, 0, 0);
                if (index >= 0 && SendDlgItemMessageA(dialog, kFindCombo, CB_GETLBTEXTLEN, index, 0) > 0) text[0] = 'x';
            } else {
                GetDlgItemTextA(dialog, kFindCombo, text, sizeof text);
            }
            set_buttons(dialog, text[0] != '\0');
            return TRUE;
        }
        switch (id) {
        case kUp:
        case kDown:
            CheckDlgButton(dialog, kUp, id == kUp ? BST_CHECKED : BST_UNCHECKED);
            CheckDlgButton(dialog, kDown, id == kDown ? BST_CHECKED : BST_UNCHECKED);
            return TRUE;
        case kFindNext:
        case kReplace:
        case kReplaceAll:
            act(dialog, id);
            return TRUE;
        case IDCANCEL:
        case kClose:
            close_dialog(dialog);
            return TRUE;
        }
        break;
    }
    case WM_DESTROY: {
        RECT r;
        if (GetWindowRect(dialog, &r)) g.rect = r;
        if (g.dialog == dialog) g.dialog = nullptr;
        break;
    }
    }
    return FALSE;
}

LONG open_dialog(const FINDREPLACEA* record, bool replace) {
    if (!record) return 0;
    DestroyWndCreateFindReplaceDlg();
    SetFindReplaceStruct(record);
    g.replace = replace;
    HWND dialog = CreateDialogParamA(GetInstanceOfFindReplaceDlg(), replace ? "OPENREPLACETEXT" : "OPENFINDTEXT",
                                     g.record.hwndOwner, procedure, 0);
    if (!dialog) {
        myMessageBoxForLoadString(g.record.hwndOwner, replace ? kReplaceNotMade : kFindNotMade, kTitle,
                                  MB_ICONEXCLAMATION);
        return 0;
    }
    g.dialog = dialog;
    if (g.rect.right > g.rect.left && g.rect.bottom > g.rect.top)
        SetWindowPos(dialog, nullptr, g.rect.left, g.rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(dialog, SW_SHOW);
    return kFindReplaceMessage;
}
}  // namespace

LONG WINAPI SetFindReplaceStruct(const FINDREPLACEA* record) {
    if (!record) return 0;
    g.record = *record;
    g.record.lStructSize = sizeof g.record;
    return 1;
}

LPFINDREPLACEA WINAPI GetFindReplaceStruct(LPFINDREPLACEA out) {
    if (out) *out = g.record;
    return &g.record;
}

LONG WINAPI SetClientRectOfFindReplaceDlg(const RECT* rect) {
    g.rect = rect ? *rect : RECT{};
    return 1;
}

LONG WINAPI PreviousActionForReplace() { return g.previous_action; }
LONG WINAPI SetPreviousActionForReplace(LONG action) { return g.previous_action = action; }
LONG WINAPI CurrentActionForReplace() { return g.current_action; }

LONG WINAPI myFindText(const FINDREPLACEA* record, LONG) { return open_dialog(record, false); }
LONG WINAPI myReplaceText(const FINDREPLACEA* record, LONG) { return open_dialog(record, true); }

UINT WINAPI GetMessageIdFromFindReplace() { return kFindReplaceMessage; }
LONG WINAPI IsFindTextDlgActive() { return g.dialog && IsWindow(g.dialog) ? 1 : 0; }

LONG WINAPI SetActiveFindTextDlg() {
    if (!IsFindTextDlgActive()) return 0;
    SetActiveWindow(g.dialog);
    SetFocus(GetDlgItem(g.dialog, kFindCombo));
    return 1;
}

LONG WINAPI IsFindTextDlgMessage(MSG* msg) {
    return msg && IsFindTextDlgActive() && IsDialogMessageA(g.dialog, msg) ? 1 : 0;
}

HWND WINAPI GetWndHandleForCreateFindReplaceDlg() { return g.dialog; }

LONG WINAPI DestroyWndCreateFindReplaceDlg() {
    if (!IsFindTextDlgActive()) {
        g.dialog = nullptr;
        return 0;
    }
    DestroyWindow(g.dialog);
    g.dialog = nullptr;
    return 1;
}

HINSTANCE WINAPI GetInstanceOfFindReplaceDlg() { return GetSysDlgInstance(); }

MemoryTag* WINAPI GetInitialFindStrings() { return &g.find_history; }
LPCSTR WINAPI GetmyFindStrings() { return ferro::search::history_list(g.find_history); }
MemoryTag* WINAPI GetInitialReplaceStrings() { return &g.replace_history; }
LPCSTR WINAPI GetmyReplaceStrings() { return ferro::search::history_list(g.replace_history); }

LONG WINAPI RepeatFindTextWithoutDlg(LONG downward) {
    if (!g.record.hwndOwner || !g.record.hInstance || !g.record.lpstrFindWhat || !*g.record.lpstrFindWhat) return 0;
    g.record.Flags &= ~(kReplaceFlag | kReplaceAllFlag);
    g.record.Flags |= kFindNextFlag;
    if (downward) g.record.Flags |= kDownward;
    else g.record.Flags &= ~kDownward;
    send_to_owner(0);
    return 1;
}

DWORD WINAPI GetCheckedMarksFromDialog(HWND dialog, LONG button, LONG mode) {
    if (!dialog) return g.record.Flags;
    const bool replace = is_replace_dialog(dialog);
    DWORD flags = g.record.Flags;
    if (button) {
        if (replace) flags = (mode & kFindNextFlag ? 9 : 17) | (button == kReplaceAll ? kReplaceAllFlag : 0);
        else flags = kFindNextFlag;
    }
    auto mark = [&](int control, DWORD bit) {
        if (IsDlgButtonChecked(dialog, control) == BST_CHECKED) flags |= bit;
        else flags &= ~bit;
    };
    if (replace) mark(kScopeSet, kScopeFlag);
    else mark(kDown, kDownward);
    mark(kWholeWord, kWordFlag);
    mark(kMatchCase, kCaseFlag);
    g.record.Flags = flags;
    return flags;
}

LONG WINAPI IsResetStartingPositionByFindReplaceDlg() {
    return IsFindTextDlgActive() && IsDlgButtonChecked(g.dialog, kFromStart) == BST_CHECKED ? 1 : 0;
}

LONG WINAPI SetNewFindReplaceStringInCombobox(HWND combo, LONG which) {
    if (!combo) return 0;
    return ferro::search::history_fill(combo, which ? g.replace_history : g.find_history);
}

LONG WINAPI SetNewFindReplaceStringFromComboBox(HWND combo, LONG which) {
    if (!combo) return 0;
    char text[1040] = "";
    GetWindowTextA(combo, text, sizeof text);
    if (!ferro::search::history_add(which ? g.replace_history : g.find_history, text)) return 0;
    SetNewFindReplaceStringInCombobox(combo, which);
    SetWindowTextA(combo, text);
    return 1;
}

LONG WINAPI SetFindReplaceStringInReplaceTextDlg(HWND dialog) {
    if (!dialog) return 0;
    HWND find = GetDlgItem(dialog, kFindCombo), replace = GetDlgItem(dialog, kReplaceCombo);
    SetNewFindReplaceStringInCombobox(find, 0);
    if (g.record.lpstrFindWhat) SetWindowTextA(find, g.record.lpstrFindWhat);
    if (!replace) return 1;
    const LONG entries = SetNewFindReplaceStringInCombobox(replace, 1);
    const char* with = g.record.lpstrReplaceWith;
    if (with && *with) SetWindowTextA(replace, with);
    else if (entries == 0 && g.record.lpstrFindWhat) SetWindowTextA(replace, g.record.lpstrFindWhat);
    return 1;
}

LONG WINAPI ShowMessageForFindReplace(HWND owner, UINT messageId, LPCSTR insert, LONG count) {
    char text[2200] = "", piece[1100];
    if (messageId) {
        _MyLoadString(GetSysDlgInstance(), messageId, 0);
        std::snprintf(piece, sizeof piece, GetLoadStrMessage(), insert ? insert : "");
        lstrcpynA(text, piece, sizeof text);
    }
    if (count >= 0) {
        _MyLoadString(GetSysDlgInstance(), kReplaced, 0);
        std::snprintf(piece, sizeof piece, GetLoadStrMessage(), static_cast<int>(count));
        if (char* crlf = std::strstr(piece, "\r\n")) std::memmove(crlf, crlf + 1, std::strlen(crlf));
        if (text[0]) lstrcatA(text, "\n");
        lstrcatA(text, piece);
    }
    _MyLoadString(GetSysDlgInstance(), 0, kTitle);
    char title[1040];
    lstrcpynA(title, GetLoadStrTitle(), sizeof title);
    return myMessageBox(owner, text, title, MB_ICONEXCLAMATION);
}

namespace ferro::search {
void free_find_replace() {
    DestroyWndCreateFindReplaceDlg();
    FreeMemoryTag(&g.find_history);
    FreeMemoryTag(&g.replace_history);
}
}  // namespace ferro::search
