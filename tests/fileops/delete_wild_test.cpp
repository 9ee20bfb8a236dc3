// DelWild over real trees: both passes, force, questions, the recycle bin,
// stop requests, name and pattern lists, the attribute-change and listing
// modes, the listing lines and the listing target.
#include <algorithm>
#include <cstring>
#include <regex>
#include "delete_fixture.h"

using namespace delete_test;
using ferro_test::exists;
using ferro_test::MessageBoxRecorder;
using ferro_test::sjis;
using ferro_test::TempFolder;
using ferro_test::utf8;

namespace {
constexpr LONG kDelete = 0x2, kFolders = 0x4, kSelf = 0x20, kDescend = 0x40, kKeepBase = 0x100;
constexpr LONG kAttributes = 0x2000;

// A tree: a.txt, b.txt, c.dat, ro.txt (read-only), sub\d.txt, sub\deep\e.txt, 表\ソ.txt
struct Tree {
    TempFolder t;
    Tree() {
        for (const char* name : {"a.txt", "b.txt", "c.dat", "ro.txt", "sub\\d.txt", "sub\\deep\\e.txt"})
            t.file(name, "123");
        t.file(sjis("表\\ソ.txt"), "x");
        make_read_only(t / "ro.txt");
    }
    std::string operator/(const std::string& name) const { return t / name; }
};

// The listing target's names, split at the separator.
std::vector<std::string> names_in(HGLOBAL block, char separator) {
    std::vector<std::string> out;
    if (!block) return out;
    const char* text = static_cast<const char*>(GlobalLock(block));
    if (separator) {
        std::string all = text;
        std::size_t at = 0;
        while ((at = all.find(separator, at)) != std::string::npos) {
            std::size_t end = all.find(separator, at + 1);
            out.push_back(all.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1));
            at = end;
        }
    } else {
        for (const char* p = text; *p; p += std::strlen(p) + 1) out.push_back(p);
    }
    GlobalUnlock(block);
    return out;
}

// ---- First pass only
TEST_F(DeleteTest, WildDeletesMatchingFilesOfOneFolder) {
    Tree tree;
    LONG count = 0;
    SetAllDelByForce(1);
    const LONG result = DelWild(nullptr, nullptr, kDelete, &count, tree.t.path().c_str(), "*.txt", nullptr);
    EXPECT_EQ(result, -(0x2 | 0x4));
    EXPECT_EQ(count, 3);
    EXPECT_FALSE(exists(tree / "a.txt"));
    EXPECT_FALSE(exists(tree / "ro.txt"));
    EXPECT_TRUE(exists(tree / "c.dat"));
    EXPECT_TRUE(exists(tree / "sub\\d.txt"));  // not descended
}

TEST_F(DeleteTest, WildReadOnlyWithoutForceAsks) {
    Tree tree;
    ProgressDialog dialog;
    MessageBoxRecorder boxes;
    boxes.answer(IDNO);  // leave ro.txt
    LONG count = 0;
    const LONG result = DelWild(dialog.window(), nullptr, kDelete, &count, tree.t.path().c_str(), "*.txt", nullptr);
    EXPECT_EQ(bits(result), 0x2 | 0x4 | 0x80);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(utf8(boxes.boxes()[0].caption), utf8(message(8120)));
    EXPECT_EQ(boxes.boxes()[0].style & 0xf, static_cast<UINT>(MB_YESNOCANCEL));
    EXPECT_TRUE(exists(tree / "ro.txt"));
    EXPECT_FALSE(exists(tree / "a.txt"));
    EXPECT_NE(report().find(tree / "ro.txt"), std::string::npos);
}

TEST_F(DeleteTest, WildCancelStopsTheRun) {
    Tree tree;
    ProgressDialog dialog;
    SetMultipleFilesForDeleting(nullptr, nullptr);
    const std::string first = tree / "a.txt";
    make_read_only(first);
    make_read_only(tree / "b.txt");
    MessageBoxRecorder boxes({IDCANCEL});
    LONG stop = 0;
    const LONG result = DelWild(dialog.window(), &stop, kDelete, nullptr, tree.t.path().c_str(), "*.txt", nullptr);
    EXPECT_TRUE(bits(result) & 0x1000);
    EXPECT_TRUE(bits(result) & 0x800);
    EXPECT_EQ(stop, 1);
    EXPECT_EQ(IsStopExecutingFlag(), 0);  // cleared for the next run
    EXPECT_EQ(boxes.boxes().size(), 1u);  // one question, then the run ended
}

