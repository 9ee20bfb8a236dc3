// Drops received the way the shell builds them, malformed drop blocks, the
// host's own-window table, the judgement of the window under the cursor,
// and drops onto a window of this process and of another program.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <string>
#include <vector>
#include "support/guarded_buffer.h"
#include "support/message_box_recorder.h"
#include "support/pump.h"
#include "support/sjis.h"
#include "support/temp_folder.h"
#include "ui/drop.h"

using ferro_test::sjis;

namespace {
// A drop block as the shell makes it: the header, then the names (ANSI or
// wide), each with its NUL, and one more NUL.
HDROP shell_drop(const std::vector<std::string>& names, bool wide, POINT point = {7, 9}) {
    std::vector<BYTE> list;
    for (const std::string& name : names) {
        if (wide) {
            std::wstring w(name.size() + 1, L'\0');
            w.resize(MultiByteToWideChar(932, 0, name.c_str(), -1, w.data(), int(w.size())));
            list.insert(list.end(), reinterpret_cast<BYTE*>(w.data()), reinterpret_cast<BYTE*>(w.data() + w.size()));
        } else {
            list.insert(list.end(), name.begin(), name.end() + 1);
        }
    }
    list.insert(list.end(), wide ? 2 : 1, 0);
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
    auto* header = static_cast<DROPFILES*>(GlobalLock(block));
    *header = {sizeof(DROPFILES), point, FALSE, wide};
    memcpy(header + 1, list.data(), list.size());
    GlobalUnlock(block);
    return static_cast<HDROP>(block);
}

std::string text_of(HGLOBAL block) {
    if (!block) return "<none>";
    std::string text = static_cast<const char*>(GlobalLock(block));
    GlobalUnlock(block);
    return text;
}

struct Slots {
    explicit Slots(size_t n) : names(n), kinds(n, -1) {}
    ~Slots() {
        for (HGLOBAL h : names)
            if (h) GlobalFree(h);
    }
    std::vector<HGLOBAL> names;
    std::vector<LONG> kinds;
};

HWND g_received_by;
HDROP g_received;
LRESULT CALLBACK target_proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_DROPFILES) {
        g_received_by = w;
        g_received = reinterpret_cast<HDROP>(wp);
        return 0;
    }
    return DefWindowProcA(w, m, wp, lp);
}

HWND make_window(DWORD ex_style, int x, int y) {
    WNDCLASSA kind = {};
    kind.lpfnWndProc = target_proc;
    kind.hInstance = GetModuleHandleA(nullptr);
    kind.lpszClassName = "FerroDropTest";
    RegisterClassA(&kind);
    return CreateWindowExA(ex_style | WS_EX_TOPMOST, "FerroDropTest", "t", WS_POPUP | WS_VISIBLE, x, y, 200, 150,
                           nullptr, nullptr, kind.hInstance, nullptr);
}

// Judges the window at (x, y): the cursor is put there and asked twice (a
// call judges the point of the call before it).
LONG judge_at(int x, int y) {
    SetCursorPos(x, y);
    IsDropAllowed();
    return IsDropAllowed();
}
}  // namespace

TEST(Drop, ReceivesShellDropsOfAnsiAndWideNames) {
    ferro_test::TempFolder dir;
    const std::string file = dir.file(sjis("表示ソフト.txt"), "x"), folder = dir.folder(sjis("能力"));
    const std::string missing = dir / "gone.txt";
    const std::string longest = "C:\\" + std::string(516, 'n');  // 519 bytes: fits a path
    for (bool wide : {false, true}) {
        Slots slots(8);
        EXPECT_EQ(1, ReceiveDropFiles(nullptr, 0, shell_drop({file, folder, missing, longest}, wide, {31, 42}),
                                      slots.names.data(), slots.kinds.data(), 8))
            << "wide " << wide;
        EXPECT_EQ(file, text_of(slots.names[0]));
        EXPECT_EQ(folder, text_of(slots.names[1]));
        EXPECT_EQ(missing, text_of(slots.names[2]));
        EXPECT_EQ(longest, text_of(slots.names[3]));
        EXPECT_EQ("", text_of(slots.names[4]));
        EXPECT_EQ((std::vector<LONG>{2, 4, 1, 1}), std::vector<LONG>(slots.kinds.begin(), slots.kinds.begin() + 4));
        EXPECT_EQ(4, GetDroppedTotal());
        EXPECT_EQ(4, GetDroppedType(4));
        EXPECT_EQ(0, GetDroppedType(8));
        EXPECT_EQ(42ull << 32 | 31, GetPointAtDropFiles());
    }
}

