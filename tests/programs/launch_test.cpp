#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "frame/memory_blocks.h"
#include "frame/places.h"
#include "programs/launch.h"
#include "programs/processes.h"
#include "support/child_program.h"
#include "support/message_box_recorder.h"
#include "support/sjis.h"
#include "support/temp_folder.h"
#include "support/screenshot.h"

using namespace ferro_test;

namespace {
using Args = std::vector<std::string>;

// Closes what a record holds once a test is done with it.
void close(LaunchRecord& record) {
    for (HANDLE h : {record.instance, record.thread})
        if (h && h != INVALID_HANDLE_VALUE && h != HANDLE(1)) CloseHandle(h);
}

// Starts program + options through the memory blocks of myExecuteExeFile.
LaunchRecord execute(const std::string& program, const std::string& options, LONG keep = 0) {
    HGLOBAL p = nullptr, o = nullptr;
    EXPECT_EQ(SetExcuteExeFileAndOptionsWith95Quotation(nullptr, program.c_str(), options.c_str(), &p, &o), 1);
    LaunchRecord record;
    myExecuteExeFile(&record, nullptr, SW_SHOWNORMAL, keep, p, o);
    GlobalFree(p);
    GlobalFree(o);
    return record;
}

HANDLE g_started;
void CALLBACK keep_process(const PROCESS_INFORMATION* info) {
    DuplicateHandle(GetCurrentProcess(), info->hProcess, GetCurrentProcess(), &g_started, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
}

int g_ticks;
void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
    if (++g_ticks == 3) SetToQuitWaitForSingleObjectInWinExec(1);
}
LRESULT CALLBACK count_messages(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_APP && ++g_ticks == 30) SetToQuitWaitForSingleObjectInWinExec(1);
    return DefWindowProcA(window, message, wparam, lparam);
}

// Drives the command-macro dialog: a template typed in and run.
std::string g_template, g_picture;
void CALLBACK drive_dialog(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = FindWindowA("#32770", sjis("Ferrolan:ﾏｸﾛｺﾏﾝﾄﾞ").c_str());
    if (!dialog || !IsWindowVisible(dialog)) return;
    KillTimer(nullptr, id);
    SetDlgItemTextA(dialog, 2101, g_template.c_str());
    if (g_picture.empty()) g_picture = save_window_picture(dialog, "command_macro_dialog");
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(2107, BN_CLICKED), LPARAM(GetDlgItem(dialog, 2107)));
}

LONG run_macro_dialog(const std::string& command, const std::string& files) {
    SaveToGlobal_ghTempMemory(nullptr, files.c_str());
    g_template = command;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, drive_dialog);
    LONG result = CommandMacro(nullptr);
    KillTimer(nullptr, timer);
    return result;
}

class Launch : public testing::Test {
protected:
    void TearDown() override {
        WaitForSingleObjectForWinExec(0);
        SetWinExecAfterCreateProcessAPI(nullptr);
        SetFlagForCreateProcess(0);
    }
    TempFolder temp_;
    ChildRecord record_{temp_ / "runs.txt"};
    const std::string child_ = quoted(child_path());
    const std::string console_ = quoted(child_path(true));  // no message queue to wait for
};
}  // namespace

TEST_F(Launch, ArgumentsRoundTripExactly) {
    const std::string args = "plain \"with space\" " + sjis("表ソ能") + " \"C:\\" + sjis("能 表") + "\" \"a\\\"b\"";
    WaitForSingleObjectForWinExec(-1);
    LaunchRecord record;
    myWinExec(&record, nullptr, (child_ + " " + args).c_str(), SW_SHOWNORMAL);
    ASSERT_FALSE(IsWinExecOnError(record));
    EXPECT_EQ(record.instance, HANDLE(1)) << "the wait gave its handles up";
    EXPECT_EQ(GetProcessInfoFromCreateProcess()->hProcess, nullptr);
    auto runs = record_.runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].command_line, child_ + " " + args);
    EXPECT_EQ(runs[0].args, (Args{"plain", "with space", sjis("表ソ能"), "C:\\" + sjis("能 表"), "a\"b"}));
}

