#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "frame/platform_decision.h"
#include "frame/platform_version.h"
#include "settings/profile.h"
#include "support/guarded_buffer.h"
#include "support/registry_keys.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using ferro_test::GuardedBuffer;
using ferro_test::OwnedKey;
using ferro_test::raw_value;
using ferro_test::sjis;

namespace {
bool vista_on() { return (GetWindowsVersion() & ferro::platform::kNT6Family) != 0; }

struct RegistryStore : testing::Test {
    OwnedKey product = OwnedKey::fresh();
    void SetUp() override { SetRegistryPath(product.path().c_str()); }
    void TearDown() override {
        SetRegistrySettingForAdmin(0);
        ReleaseTempForRegistry();
        SetRegistryPath("");
    }
    HKEY open(const std::string& sub) const {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, (product / sub).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr);
        return key;
    }
};
}  // namespace

// ---- Registry rules

TEST_F(RegistryStore, KeyPathAnswersWithItselfAndOtherTypesGiveTheDefault) {
    product.set("Sub", "dword", std::string("\x2a\0\0\0", 4), REG_DWORD);
    product.set("Sub", "expand", "%SystemRoot%\\x", REG_EXPAND_SZ);
    const std::string sub = product / "Sub";
    char text[520];
    EXPECT_EQ(FindPrivateProfileString(HKEY_CURRENT_USER, sub.c_str(), nullptr, "d", text, sizeof text),
              LONG(sub.size()));
    EXPECT_EQ(text, sub);
    EXPECT_EQ(FindPrivateProfileString(HKEY_CURRENT_USER, (sub + "\\Nope").c_str(), nullptr, "d", text, 520), 0);
    EXPECT_STREQ(text, "d");
    EXPECT_EQ(FindPrivateProfileString(HKEY_CURRENT_USER, sub.c_str(), "dword", "d", text, sizeof text), -1);
    EXPECT_STREQ(text, "d");
    EXPECT_EQ(FindPrivateProfileString(HKEY_CURRENT_USER, sub.c_str(), "expand", "d", text, sizeof text), 15);
    EXPECT_STREQ(text, "%SystemRoot%\\x");
    EXPECT_EQ(FindPrivateProfileInt(HKEY_CURRENT_USER, sub.c_str(), "dword", 0), 42);
}

TEST_F(RegistryStore, LongTextsAreCutAtAWholeCharacter) {
    const std::string value = std::string(518, 'a') + sjis("表");  // 520 bytes
    product.set("Cut", "v", value);
    GuardedBuffer buffer(520);
    EXPECT_EQ(FindPrivateProfileString(HKEY_CURRENT_USER, (product / "Cut").c_str(), "v", "", buffer, 520), 519);
    EXPECT_EQ(buffer.str(), std::string(518, 'a'));
    GuardedBuffer small(8);  // the default is cut the same way
    EXPECT_EQ(FindPrivateProfileString(HKEY_CURRENT_USER, "Nope", "v", sjis("ソソソソソ").c_str(), small, 8), 0);
    EXPECT_EQ(small.str(), sjis("ソソソ"));
    SetPrivateProfileString(HKEY_CURRENT_USER, (product / "Cut").c_str(), "w", "abcdef", 3);
    EXPECT_EQ(raw_value(HKEY_CURRENT_USER, product / "Cut", "w"), std::string("abc", 4)) << "length bytes and a NUL";
}

TEST_F(RegistryStore, NullValueDeletesTheSubkeyAndCallersKeysAreClosed) {
    product.set("Parent\\Child", "x", "1");
    EXPECT_EQ(SetPrivateProfileString(HKEY_CURRENT_USER, (product / "Parent").c_str(), "Child", nullptr, 0), 1);
    EXPECT_FALSE(ferro_test::key_exists(HKEY_CURRENT_USER, product / "Parent\\Child"));
    product.set("Parent", "y", "2");
    HKEY parent = open("Parent");
    ASSERT_TRUE(parent);
    char text[8];
    EXPECT_EQ(FindPrivateProfileString(parent, nullptr, "y", "", text, sizeof text), 2);
    EXPECT_EQ(RegCloseKey(parent), ERROR_INVALID_HANDLE) << "the operation closed the key it was handed";
}

