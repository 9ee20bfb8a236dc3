// Reading and writing volume names.
#include <cstdio>
#include <cstring>
#include "frame/mbcs.h"
#include "fs/drive_list_internal.h"
#include "fs/drives.h"
#include "fs/error_state.h"
#include "ferromes.h"

using namespace ferro::fs;

namespace {
constexpr UINT kCannotWrite = 8125;   // "作成できません"
constexpr UINT kVolumeTitle = 8126;   // "警告: Volume"
constexpr std::size_t kBoxSize = 1040;

// The file error box for a volume name that could not be written: the root
// in quotation marks, the explanation and the system's text of the stored
// error, under the volume title with the stop icon.
void volume_label_error_box(HWND window, const char* root) {
    MyLoadString(kCannotWrite, kVolumeTitle);
    char title[520];
    std::snprintf(title, sizeof title, "%s", GetLoadStrTitle());
    char text[kBoxSize];
    int n = std::snprintf(text, sizeof text, "'%s'\n%s", root, GetLoadStrMessage());
    char* system = nullptr;
    DWORD error = Get_nERRNO();
    if (error != 0 &&
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<LPSTR>(&system), 0, nullptr) &&
        system) {
        std::size_t len = std::strlen(system);
        while (len > 0 && (system[len - 1] == '\r' || system[len - 1] == '\n') &&
               !(len >= 2 && ferro::mbcs::lead_at(system, len - 2)))
            system[--len] = '\0';
        if (n > 0 && static_cast<std::size_t>(n) < sizeof text)
            std::snprintf(text + n, sizeof text - static_cast<std::size_t>(n), "\n\nWindows>>%s", system);
    }
    if (system) LocalFree(system);
    MessageBoxA(window, text, title, MB_ICONSTOP | MB_OK);
    Set_nERRNO(error);
}
}  // namespace

LPSTR WINAPI ReadAndSaveVolumeName(LPCSTR root) {
    char name[MAX_PATH + 1] = "";
    char file_system[MAX_PATH + 1] = "";
    DWORD serial = 0, longest = 0, flags = 0;
    bool read = root && *root &&
                GetVolumeInformationA(root, name, sizeof name, &serial, &longest, &flags, file_system,
                                      sizeof file_system);
    if (read) {
        const char* r = root[0] == '"' ? root + 1 : root;
        int letter = static_cast<unsigned char>(r[0]);
        if (r[0] == kNetworkLetter) letter = kNetworkLetter;
        SetTypeOfFileSystem(letter, file_system);
    }
    return SetVolumeName(read && *name ? name : kNoVolumeName);
}

BOOL WINAPI WriteVolumeName(HWND window, int letter, LPCSTR name) {
    if (!((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z'))) {
        ferro::fs::record_error(ERROR_INVALID_DRIVE);
        return FALSE;
    }
    char root[4] = {static_cast<char>(letter), ':', '\\', '\0'};
    char label[kVolumeMax + 1];
    copy_whole_chars(label, name ? name : "", kVolumeMax);
    BOOL done = SetVolumeLabelA(root, label);
    if (!done) {
        ferro::fs::record_last_error();
        volume_label_error_box(window, root);
    }
    return done;
}
