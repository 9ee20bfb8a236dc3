#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <cstring>
#include <memory>
#include <string>
#include <vector>
#include "programs/file_types.h"
#include "settings/profile.h"
#include "support/registry_keys.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using ferro_test::OwnedKey;
using ferro_test::raw_value;

namespace {
const std::string kClasses = "Software\\Classes\\";
const std::string kFileExts = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";

// A name no other program uses: the test's own extension and types.
std::string unique(const char* stem) { return stem + std::to_string(GetCurrentProcessId()); }

std::vector<std::string> entries_of(const char* list) {
    std::vector<std::string> entries;
    for (const char* p = list; *p; p += std::strlen(p) + 1) entries.emplace_back(p);
    return entries;
}

// Keys of the test, made before anything is written into them and removed at the end.
struct Keys {
    std::vector<std::unique_ptr<OwnedKey>> owned;
    const OwnedKey& make(const std::string& path) {
        owned.push_back(std::make_unique<OwnedKey>(path));
        return *owned.back();
    }
};
}  // namespace

TEST(Associations, CommandsOfTheTypeTheAlternativesAndTheUsersChoices) {
    const std::string ext = std::string(".") + unique("fert"), stem = ext.substr(1), doc = unique("Fert.Doc"),
                      alt = unique("Fert.Alt"), user = unique("Fert.User"), viewer = unique("fert-viewer") + ".exe";
    Keys keys;
    const OwnedKey& extension = keys.make(kClasses + ext);
    extension.set("", nullptr, doc);
    extension.set("OpenWithProgids", doc.c_str(), "");
    extension.set("OpenWithProgids", alt.c_str(), "");
    extension.set("shell\\open\\command", nullptr, "ext.exe %1");
    keys.make(kClasses + stem + "file").set("shell\\open\\command", nullptr, "first.exe \"%1\"");
    const OwnedKey& type = keys.make(kClasses + doc);
    type.set("shell\\open\\command", nullptr, "\"C:\\Program Files\\Doc\\doc.exe\" \"%1\"");
    type.set("shell\\edit\\command", nullptr, "doc.exe /e %1");
    type.set("shell\\print\\command", nullptr, "doc.exe /p %1");  // not a verb commands are read for
    const OwnedKey& other = keys.make(kClasses + alt);
    other.set("shell\\open\\command", nullptr, "\"C:\\PROGRAM FILES\\Doc\\doc.exe\" \"%1\"");  // the same: once
    other.set("shell\\Read\\command", nullptr, "reader.exe %1");
    keys.make(kClasses + user).set("shell\\open\\command", nullptr, "user.exe %1");
    keys.make(kClasses + "Applications\\" + viewer).set("shell\\open\\command", nullptr, "viewer.exe %1");
    const OwnedKey& choices = keys.make(kFileExts + ext);
    choices.set("", "Progid", user);
    choices.set("OpenWithList", "a", viewer);
    choices.set("OpenWithList", "MRUList", "a");

    std::vector<char> list(4096, 'x');
    const std::string name = "C:\\dir\\" + ferro_test::sjis("表") + "a" + ext;
    EXPECT_EQ(IsFileRelatedByRegistry(list.data(), DWORD(list.size()), name.c_str()), 6);
    const std::vector<std::string> expected = {
        "first.exe\t\"%1\" ^" + stem + "file|open",
        "doc.exe\t/e %1 ^" + doc + "|edit",
        "C:\\Program Files\\Doc\\doc.exe\t\"%1\" ^" + doc + "|open",
        "reader.exe\t%1 ^" + alt + "|Read",
        "user.exe\t%1 ^" + user + "|open",
        "viewer.exe\t%1 ^Applications\\" + viewer + "|open",
        "ext.exe\t%1 ^" + ext + "|open",
    };
    EXPECT_EQ(entries_of(list.data()), expected);

    EXPECT_EQ(IsFileRelatedByRegistry(list.data(), 40, name.c_str()), 6);
    EXPECT_EQ(entries_of(list.data()), std::vector<std::string>(expected.begin(), expected.begin() + 1))
        << "entries that do not fit are left out";
    EXPECT_EQ(IsFileRelatedByRegistry(nullptr, 0, ("\"" + name + "\"").c_str()), 6) << "a temporary list";
    EXPECT_EQ(IsFileRelatedByRegistry(list.data(), DWORD(list.size()), "C:\\dir\\noextension"), 0);
    EXPECT_EQ(list[0], '\0');

    char work[520];
    EXPECT_EQ(IsFileRelatedByRegistryForFerro(list.data(), DWORD(list.size()), name.c_str(), 1, work), 7);
    EXPECT_EQ(entries_of(list.data())[0], "first.exe \"%1\"") << "as the registry holds it";
    EXPECT_EQ(work, doc);

    // The listing of all extensions finds this one with the verbs the dialog selected.
    LONG found = 0, index = 0;
    char listed[520];
    while ((index = myDirectGetFileExtensionSystemProfileString(list.data(), DWORD(list.size()), index, listed,
                                                                &found)) >= 0)
        if (listed == ext) break;
    ASSERT_GE(index, 0);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(entries_of(list.data()),
              (std::vector<std::string>{doc, expected[1], expected[2], expected.back()}));
    EXPECT_EQ(FreeRegKeyMemory(), 1);
}

