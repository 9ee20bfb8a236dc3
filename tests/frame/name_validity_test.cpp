// Forbidden characters, drive parts and the name-length rules of file and
// folder names, and the boxes that report a bad name.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "error_box_fixture.h"
#include "frame/name_validity.h"
#include "support/guarded_buffer.h"

using error_test::message;
using ferro_test::GuardedBuffer;
using ferro_test::MessageBoxRecorder;
using ferro_test::sjis;
using ferro_test::utf8;

namespace {
enum class Lengths { long_names, short_names };

class NameValidity : public testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset() {
        error_test::reset_box_state();
        SetBadCharacters(1);
        AllowForbiddenWord(0);
        OnlyFileNameOnlyForIsBadFname(0);
        SetWithoutMessageForIsBadDirName(0);
        SetLengthForLongNameByForce(1);
        SetCharacterSet(0);
    }
    // Long names: the 8-character list and folder names of up to 255 bytes.
    // Short names: the 15-character list and the 8.3 lengths (folder names 12).
    static void use(Lengths lengths, int bad_characters_mode) {
        SetBadCharacters(bad_characters_mode);
        if (lengths == Lengths::short_names) {
            SetLengthForLongNameByForce(0);
            SetCharacterSet(4);  // 4 and more without bit 3: short names
            ASSERT_EQ(12, GetDosDirlen());
        } else {
            ASSERT_EQ(255, GetDosDirlen());
        }
    }
};

// ---- Forbidden characters
TEST_F(NameValidity, EachForbiddenCharacterOfBothLists) {
    const std::string long_list = "*?<>/:\"|", short_list = "*?.<>=+/[];:,\"|";
    for (int mode : {1, 0}) {
        SetBadCharacters(mode);
        const std::string& list = mode == 1 ? long_list : short_list;
        for (int c = 1; c < 128; ++c) {
            std::string name = "ab" + std::string(1, char(c)) + "cd";
            bool bad = list.find(char(c)) != std::string::npos;
            EXPECT_EQ(bad ? -1 : 0, IsCharInvalid(nullptr, name.c_str(), 0)) << mode << " " << c;
            EXPECT_EQ(bad ? c : 0, GetBadCharacterAtIsCharInvalid());
        }
    }
}

TEST_F(NameValidity, FirstCharacterOfTheListIsRecorded) {
    // '|' comes before '?' in the name, but '?' comes first in the list.
    EXPECT_EQ(-1, IsCharInvalid(nullptr, "a|b?c", 0));
    EXPECT_EQ('?', GetBadCharacterAtIsCharInvalid());
    EXPECT_EQ(0, IsCharInvalid(nullptr, "abc", 0));
    EXPECT_EQ(0, GetBadCharacterAtIsCharInvalid());
    EXPECT_EQ(0, IsCharInvalid(nullptr, nullptr, 1));
    EXPECT_EQ(0, IsCharInvalid(nullptr, "", 1));
}

TEST_F(NameValidity, SkipCountAllowsWildcards) {
    EXPECT_EQ(2, AllowForbiddenWord(2));
    EXPECT_EQ(0, IsCharInvalid(nullptr, "a*b?.txt", 0));
    EXPECT_EQ(-1, IsCharInvalid(nullptr, "a*b<.txt", 0));
    EXPECT_EQ('<', GetBadCharacterAtIsCharInvalid());
    EXPECT_EQ(1, AllowForbiddenWord(1));
    EXPECT_EQ(-1, IsCharInvalid(nullptr, "a*b?", 0));
    EXPECT_EQ('?', GetBadCharacterAtIsCharInvalid());
    // Kept within the list: everything allowed, nothing skipped.
    EXPECT_EQ(8, AllowForbiddenWord(99));
    EXPECT_EQ(0, IsCharInvalid(nullptr, "*?<>/:\"|", 0));
    EXPECT_EQ(0, AllowForbiddenWord(-3));
    EXPECT_EQ(-1, IsCharInvalid(nullptr, "*", 0));
}

