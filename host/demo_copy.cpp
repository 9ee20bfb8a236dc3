// Demonstration steps of the copy engine on the sample tree: one large file
// copied with a line per progress message (about ten blocks, a tenth of the
// file each), the same copy stopped after its third block (the partial target
// is removed), and a folder tree copied the way ferro cp does it.
#include <windows.h>
#include <string>
#include <vector>
#include "commands.h"
#include "console.h"
#include "demo_steps.h"
#include "fileops/copy.h"
#include "message_window.h"
#include "frame/message_pump.h"
#include "frame/text.h"

namespace host {
namespace {
constexpr UINT kProgress = WM_APP + 7;
constexpr DWORD kLargeSize = 20 * 1000 * 1000;

struct Watch {
    std::vector<ULONGLONG> done;  // bytes of the file after each block
    size_t stop_after = 0;        // 0: never stop
};
Watch* g_watch;

LRESULT CALLBACK watch_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == kProgress && g_watch) {
        g_watch->done.push_back((ULONGLONG(wparam) << 32) | DWORD(lparam));
        // As a Cancel button of a progress box would.
        if (g_watch->stop_after && g_watch->done.size() == g_watch->stop_after) SetStopExecutingFlag(1);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

std::string grouped(ULONGLONG value) {
    char digits[32], out[48];
    wsprintfA(digits, "%I64u", value);
    ArrangeNumberFromString(digits, out);
    return out;
}

LONG copy_watched(HWND window, const std::string& source, const std::string& target, Watch& watch) {
    char s[520], t[520];
    lstrcpynA(s, source.c_str(), sizeof s);
    lstrcpynA(t, target.c_str(), sizeof t);
    g_watch = &watch;
    ResetCancellingFlags(0);
    const LONG result = myOrgCopyFile(window, s, t, 0, kProgress);
    ResetCancellingFlags(0);
    g_watch = nullptr;
    return result;
}
}  // namespace

bool demo_copy(const DemoTree& tree) {
    const std::string large = tree.root + "\\\x91\xe5\x82\xab\x82\xc8\x83\x74\x83\x40\x83\x43\x83\x8b.bin";  // 大きなファイル
    HANDLE h = CreateFileA(large.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        err("ferro demo: cannot write " + large);
        return false;
    }
    LARGE_INTEGER size;
    size.QuadPart = kLargeSize;
    const bool sized = SetFilePointerEx(h, size, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    CloseHandle(h);
    if (!sized) {
        err("ferro demo: cannot write " + large);
        return false;
    }
    HWND window = make_message_window("FerroDemoCopyWatch", watch_proc);

    step("Copy of one 20,000,000-byte file: a progress message after each block of a tenth of the file");
    const std::string copy = tree.root + "\\copy.bin";
    Watch watch;
    LONG result = copy_watched(window, large, copy, watch);
    for (size_t i = 0; i < watch.done.size(); ++i)
        outf("  block %2zu: %s bytes done\n", i + 1, grouped(watch.done[i]).c_str());
    outf("  myOrgCopyFile: %ld, target %s bytes\n", static_cast<long>(result),
         grouped(GetFileAttributesA(copy.c_str()) != INVALID_FILE_ATTRIBUTES ? kLargeSize : 0).c_str());
    DeleteFileA(copy.c_str());

    step("The same copy stopped after its third block");
    Watch stopped;
    stopped.stop_after = 3;
    result = copy_watched(window, large, copy, stopped);
    const bool left = GetFileAttributesA(copy.c_str()) != INVALID_FILE_ATTRIBUTES;
    outf("  myOrgCopyFile: %ld after %zu blocks (-17: stopped by the user); partial target %s\n",
         static_cast<long>(result), stopped.done.size(), left ? "LEFT BEHIND" : "removed");
    DestroyWindow(window);
    DeleteFileA(large.c_str());

    step("Copy of a folder tree, as ferro cp does it (progress on stderr)");
    const std::string from = tree.root + "\\\x95\x5c";                               // 表
    const std::string to = tree.root + "\\\x95\x5c\x82\xcc\x83\x52\x83\x73\x81\x5b";  // 表のコピー
    const int code = cmd_cp({from, to});
    outf("  ferro cp: exit %d\n", code);
    return result == -17 && !left && code == 0;
}
}  // namespace host
