#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <string>
#include <utility>
#include <vector>
#include "frame/handles.h"
#include "frame/program_windows.h"
#include "programs/processes.h"
#include "support/child_program.h"
#include "support/message_box_recorder.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using namespace ferro_test;

namespace {
std::string g_received;
int g_calls;
void CALLBACK receive(LPCSTR text) {
    g_received = text;
    ++g_calls;
}

std::string long_path(const std::string& path) {
    char out[1040];
    DWORD n = GetLongPathNameA(path.c_str(), out, sizeof out);
    return n && n < sizeof out ? out : path;
}

// 519 bytes that end in a whole double-byte character.
std::string full_text() {
    std::string text = sjis("表ソ能") + " C:\\" + sjis("予定表") + "\\";
    while (text.size() + 2 <= 519) text += sjis("表");
    if (text.size() < 519) text += "x";
    return text;
}
}  // namespace

// ---- Single instance: the test is the second instance of a child that announced itself.
TEST(Processes, SecondInstanceHandsTheFirstItsTextExactly) {
    TempFolder temp;
    ChildRecord record(temp / "received.txt");
    const std::string mutex = "ferro-test-mutex-" + std::to_string(GetCurrentProcessId());
    const std::string mapping = mutex + "-memory";
    Child first("--title=FerroInstance --instance=" + mutex + "," + mapping);
    ASSERT_TRUE(first.running()) << "the first instance found no other";

    std::string over(700, 'a');
    over.replace(518, 2, sjis("表"));  // a double-byte character across the 519-byte bound
    const std::pair<std::string, std::string> cases[] = {  // what is handed over, what arrives
        {"hello", "hello"},
        {sjis("表示ソフト 能力.txt"), sjis("表示ソフト 能力.txt")},
        {full_text(), full_text()},
        {over, over.substr(0, 518)},  // cut before the character that does not fit whole
    };
    GetMyMutexStringAPI(receive);
    for (const auto& [sent, received] : cases) {
        // The second instance finds the first and reads its window.
        g_calls = 0;
        ASSERT_EQ(DetectMyMutexString(mutex.c_str(), mapping.c_str()), 1);
        ASSERT_EQ(g_calls, 1);
        HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::stoul(g_received)));
        ASSERT_EQ(window, first.window());
        // It leaves its text and tells the first, which reads it.
        ASSERT_EQ(CreateMyMutexString(mutex.c_str(), mapping.c_str(), "%s", sent.c_str()), 1);
        PostMessageA(window, WM_APP + 1, 0, 0);
        ASSERT_TRUE(record.done().wait());
        EXPECT_EQ(read_file(record.file()), received) << utf8(received);
        // The first instance's announcement is back for the next round.
        ReleaseMyMutexMemory();
        CreateMyMutexString(mutex.c_str(), mapping.c_str(), "%lu", static_cast<unsigned long>(UINT_PTR(window)));
        ReleaseMyMutexMemory();
    }
    MyMutexStringAPIIsNotUsed(1);
    g_calls = 0;
    EXPECT_EQ(DetectMyMutexString(mutex.c_str(), mapping.c_str()), 1);
    EXPECT_EQ(g_calls, 0) << "the callback is suppressed";
    MyMutexStringAPIIsNotUsed(0);
    GetMyMutexStringAPI(nullptr);
    EXPECT_EQ(ReleaseMyMutexMemory(), 0);
    const std::string alone = mutex + "-alone";
    EXPECT_EQ(DetectMyMutexString(alone.c_str(), (alone + "-memory").c_str()), 0) << "no other instance";
}

