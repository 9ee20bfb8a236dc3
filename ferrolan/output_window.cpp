#include "output_window.h"
#include <commctrl.h>
#include <vector>
#include "listing.h"
#include "texts.h"

namespace ferrolan {
namespace {
constexpr char kClass[] = "FerrolanOutput";
}

OutputWindow::OutputWindow(HINSTANCE instance, HWND owner, HFONT font) : owner_(owner) {
    WNDCLASSA type = {};
    type.lpfnWndProc = proc;
    type.hInstance = instance;
    type.hCursor = LoadCursor(nullptr, IDC_ARROW);
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = kClass;
    RegisterClassA(&type);
    RECT r;
    GetWindowRect(owner, &r);
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kClass, text(ids::kOutputTitle).c_str(), WS_OVERLAPPEDWINDOW,
                              r.left + 60, r.top + 80, 640, 320, owner, nullptr, instance, nullptr);
    edit_ = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                                ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                            0, 0, 10, 10, window_, nullptr, instance, nullptr);
    SendMessageA(edit_, WM_SETFONT, WPARAM(font), 0);
    SendMessageA(edit_, EM_SETLIMITTEXT, 0, 0);
    SetWindowSubclass(edit_, edit_proc, 1, reinterpret_cast<DWORD_PTR>(this));
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    RECT c;
    GetClientRect(window_, &c);
    MoveWindow(edit_, 0, 0, c.right, c.bottom, TRUE);
}

OutputWindow::~OutputWindow() { destroy(); }

void OutputWindow::destroy() {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
    window_ = edit_ = nullptr;
}

void OutputWindow::show() {
    if (window_) ShowWindow(window_, SW_SHOWNOACTIVATE);
}

void OutputWindow::clear() {
    if (edit_) SetWindowTextA(edit_, "");
}

void OutputWindow::append(const char* line) {
    if (!edit_ || !line) return;
    std::string s = line;
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    // The edit control wants CR LF for every line break.
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\n' && (i == 0 || s[i - 1] != '\r')) out += '\r';
        out += s[i];
    }
    out += "\r\n";
    const int end = GetWindowTextLengthA(edit_);
    SendMessageA(edit_, EM_SETSEL, end, end);
    SendMessageA(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(out.c_str()));
    show();
}

void OutputWindow::end_of_line() {
    if (edit_) SendMessageA(edit_, EM_SCROLLCARET, 0, 0);
}

std::string OutputWindow::contents() const {
    if (!edit_) return {};
    std::vector<char> buffer(size_t(GetWindowTextLengthA(edit_)) + 1);
    GetWindowTextA(edit_, buffer.data(), int(buffer.size()));
    return buffer.data();
}

std::string OutputWindow::path_in_line(const std::string& line) {
    const size_t arrow = line.find("> ");
    std::string rest = arrow == std::string::npos ? line : line.substr(arrow + 2);
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\r')) rest.pop_back();
    // Names may hold blanks: the candidates end at a blank, the longest first.
    for (size_t end = rest.size(); end > 2; end = rest.rfind(' ', end - 1)) {
        const std::string candidate = rest.substr(0, end);
        if (candidate.size() > 2 && candidate[1] == ':' && exists(candidate)) return candidate;
        if (end == std::string::npos || end == 0) break;
    }
    return {};
}

LRESULT CALLBACK OutputWindow::edit_proc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                         DWORD_PTR self) {
    if (message == WM_LBUTTONDBLCLK) {
        const LRESULT r = DefSubclassProc(edit, message, wparam, lparam);
        const LRESULT line = SendMessageA(edit, EM_LINEFROMCHAR, WPARAM(-1), 0);
        std::vector<char> text(4096);
        *reinterpret_cast<WORD*>(text.data()) = WORD(text.size() - 1);
        const LRESULT n = SendMessageA(edit, EM_GETLINE, WPARAM(line), LPARAM(text.data()));
        text[size_t(n)] = '\0';
        const std::string path = path_in_line(text.data());
        if (!path.empty())
            SendMessageA(reinterpret_cast<OutputWindow*>(self)->owner_, kShowFileMessage, 0, LPARAM(path.c_str()));
        return r;
    }
    return DefSubclassProc(edit, message, wparam, lparam);
}

LRESULT CALLBACK OutputWindow::proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<OutputWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_SIZE:
        if (self && self->edit_) MoveWindow(self->edit_, 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
        return 0;
    case WM_CLOSE:
        ShowWindow(window, SW_HIDE);  // kept for the next lines
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}
}  // namespace ferrolan
