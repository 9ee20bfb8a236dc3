#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <string>
#include "ferromes.h"
#include "settings/places.h"
#include "settings/system_root.h"
#include "settings/special_folders.h"
#include "support/guarded_buffer.h"
#include "support/registry_keys.h"
#include "support/sjis.h"

using ferro_test::sjis;
namespace settings = ferro::settings;

namespace {
std::string shell_path(int csidl) {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl, nullptr, 0, path);
    return path;
}

std::string text_of(int number) {
    MyLoadString(0, number);
    return GetLoadStrTitle();
}
}  // namespace

// ---- The table

TEST(SpecialFolderTable, NumbersIdentifiersAndLabels) {
    struct Row {
        LONG number, keyword, menu;
    } rows[] = {{0, 11200, 13200}, {9, -1, -1}, {17, -1, -1}, {25, -1, -1}, {30, 11231, 13230},
                {40, 11241, 13240}, {41, -1, -1}, {-1, -1, -1}};
    for (const Row& row : rows) {
        EXPECT_EQ(GetDesktopFolderKeywordID(row.number), row.keyword) << row.number;
        EXPECT_EQ(GetDesktopFolderMenuID(row.number), row.menu) << row.number;
        if (row.menu > 0) {
            EXPECT_EQ(GetDeskTopOrderedNumber(row.menu), row.number);
        }
    }
    EXPECT_EQ(GetDeskTopOrderedNumber(MAKELONG(13230, 7)), 30) << "the low 16 bits";
    EXPECT_EQ(GetDeskTopOrderedNumber(13209), -1);
    EXPECT_EQ(GetDesktopFolderStringID(10), 12214) << "the label from Windows Vista on";
    EXPECT_EQ(GetDesktopFolderStringID(0), 12200);
}

// ---- Found through the shell, and through the registry without it

TEST(SpecialFolders, ShellBindingsAndTheTableOfFoundFolders) {
    EXPECT_EQ(CheckSHFunctions(), 1);
    EXPECT_EQ(IsSHGetSpecialFolderLocation(), 1);
    EXPECT_EQ(IsSHFileOperationSupported(), 1);
    ASSERT_EQ(SetFirstDesktopMenuWithFolder(), 1);
    char path[520], label[520];
    EXPECT_EQ(GetDesktopDirectoryFromRegistry(path, label, 0), 1);
    EXPECT_EQ(path, shell_path(CSIDL_DESKTOPDIRECTORY));
    EXPECT_EQ(label, text_of(12200));
    EXPECT_EQ(IsActiveDesktopDirectory(0), 1);
    EXPECT_EQ(IsActiveDesktopDirectory(6), 0) << "Windows 2000 on: templates are number 7";
    EXPECT_EQ(IsActiveDesktopDirectory(9), 0);
    ASSERT_EQ(GetDesktopDirectory(path, 23), 1);
    EXPECT_EQ(path, shell_path(CSIDL_LOCAL_APPDATA));
    char redirect[520];
    EXPECT_EQ(std::string(GetRedirectFolderNameInVista(redirect)), std::string(path) + "\\VirtualStore");
    EXPECT_EQ(std::string(MakeRedirectFolderInVista(redirect, sjis("C:\\Program Files\\表\\a.ini").c_str())),
              std::string(path) + "\\VirtualStore\\Program Files\\" + sjis("表\\a.ini"));
    EXPECT_EQ(MakeRedirectFolderInVista(redirect, ("C:\\" + std::string(510, 'x')).c_str()), nullptr);
    EXPECT_EQ(FreeDesktopMenuHandle(), 1);
    EXPECT_EQ(GetDesktopDirectory(path, 0), 0);
    EXPECT_STREQ(GetRedirectFolderNameInVista(redirect), "") << "folder 23 not known";
}