// ---- Kinds of programs
TEST(Processes, KindsOfPrograms) {
    TempFolder temp;
    std::string text = temp.file("note.txt", "text");
    // Only a DOS header: "MZ", and zeros where a new header would be.
    std::string header(1024, '\0');
    header[0] = 'M', header[1] = 'Z', header[0x3c] = 0x40;
    std::string dos = temp.file("old.exe", header);
    struct Row {
        std::string file;
        LONG type, dos, win;
    };
    const Row rows[] = {
        {child_path(false), 0, 0, 1},
        {child_path(true), 1, 1, 0},
        {quoted(child_path(true)), -1, 1, 0},  // quoted: the shell's type is asked for the bare name only
        {dos, 2, 1, 0},
        {text, -1, -1, -1},
        {temp.path(), -1, -3, -3},
        {temp / "missing.exe", -1, -3, -3},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(GetExeTypeFromWindows(r.file.c_str()), r.type) << r.file;
        EXPECT_EQ(IsDosApplication(r.file.c_str()), r.dos) << r.file;
        EXPECT_EQ(IsWinApplication(r.file.c_str()), r.win) << r.file;
    }
    EXPECT_STREQ(GetCommandCom(), "cmd.exe");
}

// ---- Finding windows by title, by property and by program
TEST(Processes, FindsWindowsByTitle) {
    Child child("--title=FerroFind --class=FerroFindClass --stay");
    struct Row {
        const char* title;
        std::string name;
        bool contains, equals;
    };
    const Row rows[] = {
        {"Ferro \x95\x5c\x8e\xa6 - Note", sjis("表示"), true, false},
        {"Ferro \x95\x5c\x8e\xa6 - Note", "note", true, false},
        {"Ferro \x95\x5c\x8e\xa6 - Note", "ote", false, false},  // inside a word
        {"Ferro \x95\x5c\x8e\xa6 - Note", "FERRO \x95\x5c\x8e\xa6 - NOTE", true, true},
        {"\x83\x41" "BC", "BC", true, false},  // after ア, whose trail byte is "A"
        {"xBC", "BC", false, false},
        {"x_BC", "BC", false, false},
        {"(BC)", "BC", true, false},
    };
    for (const Row& r : rows) {
        SetWindowTextA(child.window(), r.title);
        std::string list = "FerroNoSuchWindowTitle" + std::string(1, '\0') + r.name;
        HWND want_contains = r.contains ? child.window() : nullptr;
        HWND want_equals = r.equals ? child.window() : nullptr;
        EXPECT_EQ(FindWindowsByEnumWindowsByStristr(list.c_str(), 2), want_contains) << utf8(r.title);
        EXPECT_EQ(FindWindowsStartingFromDesktopByStristr(list.c_str(), 2), want_contains) << utf8(r.title);
        EXPECT_EQ(FindWindowsByEnumWindowsByStrieq(list.c_str(), 2), want_equals) << utf8(r.title);
        EXPECT_EQ(FindWindowsStartingFromDesktopByStrieq(list.c_str(), 2), want_equals) << utf8(r.title);
    }
    SetWindowTextA(child.window(), "FerroFind");
    // Without a count the list ends at an empty name; one name alone needs the count.
    EXPECT_EQ(FindWindowsByEnumWindowsByStrieq("nothing\0FerroFind\0", 0), child.window());
    EXPECT_EQ(FindWindowsByEnumWindowsByStrieq("FerroFind", 1), child.window());
    EXPECT_EQ(FindWindowsByEnumWindowsByStristr("", 1), nullptr) << "an empty name matches nothing";
    SetTgtWindowsHandle(nullptr);
    EXPECT_EQ(FindHwndOfTerminateScreenByStrieq("FerroFind", 1), child.window());
    EXPECT_EQ(GetTgtWindowsHandle(), child.window());
    EXPECT_EQ(FindHwndOfTerminateScreenByStristr("FerroNoSuchWindowTitle", 1), nullptr);
    EXPECT_EQ(GetTgtWindowsHandle(), child.window()) << "a search that finds nothing keeps the target";
    SetTgtWindowsHandle(nullptr);
}

