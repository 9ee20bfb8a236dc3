// Probes and page reading against the loopback server, the page reader on
// its worker thread, the news page, the maker's addresses, the progress
// texts and the elapsed-time display, the machine's names.
#include "internet_fixture.h"
#include "frame/message_pump.h"
#include "support/guarded_buffer.h"
#include "support/message_box_recorder.h"
#include "support/sjis.h"

using namespace internet_test;
using ferro_test::GuardedBuffer;
using ferro_test::MessageBoxRecorder;
using ferro_test::sjis;

namespace {
std::string g_page;  // what the consumer was given
LONG g_answer;       // what it answers
LONG WINAPI consume(LONG*, LPCSTR page, LONG_PTR user) {
    g_page = page;
    return user == 7 ? 7 : g_answer;
}

class Page : public ::testing::Test {
protected:
    void SetUp() override {
        ResetCancellingFlags(0);
        SetInternetTimeoutInMilliSecond(20000);
        boxes.answer_all(IDOK);
    }
    MessageBoxRecorder boxes;
};

TEST_F(Page, TheConsumerDecidesWhatAPageIsWorth) {
    serve("page.txt", "[Update]ferro11-23.exe;\n");
    serve("empty.txt", "");
    struct Row { std::string url; LONG answer; LONG_PTR user; LONG result; bool consumed; } rows[] = {
        {http("page.txt"), 1, 0, 1, true},   {http("page.txt"), -2, 0, 1, true},
        {http("page.txt"), 0, 0, -25, true}, {http("page.txt"), 1, 7, -26, true},
        {http("empty.txt"), 1, 0, -25, false},  // an empty page reaches no consumer
        {http("status/404"), 1, 0, -11, false}, {refused("page.txt"), 1, 0, -11, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.url);
        g_page.clear();
        g_answer = row.answer;
        ProgressLog log;
        EXPECT_EQ(row.result, ReadFileByHttp(row.url.c_str(), consume, log.hwnd(), WM_USER + 10, 0, row.user, nullptr, 0));
        EXPECT_EQ(row.consumed, !g_page.empty());
        if (row.result == -25 && row.consumed) {  // the page's name goes with code 24
            EXPECT_EQ((std::vector<WPARAM>{18, 6, 7, 8, 9, 10, 24, 11}), log.codes());
            EXPECT_STREQ("page.txt", reinterpret_cast<const char*>(log.seen()[6].lparam));
        }
    }
    EXPECT_TRUE(boxes.boxes().empty());  // the page reader shows no box: its caller reports
}

TEST_F(Page, ProbesSendTheirCodes) {
    serve("probe/file.bin", "x");
    struct Row { decltype(&IsInternetHttpActive) probe; std::string url; LONG result; std::vector<WPARAM> codes; } rows[] = {
        {IsInternetHttpActive, http("probe/file.bin"), 1, {18, 6, 7, 8, 9, 10, 11}},
        {IsInternetFtpActive, ftp("probe/file.bin"), 1, {18, 6, 7, 13, 15, 11}},
        {IsInternetFtpActive, ftp("probe/none.bin"), -11, {18, 6, 7, 13, 3, 11}},
        {IsInternetHttpActive, refused(""), -11, {18, 6, 7, 8, 9, 26, 11}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.url);
        ProgressLog log;
        EXPECT_EQ(row.result, row.probe(row.url.c_str(), log.hwnd(), WM_USER + 10, nullptr, 0, 0, 0, nullptr));
        EXPECT_EQ(row.codes, log.codes());
    }
    // A time-out of 0 tries no connection at all.
    SetInternetTimeoutInMilliSecond(0);
    ProgressLog log;
    EXPECT_EQ(-2, IsInternetFtpActive(ftp("probe/file.bin").c_str(), log.hwnd(), WM_USER + 10, nullptr, 0, 0, 0, nullptr));
    EXPECT_EQ((std::vector<WPARAM>{18, 6, 7, 28, 11}), log.codes());
    // URLs with backslashes are turned into slashes; one of 520 bytes is refused.
    SetInternetTimeoutInMilliSecond(20000);
    std::string yen = http("probe\\file.bin");
    EXPECT_EQ(1, IsFtpSiteInternetActive(ftp("probe\\file.bin").c_str(), nullptr, 0, 0, 0, nullptr, 0));
    EXPECT_EQ(-10, IsHttpSiteInternetActive(http(std::string(520, 'a')).c_str(), nullptr, 0, nullptr, 0, 0, 0, nullptr, 0));
    StopSearchingNetFile(1);
    EXPECT_EQ(-17, CheckInternetHttpConnection(0, 0, nullptr, yen.c_str(), "x", 0, nullptr, 0, 0, 0, nullptr, 0));
    ResetCancellingFlags(0);
    EXPECT_EQ(1, CheckInternetConnect(0));
}

TEST_F(Page, TheWorkerThreadIsPolledFromTheOwnersTimer) {
    serve("thread.txt", "read on a worker");
    g_answer = 1;
    ProgressLog owner;
    const std::string url = http("thread.txt");
    HttpTextThread t = {};
    t.url = url.c_str();
    t.consumer = consume;
    ASSERT_NE(nullptr, GetTextInHttpSiteInThread(owner.hwnd(), 77, 20, 0, &t));
    EXPECT_EQ(77u, t.timer_id);  // the owner's thread started the timer
    bool done = false;
    for (DWORD start = GetTickCount(); !done && GetTickCount() - start < 20000;) {
        MSG msg;
        if (!GetMessageA(&msg, nullptr, 0, 0)) break;
        if (msg.message == WM_TIMER && msg.hwnd == owner.hwnd())
            done = CloseThreadGetTextInHttpSiteInThreadOnTimer(&t, msg.wParam) == 1;
        else
            DispatchMessageA(&msg);
    }
    ASSERT_TRUE(done);
    EXPECT_EQ(100, t.result);
    EXPECT_EQ(-1, t.state);
    EXPECT_EQ("read on a worker", g_page);
    EXPECT_EQ(nullptr, t.thread);
}

TEST_F(Page, TheNewsPageIsReadByItsKeys) {
    SetOnceNewsMessage(0);
    NewsRecord news = {};
    const std::string message = sjis("お知らせです");
    struct Row { std::string text; LONG result; int boxes; } rows[] = {
        {"version: Windows 95\ndate:[5]\nmessage: x", 0, 0},          // not for this platform
        {"no date here", 0, 0},
        {"date: 5\nmessage: x", -1, 0},                                // no bracket
        {"date:[5] year 2000 number 10\nmessage: x", -1, 0},           // an older product's news
        {"// baseurl:[9] http://old/\nbaseurl:[3] http://127.0.0.1/\ndate:[5]\nmessage: " + message, 1, 1},
        {"date:[5]\nmessage: again", 1, 0},                            // serial already shown
        {"date:[6] year 2011 number 230\nmessage: newer", 1, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        boxes.clear();
        boxes.answer_all(IDOK);
        EXPECT_EQ(row.result, GetUpdateNews(&news, row.text.c_str(), "Ferrolan 11-23"));
        ASSERT_EQ(static_cast<std::size_t>(row.boxes), boxes.boxes().size());
        if (row.boxes) {
            EXPECT_EQ(GetTitleForNews(), boxes.boxes()[0].caption);
        }
    }
    EXPECT_EQ(3, news.number);
    EXPECT_STREQ("http://127.0.0.1/", news.text);
    EXPECT_EQ(6, GetOnceNewsMessage());
    EXPECT_EQ(-1, GetUpdateBaseUrl(&news, ("baseurl: http://" + std::string(600, 'a')).c_str(), ""));
    EXPECT_STREQ("http://127.0.0.1/", news.text);  // a base too long for its field is not taken
}

TEST_F(Page, TheMakersAddressesFollowTheBaseUrl) {
    EXPECT_EQ(nullptr, SetBaseUrlForMySite(std::string(520, 'a').c_str()));
    const std::string base = "http://127.0.0.1:" + env("FERRO_TEST_HTTP_PORT");
    ASSERT_NE(nullptr, SetBaseUrlForMySite((base + "/").c_str()));
    EXPECT_EQ(base, GetBaseUrlForMySite());
    EXPECT_EQ(3, ReplaceWildCardByBaseUrlForMyFerroSite());
    EXPECT_EQ(base + "/ferrolan/news.txt", GetUrlForFerroCheckUpdateNews(0));
    EXPECT_EQ(base + "/ferrolan/download.html", GetUrlForFerroFileInHttpSite(1));
    EXPECT_EQ(0, std::string(GetUrlForFerroFtpSite(0)).find("ftp://"));  // not one of the three
    EXPECT_EQ(0, ReplaceWildCardByBaseUrlForMyFerroSite());  // nothing left to replace
    ASSERT_NE(nullptr, SetManifestFileName("ferro.exe"));
    EXPECT_STREQ("ferro.exe.manifest", GetManifestFileName());
    EXPECT_EQ(nullptr, SetManifestFileName(std::string(515, 'm').c_str()));
}

TEST_F(Page, ProgressTextsAndTheElapsedTime) {
    ProgressLog dialog;
    SetWindowTextA(dialog.hwnd(), "Connect");
    EXPECT_EQ(nullptr, OnReceiveIDownLoadInterNetfileMessage(nullptr, 0, 1, 0));
    EXPECT_EQ(sjis("読込失敗(") , std::string(OnReceiveIDownLoadInterNetfileMessage(nullptr, 0, 19, 12002)).substr(0, 9));
    EXPECT_EQ(sjis("接続開始==>"), OnReceiveIDownLoadInterNetfileMessage(nullptr, 0, 7, 0x1234));
    EXPECT_EQ(sjis("==>該当ﾍﾟｰｼﾞ(news.txt)無"), OnReceiveInternetConnectMessage(nullptr, 0, 24, reinterpret_cast<LPARAM>("news.txt")));
    EXPECT_EQ(0, ShowConnectingInternetElapsedTimeOnTimer(dialog.hwnd(), 6133, 0));
    EXPECT_EQ(0, ShowConnectingInternetElapsedTimeOnTimer(dialog.hwnd(), 6134, -1));
    KillConnectingInternetElapsedTimer(dialog.hwnd());
    for (int i = 0; i < 2; ++i) EXPECT_EQ(1, ShowConnectingInternetElapsedTimeOnTimer(dialog.hwnd(), 6133, -1));
    char title[100];
    GetWindowTextA(dialog.hwnd(), title, sizeof title);
    EXPECT_EQ(sjis("Connect (2秒経過)"), title);
    EXPECT_EQ(1, RespondToWM_RECEIVE_INTERNET_CONNECT_MESSAGE(dialog.hwnd(), 0, 17, 0, 0, 0));
    GetWindowTextA(dialog.hwnd(), title, sizeof title);
    EXPECT_STREQ("Connect", title);
    EXPECT_EQ(1, RespondToWM_RECEIVE_INTERNET_CONNECT_MESSAGE(dialog.hwnd(), 0, 23, 5, 0, 0));  // cancelled before
    EXPECT_EQ(0, RespondToWM_RECEIVE_INTERNET_CONNECT_MESSAGE(dialog.hwnd(), 0, 23, 5, 0, 0));
}

TEST(Machine, NamesAreCopiedWithinTheirBuffers) {
    SoketInitAndGetData();
    GuardedBuffer five(5), none(1);
    if (GetIPAddress(nullptr, 0)) {
        GetIPAddress(five, 5);
        EXPECT_EQ(4u, five.str().size());
    }
    EXPECT_EQ(0, GetPCName(none, 0));  // a size of 0 writes nothing at all
    EXPECT_EQ('\x7f', none.data()[0]);
    GuardedBuffer wide(100);
    GetUserData(wide, 100);
    EXPECT_LE(wide.str().size(), 49u);
    struct Row { LONG code; BOOL found, online, fatal; LONG kind; } rows[] = {
        {-1, 1, 1, 1, 0}, {-2, 1, 1, 1, 0}, {-12, 1, 1, 0, 0}, {-15, 1, 0, 0, 0},
        {-17, 0, 0, 0, 0}, {-21, 0, 0, 0, 1}, {-22, 0, 0, 0, 2}, {1, 0, 0, 0, 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.found, IsInternetErrorFound(r.code)) << r.code;
        EXPECT_EQ(r.online, IsInternetErrorOnlineFound(r.code)) << r.code;
        EXPECT_EQ(r.fatal, IsInternetAccessFatalError(r.code)) << r.code;
        EXPECT_EQ(r.kind, GetFileToBeDownloadedFromInternet(r.code)) << r.code;
    }
}
}  // namespace
