// The user's stored commands: read from the profile's current section, run
// (with the extra-option question), listed in the command dialog, and
// written back to a section.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "frame/memory_blocks.h"
#include "programs/launch.h"
#include "settings/profile.h"
#include "support/child_program.h"
#include "support/message_box_recorder.h"
#include "support/registry_keys.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using namespace ferro_test;

namespace {
// Answers the next extra-option question: OK with `g_options`, or cancel when empty.
std::string g_options;
void CALLBACK answer_options(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = FindWindowA("#32770", sjis("Ferrolan:追加ｵﾌﾟｼｮﾝ").c_str());
    if (!dialog || !IsWindowVisible(dialog)) return;
    KillTimer(nullptr, id);
    SetDlgItemTextA(dialog, 2110, g_options.c_str());
    PostMessageA(dialog, WM_COMMAND, g_options.empty() ? IDCANCEL : IDOK, 0);
}

// The command dialog: item 1 of the list goes to the template field and is run.
std::string g_listed;
void CALLBACK pick_second(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = FindWindowA("#32770", sjis("Ferrolan:ﾏｸﾛｺﾏﾝﾄﾞ").c_str());
    if (!dialog || !IsWindowVisible(dialog)) return;
    KillTimer(nullptr, id);
    ExecuteCmdExe(dialog, 1, 0);
    char text[520];
    GetDlgItemTextA(dialog, 2101, text, sizeof text);
    g_listed = text;
    if (IsWindowEnabled(GetDlgItem(dialog, 2107))) PostMessageA(dialog, WM_COMMAND, 2107, 0);
}

LONG run_stored(int index, const std::string& options) {
    g_options = options;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, answer_options);
    LONG result = ExecuteCmdExe(nullptr, index, -1);
    KillTimer(nullptr, timer);
    return result;
}
}  // namespace

TEST(StoredCommands, ReadRunListAndWriteBack) {
    TempFolder temp;
    ChildRecord record(temp / "runs.txt");
    OwnedKey product = OwnedKey::fresh();
    const std::string child = quoted(child_path());
    const std::string with_drive = "C:\\tools\\ed.exe $C";  // a colon, and no extra part
    product.set("Commands", "A", child + " --first $C  ");
    product.set("Commands", "B", with_drive);
    product.set("Commands", "C", child + " --x<-extra>1:7");
    product.set("Commands", "D", child + " --asked<>1:0");
    SetRegistryPath(product.path().c_str());
    StartIniAccessForReading(0);
    SetSectionNameForReading("Commands");
    EXPECT_EQ(ReadCommandStrings(nullptr), 0) << "the last entry's second number";
    EndIniAccessForReading();

    const std::string file = temp.file(sjis("表.txt"), "x");
    SaveToGlobal_ghTempMemory(nullptr, file.c_str());
    WaitForSingleObjectForWinExec(-1);
    EXPECT_EQ(run_stored(0, ""), 1);
    EXPECT_EQ(run_stored(2, "-edited " + sjis("ソ")), 1) << "the extra options asked for";
    EXPECT_EQ(run_stored(2, ""), 1) << "cancelled: nothing runs";
    EXPECT_EQ(run_stored(20, ""), 1) << "no such entry";
    {
        MessageBoxRecorder boxes;  // the dialog, and the box of the failed start
        boxes.answer_all(IDOK);
        UINT_PTR timer = SetTimer(nullptr, 0, 20, pick_second);
        EXPECT_EQ(CommandMacro(nullptr), 0) << "the listed command names a program that is not there";
        KillTimer(nullptr, timer);
        EXPECT_EQ(boxes.boxes().size(), 2u);
    }
    EXPECT_EQ(g_listed, with_drive) << "the command holding a colon stays whole";
    auto runs = record.runs_when(2);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].args, (std::vector<std::string>{"--first", file}));
    EXPECT_EQ(runs[1].args, (std::vector<std::string>{"--x", "-edited", sjis("ソ")}));

    // Written back: every entry, the numbers kept also where the second text is empty.
    const std::string written = product / "Written";
    EXPECT_EQ(SetCommandStrings(HKEY_CURRENT_USER, written.c_str()), 4);
    EXPECT_EQ(raw_value(HKEY_CURRENT_USER, written, "A"), child + " --first $C" + '\0');
    EXPECT_EQ(raw_value(HKEY_CURRENT_USER, written, "B"), with_drive + '\0');
    EXPECT_EQ(raw_value(HKEY_CURRENT_USER, written, "C"), child + " --x<-extra>1:7" + '\0');
    EXPECT_EQ(raw_value(HKEY_CURRENT_USER, written, "D"), child + " --asked<>1:0" + '\0');
    // Through a key of the caller's (writable with the administrator's switch): the store
    // closes the key it is handed, so each write gets its own.
    HKEY opened = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, product.path().c_str(), 0, KEY_ALL_ACCESS, &opened), 0);
    SetRegistrySettingForAdmin(1);
    EXPECT_EQ(SetCommandStrings(opened, "Again"), 4);
    SetRegistrySettingForAdmin(0);
    RegCloseKey(opened);
    EXPECT_EQ(raw_value(HKEY_CURRENT_USER, product / "Again", "D"), child + " --asked<>1:0" + '\0');
    EXPECT_EQ(FreeMacroCommandHandle(), 1);
    EXPECT_EQ(SetCommandStrings(HKEY_CURRENT_USER, written.c_str()), 0) << "nothing stored";
    WaitForSingleObjectForWinExec(0);
    SetRegistryPath("");
}