TEST(Processes, FindsWindowsByPropertyAndChildrenByClass) {
    HWND parent = CreateWindowExA(0, "STATIC", "FerroParent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                  nullptr, nullptr);
    HWND group = CreateWindowExA(0, "BUTTON", "", WS_CHILD | BS_GROUPBOX, 0, 0, 100, 50, parent, nullptr, nullptr,
                                 nullptr);
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 50, 20, group, nullptr, nullptr, nullptr);
    EXPECT_EQ(FindWindowsStartingFromDesktopWithGetPropFunction("FerroTestMark"), nullptr);
    SetPropA(parent, "FerroTestMark", reinterpret_cast<HANDLE>(1));
    EXPECT_EQ(FindWindowsStartingFromDesktopWithGetPropFunction("FerroTestMark"), parent);
    RemovePropA(parent, "FerroTestMark");
    EXPECT_EQ(GetHwndForSpecifiedChildWindow(parent, 0, "edit"), edit) << "at any depth, without regard to case";
    EXPECT_EQ(GetHwndForSpecifiedChildWindow(parent, 0, "ListBox"), nullptr);
    EXPECT_EQ(GetAppropriateOwnerWindows(edit), parent);
    SethWndMain(nullptr);
    EXPECT_EQ(GetAppropriateOwnerWindows(nullptr), GetDesktopWindow());
    DestroyWindow(parent);
}

TEST(Processes, ProgramOfAWindowAndProcessOfAProgram) {
    Child child("--title=FerroProgram --stay");
    const std::string path = long_path(child_path());
    char buffer[520];
    MemoryTag tag{};
    ASSERT_EQ(GetExefileFromHwnd(child.window(), buffer, sizeof buffer, 1, &tag), 1);
    EXPECT_EQ(lstrcmpiA(long_path(buffer).c_str(), path.c_str()), 0) << buffer;
    EXPECT_EQ(GetExefileFromHwnd(child.window(), buffer, sizeof buffer, 1, &tag), 0) << "the tag holds it already";
    EXPECT_EQ(GetExefileFromHwnd(child.window(), buffer, sizeof buffer, 0, &tag), 1);
    EXPECT_STREQ(buffer, "ferro_child_gui.exe");
    EXPECT_EQ(GetExefileFromHwnd(child.window(), buffer, 10, 0, nullptr), 0) << "does not fit";
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(GetExefileFromHwnd(reinterpret_cast<HWND>(0x7ffe), buffer, sizeof buffer, 0, nullptr), 0);
    FreeMemoryTag(&tag);
    EXPECT_EQ(GetProcessIdFromExefile(path.c_str()), child.id());
    EXPECT_EQ(GetProcessIdFromExefile("FERRO_CHILD_GUI.EXE"), child.id());
    EXPECT_EQ(GetProcessIdFromExefile("ferro-no-such-program.exe"), 0u);
    EXPECT_EQ(GetProcessIdFromExefile("C:\\ferro\\"), 0u) << "a folder names no program";
    EXPECT_EQ(FreePSAPILibrary(), 1);
    EXPECT_EQ(LoadPSAPIandVDMDBGLibrary(), 1);
}

