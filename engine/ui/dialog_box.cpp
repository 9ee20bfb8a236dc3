// Running the library's modal dialogs.
#include "frame/error_internal.h"
#include "frame/handles.h"
#include "frame/message_box.h"
#include "frame/places.h"
#include "ui/function_keys.h"
#include "ui/ui_internal.h"

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