TEST(SpecialFolders, WithoutTheShellTheRegistryShellFoldersAnswer) {
    const settings::ShellBindings none = settings::resolve_shell(GetModuleHandleA(nullptr));
    EXPECT_EQ(none.folder_location, nullptr);
    EXPECT_EQ(settings::shell_file_operation(none, nullptr), 0);
    const auto desktop = ferro_test::raw_value(HKEY_CURRENT_USER,
                                               "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                                               "Desktop");
    ASSERT_TRUE(desktop) << "the shell folders of the user";
    char path[520], label[520];
    ASSERT_TRUE(settings::find_special_folder(none, 0, path, label));
    EXPECT_STREQ(path, desktop->c_str());
    EXPECT_EQ(label, text_of(12200));
    EXPECT_FALSE(settings::find_special_folder(none, 38, path, label)) << "only the shell knows the x86 folders";
    EXPECT_FALSE(settings::find_special_folder(none, 7, path, label)) << "value name not in the string table";
    EXPECT_FALSE(settings::find_special_folder(none, 6, path, label));
    EXPECT_STREQ(path, "");
    const settings::ShellBindings bound = settings::resolve_shell(GetModuleHandleA("shell32.dll"));
    ASSERT_TRUE(settings::find_special_folder(bound, 7, path, label));
    EXPECT_EQ(path, shell_path(CSIDL_TEMPLATES));
}

TEST(SpecialFolders, ComboAndListBoxesListTheFoundFolders) {
    CheckSHFunctions();
    SetFirstDesktopMenuWithFolder();
    LONG found = 0;
    for (LONG n = 0; n <= 40; ++n) found += IsActiveDesktopDirectory(n);
    HWND dialog = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    CreateWindowA("COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 10, 100, dialog, HMENU(101), nullptr, nullptr);
    CreateWindowA("LISTBOX", "", WS_CHILD, 0, 0, 10, 100, dialog, HMENU(102), nullptr, nullptr);
    char desktop[520];
    GetDesktopDirectory(desktop, 0);
    CharUpperA(desktop);
    EXPECT_EQ(FillNamesInComboBoxByDesktopFolders(dialog, desktop, 101, 0), found);
    EXPECT_EQ(SendDlgItemMessageA(dialog, 101, CB_GETCURSEL, 0, 0), 0) << "the desktop, without regard to case";
    EXPECT_EQ(FillNamesInListBoxByDesktopFolders(dialog, "Z:\\elsewhere", 102, 1), found + 1);
    EXPECT_EQ(SendDlgItemMessageA(dialog, 102, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(FillNamesInListBoxByDesktopFolders(dialog, "", 999, 1), 0) << "no such control";
    DestroyWindow(dialog);
    FreeDesktopMenuHandle();
}

// ---- Environment names, both ways

TEST(SystemRoot, NamesAreExpandedWithinTheBuffer) {
    char windows[MAX_PATH];
    GetEnvironmentVariableA("SystemRoot", windows, sizeof windows);
    SetEnvironmentVariableA(sjis("表").c_str(), sjis("ソ").c_str());
    SetEnvironmentVariableA("FerroLong", std::string(40, 'L').c_str());
    struct Row {
        std::string in, out;
        LONG replaced;
    } rows[] = {
        {"%SystemRoot%\\notepad.exe", std::string(windows) + "\\notepad.exe", 1},
        {"%NoSuchName%\\x", "%NoSuchName%\\x", 0},
        {"\"%1\" %SystemRoot%", std::string("\"%1\" ") + windows, 1},
        {sjis("%表%\\%表%"), sjis("ソ\\ソ"), 2},
        {"100%", "100%", 0},
        {"%FerroLong%" + std::string(480, 'x'), "%FerroLong%" + std::string(480, 'x'), 0},  // 520 bytes: too long
        {"%FerroLong%" + std::string(479, 'x'), std::string(40, 'L') + std::string(479, 'x'), 1},
    };
    for (const Row& row : rows) {
        ferro_test::GuardedBuffer buffer(520);
        buffer.assign(row.in);
        EXPECT_EQ(ReplaceSystemRoot(buffer), row.replaced) << row.in;
        EXPECT_EQ(buffer.str(), row.out);
    }
    SetEnvironmentVariableA(sjis("表").c_str(), nullptr);
    SetEnvironmentVariableA("FerroLong", nullptr);

    char text[520];
    lstrcpyA(text, (std::string("\"") + windows + "\\system32\\shell32.dll\",4").c_str());
    ASSERT_TRUE(settings::put_system_root_placeholder(text, sizeof text));
    EXPECT_STREQ(text, "\"%SystemRoot%\\system32\\shell32.dll\",4");
    EXPECT_EQ(ReplaceSystemRoot(text), 1);
    EXPECT_EQ(text, std::string("\"") + windows + "\\system32\\shell32.dll\",4");
    lstrcpyA(text, (std::string(windows) + "x\\a").c_str());
    EXPECT_FALSE(settings::put_system_root_placeholder(text, sizeof text)) << "a whole folder only";
}