TEST(Associations, WrittenToTheUsersClassesAndReadBack) {
    ferro_test::TempFolder tmp;
    const std::string program = tmp.file("my prog.exe");
    const std::string ext = std::string(".") + unique("fertw"), type = unique("FertW.Type");
    Keys keys;
    keys.make(kClasses + ext);
    keys.make(kClasses + type);
    EXPECT_EQ(SetAssociatedExtForExecuteFileInRegistry(program.c_str(), "/x \"%1\"", ext.c_str(), type.c_str(), 0), 1);
    EXPECT_EQ(raw_value(HKEY_CURRENT_USER, kClasses + ext, nullptr), type + '\0');
    EXPECT_EQ(raw_value(HKEY_CURRENT_USER, kClasses + type + "\\shell\\open\\command", nullptr),
              "\"" + program + "\" /x \"%1\"" + '\0');
    EXPECT_EQ(SetAssociatedExtForExecuteFileInRegistry(program.c_str(), "", ext.c_str(), type.c_str(), 0), 0)
        << "the program opens these files already";
    EXPECT_EQ(SetAssociatedExtForExecuteFileInRegistry(program.c_str(), "", ext.c_str(), type.c_str(), 1), 1);
    EXPECT_EQ(SetAssociatedExtForExecuteFileInRegistry("", "", ext.c_str(), type.c_str(), 1), -1);
    std::vector<char> list(1024);
    ASSERT_EQ(IsFileRelatedByRegistry(list.data(), DWORD(list.size()), ("a" + ext).c_str()), 1);
    EXPECT_EQ(std::string(list.data()), program + "\t ^" + type + "|open");

    const std::string own = unique("fertm");
    keys.make(kClasses + "." + own);
    keys.make(kClasses + own + "file");
    EXPECT_EQ(myWriteFileExtensionSystemProfileString(nullptr, own.c_str(), program.c_str(), nullptr), 1);
    EXPECT_EQ(raw_value(HKEY_CURRENT_USER, kClasses + "." + own, nullptr), own + "file" + '\0');
    EXPECT_EQ(raw_value(HKEY_CURRENT_USER, kClasses + own + "file", nullptr), own + ferro_test::sjis("ファイル") + '\0');
    EXPECT_EQ(raw_value(HKEY_CURRENT_USER, kClasses + own + "file\\shell\\open\\command", nullptr),
              program + " \"%1\"" + '\0');
    EXPECT_EQ(myWriteFileExtensionSystemProfileString(nullptr, own.c_str(), nullptr, nullptr), 1);
    EXPECT_FALSE(ferro_test::key_exists(HKEY_CURRENT_USER, kClasses + "." + own));
    EXPECT_FALSE(ferro_test::key_exists(HKEY_CURRENT_USER, kClasses + own + "file"));
}

TEST(Associations, FindExecutableAnswersForAProgram) {
    ferro_test::TempFolder tmp;
    const std::string program = tmp.file("tool.exe", "MZ");
    char buffer[520];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_GT(IsFileRelatedByFindExecutable(buffer, sizeof buffer, program.c_str(), 0), 32);
    EXPECT_EQ(std::string(buffer, program.size() + 2), program + std::string(2, '\0'));
    EXPECT_EQ(IsFileRelatedByFindExecutable(buffer, DWORD(program.size() + 1), program.c_str(), 2), 0)
        << "no room for the extra NUL";
    EXPECT_EQ(IsFileRelatedByFindExecutable(buffer, sizeof buffer, (tmp / "none.exe").c_str(), 0), SE_ERR_FNF);
    EXPECT_EQ(IsFileRelatedByFindExecutable(buffer, sizeof buffer, nullptr, 0), SE_ERR_FNF);
}
