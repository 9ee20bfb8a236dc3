// Starting with no settings and listing a prepared tree in both panes; the
// specification combo filters, the drive list shows the folder's drive.
#include "window_host_fixture.h"
#include "support/sjis.h"

using namespace ferro_test;

namespace {
class Listing : public WindowHost {};

TEST_F(Listing, BothPanesListTheTreeWithJapaneseNames) {
    temp.file(sjis("書類\\予定表.xls"), std::string(24576, 'x'));
    temp.file(sjis("書類\\議事録.txt"), std::string(1830, 'g'));
    temp.file(sjis("書類\\ソフト一覧.csv"), std::string(412, 's'));
    temp.file(sjis("書類\\能力評価.doc"), std::string(53248, 'n'));
    temp.file(sjis("書類\\表示設定.ini"), "[x]");
    temp.file(sjis("書類\\写真\\旅行.jpg"), "j");
    temp.file(sjis("画像\\海.bmp"), std::string(120054, 'b'));
    temp.file(sjis("画像\\山.bmp"), std::string(98358, 'b'));
    start(temp / sjis("書類"), temp / sjis("画像"));
    const std::vector<std::string> left = items(0);
    const std::vector<std::string> expected = {".", "[..]", sjis("写真"), sjis("ソフト一覧.csv"), sjis("議事録.txt"),
                                               sjis("能力評価.doc"), sjis("表示設定.ini"), sjis("予定表.xls")};
    EXPECT_EQ(expected, left);
    EXPECT_EQ(std::vector<std::string>({".", "[..]", sjis("海.bmp"), sjis("山.bmp")}), items(1));  // 8A43 before 8E52
    click(0, sjis("議事録.txt"), true);
    click(0, sjis("予定表.xls"), true);
    click(0, sjis("能力評価.doc"));
    shot("ferrolan-listing-japanese");

    // The file specification combo: *.doc leaves only the one document; it is kept.
    HWND spec = app_->pane(0).control(ferrolan::Pane::kSpec);
    SetWindowTextA(spec, "*.doc");
    SendMessageA(FindWindowExA(spec, nullptr, "Edit", nullptr), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(std::vector<std::string>({".", "[..]", sjis("写真"), sjis("能力評価.doc")}), items(0));
    EXPECT_EQ("*.doc", app_->pane(0).spec());
    char drive[64] = {};
    GetWindowTextA(app_->pane(0).control(ferrolan::Pane::kDrives), drive, sizeof drive);
    EXPECT_EQ(temp.path().substr(0, 2), std::string(drive).substr(0, 2));
}
}  // namespace
