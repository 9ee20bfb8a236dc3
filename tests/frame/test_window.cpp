#include "test_window.h"

namespace frame_test {
const char* TestWindow::class_name() {
    static const char* name = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "FerroFrameTestWindow";
        RegisterClassA(&wc);
        return "FerroFrameTestWindow";
    }();
    return name;
}

std::vector<TestWindow::Seen>& TestWindow::seen() {
    static std::vector<Seen> all;
    return all;
}

TestWindow::TestWindow(Handler handler) : handler_(std::move(handler)) {
    hwnd_ = CreateWindowExA(0, class_name(), "frame test", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                            GetModuleHandleA(nullptr), this);
}

TestWindow::~TestWindow() {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

LRESULT CALLBACK TestWindow::proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self) {
        if (message == WM_CLOSE || message >= WM_APP) seen().push_back({window, message, wparam, lparam});
        if (self->handler_) self->handler_(message, wparam, lparam);
        if (message == kDestroyMe) {
            DestroyWindow(window);
            return 0;
        }
        if (message == WM_CLOSE) return 0;
    }
    if (message == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    return DefWindowProcA(window, message, wparam, lparam);
}

void drain_messages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
}  // namespace frame_test
