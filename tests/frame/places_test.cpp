#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "frame/handles.h"
#include "frame/owner_window.h"
#include "frame/places.h"
#include "frame/text.h"
#include "support/guarded_buffer.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using ferro_test::GuardedBuffer;
using ferro_test::sjis;

// ---- Module handles

TEST(ModuleHandles, DllInstanceIsTheLibraryAndHostHandlesRoundTrip) {
    EXPECT_EQ(GetDllInstance(), GetModuleHandleA("ferro32.dll"));
    HWND desktop = GetDesktopWindow();
    EXPECT_EQ(SethWndMain(desktop), desktop);
    EXPECT_EQ(GethWndMain(), desktop);
    EXPECT_EQ(SethWndMain(nullptr), nullptr);
    HINSTANCE self = GetModuleHandleA(nullptr);
    EXPECT_EQ(SethInstMain(self), self);
    EXPECT_EQ(GethInstMain(), self);
    SethInstMain(nullptr);
}

TEST(ModuleHandles, ValidWindowFallsBackToMainThenDesktop) {
    HWND some = reinterpret_cast<HWND>(0x1234);
    HWND main = reinterpret_cast<HWND>(0x5678);
    EXPECT_EQ(GetValidWindowsHandle(some), some);
    EXPECT_EQ(GetValidWindowsHandle(nullptr), GetDesktopWindow());
    SethWndMain(main);
    EXPECT_EQ(GetValidWindowsHandle(nullptr), main);
    EXPECT_EQ(GetValidWindowsHandle(some), some);
    SethWndMain(nullptr);
}

// ---- Program places

TEST(ProgramPlaces, FerroDirKeepsUpTo519Bytes) {
    const std::string yen_trail = sjis("表ソ能");
    struct Row { std::string path; bool kept; } rows[] = {
        {"C:\\Ferro", true},
        {"C:\\" + yen_trail, true},
        {"", true},
        {std::string(519, 'a'), true},
        {std::string(520, 'b'), false},
    };
    SaveFerroDir("C:\\before");
    for (const Row& row : rows) {
        std::string before = GetFerroDir();
        LPSTR result = SaveFerroDir(row.path.c_str());
        EXPECT_EQ(result != nullptr, row.kept) << row.path.size();
        EXPECT_EQ(std::string(GetFerroDir()), row.kept ? row.path : before) << row.path.size();
    }
    EXPECT_STREQ(SaveFerroDir(nullptr), "");
}

TEST(ProgramPlaces, ExtractOptionsCutsAtTheFirstSign) {
    struct Row {
        std::string text;
        std::string command;
        const char* options;  // null: none
    } rows[] = {
        {"notepad.exe < /a", "notepad.exe", "/a"},
        {"a < b < c", "a", "b < c"},
        {" < x", "", "x"},
        {"a < ", "a", ""},
        {"a<b", "a<b", nullptr},
        {"a <b", "a <b", nullptr},
        {"", "", nullptr},
        {sjis("表 < ソ"), sjis("表"), "\x83\x5c"},
        // A lead byte followed by the space: one character, so no sign starts there.
        {"x\x81 < y", "x\x81 < y", nullptr},
    };
    for (const Row& row : rows) {
        std::string text = row.text;
        LPSTR options = ExtractOptions(text.data());
        if (!row.options) {
            EXPECT_EQ(options, nullptr) << row.text;
        } else {
            ASSERT_NE(options, nullptr) << row.text;
            EXPECT_STREQ(options, row.options);
        }
        EXPECT_STREQ(text.c_str(), row.command.c_str());
    }
    EXPECT_EQ(ExtractOptions(nullptr), nullptr);
}

// ---- Home folders

namespace {
std::string long_spelling(const char* path) {
    char buf[520];
    DWORD n = GetLongPathNameA(path, buf, sizeof buf);
    return n && n < sizeof buf ? buf : path;
}
}  // namespace

TEST(HomeDirectory, SystemFoldersWhenNoOverride) {
    char windows[520], system[520];
    GetWindowsDirectoryA(windows, sizeof windows);
    GetSystemDirectoryA(system, sizeof system);
    SaveHomeDirectory(nullptr, nullptr, 0);
    SaveHomeDirectory(nullptr, "", 1);
    GuardedBuffer out(520);
    EXPECT_EQ(GetHomeDirectory(out, 520, 0), 0);
    EXPECT_EQ(std::string(out.str()), long_spelling(windows));
    EXPECT_EQ(GetHomeDirectory(out, 520, 1), 0);
    EXPECT_EQ(std::string(out.str()), long_spelling(system));
}

