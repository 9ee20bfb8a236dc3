// The demonstration: each step shows one thing the engine does.
#include <windows.h>
#include "commands.h"
#include "console.h"
#include "ferromes.h"
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include "frame/paths.h"
#include "frame/platform_version.h"
#include "frame/text.h"

namespace host {
namespace {
void step(const char* title) { outf("\n== %s\n", title); }

void show_messages() {
    step("Message library: texts by number (title, then message)");
    const UINT ids[][2] = {{8062, 8057}, {7010, 7009}};
    for (const auto& pair : ids) {
        UINT mask = MyLoadString(pair[0], pair[1]);
        outf("  [%u] %s\n", pair[1], GetLoadStrTitle());
        outf("  [%u] %s\n", pair[0], GetLoadStrMessage());
        if (mask) outf("  (missing texts, mask %u)\n", mask);
    }
}

void show_platform() {
    step("Platform version: determined once, kept as one word of platform bits");
    char name[32] = {};
    DWORD value = GetWindowsPlatform(name);
    outf("  %s (value 0x%lX, version %ld.%ld, build %lu)\n", name, value, GetWindowsMajorVersion(),
         GetWindowsMinorVersion(), GetBuiltVersion());
    const char* extra = GetExtraInfoForWindowsVersion(nullptr);
    outf("  service pack: %s\n", extra ? extra : "(none)");
}

// Paths are code-page-932 bytes; the second byte of 表 (0x95 0x5C) and of
// ソ (0x83 0x5C) is the yen mark's byte, which a naive scan takes for a separator.
void show_paths() {
    step("Paths in code page 932: the trail byte 0x5C is not a separator");
    char path[520] = "C:\\\x95\x5c\x8e\xa6\\\x83\x5c\x83\x74\x83\x67\\\x94\x5c\x97\xcd.txt";  // C:\表示\ソフト\能力.txt
    outf("  path                      %s\n", path);
    outf("  naive last byte 0x5C      ...%s\n", std::strrchr(path, '\\'));
    outf("  GetFileFromPathWithYen    ...%s\n", GetFileFromPathWithYen(path));
    char name[520];
    GetFileName(name, path);
    outf("  GetFileName               %s\n", name);
    char upper[520];
    std::strcpy(upper, path);
    GetDirectoryPathInFile(upper);
    outf("  GetDirectoryPathInFile    %s\n", upper);
    int code = GetUpperDirectory(upper);
    outf("  GetUpperDirectory         %s (%d)\n", upper, code);
    char joined[520];
    char folder[520] = "C:\\\x95\x5c";  // C:\表
    _myGetFullPathName(joined, folder, "\x94\x5c.txt");
    outf("  _myGetFullPathName        %s\n", joined);
    char grouped[64];
    ArrangeNumberFromString("1234567890", grouped);
    outf("  ArrangeNumberFromString   %s\n", grouped);
}

// A sample tree in %TEMP%: Japanese names, names whose second byte is 0x5C
// and a few hundred files, listed and sorted by the engine, then removed.
void show_listing() {
    step("Folder listing: a sample tree read into column tables and sorted");
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    char root[MAX_PATH];
    std::snprintf(root, sizeof root, "%sferro_demo_%lu", temp, GetCurrentProcessId());
    CreateDirectoryA(root, nullptr);
    std::vector<std::string> made;
    const char* folders[] = {"\x95\x5c", "\x83\x5c\x83\x74\x83\x67", "\x94\x5c\x97\xcd"};  // 表 ソフト 能力
    for (const char* f : folders) {
        std::string path = std::string(root) + "\\" + f;
        CreateDirectoryA(path.c_str(), nullptr);
        made.push_back(path);
    }
    for (int i = 0; i < 300; ++i) {
        char name[64];
        // 表 (95 5C) / ソ (83 5C) / 能 (94 5C) at the start of each name
        const char* heads[] = {"\x95\x5c", "\x83\x5c", "\x94\x5c"};
        std::snprintf(name, sizeof name, "%s%03d.%s", heads[i % 3], i, (i % 2) ? "txt" : "dat");
        std::string path = std::string(root) + "\\" + name;
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            std::string body(static_cast<size_t>((i * 7919) % 5000), 'x');
            DWORD written = 0;
            WriteFile(h, body.data(), static_cast<DWORD>(body.size()), &written, nullptr);
            CloseHandle(h);
        }
    }
    ListOptions by_name;
    by_name.folder = root;
    list_folder(by_name, 6);
    step("The same tree by size, largest first, only *.txt");
    ListOptions by_size = by_name;
    by_size.sort = "size";
    by_size.reverse = true;
    by_size.spec = "*.txt";
    list_folder(by_size, 6);
    WIN32_FIND_DATAA record;
    HANDLE find = FindFirstFileA((std::string(root) + "\\*.*").c_str(), &record);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(record.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((std::string(root) + "\\" + record.cFileName).c_str());
        } while (FindNextFileA(find, &record));
        FindClose(find);
    }
    for (const std::string& f : made) RemoveDirectoryA(f.c_str());
    outf("  removed: %s\n", RemoveDirectoryA(root) ? "yes" : "no");
}
}  // namespace

int cmd_demo(const Args&) {
    out("Ferrolan engine demonstration");
    show_messages();
    show_platform();
    show_paths();
    show_listing();
    return 0;
}
}  // namespace host