TEST(Drop, AThousandNamesAndMoreThanTheSlots) {
    std::vector<std::string> names;
    for (int i = 0; i < 1000; ++i) names.push_back("C:\\drop\\" + std::to_string(i) + sjis("表.txt"));
    Slots all(1001);
    ASSERT_EQ(1, ReceiveDropFiles(nullptr, 0, shell_drop(names, true), all.names.data(), nullptr, 1001));
    EXPECT_EQ(1000, GetDroppedTotal());
    EXPECT_EQ(names[999], text_of(all.names[999]));
    EXPECT_EQ("", text_of(all.names[1000]));

    Slots few(10);
    EXPECT_EQ(-1, ReceiveDropFiles(nullptr, 0, shell_drop(names, false), few.names.data(), few.kinds.data(), 10));
    EXPECT_EQ(names[8], text_of(few.names[8]));
    EXPECT_EQ("", text_of(few.names[9]));  // the last slot ends the list
}

// As many names as slots: every name is taken and nothing is written after
// the last slot (the array ends at a guard page).
TEST(Drop, AsManyNamesAsSlotsWritesNoTerminatorPastThem) {
    constexpr LONG kSlots = 4;
    ferro_test::GuardedBuffer memory(kSlots * sizeof(HGLOBAL), '\0');
    auto* names = reinterpret_cast<HGLOBAL*>(memory.data());
    ASSERT_EQ(1, ReceiveDropFiles(nullptr, 0, shell_drop({"C:\\a", "C:\\b", "C:\\c", "C:\\d"}, false), names,
                                  nullptr, kSlots));
    EXPECT_EQ("C:\\d", text_of(names[3]));
    for (LONG i = 0; i < kSlots; ++i) GlobalFree(names[i]);
}

// A name longer than a path is reported whole (its end shown) and skipped;
// its slot keeps what it held, the names after it are taken.
TEST(Drop, ANameTooLongForAPathIsReportedNotCut) {
    ferro_test::MessageBoxRecorder boxes;
    boxes.answer(IDOK);
    const std::string too_long = "C:\\" + std::string(600, 'L') + "END";
    Slots slots(4);
    slots.names[0] = GlobalAlloc(GHND, 8);
    ASSERT_EQ(1, ReceiveDropFiles(nullptr, 0, shell_drop({too_long, "C:\\after"}, true), slots.names.data(),
                                  nullptr, 4));
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_EQ(sjis("名前の長さﾞ"), boxes.boxes()[0].caption);
    EXPECT_NE(std::string::npos, boxes.boxes()[0].text.find(sjis("名前が長すぎるため")));
    EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), boxes.boxes()[0].style & MB_ICONMASK);
    EXPECT_EQ("", text_of(slots.names[0]));
    EXPECT_EQ("C:\\after", text_of(slots.names[1]));
}

// Blocks that are too small, point outside themselves or have no end to
// their list are refused without reading past them.
TEST(Drop, MalformedDropBlocksAreRefused) {
    auto block = [](SIZE_T size, DWORD offset, BYTE fill) {
        HGLOBAL h = GlobalAlloc(GHND, size);
        auto* bytes = static_cast<BYTE*>(GlobalLock(h));
        memset(bytes, fill, GlobalSize(h));
        *reinterpret_cast<DROPFILES*>(bytes) = {offset, {0, 0}, FALSE, FALSE};
        GlobalUnlock(h);
        return static_cast<HDROP>(h);
    };
    const struct {
        const char* what;
        HDROP drop;
    } cases[] = {{"offset past the end", block(64, 4096, 0)},
                 {"offset inside the header", block(64, 8, 0)},
                 {"no end to the list", block(4096, sizeof(DROPFILES), 'a')},
                 {"shorter than the header", static_cast<HDROP>(GlobalAlloc(GHND, 6))}};
    for (const auto& c : cases) {
        Slots slots(4);
        EXPECT_EQ(0, ReceiveDropFiles(nullptr, 0, c.drop, slots.names.data(), nullptr, 4)) << c.what;
        EXPECT_EQ(nullptr, slots.names[0]) << c.what;
    }
}

