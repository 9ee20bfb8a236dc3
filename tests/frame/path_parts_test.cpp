// Roots, network forms and the parts of a path, with double-byte characters
// whose trail byte is 0x5C (表 95 5C, ソ 83 5C, 能 94 5C) in every position.
#include <gtest/gtest.h>
#include <windows.h>
#include "text_test_util.h"

using namespace text_test;

// ---- Roots and network forms

TEST(Roots, Table) {
    struct Row { std::string path; BOOL root, included, netroot, mynet, sysnet; } rows[] = {
        {"C:\\", 1, 1, 0, 0, 0},        {"c:\\", 1, 1, 0, 0, 0},       {"C:", 0, 0, 0, 0, 0},
        {"C:\\a", 0, 1, 0, 0, 0},       {"1:\\", 0, 1, 0, 0, 0},       {"", 0, 0, 0, 0, 0},
        {"x C:\\a", 0, 1, 0, 0, 0},     {"C:a", 0, 0, 0, 0, 0},        {S("表:\\"), 0, 1, 0, 0, 0},
        {"\\\\", 0, 0, 1, 1, 1},        {"\\\\srv\\a", 0, 0, 0, 1, 1}, {"\\:\\Net", 0, 1, 0, 1, 0},
        {"\\a", 0, 0, 0, 0, 0},         {":\\", 0, 1, 0, 0, 0},
    };
    for (const Row& r : rows) {
        TightBuffer b(r.path);
        EXPECT_EQ(IsRootDir(b), r.root) << show(r.path);
        EXPECT_EQ(IsRootDirIncluded(b), r.included) << show(r.path);
        EXPECT_EQ(IsNetRootDir(b), r.netroot) << show(r.path);
        EXPECT_EQ(IsDriveMyNetwork(b), r.mynet) << show(r.path);
        EXPECT_EQ(IsDriveSystemNetwork(b), r.sysnet) << show(r.path);
    }
    EXPECT_FALSE(IsRootDir(nullptr));
    EXPECT_FALSE(IsRootDirIncluded(nullptr));
    EXPECT_FALSE(IsNetRootDir(nullptr));
    EXPECT_FALSE(IsDriveMyNetwork(nullptr));
    EXPECT_FALSE(IsDriveSystemNetwork(nullptr));
}

// ---- Separators

TEST(Separators, LastYenMark) {
    struct Row { std::string path; long at; } rows[] = {
        {"", -1}, {"abc", -1}, {"C:\\", 2},
        {S("C:\\表"), 2}, {S("C:\\ソ"), 2}, {S("C:\\能"), 2},  // right after the drive root
        {S("表\\a"), 2}, {S("C:\\表\\a"), 5}, {S("C:\\a\\表"), 4}, {S("C:\\表表\\能"), 7},
        {S("C:\\ab\\c表"), 5}, {"\\\\server\\share", 8}, {S("\\:\\Net\\表"), 6}, {"\\\\", 1},
    };
    for (const Row& r : rows) {
        TightBuffer b(r.path);
        EXPECT_EQ(offset(b, GetFileFromPathWithYen(b)), r.at) << show(r.path);
    }
}

TEST(Separators, FirstYenMark) {
    struct Row { std::string path; long at; } rows[] = {
        {"C:\\a", 2}, {S("表\\a"), 2}, {S("ソ能\\x"), 4}, {S("能"), -1},
        {"\\\\server\\share", 8}, {"\\:\\Net", 2}, {"\\\\server", -1},  // network: after the leading pair
        {"abc", -1}, {"\\a", 0}, {"", -1},
    };
    for (const Row& r : rows) {
        TightBuffer b(r.path);
        EXPECT_EQ(offset(b, FindYenMark(b)), r.at) << show(r.path);
        EXPECT_EQ(offset(b, GetSubDirectoryFromPath(b)), r.at) << show(r.path);
    }
    EXPECT_EQ(FindYenMark(nullptr), nullptr);
}

