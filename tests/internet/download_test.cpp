// Downloads from the loopback servers: real bytes over HTTP and FTP, the
// same-size rule, failed answers, stalls, refusals, cancel, the progress
// codes in their order, pattern downloads and copies between FTP places.
#include <algorithm>
#include "internet_fixture.h"
#include "frame/message_pump.h"
#include "support/message_box_recorder.h"
#include "support/sjis.h"

using namespace internet_test;
using ferro_test::MessageBoxRecorder;
using ferro_test::TempFolder;
using ferro_test::exists;
using ferro_test::read_file;

namespace {
std::vector<WPARAM> without_repeats(std::vector<WPARAM> codes) {
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    return codes;
}

// Files in a folder (a failed download leaves none, not even a temporary one).
int files_in(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    int n = 0;
    if (find == INVALID_HANDLE_VALUE) return 0;
    do n += !(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    while (FindNextFileA(find, &entry));
    FindClose(find);
    return n;
}

LONG WINAPI take_b(const WIN32_FIND_DATAA* entry, InternetRequest*) {
    return lstrcmpA(entry->cFileName, "b.txt") == 0 ? 1 : 0;
}

class Download : public ::testing::Test {
protected:
    void SetUp() override {
        ResetCancellingFlags(0);
        SetInternetTimeoutInMilliSecond(20000);
        boxes.answer_all(IDOK);
    }
    LONG get(const std::string& url, HWND window = nullptr, const std::string& folder = "") {
        InternetRequest r = request_for(url, folder.empty() ? local.path() : folder, window);
        r.error_out = &error;
        return DownLoadInterNetfile(&r, nullptr, 0, 0, 0, nullptr);
    }
    TempFolder local;
    MessageBoxRecorder boxes;
    DWORD error = 0;
};

TEST_F(Download, RealBytesOverHttpAndFtpAndTheSameSizeRule) {
    struct Row { const char* name; std::size_t size; bool ftp; } rows[] = {
        {"empty.bin", 0, false}, {"ten.bin", 10u << 20, false}, {"empty-ftp.bin", 0, true}, {"ten-ftp.bin", 10u << 20, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string bytes = pattern(row.size);
        serve(row.name, bytes);
        const std::string url = row.ftp ? ftp(row.name) : http(row.name);
        ASSERT_EQ(1, get(url));
        EXPECT_EQ(0, IsFoundFileWithSameSize());
        ASSERT_TRUE(exists(local / row.name));
        EXPECT_TRUE(read_file(local / row.name) == bytes);
        // The local file now has the remote size and time: nothing is fetched again.
        EXPECT_EQ(-19, get(url));
        EXPECT_EQ(1, IsFoundFileWithSameSize());
        EXPECT_TRUE(read_file(local / row.name) == bytes);
    }
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(Download, ProgressCodesArriveInTheirOrder) {
    serve("codes.bin", pattern(2500000));
    struct Row { std::string url; std::vector<WPARAM> codes; } rows[] = {
        {http("codes.bin"), {1124, 18, 6, 7, 0, 20, 1, 21, 16, 1125}},
        {ftp("codes.bin"), {1124, 18, 6, 7, 13, 15, 0, 20, 1, 21, 16, 1125}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.url);
        ProgressLog log;
        ASSERT_EQ(1, get(row.url, log.hwnd()));
        EXPECT_EQ(row.codes, without_repeats(log.codes()));
        LPARAM last = 0;  // code 1 carries the running total
        for (const Seen& s : log.seen())
            if (s.message == WM_USER + 10 && s.code == 1) {
                EXPECT_GT(s.lparam, last);
                last = s.lparam;
            }
        EXPECT_EQ(2500000, last);
        EXPECT_EQ(1, log.seen().front().lparam);  // 1124 with the count of active downloads
        EXPECT_EQ(0, log.seen().back().lparam);
    }
}

TEST_F(Download, FailedAnswersLeaveNoFileAndSayWhy) {
    serve("old.bin", "old");
    struct Row { std::string url; LONG result; DWORD error; std::vector<WPARAM> codes; } rows[] = {
        {http("status/404"), -11, ERROR_FILE_NOT_FOUND, {1124, 18, 6, 7, 3, 4, 12, 1125}},
        {http("status/500"), -11, ERROR_HTTP_INVALID_SERVER_RESPONSE, {1124, 18, 6, 7, 3, 4, 12, 1125}},
        {refused("x.bin"), -11, ERROR_INTERNET_CANNOT_CONNECT, {1124, 18, 6, 7, 3, 4, 12, 1125}},
        {http("truncate/300000"), -5, ERROR_INTERNET_CONNECTION_RESET, {1124, 18, 6, 7, 0, 20, 1, 21, 19, 12, 1125}},
        {ftp("missing.bin"), -8, ERROR_FILE_NOT_FOUND, {1124, 18, 6, 7, 13, 3, 4, 12, 1125}},
        {ftp("no-folder/missing.bin"), -9, ERROR_INTERNET_EXTENDED_ERROR, {1124, 18, 6, 7, 13, 3, 4, 12, 1125}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.url);
        boxes.clear();
        boxes.answer_all(IDOK);
        ProgressLog log;
        EXPECT_EQ(row.result, get(row.url, log.hwnd()));
        EXPECT_EQ(row.codes, without_repeats(log.codes()));
        EXPECT_EQ(row.error, error);
        EXPECT_EQ(0, files_in(local.path()));
        EXPECT_EQ(1u, boxes.boxes().size());
    }
    // A redirect is followed.
    ASSERT_EQ(1, get(http("redirect/old.bin")));
    EXPECT_EQ("old", read_file(local / "old.bin"));
}

TEST_F(Download, AStalledServerTimesOut) {
    SetInternetTimeoutInMilliSecond(2000);
    struct Row { std::string url; LONG result; } rows[] = {{http("stall/x.bin"), -11}, {http("stall-body/5000"), -5}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.url);
        boxes.clear();
        boxes.answer_all(IDOK);
        const DWORD start = GetTickCount();
        EXPECT_EQ(row.result, get(row.url));
        EXPECT_EQ(static_cast<DWORD>(ERROR_INTERNET_TIMEOUT), error);
        EXPECT_GE(GetTickCount() - start, 1500u);
        EXPECT_LT(GetTickCount() - start, 15000u);
        EXPECT_EQ(0, files_in(local.path()));
        EXPECT_EQ(1u, boxes.boxes().size());
    }
}

TEST_F(Download, ACancelMidTransferKeepsNothing) {
    serve("cancel.bin", pattern(10u << 20));
    for (const std::string& url : {http("cancel.bin"), ftp("cancel.bin")}) {
        SCOPED_TRACE(url);
        ResetCancellingFlags(0);
        ProgressLog log;
        // The stop arrives through the message pump, as a Cancel button's would.
        log.on_code = [&](WPARAM code, LPARAM) {
            if (code == 1) PostMessageA(log.hwnd(), WM_USER + 10, 99, 0);
            if (code == 99) StopSearchingNetFile(1);
        };
        EXPECT_EQ(-17, get(url, log.hwnd()));
        std::vector<WPARAM> codes = without_repeats(log.codes());
        codes.erase(std::remove(codes.begin(), codes.end(), WPARAM{99}), codes.end());
        EXPECT_EQ(17u, codes[codes.size() - 4]);
        EXPECT_EQ((std::vector<WPARAM>{21, 12, 1125}), std::vector<WPARAM>(codes.end() - 3, codes.end()));
        EXPECT_EQ(1, IsStopExecutingFlag());
        EXPECT_EQ(0, files_in(local.path()));
    }
    ResetCancellingFlags(0);
}

TEST_F(Download, BadInputIsRefusedWithAClearError) {
    const std::string long_url = http(std::string(600, 'a'));
    struct Row { std::string url; std::string folder; LONG result; DWORD error; } rows[] = {
        {long_url, local.path(), -10, ERROR_INTERNET_INVALID_URL},
        {http(std::string(300, 'b')), local.path(), -10, ERROR_INTERNET_INVALID_URL},  // the 260-byte source copy
        {"127.0.0.1/a.bin", local.path(), -10, ERROR_INTERNET_INVALID_URL},
        {"gopher://127.0.0.1/a.bin", local.path(), -10, ERROR_INTERNET_UNRECOGNIZED_SCHEME},
        {http("folder/"), local.path(), -10, ERROR_INTERNET_INVALID_URL},
        {http("a.bin"), local / "missing", -6, ERROR_PATH_NOT_FOUND},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.url.substr(0, 60));
        ProgressLog log;
        EXPECT_EQ(row.result, get(row.url, log.hwnd(), row.folder));
        EXPECT_EQ(row.error, error);
        EXPECT_TRUE(log.codes().empty());
    }
    InternetRequest none = {};
    EXPECT_EQ(-10, DownLoadInterNetfile(&none, nullptr, 0, 0, 0, nullptr));
    EXPECT_EQ(-10, DownLoadInterNetfile(nullptr, nullptr, 0, 0, 0, nullptr));
}

TEST_F(Download, AReadOnlyTargetStaysAsItWas) {
    serve("locked.bin", pattern(5000));
    const std::string target = local.file("locked.bin", "mine");
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(-6, get(http("locked.bin")));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), error);
    EXPECT_TRUE("mine" == read_file(target));
    EXPECT_EQ(1, files_in(local.path()));
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Download, ShiftJisNamesGoAsUtf8AndComeBackAsTheyWere) {
    const std::string name = ferro_test::sjis("表ソ能.txt");
    serve(name, "sjis");
    ASSERT_EQ(1, get(http(name)));
    EXPECT_EQ("sjis", read_file(local / name));
    TempFolder again;  // the escaped form names the same file
    ASSERT_EQ(1, get(http("%E8%A1%A8%E3%82%BD%E8%83%BD.txt"), nullptr, again.path()));
    EXPECT_EQ("sjis", read_file(again / name));
}

