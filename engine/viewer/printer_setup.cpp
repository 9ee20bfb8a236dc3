// The kept printer: its names and device mode, chosen in the printer dialog
// or taken from the system's default printer, and device contexts made from
// them.
#include <windows.h>
#include <commdlg.h>
#include <winspool.h>
#include <cstddef>
#include <cstring>
#include <vector>
#include "viewer/print_internal.h"
#include "viewer/rich_text.h"

namespace {
struct Printer {
    char device[260] = "";
    char driver[260] = "";
    char port[260] = "";
    std::vector<BYTE> mode;  // the DEVMODEA with its driver data
    bool kept = false;
};
Printer g;

void keep_names(const DEVNAMES* names) {
    const char* base = reinterpret_cast<const char*>(names);
    lstrcpynA(g.driver, base + names->wDriverOffset, sizeof g.driver);
    lstrcpynA(g.device, base + names->wDeviceOffset, sizeof g.device);
    lstrcpynA(g.port, base + names->wOutputOffset, sizeof g.port);
}

void keep_mode(const DEVMODEA* mode) {
    if (!mode) {
        g.mode.clear();
        return;
    }
    const BYTE* bytes = reinterpret_cast<const BYTE*>(mode);
    g.mode.assign(bytes, bytes + mode->dmSize + mode->dmDriverExtra);
}

// The system's default printer, without a dialog.
bool keep_default() {
    char name[260];
    DWORD size = sizeof name;
    if (!GetDefaultPrinterA(name, &size)) return false;
    HANDLE printer;
    if (!OpenPrinterA(name, &printer, nullptr)) return false;
    const LONG needed = DocumentPropertiesA(nullptr, printer, name, nullptr, nullptr, 0);
    std::vector<BYTE> mode(needed > 0 ? static_cast<std::size_t>(needed) : 0);
    const bool have_mode = needed > 0 && DocumentPropertiesA(nullptr, printer, name,
                                                             reinterpret_cast<DEVMODEA*>(mode.data()), nullptr,
                                                             DM_OUT_BUFFER) == IDOK;
    DWORD bytes = 0;
    GetPrinterA(printer, 2, nullptr, 0, &bytes);
    std::vector<BYTE> info(bytes);
    const bool have_info = bytes && GetPrinterA(printer, 2, info.data(), bytes, &bytes);
    ClosePrinter(printer);
    lstrcpynA(g.device, name, sizeof g.device);
    const auto* details = reinterpret_cast<const PRINTER_INFO_2A*>(info.data());
    lstrcpynA(g.driver, have_info && details->pDriverName ? details->pDriverName : "WINSPOOL", sizeof g.driver);
    lstrcpynA(g.port, have_info && details->pPortName ? details->pPortName : "", sizeof g.port);
    if (have_mode) g.mode = std::move(mode);
    else g.mode.clear();
    g.kept = true;
    return true;
}

// The kept device mode with `copies` copies (none: the printer's own mode).
std::vector<BYTE> mode_with_copies(LONG copies) {
    std::vector<BYTE> mode = g.mode;
    if (mode.size() >= sizeof(DEVMODEA) - sizeof(DWORD) * 8) {
        auto* m = reinterpret_cast<DEVMODEA*>(mode.data());
        m->dmCopies = static_cast<short>(copies);
        m->dmFields |= DM_COPIES;
    }
    return mode;
}
}  // namespace

namespace ferro::viewer {
LONG kept_copies() {
    if (g.mode.size() < offsetof(DEVMODEA, dmCopies) + sizeof(short)) return 1;
    const short copies = reinterpret_cast<const DEVMODEA*>(g.mode.data())->dmCopies;
    return copies > 0 ? copies : 1;
}

// A device context of the kept printer that makes one copy of what it is
// given: the print run makes the copies itself.
HDC printer_dc_single_copy() {
    if (!g.kept && !keep_default()) return nullptr;
    std::vector<BYTE> mode = mode_with_copies(1);
    return CreateDCA(g.driver, g.device, nullptr,
                     mode.empty() ? nullptr : reinterpret_cast<const DEVMODEA*>(mode.data()));
}

// The printer dialog (printing, not setup): the chosen printer is kept and
// the device context returned with the copies asked for.
HDC printer_dc_from_dialog(HWND owner, LONG* copies) {
    PRINTDLGA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    dialog.nCopies = 1;
    if (!PrintDlgA(&dialog)) return nullptr;
    if (dialog.hDevNames) {
        if (auto* names = static_cast<DEVNAMES*>(GlobalLock(dialog.hDevNames))) {
            keep_names(names);
            GlobalUnlock(dialog.hDevNames);
        }
        GlobalFree(dialog.hDevNames);
    }
    if (dialog.hDevMode) {
        auto* mode = static_cast<DEVMODEA*>(GlobalLock(dialog.hDevMode));
        keep_mode(mode);
        if (mode) GlobalUnlock(dialog.hDevMode);
        GlobalFree(dialog.hDevMode);
    }
    g.kept = true;
    *copies = dialog.nCopies > 0 ? dialog.nCopies : kept_copies();
    return dialog.hDC;
}
}  // namespace ferro::viewer

HDC WINAPI PreparePrinterDC() {
    if (!g.kept && !keep_default()) return nullptr;
    return CreateDCA(g.driver, g.device, nullptr,
                     g.mode.empty() ? nullptr : reinterpret_cast<const DEVMODEA*>(g.mode.data()));
}

LONG WINAPI SetPrinterDialog(HWND owner) {
    PRINTDLGA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.Flags = PD_PRINTSETUP;
    if (!PrintDlgA(&dialog)) return 0;
    if (auto* names = dialog.hDevNames ? static_cast<DEVNAMES*>(GlobalLock(dialog.hDevNames)) : nullptr) {
        keep_names(names);
        GlobalUnlock(dialog.hDevNames);
    }
    if (auto* mode = dialog.hDevMode ? static_cast<DEVMODEA*>(GlobalLock(dialog.hDevMode)) : nullptr) {
        keep_mode(mode);
        GlobalUnlock(dialog.hDevMode);
    }
    if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
    if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
    g.kept = true;
    return 1;
}

LONG WINAPI GetPrinterParametrers(LPSTR device, LPSTR driver, LPSTR port, LONG* copies) {
    if (!g.kept && !keep_default()) return 0;
    if (device) lstrcpynA(device, g.device, 260);
    if (driver) lstrcpynA(driver, g.driver, 260);
    if (port) lstrcpynA(port, g.port, 260);
    if (copies) *copies = ferro::viewer::kept_copies();
    return 1;
}

LONG WINAPI GetPaperSizeForPrinter(HDC dc, LONG* width, LONG* height) {
    if (!dc) return 0;
    if (width) *width = MulDiv(GetDeviceCaps(dc, HORZSIZE), GetDeviceCaps(dc, LOGPIXELSX) * 10, 254);
    if (height) *height = MulDiv(GetDeviceCaps(dc, VERTSIZE), GetDeviceCaps(dc, LOGPIXELSY) * 10, 254);
    return 1;
}

LONG WINAPI FreetPrinterParametersPointer() {
    g = Printer{};
    return 1;
}
