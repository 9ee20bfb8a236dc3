// update.dll loaded the way a host loads it (beside ferro32.dll, its imports
// bound by name), checking update pages that the loopback server serves: the
// outcome word, the installer's address kept, the check on its worker
// thread, and the installer opened through the browser association (which
// points at this program for the test).
#include <windows.h>
#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <string>
#include "../../update/update.h"
#include "../internet/internet_fixture.h"
#include "commands.h"
#include "frame/message_pump.h"
#include "frame/platform_version.h"
#include "support/message_box_recorder.h"
#include "support/registry_keys.h"
#include "support/sjis.h"

using namespace internet_test;
using ferro_test::MessageBoxRecorder;
using ferro_test::sjis;

namespace {
// Started as the browser: records the address it was given and says so.
const bool g_browser = [] {
    const char* line = GetCommandLineA();
    const char* mark = std::strstr(line, "--record-browser ");
    if (!mark) return false;
    if (HANDLE file = CreateFileA(std::getenv("FERRO_TEST_BROWSER_RECORD"), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  0, nullptr);
        file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        const char* address = mark + std::strlen("--record-browser ");
        WriteFile(file, address, static_cast<DWORD>(std::strlen(address)), &written, nullptr);
        CloseHandle(file);
    }
    if (HANDLE done = OpenEventA(EVENT_MODIFY_STATE, FALSE, "FerroTestBrowserDone")) SetEvent(done);
    ExitProcess(0);
}();

#define UPDATE_FUNCTION(name) \
    decltype(&::name) name = reinterpret_cast<decltype(&::name)>(GetProcAddress(module, #name))

class Update : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(nullptr, module) << "update.dll loads beside ferro32.dll";
        SetInternetTimeoutInMilliSecond(20000);
        ResetCancellingFlags(0);
        boxes.answer_all(IDOK);
        dllGetVersionNumberForUpdateToNewerVerson("Ferrolan 11-23");
        dllSetQuitProcessOnClose(0);
        dllSetUpdateToNewerVersonOptions(0, 0, 0, 0);
        dllFreeNewVersionMemory();
    }
    // Serves `page` as the update page and sets the items; `same` makes an
    // equal site version count as newer.
    // The maker's addresses point at the loopback server through the base URL.
    void items(const std::string& page, bool same = false, const char* where = "update.txt") {
        if (SetBaseUrlForMySite(http("").c_str())) ReplaceWildCardByBaseUrlForMyFerroSite();
        serve("ferrolan/update.txt", page);
        page_url = GetUrlForFerroHttpSite(0) + std::string(where);
        LONG_PTR record[14] = {};
        record[1] = reinterpret_cast<LONG_PTR>(prefix.c_str());
        record[8] = reinterpret_cast<LONG_PTR>(page_url.c_str());
        record[11] = reinterpret_cast<LONG_PTR>("Ferrolan");
        record[12] = same;
        dllSetItemsForUpdate(record, 1);
    }
    std::string address() {
        HGLOBAL memory = *dllGetNewVersionMemory();
        if (!memory) return "";
        std::string text = static_cast<const char*>(GlobalLock(memory));
        GlobalUnlock(memory);
        return text;
    }
    LONG check() { return dllOnUpdateToNewerVersonAtCommand(0, nullptr, 0, nullptr, nullptr, 0, 0, 0, nullptr); }

    HMODULE module = LoadLibraryA("update.dll");
    UPDATE_FUNCTION(dllOnUpdateToNewerVersonAtCommand);
    UPDATE_FUNCTION(dllOnUpdateToNewerVersonAtCommandInThread);
    UPDATE_FUNCTION(dllIsUpdateToNewerVersonActive);
    UPDATE_FUNCTION(dllTerminateThreadUpdateToNewerVersonOnTimer);
    UPDATE_FUNCTION(dllGetResultOnUpdateToNewerVersonAtCommand);
    UPDATE_FUNCTION(dllExecuteNewVersionInstaller);
    UPDATE_FUNCTION(dllGetNewVersionMemory);
    UPDATE_FUNCTION(dllFreeNewVersionMemory);
    UPDATE_FUNCTION(dllGetVersionNumberForUpdateToNewerVerson);
    UPDATE_FUNCTION(dllGetAlwaysUpdatedForSameVersion);
    UPDATE_FUNCTION(dllSetItemsForUpdate);
    UPDATE_FUNCTION(dllSetUpdateToNewerVersonOptions);
    UPDATE_FUNCTION(dllSetAddMessageOnlyOnOutputWindowAPIForUpdate);
    UPDATE_FUNCTION(dllSetQuitProcessOnClose);
    UPDATE_FUNCTION(dllSetFileFonudInInternet);
    UPDATE_FUNCTION(dllGetFileFonudInInternet);
    const std::string prefix = http("download/");
    std::string page_url;
    MessageBoxRecorder boxes;
    const LONG newer = (GetWindowsPlatform(nullptr) & 0x80000) ? -1 : 1;
};

// The command of the http address kind, pointed at this program for as long
// as it lives.
class Association {
public:
    explicit Association(const std::string& command) {
        RegCreateKeyExA(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                        nullptr);
        DWORD size = sizeof old_;
        had_ = RegQueryValueExA(key_, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old_), &size) == ERROR_SUCCESS;
        RegSetValueExA(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                       static_cast<DWORD>(command.size() + 1));
    }
    ~Association() {
        if (had_) RegSetValueExA(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(old_), lstrlenA(old_) + 1);
        else RegDeleteValueA(key_, nullptr);
        RegCloseKey(key_);
    }

private:
    HKEY key_ = nullptr;
    char old_[1024] = {};
    bool had_ = false;
};