TEST_F(RegistryStore, OtherHivesAreReadOnlyFromVistaOnUnlessAdmin) {
    if (!vista_on()) GTEST_SKIP() << "the rule holds from Windows Vista on";
    // HKEY_LOCAL_MACHINE: nothing is created there.
    const std::string machine = "Software\\FerrolanTest-machine-" + std::to_string(GetCurrentProcessId());
    EXPECT_EQ(SetPrivateProfileString(HKEY_LOCAL_MACHINE, machine.c_str(), "k", "v", 0), 0);
    EXPECT_EQ(SetIntInRegistry(HKEY_LOCAL_MACHINE, machine.c_str(), 0, "i", 1), 0);
    EXPECT_FALSE(ferro_test::key_exists(HKEY_LOCAL_MACHINE, machine));
    // A key the caller opened is another hive too.
    product.set("Own", "keep", "1");
    EXPECT_EQ(SetPrivateProfileString(open(""), "Own", "k", "v", 0), 0);
    EXPECT_EQ(EraseIndividualSectionName(open(""), "Own", "keep"), 0);
    EXPECT_EQ(EraseIndividualSectionName(open(""), "Own", nullptr), 0);
    EXPECT_TRUE(raw_value(HKEY_CURRENT_USER, product / "Own", "keep"));
    SetRegistrySettingForAdmin(1);
    EXPECT_EQ(SetPrivateProfileString(open(""), "Own", "k", "v", 0), 1);
    EXPECT_EQ(raw_value(HKEY_CURRENT_USER, product / "Own", "k"), std::string("v", 2));
}

TEST_F(RegistryStore, WritingPassAndTheCurrentKey) {
    StartIniAccessForWriting(0, 0);
    ASSERT_EQ(SetSectionNameForWriting(0, sjis("書込表").c_str(), 0), 1);
    EXPECT_EQ(WriteStrInInifile(0, "s", "text"), ERROR_SUCCESS);
    EXPECT_EQ(_WriteIntInInifile(0, "i", 9), ERROR_SUCCESS);
    EXPECT_EQ(myWriteProfileString(0, "m", sjis("能").c_str()), 1);
    const std::string section = product / sjis("書込表");
    EXPECT_EQ(raw_value(HKEY_CURRENT_USER, section, "s"), std::string("text", 5));
    EXPECT_EQ(raw_value(HKEY_CURRENT_USER, section, "m"), sjis("能") + '\0');
    EXPECT_EQ(EraseSectionName(nullptr, "s"), 1);
    EXPECT_FALSE(raw_value(HKEY_CURRENT_USER, section, "s"));
    // A section that does not open leaves no current key: nothing lands in the one before.
    const std::string too_long(600, 'x');
    EXPECT_EQ(SetSectionNameForWriting(0, too_long.c_str(), 0), 0);
    EXPECT_EQ(GetKeyNameCodeAsHKEY(), nullptr);
    EXPECT_NE(WriteStrInInifile(0, "s", "lost"), ERROR_SUCCESS);
    EndIniAccessForReading();
    EXPECT_EQ(EraseSectionName(sjis("書込表").c_str(), nullptr), 1);
    EXPECT_FALSE(ferro_test::key_exists(HKEY_CURRENT_USER, section));
}

TEST_F(RegistryStore, ItemHereEndsWhereANameEnds) {
    ferro_test::TempFolder tmp;
    const std::string exe = tmp.file("prog.exe"), gone = tmp / "gone.exe";
    struct Row {
        std::string stored, text;
        LONG mode, must_exist, yes;
    } rows[] = {
        {"prog.exe %1", "prog.exe", 0, 0, 1},
        {"C:\\bin\\PROG.EXE,1", "prog.exe", 0, 0, 1},
        {"prog.exe2 %1", "prog.exe", 0, 0, 0},
        {"\"C:\\a b\\prog.exe\" \"%1\"", "\"C:\\a b\\prog.exe\"", 1, 0, 1},
        {sjis("C:\\表\\能.exe %1"), sjis("能.exe"), 0, 0, 1},
        {"other.exe", "prog.exe", 0, 0, 0},
        {exe + " \"%1\"", exe, 0, 1, 1},
        {gone + " \"%1\"", gone, 0, 1, 0},
    };
    char seen[260] = "";
    LPSTR output = seen;
    EXPECT_EQ(GetItemHereInRegistry(&output), seen);
    for (const Row& row : rows) {
        product.set("Item", nullptr, row.stored);
        EXPECT_EQ(IsItemHereInRegistry(HKEY_CURRENT_USER, (product / "Item").c_str(), nullptr, "", row.mode,
                                       row.text.c_str(), row.must_exist),
                  row.yes)
            << row.stored;
        EXPECT_EQ(seen, row.stored);
    }
    EXPECT_EQ(GetItemHereInRegistry(nullptr), nullptr);
    product.set("Item", "named", "x");
    EXPECT_EQ(IsItemHereInRegistry(HKEY_CURRENT_USER, (product / "Item").c_str(), "named", "", 0, "", 0), 1);
    EXPECT_EQ(IsItemHereInRegistry(HKEY_CURRENT_USER, (product / "Item").c_str(), "none", "", 0, "", 0), 0);
}