TEST(Separators, StepFromComponentToComponent) {
    TightBuffer b(S("C:\\表\\ソ\\能\\x"));
    std::vector<long> stops;
    for (char* p = GetSubDirectoryFromPath(b); p; p = GetSubDirectoryFromPath(p + 1)) stops.push_back(offset(b, p));
    EXPECT_EQ(stops, (std::vector<long>{2, 5, 8, 11}));
}

// ---- File name and folder part

TEST(FileName, Table) {
    struct Row { std::string path; std::string name; } rows[] = {
        {"C:\\a\\b.txt", "b.txt"},
        {S("C:\\表\\ソ.txt"), S("ソ.txt")},
        {S("C:\\表"), S("表")},
        {S("表\\能"), S("能")},
        {"\\\\server", "server"},
        {"\\\\server\\share", "share"},
        {"\"C:\\Program Files\\a b.exe\"", "\"a b.exe\""},  // quotation rebalanced
        {"\"C:\\x y\\ab.exe\"", "ab.exe"},                   // no space left: no marks
        {"abc", "abc"},
        {"C:\\a\\", ""},
    };
    for (const Row& r : rows) {
        {  // copied to a separate buffer
            PathBuffer path(r.path), out;
            EXPECT_EQ(GetFileName(out, path), out.get()) << show(r.path);
            EXPECT_EQ(out.str(), r.name) << show(r.path);
            EXPECT_EQ(path.str(), r.path);
        }
        {  // moved to the front of the path
            PathBuffer path(r.path);
            EXPECT_EQ(GetFileName(path, path), path.get());
            EXPECT_EQ(path.str(), r.name) << show(r.path);
        }
    }
    TightBuffer b(S("C:\\表\\ソ"));
    EXPECT_EQ(offset(b, GetFileName(nullptr, b)), 6);  // a pointer into the path
    PathBuffer out("x");
    EXPECT_EQ(GetFileName(out, nullptr), nullptr);
    EXPECT_EQ(out.str(), "");
}

TEST(FileName, FolderPartTable) {
    struct Row { std::string path; bool done; std::string folder; } rows[] = {
        {"C:\\a\\b.txt", true, "C:\\a"},
        {"C:\\a", true, "C:\\"},
        {S("C:\\表"), true, "C:\\"},
        {S("C:\\表\\能"), true, S("C:\\表")},
        {S("C:\\ソ\\表\\x"), true, S("C:\\ソ\\表")},
        {"\"C:\\a b\\c.txt\"", true, "C:\\a b"},
        {"C:file", true, "C:"},
        {"file", false, "file"},
        {"\\\\server\\share", true, "\\\\server"},
        {"\\\\server", true, "\\\\"},
        {"", false, ""},
    };
    for (const Row& r : rows) {
        PathBuffer b(r.path);
        EXPECT_EQ(GetDirectoryPathInFile(b) != nullptr, r.done) << show(r.path);
        EXPECT_EQ(b.str(), r.folder) << show(r.path);
    }
}

TEST(FileName, ExtractAndRecover) {
    struct Row { std::string path; long at; char saved; std::string cut; std::string cut_without_root; } rows[] = {
        {"C:\\a\\b", 4, '\\', "C:\\a", "C:\\a"},
        {"C:\\a", 3, 'a', "C:\\", "C:"},
        {S("C:\\表"), 3, '\x95', "C:\\", "C:"},
        {S("C:\\ソ\\能"), 5, '\\', S("C:\\ソ"), S("C:\\ソ")},
        {"\\\\srv", 2, 's', "\\\\", "\\"},
    };
    for (const Row& r : rows) {
        PathBuffer b(r.path);
        char saved = 0;
        char* at = ExtractPath(b, &saved);
        EXPECT_EQ(offset(b, at), r.at) << show(r.path);
        EXPECT_EQ(saved, r.saved) << show(r.path);
        EXPECT_EQ(b.str(), r.cut) << show(r.path);
        EXPECT_TRUE(RecoverPath(at, saved));
        EXPECT_EQ(b.str(), r.path);

        char* at2 = ExtractPathWithoutRootYen(b, &saved);
        EXPECT_EQ(b.str(), r.cut_without_root) << show(r.path);
        RecoverPath(at2, saved);
        EXPECT_EQ(b.str(), r.path);
    }
    PathBuffer none("abc");
    char saved = 'x';
    EXPECT_EQ(ExtractPath(none, &saved), nullptr);
    EXPECT_EQ(none.str(), "abc");
    EXPECT_FALSE(RecoverPath(nullptr, 'a'));
    EXPECT_EQ(ExtractPath(nullptr, nullptr), nullptr);
}

