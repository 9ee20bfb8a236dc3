// The Internet commands from the menu against the loopback servers: a file
// downloaded into the source pane, a failed address reported, and the check
// for a newer version on the maker's page.
#include "window_host_fixture.h"
#include "../internet/internet_fixture.h"
#include "support/sjis.h"

using namespace ferro_test;

namespace {
constexpr int kInputEdit = 101;

class Internet : public WindowHost {
protected:
    void SetUp() override {
        WindowHost::SetUp();
        if (internet_test::env("FERRO_TEST_HTTP_PORT").empty()) GTEST_SKIP() << "no test servers: run under CTest";
        SetInternetTimeoutInMilliSecond(20000);
    }
};

TEST_F(Internet, DownloadWritesIntoTheSourcePaneOrSaysWhyNot) {
    const std::string bytes = internet_test::pattern(300000);
    internet_test::serve("files/got.bin", bytes);
    start(temp.folder("left"), temp.folder("right"));
    const struct {
        std::string address;
        size_t boxes;
        std::vector<std::string> left;
    } rows[] = {
        {internet_test::refused("none.bin"), 1, {".", "[..]"}},  // the engine's box with the reason
        {internet_test::http("files/got.bin"), 1, {".", "[..]", "got.bin"}},  // no box more
    };
    for (const auto& row : rows) {
        dialogs.then({{{kInputEdit, row.address}}});
        if (row.left.size() == 2) boxes.answer(IDOK);
        command(ferrolan::kCmdDownload);
        EXPECT_EQ(row.boxes, boxes.boxes().size()) << row.address;
        EXPECT_EQ(row.left, items(0)) << row.address;
    }
    EXPECT_EQ(bytes, read_file(temp / "left\\got.bin"));
}

TEST_F(Internet, NewerVersionCheckReadsTheMakersPage) {
    if (SetBaseUrlForMySite(internet_test::http("").c_str())) ReplaceWildCardByBaseUrlForMyFerroSite();
    start(temp.folder("left"), temp.folder("right"));
    const struct {
        const char* page;
        std::string says;
    } rows[] = {
        {"[Update]ferro99-1.exe;\r\n", "ferro99-1.exe"},  // asked whether to open it: no
        {"[Update]ferro01-1.exe;\r\n", sjis("最新")},       // not newer
    };
    for (const auto& row : rows) {
        internet_test::serve("ferrolan/update.txt", row.page);
        boxes.answer(row.says[0] == 'f' ? IDNO : IDOK);
        const size_t before = boxes.boxes().size();
        command(ferrolan::kCmdNewerVersion);
        ASSERT_EQ(before + 1, boxes.boxes().size()) << row.page;
        EXPECT_NE(std::string::npos, boxes.boxes().back().text.find(row.says)) << boxes.boxes().back().text;
    }
}
}  // namespace