// ---- INI file rules

TEST(IniStore, MissingReadOnlyAndNoFile) {
    ferro_test::TempFolder tmp;
    const std::string ini = tmp / "FERRO.INI";
    SetUseInifileInsteadOfRegistry(1);
    char text[32];
    EXPECT_EQ(FindPrivateProfileString(nullptr, "S", "k", "d", text, sizeof text), 0) << "no file chosen";
    EXPECT_STREQ(text, "d");
    SaveFerroInifile(ini.c_str());
    EXPECT_EQ(FindPrivateProfileString(nullptr, "S", "k", "dd", text, sizeof text), 2) << "a missing file: the default";
    EXPECT_EQ(SetPrivateProfileString(nullptr, "S", "k", "v", 0), 1);
    EXPECT_EQ(ferro_test::read_file(ini), "[S]\r\nk=v\r\n");
    // HKEY_CLASSES_ROOT is the section "Extensions".
    EXPECT_EQ(_SetPrivateProfileInt(HKEY_CLASSES_ROOT, ".txt", "n", 3), 1);
    EXPECT_EQ(FindPrivateProfileInt(HKEY_CLASSES_ROOT, "anything", "n", 0), 3);
    LPCSTR section = ".txt";
    HKEY hive = HKEY_CURRENT_USER;
    EXPECT_EQ(GetSectionParameters(&hive, HKEY_CLASSES_ROOT, &section, "Prefix"), 10);
    EXPECT_STREQ(section, "Extensions");
    EXPECT_EQ(hive, nullptr);
    // A read-only file is not written and stays as it was.
    const std::string before = ferro_test::read_file(ini);
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(SetPrivateProfileString(nullptr, "S", "k", "changed", 0), 0);
    EXPECT_EQ(SetIntInRegistry(nullptr, "S", 0, "i", 1), 0);
    EXPECT_EQ(ferro_test::read_file(ini), before);
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    // No file at all: nothing is written anywhere (not to WIN.INI).
    SaveFerroInifile(nullptr);
    EXPECT_EQ(SetPrivateProfileString(nullptr, "S", "k", "v", 0), 0);
    EXPECT_EQ(FindPrivateProfileInt(nullptr, "S", "k", 7), 7);
    SetUseInifileInsteadOfRegistry(0);
}

// ---- Bad input

TEST(ProfileBadInput, OverlongNamesAreRefusedAndNothingIsReached) {
    const std::string path519(519, 'p'), path520(520, 'p');
    EXPECT_EQ(SetRegistryPath("Software\\Before"), 16);
    EXPECT_EQ(SetRegistryPath(path520.c_str()), 0);
    EXPECT_STREQ(GetRegistryPath(), "Software\\Before");
    EXPECT_EQ(SetRegistryPath(nullptr), 0);
    EXPECT_EQ(SetRegistryPath(path519.c_str()), 520);
    EXPECT_EQ(SaveFerroInifile(path520.c_str()), nullptr);

    struct Row {
        std::string prefix, section;
        int length;
    } rows[] = {
        {"Software\\P", "S", 12},
        {std::string(259, 'a'), std::string(259, 'b'), 519},
        {std::string(260, 'a'), std::string(259, 'b'), 0},
        {"", std::string(520, 's'), 0},
    };
    for (const Row& row : rows) {
        HKEY hive = nullptr;
        LPCSTR section = row.section.c_str();
        EXPECT_EQ(GetSectionParameters(&hive, HKEY_CURRENT_USER, &section, row.prefix.c_str()), row.length);
        EXPECT_EQ(hive, row.length ? HKEY_CURRENT_USER : nullptr);
        if (!row.length) {
            EXPECT_EQ(section, nullptr) << "an unreachable section reaches nothing";
        }
    }
    char text[8] = "x";
    EXPECT_EQ(FindPrivateProfileString(nullptr, nullptr, "k", "d", text, sizeof text), 0);
    EXPECT_EQ(SetPrivateProfileString(nullptr, nullptr, "k", "v", 0), 0);
    EXPECT_EQ(IsRegistyExist(HKEY_CURRENT_USER, path520.c_str(), nullptr, 1), 0);
    EXPECT_EQ(SetSectionNameForReading(path520.c_str()), 0);
    SetRegistryPath("");
}