TEST_F(Launch, WaitsKeepingTheInterfaceAliveUntilCalledOff) {
    WaitForSingleObjectForWinExec(-1);
    g_ticks = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 10, tick);
    LaunchRecord record;
    myWinExec(&record, nullptr, (child_ + " \"--title=Ferro Wait\" --stay").c_str(), SW_SHOWNORMAL);
    KillTimer(nullptr, timer);
    EXPECT_GE(g_ticks, 3) << "timer messages are handled while waiting";
    EXPECT_EQ(IsWaitForSingleObjectLoopTerminated(), 0);
    EXPECT_NE(record.window, nullptr) << "the program's window";
    EXPECT_EQ(IsTaskTerminated(record), 0) << "calling the wait off leaves the program running";
    EXPECT_EQ(TermintetExecuteFileByWinExec(nullptr, "Ferro NoSuch\0Ferro Wait\0", 2), 1);
    EXPECT_TRUE(pump_until([&] { return IsTaskTerminated(record) == 1; }));
    SetToQuitWaitForSingleObjectInWinExec(0);
    EXPECT_EQ(IsWaitForSingleObjectLoopTerminated(), 1);

    // A new wait starts afresh after one was called off, and handles every waiting message without a pause.
    SetToQuitWaitForSingleObjectInWinExec(1);
    HWND counter = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(counter, GWLP_WNDPROC, LONG_PTR(count_messages));
    g_ticks = 0;
    for (int i = 0; i < 30; ++i) PostMessageA(counter, WM_APP, 0, 0);
    const DWORD start = GetTickCount();
    myWinExec(&record, nullptr, (child_ + " \"--title=Ferro Wait\" --stay").c_str(), SW_SHOWNORMAL);
    EXPECT_LT(GetTickCount() - start, 2000u) << "thirty messages, no pause after each";
    EXPECT_EQ(g_ticks, 30);
    EXPECT_EQ(TermintetExecuteFileByWinExec(nullptr, "Ferro Wait", 1), 1);
    DestroyWindow(counter);

    // Until the end, with the exit code through the after-launch hook.
    SetWinExecAfterCreateProcessAPI(keep_process);
    myWinExec(&record, nullptr, (child_ + " --exit=7").c_str(), SW_SHOWNORMAL);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(g_started, &code));
    EXPECT_EQ(code, 7u);
    CloseHandle(g_started);

    // A time: once, then the program runs on.
    NamedEvent hold;
    WaitForSingleObjectForWinExec(50);
    myWinExec(&record, nullptr, (console_ + " --hold=" + hold.name()).c_str(), SW_SHOWNORMAL);
    EXPECT_EQ(WaitForSingleObject(record.instance, 0), DWORD(WAIT_TIMEOUT));
    SetEvent(hold.handle());
    EXPECT_EQ(WaitForSingleObject(record.instance, 20000), DWORD(WAIT_OBJECT_0));
    close(record);
}

TEST_F(Launch, EnvironmentBlockAndCreationFlagsServeTheNextStart) {
    const std::string other = temp_ / "other.txt";
    const std::string block = "FERRO_CHILD_RECORD=" + other + '\0' + "FERRO_X=" + sjis("表") + '\0' + '\0';
    EXPECT_EQ(SetEnvironmentForWinExec(block.c_str()), 1);
    WaitForSingleObjectForWinExec(-1);
    LaunchRecord record;
    myWinExec(&record, nullptr, (child_ + " first").c_str(), SW_SHOWNORMAL);
    myWinExec(&record, nullptr, (child_ + " second").c_str(), SW_SHOWNORMAL);
    ASSERT_EQ(read_child_runs(other).size(), 1u);
    EXPECT_EQ(read_child_runs(other)[0].args, Args{"first"});
    ASSERT_EQ(record_.runs().size(), 1u) << "the block serves one start only";
    EXPECT_EQ(record_.runs()[0].args, Args{"second"});

    WaitForSingleObjectForWinExec(0);
    SetFlagForCreateProcess(CREATE_SUSPENDED);
    myWinExec(&record, nullptr, (console_ + " third").c_str(), SW_SHOWNORMAL);
    EXPECT_EQ(record_.runs().size(), 1u) << "suspended";
    ResumeThread(record.thread);
    EXPECT_EQ(WaitForSingleObject(record.instance, 20000), DWORD(WAIT_OBJECT_0));
    EXPECT_EQ(record_.runs().size(), 2u);
    close(record);
}