// ---- Ending programs: politely through their windows, or by force
TEST(Processes, EndsProgramsPolitelyOrByForce) {
    Child polite("\"--title=Ferro Polite\" --stay");
    Child stubborn("\"--title=Ferro Stubborn\" --stay --ignore-close");
    ProgramWindowSearch list[] = {
        {"ferro_child_gui.exe", "Polite", nullptr},
        {"ferro_child_gui.exe", "Stubborn", nullptr},
        {"ferro-no-such-program.exe", nullptr, nullptr},
        {nullptr, nullptr, nullptr},
    };
    EXPECT_EQ(FindMultipleHwndOfTerminateExeByEnumWindows(list, 0, 2), 2);
    EXPECT_EQ(list[0].found, polite.window());
    EXPECT_EQ(list[1].found, stubborn.window());
    EXPECT_EQ(list[2].found, nullptr);
    LONG count = 0;
    LaunchRecord* table = GetWinExeArrayWithSpecifiedTitle(&count);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(table[2].window, nullptr) << "the table ends with an empty entry";
    EXPECT_TRUE(polite.wait_end()) << "a close request ends a program that honours it";
    EXPECT_TRUE(stubborn.running()) << "and not one that ignores it";
    LaunchRecord record{};
    record.processId = stubborn.id();
    EXPECT_EQ(IsTaskTerminated(record), 0);

    // Equal titles only, and the forced way.
    const std::string program = child_path();
    ProgramWindowSearch force[] = {{program.c_str(), "ferro stubborn", nullptr}, {nullptr, nullptr, nullptr}};
    EXPECT_EQ(FindMultipleHwndOfTerminateExeStartingFromDesktop(force, 1, 1), 1);
    EXPECT_TRUE(stubborn.wait_end());
    EXPECT_EQ(IsTaskTerminated(record), 1);
    EXPECT_EQ(FindMultipleHwndOfTerminateExeByEnumWindows(force, 1, 0), 0) << "an entry found stays found";
    EXPECT_EQ(GetWinExeArrayWithSpecifiedTitle(&count), nullptr);
    EXPECT_EQ(count, 0);

    // A program that answers nothing does not hold the caller up.
    NamedEvent release;
    Child hung("\"--title=Ferro Hung\" --hold=" + release.name());
    ProgramWindowSearch busy[] = {{"ferro_child_gui.exe", "hung", nullptr}, {nullptr, nullptr, nullptr}};
    EXPECT_EQ(FindMultipleHwndOfTerminateExeByEnumWindows(busy, 0, 2), 1);
    SetEvent(release.handle());
    EXPECT_TRUE(hung.wait_end());
}

