// The download page of the archiver installer, opened in the user's browser.
#include <windows.h>
#include "archive/slots.h"
#include "programs/processes.h"

namespace {
// The page of the installer that brings the common archiver libraries. An
// installation (or a test) names another one in FERRO_ARCHIVER_PAGE.
constexpr char kInstallerPage[] = "https://www.ferrolan.example/archivers/";
}  // namespace

namespace ferro::archive {
// The one place that opens the address: the user's browser, a failure shown
// in the program-start error box.
LONG open_installer_page(HWND window) {
    char address[520];
    const DWORD n = GetEnvironmentVariableA("FERRO_ARCHIVER_PAGE", address, sizeof address);
    if (n == 0 || n >= sizeof address) lstrcpynA(address, kInstallerPage, sizeof address);
    return ReachURLFromString(0, window, address, 0);
}
}  // namespace ferro::archive
