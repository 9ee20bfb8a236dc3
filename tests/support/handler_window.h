// A hidden window whose procedure hands every message from WM_APP on to a
// test's handler: what the library dispatches while it pumps during a long
// operation reaches the test there.
#pragma once
#include <windows.h>
#include <functional>

namespace ferro_test {
class HandlerWindow {
public:
    explicit HandlerWindow(std::function<void(HWND, UINT)> handler) : handler_(std::move(handler)) {
        static const char* name = [] {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = proc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "FerroTestHandlerWindow";
            RegisterClassA(&wc);
            return "FerroTestHandlerWindow";
        }();
        hwnd_ = CreateWindowExA(0, name, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleA(nullptr), this);
    }
    ~HandlerWindow() { DestroyWindow(hwnd_); }
    HWND hwnd() const { return hwnd_; }

private:
    static LRESULT CALLBACK proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
        if (m == WM_NCCREATE)
            SetWindowLongPtrA(w, GWLP_USERDATA, LONG_PTR(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams));
        auto* self = reinterpret_cast<HandlerWindow*>(GetWindowLongPtrA(w, GWLP_USERDATA));
        if (self && m >= WM_APP) self->handler_(w, m);
        if (m == WM_NCDESTROY) SetWindowLongPtrA(w, GWLP_USERDATA, 0);
        return DefWindowProcA(w, m, wp, lp);
    }
    HWND hwnd_ = nullptr;
    std::function<void(HWND, UINT)> handler_;
};
}  // namespace ferro_test
