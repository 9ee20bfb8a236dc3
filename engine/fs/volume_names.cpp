// Reading and writing volume names.
#include <cstring>
#include "frame/error_boxes.h"
#include "fs/drive_list_internal.h"
#include "fs/drives.h"
#include "frame/error_state.h"
#include "ferromes.h"

using namespace ferro::fs;

namespace {
constexpr UINT kCannotWrite = 8125;   // "作成できません"
constexpr UINT kVolumeTitle = 8126;   // "警告: Volume"

// The file error box for a volume name that could not be written, with the
// stop icon.
void volume_label_error_box(HWND window, const char* root) {
    SetHelpDosErrorMessage(MB_ICONSTOP, nullptr);
    MyLoadDosErrorMessage(window, root, kCannotWrite, kVolumeTitle, 0);
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
        ferro::dos::record_error(ERROR_INVALID_DRIVE);
        return FALSE;
    }
    char root[4] = {static_cast<char>(letter), ':', '\\', '\0'};
    char label[kVolumeMax + 1];
    copy_whole_chars(label, name ? name : "", kVolumeMax);
    BOOL done = SetVolumeLabelA(root, label);
    if (!done) {
        ferro::dos::record_last_error();
        volume_label_error_box(window, root);
    }
    return done;
}