std::string g_output;
void WINAPI output(LONG_PTR, LPCSTR text, LONG_PTR) { g_output += text; }

TEST_F(Update, TheOutcomeOfEachKindOfPage) {
    const std::string filler(100000, 'x');
    struct Row { std::string page; bool same; LONG options; LONG result; std::string kept; int boxes; } rows[] = {
        {"[Update]ferro12-5.exe;\r\n", false, 0, newer, "ferro12-5.exe", 0},
        {filler + "\n[Update] ferro11-24.exe ; rest\n", false, 0, newer, " ferro11-24.exe ", 0},
        {"[Update]ferro11-23.exe;", false, 0, -2, "", 0},
        {"[Update]ferro11-23.exe;", true, 0, newer, "ferro11-23.exe", 0},
        {"[Update]ferro10-99.exe;", false, 0, -2, "", 0},
        {"[Update]ferro10-99.exe;", false, 0x08, 0, "", 0},
        {"[Update]ferro12-5.exe;", false, 0x04, 6, "", 0},
        {"[Update]ferro10-5.exe;", false, 0x04, 2, "", 0},
        {"[Update]ferro12-5.exe\n;", false, 0, 0, "", 1},  // no ";" on the line: no update line
        {"", false, 0, 0, "", 1},
        {"[Update]ferro.exe;", false, 0, 0, "", 1},          // no version in it
        {"[Update]ferro.exe;", false, 0x08, 0, "", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.page.substr(row.page.size() > 60 ? row.page.size() - 40 : 0));
        boxes.clear();
        boxes.answer_all(IDOK);
        items(row.page, row.same);
        dllSetUpdateToNewerVersonOptions(0, 0, 0, row.options);
        EXPECT_EQ(row.result, check());
        EXPECT_EQ(row.kept.empty() ? "" : prefix + row.kept, address());
        EXPECT_EQ(static_cast<std::size_t>(row.boxes), boxes.boxes().size());
        dllFreeNewVersionMemory();
    }
    // The page not there: reported once, through the output callback when asked.
    boxes.clear();
    items("", false, "status/404");
    dllSetUpdateToNewerVersonOptions(0, 0, 0, 0x10);
    dllSetAddMessageOnlyOnOutputWindowAPIForUpdate(output, 0);
    EXPECT_EQ(0, check());
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(sjis("（一時的かもしれませんが）ｲﾝﾀｰﾈｯﾄが使用できません。Ferrolanのﾀﾞｳﾝﾛｰﾄﾞはできません。\r\n"), g_output);
    dllSetQuitProcessOnClose(1);
    EXPECT_EQ(0, check());
}

TEST_F(Update, AKeptAddressIsReusedAndTheInstallerOpensInTheBrowser) {
    items("[Update]ferro12-5.exe;");
    ASSERT_EQ(newer, check());
    items("[Update]ferro10-5.exe;");  // with reuse the page is not read again
    dllSetUpdateToNewerVersonOptions(0, 0, 0, 0x02);
    EXPECT_EQ(newer, check());
    EXPECT_EQ(1, dllExecuteNewVersionInstaller(2));  // kept, not opened
    EXPECT_EQ(prefix + "ferro12-5.exe", address());

    char program[MAX_PATH], record[MAX_PATH];
    GetModuleFileNameA(nullptr, program, sizeof program);
    GetTempPathA(sizeof record, record);
    lstrcatA(record, "ferro-browser.txt");
    DeleteFileA(record);
    SetEnvironmentVariableA("FERRO_TEST_BROWSER_RECORD", record);
    const Association browser(std::string("\"") + program + "\" --record-browser %1");
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, "FerroTestBrowserDone");
    EXPECT_EQ(1, dllExecuteNewVersionInstaller(1));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(done, 20000));
    CloseHandle(done);
    EXPECT_EQ(prefix + "ferro12-5.exe", ferro_test::read_file(record).substr(0, prefix.size() + 13));
    EXPECT_EQ(0, dllExecuteNewVersionInstaller(4));  // freed
    EXPECT_EQ("", address());
    EXPECT_EQ(0, dllExecuteNewVersionInstaller(1));
}

