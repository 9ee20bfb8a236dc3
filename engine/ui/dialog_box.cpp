// Running the library's modal dialogs, centring them, and the product's help.
#include "frame/error_internal.h"
#include "frame/handles.h"
#include "frame/message_box.h"
#include "frame/places.h"
#include "ui/function_keys.h"
#include "ui/ui_internal.h"

namespace ferro::ui {
// The dialog-drawing functions of the colours part centre dialogs for the
// host (cwCenter); until they are in the library the dialogs of this folder
// are centred here, the one place that changes when they are.
void center_on_owner(HWND dialog) {
    RECT box, area;
    GetWindowRect(dialog, &box);
    const HWND owner = GetWindow(dialog, GW_OWNER);
    if (!owner || !GetWindowRect(owner, &area)) SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const int width = box.right - box.left, height = box.bottom - box.top;
    SetWindowPos(dialog, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The help files of program launch open the help at a context number
// (myShowHelpFile); until they are in the library the classic help is asked
// here, the one place that changes when they are.
void open_help(HWND owner, DWORD context) {
    const char* help = GetFerroHelp();
    if (help && *help) WinHelpA(owner, help, HELP_CONTEXT, context);
}
}  // namespace ferro::ui

INT_PTR WINAPI DisplayBox(HWND owner, DLGPROC procedure, LPCSTR dialogTemplate, HINSTANCE instance) {
    const HWND focus = GetFocus();
    const INT_PTR result =
        DialogBoxParamA(instance ? instance : GethInstMain(), dialogTemplate, owner, procedure, 0);
    if (result == -1) {
        const ferro::errors::LoadedTexts texts(8101, 8102);  // "ﾀﾞｲｱﾛｸﾞﾎﾞｯｸｽを作成できません。"
        myMessageBox(owner, texts.message, texts.title, MB_ICONEXCLAMATION);
    }
    RepaintWindows(owner);
    if (focus && IsWindow(focus)) SetFocus(focus);
    return result;
}