// Trail bytes are never taken for forbidden characters: ポ (83 7C), ゼ (83 5B)
// and ゾ (83 5D) carry '|', '[' and ']' as their second byte.
TEST_F(NameValidity, TrailBytesAreNotForbiddenCharacters) {
    SetBadCharacters(0);
    const std::string trail_7c = "\x83\x7c", trail_5b = "\x83\x5b", trail_5d = "\x83\x5d";
    for (const std::string& name : {sjis("表ソ能"), trail_7c, trail_5b, trail_5d, sjis("ｿﾌﾄ")})
        EXPECT_EQ(0, IsCharInvalid(nullptr, name.c_str(), 0)) << utf8(name);
    EXPECT_EQ(-1, IsCharInvalid(nullptr, (trail_7c + "|").c_str(), 0));
}

// ---- Drive part
TEST_F(NameValidity, DrivePartTests) {
    struct Row { const char* path; int head, second, third; } rows[] = {
        {"C:\\dir", 1, 1, 1},
        {"c:\\", 1, 1, 1},
        {"C:dir", 1, 1, 0},
        {"1:\\", 0, 1, 1},
        {"CC\\", 1, 0, 1},
        {"\\\\server\\share", 32, 32, 1},
        {"\\:\\server", 16, 16, 1},
        {"\\dir", 0, 0, 0},
        {"C", 1, 0, 0},
        {"", 0, 0, 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.head, IsHeadCharacterValid(r.path)) << r.path;
        EXPECT_EQ(r.second, IsSecondCharacterValid(r.path)) << r.path;
        EXPECT_EQ(r.third, IsThirdCharacterValid(r.path)) << r.path;
    }
    EXPECT_EQ(0, IsHeadCharacterValid(nullptr));
    // A full-width letter is a letter; its trail byte is no colon.
    EXPECT_EQ(1, IsHeadCharacterValid(sjis("Ｃ:\\").c_str()));
    EXPECT_EQ(0, IsSecondCharacterValid(sjis("Ｃ:\\").c_str()));
    EXPECT_EQ(0, IsHeadCharacterValid(sjis("表:\\").c_str()));
    // ソ is 83 5C: its trail byte at the third position is not a yen mark.
    EXPECT_EQ(0, IsThirdCharacterValid(("C" + sjis("ソ")).c_str()));
}

// ---- File names
struct FileRow {
    const char* name;  // UTF-8
    int long_mode;     // long names, mode 1
    int short_mode;    // 8.3 lengths, mode 0, skip 3 (star, question mark and period allowed)
};

TEST_F(NameValidity, FileNameTable) {
    const FileRow rows[] = {
        {"readme.txt", 0, 0},
        {"README", 0, 0},
        {"abcdefgh.txt", 0, 0},
        {"abcdefghi.txt", 0, 0},       // the base is checked against 12 bytes, not 8
        {"abcdefghijkl.txt", 0, 0},    // 12
        {"abcdefghijklm.txt", 0, -9},  // 13
        {"abcdefghijklm", 0, -9},
        {"name.", 0, 0},               // a period at the end: no extension
        {".profile", -1, -1},
        {"a.verylongextension", 0, 0}, // file extensions 1 to 256 bytes
        {"a:b", -1, -1},
        {"a=b.txt", 0, -1},
        {"a.b=c", 0, -1},              // the extension gets the character test too
        {"ab.cd.ef", 0, 0},
        {"abcdefghi.cd.ef", 0, -9},    // base "abcdefghi.cd": its own base is 9 bytes
        {"ab.cdef.gh", 0, -11},        // base "ab.cdef": its extension is 4 bytes
        {"表表表表.txt", 0, 0},        // 8 bytes of double-byte characters
        {"表表表表表表.txt", 0, 0},    // 12 bytes
        {"表表表表表表ソ.txt", 0, -9}, // 14 bytes
        {"能\\", 0, 0},                // checked as a file name only (see below)
    };
    for (const FileRow& r : rows) {
        const std::string name = sjis(r.name);
        reset();
        use(Lengths::long_names, 1);
        OnlyFileNameOnlyForIsBadFname(1);
        EXPECT_EQ(r.long_mode, IsBadFname(nullptr, name.c_str(), 0)) << "long: " << r.name;
        reset();
        use(Lengths::short_names, 0);
        AllowForbiddenWord(3);
        OnlyFileNameOnlyForIsBadFname(1);
        EXPECT_EQ(r.short_mode, IsBadFname(nullptr, name.c_str(), 0)) << "short: " << r.name;
    }
}

