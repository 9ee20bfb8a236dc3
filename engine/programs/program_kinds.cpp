// What kind of program a file is: the command interpreter of the platform,
// and the shell's executable type of a file.
#include <windows.h>
#include <shellapi.h>
#include <cstring>
#include "frame/text.h"
#include "programs/processes.h"
#include "programs/programs_internal.h"

namespace {
constexpr WORD kPortable = 0x4550;  // "PE"
constexpr WORD kNew = 0x454e;       // "NE"
constexpr WORD kDos = 0x5a4d;       // "MZ" as a word
constexpr WORD kDosShell = 0x4d5a;  // "MZ" as the shell writes it

// -3 when the file is missing or a folder, else the executable type.
LONG type_of_existing(LPCSTR file) {
    if (!file || !*file) return -3;
    char path[520];
    if (std::strlen(file) >= sizeof path) return -3;
    std::strcpy(path, file);
    Remove95Quotation(path);
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return -3;
    return GetExeTypeFromWindows(path);
}
}  // namespace

LPCSTR WINAPI GetCommandCom() { return ferro::programs::is_nt_family() ? "cmd.exe" : "command.com"; }

LONG WINAPI GetExeTypeFromWindows(LPCSTR file) {
    if (!file || !*file) return -1;
    DWORD_PTR type = SHGetFileInfoA(file, 0, nullptr, 0, SHGFI_EXETYPE);
    WORD signature = LOWORD(type), version = HIWORD(type);
    if ((signature == kPortable || signature == kNew) && version != 0) return 0;
    if (signature == kPortable) return 1;
    if (signature == kDos || signature == kDosShell) return 2;
    return -1;
}

LONG WINAPI IsDosApplication(LPCSTR file) {
    LONG type = type_of_existing(file);
    if (type < 0) return type;
    return type == 1 || type == 2 ? 1 : 0;
}

LONG WINAPI IsWinApplication(LPCSTR file) {
    LONG type = type_of_existing(file);
    if (type < 0) return type;
    return type == 0 ? 1 : 0;
}
