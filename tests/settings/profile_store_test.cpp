#include "settings/profile_fixture.h"
#include <cstring>
#include <utility>
#include <vector>
#include "support/guarded_buffer.h"
#include "support/sjis.h"

using ferro_test::GuardedBuffer;
using ferro_test::sjis;

namespace {
const std::string kYenTrail = sjis("表ソ能");

struct TextRow {
    const char* what;
    std::string section, key, value;
    std::string read;  // what a 520-byte buffer receives
};

std::vector<TextRow> text_rows() {
    return {
        {"plain", "General", "Editor", "notepad.exe", "notepad.exe"},
        {"trail 0x5C everywhere", "Sec" + kYenTrail, "Key" + kYenTrail, "C:\\" + kYenTrail + "\\a.txt",
         "C:\\" + kYenTrail + "\\a.txt"},
        {"empty value", "General", "Empty", "", ""},
        {"nested section", "Tree\\" + kYenTrail, "x", "y", "y"},
        {"519 bytes", "Long", "k519", std::string(519, 'a'), std::string(519, 'a')},
        {"520 bytes cut to 519", "Long", "k520", std::string(520, 'b'), std::string(519, 'b')},
    };
}
}  // namespace

// ---- One table of cases, both back-ends, checked in the stored bytes

TEST_P(ProfileFixture, StringsRoundTripAndAreStoredAsTheyAre) {
    for (const TextRow& row : text_rows()) {
        SCOPED_TRACE(row.what);
        const Place at = place(row.section);
        ASSERT_EQ(SetPrivateProfileString(at.hive, at.section.c_str(), row.key.c_str(), row.value.c_str(), 0), 1);
        DWORD type = 0;
        EXPECT_EQ(stored(row.section, row.key, &type), row.value);
        EXPECT_EQ(type, DWORD(REG_SZ));
        GuardedBuffer buffer(520);
        const LONG got = FindPrivateProfileString(at.hive, at.section.c_str(), row.key.c_str(), "def", buffer, 520);
        EXPECT_EQ(buffer.str(), row.read);
        EXPECT_EQ(got, LONG(row.read.size()) + (in_ini() ? 0 : 1));
    }
}

// A section or key ending in half a double-byte character is refused on
// both back-ends: the registry would make a key it can neither walk nor delete.
TEST_P(ProfileFixture, NamesWithABrokenCharacterAreNotWritten) {
    const std::string lone = "Half\x95";
    for (const auto& [section, key] : {std::pair{lone, std::string("k")}, std::pair{std::string("Whole"), lone}}) {
        const Place at = place(section);
        EXPECT_EQ(SetPrivateProfileString(at.hive, at.section.c_str(), key.c_str(), "v", 0), 0) << section << key;
        EXPECT_EQ(_SetPrivateProfileInt(at.hive, at.section.c_str(), key.c_str(), 1), 0);
        EXPECT_FALSE(stored(section, key));
    }
}

TEST_P(ProfileFixture, IntegersAndTextThatIsNoNumber) {
    const Place at = place("Numbers");
    ASSERT_EQ(_SetPrivateProfileInt(at.hive, at.section.c_str(), "n", -7), 1);
    DWORD type = 0;
    EXPECT_EQ(stored("Numbers", "n", &type), "-7");
    EXPECT_EQ(type, DWORD(in_ini() ? REG_SZ : REG_DWORD));
    EXPECT_EQ(FindPrivateProfileInt(at.hive, at.section.c_str(), "n", 5), -7);
    EXPECT_EQ(IsIntHereInRegistry(at.hive, at.section.c_str(), "n"), 1);
    EXPECT_EQ(FindPrivateProfileInt(at.hive, at.section.c_str(), "missing", 5), 5);
    EXPECT_EQ(IsIntHereInRegistry(at.hive, at.section.c_str(), "missing"), 0);
    SetPrivateProfileString(at.hive, at.section.c_str(), "word", "abc", 0);
    EXPECT_EQ(FindPrivateProfileInt(at.hive, at.section.c_str(), "word", 5), 5) << "not a number: the default";
    // An integer read where a text is expected: the registry says so (-1) and gives the default.
    char text[16];
    const LONG got = FindPrivateProfileString(at.hive, at.section.c_str(), "n", "d", text, sizeof text);
    EXPECT_EQ(got, in_ini() ? 2 : -1);
    EXPECT_STREQ(text, in_ini() ? "-7" : "d");
}

