// ferro colors and the colour profile: every kind of every set and 200
// extensions stored and read back; bad settings refused; ferro print of a
// file that is not there.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <cstdlib>
#include <string>
#include "color_profile.h"
#include "commands.h"
#include "support/message_box_recorder.h"
#include "support/registry_keys.h"
#include "support/sjis.h"
#include "support/temp_folder.h"
#include "ui/colors.h"

using ferro_test::sjis;

namespace {
class ColorProfile : public testing::Test {
protected:
    void SetUp() override {
        _putenv(("FERRO_REGISTRY_PATH=" + key_.path()).c_str());
        host::use_profile();
        DefFileColors(1);
        for (LONG i = 0; i < 16; ++i) GetExtColorString(i)[0] = '\0';
    }
    void TearDown() override {
        _putenv("FERRO_REGISTRY_PATH=");
        DefFileColors(1);
        for (LONG i = 0; i < 16; ++i) GetExtColorString(i)[0] = '\0';
    }
    ferro_test::OwnedKey key_ = ferro_test::OwnedKey::fresh();
};
}  // namespace

TEST_F(ColorProfile, EveryKindAndTwoHundredExtensionsRoundTrip) {
    COLORREF (WINAPI* const set[3])(LONG, COLORREF) = {Set_rgbSRCDIRCOLOR, Set_rgbTGTDIRCOLOR, Set_rgbFILECOLOR};
    COLORREF (WINAPI* const get[3])(LONG) = {Get_rgbSRCDIRCOLOR, Get_rgbTGTDIRCOLOR, Get_rgbFILECOLOR};
    for (int s = 0; s < 3; ++s)
        for (LONG i = 0; i < 18; ++i) set[s](i, RGB(s * 80 + i, 255 - i * 7, i * 13));
    ASSERT_EQ(1, host::save_colors());
    DefFileColors(1);
    ASSERT_EQ(1, host::load_colors());
    for (int s = 0; s < 3; ++s)
        for (LONG i = 0; i < 18; ++i) {
            const LONG from = i == 12 || i == 16 ? 17 : i;
            EXPECT_EQ(RGB(s * 80 + from, 255 - from * 7, from * 13), get[s](i)) << s << " " << i;
        }

    // 200 extensions, 16 at a time (the table's size), Japanese and full 20-byte ones among them.
    for (int first = 0; first < 200; first += 16) {
        auto name = [](int n) {
            return n % 50 == 7 ? sjis("表ソ") + std::to_string(n)
                               : n % 50 == 9 ? std::string(17, 'x') + std::to_string(100 + n) : "e" + std::to_string(n);
        };
        const int count = std::min(16, 200 - first);
        for (int i = 0; i < 16; ++i) {
            lstrcpyA(GetExtColorString(i), i < count ? name(first + i).c_str() : "");
            Set_rgbEXTCOLOR(i, RGB(first + i, i, 200 - first / 2));
        }
        ASSERT_EQ(1, host::save_colors());
        for (LONG i = 0; i < 16; ++i) GetExtColorString(i)[0] = '\0', Set_rgbEXTCOLOR(i, 0);
        ASSERT_EQ(1, host::load_colors());
        for (int i = 0; i < count; ++i) {
            LONG found = 0;
            EXPECT_EQ(RGB(first + i, i, 200 - first / 2), GetExtRgbColor(name(first + i).c_str(), &found));
            EXPECT_EQ(1, found) << first + i;
        }
    }
}

TEST_F(ColorProfile, ColorsCommandStoresAndRefuses) {
    EXPECT_EQ(0, host::cmd_colors({"--set", "file:1=FF8000", "--set", "ext:TXT=00FF00"}));
    DefFileColors(1);
    host::load_colors();
    EXPECT_EQ(RGB(0xFF, 0x80, 0), Get_rgbFILECOLOR(1));
    EXPECT_EQ(RGB(0, 0xFF, 0), GetExtRgbColor("txt", nullptr));
    for (const char* bad : {"file:18=000000", "src:-1=000000", "ext:txt=12345", "ext:=000000", "nothing=000000",
                            "tgt:3", "ext:123456789012345678901=000000"})
        EXPECT_EQ(2, host::cmd_colors({"--set", bad})) << bad;
    EXPECT_EQ(2, host::cmd_colors({"--bogus"}));
}

TEST(PrintCommand, RefusesBadArgumentsAndMissingFiles) {
    ferro_test::MessageBoxRecorder boxes;
    boxes.answer_all(IDOK);
    ferro_test::TempFolder dir;
    EXPECT_EQ(2, host::cmd_print({}));
    EXPECT_EQ(2, host::cmd_print({dir / "a.txt", "--copies", "0"}));
    EXPECT_EQ(1, host::cmd_print({dir / "missing.txt"}));
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_NE(std::string::npos, boxes.boxes()[0].text.find(sjis("ﾌｧｲﾙの読み込みに失敗しました。")));
}