// ---- Both passes
TEST_F(DeleteTest, WildDeletesAWholeTree) {
    Tree tree;
    const std::string top = tree / "sub";
    const std::string outside = tree / "a.txt";
    SetAllDelByForce(1);
    LONG count = 0;
    const LONG result =
        DelWild(nullptr, nullptr, kDelete | kDescend | kSelf, &count, nullptr, (top + "\\*.*").c_str(), nullptr);
    EXPECT_EQ(bits(result), 0x2 | 0x4 | 0x8);
    EXPECT_FALSE(exists(top));
    EXPECT_TRUE(exists(outside));
    EXPECT_EQ(count, 4);  // two files, deep, sub
}

TEST_F(DeleteTest, WildKeepsTheBaseFolder) {
    Tree tree;
    SetAllDelByForce(1);
    const LONG result = DelWild(nullptr, nullptr, kDelete | kDescend | kSelf | kKeepBase, nullptr,
                                tree.t.path().c_str(), "*.*", nullptr);
    EXPECT_EQ(bits(result), 0x2 | 0x4 | 0x8);
    EXPECT_TRUE(exists(tree.t.path()));
    EXPECT_FALSE(exists(tree / "sub"));
    EXPECT_FALSE(exists(tree / sjis("表")));
}

TEST_F(DeleteTest, WildDeletesEmptiedSubFoldersAsEntries) {
    Tree tree;
    SetAllDelByForce(1);
    const LONG result =
        DelWild(nullptr, nullptr, kDelete | kFolders | kDescend, nullptr, tree.t.path().c_str(), "*.*", nullptr);
    EXPECT_EQ(bits(result), 0x2 | 0x4 | 0x8);
    EXPECT_TRUE(exists(tree.t.path()));
    EXPECT_FALSE(exists(tree / "sub"));
}

TEST_F(DeleteTest, WildDescendsWithAPattern) {
    Tree tree;
    const LONG result =
        DelWild(nullptr, nullptr, kDelete | kDescend, nullptr, tree.t.path().c_str(), "*.txt", nullptr);
    EXPECT_TRUE(bits(result) & 0x4);
    EXPECT_FALSE(exists(tree / "sub\\deep\\e.txt"));
    EXPECT_FALSE(exists(tree / sjis("表\\ソ.txt")));
    EXPECT_TRUE(exists(tree / "sub\\deep"));
    EXPECT_TRUE(exists(tree / "c.dat"));
}

TEST_F(DeleteTest, WildReadOnlySubFolderRefused) {
    Tree tree;
    ProgressDialog dialog;
    make_read_only(tree / "sub");
    if (!read_only(tree / "sub")) GTEST_SKIP() << "this file system keeps no read-only folders";
    MessageBoxRecorder boxes({IDNO});
    SetAllDelByForce(0);
    DelWild(dialog.window(), nullptr, kDelete | kDescend | kSelf | kKeepBase, nullptr, tree.t.path().c_str(),
            "*.dat", nullptr);
    ASSERT_GE(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, (tree / "sub") + message(8123));
    EXPECT_EQ(utf8(boxes.boxes()[0].caption), utf8(message(8120)));
    EXPECT_EQ(boxes.boxes()[0].style & 0xff, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONEXCLAMATION));
    EXPECT_TRUE(exists(tree / "sub\\d.txt"));
    EXPECT_EQ(IsErrorMessageShownAtDeleting(0x2), 0x2);
    SetFileAttributesA((tree / "sub").c_str(), FILE_ATTRIBUTE_DIRECTORY);
}

// ---- Trash
TEST_F(DeleteTest, WildIntoTheTrash) {
    Tree tree;
    SetTrashActivated(1, 0);
    const LONG result = DelWild(nullptr, nullptr, kDelete, nullptr, tree.t.path().c_str(), "*.dat", nullptr);
    EXPECT_EQ(result, -(0x2 | 0x4));
    EXPECT_FALSE(exists(tree / "c.dat"));
    EXPECT_TRUE(exists(tree / "a.txt"));
}

// ---- Stop mid-walk: the file line's control stops the run on the third entry
WNDPROC g_static_proc;
int g_shown;
LRESULT CALLBACK stopping_static(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_SETTEXT && l && *reinterpret_cast<const char*>(l) && ++g_shown == 3) SetStopExecutingFlag(1);
    return CallWindowProcA(g_static_proc, window, message, w, l);
}

std::string numbered(int i) {
    char name[16];
    std::snprintf(name, sizeof name, "f%d.txt", i);
    return name;
}

