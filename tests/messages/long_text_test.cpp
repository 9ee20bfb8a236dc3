// Texts around the 1039-byte limit, loaded from the test program's own string
// table (test_strings.rc): a longer text is cut to whole characters within 1039
// bytes, and the buffer next to the one loaded is left intact.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <string>
#include "ferromes.h"
#include "support/sjis.h"

using ferro_test::sjis;

namespace {
HINSTANCE test_program() { return GetModuleHandleA(nullptr); }

std::string repeat(const std::string& unit, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += unit;
    return out;
}

struct LongCase {
    UINT id;
    std::string expected;  // code-page-932 bytes
};

std::vector<LongCase> long_cases() {
    return {
        {1, std::string(1039, 'a')},                         // fits exactly
        {2, std::string(1039, 'b')},                         // one byte too long
        {3, std::string(1038, 'c')},                         // 表 would take bytes 1039 and 1040
        {4, std::string(1037, 'e') + sjis("表")},           // 表 on bytes 1038 and 1039
        {5, repeat(sjis("ソ"), 519)},                        // 1400 bytes of double-byte characters
        {6, std::string(1, 'x').append(repeat(sjis("能"), 519))},  // fills all 1039 bytes
        {7, repeat(sjis("ｱ"), 1039)},                        // 3000 half-width characters
        {8, std::string(1038, 'f')},                         // shorter than the limit
    };
}
}  // namespace

TEST(LongText, MessageIsCutToWholeCharactersWithin1039Bytes) {
    for (const LongCase& c : long_cases()) {
        SCOPED_TRACE(testing::Message() << "string " << c.id);
        EXPECT_EQ(0u, _MyLoadString(test_program(), c.id, 8));
        const char* message = GetLoadStrMessage();
        EXPECT_EQ(c.expected.size(), std::strlen(message));
        EXPECT_EQ(c.expected, message);
        // the title, loaded after it, is whole and untouched by the long message
        EXPECT_EQ(std::string(1038, 'f'), GetLoadStrTitle());
    }
}

TEST(LongText, TitleIsCutTheSameWayAndLeavesTheMessageAlone) {
    for (const LongCase& c : long_cases()) {
        SCOPED_TRACE(testing::Message() << "string " << c.id);
        EXPECT_EQ(0u, _MyLoadString(test_program(), 8, c.id));
        EXPECT_EQ(c.expected, GetLoadStrTitle());
        EXPECT_EQ(std::string(1038, 'f'), GetLoadStrMessage());
    }
}

// ---- The key-name buffer holds any real key name; a longer text from a
// replaced resource instance is cut at a whole character.

namespace {
struct InstanceGuard {
    HINSTANCE saved = GetUserDlgInstance();
    ~InstanceGuard() { SetUserDlgInstance(saved); }
};

void expect_whole_prefix(const std::string& full, const char* got) {
    const std::string text = got;
    EXPECT_GE(text.size(), 42u);  // the longest key name of the table
    EXPECT_LT(text.size(), full.size());
    EXPECT_EQ(full.substr(0, text.size()), text);
    std::size_t i = 0;
    while (i < text.size()) i += IsDBCSLeadByteEx(932, BYTE(text[i])) ? 2 : 1;
    EXPECT_EQ(text.size(), i) << "the key name ends inside a double-byte character";
}
}  // namespace

TEST(LongText, KeyNameLongerThanTheKeyNameBufferIsCut) {
    InstanceGuard guard;
    SetUserDlgInstance(test_program());
    LPSTR name = GetDisplayFontString();  // string 3400 of the program: 100 bytes
    EXPECT_EQ(std::string(100, 'K'), GetLoadStrTitle());
    expect_whole_prefix(std::string(100, 'K'), name);

    const std::string kanji = repeat(sjis("表"), 40);
    name = GetViewerFontString();  // string 3401: one byte and 40 double-byte characters
    EXPECT_EQ("k" + kanji, GetLoadStrTitle());
    expect_whole_prefix("k" + kanji, name);
    name = GetBatchString();  // string 3402: two bytes and 40 double-byte characters
    EXPECT_EQ("kk" + kanji, GetLoadStrTitle());
    expect_whole_prefix("kk" + kanji, name);

    // a getter whose string the program lacks
    EXPECT_STREQ("<Failed>", GetUpperCaseString());
}
