#include <gtest/gtest.h>
#include <windows.h>
#include <cerrno>
#include <string>
#include <vector>
#include "ferromes.h"
#include "shutdown.h"
#include "frame/error_state.h"
#include "programs/error_report.h"
#include "programs/launch.h"
#include "support/child_program.h"
#include "support/message_box_recorder.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using ferro_test::MessageBoxRecorder;
using ferro_test::read_file;
using ferro_test::sjis;
using ferro_test::TempFolder;
using ferro_test::utf8;

namespace {
std::string title_text(UINT id) {
    MyLoadString(0, id);
    return GetLoadStrTitle();
}

std::string system_text(DWORD code) {
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string s = text ? text : "";
    if (text) LocalFree(text);
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n')) s.pop_back();
    return s;
}

// The system's own spelling, so that no bracketed spelling is added.
std::string long_path(const std::string& path) {
    char out[MAX_PATH * 2];
    DWORD n = GetLongPathNameA(path.c_str(), out, sizeof out);
    return n && n < sizeof out ? std::string(out) : path;
}

std::string list() {
    const char* p = GetOutputFileList();
    return p ? p : "";
}

const std::string kMissing = sjis("(先にはありません)");
const std::string kArrow = "\r\n          --> ";

class ErrorReport : public testing::Test {
protected:
    void SetUp() override {
        ReleaseOutputFileMemoryHandle();
        SetDisableIsFileDirExistForFailFile(FALSE);
        folder_ = long_path(temp_.path());
    }
    void TearDown() override {
        ReleaseOutputFileMemoryHandle();
        SetDisableIsFileDirExistForFailFile(FALSE);
        SetWorkDirForFailFile(nullptr);
    }
    std::string file(const std::string& name, DWORD attributes = FILE_ATTRIBUTE_ARCHIVE) {
        std::string path = long_path(temp_.file(name, "x"));
        SetFileAttributesA(path.c_str(), attributes);
        return path;
    }
    TempFolder temp_;
    std::string folder_;
};
}  // namespace

TEST_F(ErrorReport, OnlyTheFirstHeadingIsWritten) {
    SaveOutputFileMemoryHandle(nullptr, "first", nullptr, nullptr, 8110, 0);
    SaveOutputFileMemoryHandle(nullptr, "second", "", "", 8111, 0);
    EXPECT_EQ(utf8(list()), utf8(title_text(8110) + "\r\n\r\nfirst\r\nsecond\r\n"));
    EXPECT_EQ(title_text(8110), sjis("======複写中にｴﾗｰの出たﾌｧｲﾙ(ﾌｫﾙﾀﾞ)======"));
    // After a release the next heading is written again.
    ReleaseOutputFileMemoryHandle();
    SaveOutputFileMemoryHandle(nullptr, "third", nullptr, nullptr, 8111, 0);
    EXPECT_EQ(utf8(list()), utf8(title_text(8111) + "\r\n\r\nthird\r\n"));
}

struct AttributeRow { DWORD attributes; const char* letters; };
class SourceAttributes : public ErrorReport, public testing::WithParamInterface<AttributeRow> {};

TEST_P(SourceAttributes, ExistingSourceEndsWithFourLetters) {
    std::string source = file("source.dat", GetParam().attributes);
    SaveOutputFileMemoryHandle(nullptr, nullptr, source.c_str(), nullptr, 0, 0);
    EXPECT_EQ(list(), source + " " + GetParam().letters + "\r\n");
    SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_NORMAL);
}

INSTANTIATE_TEST_SUITE_P(
    Order, SourceAttributes,
    // Wine keeps the archive attribute of every file: each row has it.
    testing::Values(AttributeRow{FILE_ATTRIBUTE_ARCHIVE, "---A"},
                    AttributeRow{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE, "--RA"},
                    AttributeRow{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE, "-H-A"},
                    AttributeRow{FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE, "S--A"},
                    AttributeRow{FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY |
                                     FILE_ATTRIBUTE_ARCHIVE,
                                 "SHRA"}));