TEST(FileName, PathRestricted) {
    struct Row { std::string path; bool done; std::string after; } rows[] = {
        {"C:\\a\\b", true, "C:\\a\\"}, {S("C:\\表"), true, "C:\\"}, {S("表\\ソ"), true, S("表\\")}, {"abc", false, "abc"},
    };
    for (const Row& r : rows) {
        PathBuffer b(r.path);
        EXPECT_EQ(GetPathRestricted(b) != nullptr, r.done);
        EXPECT_EQ(b.str(), r.after) << show(r.path);
    }
}

// ---- Extensions, periods and spaces

TEST(Extension, Table) {
    struct Row { std::string name; const char* ext; } rows[] = {
        {"a.txt", "txt"}, {"a.b.c", "c"}, {"a.", nullptr}, {"a.b\\c", nullptr}, {"a.\\b", nullptr},
        {"a", nullptr}, {S("表.txt"), "txt"}, {S("C:\\ソ.d\\x"), nullptr}, {"x./y", nullptr},
        {".bashrc", "bashrc"}, {"", nullptr}, {S("a.表"), "\x95\x5c"},
    };
    for (const Row& r : rows) {
        TightBuffer b(r.name);
        const char* ext = GetFileExtension(b);
        if (!r.ext) EXPECT_EQ(ext, nullptr) << show(r.name);
        else if (ext) EXPECT_STREQ(ext, r.ext) << show(r.name);
        else ADD_FAILURE() << show(r.name);
    }
}

TEST(Extension, FindPeriodWithQuotes) {
    struct Row { std::string name; long first; BOOL quote_first; long last; BOOL quote_last; } rows[] = {
        {"a.b", 1, 0, 1, 0},
        {"\"a b\".txt", 5, 0, 5, 0},
        {"\"a.b", 2, 1, 2, 0},
        {"\"a.b\"", 2, 1, 2, 1},
        {"a.b.c", 1, 0, 3, 0},
        {S("能.x"), 2, 0, 2, 0},
        {"\"ab\"", -1, 0, -1, 0},  // no period: every mark passed
        {"\x81.", -1, 0, -1, 0},  // the period is the second byte of a pair
    };
    for (const Row& r : rows) {
        TightBuffer b(r.name);
        BOOL q = FALSE;
        EXPECT_EQ(offset(b, FindPeriod(b, &q)), r.first) << show(r.name);
        EXPECT_EQ(q, r.quote_first) << show(r.name);
        q = FALSE;
        EXPECT_EQ(offset(b, FindPeriodFromEnd(b, &q)), r.last) << show(r.name);
        EXPECT_EQ(q, r.quote_last) << show(r.name);
        EXPECT_EQ(offset(b, FindPeriod(b, nullptr)), r.first);
    }
}

TEST(Extension, FindSpace) {
    struct Row { std::string text; long first, last; } rows[] = {
        {"a b c", 1, 3}, {"abc", -1, -1}, {"\x81 b", -1, -1}, {S("表 ソ "), 2, 5}, {"", -1, -1},
    };
    for (const Row& r : rows) {
        TightBuffer b(r.text);
        EXPECT_EQ(offset(b, FindSpace(b)), r.first) << show(r.text);
        EXPECT_EQ(offset(b, FindSpaceFromEnd(b)), r.last) << show(r.text);
    }
    EXPECT_EQ(FindSpace(nullptr), nullptr);
}

