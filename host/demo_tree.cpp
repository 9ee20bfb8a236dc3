#include "demo_tree.h"
#include <windows.h>
#include <cstdio>
#include <vector>
#include "console.h"

namespace host {
namespace {
struct FolderPlan {
    const char* name;  // relative to the root, cp932
    int files;
};
// 表, ソフト, 能力 and their sub-folders 報告書, ｿｰｽ, 写真; "data" for plain names.
const FolderPlan kFolders[] = {
    {"", 400},
    {"\x95\x5c", 300},
    {"\x95\x5c\\\x95\xf1\x8d\x90\x8f\x91", 200},
    {"\x83\x5c\x83\x74\x83\x67", 300},
    {"\x83\x5c\x83\x74\x83\x67\\\xbf\xb0\xbd", 200},
    {"\x94\x5c\x97\xcd", 300},
    {"\x94\x5c\x97\xcd\\\x8e\xca\x90\x5e", 200},
    {"data", 300},
    {"data\\old", 200},
};
const char* const kHeads[] = {"\x95\x5c", "\x83\x5c", "\x94\x5c", "report", "IMG_", "\x8e\xca\x90\x5e", "readme"};
const char* const kExts[] = {"txt", "dat", "jpg", "doc", "TXT", "csv"};

bool write_file(const std::string& path, DWORD size) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    static std::vector<char> body(1 << 20, 'x');
    DWORD written = 0;
    bool ok = size == 0 || (WriteFile(h, body.data(), size, &written, nullptr) && written == size);
    return CloseHandle(h) && ok;
}
}  // namespace

bool make_demo_tree(DemoTree& tree) {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    char root[MAX_PATH];
    std::snprintf(root, sizeof root, "%sferro_demo_%lu", temp, GetCurrentProcessId());
    tree = DemoTree{};
    tree.root = root;
    if (!CreateDirectoryA(root, nullptr)) {
        err(std::string("ferro demo: cannot create the sample folder ") + root);
        return false;
    }
    unsigned serial = 0;
    for (const FolderPlan& plan : kFolders) {
        std::string folder = tree.root;
        if (*plan.name) {
            folder += std::string("\\") + plan.name;
            if (!CreateDirectoryA(folder.c_str(), nullptr)) {
                err("ferro demo: cannot create " + folder);
                remove_tree(tree.root);
                return false;
            }
            ++tree.folders;
        }
        for (int i = 0; i < plan.files; ++i, ++serial) {
            char name[64];
            std::snprintf(name, sizeof name, "%s%04u.%s", kHeads[serial % 7], serial, kExts[(serial / 7) % 6]);
            // Mostly small files, every 97th a larger one, a few empty.
            DWORD size = serial % 53 == 0 ? 0 : serial % 97 == 0 ? 200000 + serial * 13 : (serial * 7919) % 9000;
            if (!write_file(folder + "\\" + name, size)) {
                err("ferro demo: cannot write " + folder + "\\" + name);
                remove_tree(tree.root);
                return false;
            }
            ++tree.files;
            tree.bytes += size;
        }
    }
    return true;
}

bool remove_tree(const std::string& folder) {
    WIN32_FIND_DATAA record;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &record);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = record.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = folder + "\\" + name;
            if (record.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (record.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) remove_tree(path);
            else DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &record));
        FindClose(find);
    }
    return RemoveDirectoryA(folder.c_str()) != 0;
}
}  // namespace host