TEST_F(ErrorReport, FolderSourceAndMissingSource) {
    std::string sub = long_path(temp_.folder("sub"));
    SaveOutputFileMemoryHandle(nullptr, nullptr, sub.c_str(), nullptr, 0, 0);
    std::string missing = folder_ + "\\gone.dat";
    SaveOutputFileMemoryHandle(nullptr, nullptr, missing.c_str(), nullptr, 0, 0);
    std::string folder_letters = list().substr(sub.size(), 5);
    EXPECT_EQ(list(), sub + folder_letters + "\r\n" + missing + "\r\n");
    EXPECT_EQ(folder_letters[0], ' ');
}

TEST_F(ErrorReport, SystemSpellingInSquareBrackets) {
    std::string source = file("Report.dat");
    std::string upper = source.substr(0, source.size() - 10) + "REPORT.DAT";
    SaveOutputFileMemoryHandle(nullptr, nullptr, upper.c_str(), nullptr, 0, 0);
    EXPECT_EQ(list(), upper + "[" + source + "] ---A\r\n");
}

TEST_F(ErrorReport, TargetLineAndItsNotes) {
    std::string source = file("a.dat");
    std::string there = file("b.dat");
    std::string missing = folder_ + "\\none.dat";
    SaveOutputFileMemoryHandle(nullptr, "copy: ", source.c_str(), missing.c_str(), 0, 0);
    SaveOutputFileMemoryHandle(nullptr, nullptr, nullptr, there.c_str(), 0, 0);
    EXPECT_EQ(utf8(list()), utf8("copy: " + source + " ---A" + kArrow + missing + kMissing + "\r\n" + kArrow +
                                 there + "\r\n"));
}

TEST_F(ErrorReport, ExistenceCheckOff) {
    EXPECT_EQ(SetDisableIsFileDirExistForFailFile(TRUE), TRUE);
    std::string missing = folder_ + "\\none.dat";
    SaveOutputFileMemoryHandle(nullptr, nullptr, nullptr, missing.c_str(), 0, 0);
    EXPECT_EQ(list(), kArrow + missing + "\r\n");
}

TEST_F(ErrorReport, SystemTextLine) {
    SaveOutputFileMemoryHandle(nullptr, "t", nullptr, nullptr, 0, ERROR_FILE_NOT_FOUND);
    std::string text = system_text(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(list(), "t\r\n  Windows>>" + text + "\r\n");
    // -1: the stored error.
    ReleaseOutputFileMemoryHandle();
    Set_nERRNO(ERROR_ACCESS_DENIED);
    SaveOutputFileMemoryHandle(nullptr, "u", nullptr, nullptr, 0, -1);
    EXPECT_EQ(list(), "u\r\n  Windows>>" + system_text(ERROR_ACCESS_DENIED) + "\r\n");
    // A number without a text adds nothing.
    ReleaseOutputFileMemoryHandle();
    SaveOutputFileMemoryHandle(nullptr, "v", nullptr, nullptr, 0, 0x2fffffff);
    EXPECT_EQ(list(), "v\r\n");
    Set_nERRNO(0);
}

TEST_F(ErrorReport, ErrorNumbersAreKept) {
    std::string missing = folder_ + "\\none\\deeper.dat";
    Set_nERRNO(1234);
    Set_errno(7);
    SetLastError(55);
    EXPECT_EQ(SaveOutputFileMemoryHandle(nullptr, "x", missing.c_str(), missing.c_str(), 8110, -1), 1234u);
    EXPECT_EQ(Get_nERRNO(), 1234u);
    EXPECT_EQ(Get_errno(), 7);
    EXPECT_EQ(GetLastError(), 55u);
    Set_nERRNO(0);
    Set_errno(0);
}

TEST_F(ErrorReport, DoubleByteNamesWithYenTrailBytes) {
    // 表 95 5C, ソ 83 5C, 能 94 5C: the trail bytes are no separators.
    std::string name = sjis("表ソ能.dat");
    std::string source = file(name);
    std::string target = folder_ + "\\" + sjis("能\\表");
    SaveOutputFileMemoryHandle(nullptr, sjis("失敗: ").c_str(), source.c_str(), target.c_str(), 0, 0);
    EXPECT_EQ(utf8(list()), utf8(sjis("失敗: ") + source + " ---A" + kArrow + target + kMissing + "\r\n"));
}

TEST_F(ErrorReport, ListStaysLockedUntilTheNextEntry) {
    SaveOutputFileMemoryHandle(nullptr, "a", nullptr, nullptr, 0, 0);
    LPSTR first = GetOutputFileList();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetOutputFileList(), first);
    SaveOutputFileMemoryHandle(nullptr, "b", nullptr, nullptr, 0, 0);
    EXPECT_STREQ(GetOutputFileList(), "a\r\nb\r\n");
    EXPECT_EQ(ReleaseOutputFileMemoryHandle(), 1);
    EXPECT_EQ(GetOutputFileList(), nullptr);
}

