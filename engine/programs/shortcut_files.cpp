// Reading and writing shortcut files: ".lnk" through the shell's link object,
// ".pif" from its bytes.
#include <cstring>
#include "frame/error_state.h"
#include "frame/paths.h"
#include "frame/text_internal.h"
#include "fs/dos_names.h"
#include "fs/network_bridge.h"
#include "programs/shortcut.h"
#include "programs/shortcut_internal.h"
#include "viewer/file_helpers.h"

using namespace ferro;
using namespace ferro::programs;

namespace {
// Byte layout of a ".pif" file: the program name, the start-up folder and
// the parameters stand at fixed offsets, each padded with NUL bytes.
struct PifField {
    std::size_t offset, size;
};
constexpr PifField kPifProgram = {0x24, 63};
constexpr PifField kPifFolder = {0x65, 64};
constexpr PifField kPifParameters = {0xA5, 64};

// The field's text (NUL or the field's end ends it; trailing blanks dropped),
// or false when the file does not reach the field.
bool pif_field(const char* data, std::size_t size, PifField field, char* out) {
    if (size < field.offset + field.size) return false;
    std::size_t n = strnlen(data + field.offset, field.size);
    while (n > 0 && data[field.offset + n - 1] == ' ') --n;
    std::memcpy(out, data + field.offset, n);
    out[n] = '\0';
    if (n > 0 && mbcs::lead_at(out, n - 1)) out[n - 1] = '\0';  // a cut double-byte character
    return true;
}

LONG read_pif(const char* path, char* target, char* workingFolder, char* arguments) {
    ULONGLONG size = 0;
    HGLOBAL block = OpenReadOnlyFile(path, &size);
    if (!block) return kLinkPifUnreadable;
    const char* data = GlobalLockForOpenReadOnlyFile(block);
    char program[kPifProgram.size + 1];
    LONG result = 0;
    if (!data || size == 0 || !pif_field(data, static_cast<std::size_t>(size), kPifProgram, program)) {
        result = kLinkPifUnreadable;
    } else {
        char field[kPifParameters.size + 1];
        if (workingFolder && pif_field(data, static_cast<std::size_t>(size), kPifFolder, field))
            std::strcpy(workingFolder, field);
        if (arguments && pif_field(data, static_cast<std::size_t>(size), kPifParameters, field))
            std::strcpy(arguments, field);
        std::strcpy(target, program);
        if (!*program) result = kLinkEmpty;
    }
    CloseReadOnlyFile(block);
    return result;
}

// Copies a field read through the link object into the caller's buffer.
void give(char* out, const char* field) {
    if (out) lstrcpynA(out, field, static_cast<int>(text::kPathSize));
}

LONG read_lnk(HWND owner, char* path, const char* file, char* workingFolder, char* arguments, char* description,
              int* showCommand, char* iconLocation, int* iconIndex) {
    ShortcutState& s = shortcut_state();
    LinkObject link;
    if (const LONG created = link.create()) {
        report_link_failure(owner, file, kCannotRead);
        return created;
    }
    if (!link.load(file)) {
        report_link_failure(owner, file, kCannotRead);
        return kLinkUnreadable;
    }
    LONG result = 0;
    if (!s.no_resolve && FAILED(link->Resolve(owner, SLR_NO_UI | SLR_UPDATE | (1000u << 16)))) result |= kLinkUnresolved;

    char icon[text::kPathSize] = "";
    int index = 0;
    if (FAILED(link->GetIconLocation(icon, sizeof icon, &index))) icon[0] = '\0';
    icon[text::kPathMax] = '\0';
    if (!*icon) {
        result |= kLinkIconMissing;
    } else if (!IsFileDirExist(expanded(icon).c_str())) {
        // The link keeps its own index; a missing icon file is reported and cleared.
        result |= kLinkIconMissing;
        icon[0] = '\0';
        index = 0;
    }
    give(iconLocation, icon);
    if (iconIndex) *iconIndex = index;

    WIN32_FIND_DATAA found = {};
    char target[text::kPathSize] = "";
    if (link->GetPath(target, sizeof target, &found, SLGP_UNCPRIORITY) != S_OK) target[0] = '\0';
    target[text::kPathMax] = '\0';
    s.target_attributes = found.dwFileAttributes;
    std::strcpy(path, target);
    if (!*target) return result | kLinkEmpty;

    char field[text::kPathSize];
    if (arguments) {
        if (FAILED(link->GetArguments(field, sizeof field))) field[0] = '\0';
        field[text::kPathMax] = '\0';
        give(arguments, field);
    }
    if (workingFolder) {
        if (FAILED(link->GetWorkingDirectory(field, sizeof field))) field[0] = '\0';
        field[text::kPathMax] = '\0';
        give(workingFolder, field);
    }
    if (description) {
        if (FAILED(link->GetDescription(field, sizeof field))) field[0] = '\0';
        field[text::kPathMax] = '\0';
        give(description, field);
    }
    if (showCommand && FAILED(link->GetShowCmd(showCommand))) *showCommand = SW_SHOWNORMAL;
    return result;
}
}  // namespace

