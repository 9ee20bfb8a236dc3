// The dialogs of the favourite folders ("OpenFavoriteDirList") and of the
// folder history ("OpenHistoryFolders"), from the message library's
// resources.
#include <string>
#include <vector>
#include "ferromes.h"
#include "frame/text_internal.h"
#include "settings/favorites.h"
#include "settings/place_lists.h"

using namespace ferro;
using namespace ferro::settings;

namespace {
constexpr int kList = 2700, kAdd = 2701, kRemove = 2702, kUp = 2703, kDown = 2704, kCount = 2705;
constexpr int kHistoryList = 2710;

struct FavoriteDialog {
    std::string adding;  // the current folder, with ">" and the target when given
    bool moved = false, removed = false;
};

std::string item(HWND list, int index) {
    const LRESULT n = SendMessageA(list, LB_GETTEXTLEN, index, 0);
    if (n < 0) return {};
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(out.data()));
    out.resize(static_cast<std::size_t>(n));
    return out;
}

void show_count(HWND dialog) {
    char text[32];
    wsprintfA(text, "%d/%d", static_cast<int>(SendDlgItemMessageA(dialog, kList, LB_GETCOUNT, 0, 0)), kFavoriteSlots);
    SetDlgItemTextA(dialog, kCount, text);
    EnableWindow(GetDlgItem(dialog, kAdd), SendDlgItemMessageA(dialog, kList, LB_GETCOUNT, 0, 0) < kFavoriteSlots);
}

void move_selected(HWND dialog, int by) {
    HWND list = GetDlgItem(dialog, kList);
    const int at = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    if (at < 0 || at + by < 0 || at + by >= count) return;
    const std::string text = item(list, at);
    SendMessageA(list, LB_DELETESTRING, at, 0);
    SendMessageA(list, LB_INSERTSTRING, at + by, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(list, LB_SETCURSEL, at + by, 0);
}

INT_PTR CALLBACK favorite_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* state = reinterpret_cast<FavoriteDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lparam);
        FillInFavoriteDiretcoryBox(dialog, kList);
        SendDlgItemMessageA(dialog, kList, LB_SETHORIZONTALEXTENT, 1200, 0);
        show_count(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case kAdd: {
            HWND list = GetDlgItem(dialog, kList);
            if (state->adding.empty() || SendMessageA(list, LB_GETCOUNT, 0, 0) >= kFavoriteSlots ||
                SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                             reinterpret_cast<LPARAM>(state->adding.c_str())) >= 0)
                return TRUE;
            const LRESULT at = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(state->adding.c_str()));
            SendMessageA(list, LB_SETCURSEL, at, 0);
            show_count(dialog);
            return TRUE;
        }
        case kRemove: {
            HWND list = GetDlgItem(dialog, kList);
            const LRESULT at = SendMessageA(list, LB_GETCURSEL, 0, 0);
            if (at < 0) return TRUE;
            SendMessageA(list, LB_DELETESTRING, at, 0);
            const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
            SendMessageA(list, LB_SETCURSEL, at < count ? at : count - 1, 0);
            state->removed = true;
            show_count(dialog);
            return TRUE;
        }
        case kUp:
        case kDown:
            move_selected(dialog, LOWORD(wparam) == kUp ? -1 : 1);
            state->moved = true;
            return TRUE;
        case IDOK: {
            HWND list = GetDlgItem(dialog, kList);
            const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
            std::vector<std::string> entries;
            for (int i = 0; i < count && i < kFavoriteSlots; ++i) {
                std::string e = item(list, i);
                SetTgtFavoriteDirStartingSign(e.data());
                entries.push_back(e);
            }
            clear_favorite_entries();
            for (std::size_t i = 0; i < entries.size(); ++i)
                SaveGlobalHandleForFavoriteDir(nullptr, static_cast<LONG>(i), entries[i].c_str());
            if (state->moved) SetFavoriteDirMovedInsideMenu(1);
            if (state->removed) SetFavoriteDirDeleted(1);
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

struct HistoryDialog {
    LPSTR out;
    LONG left, top;
};

INT_PTR CALLBACK history_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(dialog, DWLP_USER, lparam);
        const auto* place = reinterpret_cast<const HistoryDialog*>(lparam);
        if (place->left || place->top)
            SetWindowPos(dialog, nullptr, place->left, place->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        int current = -1;
        for (const std::string& folder : history_folders(current))
            SendDlgItemMessageA(dialog, kHistoryList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(folder.c_str()));
        SendDlgItemMessageA(dialog, kHistoryList, LB_SETCURSEL, current < 0 ? 0 : current, 0);
        SendDlgItemMessageA(dialog, kHistoryList, LB_SETHORIZONTALEXTENT, 1200, 0);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK || (LOWORD(wparam) == kHistoryList && HIWORD(wparam) == LBN_DBLCLK)) {
            const int at = static_cast<int>(SendDlgItemMessageA(dialog, kHistoryList, LB_GETCURSEL, 0, 0));
            if (at < 0) return TRUE;
            make_history_current(at);
            if (LPSTR out = reinterpret_cast<HistoryDialog*>(GetWindowLongPtrA(dialog, DWLP_USER))->out)
                lstrcpynA(out, item(GetDlgItem(dialog, kHistoryList), at).c_str(), static_cast<int>(text::kPathSize));
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wparam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
}  // namespace

INT_PTR WINAPI OpenFavoriteDirListDialog(HWND window, LPCSTR current, LPCSTR target) {
    FavoriteDialog state;
    if (!text::is_empty(current)) {
        state.adding = current;
        if (!text::is_empty(target)) state.adding += std::string(">") + target;
    }
    const INT_PTR result = DialogBoxParamA(GetSysDlgInstance(), "OPENFAVORITEDIRLIST", window, favorite_proc,
                                           reinterpret_cast<LPARAM>(&state));
    if (result == IDOK) rebuild_favorite_menu();
    return result == IDOK ? IDOK : IDCANCEL;
}

INT_PTR WINAPI OpenHistoryFoldersDialog(HWND window, LPSTR folderOut, LONG left, LONG top, LONG, LPARAM) {
    if (folderOut) *folderOut = '\0';
    HistoryDialog state{folderOut, left, top};
    const INT_PTR result = DialogBoxParamA(GetSysDlgInstance(), "OPENHISTORYFOLDERS", window, history_proc,
                                           reinterpret_cast<LPARAM>(&state));
    return result == IDOK ? IDOK : IDCANCEL;
}
