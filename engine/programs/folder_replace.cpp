// The folder replacement inside shortcuts: one folder name replaced by
// another in the target, icon location, working folder and (on request) the
// argument string, each change noted in the error report list.
#include <cstring>
#include <string>
#include "ferromes.h"
#include "frame/error_state.h"
#include "frame/mbcs.h"
#include "frame/paths.h"
#include "frame/text.h"
#include "frame/text_internal.h"
#include "fs/dos_names.h"
#include "programs/error_report.h"
#include "programs/shortcut.h"
#include "programs/shortcut_internal.h"
#include "settings/system_root.h"

using namespace ferro;
using namespace ferro::programs;

namespace ferro::programs {
namespace {
// Whether `length` bytes at `at` equal `old` (with or without regard to case),
// compared character by character.
bool same_at(const char* at, const char* old, std::size_t length, bool with_case) {
    if (with_case) return std::memcmp(at, old, length) == 0;
    for (std::size_t i = 0; i < length;) {
        const int size = mbcs::char_size(at + i);
        if (size != mbcs::char_size(old + i)) return false;
        if (text::fold_char(reinterpret_cast<const unsigned char*>(at + i), size) !=
            text::fold_char(reinterpret_cast<const unsigned char*>(old + i), size))
            return false;
        i += static_cast<std::size_t>(size);
    }
    return true;
}

// The match text[begin, begin + length) starts and ends at folder boundaries.
bool at_folder_bounds(const char* text, std::size_t begin, std::size_t length, const char* old) {
    const std::size_t old_len = std::strlen(old);
    const bool starts = begin == 0 || mbcs::char_at(text, begin - 1, text::kYen) || mbcs::char_at(old, 0, text::kYen);
    const std::size_t end = begin + length;
    const bool ends = text[end] == '\0' || mbcs::char_at(text, end, text::kYen) || mbcs::ends_with(old, old_len, text::kYen);
    return starts && ends;
}
}  // namespace

int replace_folder_text(char* text, std::size_t size, const char* oldText, const char* newText, LONG conditions) {
    if (!text || text::is_empty(oldText) || !newText) return 0;
    if ((conditions & kMatchYenOnly) && !mbcs::find_first(text, text::kYen)) return 0;
    const std::size_t n = std::strlen(oldText), length = std::strlen(text);
    const bool with_case = (conditions & kMatchCase) != 0;
    std::string out;
    bool replaced = false;
    if (conditions & kMatchAll) {
        // Every occurrence that begins at a character of the text.
        const bool unit = (conditions & kMatchAllFolderUnit) != 0;
        std::size_t i = 0;
        while (i < length) {
            if (i + n <= length && same_at(text + i, oldText, n, with_case) && !mbcs::lead_at(text, i + n - 1) &&
                (!unit || at_folder_bounds(text, i, n, oldText))) {
                out += newText;
                i += n;
                replaced = true;
                continue;
            }
            const std::size_t step = static_cast<std::size_t>(mbcs::char_size(text + i));
            out.append(text + i, step);
            i += step;
        }
    } else if (conditions & (kMatchFront | kMatchEnd)) {
        if (length < n) return 0;
        const std::size_t begin = (conditions & kMatchFront) ? 0 : length - n;
        // A candidate that starts or ends inside a double-byte character is no match.
        if (begin > 0 && mbcs::lead_at(text, begin - 1)) return 0;
        if (mbcs::lead_at(text, begin + n - 1)) return 0;
        const bool equal = with_case ? std::memcmp(text + begin, oldText, n) == 0 : same_at(text + begin, oldText, n, false);
        if (!equal) return 0;
        if ((conditions & kMatchFolderUnit) && !at_folder_bounds(text, begin, n, oldText)) return 0;
        out.assign(text, begin);
        out += newText;
        out.append(text + begin + n);
        replaced = true;
    }
    if (!replaced) return 0;
    if (out.size() + 1 > size) return -1;
    std::memcpy(text, out.c_str(), out.size() + 1);
    return 1;
}
}  // namespace ferro::programs

