// What kind of file a name denotes: a program by its extension (bat and pif
// files only when the user says so), a text by the user's text extensions,
// or another file; and the texts the host shows for kinds of files.
#include <windows.h>
#include <shellapi.h>
#include <cstring>
#include <string>
#include "ferromes.h"
#include "frame/error_internal.h"
#include "frame/option_flags.h"
#include "frame/paths.h"
#include "frame/text.h"
#include "frame/text_internal.h"
#include "programs/file_types.h"

using namespace ferro;

namespace {
constexpr char kProgramExtensions[][4] = {"exe", "com", "bat", "pif", "lnk", "cmd"};
constexpr int kBat = 2, kPif = 3;
constexpr int kTextSlots = 20;
constexpr std::size_t kSlotSize = 4;  // three bytes and the NUL

char g_text_types[kTextSlots][kSlotSize];
LONG g_text_count = 0;
char g_type_name[MAX_PATH + 64];

// The extension without its quotation marks.
std::string plain(const char* extension) {
    char work[text::kPathSize];
    if (!extension || !text::copy_bounded(work, extension, sizeof work)) return {};
    text::strip_quotes(work);
    return work;
}

int program_slot(const std::string& extension) {
    for (int i = 0; i < int(std::size(kProgramExtensions)); ++i)
        if (text::same_without_case(extension.c_str(), kProgramExtensions[i])) return i;
    return -1;
}

// A message of the library, appended.
void add_message(errors::Composer& out, UINT number) {
    MyLoadString(number, 0);
    out.add(GetLoadStrMessage());
}

void add_patterns(errors::Composer& out, LONG withShortcuts) {
    add_message(out, 8031);  // "*.exe;*.com"
    if (IsBatExcutable()) out.add(";*.bat");
    if (IsPifExcutable()) out.add(";*.pif");
    if (withShortcuts) out.add(";*.lnk");
}
}  // namespace

LONG WINAPI SetExcutableFlagsByCheckBox(HWND dialog, const int* controls) {
    if (!dialog || !controls) return 0;
    SetBatExcutable(IsDlgButtonChecked(dialog, controls[0]) == BST_CHECKED);
    SetPifExcutable(IsDlgButtonChecked(dialog, controls[1]) == BST_CHECKED);
    return 1;
}

LONG WINAPI SendExcutableFlagsIntoCheckBox(HWND dialog, const int* controls) {
    if (!dialog || !controls) return 0;
    CheckDlgButton(dialog, controls[0], IsBatExcutable() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, controls[1], IsPifExcutable() ? BST_CHECKED : BST_UNCHECKED);
    return 1;
}

LONG WINAPI SetClearTxtCount() {
    g_text_count = 0;
    return 0;
}

LONG WINAPI SetTxtType(LPCSTR extension) {
    // A slot holds three bytes: a longer extension would not fit, and cut
    // short it would name another type of file.
    if (g_text_count >= kTextSlots || text::is_empty(extension) || std::strlen(extension) >= kSlotSize) return 0;
    std::memcpy(g_text_types[g_text_count++], extension, std::strlen(extension) + 1);
    return 1;
}

LPCSTR WINAPI GetTxtType(LONG index) { return index >= 0 && index < g_text_count ? g_text_types[index] : ""; }

LONG WINAPI IsExcutableExt(LPCSTR extension) {
    const int slot = program_slot(plain(extension));
    if (slot < 0) return 0;
    if (slot == kBat) return IsBatExcutable();
    if (slot == kPif) return IsPifExcutable();
    return 1;
}

LONG WINAPI FindFileExtType(LPCSTR extension) {
    if (!extension) return 5;
    if (IsExcutableExt(extension)) return 0;
    const std::string wanted = plain(extension);
    for (LONG i = 0; i < g_text_count; ++i)
        if (text::same_without_case(wanted.c_str(), g_text_types[i])) return 1;
    return 5;
}

LONG WINAPI IsFileExt(LONG code) { return code == 1 ? 1 : 0; }
LONG WINAPI IsDirectoryExt(LONG code) { return code >= 2 && code <= 4 ? code : 0; }

LONG WINAPI _IsExcutableExtDefinedByOS(LPCSTR name) {
    const char* extension = GetFileExtension(name);
    if (!extension) return 0;
    std::string lowered = extension;
    if (!lowered.empty() && lowered.back() == '"') lowered.pop_back();
    text::lower_in_place(lowered.data());
    for (const char* known : kProgramExtensions)
        if (lowered.find(known) != std::string::npos) return 1;
    return 0;
}

LONG WINAPI AddExecutableExt(LPCSTR name, LPSTR out, LONG index) {
    if (!out || text::is_empty(name) || index < 0 || index >= LONG(std::size(kProgramExtensions))) return 0;
    const std::string bare = plain(name);
    const char* yen = mbcs::find_last(bare.c_str(), text::kYen);
    if (mbcs::find_first(bare.c_str(), '.', yen ? yen + 1 : nullptr)) return 0;
    if (bare.size() + 1 + std::strlen(kProgramExtensions[index]) >= text::kPathSize) return 0;
    wsprintfA(out, "%s.%s", bare.c_str(), kProgramExtensions[index]);
    return 1;
}

LPSTR WINAPI GetExcutablCommandForFileOpen(LPSTR buffer, LONG withShortcuts) {
    if (!buffer) return nullptr;
    errors::Composer out(buffer, text::kPathSize);
    add_message(out, 8030);  // "実行形式 ("
    add_patterns(out, withShortcuts);
    add_message(out, 8032);  // ")"
    add_message(out, 8033);  // "|"
    add_patterns(out, withShortcuts);
    add_message(out, 8033);
    add_message(out, 8034);  // "全ﾌｧｲﾙ (*.*)|*.*|"
    return buffer;
}

LPCSTR WINAPI GetIconOrExtTypeFromFileName(LPCSTR name, LONG flag) {
    g_type_name[0] = '\0';
    if (!name) return g_type_name;
    SHFILEINFOA info{};
    const UINT request = SHGFI_TYPENAME | (flag ? SHGFI_USEFILEATTRIBUTES : 0);
    if (SHGetFileInfoA(name, FILE_ATTRIBUTE_NORMAL, &info, sizeof info, request) && info.szTypeName[0]) {
        lstrcpynA(g_type_name, info.szTypeName, sizeof g_type_name);
        return g_type_name;
    }
    errors::Composer out(g_type_name, sizeof g_type_name);
    out.add(GetFileExtension(name));
    add_message(out, 33164);  // "ﾌｧｲﾙ"
    return g_type_name;
}