TEST(Extension, AddExtensionBoundary) {
    struct Row { size_t name_len; bool fits; } rows[] = {{0, false}, {1, true}, {515, true}, {516, false}};
    for (const Row& r : rows) {
        std::string name(r.name_len, 'n');
        PathBuffer b(name);
        EXPECT_EQ(AddFileExtensionWithPeriod(b, "txt") != nullptr, r.fits) << r.name_len;
        EXPECT_EQ(b.str(), r.fits ? name + ".txt" : name);
    }
    PathBuffer b("a");
    EXPECT_EQ(AddFileExtensionWithPeriod(b, ""), nullptr);
    EXPECT_EQ(b.str(), "a");
}

TEST(Extension, RemoveAndChange) {
    struct Row { std::string name; bool removed; std::string after; } removes[] = {
        {"a.txt", true, "a"}, {"C:\\d.x\\f", false, "C:\\d.x\\f"}, {"\"a b.txt\"", true, "\"a b\""},
        {S("表.txt"), true, S("表")}, {"a.", true, "a"}, {"abc", false, "abc"},
    };
    for (const Row& r : removes) {
        PathBuffer b(r.name);
        EXPECT_EQ(RemoveFileExtension(b) != nullptr, r.removed) << show(r.name);
        EXPECT_EQ(b.str(), r.after) << show(r.name);
    }
    struct Change { std::string name, other, after; } changes[] = {
        {"a.txt", "b.doc", "a.doc"}, {"a", "b.doc", "a.doc"}, {"a.txt", "b", "a"},
        {"\"a b.txt\"", "\"x.doc\"", "\"a b.doc\""}, {S("C:\\表\\ソ.txt"), S("能.表"), S("C:\\表\\ソ.表")},
        {"a.txt", "C:\\d.x\\f", "a"},
    };
    for (const Change& c : changes) {
        PathBuffer b(c.name);
        EXPECT_EQ(ChangeExt(b, c.other.c_str()), b.get()) << show(c.name);
        EXPECT_EQ(b.str(), c.after) << show(c.name);
    }
    std::string long_name(516, 'n');
    PathBuffer b(long_name);
    EXPECT_EQ(ChangeExt(b, "x.doc"), nullptr);  // 520 bytes with the extension
    EXPECT_EQ(b.str(), long_name);
    PathBuffer fits(std::string(515, 'n'));
    EXPECT_NE(ChangeExt(fits, "x.doc"), nullptr);
    EXPECT_EQ(fits.str().size(), 519u);
}

// ---- Final separators

TEST(FinalYen, RemoveTable) {
    struct Row { std::string path; BOOL removed; std::string after; } rows[] = {
        {"C:\\", 0, "C:\\"}, {"C:\\a\\", 1, "C:\\a"}, {"\\\\", 0, "\\\\"}, {S("C:\\表"), 0, S("C:\\表")},
        {S("C:\\ソ\\"), 1, S("C:\\ソ")}, {"a", 0, "a"}, {"\\", 0, "\\"}, {"\\:\\", 0, "\\:\\"}, {"", 0, ""},
    };
    for (const Row& r : rows) {
        PathBuffer b(r.path);
        SetRemoveLastYenmark(5);
        EXPECT_EQ(RemoveLastYenmark(b), r.removed) << show(r.path);
        EXPECT_EQ(IsRemoveLastYenmark(), r.removed);
        EXPECT_EQ(b.str(), r.after);
    }
    EXPECT_EQ(SetRemoveLastYenmark(1), 1);
    EXPECT_TRUE(IsRemoveLastYenmark());
}

