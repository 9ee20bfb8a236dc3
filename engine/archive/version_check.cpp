// The version check of the loaded libraries and the reports of missing and
// older libraries.
#include <cstdio>
#include <string>
#include "archive/archiver.h"
#include "archive/slots.h"
#include "ferromes.h"
#include "frame/message_box.h"

using namespace ferro::archive;

namespace {
constexpr UINT kTitleDllCheck = 8000;
constexpr UINT kRecommendedVersion = 8001;
constexpr UINT kIsOlder = 8002;
constexpr UINT kNotAvailable = 8005;
LONG g_quit_to_install;

using VersionFunction = DWORD(WINAPI*)();

std::string title_text(UINT id) {
    MyLoadString(0, id);
    return GetLoadStrTitle();
}

// "推奨ﾊﾞｰｼﾞｮﾝ 1.95 と違います。使用 UNLHA32.DLL は 1.90で古いﾊﾞｰｼﾞｮﾝです。" and a line feed.
std::string older_line(const SlotName& name, LONG used) {
    MyLoadString(kRecommendedVersion, kIsOlder);
    char line[1040];
    std::snprintf(line, sizeof line, GetLoadStrMessage(), name.built_for / 100.0, name.library, used / 100.0);
    return std::string(line) + GetLoadStrTitle() + "\n";
}
}  // namespace

LONG WINAPI IsArchiverVersionCorrect(HWND window, LPCSTR extraText) {
    std::string report;
    LONG last = kNotChecked;
    for (int slot = 0; slot < kSlots; ++slot) {
        Slot& s = at(slot);
        if (s.status != kLoaded || !s.functions[kGetVersion]) continue;
        const SlotName& name = slot_name(slot);
        s.used_version = LOWORD(reinterpret_cast<VersionFunction>(s.functions[kGetVersion])());
        // A slot without a library of its own to check is "not checked" (8),
        // the value the slot's state knows, never a 0 that no reader expects.
        if (is_none(name) || name.built_for < 0) {
            s.check = kNotChecked;
        } else if (s.used_version >= name.built_for) {
            s.check = s.used_version > name.built_for ? kNewer : kEqual;
        } else {
            s.check = kOlder;
            if (!shares_packing_slot(name)) report += older_line(name, s.used_version);
        }
        last = s.check;
    }
    if (!report.empty()) {
        if (extraText) report += extraText;
        myMessageBox(window, report.c_str(), title_text(kTitleDllCheck).c_str(), MB_OK);
    }
    return last;
}

LONG WINAPI ShowBadDllMessage(HWND window, LPCSTR missingList, LPCSTR report) {
    MyLoadString(kNotAvailable, kTitleDllCheck);
    std::string text = std::string(missingList ? missingList : "") + " " + GetLoadStrMessage();
    const std::string title = GetLoadStrTitle();
    if (report) text += report;
    const int answer = myMessageBox(window, text.c_str(), title.c_str(), MB_YESNO | MB_ICONEXCLAMATION);
    if (answer == IDYES) {
        g_quit_to_install = 1;
        open_installer_page(window);
    }
    return answer;
}

LONG WINAPI IsQuitToInstallCaldix() { return g_quit_to_install; }
