// Joining a folder and a name: the quotation marks, the separator, the
// buffers written and the 519-byte limit.
#include <gtest/gtest.h>
#include <windows.h>
#include "text_test_util.h"

using namespace text_test;

// ---- Composition

TEST(Join, Table) {
    struct Row { std::string folder, name; int result; std::string joined; } rows[] = {
        {"C:\\a", "b.txt", 10, "C:\\a\\b.txt"},
        {"C:\\", "b", 4, "C:\\b"},
        {S("C:\\表"), "b", 7, S("C:\\表\\b")},  // the trail byte 0x5C is no separator
        {S("C:\\ソ"), S("能"), 8, S("C:\\ソ\\能")},
        {S("表\\能"), S("ソ"), 8, S("表\\能\\ソ")},
        {"C:\\a\\", "b", 6, "C:\\a\\b"},
        {"\"C:\\Program Files\"", "a.exe", 24, "\"C:\\Program Files\\a.exe\""},
        {"C:\\a", "\"b c.txt\"", 14, "\"C:\\a\\b c.txt\""},
        {"\"C:\\ab\"", "c", 7, "C:\\ab\\c"},  // no space: no marks
        {"\\\\srv\\share", "x", 13, "\\\\srv\\share\\x"},
        {"\\:\\Net\\Comp", "x", 13, "\\:\\Net\\Comp\\x"},
        {"C:\\a", "D:\\x", 0, "D:\\x"},        // a whole path is taken as it is
        {"C:\\a", "\\\\srv\\s", 0, "\\\\srv\\s"},
        {"", "b", 1, "b"},
        {"C:\\a", "", 4, "C:\\a"},
        {"http://h/a", "b", 12, "http://h/a/b"},  // a URL keeps its slashes
        {"http://h/a/", "b\\c", 14, "http://h/a/b/c"},
    };
    for (const Row& r : rows) {
        PathBuffer folder(r.folder), name(r.name), out("junk");
        EXPECT_EQ(_myGetFullPathName(out, folder, name), r.result) << show(r.folder) << " + " << show(r.name);
        EXPECT_EQ(out.str(), r.joined) << show(r.folder) << " + " << show(r.name);
        EXPECT_EQ(folder.str(), r.folder);  // the folder is not written when there is an out buffer
        EXPECT_EQ(name.str(), r.name);
    }
}

TEST(Join, ResultBuffers) {
    {  // no out buffer: the folder buffer holds the result
        PathBuffer folder(S("C:\\表")), name("x");
        EXPECT_EQ(_myGetFullPathName(nullptr, folder, name), 7);
        EXPECT_EQ(folder.str(), S("C:\\表\\x"));
    }
    {  // out is the folder
        PathBuffer folder("C:\\a");
        EXPECT_EQ(_myGetFullPathName(folder, folder, "b"), 6);
        EXPECT_EQ(folder.str(), "C:\\a\\b");
    }
    {  // out is the name: shifted right behind the folder
        PathBuffer name("\"b c\"");
        EXPECT_EQ(_myGetFullPathName(name, const_cast<char*>("C:\\a"), name), 10);
        EXPECT_EQ(name.str(), "\"C:\\a\\b c\"");
    }
    {  // a whole path without out buffer goes to the folder buffer
        PathBuffer folder("C:\\a");
        EXPECT_EQ(_myGetFullPathName(nullptr, folder, "D:\\x"), 0);
        EXPECT_EQ(folder.str(), "D:\\x");
    }
    {  // a slash in the folder stays when the work is done in place
        PathBuffer folder("a/b");
        EXPECT_EQ(_myGetFullPathName(nullptr, folder, "c"), 5);
        EXPECT_EQ(folder.str(), "a/b\\c");
    }
    PathBuffer folder("C:\\a");
    EXPECT_EQ(_myGetFullPathName(nullptr, folder, nullptr), 0);
    EXPECT_EQ(folder.str(), "C:\\a");
}

// ---- Length limit: boundary rows in guarded 520-byte buffers

TEST(Join, LengthBoundaries) {
    struct Row { size_t folder_len; bool folder_ends_with_yen; size_t name_len; int result; } rows[] = {
        {0, false, 1, 1},     {1, false, 0, 1},     {1, false, 1, 3},
        {0, false, 519, 519}, {519, false, 0, 519}, {3, true, 516, 519},  {4, false, 514, 519},
        {4, false, 515, 0},   // 520 bytes with the yen mark
        {260, false, 258, 519}, {260, false, 259, 0}, {517, false, 1, 519}, {518, false, 1, 0},
        {518, true, 1, 519},  {519, false, 1, 0},   // 520 bytes of parts
        {300, false, 300, 0},
    };
    for (const Row& r : rows) {
        std::string folder;
        if (r.folder_len >= 3) {
            folder = "C:\\" + std::string(r.folder_len - 3, 'a');
            if (r.folder_ends_with_yen && r.folder_len > 3) folder.back() = '\\';
        } else {
            folder = std::string(r.folder_len, 'a');
        }
        std::string name(r.name_len, 'n');
        std::string expected;
        if (r.result) {
            expected = r.folder_len == 0 ? name : r.name_len == 0 ? folder : folder + (folder.back() == '\\' ? "" : "\\") + name;
        }
        {
            PathBuffer f(folder), n(name), out("junk");
            EXPECT_EQ(_myGetFullPathName(out, f, n), r.result) << r.folder_len << "+" << r.name_len;
            EXPECT_EQ(out.str(), r.result ? expected : "junk") << r.folder_len << "+" << r.name_len;
        }
        {  // in place in the folder buffer
            PathBuffer f(folder), n(name);
            EXPECT_EQ(_myGetFullPathName(nullptr, f, n), r.result);
            EXPECT_EQ(f.str(), r.result ? expected : folder);
        }
        {  // in place in the name buffer
            PathBuffer f(folder), n(name);
            EXPECT_EQ(_myGetFullPathName(n, f, n), r.result);
            EXPECT_EQ(n.str(), r.result ? expected : name);
        }
    }
}

TEST(Join, QuotationAtTheLimit) {
    // 518 bytes of parts, 519 with the yen mark and 520 with the closing mark the join needs.
    std::string folder = "\"C:\\a b" + std::string(500, 'x');  // 507 bytes, opening mark only
    std::string name(11, 'n');
    PathBuffer f(folder), n(name), out("junk");
    EXPECT_EQ(_myGetFullPathName(out, f, n), 0);
    EXPECT_EQ(out.str(), "junk");
    PathBuffer f2(folder), n2(std::string(10, 'n')), out2;
    EXPECT_EQ(_myGetFullPathName(out2, f2, n2), 519);
    EXPECT_EQ(out2.str().back(), '"');
}
