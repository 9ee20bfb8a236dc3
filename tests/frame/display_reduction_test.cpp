// Reduction of paths and names to a pixel width, measured with the font of
// a real window.
#include <gtest/gtest.h>
#include <windows.h>
#include "text_test_util.h"

using namespace text_test;

namespace {
class Display : public ::testing::Test {
protected:
    void SetUp() override {
        font_ = CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "MS Gothic");
        big_font_ = CreateFontA(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "MS Gothic");
        parent_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 600, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        window_ = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 120, 20, parent_, HMENU(100), GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window_, nullptr);
        SendMessageA(window_, WM_SETFONT, WPARAM(font_), FALSE);
    }
    void TearDown() override {
        DestroyWindow(parent_);
        DeleteObject(font_);
        DeleteObject(big_font_);
    }
    // The width of the text in the test font, measured here independently.
    int measure(const std::string& s, HFONT font = nullptr) const {
        HDC dc = GetDC(window_);
        HGDIOBJ old = SelectObject(dc, font ? font : font_);
        SIZE size{};
        GetTextExtentPoint32A(dc, s.data(), int(s.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(window_, dc);
        return size.cx;
    }
    int sample() const { return measure("M:\\.."); }
    // Every lead byte is followed by a trail byte: no character was split.
    static bool whole_characters(const std::string& s) {
        return MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, s.data(), int(s.size()), nullptr, 0) > 0 || s.empty();
    }

    HFONT font_ = nullptr, big_font_ = nullptr;
    HWND parent_ = nullptr, window_ = nullptr;
};
}  // namespace

// ---- Measuring

TEST_F(Display, WidthUsesTheWindowFont) {
    std::string text = S("C:\\表\\ソ能 abc");
    EXPECT_GT(measure(text), 0);
    EXPECT_EQ(GetStrWidth(window_, nullptr, text.c_str()), measure(text));
    EXPECT_NE(measure(text, big_font_), measure(text));
    HDC dc = GetDC(window_);  // a device context given by the caller is used as it is
    HGDIOBJ old = SelectObject(dc, big_font_);
    EXPECT_EQ(GetStrWidth(window_, dc, text.c_str()), measure(text, big_font_));
    SelectObject(dc, old);
    ReleaseDC(window_, dc);
    EXPECT_EQ(GetStrWidth(window_, nullptr, nullptr), 0);
    EXPECT_EQ(GetStrWidth(HWND(0x7654321), nullptr, "abc"), 0);  // no device context to be had

    HGDIOBJ previous = nullptr;
    HDC own = _myGetDC(window_, &previous);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(GetCurrentObject(own, OBJ_FONT), HGDIOBJ(font_));
    SelectObject(own, previous);
    ReleaseDC(window_, own);
}

// ---- Paths

TEST_F(Display, PathThatFitsIsLeftAlone) {
    PathBuffer b("C:\\a\\b");
    EXPECT_EQ(GetReducedDir(window_, nullptr, b, 1000), nullptr);
    EXPECT_FALSE(GetReducedDirDone());
    EXPECT_EQ(b.str(), "C:\\a\\b");
    EXPECT_EQ(SetReducedDirWithLength(window_, nullptr, b, 1000), b.get());
}

TEST_F(Display, PathBelowARootIsLeftAlone) {
    std::string rows[] = {
        "C:\\" + std::string(100, 'x'),
        S("C:\\表") + std::string(100, 'x'),  // 表's trail byte is no separator: still directly below C:\ .
        "\\\\" + std::string(100, 'x'),
        "",
    };
    for (const std::string& path : rows) {
        PathBuffer b(path);
        EXPECT_EQ(GetReducedDir(window_, nullptr, b, 40), nullptr) << show(path);
        EXPECT_FALSE(GetReducedDirDone());
        EXPECT_EQ(b.str(), path);
    }
}

