// Name validity: forbidden characters, drive parts and the length rules of
// file and folder names, with the boxes that tell the user what is wrong.
#include "frame/name_validity.h"
#include <cstring>
#include <string_view>
#include "ferromes.h"
#include "frame/error_boxes.h"
#include "frame/error_internal.h"
#include "frame/message_box.h"
#include "frame/paths.h"
#include "frame/text.h"
#include "frame/text_internal.h"

using ferro::errors::Composer;
namespace mbcs = ferro::mbcs;
namespace text = ferro::text;

namespace {
constexpr std::string_view kLongNameBad = "*?<>/:\"|";
constexpr std::string_view kShortNameBad = "*?.<>=+/[];:,\"|";

constexpr UINT kFileTitle = 8078;    // "ﾌｧｲﾙ名不正"
constexpr UINT kFolderTitle = 8077;  // "ﾌｫﾙﾀﾞ名不正"

// Codes of a bad name and their messages.
struct CodeMessage {
    int code;
    UINT file_message;    // 0: the file-name box has none
    UINT folder_message;  // 0: no folder box
};
constexpr CodeMessage kCodeMessages[] = {
    {-1, 8071, 8071},  // forbidden character (the folder box uses the same text)
    {-8, 0, 8073},     // folder component longer than 11 (12 with a period)
    {-9, 8072, 8072},  // name longer than 8
    {-11, 8074, 8074}, // extension longer than 3
    {-14, 0, 0},
    {-15, 0, 8090},    // empty folder name
    {-16, 0, 8075},    // folder path against the rules
};

const CodeMessage* find_code(int code) {
    for (const CodeMessage& c : kCodeMessages)
        if (c.code == code) return &c;
    return nullptr;
}

int g_mode = 1;
int g_skip = 0;
int g_bad_character = 0;
int g_only_file_name = 0;
int g_without_dir_message = 0;

std::string_view bad_list() {
    std::string_view list = g_mode == 1 ? kLongNameBad : kShortNameBad;
    return list.substr(static_cast<std::size_t>(g_skip) < list.size() ? static_cast<std::size_t>(g_skip) : list.size());
}
bool long_name_mode() { return g_mode == 1; }

// "'%c' in  " (when a bad character was recorded), the name in double
// quotation marks, ": " and the message of the code; exclamation sound and icon.
void show_bad_name_box(HWND window, LPCSTR name, int code, int showMessage) {
    const CodeMessage* entry = find_code(code);
    if (!entry || !entry->file_message) return;
    char message[ferro::errors::kMessageSize], title[ferro::errors::kPathSize];
    MyLoadString(entry->file_message, showMessage == 1 ? kFileTitle : kFolderTitle);
    Composer(message, sizeof message).add(GetLoadStrMessage());
    Composer(title, sizeof title).add(GetLoadStrTitle());

    char box[ferro::errors::kCompositionSize];
    Composer out(box, sizeof box);
    if (g_bad_character) {
        char bad[2] = {static_cast<char>(g_bad_character), '\0'};
        out.add("'").add(bad).add("' in  ");
    }
    out.add("\"").add_fitted(name ? name : "", std::strlen(message) + 3).add("\": ").add(message);
    BEEP(MB_ICONEXCLAMATION);
    myMessageBox(window, box, title, MB_OK | MB_ICONEXCLAMATION);
}

// The folder box: the DOS-error box with the component as the name.
void show_bad_folder_box(HWND window, const char* component, int code) {
    const CodeMessage* entry = find_code(code);
    if (!entry || !entry->folder_message) return;
    SetHelpDosErrorMessage(MB_ICONEXCLAMATION, nullptr);
    MyLoadDosErrorMessage(window, component, entry->folder_message, kFolderTitle, 0);
}

bool is_letter(const char* p) {
    auto c = static_cast<unsigned char>(p[0]);
    if (mbcs::char_size(p) == 1) return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    unsigned code = (c << 8) | static_cast<unsigned char>(p[1]);
    return (code >= 0x8260 && code <= 0x8279) || (code >= 0x8281 && code <= 0x829a);  // Ａ-Ｚ, ａ-ｚ
}

bool drive_part_valid(const char* path) {
    return IsHeadCharacterValid(path) && IsSecondCharacterValid(path) && IsThirdCharacterValid(path);
}

enum class Checking { folder_path, file_name };

// The checks of one name component (a buffer of 520 bytes that the
// shortening may rewrite). 0 or a negative code.
int check_component(char* component, Checking what) {
    if (IsCharInvalid(nullptr, component, 0)) return -1;
    const int limit_name = GetDosDirlen();
    const std::size_t len = std::strlen(component);
    const char* extension = GetFileExtension(component);
    if (what == Checking::folder_path) {
        const int limit = long_name_mode() ? limit_name : limit_name + (extension ? 4 : 3);
        if (len > static_cast<std::size_t>(limit)) return -8;
        if (long_name_mode()) return 0;
        if (len >= 9 && !extension) GetLongerDirectoryWithPeriod(component, limit);
    } else {
        if (len > static_cast<std::size_t>(limit_name)) return -9;
        if (long_name_mode()) return 0;
    }
    extension = GetFileExtension(component);
    if (extension) {
        if (static_cast<std::size_t>(extension - 1 - component) > 8) return -9;
        if (std::strlen(extension) > 3) return -11;
    }
    return 0;
}

// The checks of IsBadDirName; `shown` receives the component to name in the box.
int check_folder_path(const char* path, int checkDrive, char* shown) {
    char work[text::kPathSize];
    if (!text::copy_bounded(work, path)) {
        Composer(shown, text::kPathSize).add(path);
        return -8;
    }
    Composer(shown, text::kPathSize).add(work);
    std::size_t start = 0;
    // After the last "..\" only the rest is checked, without the drive part.
    for (const char* p = work; *p; p = mbcs::next(p))
        if (p[0] == '.' && p[1] == '.' && mbcs::char_at(work, static_cast<std::size_t>(p + 2 - work), '\\')) {
            start = static_cast<std::size_t>(p + 3 - work);
            checkDrive = 0;
        }
    if (checkDrive == 1) {
        if (!drive_part_valid(work)) return -16;
        if (IsRootDir(work)) return 0;
        if (text::is_network_form(work)) {
            start = 2;
            if (work[start] == '\\') ++start;  // the browsing form \:\ ends with its own yen mark
        } else {
            start = 3;
            if (work[3] == '\\') return -16;
        }
    }
    char* p = work + start;
    while (*p) {
        char* yen = mbcs::find_first(work, '\\', p);
        if (yen == p) {
            Composer(shown, text::kPathSize).add(work);
            return -16;
        }
        char component[text::kPathSize];
        std::size_t n = yen ? static_cast<std::size_t>(yen - p) : std::strlen(p);
        std::memcpy(component, p, n);
        component[n] = '\0';
        Composer(shown, text::kPathSize).add(component);
        if (int code = check_component(component, Checking::folder_path)) return code;
        if (!yen) break;
        p = yen + 1;
    }
    return 0;
}
}  // namespace