TEST(Processes, TerminateFunctions) {
    Child by_window("--title=FerroEndByWindow --stay --ignore-close");
    EXPECT_EQ(TerminateExefileByWindowsHandle(by_window.window()), 1);
    EXPECT_TRUE(by_window.wait_end());
    EXPECT_EQ(TerminateExefileByWindowsHandle(by_window.window()), 0) << "the window is gone";

    Child by_name("--title=FerroEndByName --stay", true);
    EXPECT_EQ(TerminateExefileByItsName("FERRO_CHILD_CONSOLE.EXE"), 1);
    EXPECT_TRUE(by_name.wait_end());
    EXPECT_EQ(TerminateExefileByItsName("ferro_child_console.exe"), 0) << "none left";

    Child by_id("--title=FerroEndById --stay");
    EXPECT_EQ(TerminateExefileByProcessId(by_id.id()), 1);
    EXPECT_TRUE(by_id.wait_end());
    EXPECT_EQ(TerminateExefileByProcessId(0), 0);

    // The calling program is never ended by these functions.
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    EXPECT_EQ(TerminateExefileByProcessId(GetCurrentProcessId()), 0);
    EXPECT_EQ(TerminateExefileByItsName(self), 0);
    HWND own = CreateWindowExA(0, "STATIC", "FerroOwn", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(TerminateExefileByWindowsHandle(own), 0);
    DestroyWindow(own);
}

TEST(Processes, ATaskEndedWithTheStillActiveCodeHasEnded) {
    Child child("--exit=259");
    ASSERT_TRUE(child.wait_end());
    LaunchRecord record{};
    record.processId = child.id();  // the handle of Child keeps the identifier valid
    EXPECT_EQ(IsTaskTerminated(record), 1);
    record.processId = 0x7ffffff0;
    EXPECT_EQ(IsTaskTerminated(record), 1) << "a process that cannot be opened counts as ended";
}

// ---- Bringing windows up, hiding and showing, child windows
TEST(Processes, BringsAMinimisedWindowToTheFront) {
    Child child("--title=FerroFront --stay --minimized");
    ASSERT_TRUE(IsIconic(child.window()));
    for (LONG plain : {0, 1}) {
        ShowWindow(child.window(), SW_MINIMIZE);
        EXPECT_EQ(mySetForegroundWindowAlways(child.window(), plain), plain ? 1 : 0);
        EXPECT_TRUE(pump_until([&] { return !IsIconic(child.window()); }, 5000));
        EXPECT_TRUE(pump_until([&] { return GetForegroundWindow() == child.window(); }, 5000)) << plain;
    }
    ShowWindow(child.window(), SW_MAXIMIZE);
    mySetForegroundWindow(child.window());
    EXPECT_TRUE(IsZoomed(child.window())) << "a maximised window stays so";
    EXPECT_EQ(mySetForegroundWindow(nullptr), 0);
}

TEST(Processes, HidesShowsAndWalksChildWindows) {
    HWND parent = CreateWindowExA(0, "STATIC", "FerroWalk", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                                  nullptr, nullptr, nullptr, nullptr);
    HWND items[3];
    for (int i = 0; i < 3; ++i)
        items[i] = CreateWindowExA(0, "BUTTON", "b", WS_CHILD | WS_VISIBLE, i * 40, 0, 30, 20, parent,
                                   reinterpret_cast<HMENU>(INT_PTR(100 + i)), nullptr, nullptr);
    for (int show : {SW_HIDE, SW_SHOW}) {
        EXPECT_EQ(ShowAllChildWindows(parent, show), 3);
        for (HWND item : items) EXPECT_EQ(IsWindowVisible(item) != 0, show == SW_SHOW);
    }
    RECT r;
    EXPECT_EQ(InvalidateAllChildWindows(parent, TRUE), 3);
    EXPECT_TRUE(GetUpdateRect(items[1], &r, FALSE));
    EXPECT_EQ(UpdateAllChildWindows(parent), 3);
    EXPECT_FALSE(GetUpdateRect(items[1], &r, FALSE)) << "painted";
    EXPECT_EQ(RedrawAllChildWindows(parent) + UpdateSpecifiedWindows(parent), 6);
    EXPECT_EQ(ShowAllChildWindows(nullptr, SW_SHOW), 0);

    EXPECT_EQ(HideWin(parent, 101), 1);
    EXPECT_FALSE(IsWindowVisible(items[1]) || IsWindowEnabled(items[1]));
    EXPECT_EQ(ShowWin(parent, 101, 10, 30, 60, 50), 1);
    EXPECT_TRUE(IsWindowVisible(items[1]) && IsWindowEnabled(items[1]));
    GetWindowRect(items[1], &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}), (std::vector<LONG>{10, 30, 60, 50}));
    EXPECT_EQ(HideWin(parent, 999), 0) << "no such control";
    DestroyWindow(parent);
}