TEST_F(Update, TheCheckRunsOnItsWorkerThread) {
    ProgressLog host;  // the host's main window polls from its timer
    items("[Update]ferro12-5.exe;");
    dllSetUpdateToNewerVersonOptions(0, 0, 0, 0x04);
    ASSERT_EQ(1, dllOnUpdateToNewerVersonAtCommandInThread(0, nullptr));
    const UINT_PTR timer = SetTimer(host.hwnd(), 5, 20, nullptr);
    bool ended = false;
    for (DWORD start = GetTickCount(); !ended && GetTickCount() - start < 20000;) {
        MSG msg;
        if (!GetMessageA(&msg, nullptr, 0, 0)) break;
        if (msg.message == WM_TIMER && msg.hwnd == host.hwnd()) ended = dllTerminateThreadUpdateToNewerVersonOnTimer() == 1;
    }
    KillTimer(host.hwnd(), timer);
    ASSERT_TRUE(ended);
    EXPECT_EQ(0, dllIsUpdateToNewerVersonActive());
    EXPECT_EQ(1, dllGetResultOnUpdateToNewerVersonAtCommand(6));
}

// The news page as a host reads it: from the maker's (here: the loopback)
// site, shown once per serial; comment lines do not count.
LONG WINAPI show_news(LONG*, LPCSTR page, LONG_PTR) {
    NewsRecord news = {};
    return GetUpdateNews(&news, page, "Ferrolan 11-23");
}

TEST_F(Update, TheNewsPageComesFromTheMakersSite) {
    items("");
    serve("ferrolan/news.txt", "// date:[90]\r\n// message: an old comment\r\ndate:[41] year 2011 number 230\r\nmessage:\r\n" + sjis("新版です"));
    SetOnceNewsMessage(40);
    EXPECT_EQ(1, ReadFileByHttp(GetUrlForFerroCheckUpdateNews(0), show_news, nullptr, 0, 0, 0, nullptr, 0));
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_EQ(sjis("新版です"), boxes.boxes()[0].text);
    EXPECT_EQ(41, GetOnceNewsMessage());
    EXPECT_EQ(1, ReadFileByHttp(GetUrlForFerroCheckUpdateNews(0), show_news, nullptr, 0, 0, 0, nullptr, 0));
    EXPECT_EQ(1u, boxes.boxes().size());  // once per serial
}

// ferro update --check: an unread page or one without an update line is a
// failure of the command, never "not newer".
TEST_F(Update, TheHostCommandFailsWhenThereIsNoAnswer) {
    struct Row { const char* page; int exit; } rows[] = {  // null: the page is not there
        {"[Update]ferro26-50.exe;", 0}, {"[Update]ferro26-43.exe;", 0}, {"no update line", 1}, {nullptr, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.page ? row.page : "(404)");
        if (row.page) serve("ferrolan/update.txt", row.page);
        else DeleteFileA(site("ferrolan/update.txt").c_str());
        EXPECT_EQ(row.exit, host::cmd_update({"--check", "--base-url", http("")}));
    }
}

TEST_F(Update, VersionMarksAndTheFoundName) {
    struct Row { std::string text; LONG always; } rows[] = {
        {"Ferrolan 11-23 BETA", 1}, {"Ferrolan customized", 1}, {sjis("Ferrolan β2"), 1},
        {"Ferrolan 11-23", 0}, {sjis("表ソ能 betting"), 0}, {sjis("ｂｅｔａ"), 0},
    };
    for (const Row& row : rows) EXPECT_EQ(row.always, dllGetAlwaysUpdatedForSameVersion(row.text.c_str())) << row.text;
    EXPECT_STREQ("ferro.exe", dllSetFileFonudInInternet("ferro.exe"));
    EXPECT_EQ(nullptr, dllSetFileFonudInInternet(std::string(300, 'n').c_str()));
    EXPECT_STREQ("", dllGetFileFonudInInternet());
}
}  // namespace
