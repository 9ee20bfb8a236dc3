// The name edits and the path buffers of a delete run.
#include <cstring>
#include "delete_fixture.h"
#include "frame/paths.h"
#include "support/guarded_buffer.h"

using namespace delete_test;
using ferro_test::GuardedBuffer;
using ferro_test::sjis;
using ferro_test::utf8;

namespace {
struct Edit { std::string path, model, expected_path, expected_model; };

// ---- ChangeName
TEST(NameEdits, ChangeName) {
    const Edit rows[] = {
        {"C:\\x\\a.txt", "b.doc", "C:\\x\\b.txt", "b"},
        {"C:\\x\\a", "b.doc", "C:\\x\\b", "b"},
        {"a.txt", "b", "b.txt", "b"},
        {"\"C:\\my docs\\a.txt\"", "\"new name.doc\"", "\"C:\\my docs\\new name.txt\"", "\"new name\""},
        {sjis("C:\\表\\ソ.txt"), sjis("能.doc"), sjis("C:\\表\\能.txt"), sjis("能")},
        {sjis("C:\\x\\a.txt"), sjis("D:\\表\\ソ"), sjis("C:\\x\\ソ.txt"), sjis("D:\\表\\ソ")},
        {"C:\\x.y\\a", "b.c", "C:\\x.y\\b", "b"},  // a period of the folder is no extension
    };
    for (const Edit& row : rows) {
        char path[520], model[520];
        std::strcpy(path, row.path.c_str());
        std::strcpy(model, row.model.c_str());
        EXPECT_EQ(ChangeName(path, model), path) << utf8(row.path);
        EXPECT_EQ(utf8(path), utf8(row.expected_path));
        EXPECT_EQ(utf8(model), utf8(row.expected_model));
    }
}

TEST(NameEdits, ChangeNameBadInput) {
    char path[520] = "C:\\x\\a.txt", model[520] = ".doc";
    EXPECT_EQ(ChangeName(path, model), nullptr);  // no base name
    EXPECT_STREQ(path, "C:\\x\\a.txt");
    EXPECT_STREQ(model, ".doc");
    EXPECT_EQ(ChangeName(nullptr, model), nullptr);
    EXPECT_EQ(ChangeName(path, nullptr), nullptr);
    char empty[4] = "";
    EXPECT_EQ(ChangeName(path, empty), nullptr);
}

TEST(NameEdits, ChangeNameNeverWritesPastThePath) {
    // In a 520-byte buffer: a result of 519 bytes fits, one of 520 does not
    // (nothing changes then, in either string).
    GuardedBuffer path(520);
    char model[520];
    const std::string over = std::string(511, 'b') + ".doc";   // 5 + 511 + 4 = 520
    path.assign("C:\\x\\a.txt");
    std::strcpy(model, over.c_str());
    EXPECT_EQ(ChangeName(path, model), nullptr);
    EXPECT_EQ(path.str(), "C:\\x\\a.txt");
    EXPECT_EQ(std::string(model), over);
    const std::string exact = std::string(510, 'b') + ".doc";  // 519 bytes
    std::strcpy(model, exact.c_str());
    EXPECT_EQ(ChangeName(path, model), path.data());
    EXPECT_EQ(path.str(), "C:\\x\\" + std::string(510, 'b') + ".txt");
    EXPECT_EQ(std::string(model), std::string(510, 'b'));
}

// ---- ChangeExt (among the path functions), the cases a delete run uses
TEST(NameEdits, ChangeExt) {
    const Edit rows[] = {
        {"a.txt", "b.doc", "a.doc", ""},
        {"a.txt", "b", "a", ""},
        {sjis("表.txt"), "x.doc", sjis("表.doc"), ""},
        {sjis("C:\\ソ\\能"), "x.doc", sjis("C:\\ソ\\能.doc"), ""},
    };
    for (const Edit& row : rows) {
        char path[520];
        std::strcpy(path, row.path.c_str());
        EXPECT_EQ(ChangeExt(path, row.model.c_str()), path);
        EXPECT_EQ(utf8(path), utf8(row.expected_path));
    }
}

// ---- Path buffers
TEST(PathBuffers, SaveAndGet) {
    FreeFilePaths();
    EXPECT_EQ(Get_lpFULLPATH(), nullptr);
    EXPECT_EQ(Save_lpDELPATH("C:\\a"), nullptr);  // no buffers yet
    ASSERT_EQ(GlobalFilePaths(nullptr), 1);
    EXPECT_EQ(GlobalFilePaths(nullptr), 1);  // kept
    EXPECT_EQ(Save_lpFULLPATH("C:\\x\\*.*"), Get_lpFULLPATH());
    EXPECT_EQ(Save_lpDELPATH(sjis("C:\\表").c_str()), Get_lpDELPATH());
    EXPECT_EQ(Save_lpSAVEPATH("C:\\x"), Get_lpSAVEPATH());
    EXPECT_STREQ(Get_lpFULLPATH(), "C:\\x\\*.*");
    EXPECT_EQ(std::string(Get_lpDELPATH()), sjis("C:\\表"));
    EXPECT_STREQ(Get_lpSAVEPATH(), "C:\\x");
    const std::string exact(519, 'a'), over(520, 'a');
    EXPECT_NE(Save_lpSAVEPATH(exact.c_str()), nullptr);
    EXPECT_EQ(Save_lpSAVEPATH(over.c_str()), nullptr);
    EXPECT_EQ(std::string(Get_lpSAVEPATH()), exact);  // unchanged
    EXPECT_EQ(Save_lpSAVEPATH(nullptr), nullptr);
    EXPECT_EQ(FreeFilePaths(), 1);
    EXPECT_EQ(FreeFilePaths(), 0);
    EXPECT_EQ(Get_lpDELPATH(), nullptr);
}

TEST(PathBuffers, SavedPathBlock) {
    GlobalFree_ghSAVEPATH();
    EXPECT_EQ(Get_ghSAVEPATH(), nullptr);
    EXPECT_EQ(GlobalLock_ghSAVEPATH(), nullptr);
    HGLOBAL block = Save_ghSAVEPATH("C:\\saved");
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(Get_ghSAVEPATH(), block);
    EXPECT_STREQ(GlobalLock_ghSAVEPATH(), "C:\\saved");
    EXPECT_EQ(GlobalUnlock_ghSAVEPATH(), 1);
    EXPECT_EQ(GlobalUnlock_ghSAVEPATH(), 0);
    const std::string longer(700, 'z');
    ASSERT_NE(Save_ghSAVEPATH(longer.c_str()), nullptr);
    EXPECT_EQ(std::string(GlobalLock_ghSAVEPATH()), longer);
    EXPECT_EQ(GlobalFree_ghSAVEPATH(), 1);
    EXPECT_EQ(Get_ghSAVEPATH(), nullptr);
    EXPECT_EQ(GlobalFree_ghSAVEPATH(), 0);
}

}  // namespace
