// myAppendFile (both time indexes, failures that keep the target, a target
// that is one of its sources) and mySHCopyFile through Wine's shell.
#include <windows.h>
#include <string>
#include "copy_fixture.h"
#include "frame/error_state.h"
#include "support/guarded_buffer.h"
#include "support/message_box_recorder.h"
#include "support/sjis.h"

using copy_test::CopyTest;
using copy_test::kProgress;
using copy_test::ProgressWindow;
using ferro_test::exists;
using ferro_test::GuardedBuffer;
using ferro_test::read_file;
using ferro_test::sjis;

namespace {
void set_write_time(const std::string& path, ULONGLONG when) {
    FILETIME t = {DWORD(when), DWORD(when >> 32)};
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(h, nullptr, nullptr, &t);
    CloseHandle(h);
}

bool any_match(const std::string& pattern) {
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA(pattern.c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return false;
    FindClose(h);
    return true;
}

// ---- myAppendFile
class AppendFile : public CopyTest {};

TEST_F(AppendFile, JoinsAndTakesTheChosenTimes) {
    const std::string first = temp_.file("first.txt", copy_test::pattern(20000, 1));
    const std::string second = temp_.file(sjis("表2.txt"), copy_test::pattern(30000, 2));
    const ULONGLONG times[2] = {0x01c0000012345600ull, 0x01c1000065432100ull};
    set_write_time(first, times[0]);
    set_write_time(second, times[1]);
    for (LONG index : {0, 1}) {
        const std::string target = temp_ / sjis("ソ能.txt");
        GuardedBuffer name(520);
        EXPECT_EQ(myAppendFile(nullptr, first.c_str(), second.c_str(), target.c_str(), name, index), 0);
        EXPECT_TRUE(read_file(target) == copy_test::pattern(20000, 1) + copy_test::pattern(30000, 2));
        EXPECT_EQ(copy_test::as_number(copy_test::write_time_of(target)), times[index]) << index;
        EXPECT_EQ(name.str(), second);
    }
}

TEST_F(AppendFile, TargetTakesTheSecondsAttributes) {
    const std::string first = temp_.file("a", "A");
    const std::string second = temp_.file("b", "B");
    SetFileAttributesA(second.c_str(), FILE_ATTRIBUTE_HIDDEN);
    const std::string target = temp_ / "ab";
    EXPECT_EQ(myAppendFile(nullptr, first.c_str(), second.c_str(), target.c_str(), nullptr, 0), 0);
    EXPECT_EQ(read_file(target), "AB");
    EXPECT_EQ(copy_test::attributes_of(target) & FILE_ATTRIBUTE_HIDDEN, DWORD(FILE_ATTRIBUTE_HIDDEN));
}

// A failed join leaves an existing target byte-identical and no file beside
// it; a target it would have created is not there; the name handed back is the
// file that failed.
TEST_F(AppendFile, FailureLeavesTheTargetAsItWas) {
    const std::string first = temp_.file("a", "A");
    const std::string second = temp_.file(sjis("表b"), "B");
    const std::string missing = temp_ / sjis("ソmissing");
    const std::string held = temp_.file("held", "H");
    const std::string target = temp_ / "ab";
    HANDLE lock = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    struct Case {
        const char* what;
        std::string first, second;
        const char* old_target;  // null: no target before the join
        DWORD target_attributes;
        LONG result;
        std::string name;
    } cases[] = {
        {"second missing", first, missing, "an older join", 0, -9, missing},
        {"first missing", missing, second, "an older join", 0, -9, missing},
        {"second held", first, held, "an older join", 0, -9, held},
        {"no target, second missing", first, missing, nullptr, 0, -9, missing},
        {"read-only target", first, second, "kept", FILE_ATTRIBUTE_READONLY, -15, target},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.old_target) {
            temp_.file("ab", c.old_target);
            if (c.target_attributes) SetFileAttributesA(target.c_str(), c.target_attributes);
        }
        GuardedBuffer name(520);
        EXPECT_EQ(myAppendFile(nullptr, c.first.c_str(), c.second.c_str(), target.c_str(), name, 0), c.result);
        EXPECT_EQ(name.str(), c.name);
        if (c.old_target)
            EXPECT_EQ(read_file(target), c.old_target);
        else
            EXPECT_FALSE(exists(target));
        EXPECT_FALSE(any_match(temp_ / "~fj*.tmp"));
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(target.c_str());
    }
    CloseHandle(lock);
    // A target held by another program without sharing is refused, and kept.
    temp_.file("ab", "held target");
    HANDLE target_lock = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(myAppendFile(nullptr, first.c_str(), second.c_str(), target.c_str(), nullptr, 0), -15);
    CloseHandle(target_lock);
    EXPECT_EQ(read_file(target), "held target");
    // A join over an existing target replaces it whole.
    EXPECT_EQ(myAppendFile(nullptr, first.c_str(), second.c_str(), target.c_str(), nullptr, 0), 0);
    EXPECT_EQ(read_file(target), "AB");
    EXPECT_EQ(read_file(first), "A");
}

// Marks a folder immutable on the Linux side (or clears the mark) with
// chattr, run by a Unix shell that Wine starts: such a folder takes no new
// file even from root, while the files in it can still be written. Wine gives
// no wait on a Unix process, so the shell writes chattr's exit status to a
// file beside the folder; true when that status is 0.
bool mark_immutable(const std::string& folder, bool on) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    auto unix_name = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unix_name) return false;
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wide, MAX_PATH);
    char* name = unix_name(wide);
    if (!name) return false;
    const std::string unix_folder = name;
    HeapFree(GetProcessHeap(), 0, name);
    const std::string status = folder + ".status";
    DeleteFileA(status.c_str());
    std::string command = "/bin/sh -c \"chattr " + std::string(on ? "+i" : "-i") + " '" + unix_folder +
                          "'; echo $? > '" + unix_folder + ".status'\"";
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION process;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    std::string written;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 10000;) {
        if (GetFileAttributesA(status.c_str()) != INVALID_FILE_ATTRIBUTES && !(written = read_file(status)).empty() &&
            written.back() == '\n')
            break;
        WaitForSingleObject(process.hProcess, 10);
    }
    CloseHandle(process.hProcess);
    DeleteFileA(status.c_str());
    return written == "0\n";
}

