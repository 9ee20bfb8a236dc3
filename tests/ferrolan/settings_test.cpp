// What comes back at the next start, what a damaged profile does, the
// function keys in the user's order, and the real program started twice.
#include "window_host_fixture.h"
#include "support/sjis.h"

using namespace ferro_test;

namespace {
class Settings : public WindowHost {};

std::string title_of(HWND window) {
    char text[600] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

TEST_F(Settings, RestartRestoresFoldersPlacementAndTheActivePane) {
    temp.file(sjis("a\\表\\x.txt"), "x");
    temp.folder("b");
    start(temp / "a", temp / "b");
    SetWindowPos(app_->window(), nullptr, 70, 90, 720, 480, SWP_NOZORDER);
    click(0, sjis("表"));
    key(0, VK_RETURN);                 // into the folder
    key(0, VK_TAB);                    // the right pane has the cursor now
    command(ferrolan::kCmdSortSize);   // in the right pane
    close();
    start("", "");
    EXPECT_EQ(temp / sjis("a\\表"), app_->pane(0).folder());
    EXPECT_EQ(temp / "b", app_->pane(1).folder());
    EXPECT_EQ(1, app_->active_side());
    EXPECT_EQ(ferrolan::SortKey::kSize, app_->pane(1).sort_key());
    RECT r;
    GetWindowRect(app_->window(), &r);
    EXPECT_EQ(70, r.left);
    EXPECT_EQ(90, r.top);
    EXPECT_EQ(720, r.right - r.left);
    EXPECT_EQ(480, r.bottom - r.top);
    shot("ferrolan-restored-at-restart");
}

TEST_F(Settings, DamagedSettingsNeverStopTheStart) {
    key_.set("Size", "left", "garbage");
    key_.set("Size", "right", "-7", REG_DWORD);
    key_.set("Files", "StartDirectory", "Q:\\gone\\away");
    key_.set("Files", "StartDirectory_Target", std::string(600, 'x'));
    key_.set_dword("Files", "StartingSort", 77);
    key_.set("Files", "FileSpec", "");
    key_.set("FunctionKey", "Order", "0,x,,");
    key_.set_dword("Files", "MaxFileNumber", 5);
    start("", "");
    EXPECT_TRUE(IsWindowVisible(app_->window()));
    EXPECT_FALSE(app_->pane(0).folder().empty());
    EXPECT_FALSE(app_->pane(1).folder().empty());
    EXPECT_EQ(ferrolan::SortKey::kName, app_->pane(0).sort_key());
    EXPECT_GE(items(0).size(), 1u);
    EXPECT_EQ(0u, boxes.boxes().size());
    shot("ferrolan-started-on-damaged-settings");
}

TEST_F(Settings, FunctionKeysFollowTheStoredOrder) {
    key_.set("FunctionKey", "Order", "2,1,3,4,5,6,7,8,9,10,11,12");
    temp.file("a\\f.txt", "f");
    start(temp / "a", temp / "a");
    click(0, "f.txt");
    dialogs.then({{}, {}, IDCANCEL});
    key(0, VK_F1);  // F1 now stands for the second slot: rename
    EXPECT_EQ(1, dialogs.shown());
    char label[64] = {};
    GetWindowTextA(GetDlgItem(GetDlgItem(app_->window(), 900), 901), label, sizeof label);
    EXPECT_EQ(sjis("F1 名前"), label);
}

// The program itself: started with two folders and no settings, closed,
// started again without folders.
std::string program() {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string path = exe;
    return path.substr(0, path.rfind('\\') + 1) + "ferrolan.exe";
}

struct FoundWindow {
    DWORD process;
    HWND window = nullptr;
};

BOOL CALLBACK find_main(HWND window, LPARAM data) {
    auto* found = reinterpret_cast<FoundWindow*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char cls[32] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (process != found->process || lstrcmpA(cls, "FerrolanMain") != 0) return TRUE;
    found->window = window;
    return FALSE;
}

std::string run_program(const std::string& arguments) {
    std::string line = "\"" + program() + "\" " + arguments;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return "";
    WaitForInputIdle(pi.hProcess, 20000);
    FoundWindow found{pi.dwProcessId};
    EnumWindows(find_main, LPARAM(&found));
    const std::string title = found.window ? title_of(found.window) : "";
    if (found.window) PostMessageA(found.window, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(pi.hProcess, 20000) == WAIT_OBJECT_0;
    DWORD code = 99;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ended && code == 0 ? title : "ended badly: " + std::to_string(code) + " " + title;
}

TEST_F(Settings, TheProgramStartsListsAndComesBackWhereItWas) {
    const std::string a = temp.folder(sjis("始め")), b = temp.folder("other");
    EXPECT_EQ("Ferrolan - " + a, run_program("--key \"" + key_.path() + "\" \"" + a + "\" \"" + b + "\""));
    EXPECT_EQ(a + '\0', raw_value(HKEY_CURRENT_USER, key_ / "Files", "StartDirectory").value_or(""));
    EXPECT_EQ("Ferrolan - " + a, run_program("--key \"" + key_.path() + "\""));
}
}  // namespace

namespace {
// Tools > INI file: the settings move into FERRO.INI beside the program, the
// next start reads them from there, and the same item moves them back.
class IniSettings : public WindowHost {
protected:
    void TearDown() override {
        WindowHost::TearDown();
        DeleteFileA(ferrolan::ini_beside_program().c_str());  // never left for the next start
    }
};

TEST_F(IniSettings, MoveIntoTheIniFileAndBack) {
    const std::string ini = ferrolan::ini_beside_program();
    ASSERT_FALSE(exists(ini));
    start(temp.folder("one"), temp.folder("two"));
    boxes.answer(IDOK);
    command(ferrolan::kCmdIniSettings);
    ASSERT_TRUE(exists(ini));
    ASSERT_EQ(1u, boxes.boxes().size());
    char stored[520] = {};
    GetPrivateProfileStringA("Files", "StartDirectory", "", stored, sizeof stored, ini.c_str());
    EXPECT_EQ(temp / "one", stored);
    app_->pane(0).open(temp.folder("three"));
    close();  // written into the INI file only
    EXPECT_EQ(temp / "one" + '\0', raw_value(HKEY_CURRENT_USER, key_ / "Files", "StartDirectory").value_or(""));
    app_ = std::make_unique<ferrolan::App>(GetModuleHandleA(nullptr));  // as the program decides its place
    ferrolan::StartOptions options;
    options.place = ferrolan::default_place();
    options.place.key = key_.path();
    ASSERT_NE(nullptr, app_->start(options));
    EXPECT_EQ(temp / "three", app_->pane(0).folder());
    boxes.answer(IDOK);
    command(ferrolan::kCmdIniSettings);
    EXPECT_EQ(2u, boxes.boxes().size());
    EXPECT_FALSE(exists(ini));
    EXPECT_EQ(temp / "three" + '\0', raw_value(HKEY_CURRENT_USER, key_ / "Files", "StartDirectory").value_or(""));
}
}  // namespace
