// Hostile input for every function: null, empty, lone lead bytes, runs of
// lead-range bytes, full 519-byte paths of yen marks, quotation marks or
// spaces. Strings sit in guarded buffers: a read or write past a string
// that is only read, or past a 520-byte buffer that is written, crashes.
#include <gtest/gtest.h>
#include <windows.h>
#include <functional>
#include "frame/folder_signs.h"
#include "support/message_box_recorder.h"
#include "text_test_util.h"

using namespace text_test;

namespace {
std::string join(std::string a, const std::string& b) { return a += b; }

std::vector<std::string> hostile() {
    return {
        "",
        "\x81",
        "\xe0",
        "a\xfc",
        std::string(519, '\x81'),
        std::string(518, '\x81') + "\\",
        std::string(517, '\x81') + "\\",
        join("C:\\", std::string(516, '\x95')),
        join("C:\\", std::string(515, '\x95')) + "\\",
        std::string(519, '\\'),
        std::string(519, '"'),
        std::string(519, ' '),
        std::string(519, 'a'),
        std::string(519, '.'),
        std::string(519, '/'),
        join("\"", std::string(518, 'a')),
        std::string(518, 'a') + "\"",
        join("\\\\", std::string(517, 'a')),
        join("\\:", std::string(517, '\\')),
        [] { std::string s; while (s.size() < 518) s += S("表"); return s + "\\"; }(),
        [] { std::string s = "C:"; while (s.size() < 517) s += S("\\ソ"); return s; }(),
        [] { std::string s; while (s.size() < 519) s += S("ｶﾞ"); s.resize(519); return s; }(),
    };
}

// Runs an in-place function on a fresh 520-byte copy of the text and checks
// the result is still a string of at most 519 bytes.
void in_place(const std::string& text, const char* what, const std::function<void(char*)>& f) {
    PathBuffer b(text);
    f(b);
    EXPECT_LE(b.str().size(), 519u) << what << " on " << text.size() << " bytes";
}
}  // namespace