namespace ferro::programs {
namespace {
// A picture control gets an icon; the one it held before is destroyed.
void put_icon(HWND window, int id, HICON icon) {
    if (!window || !id) {
        if (icon) DestroyIcon(icon);
        return;
    }
    const auto old = reinterpret_cast<HICON>(SendDlgItemMessageA(window, id, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0));
    if (old && old != icon) DestroyIcon(old);
}

HICON warning_sign() { return CopyIcon(LoadIconA(nullptr, IDI_WARNING)); }
}  // namespace

void show_link_state(HWND window, const std::string& target_text, const std::string& icon_text, int icon_index) {
    const int* id = shortcut_state().error_ids;
    const std::string target = expanded(target_text), icon = expanded(icon_text);
    WIN32_FILE_ATTRIBUTE_DATA data;
    const bool found = !target.empty() && GetFileAttributesExA(target.c_str(), GetFileExInfoStandard, &data);
    char size[64] = "", attributes[8] = "";
    if (found) {
        ArrangedNumber(data.nFileSizeLow, data.nFileSizeHigh, size);
        GetAttributeChar(static_cast<LONG>(data.dwFileAttributes & 0x7fffffff), attributes);
    }
    if (id[0]) SetDlgItemTextA(window, id[0], size);
    if (id[1]) SetDlgItemTextA(window, id[1], attributes);
    SHFILEINFOA info = {};
    const bool has_icon = found && SHGetFileInfoA(target.c_str(), 0, &info, sizeof info, SHGFI_ICON) && info.hIcon;
    put_icon(window, id[2], has_icon ? info.hIcon : warning_sign());
    HICON picture = nullptr;
    if (!icon.empty() && IsFileDirExist(icon.c_str())) ExtractIconExA(icon.c_str(), icon_index, &picture, nullptr, 1);
    put_icon(window, id[3], picture ? picture : warning_sign());
}
}  // namespace ferro::programs

namespace {
// A message text, copied (the library's buffers are refilled on every call).
std::string message(UINT id) {
    _MyLoadString(GetSysDlgInstance(), id, 0);
    return GetLoadStrMessage();
}

// The report's heading and the shortcut's own line, once per shortcut.
struct Report {
    HWND owner;
    const char* link;
    bool simulate;
    bool link_noted = false;

    void heading() {
        ShortcutState& s = shortcut_state();
        if (link_noted) return;
        link_noted = true;
        const UINT heading = simulate ? kSimulationHeading : kReplaceHeading;
        SaveOutputFileMemoryHandle(owner, nullptr, link, nullptr, s.report_started ? 0 : heading, 0);
        s.report_started = 1;
    }
    void change(UINT label, const std::string& before, const std::string& after) {
        heading();
        const std::string text = "  " + message(label) + " " + before + "\r\n            --> " + after;
        SaveOutputFileMemoryHandle(owner, text.c_str(), nullptr, nullptr, 0, 0);
    }
    void failure(UINT what, DWORD error) {
        heading();
        const std::string text = "  " + message(what);
        SaveOutputFileMemoryHandle(owner, text.c_str(), nullptr, nullptr, 0, error ? static_cast<LONG>(error) : 0);
    }
};

// The fields of one shortcut read for the replacement (never resolved: a
// batch changes nothing it was not asked to change).
LONG read_fields(const char* path, LinkFields& f, LinkObject& link) {
    if (const LONG created = link.create()) return created;
    if (!link.load(path)) return kLinkUnreadable;
    char buffer[text::kPathSize];
    auto field = [&](HRESULT hr) -> std::string {
        buffer[text::kPathMax] = '\0';
        return SUCCEEDED(hr) ? std::string(buffer) : std::string();
    };
    WIN32_FIND_DATAA found = {};
    buffer[0] = '\0';
    f.target = link->GetPath(buffer, sizeof buffer, &found, SLGP_RAWPATH) == S_OK ? field(S_OK) : std::string();
    buffer[0] = '\0';
    f.arguments = field(link->GetArguments(buffer, sizeof buffer));
    buffer[0] = '\0';
    f.working_folder = field(link->GetWorkingDirectory(buffer, sizeof buffer));
    buffer[0] = '\0';
    f.icon = field(link->GetIconLocation(buffer, sizeof buffer, &f.icon_index));
    return 0;
}

// Replaces inside one field; true when it changed. A result that would not
// fit in a path buffer leaves the field and counts as a failure.
bool replace_field(std::string& field, bool& too_long) {
    const ShortcutState& s = shortcut_state();
    char buffer[text::kPathSize];
    if (field.empty() || !text::copy_bounded(buffer, network_folder_name(field).c_str())) return false;
    settings::put_system_root_placeholder(buffer, sizeof buffer);
    const int done = replace_folder_text(buffer, sizeof buffer, s.old_folder, s.new_folder, s.conditions);
    if (done < 0) too_long = true;
    if (done <= 0) return false;
    field = buffer;
    return true;
}

LONG replace_in_shortcut(HWND owner, const char* path, LONG flags, LinkFields& f) {
    ShortcutState& s = shortcut_state();
    s.replaced = 0;
    Report report{owner, path, (flags & kReplaceSimulate) != 0};
    LinkObject link;
    const LONG read = read_fields(path, f, link);
    if (read) {
        report.failure(kCannotRead, Get_nERRNO());
        return read;
    }
    struct Field {
        std::string* text;
        UINT label;
        bool wanted;
        bool changed;
        std::string before;
    } fields[] = {{&f.target, kTargetLabel, true, false, {}},
                  {&f.icon, kIconLabel, true, false, {}},
                  {&f.arguments, kArgumentsLabel, s.replace_arguments != 0, false, {}},
                  {&f.working_folder, kFolderLabel, true, false, {}}};
    bool too_long = false, any = false;
    for (Field& field : fields) {
        if (!field.wanted) continue;
        field.before = *field.text;
        field.changed = replace_field(*field.text, too_long);
        any = any || field.changed;
    }
    if (too_long) {
        dos::record_error(ERROR_FILENAME_EXCED_RANGE);
        report.failure(kCannotWrite, ERROR_FILENAME_EXCED_RANGE);
        return kLinkNotWritten;
    }
    if (!any) return 0;
    if (!report.simulate) {
        if (fields[0].changed) link->SetPath(expanded(f.target).c_str());
        if (fields[1].changed) link->SetIconLocation(expanded(f.icon).c_str(), f.icon_index);
        if (fields[2].changed) link->SetArguments(f.arguments.c_str());
        if (fields[3].changed) link->SetWorkingDirectory(expanded(f.working_folder).c_str());
        if (!link.save_replacing(path)) {
            report.failure(kCannotWrite, Get_nERRNO());
            return kLinkNotWritten;
        }
    }
    for (const Field& field : fields)
        if (field.changed) report.change(field.label, field.before, *field.text);
    s.replaced = 1;
    return 0;
}

void put(HWND window, int id, const std::string& value) {
    if (window && id) SetDlgItemTextA(window, id, value.c_str());
}

}  // namespace

