// Viewer: one file of a sequence shown in the modal dialog "OpenViewer" of
// the message library, with the line-width dialog "OpenViewerWord", the font
// dialog and the user's editor.
#include <windows.h>
#include <commdlg.h>
#include <cstdio>
#include <cstring>
#include "ferromes.h"
#include "frame/error_boxes.h"
#include "frame/memory_blocks.h"
#include "frame/message_box.h"
#include "frame/paths.h"
#include "programs/report_platform.h"
#include "viewer/viewer.h"
#include "viewer/viewer_internal.h"

namespace ferro::viewer {
namespace {
constexpr int kTextControl = 2580;
constexpr int kPrevious = 2581;     // back to the previous file (also the dialog's result)
constexpr int kLineWidth = 2582;    // opens "OpenViewerWord"
constexpr int kFont = 2583;
constexpr int kEditor = 2584;
constexpr int kWidthField = 2590;   // the number field of "OpenViewerWord"

constexpr UINT kNextFile = 7098;    // "次ﾌｧｲﾙ(&N)"
constexpr UINT kPartly = 7100;      // " (途中まで)"
constexpr UINT kCannotRead = 7101;  // "ﾌｧｲﾙの読み込みができません"
constexpr UINT kReadError = 7102;   // "ﾌｧｲﾙの読み込み中にｴﾗｰが発生しました"
constexpr UINT kNoMemory = 7104;    // "ﾌｧｲﾙ内容記憶用領域確保に失敗しました。"
constexpr UINT kAskWidth = 7105;    // "折返文字数の変更を実行しますか？"
constexpr UINT kWidthTitle = 7106;  // "Ferrolan:折返文字数"
constexpr UINT kViewerTitle = 7107; // "Ferrolan:ﾌｧｲﾙﾋﾞｭｰ"
constexpr UINT kUnchanged = 7108;   // "変更ありませんが、"
constexpr UINT kLeft = 7109;        // "残"
constexpr UINT kOk = 8257;          // " OK "
constexpr std::size_t kText = 1040;

// The font of the text: a fixed-pitch Japanese font until the user picks one.
LOGFONTA& viewer_font() {
    static LOGFONTA font = [] {
        LOGFONTA f = {};
        f.lfHeight = -14;
        f.lfCharSet = SHIFTJIS_CHARSET;
        f.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
        std::strcpy(f.lfFaceName, "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e");  // ＭＳ ゴシック
        return f;
    }();
    return font;
}

struct DialogState {
    HFONT font = nullptr;
    int band = 0;  // height of the button row below the text
};
DialogState g_dialog;

// Message `id` of the resource instance, copied.
void load(UINT id, char (&out)[kText]) {
    _MyLoadString(GetSysDlgInstance(), id, 0);
    lstrcpynA(out, GetLoadStrMessage(), kText);
}

// "Ferrolan:ﾌｧｲﾙﾋﾞｭｰ '<name>' 残:<left>/<total>[ (途中まで)]"
void set_title(HWND dialog, const char* path) {
    char viewer[kText], left[kText], partly[kText], name[520] = "", title[kText * 2];
    load(kViewerTitle, viewer);
    load(kLeft, left);
    load(kPartly, partly);
    if (path) {
        lstrcpynA(name, path, sizeof name);
        if (char* base = GetFileName(nullptr, name)) std::memmove(name, base, std::strlen(base) + 1);
    }
    const ViewerState& s = state();
    std::snprintf(title, sizeof title, "%s '%s' %s:%lu/%lu%s", viewer, name, left,
                  static_cast<unsigned long>(s.remaining - 1), static_cast<unsigned long>(s.total),
                  s.partial ? partly : "");
    SetWindowTextA(dialog, title);
}

void show_text(HWND dialog) {
    HWND edit = GetDlgItem(dialog, kTextControl);
    SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
    const char* text = GlobalLock_ghCurFileViewer();
    SetWindowTextA(edit, text ? text : "");
    if (text) GlobalUnlock_ghCurFileViewer();
}

void apply_font(HWND dialog) {
    HFONT font = CreateFontIndirectA(&viewer_font());
    if (!font) return;
    SendDlgItemMessageA(dialog, kTextControl, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (g_dialog.font) DeleteObject(g_dialog.font);
    g_dialog.font = font;
}

const char* file_name() {
    return state().name ? static_cast<const char*>(GlobalLock(state().name)) : nullptr;
}
void release_file_name() {
    if (state().name) GlobalUnlock(state().name);
}

// The text fills the dialog above the row of buttons, which stays at the bottom.
void lay_out_controls(HWND dialog, int width, int height) {
    HWND edit = GetDlgItem(dialog, kTextControl);
    MoveWindow(edit, 0, 0, width, height - g_dialog.band, TRUE);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (child == edit) continue;
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        const int top = height - g_dialog.band + (g_dialog.band - (r.bottom - r.top)) / 2;
        SetWindowPos(child, nullptr, r.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
}

INT_PTR CALLBACK width_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* width = reinterpret_cast<ULONGLONG*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lparam);
        SetDlgItemInt(dialog, kWidthField, static_cast<UINT>(*reinterpret_cast<ULONGLONG*>(lparam)), FALSE);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK) {
            BOOL ok = FALSE;
            const UINT chosen = GetDlgItemInt(dialog, kWidthField, &ok, FALSE);
            if (!ok) {
                SendDlgItemMessageA(dialog, kWidthField, EM_SETSEL, 0, -1);
                SetFocus(GetDlgItem(dialog, kWidthField));
                return TRUE;
            }
            char question[kText * 2] = "", unchanged[kText] = "", ask[kText], title[kText];
            if (chosen == *width) load(kUnchanged, unchanged);
            lstrcpyA(question, unchanged);
            load(kAskWidth, ask);
            load(kWidthTitle, title);
            lstrcatA(question, ask);
            if (myMessageBox(dialog, question, title, MB_YESNO | MB_ICONQUESTION) != IDYES) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            *width = chosen;
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

void change_width(HWND dialog) {
    ULONGLONG width = state().unit;
    if (DialogBoxParamA(GetSysDlgInstance(), "OPENVIEWERWORD", dialog, width_procedure,
                        reinterpret_cast<LPARAM>(&width)) != IDOK)
        return;
    if (width == state().unit) return;
    if (!ResetLines(dialog, width, state().unit)) return;
    state().unit = width;
    state().option_changed = 1;
    show_text(dialog);
}

void choose_font(HWND dialog) {
    LOGFONTA font = viewer_font();
    CHOOSEFONTA choice = {};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = dialog;
    choice.lpLogFont = &font;
    choice.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontA(&choice)) return;
    viewer_font() = font;
    apply_font(dialog);
    state().option_changed = 1;
}

void finish(HWND dialog, INT_PTR result) {
    RECT r;
    if (GetWindowRect(dialog, &r)) state().rect = r;
    EndDialog(dialog, result);
}

INT_PTR CALLBACK viewer_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: {
        ViewerState& s = state();
        set_title(dialog, file_name());
        release_file_name();
        char label[kText];
        load(s.remaining > 1 ? kNextFile : kOk, label);
        SetDlgItemTextA(dialog, IDOK, label);
        EnableWindow(GetDlgItem(dialog, kPrevious), s.current > 1);
        RECT client, edit;
        GetClientRect(dialog, &client);
        GetWindowRect(GetDlgItem(dialog, kTextControl), &edit);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&edit), 2);
        g_dialog.band = client.bottom - edit.bottom;
        apply_font(dialog);
        show_text(dialog);
        RECT placed;
        GetWindowRect(dialog, &placed);
        if (s.starting.right <= s.starting.left) s.starting = placed;
        if (s.rect.right > s.rect.left && s.rect.bottom > s.rect.top)
            MoveWindow(dialog, s.rect.left, s.rect.top, s.rect.right - s.rect.left, s.rect.bottom - s.rect.top, TRUE);
        show_cursor(2);
        SetFocus(GetDlgItem(dialog, IDOK));
        return FALSE;
    }
    case WM_SIZE:
        if (g_dialog.band > 0) lay_out_controls(dialog, LOWORD(lparam), HIWORD(lparam));
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case IDOK: finish(dialog, IDOK); return TRUE;
        case IDCANCEL: finish(dialog, IDCANCEL); return TRUE;
        case kPrevious: finish(dialog, kPrevious); return TRUE;
        case kLineWidth: change_width(dialog); return TRUE;
        case kFont: choose_font(dialog); return TRUE;
        case kEditor:
            if (const char* name = file_name()) {
                char path[520];
                lstrcpynA(path, name, sizeof path);
                release_file_name();
                ferro::programs::open_in_editor(dialog, path);
            }
            return TRUE;
        }
        break;
    case WM_DESTROY:
        if (g_dialog.font) {
            DeleteObject(g_dialog.font);
            g_dialog.font = nullptr;
        }
        g_dialog.band = 0;
        break;
    }
    return FALSE;
}

