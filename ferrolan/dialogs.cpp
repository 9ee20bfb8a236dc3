#include "dialogs.h"
#include <cstdio>
#include "ferromes.h"
#include "listing/listing_store.h"
#include "texts.h"

namespace ferrolan {
namespace {
constexpr int kLabel = 100, kEdit = 101, kDetail = 102, kIfNewer = 110, kForAll = 111;
constexpr int kAttributeBoxes = 120;  // read-only, hidden, system, archive
constexpr int kSearchName = 130, kSearchNewer = 131, kSearchOlder = 132, kSearchMin = 133, kSearchMax = 134,
              kSearchAttributes = 135, kSearchSubfolders = 139;
constexpr DWORD kAttributeBits[4] = {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM,
                                     FILE_ATTRIBUTE_ARCHIVE};

std::string item_text(HWND dialog, int id) {
    char buffer[520] = {};
    GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
}

INT_PTR run(HWND owner, const char* name, DLGPROC procedure, void* state) {
    return DialogBoxParamA(GetSysDlgInstance(), name, owner, procedure, reinterpret_cast<LPARAM>(state));
}

template <class State>
State* state_of(HWND dialog, UINT message, LPARAM lparam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lparam);
    return reinterpret_cast<State*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

std::string file_facts(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return {};
    FILETIME local;
    FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
    char date[32] = {};
    myFileDate(date, local.dwLowDateTime, local.dwHighDateTime);
    return grouped((ULONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow) + "  " + date;
}

struct TextState {
    UINT title, label;
    std::string* value;
};

INT_PTR CALLBACK text_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* s = state_of<TextState>(dialog, message, lparam);
    switch (message) {
    case WM_INITDIALOG:
        SetWindowTextA(dialog, text(s->title).c_str());
        SetDlgItemTextA(dialog, kLabel, text(s->label).c_str());
        SendDlgItemMessageA(dialog, kEdit, EM_LIMITTEXT, 519, 0);
        SetDlgItemTextA(dialog, kEdit, s->value->c_str());
        center_on_owner(dialog);
        SetFocus(GetDlgItem(dialog, kEdit));
        SendDlgItemMessageA(dialog, kEdit, EM_SETSEL, 0, -1);
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK) *s->value = item_text(dialog, kEdit);
        if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) EndDialog(dialog, LOWORD(wparam));
        return TRUE;
    }
    return FALSE;
}

struct OverwriteState {
    UINT title;
    const std::string *source, *target;
    OverwriteAnswer answer;
};

INT_PTR CALLBACK overwrite_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* s = state_of<OverwriteState>(dialog, message, lparam);
    switch (message) {
    case WM_INITDIALOG:
        SetWindowTextA(dialog, text(s->title).c_str());
        SetDlgItemTextA(dialog, kLabel, format(ids::kExists, s->target->c_str()).c_str());
        SetDlgItemTextA(dialog, kDetail, (file_facts(*s->source) + "  -->  " + file_facts(*s->target)).c_str());
        center_on_owner(dialog);
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wparam);
        if (id != IDYES && id != IDNO && id != kIfNewer && id != IDCANCEL) return FALSE;
        s->answer.choice = id == IDYES ? Overwrite::kYes : id == IDNO ? Overwrite::kSkip
                         : id == kIfNewer ? Overwrite::kIfNewer : Overwrite::kStop;
        s->answer.for_all = IsDlgButtonChecked(dialog, kForAll) == BST_CHECKED;
        EndDialog(dialog, id);
        return TRUE;
    }
    }
    return FALSE;
}

struct AttributeState {
    const std::string* what;
    DWORD common, mixed, set = 0, clear = 0;
};

