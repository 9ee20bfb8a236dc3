// The loopback servers that with-servers.sh started (their ports and served
// folder come through the environment), and a window that records the
// progress codes (1034) and the download messages of the main window
// (1124/1125) in the order they arrive.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>
#include "frame/handles.h"
#include "internet/internet.h"
#include "support/temp_folder.h"

namespace internet_test {
inline std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}
inline std::string http(const std::string& path) { return "http://127.0.0.1:" + env("FERRO_TEST_HTTP_PORT") + "/" + path; }
inline std::string ftp(const std::string& path) { return "ftp://127.0.0.1:" + env("FERRO_TEST_FTP_PORT") + "/" + path; }
inline std::string refused(const std::string& path) { return "http://127.0.0.1:" + env("FERRO_TEST_CLOSED_PORT") + "/" + path; }

// The served folder as a path of drive Z:, with `relative` below it.
inline std::string site(const std::string& relative = "") {
    std::string path = "Z:" + env("FERRO_TEST_SITE") + (relative.empty() ? "" : "/" + relative);
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// Bytes that show a shifted or dropped block: position-dependent, not repeating.
inline std::string pattern(std::size_t size) {
    std::string bytes(size, '\0');
    unsigned state = 0x12345678u;
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 23);
    }
    return bytes;
}

// Writes a file into the served folder (folders made as needed).
inline std::string serve(const std::string& relative, const std::string& bytes) {
    std::string path = site(relative);
    for (std::size_t i = 3; i < path.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(path[i]))) ++i;
        else if (path[i] == '\\') CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    return path;
}

struct Seen {
    UINT message;
    WPARAM code;
    LPARAM lparam;
};

// A hidden window that receives the progress codes, and the main window of
// the library while it lives. `on_code` runs for each 1034 (a test stops a
// download from there).
class ProgressLog {
public:
    ProgressLog() {
        static const char* name = [] {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = proc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "FerroInternetTestWindow";
            RegisterClassA(&wc);
            return "FerroInternetTestWindow";
        }();
        hwnd_ = CreateWindowExA(0, name, "internet test", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), this);
        previous_main_ = GethWndMain();
        SethWndMain(hwnd_);
    }
    ~ProgressLog() {
        SethWndMain(previous_main_);
        DestroyWindow(hwnd_);
    }
    HWND hwnd() const { return hwnd_; }
    const std::vector<Seen>& seen() const { return seen_; }
    // The codes of message 1034, and 1124/1125 as the numbers themselves.
    std::vector<WPARAM> codes(bool with_chunks = true) const {
        std::vector<WPARAM> out;
        for (const Seen& s : seen_) {
            if (s.message == WM_USER + 10 && (with_chunks || s.code != 1)) out.push_back(s.code);
            if (s.message == WM_USER + 100 || s.message == WM_USER + 101) out.push_back(s.message);
        }
        return out;
    }
    std::function<void(WPARAM code, LPARAM lparam)> on_code;

private:
    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        if (message == WM_NCCREATE)
            SetWindowLongPtrA(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams));
        auto* self = reinterpret_cast<ProgressLog*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self && (message == WM_USER + 10 || message == WM_USER + 100 || message == WM_USER + 101)) {
            self->seen_.push_back({message, wparam, lparam});
            if (message == WM_USER + 10 && self->on_code) self->on_code(wparam, lparam);
            return 0;
        }
        return DefWindowProcA(window, message, wparam, lparam);
    }
    HWND hwnd_ = nullptr;
    HWND previous_main_ = nullptr;
    std::vector<Seen> seen_;
};

// A request for `url` into `folder`, its codes to `window` (the request
// keeps pointers: both strings must outlive it).
inline InternetRequest request_for(const std::string& url, const std::string& folder, HWND window = nullptr) {
    InternetRequest r = {};
    r.source = url.c_str();
    r.target_folder = folder.c_str();
    r.timeout = GetInternetTimeoutInMilliSecond();
    r.notify_window = window;
    r.notify_message = WM_USER + 10;
    return r;
}
}  // namespace internet_test