// An existing target whose folder takes no new file beside it is refused and
// kept as it was.
TEST_F(AppendFile, NoFileBesideTheTargetKeepsTheTarget) {
    const std::string first = temp_.file("a", "A");
    const std::string second = temp_.file("b", "B");
    const std::string folder = temp_.folder("locked");
    const std::string target = temp_.file("locked\\t", "kept");
    if (!mark_immutable(folder, true)) GTEST_SKIP() << "chattr +i is not allowed on this machine";
    const LONG result = myAppendFile(nullptr, first.c_str(), second.c_str(), target.c_str(), nullptr, 0);
    const DWORD error = Get_nERRNO();
    EXPECT_TRUE(mark_immutable(folder, false));
    EXPECT_EQ(result, -15);
    EXPECT_NE(error, 0u);
    EXPECT_EQ(read_file(target), "kept");
}

TEST_F(AppendFile, TargetThatIsASourceLosesNothing) {
    const std::string first = temp_.file("a", "A");
    const std::string second = temp_.file("b", "B");
    EXPECT_EQ(myAppendFile(nullptr, first.c_str(), second.c_str(), first.c_str(), nullptr, 0), -15);
    EXPECT_EQ(myAppendFile(nullptr, first.c_str(), second.c_str(), second.c_str(), nullptr, 0), -15);
    EXPECT_EQ(read_file(first), "A");
    EXPECT_EQ(read_file(second), "B");
}

TEST_F(AppendFile, BadInputTouchesNothing) {
    const std::string second = temp_.file("b", "B");
    const std::string target = temp_.file("t", "T");
    EXPECT_EQ(myAppendFile(nullptr, nullptr, second.c_str(), target.c_str(), nullptr, 0), 0);
    EXPECT_EQ(read_file(target), "T");
    EXPECT_EQ(myAppendFile(nullptr, second.c_str(), nullptr, target.c_str(), nullptr, 0), -9);
    EXPECT_EQ(myAppendFile(nullptr, second.c_str(), second.c_str(), nullptr, nullptr, 0), -15);
    EXPECT_EQ(read_file(target), "T");
}

TEST_F(AppendFile, FolderAsTargetFails) {
    const std::string first = temp_.file("a", "A");
    const std::string folder = temp_.folder("dir");
    EXPECT_EQ(myAppendFile(nullptr, first.c_str(), first.c_str(), folder.c_str(), nullptr, 0), -15);
    EXPECT_TRUE(copy_test::attributes_of(folder) & FILE_ATTRIBUTE_DIRECTORY);
}

// ---- mySHCopyFile
class ShellCopy : public CopyTest {
protected:
    // A path, its NUL, and two bytes of room that the copy must not touch.
    static std::string room(const std::string& path) {
        std::string out(path.size() + 3, '\x7f');
        out.replace(0, path.size(), path);
        out[path.size()] = '\0';
        return out;
    }
};