// ---- Environment of the program and of the system
TEST(Processes, EnvironmentOfTheProgramAndOfTheSystem) {
    const std::string value = "C:\\" + sjis("能力\\表ソ");
    SetEnvironmentVariableA("FERRO_TEST_BASE", value.c_str());
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment", 0,
                            KEY_SET_VALUE, &key),
              ERROR_SUCCESS);
    const std::string expand = "%FERRO_TEST_BASE%\\" + sjis("予定表") + ";%FERRO_TEST_UNSET%";
    const std::string plain = sjis("表示ソフト");
    RegSetValueExA(key, "FERRO_TEST_EXPAND", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(expand.c_str()),
                   DWORD(expand.size() + 1));
    RegSetValueExA(key, "FERRO_TEST_PLAIN", 0, REG_SZ, reinterpret_cast<const BYTE*>(plain.c_str()),
                   DWORD(plain.size() + 1));
    DWORD number = 7;
    RegSetValueExA(key, "FERRO_TEST_NUMBER", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);

    const std::string expanded = value + "\\" + sjis("予定表") + ";%FERRO_TEST_UNSET%";
    struct Row {
        int index;
        const char* name;
        std::string want;
    };
    const Row rows[] = {
        {0, "FERRO_TEST_BASE", value},   {0, "FERRO_TEST_EXPAND", ""},  {1, "FERRO_TEST_EXPAND", expanded},
        {1, "FERRO_TEST_PLAIN", plain},  {1, "FERRO_TEST_NUMBER", ""},  {1, "FERRO_TEST_MISSING", ""},
    };
    for (const Row& r : rows) {
        char buffer[520] = "junk";
        DWORD result = 99;
        EXPECT_EQ(myGetEnvironmentVariable(r.index, r.name, buffer, sizeof buffer, &result), 1);
        EXPECT_EQ(std::string(buffer), r.want) << r.name;
        EXPECT_EQ(result, r.want.empty() ? 0u : DWORD(r.want.size() + 1)) << r.name;
    }
    char small[8] = "junk";
    EXPECT_EQ(GetEnvironmentVariableFromSystemPath("FERRO_TEST_PLAIN", small, 8), 0u) << "does not fit";
    EXPECT_STREQ(small, "");
    EXPECT_EQ(GetEnvironmentVariableFromUserPath("FERRO_TEST_BASE", small, 8), 0u);
    EXPECT_STREQ(small, "");
    DWORD result = 5;
    EXPECT_EQ(myGetEnvironmentVariable(2, "FERRO_TEST_BASE", small, 8, &result), 0);
    EXPECT_EQ(result, 5u) << "no such entry: nothing stored";
    for (const char* name : {"FERRO_TEST_EXPAND", "FERRO_TEST_PLAIN", "FERRO_TEST_NUMBER"}) RegDeleteValueA(key, name);
    RegCloseKey(key);
    SetEnvironmentVariableA("FERRO_TEST_BASE", nullptr);
}

// ---- Addresses: the user's browser is the child, for the time of the test.
TEST(Processes, OpensAnAddressWithTheUsersBrowser) {
    TempFolder temp;
    ChildRecord record(temp / "browser.txt");
    const char* key = "http\\shell\\open\\command";
    char old[1040] = "";
    LONG size = sizeof old;
    RegQueryValueA(HKEY_CLASSES_ROOT, key, old, &size);
    const std::string command = quoted(child_path()) + " \"%1\"";
    RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, command.c_str(), DWORD(command.size()));

    HWND dialog = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    HWND status = CreateWindowExA(0, "STATIC", "ready", WS_CHILD, 0, 0, 100, 20, dialog,
                                  reinterpret_cast<HMENU>(INT_PTR(10)), nullptr, nullptr);
    const std::string address = "http://127.0.0.1/" + sjis("表ソ") + "?q=1";
    CreateWindowExA(0, "EDIT", address.c_str(), WS_CHILD, 0, 30, 100, 20, dialog,
                    reinterpret_cast<HMENU>(INT_PTR(11)), nullptr, nullptr);
    EXPECT_EQ(ReachURLFromString(10, dialog, nullptr, 11), 1);
    ASSERT_TRUE(record.done().wait());
    auto runs = record.runs();
    ASSERT_EQ(runs.size(), 1u);
    ASSERT_EQ(runs[0].args.size(), 1u);
    EXPECT_EQ(runs[0].args[0], address);
    char text[64];
    GetWindowTextA(status, text, sizeof text);
    EXPECT_STREQ(text, "ready") << "the status control gets its text back";

    // A scheme nobody opens: the program-start box, and 0.
    MessageBoxRecorder boxes;
    boxes.answer_all(IDOK);
    EXPECT_EQ(ReachURLFromString(0, dialog, "ferro-unknown-scheme:abc", 0), 0);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, sjis("ﾌｧｲﾙ実行ｴﾗｰ"));
    EXPECT_EQ(boxes.boxes()[0].text.rfind("'ferro-unknown-scheme:abc': ", 0), 0u) << utf8(boxes.boxes()[0].text);
    EXPECT_EQ(boxes.boxes()[0].style & 0xf0, UINT(MB_ICONEXCLAMATION));
    DestroyWindow(dialog);
    RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, old, DWORD(std::strlen(old)));
}