extern "C" {
int WINAPI SetBadCharacters(int mode) {
    g_mode = mode;
    AllowForbiddenWord(g_skip);
    return mode;
}

int WINAPI AllowForbiddenWord(int count) {
    const int size = static_cast<int>((g_mode == 1 ? kLongNameBad : kShortNameBad).size());
    g_skip = count < 0 ? 0 : count > size ? size : count;
    return g_skip;
}

int WINAPI GetBadCharacterAtIsCharInvalid() { return g_bad_character; }

int WINAPI IsCharInvalid(HWND window, LPCSTR name, int showMessage) {
    g_bad_character = 0;
    if (text::is_empty(name)) return 0;
    for (char c : bad_list()) {
        if (mbcs::find_first(name, c)) {
            g_bad_character = static_cast<unsigned char>(c);
            if (showMessage) show_bad_name_box(window, name, -1, showMessage);
            return -1;
        }
    }
    return 0;
}

int WINAPI IsHeadCharacterValid(LPCSTR path) {
    if (text::is_empty(path)) return 0;
    if (text::is_network_form(path)) return path[1] == '\\' ? 32 : 16;
    return is_letter(path) ? 1 : 0;
}

int WINAPI IsSecondCharacterValid(LPCSTR path) {
    if (text::is_empty(path)) return 0;
    if (text::is_network_form(path)) return path[1] == '\\' ? 32 : 16;
    return mbcs::char_at(path, 1, ':') ? 1 : 0;
}

int WINAPI IsThirdCharacterValid(LPCSTR path) {
    if (text::is_empty(path)) return 0;
    if (text::is_network_form(path)) return 1;
    return path[1] != '\0' && mbcs::char_at(path, 2, '\\') ? 1 : 0;
}

int WINAPI OnlyFileNameOnlyForIsBadFname(int flag) { return g_only_file_name = flag; }

int WINAPI IsBadFname(HWND window, LPCSTR name, int showMessage) {
    const bool only_file_name = g_only_file_name != 0;
    g_only_file_name = 0;
    g_bad_character = 0;
    char work[text::kPathSize];
    int code = 0;
    char* last = work;
    if (text::is_empty(name)) {
        code = -1;
    } else if (!text::copy_bounded(work, name)) {
        code = -9;
    } else if (char* yen = mbcs::find_last(work, '\\')) {
        if (!only_file_name) {
            if (!drive_part_valid(work)) {
                g_bad_character = '\\';
                if (showMessage) show_bad_name_box(window, name, -1, showMessage);
                return 1;
            }
            // The folder part (a root keeps its yen mark), with its own box when a box is asked for.
            char folder[text::kPathSize];
            std::size_t n = static_cast<std::size_t>(yen - work) + (text::is_root_yen(work, yen) ? 1 : 0);
            std::memcpy(folder, work, n);
            folder[n] = '\0';
            const int suppressed = g_without_dir_message;
            if (!showMessage) g_without_dir_message = 1;
            int folder_code = IsBadDirName(window, folder, 1);
            g_without_dir_message = suppressed;
            if (folder_code) return folder_code;
        }
        last = yen + 1;
    }
    if (code == 0) {
        char* period = mbcs::find_last(last, '.');
        if (last[0] == '.') {
            g_bad_character = '.';
            code = -1;
        } else if (char* extension = GetFileExtension(last)) {
            extension[-1] = '\0';
            code = check_component(last, Checking::file_name);
            if (code == 0) {
                if (IsCharInvalid(nullptr, extension, 0)) code = -1;
                else if (std::strlen(extension) > 256) code = -11;
            }
        } else {
            if (period) *period = '\0';
            code = check_component(last, Checking::file_name);
        }
    }
    if (code == 0) return 0;
    if (showMessage) {
        show_bad_name_box(window, name, code, showMessage);
        return 1;
    }
    return code;
}

int WINAPI SetWithoutMessageForIsBadDirName(int flag) { return g_without_dir_message = flag; }

int WINAPI IsBadDirName(HWND window, LPCSTR path, int checkDrive) {
    char shown[text::kPathSize] = " ";
    int code = text::is_empty(path) ? -15 : check_folder_path(path, checkDrive, shown);
    if (code >= 0) return code;
    if (g_without_dir_message) return code;
    show_bad_folder_box(window, code == -15 ? " " : shown, code);
    return 1;
}

LPSTR WINAPI GetLongerDirectoryWithPeriod(LPSTR name, int limit) {
    if (!name || limit < 1) return nullptr;
    const std::size_t len = std::strlen(name), max = static_cast<std::size_t>(limit);
    if (len <= max) return name;
    char* period = mbcs::find_last(name, '.');
    if (!period || period == name) {
        name[ferro::errors::whole_prefix(name, len, max)] = '\0';
        return name;
    }
    // Keep the period and as much of the extension as fits after one byte of base.
    const std::size_t base = static_cast<std::size_t>(period - name);
    std::size_t tail = len - base;  // the period and what follows
    if (tail > max - (max > 1 ? 1 : 0)) {
        std::size_t keep = max > 1 ? max - 1 : max;  // bytes kept from the tail
        // The period itself and the whole characters of the extension that fit.
        tail = 1 + ferro::errors::whole_prefix(period + 1, tail - 1, keep - 1);
        period[tail] = '\0';
    }
    std::size_t room = max - tail;
    std::size_t kept_base = ferro::errors::whole_prefix(name, base, room);
    std::memmove(name + kept_base, period, tail + 1);
    return name;
}
}