TEST_F(Display, CutAtTheFirstComponentThatFits) {
    struct Row { std::string path, tail; } rows[] = {
        {"C:\\aaaaaaaa\\bbbbbbbb\\cccc\\file.txt", "cccc\\file.txt"},
        {S("C:\\表表表\\ソソソ\\能能能\\x.txt"), S("能能能\\x.txt")},
        {S("C:\\表\\ソ\\aaaaaaaaaaaa\\能"), S("aaaaaaaaaaaa\\能")},
    };
    for (const Row& r : rows) {
        int width = sample() + measure(r.tail);  // the tail fits exactly
        PathBuffer b(r.path);
        EXPECT_EQ(GetReducedDir(window_, nullptr, b, width), b.get()) << show(r.path);
        EXPECT_TRUE(GetReducedDirDone());
        EXPECT_EQ(b.str(), "C:\\..\\" + r.tail) << show(r.path);
    }
}

TEST_F(Display, CutPointLiesAtLeastSixBytesIn) {
    // The boundary after "C:\ab\" (6 bytes) may be a cut point; the one after "C:\a\" (5) may not.
    PathBuffer six("C:\\ab\\cd\\efghijklmnopqrstuvwxyz");
    EXPECT_NE(GetReducedDir(window_, nullptr, six, measure(six.str()) - 1), nullptr);
    EXPECT_EQ(six.str(), "C:\\..\\cd\\efghijklmnopqrstuvwxyz");
    PathBuffer five("C:\\a\\cd\\efghijklmnopqrstuvwxyz");
    EXPECT_NE(GetReducedDir(window_, nullptr, five, measure(five.str()) - 1), nullptr);
    EXPECT_EQ(five.str(), "C:\\..\\efghijklmnopqrstuvwxyz");
}

TEST_F(Display, LastNameTooWideIsShortened) {
    std::string rows[] = {
        "C:\\aaaaaaa\\" + std::string(100, 'z'),
        "C:\\aaaaaaa\\" + [] { std::string s; for (int i = 0; i < 50; ++i) s += S("表"); return s; }(),
        S("C:\\ソソソ\\") + [] { std::string s; for (int i = 0; i < 40; ++i) s += S("能a"); return s; }(),
    };
    for (const std::string& path : rows) {
        int width = 200;
        PathBuffer b(path);
        EXPECT_EQ(GetReducedDir(window_, nullptr, b, width), b.get());
        std::string out = b.str();
        ASSERT_EQ(out.substr(0, 6), "C:\\..\\") << show(out);
        ASSERT_GE(out.size(), 9u);
        EXPECT_EQ(out.substr(out.size() - 3), "...") << show(out);
        EXPECT_TRUE(whole_characters(out)) << show(out);
        EXPECT_LT(measure(out.substr(6)), width - sample() + measure("C:\\..\\") + measure("...")) << show(out);
        EXPECT_LT(out.size(), path.size());
    }
}

TEST_F(Display, FinalYenKeepsTheLastName) {
    PathBuffer b("C:\\aaaaaaa\\" + std::string(40, 'b') + "\\");
    EXPECT_NE(GetReducedDir(window_, nullptr, b, 60), nullptr);
    EXPECT_EQ(b.str(), "C:\\..\\" + std::string(40, 'b') + "\\");
}

TEST_F(Display, NetworkPathKeepsItsLeadingPair) {
    PathBuffer b("\\\\server\\share\\aaaaaaaaaa\\file.txt");
    EXPECT_NE(GetReducedDir(window_, nullptr, b, sample() + measure("file.txt")), nullptr);
    EXPECT_EQ(b.str().substr(0, 2), "\\\\");
    EXPECT_EQ(b.str().substr(b.str().size() - 9), "\\file.txt");
}

TEST_F(Display, NoDeviceContextNoChange) {
    PathBuffer b("C:\\aaaaaaaa\\bbbbbbbb\\cccc");
    EXPECT_EQ(GetReducedDir(HWND(0x7654321), nullptr, b, 10), nullptr);
    EXPECT_EQ(b.str(), "C:\\aaaaaaaa\\bbbbbbbb\\cccc");
}