TEST_F(Launch, ProgramsWithSpacesAndTheLastCommand) {
    // A copy of the child in a folder with a space, its libraries beside it.
    const std::string folder = temp_.folder("with space");
    const std::string bin = child_path().substr(0, child_path().rfind('\\') + 1);
    for (const char* dll : {"ferro32.dll", "ferromes.dll"})
        ASSERT_TRUE(CopyFileA((bin + dll).c_str(), (folder + "\\" + dll).c_str(), FALSE));
    const std::string copy = folder + "\\ferro child.exe";
    ASSERT_TRUE(CopyFileA(child_path().c_str(), copy.c_str(), FALSE));
    WaitForSingleObjectForWinExec(-1);
    EXPECT_FALSE(IsWinExecOnError(execute(copy, "x " + sjis("表"))));
    // A program text that carries options of its own: quoted it fails, as written it starts.
    EXPECT_FALSE(IsWinExecOnError(execute(child_path() + " --exit=0", "y", 1)));
    auto runs = record_.runs();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].command_line, quoted(copy) + " x " + sjis("表"));
    EXPECT_EQ(runs[1].args, (Args{"--exit=0", "y"}));
    char last[520];
    EXPECT_EQ(std::string(GetCommandStringInExecuteExeFile(last)), quoted(copy) + " x " + sjis("表"))
        << "kept from the first start only";
    LPSTR program = nullptr, options = nullptr;
    EXPECT_EQ(GetCommandAndOptionInExecuteExeFile(&program, &options), 1);
    EXPECT_EQ(std::string(options), "x " + sjis("表"));
    EXPECT_EQ(FreeExcuteExeFile(), 1);
    EXPECT_EQ(GetCommandStringInExecuteExeFile(last), nullptr);
}

TEST_F(Launch, FailuresAreReportedInBoxes) {
    MessageBoxRecorder boxes;
    boxes.answer_all(IDOK);
    const std::string deep = temp_.path() + "\\" + std::string(519 - temp_.path().size() - 5, 'd') + ".exe";
    const std::string cases[] = {temp_ / "missing.exe", temp_.folder("folder"), deep};
    for (const std::string& program : cases) {
        boxes.clear();
        boxes.answer_all(IDOK);
        LaunchRecord record = execute(program + (program == deep ? "x" : ""), "");
        EXPECT_TRUE(IsWinExecOnError(record)) << program;
        EXPECT_EQ(record.processId, 0u);
        ASSERT_EQ(boxes.boxes().size(), 1u) << program;
        const RecordedBox& box = boxes.boxes()[0];
        EXPECT_EQ(box.caption.rfind(sjis("エラー") + "...", 0), 0u) << utf8(box.caption);
        const std::string name = program.substr(program.rfind('\\') + 1) + (program == deep ? "x" : "");
        const std::string title = sjis("エラー") + "..." + name;
        EXPECT_EQ(box.caption, title.substr(0, box.caption.size())) << "titled with the program's name";
        EXPECT_GT(box.caption.size(), 9u);
        EXPECT_EQ(box.text.rfind(sjis("ｳｨﾝﾄﾞｳｽﾞｼｽﾃﾑからのｴﾗｰﾒｯｾｰｼﾞ") + ":\n", 0), 0u) << utf8(box.text);
        EXPECT_EQ(box.style, UINT(MB_OK | MB_ICONEXCLAMATION));
    }
    // A network folder of the browsing form that cannot be connected.
    boxes.clear();
    boxes.answer_all(IDOK);
    LaunchRecord record;
    myWinExec(&record, nullptr, (child_ + " \\:\\NET\\server\\share").c_str(), SW_SHOWNORMAL);
    EXPECT_TRUE(IsWinExecOnError(record));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, sjis("ﾈｯﾄﾜｰｸ"));
    EXPECT_EQ(boxes.boxes()[0].text, sjis("ﾈｯﾄﾜｰｸﾄﾞﾗｲﾌﾞｱｸｾｽ時にｴﾗｰが発生しました。"));
    EXPECT_EQ(boxes.boxes()[0].style, UINT(MB_OK | MB_ICONEXCLAMATION));
    // The shell's execute function: its own box.
    boxes.clear();
    boxes.answer_all(IDOK);
    EXPECT_EQ(ShellExecuteWithError(nullptr, "open", (temp_ / "none.txt").c_str(), nullptr, nullptr, SW_SHOW),
              nullptr);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_NE(boxes.boxes()[0].text.find(sjis("ﾌｧｲﾙが見つかりません")), std::string::npos);
    WaitForSingleObjectForWinExec(-1);
    EXPECT_NE(ShellExecuteWithError(nullptr, "open", child_path().c_str(), "shell", nullptr, SW_SHOW), nullptr)
        << "a start that opens no window of that instance still succeeds";
    EXPECT_TRUE(record_.done().wait());
}