TEST_P(ProfileFixture, ChangeDetectingWritesWriteOnlyWhatChanged) {
    const Place at = place("Changes");
    const char* s = at.section.c_str();
    EXPECT_EQ(IsIntInRegistryAltered(at.hive, s, 3, "i", 3), 0) << "absent: the default counts";
    EXPECT_EQ(SetIntInRegistry(at.hive, s, 0, "i", 7), 1);
    EXPECT_EQ(SetIntInRegistry(at.hive, s, 0, "i", 7), 0);
    EXPECT_EQ(mySetIntInRegistry(at.hive, s, 0, "i", 8), 1);
    EXPECT_EQ(stored("Changes", "i"), "8");
    EXPECT_EQ(IsIntInRegistryAltered(at.hive, s, 0, "i", 8), 0);
    EXPECT_EQ(SetIntInRegistry(at.hive, s, 0, "zero", 0), 1) << "absent even when equal to the default";

    EXPECT_EQ(SetStrInRegistry(at.hive, s, "", "t", "ABC"), 1);
    EXPECT_EQ(SetStrInRegistry(at.hive, s, "", "t", "abc"), 0) << "equal without regard to case";
    EXPECT_EQ(stored("Changes", "t"), "ABC");
    EXPECT_EQ(IsStrInRegistryAltered(at.hive, s, "", "t", "aBc"), 0);
    EXPECT_EQ(mySetStrInRegistry(at.hive, s, "", "t", kYenTrail.c_str()), 1);
    EXPECT_EQ(stored("Changes", "t"), kYenTrail);
    EXPECT_EQ(SetStrInRegistry(at.hive, s, "", "nothing", nullptr), 1);
    EXPECT_EQ(stored("Changes", "nothing"), "");
}

TEST_P(ProfileFixture, ExistenceListingAndErasing) {
    const Place at = place("Erase" + kYenTrail);
    const char* s = at.section.c_str();
    EXPECT_EQ(IsRegistyExist(at.hive, s, nullptr, 0), 0);
    SetPrivateProfileString(at.hive, s, "one", "1", 0);
    _SetPrivateProfileInt(at.hive, s, "two", 2);
    EXPECT_EQ(IsRegistyExist(at.hive, s, nullptr, 0), 1);
    EXPECT_EQ(IsRegistyExist(at.hive, s, "two", 0), 1) << "an integer exists too";
    EXPECT_EQ(myIsRegistyExist(("Erase" + kYenTrail).c_str(), "one", 1), 1) << "relative to the product key";

    char names[64];
    EXPECT_EQ(ListAllSubkeysSeparatedByZero(at.hive, s, names, sizeof names, 0), 2);
    EXPECT_EQ(std::string(names, 8), std::string("one\0two\0", 8));
    EXPECT_EQ(ListAllSubkeysSeparatedByZero(at.hive, s, names, sizeof names, 1), 1);
    EXPECT_EQ(std::string(names, 5), std::string("one\0\0", 5));
    EXPECT_EQ(ListAllSubkeysSeparatedByZero(at.hive, s, names, 6, 0), 1) << "what does not fit is left out";

    EXPECT_EQ(EraseIndividualSectionName(at.hive, s, "one"), 1);
    EXPECT_FALSE(stored("Erase" + kYenTrail, "one"));
    EXPECT_EQ(EraseIndividualSectionNameIfExist(at.hive, s, "one"), 0);
    EXPECT_EQ(EraseIndividualSectionNameIfExist(at.hive, s, "two"), 1);
    SetPrivateProfileString(at.hive, s, "three", "3", 0);
    EXPECT_EQ(myEraseIndividualSectionName(at.hive, s, nullptr), 1);
    EXPECT_EQ(IsRegistyExist(at.hive, s, nullptr, 0), 0);
    EXPECT_FALSE(stored("Erase" + kYenTrail, "three"));
}

TEST_P(ProfileFixture, ReadingPassOfTheCurrentSection) {
    const Place at = place("Pass");
    SetPrivateProfileString(at.hive, at.section.c_str(), "Name", kYenTrail.c_str(), 0);
    _SetPrivateProfileInt(at.hive, at.section.c_str(), "Size", 12);
    StartIniAccessForReading(0);
    ASSERT_EQ(SetSectionNameForReading("Pass"), 1);
    char text[520];
    EXPECT_GT(myGetPrivateProfileString("Name", "d", text, sizeof text), 0);
    EXPECT_EQ(text, kYenTrail);
    EXPECT_EQ(myGetPrivateProfileInt("Size", 0), 12);
    EXPECT_EQ(myGetPrivateProfileInt("Missing", 4), 4);
    EXPECT_EQ(myGetPrivateProfileString("Missing", "d", text, sizeof text), in_ini() ? 1 : 0) << "the platform's count";
    EXPECT_STREQ(text, "d");
    std::memset(text, 'x', sizeof text);
    EXPECT_GT(myGetPrivateProfileString(nullptr, "", text, sizeof text), 0) << "a null key lists the names";
    EXPECT_EQ(std::string(text, 11), std::string("Name\0Size\0\0", 11));
    EndIniAccessForReading();
    if (!in_ini()) {
        EXPECT_EQ(myGetPrivateProfileString("Name", "d", text, sizeof text), 0) << "the key is closed";
    }
}

INSTANTIATE_TEST_SUITE_P(BothStores, ProfileFixture, testing::Values(Store::registry, Store::ini), store_name);