TEST_F(ErrorReport, ManyEntriesGrowTheList) {
    std::string line(300, 'x');
    for (int i = 0; i < 2000; ++i) SaveOutputFileMemoryHandle(nullptr, line.c_str(), nullptr, nullptr, 0, 0);
    EXPECT_EQ(list().size(), 2000u * 302u);
}

// ---- Re-entry: a call made while an entry is being added returns at once.
namespace {
struct Reentry {
    bool armed = false;
    bool called = false;
    DWORD result = 0;
} g_reentry;

LONG CALLBACK on_guard_page(EXCEPTION_POINTERS* info) {
    if (info->ExceptionRecord->ExceptionCode != STATUS_GUARD_PAGE_VIOLATION || !g_reentry.armed)
        return EXCEPTION_CONTINUE_SEARCH;
    g_reentry.armed = false;
    g_reentry.called = true;
    g_reentry.result = SaveOutputFileMemoryHandle(nullptr, "inner", nullptr, nullptr, 8111, 0);
    return EXCEPTION_CONTINUE_EXECUTION;  // the guard is gone; the read is made again
}
}  // namespace

TEST_F(ErrorReport, ReentryDuringAnAddReturnsAtOnce) {
    // The entry's text lies on a guard page: reading it during the add calls
    // the handler, which asks for a second entry.
    char* page = static_cast<char*>(VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_NE(page, nullptr);
    lstrcpyA(page, "outer");
    DWORD old = 0;
    ASSERT_TRUE(VirtualProtect(page, 4096, PAGE_READWRITE | PAGE_GUARD, &old));
    PVOID handler = AddVectoredExceptionHandler(1, on_guard_page);
    g_reentry = Reentry{};
    g_reentry.armed = true;
    Set_nERRNO(321);
    EXPECT_EQ(SaveOutputFileMemoryHandle(nullptr, page, nullptr, nullptr, 8110, 0), 321u);
    RemoveVectoredExceptionHandler(handler);
    EXPECT_TRUE(g_reentry.called);
    EXPECT_EQ(g_reentry.result, 321u);
    EXPECT_EQ(utf8(list()), utf8(title_text(8110) + "\r\n\r\nouter\r\n"));
    // Not busy any more.
    SaveOutputFileMemoryHandle(nullptr, "next", nullptr, nullptr, 0, 0);
    EXPECT_EQ(utf8(list()), utf8(title_text(8110) + "\r\n\r\nouter\r\nnext\r\n"));
    VirtualFree(page, 0, MEM_RELEASE);
    Set_nERRNO(0);
}

// ---- Report file
TEST_F(ErrorReport, WorkFolderLengths) {
    EXPECT_EQ(SetWorkDirForFailFile(folder_.c_str()), static_cast<int>(folder_.size()) + 1);
    EXPECT_EQ(SetWorkDirForFailFile(""), 1);
    std::string longest(519, 'a');
    EXPECT_EQ(SetWorkDirForFailFile(longest.c_str()), 520);
    std::string over(520, 'b');
    EXPECT_EQ(SetWorkDirForFailFile(over.c_str()), 0);
    EXPECT_EQ(SetWorkDirForFailFile(nullptr), 0);
}

TEST_F(ErrorReport, ViewWritesTheListWithTheArchiveAttribute) {
    MessageBoxRecorder boxes;
    boxes.answer_all(IDOK);
    SaveOutputFileMemoryHandle(nullptr, sjis("表").c_str(), nullptr, nullptr, 8110, 0);
    std::string expected = list();
    ReleaseOutputFileMemoryHandle();
    SaveOutputFileMemoryHandle(nullptr, sjis("表").c_str(), nullptr, nullptr, 8110, 0);
    SetWorkDirForFailFile(folder_.c_str());
    // The file is made read-only first: it is still overwritten.
    std::string path = file("report.ferrorep", FILE_ATTRIBUTE_READONLY);
    // The user's editor is the child, which records the file it was given.
    ferro_test::ChildRecord editor(temp_ / "editor.txt");
    SetEditor(nullptr, ferro_test::child_path().c_str());
    EXPECT_EQ(ViewOutputFiles(nullptr, "report.ferrorep", nullptr, nullptr), 1);
    ASSERT_TRUE(editor.done().wait());
    auto runs = editor.runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].args, std::vector<std::string>{path});
    EXPECT_EQ(read_file(path), expected);
    EXPECT_EQ(GetFileAttributesA(path.c_str()), DWORD(FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(GetOutputFileList() ? std::string(GetOutputFileList()) : "", expected) << "the list stays";
    // A given text, in a given folder.
    std::string sub = long_path(temp_.folder("sub"));
    EXPECT_NE(ViewOutputFiles(nullptr, "other.ferrorep", sub.c_str(), "abc\r\n"), 0);
    EXPECT_EQ(read_file(sub + "\\other.ferrorep"), "abc\r\n");
    // An editor that does not start: the file is written all the same.
    SetEditor(nullptr, (folder_ + "\\no-such-editor.exe").c_str());
    boxes.clear();
    boxes.answer_all(IDOK);
    EXPECT_EQ(ViewOutputFiles(nullptr, "third.ferrorep", nullptr, "x"), -1);
    EXPECT_EQ(read_file(folder_ + "\\third.ferrorep"), "x");
    EXPECT_EQ(boxes.boxes().size(), 1u) << "the failed start says why";
    FreeEditor();
}

TEST_F(ErrorReport, ViewWithNothingToWrite) {
    SetWorkDirForFailFile(folder_.c_str());
    EXPECT_EQ(ViewOutputFiles(nullptr, "empty.ferrorep", nullptr, nullptr), 0);
    EXPECT_FALSE(ferro_test::exists(folder_ + "\\empty.ferrorep"));
    EXPECT_EQ(ViewOutputFiles(nullptr, nullptr, nullptr, "x"), 0);
    EXPECT_EQ(ViewOutputFiles(nullptr, "", nullptr, "x"), 0);
    std::string deep(510, 'd');
    EXPECT_EQ(ViewOutputFiles(nullptr, "long-name.ferrorep", deep.c_str(), "x"), 0);
    EXPECT_EQ(ViewOutputFiles(nullptr, "x.ferrorep", (folder_ + "\\no\\such").c_str(), "x"), 0);
}

TEST_F(ErrorReport, DeleteTheReportFile) {
    SetWorkDirForFailFile(folder_.c_str());
    // A read-only file stays: the removal's failure is the result.
    std::string locked = file("locked.ferrorep", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(DeleteOutputFiles(nullptr, "locked.ferrorep"), 1);
    EXPECT_TRUE(ferro_test::exists(locked));
    std::string path = file("old.ferrorep");
    EXPECT_EQ(DeleteOutputFiles(nullptr, "old.ferrorep"), 0);
    EXPECT_FALSE(ferro_test::exists(path));
    EXPECT_EQ(DeleteOutputFiles(nullptr, "old.ferrorep"), 0) << "no such file";
    EXPECT_EQ(DeleteOutputFiles(nullptr, nullptr), 0);
    // A whole path is taken as it is.
    std::string whole = file("whole.ferrorep");
    SetWorkDirForFailFile("C:\\elsewhere");
    EXPECT_EQ(DeleteOutputFiles(nullptr, whole.c_str()), 0);
    EXPECT_FALSE(ferro_test::exists(whole));
}

TEST_F(ErrorReport, ShutdownReleasesTheList) {
    SaveOutputFileMemoryHandle(nullptr, "a", nullptr, nullptr, 8110, 0);
    GetOutputFileList();
    EXPECT_EQ(FreeAllAllocateMemoryInDll(), 1);
    EXPECT_EQ(GetOutputFileList(), nullptr);
    SaveOutputFileMemoryHandle(nullptr, "b", nullptr, nullptr, 8111, 0);
    EXPECT_EQ(utf8(list()), utf8(title_text(8111) + "\r\n\r\nb\r\n"));
}