TEST_F(NameValidity, FileNameLengthBoundariesInLongMode) {
    // 255 bytes of base name pass, 256 do not; double-byte characters count two bytes.
    std::string base(255, 'a');
    EXPECT_EQ(0, IsBadFname(nullptr, (base + ".txt").c_str(), 0));
    EXPECT_EQ(-9, IsBadFname(nullptr, (base + "a.txt").c_str(), 0));
    std::string kanji;
    while (kanji.size() < 254) kanji += sjis("表");
    EXPECT_EQ(0, IsBadFname(nullptr, (kanji + "a").c_str(), 0));
    EXPECT_EQ(-9, IsBadFname(nullptr, (kanji + sjis("能")).c_str(), 0));
    // Extension of 256 bytes passes, 257 gives -11.
    EXPECT_EQ(0, IsBadFname(nullptr, ("a." + std::string(256, 'e')).c_str(), 0));
    EXPECT_EQ(-11, IsBadFname(nullptr, ("a." + std::string(257, 'e')).c_str(), 0));
    // A name that does not fit a path buffer at all.
    EXPECT_EQ(-9, IsBadFname(nullptr, std::string(600, 'a').c_str(), 0));
    EXPECT_EQ(-1, IsBadFname(nullptr, "", 0));
    EXPECT_EQ(-1, IsBadFname(nullptr, nullptr, 0));
}

TEST_F(NameValidity, FullPathsCheckDrivePartAndFolders) {
    SetWithoutMessageForIsBadDirName(0);
    EXPECT_EQ(0, IsBadFname(nullptr, "C:\\dir\\file.txt", 0));
    EXPECT_EQ(0, IsBadFname(nullptr, "C:\\file.txt", 0));
    EXPECT_EQ(0, IsBadFname(nullptr, sjis("C:\\表\\ソ\\能.txt").c_str(), 0));
    EXPECT_EQ(0, IsBadFname(nullptr, "\\\\server\\share\\file.txt", 0));
    // A yen mark without a drive part: 1, with the yen mark as the bad character.
    EXPECT_EQ(1, IsBadFname(nullptr, "dir\\file.txt", 0));
    EXPECT_EQ('\\', GetBadCharacterAtIsCharInvalid());
    // Folder part failures keep their code when no box is asked for.
    EXPECT_EQ(-16, IsBadFname(nullptr, "C:\\a\\\\b\\file.txt", 0));
    EXPECT_EQ(-1, IsBadFname(nullptr, "C:\\a>b\\file.txt", 0));
    // With only the file name checked, the folder part is ignored, once.
    OnlyFileNameOnlyForIsBadFname(1);
    EXPECT_EQ(0, IsBadFname(nullptr, "dir\\file.txt", 0));
    EXPECT_EQ(1, IsBadFname(nullptr, "dir\\file.txt", 0));
    // A trail byte 0x5C is no separator: 表 alone is a file name.
    OnlyFileNameOnlyForIsBadFname(1);
    EXPECT_EQ(0, IsBadFname(nullptr, sjis("表.txt").c_str(), 0));
    EXPECT_EQ(0, IsBadFname(nullptr, sjis("表.txt").c_str(), 0));
}

// ---- Folder names
struct DirRow {
    const char* path;
    int check_drive;
    int long_mode;
    int short_mode;  // 8.3 lengths, mode 0, skip 3
};

TEST_F(NameValidity, FolderNameTable) {
    const DirRow rows[] = {
        {"C:\\", 1, 0, 0},
        {"\\\\server\\share", 1, 0, 0},
        {"C:\\dir", 1, 0, 0},
        {"C:\\dir\\sub", 1, 0, 0},
        {"C:\\\\dir", 1, -16, -16},
        {"C:\\a\\\\b", 1, -16, -16},
        {"C:", 1, -16, -16},
        {"dir", 1, -16, -16},
        {"dir\\sub", 0, 0, 0},
        {"..\\..\\dir", 1, 0, 0},          // checked after the last ..\ without the drive part
        {"C:\\a|b", 1, -1, -1},
        {"C:\\ABCD.EFGH", 1, 0, -11},      // 9 bytes with a 4-letter extension
        {"C:\\ABCDEFGHI.EF", 1, 0, -9},
        {"C:\\ABCDEFGH.EFG", 1, 0, 0},
        {"C:\\ABCDEFGHIJKLMNO", 1, 0, 0},  // 15: the limit without extension is 12 + 3
        {"C:\\ABCDEFGHIJKLMNOP", 1, 0, -8},
        {"C:\\ABCDEFGHIJKLM.NOP", 1, 0, -8}, // 17 > 12 + 4
        {"C:\\ABCDEFGHIJKL.NOP", 1, 0, -9},  // 16 fits, but its base has 12 bytes
        {"C:\\表表表表.ソ", 1, 0, 0},
        {"C:\\表表表表表.ソ", 1, 0, -9},
        {"C:\\能\\ソ\\表", 1, 0, 0},
    };
    for (const DirRow& r : rows) {
        const std::string path = sjis(r.path);
        reset();
        SetWithoutMessageForIsBadDirName(1);
        use(Lengths::long_names, 1);
        EXPECT_EQ(r.long_mode, IsBadDirName(nullptr, path.c_str(), r.check_drive)) << "long: " << r.path;
        reset();
        SetWithoutMessageForIsBadDirName(1);
        use(Lengths::short_names, 0);
        AllowForbiddenWord(3);
        EXPECT_EQ(r.short_mode, IsBadDirName(nullptr, path.c_str(), r.check_drive)) << "short: " << r.path;
    }
}

