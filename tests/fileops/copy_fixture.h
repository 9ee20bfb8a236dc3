// What the copy tests share: a hidden window that records the progress
// messages of a copy, files of a given size and pattern, and the state reset
// between tests.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <functional>
#include <string>
#include <utility>
#include <vector>
#include "fileops/copy.h"
#include "frame/message_pump.h"
#include "programs/error_report.h"
#include "support/temp_folder.h"

namespace copy_test {
constexpr UINT kProgress = WM_APP + 21;

// The bytes done as one progress message reports them.
struct Progress { ULONGLONG done; };

// A hidden window that records every progress message; `on_progress` runs
// after each one is recorded.
class ProgressWindow {
public:
    ProgressWindow() {
        static const char* name = [] {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = proc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "FerroCopyTestWindow";
            RegisterClassA(&wc);
            return "FerroCopyTestWindow";
        }();
        hwnd_ = CreateWindowExA(0, name, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleA(nullptr), this);
    }
    ~ProgressWindow() { DestroyWindow(hwnd_); }
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    const std::vector<ULONGLONG>& done() const { return done_; }
    // The sizes of the blocks: differences of successive reports.
    std::vector<ULONGLONG> blocks() const {
        std::vector<ULONGLONG> out;
        ULONGLONG before = 0;
        for (ULONGLONG d : done_) {
            out.push_back(d - before);
            before = d;
        }
        return out;
    }
    std::function<void(ULONGLONG)> on_progress;

private:
    static LRESULT CALLBACK proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
        if (m == WM_NCCREATE)
            SetWindowLongPtrA(w, GWLP_USERDATA, LONG_PTR(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams));
        auto* self = reinterpret_cast<ProgressWindow*>(GetWindowLongPtrA(w, GWLP_USERDATA));
        if (self && m == kProgress) {
            const ULONGLONG done = (ULONGLONG(wp) << 32) | DWORD(lp);
            self->done_.push_back(done);
            if (self->on_progress) self->on_progress(done);
            return 0;
        }
        if (m == WM_NCDESTROY) SetWindowLongPtrA(w, GWLP_USERDATA, 0);
        return DefWindowProcA(w, m, wp, lp);
    }
    HWND hwnd_ = nullptr;
    std::vector<ULONGLONG> done_;
};

// `size` bytes of a pattern that differs from block to block.
inline std::string pattern(size_t size, unsigned seed = 1) {
    std::string s(size, '\0');
    unsigned x = seed * 2654435761u + 1;
    for (size_t i = 0; i < size; ++i) {
        x = x * 1103515245u + 12345u;
        s[i] = char(x >> 16);
    }
    return s;
}

inline ULONGLONG size_of(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return ~0ull;
    return (ULONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

inline DWORD attributes_of(const std::string& path) { return GetFileAttributesA(path.c_str()); }

inline FILETIME write_time_of(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

inline ULONGLONG as_number(FILETIME t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

// A large file of zeros, made quickly by moving its end.
inline std::string sized_file(const ferro_test::TempFolder& temp, const std::string& name, LONGLONG size) {
    const std::string path = temp / name;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    LARGE_INTEGER at;
    at.QuadPart = size;
    SetFilePointerEx(h, at, nullptr, FILE_BEGIN);
    SetEndOfFile(h);
    CloseHandle(h);
    return path;
}

inline std::string report_list() {
    const char* p = GetOutputFileList();
    return p ? p : "";
}

// Every test starts from the state a host sets before a copy run.
class CopyTest : public testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset() {
        ResetCancellingFlags(0);
        ResetCopiedTotalSize();
        SetSomeFilesCopiedSuccessifully(0);
        SetSharedModeForCopyFile(0, 0);
        SetSharedModeForCopyFile(1, 0);
        SetTgtAttributeInCopyFile(-1);
        SetSpeedyCopyAtCopyingFunction(0);
        SetIgnoreErrorsForMyCopyFile(0);
        ReleaseOutputFileMemoryHandle();
    }
    // myOrgCopyFile with writable copies of the paths.
    LONG copy(const std::string& source, const std::string& target, HWND window = nullptr, UINT message = 0) {
        std::string s = source, t = target;
        return myOrgCopyFile(window, s.data(), t.data(), 0, message);
    }
    ferro_test::TempFolder temp_;
};
}  // namespace copy_test
