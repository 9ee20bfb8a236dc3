// Column tables handed over to the listing store, as the host does, and a
// window whose procedure runs a test's handler during a read.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "listing/listing_store.h"

namespace listing_test {
struct Tables {
    std::vector<HGLOBAL> dir_long_h, dir_short_h, file_long_h, file_short_h;
    std::vector<LPSTR> dir_long, dir_short, file_long, file_short;
    std::vector<DWORD> dir_attr;
    std::vector<ULONGLONG> dir_time, dir_date, dir_size;

    Tables()
        : dir_long_h(GetMaxDirNumber() + 1), dir_short_h(GetMaxDirNumber() + 1),
          file_long_h(GetMaxFileNumber() + 1), file_short_h(GetMaxFileNumber() + 1),
          dir_long(GetMaxDirNumber() + 1), dir_short(GetMaxDirNumber() + 1),
          file_long(GetMaxFileNumber() + 1), file_short(GetMaxFileNumber() + 1),
          dir_attr(GetMaxDirNumber() + 1), dir_time(GetMaxDirNumber() + 1), dir_date(GetMaxDirNumber() + 1),
          dir_size(GetMaxDirNumber() + 1) {
        SetDirHandle(dir_long_h.data(), dir_long.data(), dir_short_h.data(), dir_short.data());
        SetDirAttribute(dir_attr.data());
        SetDirTime(dir_time.data());
        SetDirDate(dir_date.data());
        SetDirSize(dir_size.data());
        SetFileHandle(file_long_h.data(), file_long.data(), file_short_h.data(), file_short.data());
    }
    ~Tables() {
        for (auto* v : {&dir_long_h, &dir_short_h, &file_long_h, &file_short_h})
            for (size_t i = 0; i < v->size(); ++i)
                if ((*v)[i]) {
                    GlobalUnlock((*v)[i]);
                    GlobalFree((*v)[i]);
                }
        SetDirHandle(nullptr, nullptr, nullptr, nullptr);
        SetFileHandle(nullptr, nullptr, nullptr, nullptr);
        SetDirAttribute(nullptr);
        SetDirTime(nullptr);
        SetDirDate(nullptr);
        SetDirSize(nullptr);
    }
    std::vector<std::string> folder_names() const {
        std::vector<std::string> out;
        for (LONG i = 0; i < GetTotalNumberOfDirectory(); ++i) out.push_back(dir_long[i] ? dir_long[i] : "(null)");
        return out;
    }
    std::vector<std::string> file_names() const {
        std::vector<std::string> out;
        for (LONG i = 0; i < GetTotalNumberOfFile(); ++i) out.push_back(file_long[i] ? file_long[i] : "(null)");
        return out;
    }
};

class HandlerWindow {
public:
    explicit HandlerWindow(std::function<void(HWND, UINT)> handler) : handler_(std::move(handler)) {
        static const char* name = [] {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = proc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "FerroListingStoreTestWindow";
            RegisterClassA(&wc);
            return "FerroListingStoreTestWindow";
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
}  // namespace listing_test