TEST_F(Download, PatternsTakeEveryMatchingFileOfAFolder) {
    for (const char* name : {"pat/a.txt", "pat/b.txt", "pat/c.bin"}) serve(name, name);
    for (const std::string& url : {http("pat/*.txt"), ftp("pat/*.txt")}) {
        SCOPED_TRACE(url);
        TempFolder into;
        InternetRequest r = request_for(url, into.path());
        EXPECT_EQ(1, DownLoadAllInterNetfileByGetWin32FindData(&r, nullptr, 0, 0, 0, nullptr));
        EXPECT_EQ(2, r.files_done);
        EXPECT_EQ("pat/a.txt", read_file(into / "a.txt"));
        EXPECT_EQ("pat/b.txt", read_file(into / "b.txt"));
        EXPECT_FALSE(exists(into / "c.bin"));
        const std::string nothing = url.substr(0, url.size() - 5) + "*.none";
        InternetRequest none = request_for(nothing, into.path());
        EXPECT_EQ(-8, DownLoadAllInterNetfileByGetWin32FindData(&none, nullptr, 0, 0, 0, nullptr));
    }
    // The per-entry function picks one file; the listing ends there.
    TempFolder into;
    const std::string all = ftp("pat/*.*");
    InternetRequest r = request_for(all, into.path());
    r.found_entry = take_b;
    char found[260] = {};
    r.found_name = found;
    EXPECT_EQ(1, DownLoadAllInterNetfileByGetWin32FindData(&r, nullptr, 0, 0, 0, nullptr));
    EXPECT_STREQ("b.txt", found);
    EXPECT_EQ(1, files_in(into.path()));
}

TEST_F(Download, FtpCopiesBetweenTwoPlacesAndCountsDownloads) {
    const std::string bytes = pattern(1500000);
    serve("from/copy.bin", bytes);
    serve("to/.keep", "");
    ASSERT_EQ(1, FtpCopyFile(ftp("from/copy.bin").c_str(), ftp("to/copy.bin").c_str(), nullptr, 0)) << GetErrorCodeForFtpCopyFile();
    EXPECT_TRUE(read_file(site("to\\copy.bin")) == bytes);
    EXPECT_EQ(-8, FtpCopyFile(ftp("from/none.bin").c_str(), ftp("to/none.bin").c_str(), nullptr, 0));
    EXPECT_NE(0u, GetErrorCodeForFtpCopyFile());
    EXPECT_FALSE(exists(site("to\\none.bin")));  // no half-written copy stays

    serve("counter/count.txt", "41\n");
    const std::string counted = ftp("from/copy.bin");
    InternetRequest r = request_for(counted, local.path());
    r.report_file = "counter/count.txt";
    ASSERT_EQ(1, DownLoadInterNetfile(&r, nullptr, 0, 0, 0, nullptr));
    EXPECT_EQ("42", read_file(site("counter\\count.txt")).substr(0, 2));
}
}  // namespace