TEST(FinalYen, AddTable) {
    struct Row { std::string path; long at; std::string after; } rows[] = {
        {"C:\\a", 4, "C:\\a\\"}, {"C:\\", -1, "C:\\"}, {S("C:\\表"), 5, S("C:\\表\\")}, {"", -1, ""},
        {std::string(518, 'a'), 518, std::string(518, 'a') + "\\"}, {std::string(519, 'a'), -1, std::string(519, 'a')},
    };
    for (const Row& r : rows) {
        PathBuffer b(r.path);
        EXPECT_EQ(offset(b, AddLastYenmark(b)), r.at) << r.path.size();
        EXPECT_EQ(b.str(), r.after);
    }
}

TEST(FinalYen, RemoveLastKugiri) {
    struct Row { std::string text; int c; BOOL removed; std::string after; } rows[] = {
        {"a;", ';', 1, "a"}, {S("表"), '\\', 0, S("表")}, {"ab", ';', 0, "ab"}, {"a\\", '\\', 1, "a"}, {"", ';', 0, ""},
    };
    for (const Row& r : rows) {
        PathBuffer b(r.text);
        EXPECT_EQ(RemoveLastKugiri(b, r.c), r.removed) << show(r.text);
        EXPECT_EQ(b.str(), r.after);
    }
}

TEST(FinalYen, CountsOfYenMarks) {
    struct Row { std::string path; int count; int multi; } rows[] = {
        {"C:\\a\\b", 2, 2}, {"C:\\a\\b\\", 2, 3}, {"C:\\", 1, 1}, {S("C:\\表\\ソ"), 2, 2}, {"abc", 0, 0},
        {"C:\\a\\\\b", 3, 2}, {S("C:\\能\\能\\"), 2, 3},
        {"\\\\server\\share", 3, ~1}, {"\\\\server", 2, -1}, {"\\:\\Net\\Comp", 3, ~2}, {"", 0, 0},
    };
    for (const Row& r : rows) {
        TightBuffer b(r.path);
        EXPECT_EQ(GetNumberOfYenmarkinDirectoryWithoutYenmakAtLastEnd(b), r.count) << show(r.path);
        EXPECT_EQ(IsMultiFolders(b), r.multi) << show(r.path);
    }
}

// ---- URL separators

TEST(Url, Parts) {
    TightBuffer url("http://x/a/b.html");
    EXPECT_STREQ(GetUrlKugiriFileName(url, FALSE), "b.html");
    EXPECT_STREQ(GetUrlKugiriFileName(url, TRUE), "/b.html");
    TightBuffer plain("b.html");
    EXPECT_EQ(GetUrlKugiriFileName(plain, FALSE), plain.get());

    PathBuffer cut("http://x/a/b");
    char saved = 0;
    char* at = GetUrlKugiriDirectoryPathInFile(cut, &saved);
    EXPECT_EQ(offset(cut, at), 10);
    EXPECT_EQ(saved, '/');
    EXPECT_EQ(cut.str(), "http://x/a");
    RecoverPath(at, saved);
    at = GetUrlKugiriDirectoryPathInFileWithLastUrlKugiri(cut, &saved);
    EXPECT_EQ(saved, 'b');
    EXPECT_EQ(cut.str(), "http://x/a/");
    RecoverPath(at, saved);
    EXPECT_EQ(cut.str(), "http://x/a/b");
    PathBuffer none("abc");
    EXPECT_EQ(GetUrlKugiriDirectoryPathInFile(none, &saved), nullptr);
}

TEST(Url, SlashesAndYenMarks) {
    PathBuffer b(S("C:\\表\\ソ\\x"));
    EXPECT_EQ(ReplaceYenmarkBySlash(b), 3);
    EXPECT_EQ(b.str(), S("C:/表/ソ/x"));  // the trail bytes stay
    EXPECT_EQ(ReplaceSlashByYenmark(b), 3);
    EXPECT_EQ(b.str(), S("C:\\表\\ソ\\x"));
    EXPECT_EQ(ReplaceSlashByYenmark(nullptr), 0);

    PathBuffer s("a/b/");
    char* at = RemoveLastSlash(s);
    EXPECT_EQ(offset(s, at), 3);
    EXPECT_EQ(s.str(), "a/b");
    EXPECT_TRUE(RecoverBackSlash(at));
    EXPECT_EQ(s.str(), "a/b/");
    PathBuffer none("a/b");
    EXPECT_EQ(RemoveLastSlash(none), nullptr);
    EXPECT_FALSE(RecoverBackSlash(nullptr));
}