TEST_F(DeleteTest, WildStopsMidWalk) {
    TempFolder t;
    for (int i = 0; i < 8; ++i) t.file(numbered(i));
    ProgressDialog dialog;
    dialog.attach();
    g_shown = 0;
    g_static_proc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        dialog.control(kFileControl), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(stopping_static)));
    LONG stop = 0, count = 0;
    const LONG result = DelWild(dialog.window(), &stop, kDelete, &count, t.path().c_str(), "*.txt", nullptr);
    EXPECT_TRUE(bits(result) & 0x1000);
    EXPECT_EQ(stop, 1);
    EXPECT_EQ(count, 2);  // the stop came while the third was shown, before it was deleted
    int left = 0;
    for (int i = 0; i < 8; ++i) left += exists(t / numbered(i));
    EXPECT_EQ(left, 6);
}

// ---- Lists
TEST_F(DeleteTest, WildSelectListLimitsTheFiles) {
    Tree tree;
    char a[] = "a.txt", c[] = "C.DAT";
    LPSTR select[] = {a, c, nullptr};
    SetMultipleFilesForDeleting(select, nullptr);
    LONG count = 0;
    DelWild(nullptr, nullptr, kDelete, &count, tree.t.path().c_str(), "*.*", nullptr);
    EXPECT_EQ(count, 2);
    EXPECT_FALSE(exists(tree / "a.txt"));
    EXPECT_FALSE(exists(tree / "c.dat"));
    EXPECT_TRUE(exists(tree / "b.txt"));
    // The lists are cleared by the run.
    count = 0;
    DelWild(nullptr, nullptr, 0, &count, tree.t.path().c_str(), "*.*", nullptr);
    EXPECT_EQ(count, 2);  // b.txt, ro.txt
}

TEST_F(DeleteTest, WildPatternListProcessedInTurn) {
    Tree tree;
    char first[] = "a.*", second[] = "*.dat";
    LPSTR patterns[] = {first, second, nullptr};
    SetMultipleFilesForDeleting(nullptr, patterns);
    LONG count = 0;
    DelWild(nullptr, nullptr, kDelete, &count, tree.t.path().c_str(), "ignored", nullptr);
    EXPECT_EQ(count, 2);
    EXPECT_FALSE(exists(tree / "a.txt"));
    EXPECT_FALSE(exists(tree / "c.dat"));
    EXPECT_TRUE(exists(tree / "b.txt"));
}

TEST_F(DeleteTest, WildEmptyPatternDoesNothing) {
    Tree tree;
    EXPECT_EQ(DelWild(nullptr, nullptr, kDelete, nullptr, tree.t.path().c_str(), "", nullptr), -0x400);
    EXPECT_EQ(DelWild(nullptr, nullptr, kDelete, nullptr, tree.t.path().c_str(), nullptr, nullptr), -0x400);
    EXPECT_TRUE(exists(tree / "a.txt"));
}

