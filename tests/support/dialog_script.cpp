#include "support/dialog_script.h"
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
void save_screenshot(HWND window, const char* name) {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string path(exe);
    path.resize(path.rfind('\\'));
    path.replace(path.rfind('\\'), std::string::npos, "\\artefacts");
    CreateDirectoryA(path.c_str(), nullptr);
    path = path + "\\" + name;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r;
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER info = {sizeof info, w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<char> pixels(size_t((w * 3 + 3) & ~3) * size_t(h));
    GetDIBits(memory, bitmap, 0, UINT(h), pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    BITMAPFILEHEADER file = {0x4d42, DWORD(sizeof file + sizeof info + pixels.size()), 0, 0,
                             DWORD(sizeof file + sizeof info)};
    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    WriteFile(out, &file, sizeof file, &written, nullptr);
    WriteFile(out, &info, sizeof info, &written, nullptr);
    WriteFile(out, pixels.data(), DWORD(pixels.size()), &written, nullptr);
    CloseHandle(out);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

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