TEST_F(NameValidity, FolderComponentLengthBoundaries) {
    SetWithoutMessageForIsBadDirName(1);
    EXPECT_EQ(0, IsBadDirName(nullptr, ("C:\\" + std::string(255, 'a')).c_str(), 1));
    EXPECT_EQ(-8, IsBadDirName(nullptr, ("C:\\" + std::string(256, 'a')).c_str(), 1));
    EXPECT_EQ(-8, IsBadDirName(nullptr, ("C:\\" + std::string(600, 'a')).c_str(), 1));
    EXPECT_EQ(-15, IsBadDirName(nullptr, "", 1));
    EXPECT_EQ(-15, IsBadDirName(nullptr, nullptr, 1));
    // A full 519-byte path of short components in a guarded buffer.
    std::string path = "C:";
    const std::string component = "\\" + sjis("表");
    while (path.size() + 3 <= 519) path += component;
    while (path.size() < 519) path += 'a';
    GuardedBuffer guarded(520);
    guarded.assign(path);
    EXPECT_EQ(0, IsBadDirName(nullptr, guarded, 1));
}

// ---- The period-aware shortening
TEST_F(NameValidity, ShorteningKeepsThePeriodAndTheLimit) {
    struct Row { const char* name; int limit; const char* want; } rows[] = {
        {"abcdefghij", 8, "abcdefgh"},
        {"abc", 8, "abc"},
        {"abcdefghij.txt", 8, "abcd.txt"},
        {"abcdefghij.", 8, "abcdefg."},
        {"a.verylong", 5, "a.ver"},
        {"abcdefghij.verylong", 5, "a.ver"},
        {"表表表表表.txt", 8, "表表.txt"},
        {"表表表表表.txt", 7, "表.txt"},   // never half a character
        {"表表表表表", 5, "表表"},
        {".profile", 4, ".pro"},
        {"ab.c", 1, "."},
    };
    for (const auto& r : rows) {
        std::string name = sjis(r.name);
        GuardedBuffer buf(name.size() + 1);
        buf.assign(name);
        EXPECT_EQ(buf.data(), GetLongerDirectoryWithPeriod(buf, r.limit)) << r.name;
        EXPECT_EQ(sjis(r.want), std::string(buf.str())) << r.name << " " << r.limit;
        EXPECT_LE(buf.str().size(), size_t(r.limit));
    }
    char name[] = "abc";
    EXPECT_EQ(nullptr, GetLongerDirectoryWithPeriod(name, 0));
    EXPECT_STREQ("abc", name);
    EXPECT_EQ(nullptr, GetLongerDirectoryWithPeriod(nullptr, 5));
}

