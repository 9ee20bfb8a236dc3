// The viewer dialog run for real: a sequence of three files walked with the
// dialog's own buttons, the line width changed through its dialog, and a
// screenshot of Japanese text kept under the build tree.
#include <gtest/gtest.h>
#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "support/artefacts.h"
#include "support/dialog_script.h"
#include "support/message_box_recorder.h"
#include "support/sjis.h"
#include "support/temp_folder.h"
#include "viewer/viewer.h"

using ferro_test::sjis;

namespace {
// What a tick sees: the viewer dialog and the line-width dialog when open.
struct Open {
    HWND viewer = nullptr, width = nullptr;
};
using Step = std::function<bool(const Open&)>;  // true: done, go to the next step

std::vector<Step> g_steps;
size_t g_step = 0;
int g_ticks = 0;

BOOL CALLBACK find_dialogs(HWND window, LPARAM found) {
    auto* open = reinterpret_cast<Open*>(found);
    if (!IsWindowVisible(window)) return TRUE;
    if (GetDlgItem(window, 2580)) open->viewer = window;
    if (GetDlgItem(window, 2590)) open->width = window;
    return TRUE;
}

// Runs from the dialogs' own message loops: at most one step per tick, and
// after 20 seconds every dialog is closed so that a test never hangs.
void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
    Open open;
    EnumThreadWindows(GetCurrentThreadId(), find_dialogs, reinterpret_cast<LPARAM>(&open));
    if (++g_ticks > 400) {
        ADD_FAILURE() << "dialog script stuck at step " << g_step;
        for (HWND w : {open.width, open.viewer})
            if (w) PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    if (g_step < g_steps.size() && g_steps[g_step](open)) ++g_step;
}

std::string text_of(HWND window) {
    char buffer[8192] = "";
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

void press(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

using ferro_test::artefact;
using ferro_test::save_screenshot;

TEST(ViewerDialog, WalksThreeFilesWithItsButtons) {
    ferro_test::TempFolder dir;
    const std::string japanese = sjis("表示ソフト能力の一覧\r\n\t日本語のテキスト\r\n");
    const std::vector<std::string> files = {dir.file("one.txt", "first file\r\n"),
                                            dir.file(sjis("二.txt"), japanese),
                                            dir.file("three.txt", std::string(70000, 'z'))};
    ferro_test::MessageBoxRecorder boxes;
    boxes.answer(IDYES);  // "折返文字数の変更を実行しますか？"
    std::vector<LONG> results;
    std::vector<std::string> titles, texts;
    auto read = [&](const Open& o) {
        if (!o.viewer) return false;
        titles.push_back(text_of(o.viewer));
        texts.push_back(text_of(GetDlgItem(o.viewer, 2580)));
        return true;
    };
    auto press_in_viewer = [](int id) {
        return [id](const Open& o) {
            if (!o.viewer || o.width) return false;
            press(o.viewer, id);
            return true;
        };
    };
    g_steps = {
        read, [&](const Open& o) { EXPECT_EQ(sjis("次ﾌｧｲﾙ(&N)"), text_of(GetDlgItem(o.viewer, IDOK)));
                                   EXPECT_FALSE(IsWindowEnabled(GetDlgItem(o.viewer, 2581))); return true; },
        press_in_viewer(IDOK),
        read, [&](const Open& o) { ferro_test::save_screenshot(o.viewer, "viewer_japanese.bmp"); return true; },
        press_in_viewer(2582),
        [](const Open& o) {
            if (!o.width) return false;
            SetDlgItemTextA(o.width, 2590, "6");
            press(o.width, IDOK);
            return true;
        },
        [&](const Open& o) { return !o.width && read(o); },
        press_in_viewer(2581),
        read, press_in_viewer(IDOK),
        read, press_in_viewer(IDOK),
        read, [&](const Open& o) { EXPECT_EQ(sjis(" OK "), text_of(GetDlgItem(o.viewer, IDOK))); return true; },
        press_in_viewer(IDCANCEL),
    };
    g_step = 0;
    g_ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, tick);
    SetViewerUnit(0);
    LONG current = 1, remaining = 3;
    while (current >= 1 && current <= 3 && results.size() < 8) {
        const LONG r = Viewer(nullptr, files[size_t(current - 1)].c_str(), current, remaining, 3, nullptr);
        results.push_back(r);
        if (r == IDCANCEL) break;
        current = GetCurrentFileNumber();
        remaining = GetRemainingViewerFileNumber();
    }
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_steps.size(), g_step);
    EXPECT_EQ((std::vector<LONG>{IDOK, 2581, IDOK, IDOK, IDCANCEL}), results);
    ASSERT_EQ(6u, texts.size());
    EXPECT_EQ(sjis("Ferrolan:ﾌｧｲﾙﾋﾞｭｰ 'one.txt' 残:2/3"), titles[0]);
    EXPECT_EQ("first file\r\n", texts[0]);
    EXPECT_EQ(sjis("Ferrolan:ﾌｧｲﾙﾋﾞｭｰ '二.txt' 残:1/3"), titles[1]);
    EXPECT_EQ(japanese, texts[1]);
    EXPECT_EQ(sjis("表示ソ\r\nフト能\r\n力の一\r\n覧\r\n    日\r\n本語の\r\nテキス\r\nト\r\n"), texts[2]);
    EXPECT_EQ(6u, GetViewerUnit());
    EXPECT_EQ(1, IsViewerOptionChanged());
    EXPECT_EQ("first \r\nfile\r\n", texts[3]);  // the width stays for the next files
    EXPECT_EQ(sjis("Ferrolan:ﾌｧｲﾙﾋﾞｭｰ 'three.txt' 残:0/3 (途中まで)"), titles[5]);
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_EQ(sjis("Ferrolan:折返文字数"), boxes.boxes()[0].caption);
    RECT kept;
    EXPECT_EQ(1, GetViewerRect(&kept));
    SetViewerUnit(0);
    SetViewerOptionChanged(0);
}

TEST(ViewerDialog, ErrorBoxInsteadOfTheDialog) {
    ferro_test::MessageBoxRecorder boxes;
    boxes.answer(IDCANCEL);
    EXPECT_EQ(0, Viewer(nullptr, nullptr, 1, 1, 1, nullptr));
    EXPECT_EQ(IDCANCEL, Viewer(nullptr, "C:\\no such folder\\x.txt", 1, 2, 2, nullptr));
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_EQ(sjis("Ferrolan:ﾌｧｲﾙﾋﾞｭｰ 残:1/2"), boxes.boxes()[0].caption);
    EXPECT_NE(std::string::npos, boxes.boxes()[0].text.find(sjis("ﾌｧｲﾙの読み込み中にｴﾗｰが発生しました")));
    EXPECT_EQ(UINT(MB_OKCANCEL | MB_ICONEXCLAMATION), boxes.boxes()[0].style);
    EXPECT_EQ(2, GetCurrentFileNumber());
}

// The three cursors come from the message library's pictures and go again.
TEST(ViewerCursors, LoadedAndDestroyed) {
    ASSERT_EQ(1, SetViewerCursors());
    for (LONG i = 0; i < 3; ++i) EXPECT_NE(nullptr, GetViewerCursor(i)) << i;
    EXPECT_EQ(nullptr, GetViewerCursor(3));
    EXPECT_EQ(3, DeleteViewerCursors());
    EXPECT_EQ(nullptr, GetViewerCursor(0));
}
}  // namespace