// ---- Attribute change
TEST_F(DeleteTest, WildChangesAttributes) {
    Tree tree;
    SetChangeAttrInFileName(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    LONG count = 0;
    const LONG result = DelWild(nullptr, nullptr, kAttributes, &count, tree.t.path().c_str(), "*.txt", nullptr);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(count, 3);
    const DWORD both = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    EXPECT_EQ(GetFileAttributesA((tree / "a.txt").c_str()) & both, both);
    EXPECT_EQ(GetFileAttributesA((tree / "c.dat").c_str()) & both, 0u);
    EXPECT_TRUE(exists(tree / "a.txt"));
    for (const char* name : {"a.txt", "b.txt", "ro.txt"}) SetFileAttributesA((tree / name).c_str(), FILE_ATTRIBUTE_NORMAL);
}

// ---- Listing mode, listing lines, listing target
TEST_F(DeleteTest, WildListingOnlyCountsAndCollects) {
    Tree tree;
    ProgressDialog dialog;
    dialog.attach();
    HGLOBAL block = nullptr;
    SetHandleForListedFilenameForDelWild(&block, '\n');
    LONG count = 0;
    const LONG result = DelWild(dialog.window(), nullptr, kDescend, &count, tree.t.path().c_str(), "*.txt", nullptr);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(count, 6);
    EXPECT_EQ(NumberOfFileFolderSuccessifullyDoneByDelWild(), 6);
    EXPECT_TRUE(exists(tree / "a.txt"));
    std::vector<std::string> names = names_in(block, '\n');
    ASSERT_EQ(names.size(), 6u);
    EXPECT_EQ(names[0], tree / "a.txt");
    EXPECT_NE(std::find(names.begin(), names.end(), tree / sjis("表\\ソ.txt")), names.end());
    GlobalFree(block);

    const std::vector<std::string> lines = dialog.lines();
    ASSERT_EQ(lines.size(), 6u);
    const std::regex line("- (.*)> (.)(.)(.)(.) (\\d\\d)-(\\d\\d)-(\\d\\d) (\\d\\d):(\\d\\d):(\\d\\d) (\\d+)");
    std::smatch m;
    ASSERT_TRUE(std::regex_match(lines[0], m, line)) << lines[0];
    EXPECT_EQ(m[1].str(), tree / "a.txt");
    EXPECT_EQ(m[2].str() + m[3].str() + m[4].str() + m[5].str(), "A---");
    EXPECT_EQ(m[12].str(), "3");
    // The date and time columns are the local last-write time.
    WIN32_FILE_ATTRIBUTE_DATA data;
    GetFileAttributesExA((tree / "a.txt").c_str(), GetFileExInfoStandard, &data);
    FILETIME local;
    SYSTEMTIME st;
    FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
    FileTimeToSystemTime(&local, &st);
    char expected[64];
    std::snprintf(expected, sizeof expected, "%02d-%02d-%02d %02d:%02d:%02d", st.wYear % 100, st.wMonth, st.wDay,
                  st.wHour, st.wMinute, st.wSecond);
    EXPECT_NE(lines[0].find(expected), std::string::npos) << lines[0];
    const auto ro = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.find("ro.txt>") != std::string::npos; });
    ASSERT_NE(ro, lines.end());
    EXPECT_NE(ro->find("> AR--"), std::string::npos) << *ro;
    EXPECT_EQ(dialog.text(kCounterControl), "    6/6    ");
    EXPECT_EQ(dialog.text(kFolderControl).back(), '\\');
}

TEST_F(DeleteTest, WildListingTargetWithoutSeparator) {
    Tree tree;
    HGLOBAL block = nullptr;
    SetHandleForListedFilenameForDelWild(&block, 0);
    LONG count = 0;
    DelWild(nullptr, nullptr, 0, &count, tree.t.path().c_str(), "*.dat", nullptr);
    const std::vector<std::string> names = names_in(block, 0);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], tree / "c.dat");
    GlobalFree(block);
}

TEST_F(DeleteTest, WildDeleteLinesCarryTheStatus) {
    Tree tree;
    ProgressDialog dialog;
    dialog.attach();
    MessageBoxRecorder boxes;
    boxes.answer(IDNO);  // ro.txt is skipped
    DelWild(dialog.window(), nullptr, kDelete, nullptr, tree.t.path().c_str(), "*.txt", nullptr);
    const std::vector<std::string> lines = dialog.lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].substr(0, 2 + (tree / "a.txt").size()), "- " + (tree / "a.txt"));
    const auto ro = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.find("ro.txt>") != std::string::npos; });
    ASSERT_NE(ro, lines.end());
    EXPECT_EQ((*ro)[0], 'E');
    EXPECT_EQ(dialog.text(kCounterControl), "3");
}

// ---- Search conditions restrict the walk
TEST_F(DeleteTest, WildConditionsRestrictTheDelete) {
    Tree tree;
    SetSearchedNameInFileName("B");
    LONG count = 0;
    const LONG result = DelWild(nullptr, nullptr, kDelete, &count, tree.t.path().c_str(), "*.txt", nullptr);
    EXPECT_EQ(count, 1);
    EXPECT_TRUE(bits(result) & 0x80);  // the others were skipped
    EXPECT_FALSE(exists(tree / "b.txt"));
    EXPECT_TRUE(exists(tree / "a.txt"));
}

// ---- Found-files list ends the walk
TEST_F(DeleteTest, WildEndsWhenAllNamesAreFound) {
    Tree tree;
    SetSearchedFileFound("d.txt\0a.txt\0", 0);
    LONG count = 0;
    const LONG result = DelWild(nullptr, nullptr, kDescend, &count, tree.t.path().c_str(), "*.txt", nullptr);
    EXPECT_TRUE(bits(result) & 0x1000);
    EXPECT_EQ(IsAllSearchedFullPathFileFound(), 1);
    FoundFileNode* node = GetHeadOfSearchedFileFoundPointer();
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(std::string(GetSearchedFileFoundFromPointer(node)), tree / "sub\\d.txt");
    EXPECT_EQ(std::string(GetSearchedFileFoundFromPointer(GetNextOfSearchedFileFoundPointer(node))), tree / "a.txt");
    EXPECT_TRUE(exists(tree / "a.txt"));
}
}  // namespace
