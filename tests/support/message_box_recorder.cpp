#include "support/message_box_recorder.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace ferro_test {
namespace {
thread_local MessageBoxRecorder* t_current = nullptr;

constexpr int kTextId = 0xffff;  // the static control holding a box's text
constexpr int kButtons[] = {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO, IDTRYAGAIN, IDCONTINUE};

bool has_button(HWND box, int id) {
    // The box is not shown yet when it activates: read the control's own style.
    HWND item = GetDlgItem(box, id);
    return item && (GetWindowLongA(item, GWL_STYLE) & WS_VISIBLE);
}

UINT button_style(HWND box) {
    const bool ok = has_button(box, IDOK), cancel = has_button(box, IDCANCEL), abort = has_button(box, IDABORT),
               retry = has_button(box, IDRETRY), ignore = has_button(box, IDIGNORE), yes = has_button(box, IDYES),
               no = has_button(box, IDNO), again = has_button(box, IDTRYAGAIN);
    if (abort && retry && ignore) return MB_ABORTRETRYIGNORE;
    if (yes && no && cancel) return MB_YESNOCANCEL;
    if (yes && no) return MB_YESNO;
    if (retry && cancel) return MB_RETRYCANCEL;
    if (again) return MB_CANCELTRYCONTINUE;
    if (ok && cancel) return MB_OKCANCEL;
    return MB_OK;
}

UINT icon_style(HWND box) {
    // The icon is the one static control that holds an icon.
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        HICON icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        if (!icon) continue;
        if (icon == LoadIcon(nullptr, IDI_HAND)) return MB_ICONSTOP;
        if (icon == LoadIcon(nullptr, IDI_QUESTION)) return MB_ICONQUESTION;
        if (icon == LoadIcon(nullptr, IDI_EXCLAMATION)) return MB_ICONEXCLAMATION;
        if (icon == LoadIcon(nullptr, IDI_ASTERISK)) return MB_ICONINFORMATION;
    }
    return 0;
}

UINT default_style(HWND box) {
    // The default button carries BS_DEFPUSHBUTTON; its place counts from the left.
    struct Button { LONG left; bool is_default; };
    std::vector<Button> shown;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        int id = GetDlgCtrlID(child);
        bool is_button = false;
        for (int b : kButtons) is_button |= (b == id);
        LONG style = GetWindowLongA(child, GWL_STYLE);
        if (!is_button || !(style & WS_VISIBLE)) continue;
        RECT r;
        GetWindowRect(child, &r);
        shown.push_back({r.left, (style & 0x0f) == BS_DEFPUSHBUTTON});
    }
    std::sort(shown.begin(), shown.end(), [](const Button& a, const Button& b) { return a.left < b.left; });
    for (std::size_t i = 0; i < shown.size(); ++i)
        if (shown[i].is_default) return UINT(i) << 8;  // MB_DEFBUTTON1 is 0, 2 is 0x100, ...
    return 0;
}

}  // namespace

void CALLBACK MessageBoxRecorder::on_timer(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    if (t_current) t_current->record_and_answer(window);
}

namespace {
std::string window_text(HWND window) {
    char buf[4096] = {};
    GetWindowTextA(window, buf, sizeof buf);
    return buf;
}
}  // namespace

MessageBoxRecorder::MessageBoxRecorder(std::initializer_list<int> answers)
    : answers_(answers), previous_(t_current) {
    t_current = this;
    hook_ = SetWindowsHookExA(WH_CBT, cbt_proc, nullptr, GetCurrentThreadId());
}

MessageBoxRecorder::~MessageBoxRecorder() {
    if (hook_) UnhookWindowsHookEx(hook_);
    t_current = previous_;
    if (!answers_.empty()) ADD_FAILURE() << answers_.size() << " scripted message-box answer(s) were not used";
}

LRESULT CALLBACK MessageBoxRecorder::cbt_proc(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_ACTIVATE && t_current) {
        HWND window = reinterpret_cast<HWND>(wparam);
        char cls[64] = {};
        GetClassNameA(window, cls, sizeof cls);
        if (lstrcmpA(cls, "#32770") == 0 && GetDlgItem(window, kTextId)) t_current->on_activate(window);
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

void MessageBoxRecorder::on_activate(HWND box) {
    // Activation can repeat for one box; record each box once, from inside its
    // own modal loop, when its buttons and default are fully set up.
    if (GetPropA(box, "ferro_test.recorded")) return;
    SetPropA(box, "ferro_test.recorded", reinterpret_cast<HANDLE>(1));
    SetTimer(box, 0xfe77, 1, on_timer);
}

void MessageBoxRecorder::record_and_answer(HWND box) {
    RecordedBox rec;
    rec.caption = window_text(box);
    rec.text = window_text(GetDlgItem(box, kTextId));
    rec.style = button_style(box) | icon_style(box) | default_style(box);
    if (!answers_.empty()) {
        rec.answer = answers_.front();
        answers_.pop_front();
    } else if (default_answer_ && default_answer_ != kWayOut) {
        rec.answer = default_answer_;
    } else {
        if (!default_answer_)
            ADD_FAILURE() << "unexpected message box: caption bytes '" << rec.caption << "' text bytes '" << rec.text << "'";
        rec.answer = has_button(box, IDCANCEL) ? IDCANCEL : has_button(box, IDNO) ? IDNO : IDOK;
    }
    boxes_.push_back(rec);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(rec.answer, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, rec.answer)));
}
}  // namespace ferro_test