TEST_F(Launch, ThroughTheShellWithTheRunasVerb) {
    WaitForSingleObjectForWinExec(-1);
    LaunchRecord record;
    myWinExecRequireAdministrator(&record, nullptr, child_path().c_str(), "a \"b c\"", SW_SHOWNORMAL);
    EXPECT_FALSE(IsWinExecOnError(record));
    ASSERT_EQ(record_.runs().size(), 1u);
    EXPECT_EQ(record_.runs()[0].args, (Args{"a", "b c"}));
    // The verb that reaches the shell: a type whose "runas" command tells itself apart.
    HKEY key;
    for (const char* verb : {"open", "runas"}) {
        std::string command = child_ + " --verb=" + verb + " \"%1\"";
        RegCreateKeyExA(HKEY_CLASSES_ROOT, (std::string("FerroVerbFile\\shell\\") + verb + "\\command").c_str(), 0,
                        nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                       DWORD(command.size() + 1));
        RegCloseKey(key);
    }
    RegSetValueA(HKEY_CLASSES_ROOT, ".ferroverb", REG_SZ, "FerroVerbFile", 13);
    const std::string document = temp_.file("doc.ferroverb", "x");
    myWinExecRequireAdministrator(&record, nullptr, document.c_str(), nullptr, SW_SHOWNORMAL);
    EXPECT_TRUE(record_.done().wait());
    ASSERT_EQ(record_.runs().size(), 2u);
    EXPECT_EQ(record_.runs()[1].args, (Args{"--verb=runas", document}));
    // A command whose program is a document: opened by its association.
    EXPECT_EQ(run_macro_dialog("$C", quoted(document)), 1);
    EXPECT_TRUE(record_.done().wait());
    ASSERT_EQ(record_.runs().size(), 3u);
    EXPECT_EQ(record_.runs()[2].args, (Args{"--verb=open", document}));
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "FerroVerbFile");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ".ferroverb");
}

TEST_F(Launch, TheEditorAndItsSetting) {
    EXPECT_EQ(Get_lpEditor(), nullptr);
    EXPECT_STREQ(SetEditor(nullptr, (child_ + " --flag").c_str()), (child_ + " --flag").c_str());
    EXPECT_EQ(SetGlobalUnlockEditor(), 1);
    EXPECT_EQ(Get_lpEditor(), nullptr);
    EXPECT_STREQ(GetGlobalLockEditor(), (child_ + " --flag").c_str());
    WaitForSingleObjectForWinExec(-1);
    const std::string file = temp_.file(sjis("表 ソ.txt"), "x");
    LaunchRecord record;
    ExecuteEditor(&record, nullptr, file.c_str());
    EXPECT_FALSE(IsWinExecOnError(record));
    ASSERT_EQ(record_.runs().size(), 1u);
    EXPECT_EQ(record_.runs()[0].args, (Args{"--flag", file}));
    EXPECT_EQ(FreeEditor(), 1);
    EXPECT_EQ(FreeEditor(), 0);
}

