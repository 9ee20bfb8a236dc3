#include "window_host_fixture.h"
#include "support/screenshot.h"

namespace ferro_test {
namespace {
thread_local DialogScript* t_script = nullptr;
constexpr UINT_PTR kScriptTimer = 0xd1a1, kThenTimer = 0xd1a2;
}  // namespace

DialogScript::DialogScript() {
    t_script = this;
    hook_ = SetWindowsHookExA(WH_CBT, cbt, nullptr, GetCurrentThreadId());
}

DialogScript::~DialogScript() {
    if (hook_) UnhookWindowsHookEx(hook_);
    t_script = nullptr;
    if (!steps_.empty()) ADD_FAILURE() << steps_.size() << " scripted dialog step(s) were not used";
}

LRESULT CALLBACK DialogScript::cbt(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_ACTIVATE && t_script) {
        HWND window = reinterpret_cast<HWND>(wparam);
        char cls[16] = {};
        GetClassNameA(window, cls, sizeof cls);
        // A dialog of the host, not a message box (which has its text in 0xFFFF).
        if (lstrcmpA(cls, "#32770") == 0 && !GetDlgItem(window, 0xffff) && !GetPropA(window, "ferro_test.script")) {
            SetPropA(window, "ferro_test.script", reinterpret_cast<HANDLE>(1));
            SetTimer(window, kScriptTimer, 1, on_timer);
        }
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

void CALLBACK DialogScript::on_timer(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    if (!t_script) return;
    ++t_script->shown_;
    if (t_script->steps_.empty()) {
        ADD_FAILURE() << "unexpected dialog";
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    const Step step = t_script->steps_.front();
    t_script->steps_.pop_front();
    for (int control : step.reads) {
        char text[4096] = {};
        GetDlgItemTextA(window, control, text, sizeof text);
        t_script->read_.emplace_back(control, text);
    }
    for (const auto& [control, text] : step.texts) SetDlgItemTextA(window, control, text.c_str());
    for (int control : step.checks) CheckDlgButton(window, control, BST_CHECKED);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(step.button, BN_CLICKED), LPARAM(GetDlgItem(window, step.button)));
    t_script->then_button_ = step.then_button;
    if (step.then_button) SetTimer(window, kThenTimer, 50, on_then);
}

void CALLBACK DialogScript::on_then(HWND window, UINT, UINT_PTR id, DWORD) {
    // Still at work (its OK disabled, or the click not taken yet): later.
    MSG pending;
    if (!t_script || !IsWindowEnabled(GetDlgItem(window, IDOK)) ||
        PeekMessageA(&pending, window, WM_COMMAND, WM_COMMAND, PM_NOREMOVE))
        return;
    KillTimer(window, id);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(t_script->then_button_, BN_CLICKED), 0);
}

std::string DialogScript::read(int control) const {
    for (const auto& [id, text] : read_)
        if (id == control) return text;
    return {};
}

void WindowHost::SetUp() { boxes.answer_all(0); }

void WindowHost::TearDown() { close(); }

void WindowHost::start(const std::string& left, const std::string& right) {
    close();
    app_ = std::make_unique<ferrolan::App>(GetModuleHandleA(nullptr));
    ferrolan::StartOptions options;
    options.folders[0] = left;
    options.folders[1] = right;
    options.place.key = key_.path();
    ASSERT_NE(nullptr, app_->start(options));
    pump_until(200, [] { return false; });
}

void WindowHost::close() {
    if (!app_) return;
    if (HWND w = app_->window()) SendMessageA(w, WM_CLOSE, 0, 0);
    pump_until(2000, [this] { return app_->window() == nullptr; });
    app_.reset();
    // The main window's end asked its loop to quit: the test goes on.
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

std::vector<std::string> WindowHost::items(int side) const {
    std::vector<std::string> out;
    const LRESULT n = SendMessageA(list(side), LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        std::string text(size_t(SendMessageA(list(side), LB_GETTEXTLEN, WPARAM(i), 0)) + 1, '\0');
        SendMessageA(list(side), LB_GETTEXT, WPARAM(i), LPARAM(text.data()));
        text.resize(text.size() - 1);
        out.push_back(text);
    }
    return out;
}

int WindowHost::index_of(int side, const std::string& name) const {
    const std::vector<std::string> all = items(side);
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i] == name) return int(i);
    return -1;
}

void WindowHost::key(int side, UINT vk, bool control, bool shift) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_CONTROL] = control ? 0x80 : 0;
    state[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(state);
    SetFocus(list(side));
    SendMessageA(list(side), vk == VK_F10 ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, 1);
    state[VK_CONTROL] = state[VK_SHIFT] = 0;
    SetKeyboardState(state);
}

void WindowHost::click(int side, const std::string& name, bool control, bool shift) {
    const int at = index_of(side, name);
    ASSERT_GE(at, 0) << name;
    RECT r;
    SendMessageA(list(side), LB_GETITEMRECT, WPARAM(at), LPARAM(&r));
    const LPARAM point = MAKELPARAM(r.left + 5, (r.top + r.bottom) / 2);
    const WPARAM keys = MK_LBUTTON | (control ? MK_CONTROL : 0) | (shift ? MK_SHIFT : 0);
    SendMessageA(list(side), WM_LBUTTONDOWN, keys, point);
    SendMessageA(list(side), WM_LBUTTONUP, keys & ~WPARAM(MK_LBUTTON), point);
}

void WindowHost::command(ferrolan::Command c) { SendMessageA(app_->window(), WM_COMMAND, c, 0); }

bool WindowHost::pump_until(DWORD ms, const std::function<bool()>& done) {
    const DWORD end = GetTickCount() + ms;
    while (!done() && LONG(GetTickCount() - end) < 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return done();
}

std::string WindowHost::shot(const std::string& name) { return save_window_picture(app_->window(), name); }
}  // namespace ferro_test