// The error box of a file that could not be loaded: its answer (1, or 2 for
// Cancel in a sequence of several files).
LONG show_load_error(HWND owner, LPCSTR name, LONG code) {
    const UINT id = code == -5 ? kReadError : code == -3 ? kNoMemory : kCannotRead;
    char text[kText], viewer[kText], left[kText], title[kText * 2];
    load(id, text);
    load(kViewerTitle, viewer);
    load(kLeft, left);
    const ViewerState& s = state();
    std::snprintf(title, sizeof title, "%s %s:%lu/%lu", viewer, left, static_cast<unsigned long>(s.remaining - 1),
                  static_cast<unsigned long>(s.total));
    title[519] = '\0';
    SetHelpDosErrorMessage(MB_ICONEXCLAMATION | (s.total > 1 ? MB_OKCANCEL : MB_OK), nullptr);
    const int answer = DosErrorMessage(owner, name, text, title, 1);
    return answer == IDCANCEL ? IDCANCEL : IDOK;
}
}  // namespace
}  // namespace ferro::viewer

LONG WINAPI Viewer(HWND owner, LPCSTR fileName, LONG currentNumber, LONG remaining, LONG total, LPCSTR text) {
    using namespace ferro::viewer;
    if (!fileName) return 0;
    ViewerState& s = state();
    s.current = currentNumber;
    s.remaining = remaining;
    s.total = total;
    show_cursor(0);
    if (!text) {
        const LONG loaded = GetFileContentForView(fileName, s.unit);
        if (loaded != 0 && loaded != -2) {
            const LONG answer = loaded == -4 ? IDCANCEL : show_load_error(owner, fileName, loaded);
            --s.remaining;
            ++s.current;
            return answer;
        }
    } else if (!SetViewerBuffer(text)) {
        const LONG answer = show_load_error(owner, fileName, -3);
        --s.remaining;
        ++s.current;
        return answer;
    }
    if (s.unit) ResetLines(owner, s.unit, 0);
    s.name = SaveToGlobalMemory(owner, s.name, fileName);
    INT_PTR result = DialogBoxParamA(GetSysDlgInstance(), "OPENVIEWER", owner, viewer_procedure, 0);
    if (result == -1) result = IDCANCEL;
    if (result == kPrevious) {
        ++s.remaining;
        --s.current;
    } else {
        --s.remaining;
        ++s.current;
    }
    return static_cast<LONG>(result);
}
