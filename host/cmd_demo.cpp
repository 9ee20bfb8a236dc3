// The demonstration: each step shows one thing the engine does.
#include <windows.h>
#include "commands.h"
#include "console.h"
#include "demo_steps.h"
#include "ferromes.h"
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include "frame/paths.h"
#include "frame/platform_version.h"
#include "frame/text.h"

namespace host {
void step(const char* title) { outf("\n== %s\n", title); }

namespace {

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

// The sample tree read into the column tables and sorted by the engine.
void show_listing(const DemoTree& tree) {
    step("Folder listing: the sample tree's top folder read into column tables and sorted");
    ListOptions by_name;
    by_name.folder = tree.root;
    list_folder(by_name, 8);
    step("The same folder by size, largest first, only *.txt");
    ListOptions by_size = by_name;
    by_size.sort = "size";
    by_size.reverse = true;
    by_size.spec = "*.txt";
    list_folder(by_size, 6);
}
}  // namespace

int cmd_demo(const Args&) {
    out("Ferrolan engine demonstration");
    show_messages();
    show_platform();
    show_paths();
    step("A sample tree in the temporary folder");
    DemoTree tree;
    if (!make_demo_tree(tree)) return 1;
    outf("  %s: %lu files in %lu folders, %llu bytes\n", tree.root.c_str(), tree.files, tree.folders + 1, tree.bytes);
    show_listing(tree);
    const bool copied = demo_copy(tree);
    demo_search(tree);
    if (demo_delete(tree, "Deleting the sample tree and its copies with the wildcard walk")) return copied ? 0 : 1;
    remove_tree(tree.root);
    return 1;
}
}  // namespace host
