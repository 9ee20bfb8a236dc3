// The Internet commands: a file downloaded from an address into the source
// pane's folder (the engine's download with its progress box in place of the
// function keys), and the check for a newer version through update.dll.
#include <windows.h>
#include <string>
#include "app.h"
#include "dialogs.h"
#include "ferromes.h"
#include "frame/message_box.h"
#include "frame/message_pump.h"
#include "internet/internet.h"
#include "operations.h"
#include "progress/progress_box.h"
#include "texts.h"
#include "update.h"

namespace ferrolan::ops {
namespace {
constexpr UINT kBoxCodes = 1034;  // the progress box takes a download's codes itself
}  // namespace

void download(App& app) {
    std::string address;
    if (!ask_text(app.window(), ids::kDownloadTitle, ids::kAddress, address)) return;
    const std::string folder = app.source().folder();
    ResetCancellingFlags(0);
    HWND box = show_progress_box(app);
    InternetRequest request = {};
    request.source = address.c_str();
    request.target_folder = folder.c_str();
    request.timeout = GetInternetTimeoutInMilliSecond();
    request.progress_text = box ? GetCopiedFile : nullptr;
    request.notify_window = box;
    request.notify_message = box ? kBoxCodes : 0;
    char local[520] = {};
    request.local_out = local;
    const bool pattern = address.find_first_of("*?") != std::string::npos;
    // A failure is the engine's box (the system's reason with the address).
    if (pattern) DownLoadAllInterNetfileByGetWin32FindData(&request, nullptr, 0, 0, 0, nullptr);
    else DownLoadInterNetfile(&request, nullptr, 0, 0, 0, nullptr);
    hide_progress_box(app, box);
    ResetCancellingFlags(0);
    refresh_panes(app, false);
}

void check_newer_version(App& app) {
    // The maker's update page names the newest installer; errors are the
    // library's boxes.
    const std::string site = GetUrlForFerroHttpSite(0), page = site + "update.txt";
    LONG_PTR items[14] = {};
    items[1] = reinterpret_cast<LONG_PTR>(site.c_str());
    items[8] = reinterpret_cast<LONG_PTR>(page.c_str());
    const std::string product = text(ids::kProductName);
    items[11] = reinterpret_cast<LONG_PTR>(product.c_str());
    const std::string version = text(ids::kProductVersion);
    dllGetVersionNumberForUpdateToNewerVerson(version.c_str());
    dllSetItemsForUpdate(items, 1);
    dllSetUpdateToNewerVersonOptions(0, 0, 0, 0);
    HGLOBAL memory = nullptr;
    const LONG result = dllOnUpdateToNewerVersonAtCommand(ids::kNewerVersionTitle, nullptr, 0, &memory, nullptr, 0, 0,
                                                          0, nullptr);
    const std::string title = text(ids::kNewerVersionTitle);
    if (result == -2) {
        myMessageBox(app.window(), format(ids::kNotNewer, version.c_str()).c_str(), title.c_str(),
                     MB_OK | MB_ICONINFORMATION);
    } else if (result == 1 || result == -1) {
        std::string installer;
        if (const char* text = memory ? static_cast<const char*>(GlobalLock(memory)) : nullptr) {
            installer = text;
            GlobalUnlock(memory);
        }
        if (myMessageBox(app.window(), format(ids::kNewerFound, installer.c_str()).c_str(), title.c_str(),
                         MB_YESNO | MB_ICONQUESTION) == IDYES)
            dllExecuteNewVersionInstaller(1);
    }
}
}  // namespace ferrolan::ops
