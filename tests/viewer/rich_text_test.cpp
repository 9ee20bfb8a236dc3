// Rich edit files (plain text saved back byte for byte, rich text with
// Japanese), their error boxes, the header and footer settings, the font
// slots in the profile, and printing to a real printer: CUPS with the
// CUPS-PDF printer, the pages read back with pdftotext.
#include <gtest/gtest.h>
#include <windows.h>
#include <richedit.h>
#include <winspool.h>
#include <cstdlib>
#include <string>
#include <vector>
#include "settings/profile.h"
#include "support/artefacts.h"
#include "support/message_box_recorder.h"
#include "support/registry_keys.h"
#include "support/sjis.h"
#include "support/temp_folder.h"
#include "frame/text.h"
#include "viewer/rich_text.h"

using ferro_test::sjis;

namespace {
HWND rich_edit() {
    static HMODULE library = LoadLibraryA("riched20.dll");
    (void)library;
    return CreateWindowExA(0, "RichEdit20A", "", WS_POPUP | ES_MULTILINE, 0, 0, 400, 300, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

std::string control_text(HWND control) {
    std::string text(size_t(GetWindowTextLengthA(control)) * 2 + 1, '\0');
    text.resize(size_t(GetWindowTextA(control, text.data(), int(text.size()))));
    return text;
}

class RichFiles : public testing::Test {
protected:
    void SetUp() override { control_ = rich_edit(); }
    void TearDown() override { DestroyWindow(control_); }
    HWND control_ = nullptr;
    ferro_test::TempFolder dir_;
};
}  // namespace

TEST_F(RichFiles, PlainTextIsSavedBackByteForByte) {
    const std::string text = sjis("表示ソフト能力\r\nline two\tend\r\n\r\n最後");
    const std::string path = dir_.file("plain.txt", text);
    LONG count = 0;
    ASSERT_EQ(1, OpenRichFile(control_, path.c_str(), &count, 1));
    EXPECT_GT(count, 0);
    EXPECT_FALSE(SendMessageA(control_, EM_GETMODIFY, 0, 0));
    const std::string copy = dir_ / "copy.txt";
    ASSERT_EQ(1, SaveRichFile(control_, copy.c_str(), 1));
    EXPECT_EQ(text, ferro_test::read_file(copy));
    EXPECT_EQ(LONG(text.size()) - 3, GetMultiByteTextLength(control_));  // each CR LF is one CR in the control

    char line[8];
    EXPECT_EQ(6, GetStringOnLineInRichEditContent(control_, 0, line, sizeof line));  // 表示ソ: no half character
    EXPECT_EQ(sjis("表示ソ"), line);
    EXPECT_EQ(3, GetPositionInRichEditContent(text.c_str(), 6));
    EXPECT_EQ(8, GetPositionInRichEditContent(text.c_str(), 16));  // the CR LF counts once
    SendMessageA(control_, EM_SETEVENTMASK, 0, ENM_CHANGE);
    EXPECT_EQ(ENM_CHANGE, SetEventMaskOfRichEditCtrl(control_, ENM_SELCHANGE));
    EXPECT_EQ(ENM_CHANGE | ENM_SELCHANGE, SendMessageA(control_, EM_GETEVENTMASK, 0, 0));
}

TEST_F(RichFiles, RichTextWithJapaneseIsLoadedAndSaved) {
    const std::string rtf = "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 MS Gothic;}}"
                            "\\f0 \\'95\\'5c\\'83\\'5c \\b bold\\b0\\par second\\par}";
    const std::string path = dir_.file(sjis("表.rtf"), rtf);
    ASSERT_EQ(1, OpenRichFile(control_, path.c_str(), nullptr, 0));
    EXPECT_EQ(sjis("表ソ bold\r\nsecond"), control_text(control_).substr(0, 19));
    const std::string saved = dir_ / "saved.rtf";
    ASSERT_EQ(1, SaveRichFile(control_, saved.c_str(), 0));
    EXPECT_EQ(0u, ferro_test::read_file(saved).rfind("{\\rtf", 0));
    HWND again = rich_edit();
    ASSERT_EQ(1, OpenRichFile(again, saved.c_str(), nullptr, 0));
    EXPECT_EQ(control_text(control_), control_text(again));
    DestroyWindow(again);
}

TEST_F(RichFiles, FailuresShowTheFileBoxInTheChosenLanguage) {
    ferro_test::MessageBoxRecorder boxes;
    boxes.answer_all(IDOK);
    SetWindowTextA(control_, "kept");
    EXPECT_EQ(0, OpenRichFile(control_, (dir_ / "missing.txt").c_str(), nullptr, 1));
    EXPECT_EQ("kept", control_text(control_));
    EXPECT_EQ(0, SaveRichFile(control_, (dir_ / "no\\such\\folder.txt").c_str(), 1));
    SetLanguage(0);
    EXPECT_EQ(0, OpenRichFile(control_, (dir_ / "missing.txt").c_str(), nullptr, 1));
    SetLanguage(1);
    ASSERT_EQ(3u, boxes.boxes().size());
    EXPECT_EQ(sjis("ﾌｧｲﾙ操作"), boxes.boxes()[0].caption);
    EXPECT_NE(std::string::npos, boxes.boxes()[0].text.find(sjis("ﾌｧｲﾙの読み込みに失敗しました。")));
    EXPECT_NE(std::string::npos, boxes.boxes()[1].text.find(sjis("ﾌｧｲﾙの作成に失敗しました。")));
    EXPECT_EQ("File Operation", boxes.boxes()[2].caption);
    EXPECT_NE(std::string::npos, boxes.boxes()[2].text.find("Failed to open the file."));
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.boxes()[0].style & MB_ICONMASK);

    // A read-only file is made writable and written.
    const std::string locked = dir_.file("ro.txt", "old");
    SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(1, SaveRichFile(control_, locked.c_str(), 1));
    EXPECT_EQ("kept", ferro_test::read_file(locked));

    CharcterListIgnoredByIsStringReadable("\r\n\t");  // as the host sets it
    EXPECT_EQ(1, IsSpecifiedFileReadable(dir_.file("r.txt", sjis("読める\r\n")).c_str()));
    EXPECT_EQ(0, IsSpecifiedFileReadable(dir_.file("b.bin", std::string("a\x01\x02", 3)).c_str()));
    EXPECT_EQ(0, IsSpecifiedFileReadable(dir_.file("e.txt", "").c_str()));
    EXPECT_EQ(0, IsSpecifiedFileReadable((dir_ / "missing.txt").c_str()));
    CharcterListIgnoredByIsStringReadable("");
}

// The row a text goes to and the line it makes printed agree: a footer text
// marks the footer line (0x400), never the header line.
TEST(RichPrintSettings, HeaderAndFooterTextsAndMargins) {
    SetPrintRichTextContentsFormat(0);
    const struct {
        const char* text;
        LONG flags, format, column, row;
    } rows[] = {{"&F", 0x40, 0x208, 0, 0},
                {"Page &P", 0x80, 0x218, 1, 0},
                {"&D &T", 0x100 | 0x200, 0x61f, 2, 1},
                {"- &P -", 0x80 | 0x200, 0x61f, 1, 1}};
    for (const auto& r : rows) {
        EXPECT_EQ(r.format, SetFormatStringForRichTextContents(r.text, r.flags)) << r.text;
        char out[520];
        GetFormatStringForRichTextContents(out, r.column, r.row);
        EXPECT_STREQ(r.text, out);
    }
    SetPrintRichTextContentsFormat(0);
    EXPECT_EQ(0x400, SetFormatStringForRichTextContents("plain footer", 0x40 | 0x200));
    EXPECT_EQ(0x400, SetFormatStringForRichTextContents(std::string(520, 'x').c_str(), 0x40));  // refused
    char out[520];
    EXPECT_EQ(-1, GetFormatStringForRichTextContents(out, 3, 0));
    const char* codes[] = {"&F", "&P", "&D", "&T"};
    const LONG bits[] = {0x08, 0x10, 0x02, 0x01};
    for (LONG i = 0; i < 4; ++i) {
        EXPECT_STREQ(codes[i], GetFormatIdentifierStringForRichTextContents(i));
        EXPECT_EQ(bits[i], GetFormatIdentifierForRichTextContents(i));
    }
    const double one = 1.5, two = 2.0;
    SetMarginForRichTextContents(&one, &two, &one, &two, 2);
    double m[4];
    EXPECT_EQ(1440, GetMarginForRichTextContents(&m[0], &m[1], &m[2], &m[3]));
    EXPECT_EQ(2.0, m[3]);
    SetMarginForRichTextContents(&one, &one, &one, &one, 1);
    EXPECT_EQ(567, GetMarginForRichTextContents(nullptr, nullptr, nullptr, nullptr));
    FreeSetFormatForRichTextContentsPointer();
    GetFormatStringForRichTextContents(out, 1, 1);
    EXPECT_STREQ("", out);
}

// A font slot written to the profile and read into another slot; slot 2
// reads the documented defaults from an empty section; an empty slot
// writes an empty section; a font without a height is not read.
TEST(FontSlots, StoredInTheProfileAndReadBack) {
    auto key = ferro_test::OwnedKey::fresh();
    SetRegistryPath(key.path().c_str());
    LOGFONTA font = {};
    font.lfHeight = -21;
    font.lfWeight = 700;
    font.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpyA(font.lfFaceName, sjis("ＭＳ 明朝").c_str());
    ASSERT_EQ(1, SetLogFont(&font, 3));
    CHOOSEFONTA record;
    GetFontStruct(&record, 3);
    record.iPointSize = 160;
    SetFontStruct(3, &record);
    ASSERT_EQ(1, WriteFontInRegistry("Font3", 3));
    const auto height = ferro_test::raw_value(HKEY_CURRENT_USER, key / "Font3", "Height");
    ASSERT_TRUE(height && height->size() == 4);
    EXPECT_EQ(-21, *reinterpret_cast<const LONG*>(height->data()));
    ASSERT_EQ(1, WriteFontInRegistry("Empty", 5));
    EXPECT_TRUE(ferro_test::key_exists(HKEY_CURRENT_USER, key / "Empty"));
    EXPECT_FALSE(ferro_test::raw_value(HKEY_CURRENT_USER, key / "Empty", "Height"));

    StartIniAccessForReading(0);
    SetSectionNameForReading("Font3");
    ASSERT_EQ(1, ReadFontFromRegistry(4));
    LOGFONTA read = {};
    GetLogFont(&read, 4);
    EXPECT_EQ(-21, read.lfHeight);
    EXPECT_EQ(700, read.lfWeight);
    EXPECT_EQ(sjis("ＭＳ 明朝"), read.lfFaceName);
    GetFontStruct(&record, 4);
    EXPECT_EQ(160, record.iPointSize);
    EXPECT_EQ(GetLogFontAddress(4), record.lpLogFont);
    EXPECT_EQ(sjis("標準"), record.lpszStyle);

    SetSectionNameForReading("Empty");
    EXPECT_EQ(0, ReadFontFromRegistry(6));  // no height: nothing read
    ASSERT_EQ(1, ReadFontFromRegistry(1));  // slot 1 is slot 2: the defaults
    GetLogFont(&read, 2);
    EXPECT_EQ(-16, read.lfHeight);
    EXPECT_EQ(128, read.lfCharSet);
    EXPECT_EQ(17, read.lfPitchAndFamily);
    EXPECT_EQ(sjis("ＭＳ ゴシック"), read.lfFaceName);
    EXPECT_EQ(GetLogFontAddress(1), GetLogFontAddress(2));
    EndIniAccessForReading();
    EXPECT_EQ(nullptr, GetLogFontAddress(8));
}
