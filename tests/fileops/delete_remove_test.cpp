// RemoveByForce: every question, every answer, the recycle bin, renaming for
// case, and the result-word rules.
#include "delete_fixture.h"

using namespace delete_test;
using ferro_test::exists;
using ferro_test::MessageBoxRecorder;
using ferro_test::sjis;
using ferro_test::TempFolder;
using ferro_test::utf8;

namespace {
constexpr LONG kFile = 0x4, kFolder = 0x8, kCheckedFile = 5, kCheckedFolder = 9, kCaseFile = 6;

// The start every box of a failed entry has: the quoted name and the question.
std::string box_start(const std::string& path, UINT id) { return "'" + path + "'\n" + message(id); }

// A file held open without delete sharing, so that it cannot be deleted.
class HeldOpen {
public:
    explicit HeldOpen(const std::string& path)
        : handle_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~HeldOpen() { CloseHandle(handle_); }

private:
    HANDLE handle_;
};

// ---- Result word
TEST_F(DeleteTest, ResultWordHits) {
    EXPECT_EQ(IsReturnedValueHitForDeleteOperation(-6, -2), 1);
    EXPECT_EQ(IsReturnedValueHitForDeleteOperation(-6, -8), 0);
    EXPECT_EQ(IsReturnedValueHitForDeleteOperation(-6, -6), 1);
    EXPECT_EQ(IsReturnedValueHitForDeleteOperation(-0x800, -0x1000), 0);
    SetReturnedValueForDeleteOperation(-(0x1000 | 0x80));
    EXPECT_EQ(IsReturnedValueHitForDeleteOperation(0, 0), -(0x1000 | 0x80));  // the run's result
    EXPECT_EQ(IsReturnedValueHitForDeleteOperation(1, -0x1000), 1);           // 1 stands for the run's result
    EXPECT_EQ(IsReturnedValueHitForDeleteOperation(1, -0x800), 0);
}

// ---- Plain deletes
TEST_F(DeleteTest, DeletesAFileAndAnEmptyFolder) {
    TempFolder t;
    const std::string file = t.file("a.txt", "x");
    const std::string folder = t.folder("sub");
    EXPECT_EQ(RemoveByForce(nullptr, file.c_str(), 0, kFile, 0), -(0x2 | 0x4));
    EXPECT_FALSE(exists(file));
    EXPECT_EQ(RemoveByForce(nullptr, folder.c_str(), 0, kFolder, 0), -(0x2 | 0x8));
    EXPECT_FALSE(exists(folder));
    EXPECT_EQ(report(), "");
}

TEST_F(DeleteTest, BadArgumentsDoNothing) {
    TempFolder t;
    const std::string file = t.file("a.txt");
    EXPECT_EQ(RemoveByForce(nullptr, nullptr, 0, kFile, 0), -0x800);
    EXPECT_EQ(RemoveByForce(nullptr, "", 0, kFile, 0), -0x800);
    EXPECT_EQ(RemoveByForce(nullptr, file.c_str(), 0, 0, 0), -0x400);  // no kind
    EXPECT_TRUE(exists(file));
}

TEST_F(DeleteTest, TrailByteYenNamesAreDeletedExactly) {
    TempFolder t;
    for (const char* name : {"表.txt", "ソ", "能能.dat"}) {
        const std::string file = t.file(sjis(name));
        const std::string neighbour = t.file(sjis(name) + "x");
        EXPECT_EQ(RemoveByForce(nullptr, file.c_str(), 0, kCheckedFile, 0), -(0x2 | 0x4)) << name;
        EXPECT_FALSE(exists(file)) << name;
        EXPECT_TRUE(exists(neighbour)) << name;
    }
}

// ---- Without a box
TEST_F(DeleteTest, MissingEntryWithoutWindowIsSkippedAndReported) {
    TempFolder t;
    const std::string missing = t / "none.txt";
    EXPECT_EQ(RemoveByForce(nullptr, missing.c_str(), 1, kFile, 0), -0x80);
    EXPECT_NE(report().find(message(8111)), std::string::npos);
    EXPECT_NE(report().find(missing), std::string::npos);
    EXPECT_EQ(GetErroCodeByRemoveByForce(), ERROR_FILE_NOT_FOUND);
}

TEST_F(DeleteTest, NoErrorMessagesCountsTheFailure) {
    TempFolder t;
    ProgressDialog dialog;
    MessageBoxRecorder boxes;  // any box fails the test
    const std::string missing = t / "none.txt";
    SetNoerrorMessageOnDelete(1);
    EXPECT_EQ(RemoveByForce(dialog.window(), missing.c_str(), 1, kFile, 0), -0x800);
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_NE(report().find(missing), std::string::npos);
}

TEST_F(DeleteTest, BadNamesFailWithoutABox) {
    TempFolder t;
    ProgressDialog dialog;
    MessageBoxRecorder boxes;
    const std::string bad_file = t / "a|b.txt";
    const std::string bad_folder = t / "a|b";
    EXPECT_EQ(RemoveByForce(dialog.window(), bad_file.c_str(), 1, kCheckedFile, 0), -0x80);
    EXPECT_EQ(RemoveByForce(dialog.window(), bad_folder.c_str(), 1, kCheckedFolder, 0), -0x800);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(DeleteTest, StopRequestEndsBeforeTheDelete) {
    TempFolder t;
    const std::string file = t.file("a.txt");
    SetStopExecutingFlag(1);
    EXPECT_EQ(RemoveByForce(nullptr, file.c_str(), 0, kFile, 0), -0x1000);
    EXPECT_TRUE(exists(file));
}

// ---- Read-only files
TEST_F(DeleteTest, ForceDeletesReadOnlyWithoutAQuestion) {
    TempFolder t;
    ProgressDialog dialog;
    MessageBoxRecorder boxes;
    const std::string file = t.file("ro.txt");
    make_read_only(file);
    SetAllDelByForce(1);
    EXPECT_EQ(RemoveByForce(dialog.window(), file.c_str(), 1, kCheckedFile, 0), -(0x2 | 0x4));
    EXPECT_FALSE(exists(file));
    EXPECT_TRUE(boxes.boxes().empty());
}

struct ReadOnlyRow { LONG ask; int answer; LONG expected; bool deleted; bool stops; UINT buttons; };

TEST_F(DeleteTest, ReadOnlyFileQuestionAndAnswers) {
    const ReadOnlyRow rows[] = {
        {1, IDYES, -(0x2 | 0x4), true, false, MB_YESNOCANCEL},
        {1, IDNO, -0x80, false, false, MB_YESNOCANCEL},
        {1, IDCANCEL, -0x800, false, true, MB_YESNOCANCEL},
        {0, IDRETRY, -(0x2 | 0x4), true, false, MB_RETRYCANCEL},
        {0, IDCANCEL, -0x800, false, false, MB_RETRYCANCEL},
    };
    for (const ReadOnlyRow& row : rows) {
        SCOPED_TRACE(testing::Message() << "ask " << row.ask << " answer " << row.answer);
        reset_run_settings();
        TempFolder t;
        ProgressDialog dialog;
        const std::string file = t.file(sjis("表ro.txt"));
        make_read_only(file);
        MessageBoxRecorder boxes;
        boxes.answer(row.answer);
        EXPECT_EQ(RemoveByForce(dialog.window(), file.c_str(), row.ask, kCheckedFile, 0), row.expected);
        EXPECT_EQ(exists(file), !row.deleted);
        EXPECT_EQ(IsStopExecutingFlag() != 0, row.stops);
        ASSERT_EQ(boxes.boxes().size(), 1u);
        const auto& box = boxes.boxes()[0];
        EXPECT_EQ(utf8(box.caption), utf8(message(8120)));
        EXPECT_EQ(box.text.rfind(box_start(file, 8118), 0), 0u) << utf8(box.text);
        EXPECT_EQ(box.text.find(message(8115)) != std::string::npos, row.ask != 0) << utf8(box.text);
        EXPECT_EQ(box.style & 0xf, row.buttons);
        EXPECT_EQ(box.style & MB_ICONMASK, static_cast<UINT>(MB_ICONQUESTION));
        if (!row.deleted) {
            EXPECT_TRUE(read_only(file));
            EXPECT_NE(report().find(file), std::string::npos);
        }
        SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// ---- Files that cannot be deleted (held open)
TEST_F(DeleteTest, UndeletableFileQuestionAndAnswers) {
    struct Row { LONG ask; int answer; LONG expected; UINT message; UINT buttons; bool stops; } rows[] = {
        {1, IDYES, -0x80, 8124, MB_YESNO, false},  // yes: go on with the next entry
        {1, IDNO, -0x800, 8124, MB_YESNO, true},   // no: do not go on
        {0, IDOK, -0x800, 8119, MB_OK, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "answer " << row.answer);
        reset_run_settings();
        TempFolder t;
        ProgressDialog dialog;
        const std::string file = t.file("held.txt", "x");
        MessageBoxRecorder boxes;
        boxes.answer(row.answer);
        {
            HeldOpen held(file);
            EXPECT_EQ(RemoveByForce(dialog.window(), file.c_str(), row.ask, kFile, 0), row.expected);
        }
        EXPECT_TRUE(exists(file));
        EXPECT_EQ(IsStopExecutingFlag() != 0, row.stops);
        ASSERT_EQ(boxes.boxes().size(), 1u);
        const auto& box = boxes.boxes()[0];
        EXPECT_EQ(utf8(box.caption), utf8(message(8117)));
        EXPECT_EQ(box.text.rfind(box_start(file, row.message), 0), 0u) << utf8(box.text);
        EXPECT_NE(box.text.find("Windows>>"), std::string::npos);
        EXPECT_EQ(box.style & 0xf, row.buttons);
        EXPECT_EQ(box.style & MB_ICONMASK, static_cast<UINT>(MB_ICONQUESTION));
        EXPECT_NE(report().find(file), std::string::npos);
        EXPECT_NE(GetErroCodeByRemoveByForce(), 0);
    }
}

TEST_F(DeleteTest, FolderThatIsNotEmptyIsAskedAbout) {
    struct Row { LONG ask; int answer; LONG expected; UINT message; UINT buttons; } rows[] = {
        {1, IDYES, -0x80, 8121, MB_YESNO},
        {1, IDNO, -0x800, 8121, MB_YESNO},
        {0, IDOK, -0x800, 8122, MB_OK},
    };
    for (const Row& row : rows) {
        reset_run_settings();
        TempFolder t;
        ProgressDialog dialog;
        const std::string folder = t.folder("full");
        const std::string inside = t.file("full\\keep.txt");
        MessageBoxRecorder boxes;
        boxes.answer(row.answer);
        EXPECT_EQ(RemoveByForce(dialog.window(), folder.c_str(), row.ask, kFolder, 0), row.expected);
        EXPECT_TRUE(exists(inside));
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(utf8(boxes.boxes()[0].caption), utf8(message(8117)));
        EXPECT_EQ(boxes.boxes()[0].text.rfind(box_start(folder, row.message), 0), 0u);
        EXPECT_EQ(boxes.boxes()[0].style & 0xf, row.buttons);
    }
}

// ---- Recycle bin
TEST_F(DeleteTest, TrashDeletesThroughTheShell) {
    TempFolder t;
    const std::string file = t.file("trash me.txt", "x");
    const std::string other = t.file("trash me.txt2", "x");
    SetTrashActivated(1, 0);
    EXPECT_EQ(RemoveByForce(nullptr, file.c_str(), 0, kFile, 0), -(0x2 | 0x4));
    EXPECT_FALSE(exists(file));
    EXPECT_TRUE(exists(other));
    EXPECT_EQ(RemoveByForce(nullptr, file.c_str(), 0, kFile, 0), -0x80);  // missing
    const std::string folder = t.folder("bin");
    EXPECT_EQ(RemoveByForce(nullptr, folder.c_str(), 0, kFolder, 0), -(0x2 | 0x8));
    EXPECT_FALSE(exists(folder));
}

// ---- Renaming for case
TEST_F(DeleteTest, CaseRenameThroughRemoveByForce) {
    TempFolder t;
    ProgressDialog dialog;
    dialog.attach();
    const std::string file = t.file("MIXED.TXT");
    EXPECT_EQ(RemoveByForce(dialog.window(), file.c_str(), 1, kCaseFile, 0x4), -(0x2 | 0x4));
    WIN32_FIND_DATAA record;
    HANDLE h = FindFirstFileA((t / "mixed.txt").c_str(), &record);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    FindClose(h);
    EXPECT_STREQ(record.cFileName, "mixed.txt");
    // The spelling is right now: nothing to do.
    EXPECT_EQ(RemoveByForce(dialog.window(), (t / "mixed.txt").c_str(), 1, kCaseFile, 0x4), -0x400);
}
}  // namespace
