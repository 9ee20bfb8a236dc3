// Messages loaded by number, put into a window's title or an edit control.
#include <cstring>
#include "ferromes.h"
#include "frame/message_box.h"

namespace {
// A block of the process heap, freed when it goes out of scope.
class HeapText {
public:
    explicit HeapText(std::size_t size) : p_(static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, size))) {}
    ~HeapText() {
        if (p_) HeapFree(GetProcessHeap(), 0, p_);
    }
    HeapText(const HeapText&) = delete;
    HeapText& operator=(const HeapText&) = delete;
    char* get() const { return p_; }

private:
    char* p_;
};

// Copies text into out, writing every line feed that has no carriage return
// before it as carriage return and line feed (edit controls break lines only
// there). `out` holds twice the text's length plus one.
void with_crlf(const char* text, char* out) {
    char previous = '\0';
    for (const char* p = text; *p; previous = *p++) {
        if (*p == '\n' && previous != '\r') *out++ = '\r';
        *out++ = *p;
    }
    *out = '\0';
}

BOOL put_loaded(HINSTANCE instance, HWND window, int control, UINT messageId) {
    _MyLoadString(instance, messageId, 0);
    return myPutTextInEdit(window, control, GetLoadStrMessage());
}
}  // namespace

BOOL WINAPI RepaintWindows(HWND window) {
    // The desktop stands for "no owner": repainting it would repaint every window.
    if (!window || window == GetDesktopWindow() || !IsWindow(window)) return FALSE;
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    return TRUE;
}

BOOL WINAPI myPutTextInEdit(HWND window, int control, LPCSTR text) {
    HWND edit = control ? GetDlgItem(window, control) : window;
    if (!edit) return FALSE;
    if (!text) text = "";
    HeapText converted(2 * std::strlen(text) + 1);
    if (!converted.get()) return FALSE;
    with_crlf(text, converted.get());
    return SetWindowTextA(edit, converted.get());
}

BOOL WINAPI SetWindowTextForLoadString(HWND window, UINT messageId) {
    MyLoadString(messageId, 0);
    return SetWindowTextA(window, GetLoadStrMessage());
}

BOOL WINAPI myPutTextInEditLoadString(HWND window, int control, UINT messageId) {
    return put_loaded(GetSysDlgInstance(), window, control, messageId);
}

BOOL WINAPI _myPutTextInEditLoadString(HINSTANCE instance, HWND window, int control, UINT messageId) {
    return put_loaded(instance, window, control, messageId);
}
