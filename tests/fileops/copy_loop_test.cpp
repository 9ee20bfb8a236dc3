// myOrgCopyFile on real files: block sizes seen through the progress
// message, overwriting, sharing violations, cancels, folders in the way,
// times and attributes, failures noted and their partial targets removed.
#include <windows.h>
#include <string>
#include <vector>
#include "copy_fixture.h"
#include "frame/error_state.h"
#include "support/sjis.h"

using copy_test::CopyTest;
using copy_test::kProgress;
using copy_test::ProgressWindow;
using ferro_test::exists;
using ferro_test::read_file;
using ferro_test::sjis;

namespace {
using Blocks = std::vector<ULONGLONG>;

// ---- Block sizes: a tenth plus 10, at least 1024, at most 0x8FFFFF
struct BlockRow { ULONGLONG size; bool speedy; Blocks blocks; };

Blocks repeated(ULONGLONG block, ULONGLONG total) {
    Blocks out;
    for (ULONGLONG done = 0; done < total; done += block) out.push_back(total - done < block ? total - done : block);
    return out;
}

class CopyBlocks : public CopyTest {};

TEST_F(CopyBlocks, SmallFilesByTheRule) {
    const BlockRow rows[] = {
        {0, false, {}},                          // no progress message with data
        {1, false, {1}},
        {1023, false, {1023}},
        {1024, false, {1024}},                   // one block
        {1025, false, {1024, 1}},                // 1025 / 10 + 10 = 112, raised to 1024
        {10250, false, repeated(1035, 10250)},   // a tenth plus 10
        {100000, false, repeated(10010, 100000)},
        {100000, true, {100000}},                // speedy: the whole file at once
        {1025, true, {1025}},
    };
    for (const BlockRow& row : rows) {
        const std::string data = copy_test::pattern(size_t(row.size), unsigned(row.size));
        const std::string source = temp_.file("src.bin", data);
        const std::string target = temp_ / "dst.bin";
        SetSpeedyCopyAtCopyingFunction(row.speedy);
        ProgressWindow window;
        EXPECT_EQ(copy(source, target, window.hwnd(), kProgress), 0) << row.size;
        EXPECT_EQ(window.blocks(), row.blocks) << row.size << (row.speedy ? " speedy" : "");
        EXPECT_TRUE(read_file(target) == data) << row.size;
        EXPECT_EQ(GetCopiedTotalSize(), row.size);
        ResetCopiedTotalSize();
    }
}

TEST_F(CopyBlocks, HundredMillionBytesInBlocksOfTheLimit) {
    const ULONGLONG size = 100000000;
    const std::string source = copy_test::sized_file(temp_, "big.bin", LONGLONG(size));
    const std::string target = temp_ / "big copy.bin";
    for (bool speedy : {false, true}) {
        SetSpeedyCopyAtCopyingFunction(speedy);
        ProgressWindow window;
        ASSERT_EQ(copy(source, target, window.hwnd(), kProgress), 0);
        EXPECT_EQ(window.blocks(), repeated(0x8FFFFF, size)) << speedy;
        EXPECT_EQ(window.done().back(), size);
        EXPECT_EQ(copy_test::size_of(target), size);
    }
}

// ---- Overwriting and what is carried over
class CopyTargets : public CopyTest {};

TEST_F(CopyTargets, ReadOnlyHiddenOrSystemTargetIsOverwritten) {
    const std::string source = temp_.file("new.txt", "the new text");
    for (DWORD in_the_way : {DWORD(FILE_ATTRIBUTE_READONLY), DWORD(FILE_ATTRIBUTE_HIDDEN),
                             DWORD(FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY)}) {
        const std::string target = temp_.file("old.txt", "an old and longer text");
        ASSERT_TRUE(SetFileAttributesA(target.c_str(), in_the_way));
        EXPECT_EQ(copy(source, target), 0) << in_the_way;
        EXPECT_EQ(read_file(target), "the new text");
        EXPECT_EQ(copy_test::attributes_of(target), copy_test::attributes_of(source)) << in_the_way;
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// A read-only target that cannot be opened even so keeps its attributes.
TEST_F(CopyTargets, RefusedTargetKeepsItsAttributes) {
    const std::string source = temp_.file("new.txt", "new");
    const std::string target = temp_.file("held.txt", "held");
    ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));
    HANDLE holder = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(copy(source, target), -15);  // a sharing violation keeps its code
    CloseHandle(holder);
    EXPECT_EQ(read_file(target), "held");
    EXPECT_EQ(copy_test::attributes_of(target) & FILE_ATTRIBUTE_READONLY, DWORD(FILE_ATTRIBUTE_READONLY));
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(CopyTargets, TimesAndAttributesAreCarriedOver) {
    for (DWORD attributes : {DWORD(FILE_ATTRIBUTE_ARCHIVE), DWORD(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE),
                             DWORD(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY)}) {
        const std::string source = temp_.file("timed.txt", copy_test::pattern(3000));
        const std::string target = temp_ / "timed copy.txt";
        SYSTEMTIME st = {2001, 2, 0, 3, 4, 5, 6, 0};
        FILETIME when;
        SystemTimeToFileTime(&st, &when);
        HANDLE h = CreateFileA(source.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &when));
        CloseHandle(h);
        ASSERT_TRUE(SetFileAttributesA(source.c_str(), attributes));

        EXPECT_EQ(copy(source, target), 0) << attributes;
        EXPECT_EQ(copy_test::as_number(copy_test::write_time_of(target)), copy_test::as_number(when)) << attributes;
        // The file system may keep the archive bit whatever it is given.
        EXPECT_EQ(copy_test::attributes_of(target), copy_test::attributes_of(source)) << attributes;
        EXPECT_EQ(copy_test::attributes_of(target) & attributes, attributes);
        SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_NORMAL);
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(CopyTargets, ZeroLengthSourceGetsItsTimes) {
    const std::string source = temp_.file("empty.txt");
    const std::string target = temp_.file("was full.txt", "something");
    FILETIME when = {0x12345600, 0x01c00000};
    HANDLE h = CreateFileA(source.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(h, nullptr, nullptr, &when);
    CloseHandle(h);
    ProgressWindow window;
    EXPECT_EQ(copy(source, target, window.hwnd(), kProgress), 0);
    EXPECT_EQ(copy_test::size_of(target), 0u);
    EXPECT_TRUE(window.done().empty());
    EXPECT_EQ(copy_test::as_number(copy_test::write_time_of(target)), copy_test::as_number(when));
    EXPECT_EQ(IsSomeFilesCopiedSuccessifully() & 1, 1);
}

TEST_F(CopyTargets, TargetAttributeReplacesTheSources) {
    const std::string source = temp_.file("plain.txt", "abc");
    ASSERT_TRUE(SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string target = temp_ / "hidden.txt";
    SetTgtAttributeInCopyFile(FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(copy(source, target), 0);
    EXPECT_EQ(copy_test::attributes_of(target) & ~FILE_ATTRIBUTE_ARCHIVE, DWORD(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(copy_test::attributes_of(source) & ~FILE_ATTRIBUTE_ARCHIVE, DWORD(FILE_ATTRIBUTE_READONLY));
}

TEST_F(CopyTargets, NamesWithTrailByteYen) {
    for (const char* name : {"表", "ソ", "能", "表ソ能.txt"}) {
        const std::string folder = temp_.folder(sjis(name));
        const std::string source = temp_.file(sjis(name) + "\\" + sjis(name), "yen " + std::string(name));
        const std::string target = folder + "\\" + sjis("能ソ表");
        EXPECT_EQ(copy(source, target), 0) << name;
        EXPECT_EQ(read_file(target), "yen " + std::string(name)) << name;
    }
}

TEST_F(CopyTargets, CopiedFlagsAndTotalAddUp) {
    const std::string a = temp_.file("a", std::string(3000, 'a'));
    const std::string b = temp_.file("b", std::string(5000, 'b'));
    EXPECT_EQ(AddCopiedTotalSize(7, 0), 0);
    EXPECT_EQ(copy(a, temp_ / "a2"), 0);
    EXPECT_EQ(copy(b, temp_ / "b2"), 0);
    EXPECT_EQ(GetCopiedTotalSize(), 8007u);
    EXPECT_EQ(IsSomeFilesCopiedSuccessifully(), 1);
}

// ---- Failures
class CopyFailures : public CopyTest {};

TEST_F(CopyFailures, SharingViolationKeepsItsOwnCode) {
    const std::string source = temp_.file("locked.txt", "held");
    const std::string target = temp_ / "never.txt";
    HANDLE holder = CreateFileA(source.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(copy(source, target), -9);
    EXPECT_EQ(Get_nERRNO(), DWORD(ERROR_SHARING_VIOLATION));
    CloseHandle(holder);
    EXPECT_FALSE(exists(target));
    EXPECT_NE(copy_test::report_list().find(source), std::string::npos);
    EXPECT_EQ(IsSomeFilesCopiedSuccessifully(), 0);
}

TEST_F(CopyFailures, FolderInTheWay) {
    const std::string source = temp_.file("name", "data");
    const std::string target = temp_.folder("taken");
    EXPECT_EQ(copy(source, target), -19);
    EXPECT_EQ(copy_test::attributes_of(target) & FILE_ATTRIBUTE_DIRECTORY, DWORD(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_NE(copy_test::report_list().find(target), std::string::npos);
}

TEST_F(CopyFailures, MissingSourceIsNotedAndNothingIsMade) {
    const std::string source = temp_ / "missing.txt";
    const std::string target = temp_ / "made.txt";
    EXPECT_EQ(copy(source, target), -21);
    EXPECT_FALSE(exists(target));
    const std::string list = copy_test::report_list();
    EXPECT_NE(list.find(sjis("======複写中にｴﾗｰの出たﾌｧｲﾙ(ﾌｫﾙﾀﾞ)======")), std::string::npos) << list;
    EXPECT_NE(list.find(source), std::string::npos) << list;
    EXPECT_EQ(Get_nERRNO(), DWORD(ERROR_FILE_NOT_FOUND));
}

// A source that ends early (cut short by another program between two blocks)
// on the same drive: the partial target is removed and the failure noted,
// never reported as copied.
TEST_F(CopyFailures, SourceCutShortRemovesThePartialTarget) {
    const std::string source = temp_.file("shrinking.bin", copy_test::pattern(10000));
    const std::string target = temp_.file("shrinking copy.bin", "an older copy");
    SetSharedModeForCopyFile(0, 1);
    ProgressWindow window;
    window.on_progress = [&](ULONGLONG done) {
        if (done != 1024) return;
        HANDLE h = CreateFileA(source.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        LARGE_INTEGER at;
        at.QuadPart = 1500;
        SetFilePointerEx(h, at, nullptr, FILE_BEGIN);
        SetEndOfFile(h);
        CloseHandle(h);
    };
    EXPECT_EQ(copy(source, target, window.hwnd(), kProgress), -21);
    EXPECT_EQ(window.done(), (std::vector<ULONGLONG>{1024, 1500}));
    EXPECT_FALSE(exists(target));
    EXPECT_NE(copy_test::report_list().find(source), std::string::npos);
    EXPECT_EQ(IsSomeFilesCopiedSuccessifully(), 0);
}

// After a failure the drive that was current at the start is made current again.
TEST_F(CopyFailures, DriveOfTheStartIsCurrentAgain) {
    char before[MAX_PATH];
    GetCurrentDirectoryA(sizeof before, before);
    const char other = before[0] == 'C' || before[0] == 'c' ? 'Z' : 'C';
    std::string source = temp_ / "missing.txt", target = temp_ / "never.txt";
    EXPECT_EQ(myOrgCopyFile(nullptr, source.data(), target.data(), other, 0), -21);
    char after[MAX_PATH];
    GetCurrentDirectoryA(sizeof after, after);
    SetCurrentDirectoryA(before);
    EXPECT_EQ(after[0] & ~0x20, other);
}

// With both share modes on, a copy onto the source itself must not empty it.
TEST_F(CopyFailures, SourceOntoItselfLosesNothing) {
    const std::string source = temp_.file("self.txt", "keep me");
    SetSharedModeForCopyFile(0, 1);
    SetSharedModeForCopyFile(1, 1);
    EXPECT_EQ(copy(source, source), -15);
    EXPECT_EQ(read_file(source), "keep me");
    std::string shorter = temp_.path() + "\\.\\self.txt";
    EXPECT_EQ(copy(source, shorter), -15);
    EXPECT_EQ(read_file(source), "keep me");
}

TEST_F(CopyFailures, BadInputIsRefused) {
    const std::string source = temp_.file("good.txt", "x");
    EXPECT_EQ(myOrgCopyFile(nullptr, nullptr, nullptr, 0, 0), -21);
    std::string s = source;
    EXPECT_EQ(myOrgCopyFile(nullptr, s.data(), nullptr, 0, 0), -21);
    std::string too_long = temp_.path() + "\\" + std::string(600, 'a');
    EXPECT_EQ(myOrgCopyFile(nullptr, s.data(), too_long.data(), 0, 0), -21);
    EXPECT_EQ(read_file(source), "x");
}

// ---- Cancel
class CopyCancel : public CopyTest {};

TEST_F(CopyCancel, StopFromTheProgressHandlerRemovesThePartialTarget) {
    const std::string source = temp_.file("long.bin", copy_test::pattern(200000));
    const std::string target = temp_.file("long copy.bin", "older");
    ProgressWindow window;
    window.on_progress = [](ULONGLONG) { SetStopExecutingFlag(1); };
    EXPECT_EQ(copy(source, target, window.hwnd(), kProgress), -17);
    EXPECT_EQ(window.done().size(), 1u);
    EXPECT_FALSE(exists(target));
    EXPECT_EQ(IsSomeFilesCopiedSuccessifully(), 0);
    EXPECT_EQ(copy_test::report_list(), "");
}

TEST_F(CopyCancel, StopAfterTheLastBlockKeepsTheCompleteTarget) {
    const std::string data = copy_test::pattern(5000);
    const std::string source = temp_.file("short.bin", data);
    const std::string target = temp_ / "short copy.bin";
    ProgressWindow window;
    window.on_progress = [](ULONGLONG done) {
        if (done == 5000) SetStopExecutingFlag(1);
    };
    SetSpeedyCopyAtCopyingFunction(1);
    EXPECT_EQ(copy(source, target, window.hwnd(), kProgress), -17);
    EXPECT_TRUE(read_file(target) == data);
    EXPECT_EQ(IsSomeFilesCopiedSuccessifully(), 1);
}

TEST_F(CopyCancel, StopBeforeTheStartTouchesNothing) {
    const std::string source = temp_.file("s.txt", "s");
    const std::string target = temp_.file("t.txt", "t");
    SetStopExecutingFlag(1);
    EXPECT_EQ(copy(source, target), -17);
    EXPECT_EQ(read_file(target), "t");
}
}  // namespace