LONG WINAPI GetItemsForShortCut(HWND window, LPCSTR path, LONG flags, LPSTR target, LPSTR workingFolder,
                                LPSTR arguments, LPSTR iconLocation) {
    ShortcutState& s = shortcut_state();
    if (text::is_empty(path)) return kLinkEmpty;
    LinkFields f;
    LONG result;
    if (flags & kReplaceMode) {
        if (text::is_empty(s.old_folder)) return 0;
        const LONG previous = s.no_error_message;
        s.no_error_message = 1;
        result = replace_in_shortcut(window, path, flags, f);
        s.no_error_message = previous;
    } else {
        char buffer[text::kPathSize], folder[text::kPathSize], args[text::kPathSize], description[text::kPathSize],
            icon[text::kPathSize];
        if (!text::copy_bounded(buffer, path)) return kLinkEmpty;
        result = GetLnkExeName(window, buffer, folder, args, description, &f.show_command, icon, &f.icon_index);
        if (result & (kLinkUnreadable | kLinkNoObject | kLinkNoPersist | kLinkOtherType | kLinkNoExtension)) return result;
        f.target = buffer;
        f.working_folder = folder;
        f.arguments = args;
        f.description = description;
        f.icon = icon;
        const int* id = s.field_ids;
        put(window, id[1], f.target);
        put(window, id[2], f.arguments);
        put(window, id[3], f.icon);
        put(window, id[4], f.working_folder);
        put(window, id[6], f.description);
        if (window && id[5]) {
            const int shows[] = {SW_SHOWNORMAL, SW_SHOWMAXIMIZED, SW_SHOWMINNOACTIVE};
            for (int i = 0; i < 3; ++i)
                if (shows[i] == f.show_command) SendDlgItemMessageA(window, id[5], CB_SETCURSEL, i, 0);
        }
        if (window) show_link_state(window, f.target, f.icon, f.icon_index);
    }
    if (target) lstrcpynA(target, f.target.c_str(), static_cast<int>(text::kPathSize));
    if (workingFolder) lstrcpynA(workingFolder, f.working_folder.c_str(), static_cast<int>(text::kPathSize));
    if (arguments) lstrcpynA(arguments, f.arguments.c_str(), static_cast<int>(text::kPathSize));
    if (iconLocation) lstrcpynA(iconLocation, f.icon.c_str(), static_cast<int>(text::kPathSize));
    return result;
}

LONG WINAPI ReplaceSpeifiedStringForShortCut(HWND owner, LPCSTR path, LONG flags, LONG) {
    SaveLinkInfo(path, 1);
    const LONG result = GetItemsForShortCut(owner, path, flags | kReplaceMode, nullptr, nullptr, nullptr, nullptr);
    ShortcutState& s = shortcut_state();
    s.some_replaced |= s.replaced;
    return result;
}