TEST_F(Launch, RecordsFoldersAndLibraryVersions) {
    LaunchRecord record{};
    EXPECT_TRUE(IsWinExecOnError(*GetInitializedHandleForWinExec(&record)));
    EXPECT_TRUE(IsWinExecOnError(*GetDummyErrorHandleForWinExec(&record)) && record.thread == INVALID_HANDLE_VALUE);
    EXPECT_FALSE(IsWinExecOnError(*GetDummySuccessHandleForWinExec(&record)) || record.processId);

    char name[520], folder[520];
    ASSERT_EQ(GetExecutedDirectory(name, folder), folder);
    EXPECT_EQ(std::string(folder) + "\\" + name, child_path().substr(0, child_path().rfind('\\')) + "\\" + name);
    EXPECT_STREQ(name, "test_programs.exe");

    DWORD major = 0, minor = 0;
    LONG result = 5;
    EXPECT_NE(IsAPISuppotedByDll("SHELL32.DLL", &major, &minor, nullptr), nullptr);
    EXPECT_GE(major, 4u);
    const DWORD found = major;
    EXPECT_NE(IsAPISuppotedByDll("shell32.dll", &major, &minor, &result), nullptr);
    EXPECT_EQ(result, 1) << "the version found is at least itself";
    major = found + 1, minor = 0;
    IsAPISuppotedByDll("shell32.dll", &major, &minor, &result);
    EXPECT_EQ((std::vector<LONG>{result, LONG(major)}), (std::vector<LONG>{-1, LONG(found)})) << "lower, and stored";
    EXPECT_EQ(IsAPISuppotedByDll("PSAPI.DLL", &major, &minor, &result), nullptr) << "no version function";
    EXPECT_EQ(result, 0);
    EXPECT_NE(IsAPISuppotedByDll("PSAPI.DLL", nullptr, nullptr, nullptr), nullptr) << "no version asked";
    EXPECT_EQ(IsAPISuppotedByDll("ferro-no-such.dll", nullptr, nullptr, &result), nullptr);
    EXPECT_NE(IsAPISuppotedByDll("KERNEL32.DLL", nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(FreeAPISuppotedByDll(), 0) << "the last was taken from the loaded ones";

    // The help file: the saved one, else in the program folder, HTML help first.
    char help[520];
    SaveFerroDir(temp_.path().c_str());
    EXPECT_EQ(GetAppropriateHelpFile(help), 0);
    EXPECT_EQ(myShowHelpFile(nullptr, 10), 0) << "no help to open";
    temp_.file("Ferrolan.hlp");
    EXPECT_EQ(GetAppropriateHelpFile(help), 2);
    temp_.file("Ferrolan.chm");
    EXPECT_EQ(GetAppropriateHelpFile(help), 1);
    EXPECT_EQ(std::string(help), temp_ / "Ferrolan.chm");
    const std::string saved = temp_.file("mine.hlp");
    SaveFerroHelp(saved.c_str());
    EXPECT_EQ(std::string(FindHelpFile(help)), saved);
    SaveFerroHelp("");
    SaveFerroDir(nullptr);
}

TEST_F(Launch, CommandMacroDialogRunsATemplateForTheSelectedFiles) {
    WaitForSingleObjectForWinExec(-1);
    std::string files;
    Args first, second;
    for (int i = 0; i < 11; ++i) {
        std::string name = std::string("f") += std::to_string(i) += ".txt";
        files += name + " ";
        (i < 10 ? first : second).push_back(name);
    }
    files += quoted(sjis("表 ソ.txt"));
    second.push_back(sjis("表 ソ.txt"));
    EXPECT_EQ(run_macro_dialog(child_ + " -a $T", files), 1);
    EXPECT_FALSE(g_picture.empty()) << "a picture of the dialog is kept";
    auto runs = record_.runs();
    ASSERT_EQ(runs.size(), 2u) << "ten files to a command line";
    first.insert(first.begin(), "-a");
    second.insert(second.begin(), "-a");
    EXPECT_EQ(runs[0].args, first);
    EXPECT_EQ(runs[1].args, second);
    EXPECT_EQ(GlobalLock_ghTemp() ? std::string(GlobalLock_ghTemp()) : "", "") << "the selection is emptied";
    GlobalUnlock_ghTemp();

    // All files on one line: a line longer than the system takes is refused with a box.
    MessageBoxRecorder boxes;
    boxes.answer_all(IDOK);
    std::string many;
    for (int i = 0; i < 80; ++i) many += "C:\\" + std::string(490, char('a' + i % 26)) + std::to_string(i) + " ";
    EXPECT_EQ(run_macro_dialog(child_ + " $M", many), 0);
    // The recorder sees the dialog too; the failure is the box after it.
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[1].caption, sjis("エラー...ferro_child_gui.exe"));
    EXPECT_EQ(record_.runs().size(), 2u);
}