// The own-window table holds 99 windows; a window of it (and its child) is
// judged 1, a window accepting files 2, another window 0. A drop onto a
// window of this process arrives with the names joined to the base folder.
TEST(Drop, OwnWindowsJudgementAndADropOntoOneOfThem) {
    HWND own = make_window(0, 50, 50), accepting = make_window(WS_EX_ACCEPTFILES, 300, 50),
         other = make_window(0, 550, 50);
    CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, 60, 40, own, nullptr, nullptr, nullptr);
    const HWND list[] = {own, nullptr};
    ASSERT_EQ(1, SetOurWindowHandles(list));
    LONG added = 1;
    while (SetEachOurWindowHandles(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7000 + added)))) ++added;
    EXPECT_EQ(99, added);
    EXPECT_EQ(0, SetEachOurWindowHandles(reinterpret_cast<HWND>(INT_PTR(0x9999))));
    EXPECT_EQ(0, SetEachOurWindowHandles(nullptr));

    EXPECT_EQ(1, judge_at(75, 75));  // over the child control
    EXPECT_EQ(own, GethWndDrop());
    EXPECT_EQ(2, judge_at(350, 100));
    EXPECT_EQ(2, IsDropSetAllowed());
    EXPECT_EQ(0, judge_at(600, 100));

    EXPECT_EQ(1, judge_at(100, 120));
    std::vector<HGLOBAL> names = {GlobalAlloc(GHND, 64), nullptr, GlobalAlloc(GHND, 64)};
    lstrcpyA(static_cast<char*>(GlobalLock(names[0])), sjis("表.txt").c_str());
    lstrcpyA(static_cast<char*>(GlobalLock(names[2])), "D:\\elsewhere\\b.txt");
    GlobalUnlock(names[0]);
    GlobalUnlock(names[2]);
    g_received = nullptr;
    ASSERT_EQ(1, DropFile(nullptr, names.data(), sjis("C:\\ソ").c_str(), 3));
    ASSERT_TRUE(ferro_test::pump_until(10000, [] { return g_received != nullptr; }));
    EXPECT_EQ(own, g_received_by);
    Slots slots(4);
    ASSERT_EQ(1, ReceiveDropFiles(nullptr, 0, g_received, slots.names.data(), nullptr, 4));
    EXPECT_EQ(sjis("C:\\ソ\\表.txt"), text_of(slots.names[0]));
    EXPECT_EQ("D:\\elsewhere\\b.txt", text_of(slots.names[1]));
    EXPECT_EQ(70ull << 32 | 50, GetPointAtDropFiles());  // the cursor in the window's client coordinates
    for (HWND w : {own, accepting, other}) DestroyWindow(w);
}

// Another program's window: it receives exactly the names sent.
TEST(Drop, DropOntoAnotherProgramsWindow) {
    ferro_test::TempFolder dir;
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string program(exe);
    program.resize(program.rfind('\\') + 1);
    const std::string output = dir / "received.txt";
    const std::string event_name = "FerroDropReady" + std::to_string(GetCurrentProcessId());
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, event_name.c_str());
    std::string command = "\"" + program + "drop_target.exe\" \"" + output + "\" " + event_name;
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION child;
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(ready, 20000));

    EXPECT_EQ(2, judge_at(700, 450));
    POINT client = {700, 450};
    ScreenToClient(FindWindowA("FerroDropTarget", nullptr), &client);
    const std::vector<std::string> sent = {dir.file(sjis("表示.txt"), "1"), dir.file("plain.txt", "2"),
                                           "C:\\" + std::string(500, 'w')};
    std::vector<HGLOBAL> names;
    for (const std::string& name : sent) {
        names.push_back(GlobalAlloc(GHND, name.size() + 1));
        lstrcpyA(static_cast<char*>(GlobalLock(names.back())), name.c_str());
        GlobalUnlock(names.back());
    }
    ASSERT_EQ(1, DropFile(nullptr, names.data(), dir.path().c_str(), LONG(names.size())));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(child.hProcess, 20000));
    std::string expected = "point " + std::to_string(client.x) + " " + std::to_string(client.y) + "\n";
    for (const std::string& name : sent) expected += name + "\n";
    EXPECT_EQ(ferro_test::utf8(expected), ferro_test::utf8(ferro_test::read_file(output)));
    CloseHandle(child.hProcess);
    CloseHandle(child.hThread);
    CloseHandle(ready);
}
