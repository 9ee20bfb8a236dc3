// The shortcut dialog and the batch tool's dialog run for real under Xvfb,
// driven through their own controls.
#include "link_fixture.h"
#include <cstring>
#include "settings/profile.h"
#include "support/dialog_script.h"
#include "support/message_box_recorder.h"
#include "support/registry_keys.h"

using namespace link_test;
using namespace ferro_test;

namespace {
std::string text_of(HWND dialog, int id) {
    char text[520] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}
}  // namespace

// A shortcut made for a target in a folder that does not exist yet (the
// dialog asks and makes it), then opened again and cancelled.
TEST_F(LinkTest, ShortcutDialogMakesAndShowsAShortcut) {
    const std::string target = dir_.file(sjis("ソフト\\表.exe"), "x");
    const std::string target_folder = folder_of(target);  // 表 ends in a 0x5C trail byte
    const std::string store = dir_ / sjis("新しい能");
    MessageBoxRecorder boxes;
    boxes.answer_all(IDYES);  // "make the folder?"
    const INT_PTR made = run_dialog_script(
        2294,
        {set_text(2293, store), set_text(2294, sjis("能ソ")), set_text(2288, "-x"), set_text(2300, sjis("説明")),
         [](HWND d) { return SendDlgItemMessageA(d, 2281, CB_SETCURSEL, 1, 0) == 1; }, check(2295, true),
         screenshot("shortcut_dialog.bmp"), click(IDOK)},
        [&] { return ShortCutDialog(nullptr, target.c_str(), 1, 0); });
    ASSERT_EQ(IDOK, made);  // -1: the dialog could not be made
    int questions = 0;  // the recorder also sees the dialog itself
    for (const RecordedBox& b : boxes.boxes()) questions += b.text.find(store) != std::string::npos;
    EXPECT_EQ(1, questions);
    EXPECT_EQ(1, IsDirCreatedForShortCut());
    const std::string link = store + "\\" + sjis("能ソ.lnk");
    auto info = lnkinfo(link);
    EXPECT_EQ(utf8(target + "|-x|" + target_folder + "|" + sjis("説明")),
              info["Local path"] + "|" + info["Command line arguments"] + "|" + info["Working directory"] + "|" +
                  info["Description"]) << info["raw"];
    EXPECT_EQ(SW_SHOWMAXIMIZED, *reinterpret_cast<const int*>(read_file(link).data() + 0x3C));
    EXPECT_EQ(target_folder, GetLinkInfo(0));

    std::string shown;
    const INT_PTR cancelled = run_dialog_script(2294,
                                                {[&](HWND d) { return shown = text_of(d, 2280), true; }, click(2296)},
                                                [&] { return ShortCutDialog(nullptr, link.c_str(), 0x20, 0); });
    EXPECT_EQ(IDCANCEL, cancelled);
    EXPECT_EQ(target, shown);
    EXPECT_EQ(0, IsDirCreatedForShortCut());
}

// The batch tool's dialog: its kept folders and options, the examples page,
// and a run over a folder without matching shortcuts.
TEST_F(LinkTest, BatchDialogKeepsItsFoldersAndOptions) {
    OwnedKey key = OwnedKey::fresh();
    SetRegistryPath(key.path().c_str());
    ASSERT_EQ(1, SaveOutputDirForRenameSc(dir_.path().c_str(), "C:\\old", sjis("D:\\新").c_str(), 0x10021));
    char folder[520];
    EXPECT_EQ(1, GetFolderFromRegistry(folder, 2));
    EXPECT_EQ(sjis("D:\\新"), folder);
    EXPECT_EQ(0x10021, GetOptionsFromRegistry(7));
    EXPECT_EQ(0, GetFolderFromRegistry(folder, 3));

    dir_.file("a.txt", "x");
    std::string counter;
    const INT_PTR ran = run_dialog_script(
        2401,
        {[](HWND d) { return IsDlgButtonChecked(d, 2412) == BST_CHECKED && IsDlgButtonChecked(d, 2419) == BST_CHECKED; },
         click(2428),
         [](HWND d) {  // the examples page, closed again
             HWND page = GetLastActivePopup(d);
             return page != d && PostMessageA(page, WM_COMMAND, IDOK, 0);
         },
         check(2422, false), click(IDOK),
         [&](HWND d) { return !(counter = text_of(d, 2425)).empty(); },
         click(IDCANCEL)},
        [&] { return RenameShortcutDialog(nullptr, nullptr, nullptr, nullptr); });
    EXPECT_EQ(IDOK, ran);
    EXPECT_EQ("0 selected", counter);
    EXPECT_EQ(0x10020, GetOptionsFromRegistry(0));
    SetRegistryPath("");
}
