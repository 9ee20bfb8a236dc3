// Opening an address with the user's browser, saying so in a dialog's control.
#include <windows.h>
#include <shellapi.h>
#include <cstring>
#include "frame/cursors.h"
#include "frame/error_boxes.h"
#include "frame/text.h"
#include "programs/processes.h"
#include "programs/programs_internal.h"

namespace {
constexpr std::size_t kAddressSize = 520;
constexpr const char* kCalling[] = {
    "Calling....",
    "\x8c\xc4\x82\xd1\x8f\x6f\x82\xb5\x92\x86\xa5\xa5\xa5",  // 呼び出し中･･･
};

// The control's text while the address is opened; its own text comes back after.
class StatusText {
public:
    StatusText(HWND dialog, int control) : control_(dialog && control ? GetDlgItem(dialog, control) : nullptr) {
        if (!control_) return;
        GetWindowTextA(control_, saved_, sizeof saved_);
        SetWindowTextA(control_, kCalling[GetLanguage() == 0 ? 0 : 1]);
        UpdateWindow(control_);
    }
    ~StatusText() {
        if (control_) SetWindowTextA(control_, saved_);
    }
    StatusText(const StatusText&) = delete;
    StatusText& operator=(const StatusText&) = delete;

private:
    HWND control_;
    char saved_[kAddressSize] = "";
};

INT_PTR open_with(HWND window, const char* verb, const char* address) {
    return reinterpret_cast<INT_PTR>(ShellExecuteA(window, verb, address, nullptr, nullptr, SW_SHOWNORMAL));
}
}  // namespace

LONG WINAPI ReachURLFromString(int statusControl, HWND dialog, LPCSTR address, int addressControl) {
    char url[kAddressSize] = "";
    if (addressControl && dialog) GetDlgItemTextA(dialog, addressControl, url, sizeof url);
    else if (address && std::strlen(address) < sizeof url) std::strcpy(url, address);
    if (!*url) return 0;

    StatusText status(dialog, statusControl);
    HCURSOR before = GetCursor();
    PutHourGlassCursor();
    const bool vista = ferro::programs::is_vista_or_later();
    LONG result = 1;
    INT_PTR code = open_with(dialog, "open", url);
    if (code <= 32) {
        // A browser that knows no "opennew" verb is asked with its default one.
        code = open_with(dialog, code == SE_ERR_FNF && vista ? nullptr : "opennew", url);
        if (code <= 32 && !(code == SE_ERR_PNF && vista)) {
            ShellExecuteError(dialog, url, 0, static_cast<LONG>(code), nullptr, 0, 0);
            result = 0;
        }
    }
    SetCursor(before);
    return result;
}