TEST_F(ShellCopy, CopiesAndKeepsTheRunState) {
    const std::string data = copy_test::pattern(70000);
    std::string source = room(temp_.file(sjis("表.bin"), data));
    std::string target = room(temp_ / sjis("能.bin"));
    ProgressWindow window;
    SaveFileSizeForCopyFile(70000, 0);
    EXPECT_EQ(mySHCopyFile(window.hwnd(), source.data(), target.data(), 0, kProgress), 0);
    EXPECT_EQ(source.substr(source.size() - 2), "\x7f\x7f");
    EXPECT_EQ(target.substr(target.size() - 2), "\x7f\x7f");
    EXPECT_TRUE(read_file(temp_ / sjis("能.bin")) == data);
    EXPECT_EQ(window.done(), std::vector<ULONGLONG>{70000});
    EXPECT_EQ(GetCopiedTotalSize(), 70000u);
    EXPECT_EQ(IsSomeFilesCopiedSuccessifully(), 1);
}

TEST_F(ShellCopy, IntoAFolderWithTheTargetAttribute) {
    std::string source = room(temp_.file("into.txt", "into"));
    std::string folder = room(temp_.folder("box"));
    SetTgtAttributeInCopyFile(FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(mySHCopyFile(nullptr, source.data(), folder.data(), 0, 0), 0);
    const std::string made = temp_ / "box\\into.txt";
    EXPECT_EQ(read_file(made), "into");
    EXPECT_EQ(copy_test::attributes_of(made) & FILE_ATTRIBUTE_READONLY, DWORD(FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetCopiedTotalSize(), 4u);
}

// A failure other than a cancel is a failure: noted, never the last result.
TEST_F(ShellCopy, FailureIsNotedWithTheSystemPrefix) {
    std::string good = room(temp_.file("good.txt", "g"));
    std::string good_target = room(temp_ / "good copy.txt");
    ASSERT_EQ(mySHCopyFile(nullptr, good.data(), good_target.data(), 0, 0), 0);
    SetIgnoreErrorsForMyCopyFile(1);
    ferro_test::MessageBoxRecorder boxes;
    boxes.answer_all(IDOK);
    std::string source = room(temp_ / "missing.txt");
    std::string target = room(temp_ / "never.txt");
    const LONG result = mySHCopyFile(nullptr, source.data(), target.data(), 0, 0);
    EXPECT_TRUE(result == -21 || result == -20) << result;
    EXPECT_FALSE(exists(temp_ / "never.txt"));
    const std::string list = copy_test::report_list();
    EXPECT_NE(list.find(sjis("ウィンドウズ提供機能:")), std::string::npos) << list;
    EXPECT_NE(list.find(temp_ / "missing.txt"), std::string::npos) << list;
    EXPECT_EQ(IsSomeFilesCopiedSuccessifully(), 1);  // only the first copy
}

TEST_F(ShellCopy, StopBeforeTheOperation) {
    std::string source = room(temp_.file("s.txt", "s"));
    std::string target = room(temp_ / "t.txt");
    SetStopExecutingFlag(1);
    EXPECT_EQ(mySHCopyFile(nullptr, source.data(), target.data(), 0, 0), -17);
    EXPECT_FALSE(exists(temp_ / "t.txt"));
}

TEST_F(ShellCopy, BadInput) {
    EXPECT_EQ(mySHCopyFile(nullptr, nullptr, nullptr, 0, 0), -9);
    std::string source = room(temp_.file("s.txt", "s"));
    EXPECT_EQ(mySHCopyFile(nullptr, source.data(), nullptr, 0, 0), -15);
    // 519-byte paths in 520-byte buffers that end at a guard page: nothing is
    // written past them; 520 bytes without a NUL are refused.
    const std::string long_path = temp_ / std::string(519 - (temp_ / "").size(), 'x');
    ASSERT_EQ(long_path.size(), 519u);
    GuardedBuffer from(520), to(520);
    from.assign(long_path);
    to.assign(long_path);
    EXPECT_LT(mySHCopyFile(nullptr, from, source.data(), 0, 0), 0);
    EXPECT_LT(mySHCopyFile(nullptr, source.data(), to, 0, 0), 0);
    EXPECT_EQ(from.str(), long_path);
    GuardedBuffer unended(520, 'x');
    EXPECT_EQ(mySHCopyFile(nullptr, unended, source.data(), 0, 0), -9);
    EXPECT_EQ(mySHCopyFile(nullptr, source.data(), unended, 0, 0), -15);
}
}  // namespace
