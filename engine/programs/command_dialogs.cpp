// The command-macro dialog and the extra-option question, both from this
// library's resources.
#include <string>
#include <vector>
#include "frame/handles.h"
#include "frame/memory_blocks.h"
#include "programs/command_dialogs.h"
#include "programs/launch.h"
#include "programs/launch_internal.h"

namespace {
constexpr int kCommandList = 2100;
constexpr int kRunButton = 2107;

std::string item_text(HWND dialog, int control) {
    HWND item = GetDlgItem(dialog, control);
    std::string text(std::size_t(GetWindowTextLengthA(item)) + 1, '\0');
    text.resize(std::size_t(GetWindowTextA(item, text.data(), int(text.size()))));
    return text;
}

INT_PTR CALLBACK extra_option_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lparam);
        SetDlgItemTextA(dialog, ferro::programs::kExtraField, reinterpret_cast<std::string*>(lparam)->c_str());
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK) {
            *reinterpret_cast<std::string*>(GetWindowLongPtrA(dialog, DWLP_USER)) =
                item_text(dialog, ferro::programs::kExtraField);
            EndDialog(dialog, IDOK);
        } else if (LOWORD(wparam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
        }
        return TRUE;
    }
    return FALSE;
}

// The file the dialog runs its command for.
struct MacroDialog {
    std::string file;
};

INT_PTR CALLBACK command_macro_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: {
        const auto* state = reinterpret_cast<const MacroDialog*>(lparam);
        SetDlgItemTextA(dialog, ferro::programs::kFileLabel, state->file.c_str());
        HWND list = GetDlgItem(dialog, kCommandList);
        for (const std::string& command : ferro::programs::stored_command_texts())
            if (!command.empty()) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(command.c_str()));
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case kCommandList:
            if (HIWORD(wparam) == LBN_SELCHANGE || HIWORD(wparam) == LBN_DBLCLK) {
                LRESULT index = SendDlgItemMessageA(dialog, kCommandList, LB_GETCURSEL, 0, 0);
                if (index != LB_ERR) ExecuteCmdExe(dialog, int(index), 0);
                if (HIWORD(wparam) == LBN_DBLCLK && IsWindowEnabled(GetDlgItem(dialog, kRunButton)))
                    PostMessageA(dialog, WM_COMMAND, kRunButton, 0);
            }
            return TRUE;
        case ferro::programs::kTemplateField:
            if (HIWORD(wparam) == EN_CHANGE)
                EnableWindow(GetDlgItem(dialog, kRunButton),
                             item_text(dialog, ferro::programs::kTemplateField).find_first_not_of(' ') !=
                                 std::string::npos);
            return TRUE;
        case kRunButton: {
            std::string command = item_text(dialog, ferro::programs::kTemplateField);
            EndDialog(dialog, ferro::programs::run_command_macro(dialog, command.c_str(), nullptr) ? 1 : 0);
            return TRUE;
        }
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
}  // namespace

namespace ferro::programs {
bool ask_extra_options(HWND owner, std::string& options) {
    return DialogBoxParamA(GetDllInstance(), "OpenExtraOption", owner, extra_option_proc,
                           reinterpret_cast<LPARAM>(&options)) == IDOK;
}
}  // namespace ferro::programs

LONG WINAPI CommandMacro(HWND window) {
    std::vector<std::string> files = ferro::programs::selected_files();
    MacroDialog state{files.empty() ? std::string() : files.front()};
    INT_PTR result = DialogBoxParamA(GetDllInstance(), "OpenCommandMacro", window, command_macro_proc,
                                     reinterpret_cast<LPARAM>(&state));
    SaveToGlobal_ghTempMemory(window, "");
    return result == 1 ? 1 : 0;
}