TEST(BadInput, ReadingFunctionsStayInsideTheString) {
    ferro_test::MessageBoxRecorder boxes;
    for (const std::string& text : hostile()) {
        TightBuffer b(text);
        BOOL q = FALSE;
        for (int i = -1; i <= int(text.size()) + 1; ++i) {
            _myNthctype(b, i);
            _myIskanjin(b, i);
            IsCharacterFound(b, b, '\\', i);
            Is95QuotationMarkThere(b, i);
        }
        GetFileFromPathWithYen(b);
        FindYenMark(b);
        GetFileName(nullptr, b);
        GetFileExtension(b);
        FindPeriod(b, &q);
        FindPeriodFromEnd(b, &q);
        FindSpace(b);
        FindSpaceFromEnd(b);
        GetNumberOfYenmarkinDirectoryWithoutYenmakAtLastEnd(b);
        IsMultiFolders(b);
        IsRootDir(b);
        IsRootDirIncluded(b);
        IsNetRootDir(b);
        IsDriveMyNetwork(b);
        IsDriveSystemNetwork(b);
        IsRelativePathSignHere(b);
        IsRelativeUpperPathHere(b);
        IsSelfDirSign(b);
        IsUpperDirSign(b);
        Skip95Quotation(b);
        FindSpaceOutside95Quotation(b);
        FindSpaceAs95OptionSeparator(b);
        Find95OptionSeparator(-1, b);
        Find95OptionSeparatorFromEnd(b);
        FindSpaceAsOptionSeparator(b, 0);
        FindSpaceAsOptionSeparator(b, 1);
        DetectIsPrint(b);
        SkipSpaceAtBeginning(b);
        GetUrlKugiriFileName(b, TRUE);
        j_lstristr(b, b);
        j_lstrrstr(b, b);
        j_lstrirstr(b, "\\");
        j_lstrrstr(b, "\x81");
        IsDirectoryContained(b, b, FALSE);
        IsDirectoryContained(b, "C:\\", TRUE);
        IsDirectoryContained("C:\\a", b, TRUE);
        __fatoi(b);
        __fatolux(b);
        double d;
        __fatof(b, &d);
        PathBuffer out;
        ArrangeNumberFromString(b, out);
        RemoveAll95OptionSeparator(out, b);
        _myGetFullPathName(out, const_cast<char*>("C:\\a"), b);
        FindNormalPathFromRelativePath(b, out, "C:\\a");
    }
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST(BadInput, WritingFunctionsStayInsideTheBuffer) {
    for (const std::string& text : hostile()) {
        char saved;
        in_place(text, "GetFileName", [](char* p) { GetFileName(p, p); });
        in_place(text, "GetFileName out", [&](char* p) { PathBuffer o; GetFileName(o, p); });
        in_place(text, "GetDirectoryPathInFile", [](char* p) { GetDirectoryPathInFile(p); });
        in_place(text, "ExtractPath", [&](char* p) { RecoverPath(ExtractPath(p, &saved), saved); });
        in_place(text, "GetPathRestricted", [](char* p) { GetPathRestricted(p); });
        in_place(text, "RemoveFileExtension", [](char* p) { RemoveFileExtension(p); });
        in_place(text, "ChangeExt", [&](char* p) { ChangeExt(p, "x.longer"); });
        in_place(text, "ChangeExt self", [&](char* p) { ChangeExt(p, text.c_str()); });
        in_place(text, "AddFileExtensionWithPeriod", [](char* p) { AddFileExtensionWithPeriod(p, "txt"); });
        in_place(text, "RemoveLastYenmark", [](char* p) { RemoveLastYenmark(p); });
        in_place(text, "AddLastYenmark", [](char* p) { AddLastYenmark(p); });
        in_place(text, "RemoveLastKugiri", [](char* p) { RemoveLastKugiri(p, '\\'); });
        in_place(text, "Url", [&](char* p) { RecoverPath(GetUrlKugiriDirectoryPathInFile(p, &saved), saved); });
        in_place(text, "Slashes", [](char* p) { ReplaceSlashByYenmark(p); ReplaceYenmarkBySlash(p); RecoverBackSlash(RemoveLastSlash(p)); });
        in_place(text, "Spaces", [](char* p) { DeleteNextAllSpaces(p); DeleteSpaceAtBeginning(p); DeleteSpaceAtEnd(p); DelSpc(p); });
        in_place(text, "GetUpperDirectory", [](char* p) { while (GetUpperDirectory(p) < -10) {} });
        in_place(text, "FindRelativePathFromNormalPath", [](char* p) { FindRelativePathFromNormalPath(p, "C:\\a\\b"); });
        in_place(text, "FindRelativePathFromNormalPath self", [&](char* p) { FindRelativePathFromNormalPath(p, text.c_str()); });
        in_place(text, "FindNormalPathFromRelativePath", [](char* p) { FindNormalPathFromRelativePath(p, nullptr, "C:\\a"); });
        in_place(text, "IsDirnameFromDirSign", [](char* p) { IsDirnameFromDirSign(nullptr, p, "C:\\a\\b"); });
        in_place(text, "IsDirnameFromDirSign self", [&](char* p) { IsDirnameFromDirSign(nullptr, p, text.c_str()); });
        in_place(text, "Join into folder", [&](char* p) { _myGetFullPathName(nullptr, p, "name"); });
        in_place(text, "Join into name", [&](char* p) { _myGetFullPathName(p, const_cast<char*>("C:\\a b"), p); });
        in_place(text, "Join self", [&](char* p) { PathBuffer f(text); _myGetFullPathName(p, f, p); });
        in_place(text, "Add95Quotation", [](char* p) { Add95Quotation(p); });
        in_place(text, "Add95QuotationForAnySpace", [](char* p) { Add95QuotationForAnySpaceIfNotThere(p); });
        in_place(text, "Remove95Quotation", [](char* p) { Remove95Quotation(p); });
        in_place(text, "Adjust add", [](char* p) { Adjust95Quotatin(&p, TRUE); });
        in_place(text, "Adjust remove", [](char* p) { Adjust95Quotatin(&p, FALSE); });
        in_place(text, "AddUnbalanced", [](char* p) { AddUnbalanced95Quotatin(&p, FALSE); });
        in_place(text, "AddUnbalanced keep", [](char* p) { AddUnbalanced95Quotatin(&p, TRUE); });
        in_place(text, "ExtractExefile", [](char* p) { char* a; ExtractExefile(p, &a, 0); RecoverExefile(p); });
        in_place(text, "ExtractExefile 1", [](char* p) { char* a; ExtractExefile(p, &a, 1); RecoverExefile(p); });
        in_place(text, "Substitutions", [](char* p) { AddBkspaceForAnySpaceIfNotThere(p); ReplaceSpaceByAlertBell(p); ReplaceBkspaceAndCommandSparator(p); });
        in_place(text, "Case", [](char* p) { ConvertDosCharacterSet(p, 1); ConvertDosCharacterSet(p, 2); });
        in_place(text, "Reformed", [](char* p) { GetReformed95PathNameForEmptyShortName(p, "", 2); });
        in_place(text, "HalfWidth", [](char* p) { _ReplaceFullPitchJpnByHalfPitchJpn(p); });
        in_place(text, "FullWidth", [](char* p) { ChangeOneByteCodeToTwoByteCode(nullptr, p, 7); });
        in_place(text, "FullWidth out", [](char* p) { PathBuffer o; ChangeOneByteCodeToTwoByteCode(o, p, 7); });
        in_place(text, "Readable", [](char* p) { _IsStringReadable(p, '?'); });
        in_place(text, "CopyBackward", [](char* p) { CopyBackward(p, 1); CopyBackward(p, 519); });
        in_place(text, "CopyForward", [](char* p) { CopyForward(p, 1); CopyForward(p, 600); });
    }
}

TEST(BadInput, NullEverywhere) {
    ferro_test::MessageBoxRecorder boxes;
    boxes.answer_all(IDOK);
    char* none = nullptr;
    BOOL q = FALSE;
    char saved = 0;
    EXPECT_EQ(_myNthctype(nullptr, 0), 0);
    EXPECT_EQ(IsCharacterFound(nullptr, nullptr, 'a', 0), 0);
    EXPECT_EQ(_IsStringReadable(nullptr, '?'), 0);
    EXPECT_EQ(DetectIsPrint(nullptr), nullptr);
    EXPECT_EQ(GetFileFromPathWithYen(nullptr), nullptr);
    EXPECT_EQ(GetFileName(nullptr, nullptr), nullptr);
    EXPECT_EQ(GetDirectoryPathInFile(nullptr), nullptr);
    EXPECT_EQ(ExtractPathWithoutRootYen(nullptr, &saved), nullptr);
    EXPECT_EQ(GetPathRestricted(nullptr), nullptr);
    EXPECT_EQ(GetFileExtension(nullptr), nullptr);
    EXPECT_EQ(FindPeriod(nullptr, &q), nullptr);
    EXPECT_EQ(FindPeriodFromEnd(nullptr, &q), nullptr);
    EXPECT_EQ(FindSpaceFromEnd(nullptr), nullptr);
    EXPECT_EQ(AddFileExtensionWithPeriod(nullptr, "a"), nullptr);
    EXPECT_EQ(RemoveFileExtension(nullptr), nullptr);
    EXPECT_EQ(ChangeExt(nullptr, "a.b"), nullptr);
    EXPECT_EQ(RemoveLastYenmark(nullptr), FALSE);
    EXPECT_EQ(AddLastYenmark(nullptr), nullptr);
    EXPECT_EQ(RemoveLastKugiri(nullptr, ';'), FALSE);
    EXPECT_EQ(GetNumberOfYenmarkinDirectoryWithoutYenmakAtLastEnd(nullptr), 0);
    EXPECT_EQ(IsMultiFolders(nullptr), 0);
    EXPECT_EQ(GetUrlKugiriFileName(nullptr, 0), nullptr);
    EXPECT_EQ(GetUrlKugiriDirectoryPathInFileWithLastUrlKugiri(nullptr, &saved), nullptr);
    EXPECT_EQ(ReplaceYenmarkBySlash(nullptr), 0);
    EXPECT_EQ(RemoveLastSlash(nullptr), nullptr);
    EXPECT_EQ(GetAttributeChar(0, nullptr), nullptr);
    EXPECT_EQ(IsDirectoryContained(nullptr, "a", 0), nullptr);
    EXPECT_EQ(_myGetFullPathName(nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(IsUpperDirectoryObtained(nullptr), -1);
    EXPECT_EQ(IsRelativePathSignHere(nullptr), nullptr);
    EXPECT_EQ(IsRelativeUpperPathHere(nullptr), nullptr);
    EXPECT_EQ(FindRelativePathFromNormalPath(nullptr, nullptr), 0);
    EXPECT_EQ(FindNormalPathFromRelativePath(nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(IsDirnameFromDirSign(nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(DeleteSpaceAtBeginning(nullptr), nullptr);
    EXPECT_EQ(DeleteNextAllSpaces(nullptr), nullptr);
    EXPECT_EQ(Add95Quotation(nullptr), FALSE);
    EXPECT_EQ(Add95QuotationForAnySpaceIfNotThere(nullptr), nullptr);
    EXPECT_EQ(Remove95Quotation(nullptr), FALSE);
    EXPECT_EQ(Adjust95Quotatin(nullptr, TRUE), FALSE);
    EXPECT_EQ(Adjust95Quotatin(&none, TRUE), FALSE);
    EXPECT_EQ(AddUnbalanced95Quotatin(&none, FALSE), FALSE);
    EXPECT_EQ(Skip95Quotation(nullptr), nullptr);
    EXPECT_EQ(FindSpaceOutside95Quotation(nullptr), nullptr);
    EXPECT_EQ(FindSpaceAs95OptionSeparator(nullptr), nullptr);
    EXPECT_EQ(Find95OptionSeparator(-1, nullptr), nullptr);
    EXPECT_EQ(Find95OptionSeparatorFromEnd(nullptr), nullptr);
    EXPECT_EQ(RemoveAll95OptionSeparator(nullptr, nullptr), nullptr);
    EXPECT_EQ(FindSpaceAsOptionSeparator(nullptr, 0), nullptr);
    EXPECT_EQ(RecoverExefile(nullptr), FALSE);
    EXPECT_EQ(ReplaceAlertBellBySpace(nullptr), FALSE);
    EXPECT_EQ(Replace95QuotationMarkByBkspace(nullptr), 0);
    EXPECT_EQ(ReplaceTabBy95QuotationMark(nullptr), FALSE);
    EXPECT_EQ(AddBkspaceForAnySpaceIfNotThere(nullptr), nullptr);
    EXPECT_EQ(ReplaceBkspaceAndCommandSparator(nullptr), 0);
    EXPECT_EQ(ConvertDosCharacterSet(nullptr, 1), nullptr);
    EXPECT_EQ(AnsiUpperMacro(nullptr), nullptr);
    EXPECT_EQ(GetReformed95PathNameForEmptyShortName(nullptr, nullptr, 2), FALSE);
    EXPECT_EQ(ChangeOneByteCodeToTwoByteCode(nullptr, nullptr, 7), nullptr);
    EXPECT_EQ(j_lstrirstr(nullptr, nullptr), nullptr);
    EXPECT_EQ(__fatol(nullptr), 0);
    EXPECT_EQ(__fatou(nullptr), 0u);
    EXPECT_EQ(__fatolx(nullptr), 0);
    EXPECT_EQ(__fatoux(nullptr), 0u);
    EXPECT_EQ(__fatof(nullptr, nullptr), FALSE);
    EXPECT_EQ(ArrangeNumberFromString(nullptr, nullptr), nullptr);
    EXPECT_EQ(ArrangedNumber(1, 2, nullptr), nullptr);
    EXPECT_EQ(CopyForward(nullptr, 1), 0);
    EXPECT_EQ(GetReducedDir(nullptr, nullptr, nullptr, 100), nullptr);
    EXPECT_EQ(GetReducedFile(nullptr, nullptr, nullptr, 100), nullptr);
    EXPECT_EQ(GetReducedFileWithExtensionNotReduced(nullptr, nullptr, 100), nullptr);
    EXPECT_EQ(SetReducedDirWithLength(nullptr, nullptr, nullptr, 100), nullptr);
    EXPECT_EQ(IsSelfDirSignCharcterAtHead(nullptr), FALSE);
    EXPECT_EQ(IsUpperDirSignCharcterAtHead(nullptr), FALSE);
    EXPECT_EQ(boxes.boxes().size(), 1u);  // the classification function's own box
}
