// Reading real folders into the folder and file tables: the order of the self
// and upper entries, exclusions and the filter, 0x5C trail bytes, the table
// limit, nested reads and a stop request during a read.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <string>
#include <vector>
#include "frame/message_pump.h"
#include "listing/listing_store.h"
#include "listing_store_fixture.h"
#include "support/message_box_recorder.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using listing_test::HandlerWindow;
using listing_test::Tables;
using namespace ferro_test;

namespace {
std::string parent_of(const std::string& path) { return path.substr(0, path.rfind('\\')); }

LONG read_folders(const std::string& folder, LONG flags = 1) {
    SaveFindSeachPath(nullptr, folder.c_str(), "*.*");
    return FindDirectory(nullptr, flags);
}
LONG read_files(const std::string& folder, const char* pattern = "*.*", LONG offset = 0) {
    SaveFindSeachFilePath(nullptr, folder.c_str(), pattern);
    return FindFile(nullptr, offset);
}
std::string numbered(int i) {
    char name[32];
    wsprintfA(name, "f%d.txt", i);
    return name;
}
std::vector<std::string> sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

class ListingRead : public ::testing::Test {
protected:
    void SetUp() override {
        ResetCancellingFlags(0);
        SetExcludedFile("");
        SetFileMatchedByWildCard(nullptr);
        SetCurrentDirDiscarded(0);
    }
    void TearDown() override {
        ResetCancellingFlags(0);
        SetExcludedFile("");
        SetFileMatchedByWildCard(nullptr);
    }
    Tables tables;
    TempFolder temp;
};

// ---- Order of the self and upper entries

TEST_F(ListingRead, FolderWithSystemEntriesHoldsSelfUpperThenSubfolders) {
    temp.folder("beta");
    temp.folder("alpha");
    temp.file("file.txt");
    ASSERT_EQ(4, read_folders(temp.path()));
    auto names = tables.folder_names();
    EXPECT_EQ(".", names[0]);
    EXPECT_EQ(parent_of(temp.path()), names[1]);
    EXPECT_EQ((std::vector<std::string>{"alpha", "beta"}), sorted({names[2], names[3]}));
    EXPECT_EQ(1, GetSelfDir());
    EXPECT_EQ(1, DoesUpperDirExist());
    EXPECT_EQ(0, DoesRootDirExist());
    EXPECT_EQ(2, GetTotalNumberOfSubDirectory());
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, GetDirAttribute(2) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(0u, GetDirAttribute(4));
    EXPECT_EQ(0u, GetDirAttribute(-1));
    // The flags argument 0 gives the same table: the system's "." is not stored twice.
    ASSERT_EQ(4, read_folders(temp.path(), 0));
    EXPECT_EQ(".", tables.folder_names()[0]);
    EXPECT_EQ(2, GetTotalNumberOfSubDirectory());
}

TEST_F(ListingRead, RootWithoutSystemEntriesHoldsOnlySelfAndSubfolders) {
    ASSERT_GE(read_folders("C:\\"), 1);
    auto names = tables.folder_names();
    EXPECT_EQ(".", names[0]);
    EXPECT_NE(0, DoesRootDirExist());
    EXPECT_EQ(0, DoesUpperDirExist());
    for (size_t i = 1; i < names.size(); ++i) {
        EXPECT_NE("..", names[i]);
        EXPECT_NE(".", names[i]);
    }
    EXPECT_EQ(GetTotalNumberOfDirectory() - 1, GetTotalNumberOfSubDirectory());
}

TEST_F(ListingRead, EmptyFolderGetsSelfAndUpperAndNoFiles) {
    MessageBoxRecorder boxes;
    ASSERT_EQ(2, read_folders(temp.path()));
    auto names = tables.folder_names();
    EXPECT_EQ(".", names[0]);
    EXPECT_EQ(parent_of(temp.path()), names[1]);
    EXPECT_EQ(0, GetTotalNumberOfSubDirectory());
    EXPECT_EQ(0, read_files(temp.path()));
    EXPECT_EQ(0, GetTotalNumberOfFile());
    EXPECT_EQ(0u, GetTotalFileSize());
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(ListingRead, DiscardedCurrentFolderHasNoSelfEntry) {
    temp.folder("sub");
    SetCurrentDirDiscarded(1);
    const LONG count = read_folders(temp.path());
    SetCurrentDirDiscarded(0);
    ASSERT_EQ(2, count);
    auto names = tables.folder_names();
    EXPECT_EQ(parent_of(temp.path()), names[0]);
    EXPECT_EQ("sub", names[1]);
    EXPECT_EQ(2, GetSelfDir());
    EXPECT_EQ(1, GetTotalNumberOfSubDirectory());
}

TEST_F(ListingRead, ShorterListingFreesTheNameBlocksBeyondIt) {
    temp.file("a.txt");
    temp.file("b.txt");
    temp.file("c.txt");
    ASSERT_EQ(3, read_files(temp.path()));
    remove_tree(temp / "b.txt");
    remove_tree(temp / "c.txt");
    ASSERT_EQ(1, read_files(temp.path()));
    EXPECT_EQ("a.txt", std::string(tables.file_long[0]));
    EXPECT_EQ(nullptr, tables.file_long_h[1]);
    EXPECT_EQ(nullptr, tables.file_long_h[2]);
}

// ---- File columns

TEST_F(ListingRead, FileColumnsComeFromTheFindRecord) {
    temp.file("five.dat", "12345");
    temp.file("noext", "");
    SetFileAttributesA((temp / "noext").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_EQ(2, read_files(temp.path()));
    auto names = tables.file_names();
    const LONG five = names[0] == "five.dat" ? 0 : 1;
    EXPECT_EQ(5u, GetFsize(five));
    EXPECT_EQ(0, GetExtType(five));
    EXPECT_EQ(5, GetExtType(1 - five));
    EXPECT_NE(0u, GetFileAttribute(1 - five) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(GetFtime(five), GetFdate(five));
    EXPECT_NE(0u, GetFtime(five));
    const DWORD cluster = GetBytePerSector();
    EXPECT_EQ(UNITFSIZE(5, 0, cluster), GetTotalFileSize());
    EXPECT_NE(nullptr, tables.file_short[five]);
}

// ---- Exclusions and the filter

TEST_F(ListingRead, ExclusionsMatchPartByPartWithTheSameNumberOfPeriods) {
    for (const char* n : {"a.txt", "B.TXT", "a.b.txt", "keep.doc", "x", "x.y"}) temp.file(n);
    SetExcludedFile("*.txt;x");
    EXPECT_EQ(3, read_files(temp.path()));
    EXPECT_EQ((std::vector<std::string>{"a.b.txt", "keep.doc", "x.y"}), sorted(tables.file_names()));
    SetExcludedFile("*.*.TXT");
    EXPECT_EQ(5, read_files(temp.path()));
    EXPECT_EQ((std::vector<std::string>{"B.TXT", "a.txt", "keep.doc", "x", "x.y"}), sorted(tables.file_names()));
    SetExcludedFile("");
    EXPECT_EQ(nullptr, GetExcludedFile());
    EXPECT_EQ(6, read_files(temp.path()));
}

TEST_F(ListingRead, ExcludedListIsStoredNulSeparated) {
    SetExcludedFile("a.*;;b");
    const char* list = GetExcludedFile();
    ASSERT_NE(nullptr, list);
    EXPECT_STREQ("a.*", list);
    EXPECT_STREQ("b", list + 4);
    EXPECT_STREQ("", list + 6);
}

TEST_F(ListingRead, WildcardFilterDropsNamesWithMorePeriods) {
    for (const char* n : {"a.txt", "B.TXT", "a.b.txt", "c.doc"}) temp.file(n);
    SetFileMatchedByWildCard("*.txt");
    EXPECT_EQ(2, read_files(temp.path(), "*.txt"));
    EXPECT_EQ((std::vector<std::string>{"B.TXT", "a.txt"}), sorted(tables.file_names()));
    SetFileMatchedByWildCard("*.*");
    EXPECT_EQ(3, read_files(temp.path(), "*.txt"));
}

struct MatchRow { const char* name; const char* spec; BOOL expected; };
const MatchRow kMatchRows[] = {
    {"a.txt", nullptr, TRUE},
    {"a.txt", "*.txt", TRUE},
    {"a.TXT", "*.txt", TRUE},
    {"a.b.txt", "*.txt", FALSE},   // two periods against one
    {"a.txt", "*.*.txt", FALSE},
    {"a.b.txt", "*.*.txt", TRUE},
    {"a.txt", "*.*", FALSE},       // only stars
    {"a", "*", FALSE},
    {"readme", "README", TRUE},
    {"a.doc", "*.txt", FALSE},
    {"\x95\x5c.txt", "\x95\x5c.*", TRUE},
    {"\x95\x5c.txt", "\x95\x7c.*", FALSE},
    {"", "*.txt", FALSE},
};

TEST(ListingMatch, NameAgainstSpecification) {
    for (const MatchRow& row : kMatchRows)
        EXPECT_EQ(row.expected, IsFileMatchedByWildCard(row.name, row.spec))
            << row.name << " / " << (row.spec ? row.spec : "(null)");
}

// ---- Names whose trail byte is 0x5C

TEST_F(ListingRead, TrailByteYenNamesAreStoredWhole) {
    const std::string hyo = sjis("表"), so = sjis("ソ"), nou = sjis("能");
    temp.folder(hyo + "\\" + nou);
    temp.file(hyo + "\\" + so + ".txt", "x");
    temp.folder(hyo + "\\" + so);
    const std::string folder = temp / hyo;
    ASSERT_EQ(4, read_folders(folder));
    auto names = tables.folder_names();
    EXPECT_EQ(temp.path(), names[1]);
    EXPECT_EQ(sorted({nou, so}), sorted({names[2], names[3]}));
    ASSERT_EQ(1, read_files(folder));
    EXPECT_EQ(so + ".txt", tables.file_names()[0]);
    // The upper entry of a folder below one whose name ends in 0x5C.
    ASSERT_EQ(2, read_folders(folder + "\\" + nou));
    EXPECT_EQ(folder, tables.folder_names()[1]);
    char out[520];
    EXPECT_STREQ(folder.c_str(), GetRawDirectory(out, 1, 0));
    EXPECT_EQ(nullptr, GetRawDirectory(out, 2, 0));
    EXPECT_STREQ("", out);
}

// ---- Limit, nesting and stop

TEST_F(ListingRead, FullFileTableEndsTheReadWithTheLimitMessage) {
    for (int i = 0; i < 60; ++i) temp.file(numbered(i));
    MessageBoxRecorder boxes({IDOK});
    const LONG offset = GetMaxFileNumber() - 50;
    EXPECT_EQ(GetMaxFileNumber(), read_files(temp.path(), "*.*", offset));
    EXPECT_EQ(GetMaxFileNumber(), GetTotalNumberOfFile());
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_NE(std::string::npos, boxes.boxes()[0].text.find(sjis("最大格納数")));
    EXPECT_NE(std::string::npos, boxes.boxes()[0].text.find("[30000]"));
    ASSERT_NE(nullptr, tables.file_long[GetMaxFileNumber() - 1]);
    EXPECT_EQ(nullptr, tables.file_long_h[GetMaxFileNumber()]);
}

TEST_F(ListingRead, NestedReadsReturnMinus18) {
    for (int i = 0; i < 5; ++i) temp.file(numbered(i));
    temp.folder("sub");
    LONG nested_file = 0, nested_dir = 0, busy_file = 0, busy_dir = 0;
    HandlerWindow window([&](HWND, UINT m) {
        if (m == WM_APP + 1) {
            busy_file = FindFileBeingPeformed();
            nested_file = FindFile(nullptr, 0);
        } else if (m == WM_APP + 2) {
            busy_dir = FindDirBeingPeformed();
            nested_dir = FindDirectory(nullptr, 1);
        }
    });
    Sleep(20);  // the read pumps at its first entry
    PostMessageA(window.hwnd(), WM_APP + 1, 0, 0);
    EXPECT_EQ(5, read_files(temp.path()));
    EXPECT_EQ(1, busy_file);
    EXPECT_EQ(kListingNested, nested_file);
    EXPECT_EQ(0, FindFileBeingPeformed());
    Sleep(20);
    PostMessageA(window.hwnd(), WM_APP + 2, 0, 0);
    EXPECT_EQ(3, read_folders(temp.path()));
    EXPECT_EQ(1, busy_dir);
    EXPECT_EQ(kListingNested, nested_dir);
    EXPECT_EQ(0, FindDirBeingPeformed());
}

TEST_F(ListingRead, StopDuringReadKeepsWhatWasRead) {
    for (int i = 0; i < 40; ++i) temp.file(numbered(i));
    int ticks = 0;
    HandlerWindow window([&](HWND w, UINT m) {
        if (m != WM_APP + 3) return;
        if (++ticks < 5) {
            Sleep(12);  // the next entry pumps again
            PostMessageA(w, WM_APP + 3, 0, 0);
        } else {
            SetStopExecutingFlag(1);
        }
    });
    MessageBoxRecorder boxes({IDOK});
    Sleep(20);
    PostMessageA(window.hwnd(), WM_APP + 3, 0, 0);
    const LONG count = read_files(temp.path());
    ResetCancellingFlags(0);
    EXPECT_EQ(5, ticks);
    EXPECT_GE(count, 1);
    EXPECT_LT(count, 40);
    EXPECT_EQ(count, GetTotalNumberOfFile());
    for (const std::string& name : tables.file_names()) EXPECT_EQ('f', name[0]) << name;
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_NE(std::string::npos, boxes.boxes()[0].text.find(sjis("中止")));
}
}  // namespace

// ---- Disk errors before the read

namespace {
// A drive letter that names no drive here.
std::string missing_drive_root() {
    const DWORD drives = GetLogicalDrives();
    for (char letter = 'Q'; letter <= 'Y'; ++letter)
        if (!(drives & (1u << (letter - 'A')))) return std::string(1, letter) + ":\\";
    return {};
}
}  // namespace

struct DiskErrorRow {
    const char* what;
    bool files;         // FindFile, else FindDirectory
    bool network;       // a network-form folder, else a drive that is not there
    int answer;         // the button pressed in the error box
    LONG expected;      // kListing... code, or 1 for "the count read (no error code)"
};

class ListingDiskErrors : public ListingRead, public ::testing::WithParamInterface<DiskErrorRow> {};

TEST_P(ListingDiskErrors, DiskSizesThatCannotBeReadEndTheRead) {
    const DiskErrorRow& row = GetParam();
    std::string folder = row.network ? std::string("\\:\\Nowhere\\Nothing") : missing_drive_root();
    ASSERT_FALSE(folder.empty());
    MessageBoxRecorder boxes;
    boxes.answer(row.answer);
    const LONG got = row.files ? read_files(folder) : read_folders(folder);
    if (row.expected == 1) {
        EXPECT_GE(got, 0) << row.what;
    } else {
        EXPECT_EQ(row.expected, got) << row.what;
    }
    ASSERT_EQ(1u, boxes.boxes().size()) << row.what;
    // Both reads ask whether to go on; the folder read names itself.
    EXPECT_EQ(UINT(MB_YESNO), boxes.boxes()[0].style & MB_TYPEMASK) << row.what;
    const bool names_folder = boxes.boxes()[0].text.find(sjis("[ﾌｫﾙﾀﾞ]")) != std::string::npos;
    EXPECT_EQ(!row.files, names_folder) << row.what;
    if (row.files) {
        EXPECT_EQ(0, GetTotalNumberOfFile()) << row.what;
    }
}

const DiskErrorRow kDiskErrorRows[] = {
    {"folders, drive not there, stop", false, false, IDNO, kListingDiskUnreadable},
    {"folders, drive not there, go on", false, false, IDYES, 1},
    {"folders, network form, stop", false, true, IDNO, kListingNetDiskUnreadable},
    {"files, drive not there, stop", true, false, IDNO, kListingDiskUnreadableBeforeFiles},
    {"files, drive not there, go on", true, false, IDYES, 1},
    {"files, network form, stop", true, true, IDNO, kListingDiskUnreadableBeforeFiles},
};
INSTANTIATE_TEST_SUITE_P(Rows, ListingDiskErrors, ::testing::ValuesIn(kDiskErrorRows));