// ---- Environment and attributes

namespace {
struct SavedEnvironment {
    std::string names[4] = {"TEMP", "TMP", "WORK", "RAM"};
    std::string values[4];
    bool set[4] = {};
    SavedEnvironment() {
        for (int i = 0; i < 4; ++i) {
            char buffer[32768];
            DWORD n = GetEnvironmentVariableA(names[i].c_str(), buffer, sizeof buffer);
            set[i] = n > 0 && n < sizeof buffer;
            if (set[i]) values[i] = buffer;
            SetEnvironmentVariableA(names[i].c_str(), nullptr);
        }
    }
    ~SavedEnvironment() {
        for (int i = 0; i < 4; ++i) SetEnvironmentVariableA(names[i].c_str(), set[i] ? values[i].c_str() : nullptr);
    }
};
}  // namespace

TEST(Environment, TemporaryFolderOrder) {
    SavedEnvironment saved;
    PathBuffer b("junk");
    EXPECT_EQ(GetTemporaryFolderByEnv(b), 0);
    EXPECT_EQ(b.str(), "");
    SetEnvironmentVariableA("RAM", "R:\\ram");
    SetEnvironmentVariableA("WORK", S("W:\\表").c_str());
    EXPECT_EQ(GetTemporaryFolderByEnv(b), 5);
    EXPECT_EQ(b.str(), S("W:\\表"));
    SetEnvironmentVariableA("TMP", "T:\\tmp");
    EXPECT_EQ(GetTemporaryFolderByEnv(b), 6);
    EXPECT_EQ(b.str(), "T:\\tmp");
    SetEnvironmentVariableA("TEMP", std::string(600, 'x').c_str());  // does not fit: the next one
    EXPECT_EQ(GetTemporaryFolderByEnv(b), 6);
    EXPECT_EQ(b.str(), "T:\\tmp");
    std::string kanji;  // 300 characters but 600 bytes: more than a path holds
    for (int i = 0; i < 300; ++i) kanji += S("表");
    SetEnvironmentVariableA("TEMP", kanji.c_str());
    EXPECT_EQ(GetTemporaryFolderByEnv(b), 6);
    EXPECT_EQ(b.str(), "T:\\tmp");
    SetEnvironmentVariableA("TEMP", (std::string(517, 'x') + S("表")).c_str());
    EXPECT_EQ(GetTemporaryFolderByEnv(b), 519);
    EXPECT_EQ(b.str(), std::string(517, 'x') + S("表"));
    SetEnvironmentVariableA("TEMP", std::string(519, 'x').c_str());
    EXPECT_EQ(GetTemporaryFolderByEnv(b), 519);
    EXPECT_EQ(GetTemporaryFolderByEnv(nullptr), 0);
}

TEST(Attributes, Characters) {
    struct Row { LONG attributes; const char* text; } rows[] = {
        {FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY, "AR---"},
        {FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, "--HS-"},
        {0, "-----"},
        {0x27, "ARHS-"},
    };
    for (const Row& r : rows) {
        char out[8] = "zzzzzzz";
        EXPECT_EQ(GetAttributeChar(r.attributes, out), out);
        EXPECT_STREQ(out, r.text);
    }
    char out[8] = "zzz";
    EXPECT_EQ(GetAttributeChar(-1, out), nullptr);
    EXPECT_STREQ(out, "");
    EXPECT_FALSE(IsAttributeActive(-1, 1));
    EXPECT_TRUE(IsAttributeActive(0x10, 0x10));
    EXPECT_FALSE(IsAttributeActive(0x10, 0x01));
    EXPECT_TRUE(IsAttributeActive(0x21, 0x03));
}

