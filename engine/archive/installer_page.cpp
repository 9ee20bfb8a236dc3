// The download page of the archiver installer, opened in the user's browser.
#include <windows.h>
#include <shellapi.h>
#include "archive/slots.h"
#include "frame/error_boxes.h"

namespace {
// The page of the installer that brings the common archiver libraries. An
// installation (or a test) names another one in FERRO_ARCHIVER_PAGE.
constexpr char kInstallerPage[] = "https://www.ferrolan.example/archivers/";
}  // namespace

namespace ferro::archive {
// The one place that opens the address: the shell's "open" with the normal
// window size; a failure shows the program-start error box.
LONG open_installer_page(HWND window) {
    char address[520];
    const DWORD n = GetEnvironmentVariableA("FERRO_ARCHIVER_PAGE", address, sizeof address);
    if (n == 0 || n >= sizeof address) lstrcpynA(address, kInstallerPage, sizeof address);
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = window;
    info.lpVerb = "open";
    info.lpFile = address;
    info.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExA(&info)) return 1;
    const LONG code = static_cast<LONG>(reinterpret_cast<INT_PTR>(info.hInstApp));
    ShellExecuteError(window, address, 0, code > 32 || code <= 0 ? 2 : code, nullptr, 0, 0);
    return 0;
}
}  // namespace ferro::archive
