// A stop request during a long sort: from a posted message whose handler sets
// the stop flag, and from a timer. The sort returns 0 with every key present
// once and every companion still beside its key.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>
#include "frame/message_pump.h"
#include "listing/listing_sort.h"

namespace {
constexpr UINT kStopMessage = WM_APP + 7;
constexpr UINT kNestedSortMessage = WM_APP + 8;

// A hidden window whose procedure runs the test's handler.
class HandlerWindow {
public:
    explicit HandlerWindow(std::function<void(UINT)> handler) : handler_(std::move(handler)) {
        static const char* name = [] {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = proc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "FerroListingTestWindow";
            RegisterClassA(&wc);
            return "FerroListingTestWindow";
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
        if (self && m != WM_NCDESTROY) self->handler_(m);
        if (m == WM_NCDESTROY) SetWindowLongPtrA(w, GWLP_USERDATA, 0);
        return DefWindowProcA(w, m, wp, lp);
    }
    HWND hwnd_ = nullptr;
    std::function<void(UINT)> handler_;
};

void drain() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

struct BigSet {
    std::vector<std::string> strings;
    std::vector<char*> keys;
    std::vector<LONG> companions;
    explicit BigSet(size_t count) {
        std::mt19937 rng(200000);
        std::uniform_int_distribution<int> letter(0, 25), length(4, 14);
        strings.resize(count);
        for (auto& s : strings) {
            int n = length(rng);
            for (int i = 0; i < n; ++i) s += char((i % 3 ? 'a' : 'A') + letter(rng));
        }
        for (size_t i = 0; i < count; ++i) {
            keys.push_back(strings[i].data());
            companions.push_back(LONG(i));
        }
    }
    // Every key once, each companion the number of its own key.
    void expect_intact() const {
        std::vector<bool> seen(strings.size());
        for (size_t i = 0; i < keys.size(); ++i) {
            LONG c = companions[i];
            ASSERT_TRUE(c >= 0 && size_t(c) < strings.size()) << i;
            ASSERT_FALSE(seen[size_t(c)]) << "entry " << c << " twice";
            seen[size_t(c)] = true;
            ASSERT_EQ(strings[size_t(c)].data(), keys[i]) << "companion " << c << " lost its key at " << i;
        }
    }
    bool is_sorted() const {
        for (size_t i = 1; i < keys.size(); ++i)
            if (lstrcmpiA(keys[i - 1], keys[i]) > 0) return false;
        return true;
    }
};

class ListingSortCancel : public testing::Test {
protected:
    void SetUp() override {
        drain();
        ResetCancellingFlags(0);
    }
    void TearDown() override {
        ResetCancellingFlags(0);
        drain();
    }
};

TEST_F(ListingSortCancel, PostedMessageStopsTheSort) {
    BigSet set(200000);
    int handled = 0;
    HandlerWindow window([&](UINT m) {
        if (m == kStopMessage) {
            ++handled;
            SetStopExecutingFlag(1);
        }
    });
    // Queued before the sort starts, so the sort's own pump is what handles it
    // however fast the machine sorts.
    PostMessageA(window.hwnd(), kStopMessage, 0, 0);
    LONG r = lqsortx(set.keys.data(), set.companions.data(), LONG(set.keys.size()));
    EXPECT_EQ(0, r);
    EXPECT_EQ(1, handled);
    set.expect_intact();
    EXPECT_FALSE(set.is_sorted());
}

TEST_F(ListingSortCancel, TimerStopsTheDescendingSort) {
    BigSet set(200000);
    HandlerWindow window([&](UINT m) {
        if (m == WM_TIMER) SetStopExecutingFlag(1);
    });
    SetTimer(window.hwnd(), 1, 10, nullptr);
    // Wait (bounded) until the timer is due, so the sort's first pump sees it.
    MSG pending;
    for (DWORD start = GetTickCount(); !PeekMessageA(&pending, window.hwnd(), WM_TIMER, WM_TIMER, PM_NOREMOVE) &&
                                       GetTickCount() - start < 5000;)
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_TIMER);
    LONG r = lqsortxrev(set.keys.data(), set.companions.data(), LONG(set.keys.size()));
    KillTimer(window.hwnd(), 1);
    EXPECT_EQ(0, r);
    set.expect_intact();
}

// A window procedure that the sort's pump runs may not start a second sort:
// that call returns 0 at once and the first sort completes.
TEST_F(ListingSortCancel, NestedSortIsRefused) {
    BigSet set(100000);
    char a[] = "b", b[] = "a";
    LPSTR inner[2] = {a, b};
    LONG nested = -1;
    HandlerWindow window([&](UINT m) {
        if (m == kNestedSortMessage) nested = lqsortx(inner, nullptr, 2);
    });
    PostMessageA(window.hwnd(), kNestedSortMessage, 0, 0);
    EXPECT_EQ(1, lqsortx(set.keys.data(), set.companions.data(), LONG(set.keys.size())));
    drain();
    EXPECT_EQ(0, nested);
    EXPECT_EQ(a, inner[0]);
    set.expect_intact();
    EXPECT_TRUE(set.is_sorted());
    // Afterwards a sort runs again.
    EXPECT_EQ(1, lqsortx(inner, nullptr, 2));
    EXPECT_EQ(b, inner[0]);
}
}  // namespace
