#include "support/dialog_script.h"
#include "support/artefacts.h"
#include <gtest/gtest.h>

namespace ferro_test {
namespace {
struct Script {
    int marker = 0;
    std::vector<DialogStep> steps;
    std::size_t step = 0;
    int ticks = 0;
};
Script g_script;

BOOL CALLBACK find_dialog(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && GetDlgItem(window, g_script.marker)) *reinterpret_cast<HWND*>(found) = window;
    return TRUE;
}

void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), find_dialog, reinterpret_cast<LPARAM>(&dialog));
    if (++g_script.ticks > 400) {
        ADD_FAILURE() << "dialog script stuck at step " << g_script.step;
        if (dialog) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    } else if (dialog && g_script.step < g_script.steps.size() && g_script.steps[g_script.step](dialog)) {
        ++g_script.step;
    }
}

}  // namespace

// build/<preset>/artefacts/<name>, beside bin/ where the test runs from.
void save_screenshot(HWND window, const char* name) { save_screenshot(window, artefact(name)); }

INT_PTR run_dialog_script(int marker, std::vector<DialogStep> steps, const std::function<INT_PTR()>& open) {
    g_script = Script{marker, std::move(steps), 0, 0};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, tick);
    const INT_PTR result = open();
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_script.steps.size(), g_script.step);
    return result;
}

DialogStep click(int id) {
    return [id](HWND d) { return PostMessageA(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0) != FALSE; };
}
DialogStep select_item(int list, int index) {
    return [=](HWND d) { return SendDlgItemMessageA(d, list, LB_SETCURSEL, index, 0) == index; };
}
DialogStep set_text(int id, const std::string& text) {
    return [=](HWND d) { return SetDlgItemTextA(d, id, text.c_str()) != FALSE; };
}
DialogStep check(int id, bool on) {
    return [=](HWND d) { return CheckDlgButton(d, id, on ? BST_CHECKED : BST_UNCHECKED) != FALSE; };
}
DialogStep screenshot(const char* name) {
    return [name](HWND d) { return save_screenshot(d, name), true; };
}
}  // namespace ferro_test