// ---- Folder inside a path

TEST(DirectoryContained, Table) {
    struct Row { std::string path, folder; BOOL from_end; long at; } rows[] = {
        {"C:\\a\\b\\c", "C:\\a\\b", 0, 0},
        {"C:\\A\\B\\c", "c:\\a\\b", 0, 0},
        {"C:\\ab\\c", "C:\\a", 0, -1},
        {"C:\\x\\a\\y\\a\\z", "a", 0, 5},
        {"C:\\x\\a\\y\\a\\z", "a", 1, 9},
        {"C:\\x\\ba\\y", "a", 0, -1},
        {"C:\\x", "C:\\", 0, 0},
        {S("C:\\表\\a"), S("C:\\表"), 0, 0},
        {S("C:\\表a"), S("C:\\表"), 0, -1},
        {S("C:\\ソ\\能"), S("能"), 0, 6},
        {"C:\\a\\b", "C:\\a\\", 0, 0},
        {"", "a", 0, -1},
    };
    for (const Row& r : rows) {
        TightBuffer b(r.path);
        EXPECT_EQ(offset(b, IsDirectoryContained(b, r.folder.c_str(), r.from_end)), r.at) << show(r.path) << " / " << show(r.folder);
    }
}

// ---- Spaces

TEST(Spaces, DelSpc) {
    struct Row { std::string text; int len; std::string after; } rows[] = {
        {" a b\tc\r\n", 3, "abc"}, {"", 0, ""}, {S("表 ソ"), 4, S("表ソ")}, {"   ", 0, ""}, {"\x81 ", 2, "\x81 "},
    };
    for (const Row& r : rows) {
        PathBuffer b(r.text);
        EXPECT_EQ(DelSpc(b), r.len) << show(r.text);
        EXPECT_EQ(b.str(), r.after);
    }
    EXPECT_EQ(DelSpc(nullptr), 0);
    std::string long_text;  // longer than one path: worked through whole
    for (int i = 0; i < 300; ++i) long_text += S("表 a");
    GuardedBuffer big(long_text.size() + 1);
    big.assign(long_text);
    EXPECT_EQ(DelSpc(big), 900);
    EXPECT_EQ(std::string(big.str()).substr(0, 6), S("表a表a"));
}

TEST(Spaces, TrimAndSkip) {
    TightBuffer lead("  a b");
    EXPECT_EQ(offset(lead, SkipSpaceAtBeginning(lead)), 2);
    PathBuffer b("  a b  ");
    DeleteSpaceAtBeginning(b);
    EXPECT_EQ(b.str(), "a b  ");
    DeleteSpaceAtEnd(b);
    EXPECT_EQ(b.str(), "a b");
    PathBuffer pair("x\x81 ");  // the space is the second byte of a pair
    DeleteSpaceAtEnd(pair);
    EXPECT_EQ(pair.str(), "x\x81 ");
    PathBuffer all("   ");
    DeleteSpaceAtEnd(all);
    EXPECT_EQ(all.str(), "");
    EXPECT_EQ(SkipSpaceAtBeginning(nullptr), nullptr);
    EXPECT_EQ(DeleteSpaceAtEnd(nullptr), nullptr);
}

TEST(Spaces, DeleteNextAllSpaces) {
    struct Row { std::string text; long at; std::string after; } rows[] = {
        {"a   b c", 1, "ab c"}, {"a\t\tb", 1, "ab"}, {S("表 a"), -1, S("表 a")}, {"abc", -1, "abc"}, {"a\tb c", 3, "a\tbc"},
    };
    for (const Row& r : rows) {
        PathBuffer b(r.text);
        EXPECT_EQ(offset(b, DeleteNextAllSpaces(b)), r.at) << show(r.text);
        EXPECT_EQ(b.str(), r.after);
    }
    EXPECT_TRUE(_j_isspace(' '));
    EXPECT_FALSE(_j_isspace('\t'));
    EXPECT_FALSE(_j_isspace(0));
}
