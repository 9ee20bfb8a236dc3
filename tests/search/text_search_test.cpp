// The search inside files over a real tree with a main window that records
// the exact 3072 sequence, the find and replace dialogs driven by their own
// controls with an owner that records 5119, and the keyword tables.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>
#include "frame/handles.h"
#include "frame/message_pump.h"
#include "frame/text.h"
#include "search/text_search.h"
#include "support/message_box_recorder.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using ferro_test::sjis;

namespace {
struct Received {
    UINT message;
    WPARAM wparam;
    std::string text;  // the line of a 3072/1000, the find text of a 5119
    DWORD flags = 0;
    std::string replace;
};

// A hidden window that records 3072 and 5119 and runs a hook on each.
class Recorder {
public:
    Recorder() {
        WNDCLASSA type = {};
        type.lpfnWndProc = proc;
        type.hInstance = GetModuleHandleA(nullptr);
        type.lpszClassName = "FerroSearchTestWindow";
        RegisterClassA(&type);
        window = CreateWindowExA(0, type.lpszClassName, "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                                 type.hInstance, nullptr);
        current = this;
        SethWndMain(window);
    }
    ~Recorder() {
        SethWndMain(nullptr);
        DestroyWindow(window);
        current = nullptr;
    }
    std::vector<std::string> lines() const {
        std::vector<std::string> out;
        for (const Received& r : seen)
            if (r.message == 3072 && r.wparam == 1000) out.push_back(r.text);
        return out;
    }
    HWND window;
    std::vector<Received> seen;
    std::function<void(const Received&)> hook;
    static inline Recorder* current = nullptr;

private:
    static LRESULT CALLBACK proc(HWND w, UINT message, WPARAM wparam, LPARAM lparam) {
        if (current && (message == 3072 || message == 5119)) {
            Received r{message, wparam, {}, 0, {}};
            if (message == 3072 && wparam == 1000) r.text = reinterpret_cast<const char*>(lparam);
            if (message == 5119) {
                auto* record = reinterpret_cast<FINDREPLACEA*>(lparam);
                r.text = record->lpstrFindWhat;
                r.flags = record->Flags;
                r.replace = record->lpstrReplaceWith ? record->lpstrReplaceWith : "";
            }
            current->seen.push_back(r);
            if (current->hook) current->hook(r);
            return 0;
        }
        return DefWindowProcA(w, message, wparam, lparam);
    }
};

constexpr DWORD kHidden = kFindWithoutWindow;

std::string hit(const std::string& path, int line, const std::string& text) {
    return sjis("探) > ") + path + " " + std::to_string(line) + ": " + text + "\r\n\r\n";
}
std::string heading(const std::string& text, const std::string& folder) {
    return sjis("検索中: '") + text + "'\r\nin " + folder + "\r\n\r\n";
}
std::string count(int n) { return std::to_string(n) + sjis("個を置換しました\r\n"); }

class FindInFiles : public testing::Test {
protected:
    ferro_test::TempFolder dir;
    std::string a = dir.file("a.txt", "ABC at the first byte\r\nmiddle abc\r\nlast ABC");
    std::string b = dir.file("sub\\b.txt", "xABCx\nABC_def ABC\n");
    std::string c = dir.file("c.dat", "ABC");
    // ア is 83 41: its trail byte is an "A" that starts no hit; 表 is 95 5C.
    std::string j = dir.file(sjis("表.txt"), sjis("アBC\r\n表ABC"));
    std::string l = dir.file("long.txt", "1\r\n2\r" + std::string(150, 'x') + "ABC" + sjis("表"));
    Recorder main;
};

TEST_F(FindInFiles, HitsByCaseWordSubfoldersAndPattern) {
    const std::string xs(100, 'x');
    struct Case {
        DWORD options;
        const char* pattern;
        std::vector<std::string> hits;
    } cases[] = {
        {kFindMatchCase, "*.txt", {hit(a, 1, "ABC at the first byte"), hit(a, 3, "last ABC"), hit(l, 3, xs),
                                   hit(j, 2, sjis("表ABC"))}},
        {0, "*.TXT", {hit(a, 1, "ABC at the first byte"), hit(a, 2, "middle abc"), hit(a, 3, "last ABC"),
                      hit(l, 3, xs), hit(j, 2, sjis("表ABC"))}},
        {kFindMatchCase | kFindWholeWord | kFindSubfolders, "*.txt;*.dat",
         {hit(a, 1, "ABC at the first byte"), hit(a, 3, "last ABC"), hit(b, 2, "ABC_def ABC"), hit(c, 1, "ABC"),
          hit(j, 2, sjis("表ABC"))}},
        {kFindMatchCase | kFindSubfolders, "?.*", {hit(a, 1, "ABC at the first byte"), hit(a, 3, "last ABC"),
                                                   hit(b, 1, "xABCx"), hit(b, 2, "ABC_def ABC"), hit(b, 2, "ABC_def ABC"),
                                                   hit(c, 1, "ABC"), hit(j, 2, sjis("表ABC"))}},
    };
    for (const Case& k : cases) {
        main.seen.clear();
        const LONG hits = OpenFindInsideFileDialog(nullptr, "ABC", k.pattern, (dir.path() + "\\").c_str(),
                                                   k.options | kHidden);
        std::vector<std::string> lines = main.lines();
        ASSERT_GE(lines.size(), 2u) << k.pattern;
        EXPECT_EQ(heading("ABC", dir.path()), lines.front());
        EXPECT_EQ(count(int(k.hits.size())), lines.back());
        lines = std::vector<std::string>(lines.begin() + 1, lines.end() - 1);
        std::sort(lines.begin(), lines.end());
        std::vector<std::string> expected = k.hits;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(expected, lines) << k.pattern << " options " << k.options;
        EXPECT_EQ(LONG(k.hits.size()), hits);
    }
}

HWND search_dialog() {
    HWND dialog = FindWindowExA(nullptr, nullptr, "#32770", nullptr);
    while (dialog && !GetDlgItem(dialog, 5016)) dialog = FindWindowExA(nullptr, dialog, "#32770", nullptr);
    return dialog;
}

TEST_F(FindInFiles, ExactMessageSequenceAndCancel) {
    const std::string only = dir.folder("only");
    const std::string one = dir.file("only\\1.txt", "q");
    OpenFindInsideFileDialog(nullptr, "q", "*.*", only.c_str(), kHidden);
    std::vector<std::pair<WPARAM, std::string>> got;
    for (const Received& r : main.seen) got.push_back({r.wparam, r.text});
    const std::vector<std::pair<WPARAM, std::string>> expected = {
        {1000, heading("q", only)}, {1001, ""}, {1000, hit(one, 1, "q")}, {1001, ""}, {1000, count(1)}, {1001, ""}};
    EXPECT_EQ(expected, got);

    // A run stops at the first hit: through the dialog's Cancel (run state
    // 1000), or through the stop flag when there is no dialog.
    for (int i = 0; i < 40; ++i) dir.file("many\\" + std::to_string(i) + ".txt", "hit");
    struct Way {
        DWORD options;
        std::function<void()> stop;
    };
    const Way ways[] = {
        {kFindAtOnce, [] { SendMessageA(search_dialog(), WM_COMMAND, IDCANCEL, 0); }},
        {kHidden, [] { SetStopExecutingFlag(1); }},
    };
    for (const Way& way : ways) {
        main.seen.clear();
        main.hook = [&way](const Received& r) {
            if (r.wparam == 1000 && r.text.rfind(sjis("探)"), 0) == 0) way.stop();
        };
        EXPECT_EQ(1, OpenFindInsideFileDialog(nullptr, "hit", "*.txt", (dir / "many").c_str(), way.options))
            << way.options;
        main.hook = nullptr;
        SetStopExecutingFlag(0);
        ASSERT_GE(main.seen.size(), 4u);
        const size_t n = main.seen.size();
        EXPECT_EQ(count(1), main.seen[n - 4].text);
        EXPECT_EQ(WPARAM(1002), main.seen[n - 2].wparam);
        EXPECT_EQ(WPARAM(1001), main.seen[n - 1].wparam);
    }
    // Without a dialog no window is made.
    main.seen.clear();
    main.hook = [](const Received&) { EXPECT_EQ(nullptr, search_dialog()); };
    OpenFindInsideFileDialog(nullptr, "q", "*.*", only.c_str(), kHidden);
    main.hook = nullptr;
}

// A large file is searched in pieces of 256 KiB: a hit across the first
// seam counts, a trail byte "A" at the start of the second does not.
TEST_F(FindInFiles, HitsAcrossTheSeamsOfALargeFile) {
    const std::string first = std::string(262143, 'y') + "ABC\r\n";
    const std::string path = dir.file("large\\big.txt", first + std::string(524287 - first.size(), 'y') +
                                                          sjis("アBC\r\n表ABC"));
    EXPECT_EQ(2, OpenFindInsideFileDialog(nullptr, "ABC", "*.*", (dir / "large").c_str(), kFindMatchCase | kHidden));
    const std::vector<std::string> lines = main.lines();
    ASSERT_EQ(4u, lines.size());
    EXPECT_EQ(hit(path, 1, std::string(100, 'y')), lines[1]);
    EXPECT_EQ(hit(path, 3, sjis("表ABC")), lines[2]);
}

// Line numbers are counted in the matcher's own pass: every kind of line end
// (LF, CR LF, a lone CR, runs long enough to fill a counter lane), a CR LF
// split by a seam, hits close together, each checked against CountLine.
TEST_F(FindInFiles, LineNumbersOfManyHitsInALargeFile) {
    std::mt19937 random(14);
    const char* const pieces[] = {"\n", "\r\n", "\r", "\r\r\n", "ABC", "ABCyABC", "y", "yyyyyyyyyyyyyyy"};
    std::string text;
    bool split = false;
    while (text.size() < 600000) {
        if (!split && text.size() >= 262000) {  // CR at the last byte of the first piece of 256 KiB
            text.resize(262143, 'y');
            text += "\r\nABC";
            split = true;
        }
        if (random() % 20000 == 0) text += std::string(6000, '\n');
        text += pieces[random() % 8];
    }
    const std::string path = dir.file("lines\\many.txt", text);
    std::vector<std::string> expected;
    LONG line = 1;
    for (size_t at = 0, counted = 0; (at = text.find("ABC", at)) != std::string::npos; counted = at, at += 3) {
        line += CountLine(text.c_str() + counted, text.c_str() + at) - 1;
        const size_t before = text.find_last_of("\r\n", at);
        const size_t start = before == std::string::npos ? 0 : before + 1;
        const size_t end = std::min(text.find_first_of("\r\n", at), start + 100);
        expected.push_back(hit(path, line, text.substr(start, end - start)));
    }
    EXPECT_EQ(LONG(expected.size()), OpenFindInsideFileDialog(nullptr, "abc", "*.*", (dir / "lines").c_str(), kHidden));
    std::vector<std::string> lines = main.lines();
    ASSERT_EQ(expected.size() + 2, lines.size());
    EXPECT_EQ(expected, std::vector<std::string>(lines.begin() + 1, lines.end() - 1));
}

TEST_F(FindInFiles, UnreadableFileBadInputAndWildcards) {
    ferro_test::MessageBoxRecorder boxes;
    boxes.answer(IDOK);
    boxes.answer(IDOK);
    HANDLE held = CreateFileA(a.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(2, OpenFindInsideFileDialog(nullptr, "ABC", "*.txt", dir.path().c_str(), kFindMatchCase | kHidden));
    CloseHandle(held);
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_NE(std::string::npos, boxes.boxes()[0].caption.find(sjis("ﾌｧｲﾙからの検索")));
    EXPECT_NE(std::string::npos, boxes.boxes()[0].text.find("a.txt"));

    EXPECT_EQ(0, OpenFindInsideFileDialog(nullptr, "ABC", "*", (dir / "none").c_str(), kHidden));
    EXPECT_EQ(2u, boxes.boxes().size());
    *GetgszSearchFor() = '\0';
    EXPECT_EQ(-1, OpenFindInsideFileDialog(nullptr, nullptr, nullptr, nullptr, kHidden));
    EXPECT_EQ(-1, OpenFindInsideFileDialog(nullptr, std::string(520, 'a').c_str(), "*", dir.path().c_str(), kHidden));
    for (const char* every : {"*", "*.*", "*?*", "**"})
        EXPECT_EQ(11, OpenFindInsideFileDialog(nullptr, "B", every, dir.path().c_str(), kHidden | kFindSubfolders))
            << every;
    EXPECT_STREQ("**", GetInitialFileInFindFile());
    EXPECT_STREQ(dir.path().c_str(), GetFirstListedFolderInFindFile());
}

// An owner of the find and replace dialogs with its record's buffers.
struct Owner {
    Recorder window;
    char find[64] = "abc", with[64] = "";
    FINDREPLACEA record = {};
    Owner() {
        record.lStructSize = sizeof record;
        record.hwndOwner = window.window;
        record.hInstance = GetModuleHandleA(nullptr);
        record.Flags = FR_DOWN;
        record.lpstrFindWhat = find;
        record.wFindWhatLen = sizeof find;
        record.lpstrReplaceWith = with;
        record.wReplaceWithLen = sizeof with;
    }
};

void click(HWND dialog, int id) { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

TEST(FindReplaceDialogs, SendTheRecordWithTheFlagsOfTheirControls) {
    Owner owner;
    ASSERT_EQ(5119, myFindText(&owner.record, 0));
    HWND find = GetWndHandleForCreateFindReplaceDlg();
    ASSERT_TRUE(IsWindow(find));
    SetDlgItemTextA(find, 5000, "");
    click(find, 5009);  // an empty text: nothing is sent
    EXPECT_TRUE(owner.window.seen.empty());
    SetDlgItemTextA(find, 5000, sjis("表x").c_str());
    CheckDlgButton(find, 5007, BST_CHECKED);
    click(find, 5009);
    click(find, 5004);  // upward
    CheckDlgButton(find, 5008, BST_CHECKED);
    click(find, 5009);
    click(find, 5006);
    EXPECT_FALSE(IsFindTextDlgActive());

    ASSERT_EQ(5119, myReplaceText(&owner.record, 0));
    HWND replace = GetWndHandleForCreateFindReplaceDlg();
    SetDlgItemTextA(replace, 5000, "a");
    SetDlgItemTextA(replace, 5001, "b");
    for (int id : {5010, 5011, 5009}) click(replace, id);
    CheckDlgButton(replace, 5012, BST_CHECKED);
    CheckDlgButton(replace, 5013, BST_UNCHECKED);
    click(replace, 5010);
    click(replace, IDCANCEL);
    const std::vector<std::pair<std::string, DWORD>> expected = {
        {sjis("表x"), 0x0b}, {sjis("表x"), 0x0e}, {sjis("表x"), 0x4e},
        {"a", 0x11}, {"a", 0x31}, {"a", 0x09}, {"a", 0x10011}, {"a", 0x10051}};
    std::vector<std::pair<std::string, DWORD>> got;
    for (const Received& r : owner.window.seen) {
        EXPECT_EQ(WPARAM(1), r.wparam);
        got.push_back({r.text, r.flags});
    }
    EXPECT_EQ(expected, got);
    EXPECT_EQ("b", owner.window.seen.back().replace);
    EXPECT_EQ(std::string("a\0", 2) + sjis("表x") + std::string("\0\0", 2), std::string(GetmyFindStrings(), 7));

    owner.window.seen.clear();
    EXPECT_EQ(1, RepeatFindTextWithoutDlg(0));
    ASSERT_EQ(1u, owner.window.seen.size());
    EXPECT_EQ(WPARAM(0), owner.window.seen[0].wparam);
    EXPECT_EQ(DWORD(0x10008), owner.window.seen[0].flags & ~DWORD(0x40 | 0x06));
    owner.find[0] = '\0';
    EXPECT_EQ(0, RepeatFindTextWithoutDlg(1));
    EXPECT_EQ(1u, owner.window.seen.size());
}

TEST(TextSearch, KeywordsWordBoundsLinesAndCountBox) {
    EXPECT_EQ(1, IsKeywordsMatched("auto"));
    EXPECT_EQ(0, IsKeywordsMatched("Auto"));
    EXPECT_EQ(1, IsKeywordsMatched("#include"));
    EXPECT_EQ(1, IsKeywordsMatched("_WIN32_"));
    EXPECT_EQ(0, IsKeywordsMatched(nullptr));
    int sizes[3] = {};
    const char* const* tables[] = {GetCKeywordArray(), GetCppKeywordArray(), GetWinKeywordArray()};
    for (int t = 0; t < 3; ++t)
        for (const char* const* k = tables[t]; *k; ++k) ++sizes[t];
    EXPECT_EQ(47, sizes[0]);
    EXPECT_EQ(19, sizes[1]);
    EXPECT_EQ(19, sizes[2]);

    const std::string text = "a_b " + sjis("表") + "cd\r\n\r\rx";
    const char* t = text.c_str();
    EXPECT_TRUE(IsWordHead(t, t));
    EXPECT_FALSE(IsWordHead(t, t + 2));
    EXPECT_TRUE(IsWordHead(t, t + 6));  // after 表
    EXPECT_TRUE(IsWordEnd(t, t + 3));
    EXPECT_FALSE(IsWordEnd(t, t + 7));
    EXPECT_EQ(1, CountLine(t, t + 7));
    EXPECT_EQ(4, CountLine(t, t + 12));

    ferro_test::MessageBoxRecorder boxes;
    boxes.answer(IDOK);
    ShowMessageForFindReplace(nullptr, 196, "abc", 3);
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_EQ(sjis("文字列検索・置換"), boxes.boxes()[0].caption);
    EXPECT_EQ(sjis("文字列 'abc' が見つかりません。\n3個を置換しました\n"), boxes.boxes()[0].text);
    EXPECT_EQ(UINT(MB_ICONEXCLAMATION), boxes.boxes()[0].style);
}
}  // namespace