TEST_F(Display, WidthOfADialogControl) {
    std::string path = "C:\\aaaaaaaa\\bbbbbbbb\\cccc\\file.txt";
    PathBuffer expected(path);
    GetReducedDir(window_, nullptr, expected, 120);
    PathBuffer b(path);
    EXPECT_EQ(SetReducedDirWithCtlID(parent_, nullptr, b, 100), b.get());
    EXPECT_EQ(b.str(), expected.str());
    EXPECT_TRUE(GetReducedDirDone());

    PathBuffer name(std::string(60, 'n'));
    EXPECT_EQ(SetReducedFileWithCtlID(parent_, nullptr, name, 100), name.get());
    EXPECT_LT(measure(name.str()), 120);
    EXPECT_EQ(name.str().substr(name.str().size() - 3), "...");
}

// ---- Names

TEST_F(Display, NameThatFitsIsLeftAlone) {
    PathBuffer b("short.txt");
    EXPECT_EQ(GetReducedFile(window_, nullptr, b, measure("short.txt") + 1), nullptr);
    EXPECT_EQ(b.str(), "short.txt");
    EXPECT_EQ(GetReducedFile(window_, nullptr, b, 0), nullptr);
}

TEST_F(Display, NameShortenedWithPeriods) {
    std::string name = "abcdefghijklmnopqrstuvwxyz";
    int width = measure("abcdefghij");
    PathBuffer b(name);
    EXPECT_EQ(GetReducedFile(window_, nullptr, b, width), b.get());
    std::string out = b.str();
    // The longest prefix that measures less than the width, its last three bytes periods.
    size_t n = 0;
    while (n < name.size() && measure(name.substr(0, n + 1)) < width) ++n;
    ASSERT_GE(n, 6u);
    EXPECT_EQ(out, name.substr(0, n - 3) + "...");
}

TEST_F(Display, NameOfDoubleByteCharactersKeepsThemWhole) {
    std::string name = S("あいうえおかきくけこ");
    int width = measure(S("あいうえお"));
    PathBuffer b(name);
    EXPECT_EQ(GetReducedFile(window_, nullptr, b, width), b.get());
    std::string out = b.str();
    EXPECT_TRUE(whole_characters(out)) << show(out);
    size_t chars = 0;
    while (chars < 10 && measure(name.substr(0, 2 * (chars + 1))) < width) ++chars;
    ASSERT_GE(chars, 3u);
    // 2 * chars bytes; the third-last byte is a trail byte: four periods
    EXPECT_EQ(out, name.substr(0, 2 * (chars - 2)) + "....") << show(out);
}

TEST_F(Display, ExtensionIsKept) {
    PathBuffer b("verylongfilename.txt");
    EXPECT_EQ(GetReducedFileWithExtensionNotReduced(window_, b, measure("verylongf")), b.get());
    std::string out = b.str();
    EXPECT_EQ(out.substr(0, 4), "very");
    EXPECT_EQ(out.substr(out.size() - 5), "e.txt");
    EXPECT_NE(out.find("..."), std::string::npos);

    PathBuffer fits("abc.txt");
    EXPECT_EQ(GetReducedFileWithExtensionNotReduced(window_, fits, 0), fits.get());  // 22 M wide
    EXPECT_EQ(fits.str(), "abc.txt");
    std::string long_name = std::string(60, 'w') + S(".表");
    PathBuffer wide(long_name);
    GetReducedFileWithExtensionNotReduced(window_, wide, 0);
    EXPECT_LT(wide.str().size(), long_name.size());
    EXPECT_EQ(wide.str().substr(wide.str().size() - 4), S("w.表"));

    PathBuffer japanese(S("ソソソソソソソソソソソソソソ.txt"));
    GetReducedFileWithExtensionNotReduced(window_, japanese, measure(S("ソソソソ")));
    EXPECT_TRUE(whole_characters(japanese.str())) << show(japanese.str());
    EXPECT_EQ(japanese.str().substr(japanese.str().size() - 6), S("ソ.txt"));
}
