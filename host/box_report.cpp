#include "box_report.h"
#include <windows.h>
#include <cstdlib>
#include "console.h"

namespace host {
namespace {
HHOOK g_hook = nullptr;
int g_count = 0;
std::string g_command;

// Message boxes are dialogs of class "#32770" whose text is control 0xFFFF.
bool is_message_box(HWND window) {
    char name[16] = {};
    return GetClassNameA(window, name, sizeof name) > 0 && lstrcmpA(name, "#32770") == 0 &&
           GetDlgItem(window, 0xFFFF) != nullptr;
}

std::string one_line(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    size_t start = text.find_first_not_of(' ');
    return start == std::string::npos ? std::string() : text.substr(start);
}

LRESULT CALLBACK on_cbt(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wp);
        if (is_message_box(box) && GetPropA(box, "FerroSeen") == nullptr) {
            SetPropA(box, "FerroSeen", reinterpret_cast<HANDLE>(1));
            ++g_count;
            if (BoxReport::headless()) {
                char title[256] = {}, text[2048] = {};
                GetWindowTextA(box, title, sizeof title);
                GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                err("ferro " + g_command + ": " + one_line(title) + ": " + one_line(text));
                int button = GetDlgItem(box, IDCANCEL) ? IDCANCEL : GetDlgItem(box, IDNO) ? IDNO : IDOK;
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
            }
        }
    }
    return CallNextHookEx(g_hook, code, wp, lp);
}
}  // namespace

BoxReport::BoxReport(std::string command) {
    g_command = std::move(command);
    g_count = 0;
    g_hook = SetWindowsHookExA(WH_CBT, on_cbt, nullptr, GetCurrentThreadId());
}

BoxReport::~BoxReport() {
    if (g_hook) UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
}

int BoxReport::seen() { return g_count; }
bool BoxReport::active() { return g_hook != nullptr; }

bool BoxReport::headless() {
    const char* value = std::getenv("FERRO_HEADLESS");
    return value != nullptr && *value != '\0' && *value != '0';
}
}  // namespace host
