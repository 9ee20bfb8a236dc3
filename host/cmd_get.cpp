// ferro get: a file, or every file that a pattern names, downloaded through
// the engine. The progress codes arrive at a message-only window and become
// a progress line on stderr.
#include <windows.h>
#include <string>
#include "commands.h"
#include "console.h"
#include "message_window.h"
#include "frame/handles.h"
#include "frame/message_pump.h"
#include "internet/internet.h"

namespace host {
namespace {
constexpr UINT kProgress = WM_USER + 10;
ProgressLine* g_progress;
std::string g_name;

LRESULT CALLBACK progress_window(HWND window, UINT message, WPARAM code, LPARAM lparam) {
    if (message != kProgress) return DefWindowProcA(window, message, code, lparam);
    if (code == 20 && g_progress) g_progress->begin();
    if (code == 1 && g_progress) g_progress->show(g_name + ": " + std::to_string(static_cast<DWORD>(lparam)) + " bytes");
    return 0;
}

LONG WINAPI remember_name(LPCSTR text, LONG, LONG) {
    if (text) g_name = text;
    return 1;
}
}  // namespace

int cmd_get(const Args& args) {
    if (args.empty() || args.size() > 2) {
        err("usage: ferro get URL [DIR]");
        return 2;
    }
    const std::string& url = args[0];
    char current[MAX_PATH];
    GetCurrentDirectoryA(sizeof current, current);
    const std::string folder = args.size() > 1 ? windows_path(args[1]) : std::string(current);
    const HWND window = make_message_window("FerroGetProgress", progress_window);
    SethWndMain(window);
    ResetCancellingFlags(0);
    ProgressLine progress;
    g_progress = &progress;
    InternetRequest request = {};
    request.source = url.c_str();
    request.target_folder = folder.c_str();
    request.progress_text = remember_name;
    request.timeout = GetInternetTimeoutInMilliSecond();
    request.notify_window = window;
    request.notify_message = kProgress;
    char local[520] = {};
    request.local_out = local;
    const bool pattern = url.find_first_of("*?") != std::string::npos;
    const LONG result = pattern ? DownLoadAllInterNetfileByGetWin32FindData(&request, nullptr, 0, 0, 0, nullptr)
                                : DownLoadInterNetfile(&request, nullptr, 0, 0, 0, nullptr);
    progress.end();
    g_progress = nullptr;
    SethWndMain(nullptr);
    DestroyWindow(window);
    if (result == -19) {
        out(std::string(local[0] ? local : url.c_str()) + ": already there with the same size and time");
        return 0;
    }
    if (result != 1) {
        err("ferro get: " + url + ": failed (" + std::to_string(result) + ")");
        return 1;
    }
    if (pattern)
        out(std::to_string(request.files_done) + " file(s) downloaded into " + folder);
    else
        out(std::string(local) + ": " + std::to_string(request.received_low) + " bytes");
    return 0;
}
}  // namespace host