INT_PTR CALLBACK attribute_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* s = state_of<AttributeState>(dialog, message, lparam);
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextA(dialog, kLabel, s->what->c_str());
        for (int i = 0; i < 4; ++i)
            CheckDlgButton(dialog, kAttributeBoxes + i,
                           (s->mixed & kAttributeBits[i]) ? BST_INDETERMINATE
                           : (s->common & kAttributeBits[i]) ? BST_CHECKED : BST_UNCHECKED);
        center_on_owner(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK)
            for (int i = 0; i < 4; ++i) {
                const UINT state = IsDlgButtonChecked(dialog, kAttributeBoxes + i);
                if (state == BST_CHECKED) s->set |= kAttributeBits[i];
                if (state == BST_UNCHECKED) s->clear |= kAttributeBits[i];
            }
        if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) EndDialog(dialog, LOWORD(wparam));
        return TRUE;
    }
    return FALSE;
}

struct SearchState {
    const std::string* folder;
    SearchForm* form;
};

INT_PTR CALLBACK search_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* s = state_of<SearchState>(dialog, message, lparam);
    switch (message) {
    case WM_INITDIALOG: {
        SetDlgItemTextA(dialog, kLabel, s->folder->c_str());
        const SearchForm& f = *s->form;
        SetDlgItemTextA(dialog, kSearchName, f.name.c_str());
        SetDlgItemTextA(dialog, kSearchNewer, f.newer.c_str());
        SetDlgItemTextA(dialog, kSearchOlder, f.older.c_str());
        SetDlgItemTextA(dialog, kSearchMin, f.min_size.c_str());
        SetDlgItemTextA(dialog, kSearchMax, f.max_size.c_str());
        for (int i = 0; i < 4; ++i)
            CheckDlgButton(dialog, kSearchAttributes + i, (f.attributes & kAttributeBits[i]) ? BST_CHECKED : 0);
        CheckDlgButton(dialog, kSearchSubfolders, f.subfolders ? BST_CHECKED : 0);
        center_on_owner(dialog);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK) {
            SearchForm& f = *s->form;
            f.name = item_text(dialog, kSearchName);
            f.newer = item_text(dialog, kSearchNewer);
            f.older = item_text(dialog, kSearchOlder);
            f.min_size = item_text(dialog, kSearchMin);
            f.max_size = item_text(dialog, kSearchMax);
            f.attributes = 0;
            for (int i = 0; i < 4; ++i)
                if (IsDlgButtonChecked(dialog, kSearchAttributes + i) == BST_CHECKED) f.attributes |= kAttributeBits[i];
            f.subfolders = IsDlgButtonChecked(dialog, kSearchSubfolders) == BST_CHECKED;
        }
        if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) EndDialog(dialog, LOWORD(wparam));
        return TRUE;
    }
    return FALSE;
}
}  // namespace

void center_on_owner(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    RECT o, d;
    if (!owner || !GetWindowRect(owner, &o) || !GetWindowRect(dialog, &d)) return;
    const int w = d.right - d.left, h = d.bottom - d.top;
    SetWindowPos(dialog, nullptr, o.left + (o.right - o.left - w) / 2, o.top + (o.bottom - o.top - h) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool ask_text(HWND owner, UINT title, UINT label, std::string& value) {
    std::string edited = value;
    TextState state{title, label, &edited};
    if (run(owner, "FERROLANINPUT", text_proc, &state) != IDOK || edited.empty()) return false;
    value = edited;
    return true;
}

OverwriteAnswer ask_overwrite(HWND owner, UINT title, const std::string& source, const std::string& target) {
    OverwriteState state{title, &source, &target, {}};
    if (run(owner, "FERROLANOVERWRITE", overwrite_proc, &state) <= 0) state.answer.choice = Overwrite::kStop;
    return state.answer;
}

bool ask_attributes(HWND owner, const std::string& what, DWORD common, DWORD mixed, DWORD& set, DWORD& clear) {
    AttributeState state{&what, common, mixed};
    if (run(owner, "FERROLANATTRIBUTES", attribute_proc, &state) != IDOK) return false;
    set = state.set;
    clear = state.clear;
    return true;
}

bool ask_search(HWND owner, const std::string& folder, SearchForm& form) {
    SearchForm edited = form;
    SearchState state{&folder, &edited};
    if (run(owner, "FERROLANSEARCH", search_proc, &state) != IDOK) return false;
    form = edited;
    return true;
}
}  // namespace ferrolan
