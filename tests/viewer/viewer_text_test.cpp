// The viewer's loader, cleaning and re-wrap on real files, and the file
// helpers. The re-wrap is checked against a layout written here from the
// rules, character by character.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "ferromes.h"
#include "support/sjis.h"
#include "support/temp_folder.h"
#include "viewer/file_helpers.h"
#include "viewer/viewer.h"

using ferro_test::sjis;
using ferro_test::TempFolder;

namespace {
std::string shown() {
    const char* text = GlobalLock_ghCurFileViewer();
    std::string s = text ? text : "";
    GlobalUnlock_ghCurFileViewer();
    return s;
}

struct LoadCase {
    const char* what;
    std::string bytes;
    ULONGLONG cap;
    LONG result;
    std::string text;
};

TEST(ViewerLoad, CleansAndCapsRealFiles) {
    TempFolder dir;
    const std::string jp = sjis("表ソ能");
    const LoadCase cases[] = {
        {"CR run before LF", "A\r\r\r\nB", 0, 0, "A  \r\nB"},
        {"stray CR keeps the next byte", "A\rB\r\rC\r", 0, 0, "A\r\nB \r\nC\r\n"},
        {"LF-only lines", "A\nB\n\nC", 0, 0, "A\r\nB\r\n\r\nC"},
        {"CR LF kept", "a\r\nb\r\n", 0, 0, "a\r\nb\r\n"},
        {"NUL and control bytes", std::string("A\0B\x01\x1b\x7f\x80\xfd", 8) + "\t" + sjis("ｱ"), 0, 0,
         "A B     \t" + sjis("ｱ")},
        {"0x5C trail bytes", jp + "\\" + jp, 0, 0, jp + "\\" + jp},
        {"lead byte last", "AB\x95", 0, 0, "AB "},
        {"lead byte before a non-trail", "A\x81\x0d\x0a", 0, 0, "A \r\n"},
        {"exactly the cap", "0123456789abcdef", 16, 0, "0123456789abcdef"},
        {"one byte over the cap", "0123456789abcdefg", 16, 0, "0123456789abcdef"},
        {"character split by the cap", "0123456789abcde" + sjis("表") + "x", 16, 0, "0123456789abcde"},
        {"CR LF split by the cap", "0123456789abcde\r\nx", 16, 0, "0123456789abcde"},
    };
    for (const LoadCase& c : cases) {
        const std::string path = dir.file("f.txt", c.bytes);
        SetViewerMaxSize(c.cap);
        EXPECT_EQ(c.result, GetFileContentForView(path.c_str(), 0)) << c.what;
        EXPECT_EQ(c.text, shown()) << c.what;
    }
    SetViewerMaxSize(0);
    const std::string big = dir.file("big.txt", std::string(100000, 'x'));
    EXPECT_EQ(0, GetFileContentForView(big.c_str(), 0));
    EXPECT_EQ(63488u, shown().size());

    MyLoadString(7103, 0);
    const std::string empty_text = GetLoadStrMessage();
    EXPECT_EQ(-2, GetFileContentForView(dir.file("empty.txt").c_str(), 0));
    EXPECT_EQ(empty_text, shown());
    EXPECT_EQ(-5, GetFileContentForView((dir / "missing.txt").c_str(), 0));
    HANDLE held = CreateFileA(big.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(-5, GetFileContentForView(big.c_str(), 0));
    CloseHandle(held);

    // The no-binary switch skips the cleaning of the next load only.
    const std::string raw = dir.file("raw.txt", "A\x01" "B\rC");
    SetNotIncludBinary();
    EXPECT_EQ(0, GetFileContentForView(raw.c_str(), 0));
    EXPECT_EQ("A\x01" "B\rC", shown());
    EXPECT_EQ(0, GetFileContentForView(raw.c_str(), 0));
    EXPECT_EQ("A B\r\nC", shown());
}

// The layout written from the rules: hard lines stay, tabs are 4 blanks, a
// break goes before a character that would pass the width (one alone may).
std::string reference_layout(const std::string& text, unsigned width) {
    std::string out;
    unsigned column = 0;
    for (size_t i = 0; i < text.size();) {
        if (text.compare(i, 2, "\r\n") == 0) {
            out += "\r\n";
            column = 0;
            i += 2;
            continue;
        }
        std::string piece = text[i] == '\t' ? "    " : text.substr(i, IsDBCSLeadByteEx(932, BYTE(text[i])) ? 2 : 1);
        i += text[i] == '\t' ? 1 : piece.size();
        for (size_t k = 0; k < piece.size();) {
            const size_t size = piece[0] == ' ' ? 1 : piece.size();
            if (width && column > 0 && column + size > width) {
                out += "\r\n";
                column = 0;
            }
            out += piece.substr(k, size);
            column += unsigned(size);
            k += size;
        }
    }
    return out;
}

TEST(ViewerWrap, MatchesTheReferenceAtEveryWidthAndWrapsBack) {
    const std::string texts[] = {
        "abc\tdef\r\n\r\n\r\n0123456789\r\n\t\t\r\nend",
        sjis("表示ソフト能力\tあいうえおかきくけこ\r\n12345678表\r\n\r\nｱｲｳｴｵ表ソ能x"),
        std::string(3000, '\t') + sjis("表"),  // grows far past the text's own size
    };
    const unsigned widths[] = {1, 2, 3, 5, 9, 10, 80};
    for (const std::string& text : texts) {
        ASSERT_EQ(1, SetViewerBuffer(text.c_str()));
        unsigned from = 0;
        for (unsigned width : widths) {
            ASSERT_EQ(1, ResetLines(nullptr, width, from)) << width;
            EXPECT_EQ(reference_layout(text, width), shown()) << "from " << from << " to " << width;
            from = width;
        }
        ASSERT_EQ(1, ResetLines(nullptr, 0, from));
        EXPECT_EQ(reference_layout(text, 0), shown()) << "back to no width";
    }
    // A text handed over keeps its own line ends whatever old width is named.
    SetViewerBuffer("12345\r\n12345\r\n\r\nx");
    ASSERT_EQ(1, ResetLines(nullptr, 80, 5));
    EXPECT_EQ("12345\r\n12345\r\n\r\nx", shown());
    EXPECT_EQ(1, ResetLines(nullptr, 7, 7));
}

TEST(FileHelpers, SaveAppendReadAndCopy) {
    TempFolder dir;
    const std::string path = dir / sjis("表.txt");
    DWORD flags = 9;
    ASSERT_EQ(1, SaveFile(path.c_str(), "hello", FILE_ATTRIBUTE_READONLY, 0, &flags, nullptr));
    EXPECT_EQ(0u, flags);
    EXPECT_EQ(DWORD(FILE_ATTRIBUTE_READONLY), GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);
    // A read-only file is truncated and keeps its attributes with -1.
    HANDLE open = nullptr;
    ASSERT_EQ(1, SaveFile(path.c_str(), "abcdef", DWORD(-1), 3, &flags, &open));
    ASSERT_NE(INVALID_HANDLE_VALUE, open);
    EXPECT_EQ(1, AppendFile(path.c_str(), sjis("ソ").c_str(), 0, open));
    EXPECT_EQ(0, AppendFile("", "x", 0, open));
    EXPECT_EQ(0, AppendFile(path.c_str(), nullptr, 0, open));
    EXPECT_EQ(1, DisableAppendFileAndCloseHandle(&open));
    EXPECT_EQ(0, DisableAppendFileAndCloseHandle(&open));
    EXPECT_EQ("abc" + sjis("ソ"), ferro_test::read_file(path));
    EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);

    ULONGLONG size = 7;
    HGLOBAL block = OpenReadOnlyFile(path.c_str(), &size);
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(5u, size);
    EXPECT_STREQ(("abc" + sjis("ソ")).c_str(), GlobalLockForOpenReadOnlyFile(block));
    EXPECT_EQ(1, CloseReadOnlyFile(block));

    const std::string copy = dir / "copy.txt";
    HGLOBAL kept = nullptr;
    EXPECT_EQ(1, SaveOneFileToAnotherFile(path.c_str(), copy.c_str(), FILE_ATTRIBUTE_ARCHIVE, &kept));
    EXPECT_NE(nullptr, kept);
    CloseReadOnlyFile(kept);
    EXPECT_EQ("abc" + sjis("ソ"), ferro_test::read_file(copy));

    // Failures: a folder cannot be written, a file held without sharing not read.
    EXPECT_EQ(0, SaveFile(dir.path().c_str(), "x", 0, 0, &flags, nullptr));
    EXPECT_EQ(1u, flags);
    HANDLE held = CreateFileA(copy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(nullptr, OpenReadOnlyFile(copy.c_str(), &size));
    EXPECT_EQ(0u, size);
    EXPECT_EQ(0, SaveOneFileToAnotherFile(copy.c_str(), path.c_str(), 0, nullptr));
    CloseHandle(held);
}
}  // namespace