LONG WINAPI InitializeSHFunctionByOLE() { return CoInitialize(nullptr); }

LONG WINAPI GetLnkExeName(HWND owner, LPSTR path, LPSTR workingFolder, LPSTR arguments, LPSTR description,
                          int* showCommand, LPSTR iconLocation, int* iconIndex) {
    if (text::is_empty(path)) return kLinkEmpty;
    char file[text::kPathSize];
    if (!text::copy_bounded(file, path)) return kLinkEmpty;
    text::strip_quotes(file);
    // A path on a network drive is read through its share's name.
    const char* name = file;
    int saved = -1;
    if (text::is_network_form(file)) {
        name = fs::net::make_network_folder_name(file, &saved);
        if (saved == 0) return kLinkUnreadable;
    } else if (!text::copy_bounded(file, network_folder_name(file).c_str())) {
        return kLinkEmpty;
    }
    const char* extension = GetFileExtension(name);
    if (!extension) return kLinkNoExtension;
    for (char* out : {workingFolder, arguments, description, iconLocation})
        if (out) out[0] = '\0';
    LONG result;
    if (lstrcmpiA(extension, "lnk") == 0)
        result = read_lnk(owner, path, name, workingFolder, arguments, description, showCommand, iconLocation,
                          iconIndex);
    else if (lstrcmpiA(extension, "pif") == 0)
        result = read_pif(name, path, workingFolder, arguments);
    else
        result = kLinkOtherType;
    return result;
}

LONG WINAPI SetLnkExeName(HWND owner, LPCSTR link, LPCSTR target, LPCSTR arguments, LPCSTR description,
                          LPCSTR workingFolder, int showCommand, LPCSTR iconLocation, int iconIndex) {
    if (text::is_empty(link)) return kLinkEmpty;
    LinkObject object;
    if (const LONG created = object.create()) {
        report_link_failure(owner, link, kCannotWrite);
        return created;
    }
    // Placeholders of stored texts become the real folders: the link object
    // keeps what it is given.
    auto real = [](LPCSTR field) { return text::is_empty(field) ? std::string() : expanded(field); };
    const std::string icon = real(iconLocation);
    if (!icon.empty()) object->SetIconLocation(icon.c_str(), iconIndex);
    if (!text::is_empty(target)) object->SetPath(real(target).c_str());
    if (!text::is_empty(arguments)) object->SetArguments(arguments);
    if (!text::is_empty(description)) object->SetDescription(description);
    if (!text::is_empty(workingFolder)) object->SetWorkingDirectory(real(workingFolder).c_str());
    object->SetShowCmd(showCommand > 0 ? showCommand : SW_SHOWNORMAL);
    if (!object.save_replacing(link)) {
        report_link_failure(owner, link, kCannotWrite);
        return kLinkNotWritten;
    }
    return 0;
}

LONG WINAPI IsOriginalLinkedNameExecutable(HWND owner, LPSTR path, LPSTR workingFolder, LPSTR arguments) {
    if (text::is_empty(path)) return kLinkEmpty;
    char copy[text::kPathSize];
    if (!text::copy_bounded(copy, path)) return kLinkEmpty;
    const LONG result = GetLnkExeName(owner, copy, workingFolder, arguments, nullptr, nullptr, nullptr, nullptr);
    if (*copy && !(result & (kLinkEmpty | kLinkUnreadable | kLinkNoObject | kLinkNoPersist | kLinkOtherType |
                             kLinkNoExtension | kLinkPifUnreadable)))
        std::strcpy(path, copy);
    return result;
}

DWORD WINAPI GetFileAttributeFromShortCut() { return shortcut_state().target_attributes; }