TEST_F(NameValidity, FileNameBoxes) {
    MessageBoxRecorder boxes;
    boxes.answer_all(IDOK);
    EXPECT_EQ(1, IsBadFname(nullptr, "a?b.txt", 1));
    EXPECT_EQ(1, IsBadFname(nullptr, ".hidden", 1));
    EXPECT_EQ(1, IsBadFname(nullptr, "dir\\x.txt", 1));
    use(Lengths::short_names, 0);
    AllowForbiddenWord(3);
    OnlyFileNameOnlyForIsBadFname(1);
    EXPECT_EQ(1, IsBadFname(nullptr, "abcdefghijklm.txt", 1));
    OnlyFileNameOnlyForIsBadFname(1);
    EXPECT_EQ(1, IsBadFname(nullptr, "x.ab.cdef.gh", 3));
    ASSERT_EQ(5u, boxes.boxes().size());
    EXPECT_EQ("'?' in  \"a?b.txt\": " + message(8071), boxes.boxes()[0].text);
    EXPECT_EQ("'.' in  \".hidden\": " + message(8071), boxes.boxes()[1].text);
    EXPECT_EQ("'\\' in  \"dir\\x.txt\": " + message(8071), boxes.boxes()[2].text);
    EXPECT_EQ("\"abcdefghijklm.txt\": " + sjis("...指定した名前が長すぎます。８文字以内ですか？"), boxes.boxes()[3].text);
    EXPECT_EQ(sjis("ﾌｧｲﾙ名不正"), boxes.boxes()[3].caption);
    EXPECT_EQ("\"x.ab.cdef.gh\": " + sjis("...指定した拡張子名が長すぎます。３文字以内ですか？"), boxes.boxes()[4].text);
    EXPECT_EQ(sjis("ﾌｫﾙﾀﾞ名不正"), boxes.boxes()[4].caption);
    for (const auto& box : boxes.boxes()) EXPECT_EQ(UINT(MB_ICONEXCLAMATION), box.style & MB_ICONMASK);
}

TEST_F(NameValidity, FolderNameBoxes) {
    MessageBoxRecorder boxes;
    boxes.answer_all(IDOK);
    EXPECT_EQ(1, IsBadDirName(nullptr, "", 1));
    EXPECT_EQ(1, IsBadDirName(nullptr, "C:\\a\\\\b", 1));
    EXPECT_EQ(1, IsBadDirName(nullptr, ("C:\\" + std::string(256, 'a')).c_str(), 1));
    EXPECT_EQ(1, IsBadDirName(nullptr, "C:\\ok\\a*b", 1));
    use(Lengths::short_names, 0);
    AllowForbiddenWord(3);
    EXPECT_EQ(1, IsBadDirName(nullptr, "C:\\ABCDEFGHI.EF", 1));
    EXPECT_EQ(1, IsBadDirName(nullptr, "C:\\ABCD.EFGH", 1));
    ASSERT_EQ(6u, boxes.boxes().size());
    EXPECT_EQ("' '\n" + sjis("ﾌｫﾙﾀﾞ名が指定されていません。空です。"), boxes.boxes()[0].text);
    EXPECT_EQ("'C:\\a\\\\b'\n" + sjis("ﾌｫﾙﾀﾞ名の指定ﾙｰﾙが間違っています。"), boxes.boxes()[1].text);
    EXPECT_EQ("'" + std::string(256, 'a') + "'\n" +
                  sjis("...指定した名前が長すぎます。１１文字以内ですか？\n但し、 '.'を含む時は１２文字以内です。"),
              boxes.boxes()[2].text);
    EXPECT_EQ("'a*b'\n" + message(8071), boxes.boxes()[3].text);
    EXPECT_EQ("'ABCDEFGHI.EF'\n" + message(8072), boxes.boxes()[4].text);
    EXPECT_EQ("'ABCD.EFGH'\n" + message(8074), boxes.boxes()[5].text);
    for (const auto& box : boxes.boxes()) {
        EXPECT_EQ(sjis("ﾌｫﾙﾀﾞ名不正"), box.caption);
        EXPECT_EQ(UINT(MB_ICONEXCLAMATION), box.style & MB_ICONMASK);
    }
}

TEST_F(NameValidity, FolderBoxSuppressedAndThroughIsBadFname) {
    MessageBoxRecorder boxes;
    SetWithoutMessageForIsBadDirName(1);
    EXPECT_EQ(-16, IsBadDirName(nullptr, "C:\\a\\\\b", 1));
    EXPECT_EQ(-15, IsBadDirName(nullptr, "", 1));
    EXPECT_TRUE(boxes.boxes().empty());
    SetWithoutMessageForIsBadDirName(0);
    // IsBadFname with a box: the folder part's own box, result 1, no second box.
    boxes.answer(IDOK);
    EXPECT_EQ(1, IsBadFname(nullptr, "C:\\a\\\\b\\file.txt", 1));
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_EQ(sjis("ﾌｫﾙﾀﾞ名不正"), boxes.boxes()[0].caption);
    EXPECT_EQ(0, IsBadDirName(nullptr, "C:\\", 1));
}
}  // namespace