TEST(HomeDirectory, OverrideIsUsedAndRespelled) {
    ferro_test::TempFolder tmp;
    std::string folder = tmp.folder(sjis("長い名前のフォルダ表"));
    char short_form[520] = {};
    GetShortPathNameA(folder.c_str(), short_form, sizeof short_form);
    EXPECT_EQ(SaveHomeDirectory(nullptr, short_form, 0), 1);
    GuardedBuffer out(520);
    // The character-set setting without bit 4 keeps the components as given...
    const int setting = IsWhatCharacterSet();
    SetCharacterSet(0);
    EXPECT_EQ(GetHomeDirectory(out, 520, 0), 1);
    EXPECT_EQ(std::string(out.str()), std::string(short_form));
    // ...with bit 4 the stored long form is used.
    SetCharacterSet(4);
    EXPECT_EQ(GetHomeDirectory(out, 520, 0), 1);
    EXPECT_EQ(std::string(out.str()), long_spelling(short_form));
    // Exactly fitting, and one byte short.
    const std::size_t length = out.str().size();
    GuardedBuffer exact(length + 1);
    EXPECT_EQ(GetHomeDirectory(exact, UINT(length + 1), 0), 1);
    EXPECT_EQ(exact.str().size(), length);
    GuardedBuffer short_buffer(length, 'q');
    EXPECT_EQ(GetHomeDirectory(short_buffer, UINT(length), 0), 0);
    EXPECT_EQ(short_buffer.data()[0], '\0');
    // A folder that does not exist keeps its spelling.
    EXPECT_EQ(SaveHomeDirectory(nullptr, "Q:\\nowhere", 1), 1);
    EXPECT_EQ(GetHomeDirectory(out, 520, 1), 1);
    EXPECT_EQ(out.str(), "Q:\\nowhere");
    SaveHomeDirectory(nullptr, nullptr, 0);
    SaveHomeDirectory(nullptr, nullptr, 1);
    SetCharacterSet(setting);
}

TEST(HomeDirectory, BadArgumentsStoreNothing) {
    EXPECT_EQ(SaveHomeDirectory(nullptr, "C:\\x", 2), 0);
    EXPECT_EQ(SaveHomeDirectory(nullptr, "C:\\x", -1), 0);
    EXPECT_EQ(SaveHomeDirectory(nullptr, std::string(520, 'a').c_str(), 0), 0);
    EXPECT_EQ(SaveHomeDirectory(nullptr, std::string(519, 'a').c_str(), 0), 1);
    GuardedBuffer out(520, 'q');
    EXPECT_EQ(GetHomeDirectory(out, 520, 2), 0);
    EXPECT_EQ(out.data()[0], '\0');
    EXPECT_EQ(GetHomeDirectory(nullptr, 520, 0), 0);
    EXPECT_EQ(GetHomeDirectory(out, 0, 0), 0);
    SaveHomeDirectory(nullptr, nullptr, 0);
}

// ---- Names in the program folder

struct FerroDirJoinRow {
    const char* folder;  // UTF-8
    const char* name;
    const char* expected;  // null: refused
};

TEST(ProgramPlaces, FileNameInFerroDirJoinsWithTheProgramFolder) {
    const FerroDirJoinRow rows[] = {
        {"C:\\Ferro", "FERRO.INI", "C:\\Ferro\\FERRO.INI"},
        {"C:\\", "FERRO.INI", "C:\\FERRO.INI"},
        {"C:\\表", "a.txt", "C:\\表\\a.txt"},  // trail byte 0x5C is not a separator
        {"C:\\Ferro", "D:\\other\\x.ini", "D:\\other\\x.ini"},
        {"C:\\Ferro", "", "C:\\Ferro"},
    };
    for (const auto& row : rows) {
        SaveFerroDir(sjis(row.folder).c_str());
        GuardedBuffer out(520);
        ASSERT_EQ(GetFileNameInFerroDir(out, sjis(row.name).c_str()), out.data()) << row.folder << " + " << row.name;
        EXPECT_EQ(out.str(), sjis(row.expected)) << row.folder << " + " << row.name;
        EXPECT_EQ(std::string(GetFerroDir()), sjis(row.folder)) << "the program folder is left as it was";
    }
    SaveFerroDir("");
}

TEST(ProgramPlaces, FileNameInFerroDirRefusesWhatDoesNotFit) {
    const std::string folder = "C:\\" + std::string(500, 'd');
    SaveFerroDir(folder.c_str());
    GuardedBuffer out(520);
    // 503 + 1 + 15 = 519 bytes fit; one more byte does not.
    EXPECT_EQ(GetFileNameInFerroDir(out, std::string(15, 'n').c_str()), out.data());
    EXPECT_EQ(out.str().size(), 519u);
    EXPECT_EQ(GetFileNameInFerroDir(out, std::string(16, 'n').c_str()), nullptr);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(GetFileNameInFerroDir(out, ("C:\\" + std::string(517, 'x')).c_str()), nullptr);
    EXPECT_EQ(std::string(GetFerroDir()), folder);
    SaveFerroDir("");
}
