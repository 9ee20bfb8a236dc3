// Every export that takes text, called with hostile text. Each text sits in a
// buffer that ends at an inaccessible page: text the function only reads in a
// read-only buffer exactly as long as the text and its NUL, text it edits in
// place in a 520-byte path buffer (or one as long as the text when that is
// longer), and outputs in buffers exactly as large as the caller's buffer is
// documented to be. A read or write past any of them crashes; an edited or
// output buffer must still hold a NUL. Boxes are answered by their way out;
// calls on files run three folders deep in a fresh temporary folder, so that
// "..\..\" stays inside it.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>
#include "fileops/case_rule.h"
#include "fileops/copy.h"
#include "fileops/delete.h"
#include "frame/error_boxes.h"
#include "frame/error_texts.h"
#include "frame/folder_signs.h"
#include "frame/memory_blocks.h"
#include "frame/message_box.h"
#include "frame/name_validity.h"
#include "frame/owner_window.h"
#include "frame/paths.h"
#include "frame/places.h"
#include "frame/platform_version.h"
#include "frame/text.h"
#include "frame/wildcards.h"
#include "fs/disk_free.h"
#include "fs/dos_files.h"
#include "fs/dos_find.h"
#include "fs/dos_folders.h"
#include "fs/dos_names.h"
#include "fs/dos_times.h"
#include "fs/drives.h"
#include "fs/path_spelling.h"
#include "internet/internet.h"
#include "listing/listing_sort.h"
#include "listing/listing_store.h"
#include "listing/selection.h"
#include "ferromes.h"
#include "programs/error_report.h"
#include "programs/launch.h"
#include "programs/processes.h"
#include "programs/shortcut.h"
#include "progress/progress_box.h"
#include "search/search_conditions.h"
#include "search/text_search.h"
#include "settings/favorites.h"
#include "settings/places.h"
#include "settings/profile.h"
#include "support/guarded_buffer.h"
#include "support/message_box_recorder.h"
#include "support/registry_keys.h"
#include "support/sjis.h"
#include "support/temp_folder.h"
#include "viewer/file_helpers.h"
#include "viewer/viewer.h"

using ferro_test::GuardedBuffer;
using ferro_test::sjis;

namespace {
std::string repeat(const std::string& unit, std::size_t size) {
    std::string s;
    while (s.size() < size) s += unit;
    s.resize(size);
    return s;
}

struct Hostile {
    const char* name;
    std::string text;
    bool absolute = false;  // names a place outside the temporary folder: not used on files
    bool whole = true;      // whole characters only
};

const std::vector<Hostile>& hostile() {
    static const std::vector<Hostile> texts = {
        {"empty", ""},
        {"lone lead byte", "a\\\x81", false, false},
        {"519 bytes", repeat("ab\\cd.e f\\", 519)},
        {"520 bytes", repeat("ab\\cd.e f\\", 520)},
        {"4096 bytes", repeat("ab\\cd.e f\\", 4096)},
        {"0x5C trail bytes", repeat(sjis("表ソ能"), 516)},
        {"unbalanced quotes", "\"ab cd\\\"ef \"g"},
        {"network browse root", "\\:\\"},
        {"two levels up", "..\\..\\"},
        {"519 lead-range bytes", std::string(519, '\x81')},
        {"lead-range bytes before a yen mark", std::string(518, '\x81') + "\\"},
        {"519 yen marks", std::string(519, '\\')},
        {"519 quotation marks", std::string(519, '"')},
        {"519 spaces", std::string(519, ' ')},
        {"half-width voiced kana", repeat(sjis("ｶﾞ"), 519)},
        {"drive and 516 lead-range bytes", "C:\\" + std::string(516, '\x95'), true},
        {"drive and folders of 0x5C trail bytes", "C:" + repeat(sjis("\\ソ"), 517), true},
    };
    return texts;
}

// The buffers of one call.
class Call {
public:
    explicit Call(const std::string& text) : text_(text) {}
    // The text, read only, in a buffer exactly its size.
    char* in() { return keep(text_.size() + 1, text_, false); }
    // The text as a list: the string and the empty string that ends a list.
    char* list() { return keep(text_.size() + 2, std::string(text_) + '\0', false); }
    // The text in a writable buffer of `size` bytes, or its own size when longer.
    char* io(std::size_t size = 520) { return keep(std::max(size, text_.size() + 1), text_, true); }
    // An empty output buffer of `size` bytes.
    char* out(std::size_t size = 520) { return keep(size, "", true); }
    const std::string& text() const { return text_; }
    void check(const char* row) const {
        for (std::size_t i = 0; i < buffers_.size(); ++i) {
            if (!writable_[i]) continue;
            EXPECT_NE(std::memchr(buffers_[i]->data(), 0, buffers_[i]->size()), nullptr)
                << row << ": buffer " << i << " of " << buffers_[i]->size() << " bytes lost its NUL";
        }
    }

private:
    char* keep(std::size_t size, const std::string& text, bool writable) {
        buffers_.push_back(std::make_unique<GuardedBuffer>(size));
        char* p = buffers_.back()->data();
        std::memcpy(p, text.data(), text.size());
        p[text.size()] = '\0';
        DWORD old;
        if (!writable) VirtualProtect(p, size, PAGE_READONLY, &old);
        writable_.push_back(writable);
        return p;
    }
    std::string text_;
    std::vector<std::unique_ptr<GuardedBuffer>> buffers_;
    std::vector<bool> writable_;
};

// A fresh folder three levels below a temporary one, current while it lives;
// the settings go to a fresh registry key and an INI file inside the folder.
class Sandbox {
public:
    Sandbox() {
        GetCurrentDirectoryA(sizeof saved_, saved_);
        SetCurrentDirectoryA(root_.folder("a\\b\\c").c_str());
        SetRegistryPath(key_.path().c_str());
        SaveFerroInifile((root_ / "FERRO.INI").c_str());
    }
    ~Sandbox() {
        SetKeyNameCodeAsHKEY(nullptr);
        ReleaseTempForRegistry();
        SetUseInifileInsteadOfRegistry(0);
        SetDoWin31(0);
        SetCurrentDirectoryA(saved_);
    }

private:
    ferro_test::TempFolder root_;
    ferro_test::OwnedKey key_ = ferro_test::OwnedKey::fresh();
    char saved_[MAX_PATH] = {};
};

// The sandbox's key, opened afresh: a direct operation closes the key it is handed.
HKEY key() {
    HKEY k = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, GetRegistryPath(), 0, KEY_ALL_ACCESS, &k);
    return k;
}

// A window with an edit control 100, a combo box 101 and a list box 102, for
// the functions that write into controls.
HWND dialog() {
    static HWND window = [] {
        HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 50, nullptr, nullptr, nullptr, nullptr);
        CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 200, 20, w, HMENU(100), nullptr, nullptr);
        CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWN, 0, 0, 200, 90, w, HMENU(101), nullptr, nullptr);
        CreateWindowExA(0, "LISTBOX", "", WS_CHILD, 0, 0, 200, 90, w, HMENU(102), nullptr, nullptr);
        return w;
    }();
    return window;
}

// Starts run suspended in the sandbox, where no text names a program: a start
// that went through anyway is ended before it runs a single instruction.
void expect_refused(const LaunchRecord& r) {
    if (IsWinExecOnError(r)) return;
    ADD_FAILURE() << "a hostile command line started a process";
    if (r.processId != DWORD(-1)) TerminateExefileByProcessId(r.processId);
}
template <typename Start>
void start_suspended(Start start) {
    LaunchRecord r;
    SetFlagForCreateProcess(CREATE_SUSPENDED);
    start(&r);
    SetFlagForCreateProcess(0);
    expect_refused(r);
}

// The other instance's text handed over by the single-instance signal.
void CALLBACK received(LPCSTR text) { EXPECT_LT(std::strlen(text), 520u); }

// A kept text must still fit a path buffer.
void expect_path(LPCSTR text) {
    if (text) {
        EXPECT_LT(std::strlen(text), 520u);
    }
}
// So must the folder and the target (after a tab) of a favourite entry.
void expect_favorite(LONG index) {
    if (LPCSTR entry = OpenGlobalHandleForFavoriteDir(index)) {
        const char* tab = std::strchr(entry, '\t');
        EXPECT_LT(tab ? std::size_t(tab - entry) : std::strlen(entry), 520u);
        if (tab) expect_path(tab + 1);
        CloseGlobalHandleForFavoriteDir(index);
    }
}

struct Row {
    const char* name;
    bool files;  // works on files: runs in a sandbox, never with a text that names a place outside it
    void (*call)(Call& c);
    // Makes registry keys named by the text: Wine turns a name ending in a lone
    // lead byte into a key it can neither delete nor walk (its tree delete
    // overflows the stack), so those texts stay out.
    bool keys = false;
};
std::ostream& operator<<(std::ostream& os, const Row& row) { return os << row.name; }

// A row per export: its name, whether it touches files, and the call with the
// text in each text argument (c.in() read only, c.io() edited in place,
// c.out(n) an n-byte output, c.list() a one-string list).
#define T(fn, ...) Row{#fn, false, [](Call& c) { (void)c; fn(__VA_ARGS__); }}
#define F(fn, ...) Row{#fn, true, [](Call& c) { (void)c; fn(__VA_ARGS__); }}
#define TX(name, ...) Row{name, false, [](Call& c) { __VA_ARGS__; }}
#define FX(name, ...) Row{name, true, [](Call& c) { __VA_ARGS__; }}
#define KX(name, ...) Row{name, true, [](Call& c) { __VA_ARGS__; }, true}

// Not in the table: OpenDirInDesktop hands an existing folder to the shell,
// which opens a window for it; Viewer and OpenFindInsideFileDialog open
// windows that wait for the user; mySHFileOperation takes the shell's operation
// record; GetStringPointerBySize, GetItemFilePointers, ReleaseItemFilePointers,
// SetDirHandle and SetFileHandle take block handles and locked addresses;
// myWinExecRequireAdministrator, myExecuteExeFileRequireAdministrator and
// ShellExecuteWithError hand the text to the shell, which opens what it names,
// and ExecuteEditor and myShowHelpFile start the editor and the help viewer;
// ExecuteCmdExe, CommandMacro, ShortCutDialog, RenameShortcutDialog,
// OpenFavoriteDirListDialog and OpenHistoryFoldersDialog open dialogs that
// wait for the user.
const Row kRows[] = {
    // ---- Places, options, windows, memory blocks
    TX("SaveFerroDir", SaveFerroDir(c.in()); GetFileNameInFerroDir(c.out(), "name"); GetFileNameInFerroDir(c.out(), c.in())),
    T(GetFileNameInFerroDir, c.out(), c.in()),
    T(SaveFerroHelp, c.in()),
    TX("SaveHomeDirectory", SaveHomeDirectory(nullptr, c.in(), 0); GetHomeDirectory(c.out(), 520, 0); SaveHomeDirectory(nullptr, "", 0)),
    T(ExtractOptions, c.io()),
    TX("myCreateWindow", for (const char* cls : {static_cast<const char*>(c.in()), "STATIC"}) if (HWND w = myCreateWindow(0, cls, nullptr, WS_POPUP, nullptr, c.in(), nullptr)) DestroyWindow(w)),
    TX("SaveToGlobalMemory", GlobalFree(AddToGlobalMemory(nullptr, SaveToGlobalMemory(nullptr, nullptr, c.in()), c.in()))),
    TX("GetStringPointer", HGLOBAL h = nullptr; char* p = GetStringPointer(&h, nullptr, c.in()); p = AddStringPointer(&h, p, c.in()); FreeStringPointer(h, p)),
    TX("AddMemoryTag", MemoryTag tag = {}; GetMemoryTag(&tag, c.in()); AddMemoryTag(&tag, c.in()); FreeMemoryTag(&tag)),
    TX("SaveToGlobal_ghTempMemory", SaveToGlobal_ghTempMemory(nullptr, c.in()); AddToGlobal_ghTempMemory(nullptr, c.in()); SetFirstSelectedFileFromList(c.out()); GlobalFree(Set_ghTempMemory(nullptr))),
    // ---- Multibyte text
    TX("_myNthctype", for (int i = -1; i <= int(c.text().size()) + 1; ++i) { _myNthctype(c.in(), i); _myIskanjin(c.in(), i); Is95QuotationMarkThere(c.in(), i); char* t = c.in(); IsCharacterFound(t, t, '\\', i); }),
    T(_IsStringReadable, c.io(), '?'),
    TX("CharcterListIgnoredByIsStringReadable", CharcterListIgnoredByIsStringReadable(c.in()); _IsStringReadable(c.io(), '?'); CharcterListIgnoredByIsStringReadable("")),
    T(DetectIsPrint, c.in()),
    T(DelSpc, c.io()),
    T(SkipSpaceAtBeginning, c.in()),
    T(DeleteSpaceAtBeginning, c.io()),
    T(DeleteSpaceAtEnd, c.io()),
    T(DeleteNextAllSpaces, c.io()),
    T(Add95Quotation, c.io()),
    T(Add95QuotationForAnySpaceIfNotThere, c.io()),
    T(Remove95Quotation, c.io()),
    TX("Adjust95Quotatin", for (BOOL add : {TRUE, FALSE}) { char* p = c.io(); Adjust95Quotatin(&p, add); }),
    TX("AddUnbalanced95Quotatin", for (BOOL keep : {TRUE, FALSE}) { char* p = c.io(); AddUnbalanced95Quotatin(&p, keep); }),
    T(Skip95Quotation, c.in()),
    T(FindSpaceOutside95Quotation, c.in()),
    T(FindSpaceAs95OptionSeparator, c.in()),
    TX("Find95OptionSeparator", Find95OptionSeparator(-1, c.in()); Find95OptionSeparator(int(c.text().size()), c.in())),
    T(Find95OptionSeparatorFromEnd, c.in()),
    T(RemoveAll95OptionSeparator, c.out(), c.in()),
    TX("FindSpaceAsOptionSeparator", FindSpaceAsOptionSeparator(c.in(), 0); FindSpaceAsOptionSeparator(c.in(), 1)),
    TX("ExtractExefile", for (int mode : {0, 1}) { char* p = c.io(); char* args = nullptr; ExtractExefile(p, &args, mode); RecoverExefile(p); }),
    TX("ReplaceSpaceByAlertBell", char* p = c.io(); ReplaceSpaceByAlertBell(p); ReplaceAlertBellBySpace(p)),
    TX("Replace95QuotationMarkByBkspace", char* p = c.io(); Replace95QuotationMarkByBkspace(p); ReplaceTabBy95QuotationMark(p)),
    T(AddBkspaceForAnySpaceIfNotThere, c.io()),
    T(ReplaceBkspaceAndCommandSparator, c.io()),
    TX("ConvertDosCharacterSet", for (int mode : {1, 2, 8}) ConvertDosCharacterSet(c.io(), mode)),
    T(AnsiLowerMacro, c.io()),
    T(AnsiUpperMacro, c.io()),
    TX("GetReformed95PathNameForEmptyShortName", GetReformed95PathNameForEmptyShortName(c.io(), "", 2); GetReformed95PathNameForEmptyShortName(c.io(), c.in(), 2)),
    T(_ReplaceFullPitchJpnByHalfPitchJpn, c.io()),
    TX("ChangeOneByteCodeToTwoByteCode", ChangeOneByteCodeToTwoByteCode(c.out(), c.io(), 7); ChangeOneByteCodeToTwoByteCode(nullptr, c.io(), 7)),
    T(ItemTotalNumberSeparetedByZero, c.list()),
    T(StrLenSeparetedByZero, c.list()),
    T(MoveMemorySeparetedByZero, c.out(c.text().size() + 2), c.list()),
    TX("StrDupSeparetedByZero", HGLOBAL h = nullptr; FreeStringPointer(h, StrDupSeparetedByZero(&h, nullptr, c.list()))),
    TX("j_lstristr", j_lstristr(c.in(), c.in()); j_lstristr(c.in(), "\\"); j_lstristr("a", c.in())),
    TX("j_lstrrstr", j_lstrrstr(c.in(), c.in()); j_lstrrstr(c.in(), "\x81"); j_lstrrstr("a", c.in())),
    TX("j_lstrirstr", j_lstrirstr(c.in(), c.in()); j_lstrirstr(c.in(), "\\"); j_lstrirstr("a", c.in())),
    TX("__fatoi", __fatoi(c.in()); __fatol(c.in()); __fatou(c.in()); __fatolu(c.in()); __fatox(c.in()); __fatolx(c.in()); __fatoux(c.in()); __fatolux(c.in())),
    TX("__fatof", double d; __fatof(c.in(), &d)),
    T(ArrangeNumberFromString, c.in(), c.out()),
    T(ArrangedNumber, 0xffffffff, 0xffffffff, c.out(27)),
    T(_GetStringFromDouble, c.out(), -1e300, 9),
    TX("CopyForward", for (int n : {1, 519, 600}) CopyForward(c.io(), n)),
    TX("CopyBackward", for (int n : {1, 519}) CopyBackward(c.io(), n)),
    // ---- Paths
    T(IsRootDir, c.in()),
    T(IsRootDirIncluded, c.in()),
    T(IsNetRootDir, c.in()),
    T(IsDriveMyNetwork, c.in()),
    T(IsDriveSystemNetwork, c.in()),
    T(GetFileFromPathWithYen, c.in()),
    T(FindYenMark, c.in()),
    T(GetSubDirectoryFromPath, c.in()),
    TX("GetFileName", char* p = c.io(); GetFileName(p, p); GetFileName(c.out(), c.io()); GetFileName(nullptr, c.io())),
    T(GetDirectoryPathInFile, c.io()),
    TX("ExtractPath", char saved = 0; RecoverPath(ExtractPath(c.io(), &saved), saved); RecoverPath(ExtractPathWithoutRootYen(c.io(), &saved), saved)),
    T(GetPathRestricted, c.io()),
    T(GetFileExtension, c.in()),
    TX("FindPeriod", BOOL q = FALSE; FindPeriod(c.in(), &q); FindPeriodFromEnd(c.in(), &q)),
    T(FindSpace, c.in()),
    T(FindSpaceFromEnd, c.in()),
    TX("AddFileExtensionWithPeriod", AddFileExtensionWithPeriod(c.io(), "txt"); AddFileExtensionWithPeriod(c.io(), c.in())),
    T(RemoveFileExtension, c.io()),
    TX("ChangeExt", ChangeExt(c.io(), "x.longer"); ChangeExt(c.io(), c.in()); ChangeExt(c.io(520), c.in())),
    T(RemoveLastYenmark, c.io()),
    T(AddLastYenmark, c.io()),
    T(RemoveLastKugiri, c.io(), '\\'),
    T(GetNumberOfYenmarkinDirectoryWithoutYenmakAtLastEnd, c.in()),
    T(IsMultiFolders, c.in()),
    TX("GetUrlKugiriFileName", GetUrlKugiriFileName(c.in(), TRUE); GetUrlKugiriFileName(c.in(), FALSE)),
    TX("GetUrlKugiriDirectoryPathInFile", char s = 0; RecoverPath(GetUrlKugiriDirectoryPathInFile(c.io(), &s), s); RecoverPath(GetUrlKugiriDirectoryPathInFileWithLastUrlKugiri(c.io(), &s), s)),
    TX("ReplaceSlashByYenmark", char* p = c.io(); ReplaceSlashByYenmark(p); ReplaceYenmarkBySlash(p); RecoverBackSlash(RemoveLastSlash(p))),
    T(GetTemporaryFolderByEnv, c.out()),
    T(GetAttributeChar, 0x3f, c.out(6)),
    TX("IsDirectoryContained", IsDirectoryContained(c.in(), c.in(), FALSE); IsDirectoryContained(c.in(), "C:\\", TRUE); IsDirectoryContained("C:\\a", c.in(), TRUE)),
    TX("_myGetFullPathName", _myGetFullPathName(c.out(), c.io(), c.in()); _myGetFullPathName(nullptr, c.io(), "name"); char* p = c.io(); _myGetFullPathName(p, const_cast<char*>("C:\\a b"), p); p = c.io(); _myGetFullPathName(p, c.io(), p)),
    TX("GetUpperDirectory", char* p = c.io(); while (GetUpperDirectory(p) < -10) {}),
    T(IsUpperDirectoryObtained, c.io()),
    T(IsRelativePathSignHere, c.in()),
    T(IsRelativeUpperPathHere, c.in()),
    TX("FindRelativePathFromNormalPath", FindRelativePathFromNormalPath(c.io(), "C:\\a\\b"); FindRelativePathFromNormalPath(c.io(), c.in())),
    TX("FindNormalPathFromRelativePath", FindNormalPathFromRelativePath(c.io(), c.out(), "C:\\a"); FindNormalPathFromRelativePath(c.io(), nullptr, c.in())),
    T(GetStrWidth, dialog(), nullptr, c.in()),
    TX("GetReducedDir", for (int w : {1, 60, 4000}) { GetReducedDir(dialog(), nullptr, c.io(), w); SetReducedDirWithLength(dialog(), nullptr, c.io(), w); GetReducedFile(dialog(), nullptr, c.io(), w); GetReducedFileWithExtensionNotReduced(dialog(), c.io(), w); }),
    TX("SetReducedDirWithCtlID", SetReducedDirWithCtlID(dialog(), nullptr, c.io(), 100); SetReducedFileWithCtlID(dialog(), nullptr, c.io(), 100)),
    TX("IsSelfDirSign", IsSelfDirSign(c.in()); IsUpperDirSign(c.in()); IsSelfDirSignCharcterAtHead(c.in()); IsUpperDirSignCharcterAtHead(c.in())),
    TX("IsDirnameFromDirSign", IsDirnameFromDirSign(nullptr, c.io(), "C:\\a\\b"); IsDirnameFromDirSign(nullptr, c.io(), c.in())),
    // ---- Wildcards and names
    TX("IsCharInvalid", IsCharInvalid(nullptr, c.in(), 0); IsCharInvalid(nullptr, c.in(), 1)),
    TX("IsHeadCharacterValid", IsHeadCharacterValid(c.in()); IsSecondCharacterValid(c.in()); IsThirdCharacterValid(c.in())),
    TX("IsBadFname", IsBadFname(nullptr, c.in(), 0); IsBadFname(nullptr, c.in(), 1)),
    TX("IsBadDirName", for (int check : {0, 1}) IsBadDirName(nullptr, c.in(), check)),
    TX("GetLongerDirectoryWithPeriod", for (int limit : {8, 12, 255}) GetLongerDirectoryWithPeriod(c.io(), limit)),
    TX("IsExtMatched", IsExtMatched(c.in(), c.in()); IsExtMatched(c.in(), "txt"); IsExtMatchedWithDefautExt(c.in(), c.in())),
    T(IsNameMatched, c.in(), c.in()),
    TX("GetItemsInWildCards", static LPSTR items[2100]; std::fill(std::begin(items), std::end(items), nullptr); GetItemsInWildCards(items, c.io()); HitItemsInWildCards(c.in(), items)),
    T(NameIsWildCardOnly, c.io()),
    // ---- Platform
    T(GetWindowsPlatform, c.out(22)),  // the longest name, " 64bit" and its NUL
    T(GetExtraInfoForWindowsVersion, c.out()),
    // ---- DOS-style file layer
    FX("my_Dos_findfirst", HANDLE h = nullptr; WIN32_FIND_DATAA r; my_Dos_findfirst(&h, c.in(), &r); Close_my_Dos_find(&h); my_Dos_findfirst_withoutnet(&h, c.in(), &r); Close_my_Dos_find(&h)),
    FX("myFindFileAProperty", WIN32_FIND_DATAA r; myFindFileAProperty(c.in(), &r)),
    FX("myOpen", HANDLE h = myOpen(c.in(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, 0); if (h != INVALID_HANDLE_VALUE) myClose(h)),
    FX("myOpenForWriteAlways", HANDLE h = myOpenForWriteAlways(c.in(), 0); if (h != INVALID_HANDLE_VALUE) myClose(h)),
    FX("my_Dos_getftime", FILETIME t[2]; my_Dos_getftime(c.in(), &t[0], &t[1]); my_Dos_setftime(c.in(), 0, 0); my_Win_setftime(c.in(), &t[0], &t[0], &t[0], TRUE)),
    FX("my_Dos_getfileattr", DWORD a = 0; my_Dos_getfileattr(c.in(), &a); my_Dos_setfileattr(c.in(), FILE_ATTRIBUTE_ARCHIVE); IsDirectoryAttribute(c.io())),
    FX("myMkdir", myMkdir(c.in()); myRmdir(c.in())),
    FX("myChdir", myChdir(c.in(), FALSE); ChgDir(c.in(), FALSE); myGetcwd(c.out(), 520); myGetdcwd(3, c.out(), 520)),
    FX("gettgtdir", gettgtdir(c.io(), 520); GetDirectoryNameFromDrive(c.io())),
    FX("WinRemove", WinRemove(c.in()); myRemove(c.in()); WinRename(c.in(), c.in()); myAccess(c.in()); IsFileDirExist(c.in())),
    F(my_Searchenv, c.in(), c.out(), 520),
    FX("myGetShortFileName", myGetShortFileName(c.out(), c.in()); GetShortNameVersion(c.out(), c.in())),
    TX("SetFolderForRedirect", SetFolderForRedirect(c.in()); SetFolderForRedirect("")),
    FX("my_Dos_getdiskfree", DosDiskFree d; ULONGLONG sizes[3]; my_Dos_getdiskfree(c.in(), &d, sizes)),
    F(myGetNetVolumeInformation, c.in()),
    FX("GetReformed95PathNameFromOS", for (int in_place : {0, 1}) { GetReformed95PathNameFromOS(c.io(), 8, in_place); ConvertWin95CharacterSet(c.io(), 8 | 4, in_place); }),
    // ---- Drives and volumes
    TX("SetVolumeName", SetVolumeName(c.in()); IsVolumeNameEmpty(c.in()); IsVolumeNameEmpty(nullptr); SetVolumeName("")),
    F(ReadAndSaveVolumeName, c.in()),
    TX("GetVolumeNameFromDrNumber", BOOL none; GetVolumeNameFromDrNumber(c.out(12), 0, &none, 11, FALSE); IsVolumeNameSame(c.in(), 0, FALSE)),
    TX("GetVolumeNameFromDriveString", GetVolumeNameFromDriveString(c.in()); GetVolumeNameFromRawDriveString(c.in()); GetDriveNameFromRawDriveString(c.in())),
    F(WriteVolumeName, nullptr, 'Q', c.in()),
    TX("IsRemovalDrives", IsRemovalDrives(c.in()); IsDriveMyComputer(c.in()); IsDriveIncludeMyNetworkString(c.in())),
    T(ListDriveTypeAsString, c.out(27), 0xffff),
    TX("SetTypeOfFileSystem", SetTypeOfFileSystem('Q', c.in()); char* out = c.out(64); out[0] = 'Q'; GetTypeOfFileSystem(out, 64); GetTypeOfFileSystemNumber(c.in())),
    // ---- Messages and error reporting
    TX("myMessageBox", myMessageBox(nullptr, c.in(), c.in(), MB_OK); _MessageBox(nullptr, c.in(), c.in(), MB_YESNO)),
    TX("_MessageBoxPrintf", _MessageBoxPrintf(GetSysDlgInstance(), 8105, 8106, c.in(), nullptr, MB_OK, c.in())),
    T(myPutTextInEdit, dialog(), 100, c.in()),
    TX("PutErrorMessage", PutErrorMessage(1, c.in(), 2, 0, 8106, 0, 1, c.in()); PutErrorMessage(1, c.in(), 12003, 0, 0, 1, 1, c.in())),
    T(ShowInetSystemError, 1, c.in()),
    TX("xDosErrors", for (DWORD code : {2u, 5u, 32u, 9999u}) xDosErrors(c.in(), code)),
    TX("SetExtraErrorMessage", SetExtraErrorMessage(c.in()); DosErrorMessage(nullptr, c.in(), c.in(), c.in(), 0); SetExtraErrorMessage(nullptr)),
    TX("DosErrorMessage", for (LONG only : {0, 1}) { DosErrorMessage(nullptr, c.in(), c.in(), c.in(), only); DosErrorMessageWithAttribute(nullptr, c.in(), c.in(), c.in(), only); }),
    TX("MyLoadDosErrorMessage", MyLoadDosErrorMessage(nullptr, c.in(), 8045, 8012, 0); MyLoadDosErrorMessageWithAttribute(nullptr, c.in(), 8045, 8012, 1)),
    TX("_MyLoadDosErrorMessage", _MyLoadDosErrorMessage(GetSysDlgInstance(), nullptr, c.in(), 8045, 8012, 0); _MyLoadDosErrorMessageWithAttribute(GetSysDlgInstance(), nullptr, c.in(), 8045, 8012, 0)),
    TX("SetHelpDosErrorMessage", SetHelpDosErrorMessage(MB_OK, c.in()); DosErrorMessage(nullptr, "a", "b", "c", 0); SetHelpDosErrorMessage(MB_OK, nullptr)),
    F(CheckDiskError, nullptr, c.in()),
    TX("ShellExecuteError", for (LONG code : {0, 2, 3, 5, 8, 26, 31, 32}) ShellExecuteError(nullptr, c.in(), 8106, code, c.in(), MB_OK, 0)),
    TX("WinExeErrors", for (LONG reserved : {0, 1}) WinExeErrors(nullptr, c.in(), 8106, reserved)),
    TX("LZCopyErrors", for (LONG code : {-1, -2, -3, -4, -5, -6, -7}) LZCopyErrors(nullptr, c.in(), code)),
    TX("GetFileDirectryEntryErrorMes", for (LONG code : {-1, -13, -14, -22}) GetFileDirectryEntryErrorMes(nullptr, c.in(), code, 1, 0)),
    TX("GetNetDirectryEntryErrorMes", for (UINT style : {3u, 4u}) GetNetDirectryEntryErrorMes(nullptr, c.in(), style)),
    // ---- Listing, selection and current folders
    TX("lqsortx", char* keys[] = {c.in(), c.in(), const_cast<char*>(""), c.in()}; LONG ids[] = {0, 1, 2, 3}; lqsortx(keys, ids, 4); lqsortxrev(keys, ids, 4)),
    TX("SaveItemFile", SaveItemFile(nullptr, 0, c.in(), c.in()); GetFirstSelectedItemName(c.out(), 2); FreeItemFileAfterCurNumber(0, TRUE)),
    FX("SaveCurDirectoryWith95Format", for (LONG pane : {2, 4}) { SaveCurDirectoryWith95Format(nullptr, c.in(), pane); GetCurDirectoryIntoBuffer(c.out(), 4, pane); GetCurDirectoryIntoBuffer(c.out(), 8, pane); } GetFullDirectoryName(c.io())),
    TX("SaveSpecifiedLahDir", SaveSpecifiedLahDir(nullptr, c.in()); GetSpecifiedLahDir(c.out()); SaveSpecifiedLahDir(nullptr, "")),
    TX("SaveSrcCopyingDirectory", SaveSrcCopyingDirectory(c.in()); SaveTgtCopyingDirectory(c.in()); SaveSrcCopyingFile(c.in()); SaveTgtCopyingFile(c.in())),
    T(Save_ghDirForOutputForLha, nullptr, c.in()),
    TX("MakeSelfDirectory", MakeSelfDirectory(c.out(2)); MakeUpperDirectory(c.out(3))),
    T(GetRawDirectory, c.out(), 0, 4),
    FX("SaveFindSeachPath", SaveFindSeachPath(nullptr, c.in(), c.in()); SaveFindSeachFilePath(nullptr, c.in(), c.in()); SaveFindSeachFilePath(nullptr, c.in(), "*")),
    TX("SetFileMatchedByWildCard", SetFileMatchedByWildCard(c.in()); IsFileMatchedByWildCard(c.in(), c.in()); SetFileMatchedByWildCard("")),
    TX("SetExcludedFile", SetExcludedFile(c.in()); SetExcludedFile("")),
    F(DirHasSubdir, c.in()),
    FX("FindEachVolumeName", FindEachVolumeName(c.in(), c.out(32), 32); DWORD s, m, f; GetVolumeInformationWithNetwork(c.in(), c.out(14), 14, &s, &m, &f, c.out(51), 51)),
    F(FreeInDisk, c.in()),
    TX("SaveAllFileSpec", SaveAllFileSpec(nullptr, 0, c.in()); AddToCurrentSpec(nullptr, c.in(), 100, 0)),
    FX("IsFirstTimeNewerThanSecondTime", IsFirstTimeNewerThanSecondTime(c.in(), c.in(), 0, 0, 1, 1); pFirstFileIsNewerThanSecondFile(c.in(), c.in()); pSrcFileIsNewer(c.in(), 0x5021, 0, 2); pSrcDateIsNewer(0x5021, 0, c.in(), 2)),
    TX("GetUnsignedDateTime", FILETIME t; GetUnsignedDateTime(c.in(), c.in(), &t)),
    TX("GetDateTimeString", GetDateTimeString(c.out(20), 0xffffffff, 0x7fffffff); myFileDate(c.out(15), 0xffffffff, 0x7fffffff); myFileDateFromDosDateTime(c.out(15), 0xffff, 0xffff); myFileDateFromMyDateTime(c.out(15), 0xffffffff)),
    // ---- Delete, rename, case
    TX("SetDlgBoxItemsForDeleting", SetDlgBoxItemsForDeleting(nullptr, 1, 2, 3, 4, c.in(), nullptr, 0)),
    TX("SetMultipleFilesForDeleting", char* list[] = {c.in(), nullptr}; SetMultipleFilesForDeleting(list, list); SetMultipleFilesForDeleting(nullptr, nullptr)),
    TX("Save_lpFULLPATH", GlobalFilePaths(nullptr); Save_lpFULLPATH(c.in()); Save_lpDELPATH(c.in()); Save_lpSAVEPATH(c.in()); FreeFilePaths(); Save_ghSAVEPATH(c.in()); GlobalFree_ghSAVEPATH()),
    FX("RemoveByForce", for (LONG kind : {0, 1, 2}) RemoveByForce(nullptr, c.in(), 0, kind, 0)),
    FX("DelWild", LONG stop = 0, count = 0; DelWild(nullptr, &stop, 0, &count, c.in(), c.in(), c.in()); DelWild(nullptr, &stop, 0, &count, "", c.in(), nullptr)),
    TX("ChangeName", ChangeName(c.io(), c.io())),
    FX("GetRenamedCaseSensitive", for (LONG rule : {0x4, 0x8, 0x214}) { char* t = c.io(); GetRenamedCaseSensitive(c.in(), &t, rule); RenameTgtfileIfCaseSensitive(c.in(), c.in(), rule); RenameSubdirForCaseSensitive(c.in(), c.out(), c.in(), rule | 0x800); }),
    // ---- Search conditions
    TX("SetSearchedNameInFileName", SetSearchedNameInFileName(c.in()); ReleaseSearchedNameInFileName()),
    TX("SetSearchedFileFound", SetSearchedFileFound(c.list(), 0); SetSearchedFullPathFileFound(c.in()); IsSomeOfSearchedFullPathFileFound(); FreeAllocateFoundFiles()),
    // ---- Error report list
    TX("SaveOutputFileMemoryHandle", SaveOutputFileMemoryHandle(nullptr, c.in(), c.in(), c.in(), 0, 2); ReleaseOutputFileMemoryHandle()),
    FX("SetWorkDirForFailFile", SetWorkDirForFailFile(c.in()); ViewOutputFiles(nullptr, c.in(), c.in(), "x"); DeleteOutputFiles(nullptr, c.in()); SetWorkDirForFailFile("")),
    // ---- Command macros and program launch
    TX("ExpandKeywords", for (int mark : {'$', '!', '\\'}) { ExpandKeywords(nullptr, c.in(), c.in(), c.out(), mark); ExpandKeywords(nullptr, "$C \"$C\" $X \"$X\" $P $D $C $C $M", c.in(), c.out(), mark); }),
    TX("IsCommandCharacterStartingFromCmdChar", Call m("$" + c.text()); char* p = m.in(); IsCommandCharacterStartingFromCmdChar(&p)),
    TX("SaveEffectiveCharctersForCommandMacro", SaveEffectiveCharctersForCommandMacro(nullptr, c.in()); InitEffectiveCharctersForCommandMacro()),
    FX("myWinExec", SetEnvironmentForWinExec(c.list()); start_suspended([&](LaunchRecord* r) { myWinExec(r, nullptr, c.in(), SW_HIDE); }); SetEnvironmentForWinExec(nullptr)),
    FX("myExecuteExeFile", HGLOBAL p, o; SetExcuteExeFileAndOptionsWith95Quotation(nullptr, c.in(), c.in(), &p, &o); start_suspended([&](LaunchRecord* r) { myExecuteExeFile(r, nullptr, SW_HIDE, 0, p, o); }); GetCommandStringInExecuteExeFile(c.out()); LPSTR a, b; GetCommandAndOptionInExecuteExeFile(&a, &b); FreeExcuteExeFile(); GlobalFree(p); GlobalFree(o)),
    TX("SetEditor", SetEditor(nullptr, c.in()); Get_lpEditor(); GetGlobalLockEditor(); SetGlobalUnlockEditor(); FreeEditor()),
    TX("TermintetExecuteFileByWinExec", LaunchRecord r; for (int n : {0, 1}) EXPECT_EQ(TermintetExecuteFileByWinExec(&r, c.list(), n), 0)),
    T(GetExecutedDirectory, c.out(), c.out()),
    FX("IsAPISuppotedByDll", DWORD major = 5, minor = 0; LONG r; IsAPISuppotedByDll(c.in(), &major, &minor, &r); IsAPISuppotedByDll(c.in(), nullptr, nullptr, nullptr); FreeAPISuppotedByDll()),
    FX("ReadCommandStrings", SetPrivateProfileString(key(), "Commands", "A", c.in(), 0); StartIniAccessForReading(0); SetSectionNameForReading("Commands"); ReadCommandStrings(nullptr); EndIniAccessForReading(); SetCommandStrings(key(), "Written"); FreeMacroCommandHandle()),
    KX("SetCommandStrings", SetPrivateProfileString(key(), "Commands", "A", "cmd <x>1:2", 0); StartIniAccessForReading(0); SetSectionNameForReading("Commands"); ReadCommandStrings(nullptr); EndIniAccessForReading(); SetCommandStrings(key(), c.in()); FreeMacroCommandHandle()),
    TX("FindHelpFile", SaveFerroHelp(c.in()); FindHelpFile(c.out()); GetAppropriateHelpFile(c.out()); SaveFerroHelp("")),
    // ---- Processes and windows (searches only record: nothing is ended)
    TX("CreateMyMutexString", GetMyMutexStringAPI(received); CreateMyMutexString("FerroHostile", "FerroHostileText", "%s%s", c.in(), c.in()); DetectMyMutexString("FerroHostile", "FerroHostileText"); ReleaseMyMutexMemory(); CreateMyMutexString(c.in(), c.in(), c.in()); ReleaseMyMutexMemory(); DetectMyMutexString(c.in(), c.in()); GetMyMutexStringAPI(nullptr)),
    FX("GetExeTypeFromWindows", GetExeTypeFromWindows(c.in()); IsDosApplication(c.in()); IsWinApplication(c.in())),
    TX("GetProcessIdFromExefile", GetProcessIdFromExefile(c.in()); EXPECT_EQ(TerminateExefileByItsName(c.in()), 0)),
    TX("FindWindowsByEnumWindowsByStristr", SetWindowTextA(dialog(), c.in()); for (int n : {0, 1}) { FindWindowsByEnumWindowsByStristr(c.list(), n); FindWindowsByEnumWindowsByStrieq(c.list(), n); FindWindowsStartingFromDesktopByStristr(c.list(), n); FindWindowsStartingFromDesktopByStrieq(c.list(), n); FindHwndOfTerminateScreenByStristr(c.list(), n); FindHwndOfTerminateScreenByStrieq(c.list(), n); } SetTgtWindowsHandle(nullptr); SetWindowTextA(dialog(), "")),
    TX("FindWindowsStartingFromDesktopWithGetPropFunction", FindWindowsStartingFromDesktopWithGetPropFunction(c.in()); GetHwndForSpecifiedChildWindow(dialog(), 0, c.in())),
    TX("FindMultipleHwndOfTerminateExeStartingFromDesktop", SetWindowTextA(dialog(), c.in()); for (LONG mode : {0, 1}) { ProgramWindowSearch list[] = {{c.in(), c.in(), nullptr}, {"test_robustness.exe", c.in(), nullptr}, {c.in(), nullptr, nullptr}, {nullptr, nullptr, nullptr}}; FindMultipleHwndOfTerminateExeStartingFromDesktop(list, mode, 0); FindMultipleHwndOfTerminateExeByEnumWindows(list, mode, 0); } LONG n; GetWinExeArrayWithSpecifiedTitle(&n); SetWindowTextA(dialog(), "")),
    TX("GetExefileFromHwnd", for (int size : {1, 8, 520}) for (LONG full : {0, 1}) { MemoryTag tag = {}; GetExefileFromHwnd(dialog(), c.out(size), size, full, &tag); FreeMemoryTag(&tag); }),
    TX("GetEnvironmentVariableFromUserPath", SetEnvironmentVariableA("FERRO_HOSTILE", c.in()); for (LPCSTR name : {static_cast<LPCSTR>(c.in()), "FERRO_HOSTILE", "PATH"}) for (DWORD size : {1u, 520u}) { DWORD r; GetEnvironmentVariableFromUserPath(name, c.out(size), size); GetEnvironmentVariableFromSystemPath(name, c.out(size), size); myGetEnvironmentVariable(0, name, c.out(size), size, &r); myGetEnvironmentVariable(1, name, c.out(size), size, &r); } SetEnvironmentVariableA("FERRO_HOSTILE", nullptr)),
    TX("ReachURLFromString", if (c.text().empty() || c.text().size() >= 520) { EXPECT_EQ(ReachURLFromString(0, nullptr, c.in(), 0), 0); }),  // any other text would reach the browser
    // ---- Shortcut files (read without the shell's repair)
    FX("SetLnkExeName", SetNoResolveTechnique(1); SetLnkExeName(nullptr, "h.lnk", c.in(), c.in(), c.in(), c.in(), 1, c.in(), 0); SetLnkExeName(nullptr, c.in(), "C:\\a", nullptr, nullptr, nullptr, 0, nullptr, 0); int show, icon; Call l("h.lnk"); GetLnkExeName(nullptr, l.io(), c.out(), c.out(), c.out(), &show, c.out(), &icon); l.check("h.lnk"); GetLnkExeName(nullptr, c.io(), c.out(), c.out(), c.out(), &show, c.out(), &icon); IsOriginalLinkedNameExecutable(nullptr, c.io(), c.out(), c.out()); GetFileAttributeFromShortCut()),
    TX("SaveLinkInfo", for (LONG slot : {-1, 0, 1, 2}) { SaveLinkInfo(c.in(), slot); expect_path(GetLinkInfo(slot)); } SaveIconFileName(c.in()); expect_path(GetIconFileName()); char windows[MAX_PATH]; GetWindowsDirectoryA(windows, MAX_PATH); Call w((std::string(windows) + "\\" + c.text()).substr(0, 519)); SaveLinkInfo(w.in(), 1); expect_path(GetLinkInfo(1)); SaveIconFileName(w.in()); expect_path(GetIconFileName()); ClearShortcutFile()),
    FX("GetItemsForShortCut", SetNoResolveTechnique(1); SetItemsIdForShortcut(100, 101, 102, 0, 0, 0, 0); SetLnkExeName(nullptr, "r.lnk", "C:\\a\\b", repeat("C:\\a ", 1000).c_str(), "d", "C:\\a", 1, "C:\\a\\i.ico", 0); Call cut(c.text().substr(0, 258)); for (LPCSTR to : {static_cast<LPCSTR>(c.in()), static_cast<LPCSTR>(cut.in())}) for (LONG flags : {LONG(kReplaceMode | kReplaceSimulate), LONG(kReplaceMode)}) { SetOldAndNewDirectoryForShortCut("C:\\a", to); SearchConditionsForShortCut(0x20); ReplaceItemOfOptionForShortCut(1); SetSomeAreReplacedAtShortcut(0); GetItemsForShortCut(dialog(), "r.lnk", flags, c.out(), c.out(), c.out(), c.out()); ReplaceSpeifiedStringForShortCut(nullptr, "r.lnk", flags, 0); } GetItemsForShortCut(dialog(), c.in(), 0, c.out(), c.out(), c.out(), c.out()); SetOldAndNewDirectoryForShortCut(c.in(), c.in()); ReplaceSpeifiedStringForShortCut(nullptr, c.in(), kReplaceMode, 0); ReleaseOutputFileMemoryHandle()),
    FX("SaveOutputDirForRenameSc", for (int ini : {0, 1}) { SetUseInifileInsteadOfRegistry(ini); SaveOutputDirForRenameSc(c.in(), c.in(), c.in(), 0); for (LONG which : {-1, 0, 1, 2, 3}) GetFolderFromRegistry(c.out(), which); GetOptionsFromRegistry(0); }),
    // ---- Settings: each row in the registry and then in the INI file
    FX("SetRegistryPath", SetRegistryPath(c.in()); SaveFerroInifile(c.in()); IsRegistyExist(HKEY_CURRENT_USER, nullptr, nullptr, 1)),
    FX("FindPrivateProfileString", for (int ini : {0, 1}) { SetUseInifileInsteadOfRegistry(ini); FindPrivateProfileString(key(), c.in(), c.in(), c.in(), c.out(), 520); FindPrivateProfileInt(key(), c.in(), c.in(), 1); myFindPrivateProfileString(key(), c.in(), c.in(), c.in(), c.out(), 520); myFindPrivateProfileInt(key(), c.in(), c.in(), 1); }),
    KX("SetPrivateProfileString", for (int ini : {0, 1}) { SetUseInifileInsteadOfRegistry(ini); SetPrivateProfileString(key(), c.in(), c.in(), c.in(), 0); _SetPrivateProfileInt(key(), c.in(), c.in(), 1); mySetPrivateProfileString(key(), c.in(), c.in(), c.in(), 0); mySetPrivateProfileInt(key(), c.in(), c.in(), 1); FindPrivateProfileString(key(), c.in(), c.in(), "", c.out(), 520); }),
    FX("EraseIndividualSectionName", for (int ini : {0, 1}) { SetUseInifileInsteadOfRegistry(ini); EraseIndividualSectionName(key(), c.in(), c.in()); myEraseIndividualSectionName(key(), c.in(), nullptr); myEraseSectionName(c.in(), c.in()); EraseIndividualSectionNameIfExist(key(), c.in(), c.in()); EraseSectionName(c.in(), nullptr); }),
    FX("IsRegistyExist", for (LONG relative : {0, 1}) { IsRegistyExist(key(), c.in(), c.in(), relative); myIsRegistyExist(c.in(), c.in(), relative); } IsIntHereInRegistry(key(), c.in(), c.in())),
    FX("IsItemHereInRegistry", char* read = c.out(); GetItemHereInRegistry(&read); for (LONG mode : {0, 1, 2}) IsItemHereInRegistry(key(), c.in(), c.in(), c.in(), mode, c.in(), 0); GetItemHereInRegistry(nullptr)),
    FX("IsIntInRegistryAltered", IsIntInRegistryAltered(key(), c.in(), 1, c.in(), 2); IsStrInRegistryAltered(key(), c.in(), c.in(), c.in(), c.in())),
    KX("SetIntInRegistry", for (int ini : {0, 1}) { SetUseInifileInsteadOfRegistry(ini); SetIntInRegistry(key(), c.in(), 1, c.in(), 2); SetStrInRegistry(key(), c.in(), c.in(), c.in(), c.in()); mySetIntInRegistry(key(), c.in(), 1, c.in(), 2); mySetStrInRegistry(key(), c.in(), c.in(), c.in(), c.in()); }),
    KX("ListAllSubkeysSeparatedByZero", SetPrivateProfileString(key(), c.in(), c.in(), "x", 0); for (DWORD size : {2u, 520u}) ListAllSubkeysSeparatedByZero(key(), c.in(), c.out(size), size, 0)),
    FX("GetSectionParameters", for (int ini : {0, 1}) { SetUseInifileInsteadOfRegistry(ini); HKEY hive; LPCSTR section = c.in(); GetSectionParameters(&hive, HKEY_CURRENT_USER, &section, c.in()); section = c.in(); myGetSectionParameters(&hive, HKEY_CURRENT_USER, &section, c.in()); }),
    FX("SetSectionNameForReading", for (int ini : {0, 1}) { SetDoWin31(ini); StartIniAccessForReading(0); SetSectionNameForReading(c.in()); myGetPrivateProfileString(c.in(), c.in(), c.out(), 520); myGetPrivateProfileInt(c.in(), 1); myGetSystemProfileString(c.in(), c.in(), c.out(), 520); EndIniAccessForReading(); }),
    FX("OpenSpedifiedKey", OpenSpedifiedKey(key(), c.in()); myGetPrivateProfileString(c.in(), "", c.out(), 520); SetKeyNameCodeAsHKEY(nullptr)),
    KX("SetSectionNameForWriting", for (int ini : {0, 1}) { SetDoWin31(ini); StartIniAccessForWriting(0, 0); SetSectionNameForWriting(0, c.in(), 0); WriteStrInInifile(0, c.in(), c.in()); _WriteIntInInifile(0, c.in(), 1); myWriteProfileString(0, c.in(), c.in()); }),
    KX("_SetSectionNameForWriting", _SetSectionNameForWriting(key(), "", c.in(), c.out()); _SetSectionNameForWriting(key(), c.in(), "s", nullptr); SetKeyNameCodeAsHKEY(nullptr)),
    TX("FillNamesInComboBoxByDesktopFolders", FillNamesInComboBoxByDesktopFolders(dialog(), c.in(), 100, 1); FillNamesInListBoxByDesktopFolders(dialog(), c.in(), 100, 1)),
    TX("SetDesktopDirectoryFromRegistry", for (LONG n : {0, 5, 19, 23, 49}) { SetDesktopDirectoryFromRegistry(c.out(), c.out(), n); GetDesktopDirectory(c.out(), n); GetDesktopMenu(c.out(), n); GetDesktopDirectoryFromRegistry(c.out(), c.out(), n); GetInternetSettingDirectoryFromRegistry(c.out(), n, 520); }),
    TX("ReplaceSystemRoot", ReplaceSystemRoot(c.io()); std::string named = "%WINDIR%" + c.text(); named.resize(std::min<std::size_t>(named.size(), 519)); Call n(named); ReplaceSystemRoot(n.io()); n.check("ReplaceSystemRoot")),
    TX("MakeRedirectFolderInVista", GetRedirectFolderNameInVista(c.out()); MakeRedirectFolderInVista(c.out(), c.in())),
    // ---- Favourite and history folders
    TX("AddFavoriteDir", for (LONG separator : {0L, LONG('>'), LONG('\\')}) AddFavoriteDir(nullptr, c.in(), separator); AddGlobalHandleForFavoriteDir(nullptr, c.in()); IsFavoriteDirAlreadyThere(c.in()); for (LONG i : {-1, 0, 1, 34, 35}) { SaveGlobalHandleForFavoriteDir(nullptr, i, c.in()); SaveGlobalHandleForFavoriteDirAtStarting(nullptr, i, c.in()); GetDirectoryNameFromGlobalHandleForFavoriteDir(nullptr, c.out(), c.out(), i); } expect_favorite(0); FreeFavoriteMemory()),
    FX("RenameDirectoryNameInGlobalHandleForFavoriteDir", SaveGlobalHandleForFavoriteDir(nullptr, 0, "x\\y\tx\\z"); RenameDirectoryNameInGlobalHandleForFavoriteDir(nullptr, c.in(), "x"); expect_favorite(0); GetDirectoryNameFromGlobalHandleForFavoriteDir(nullptr, c.out(), c.out(), 0); RenameAllSubFoldesInGlobalHandleForFavoriteDir(nullptr, c.in(), 0x214); DeleteDirectoryNameInGlobalHandleForFavoriteDir(nullptr, c.in()); DeleteDirectoryNameInGlobalHandleForFavoriteDir(nullptr, nullptr); FreeFavoriteMemory()),
    TX("SetDisplayTgtFavoriteDirStartingSign", SetDisplayTgtFavoriteDirStartingSign(c.io()); SetTgtFavoriteDirStartingSign(c.io()); GetPointerForTgtFavoriteDirSign(c.in()); GetDisplayPointerForTgtFavoriteDirSign(c.in()); for (LONG i : {-1, 0, 24, 34, 35}) GetFavoriteDirectoryName(c.in(), i)),
    TX("SetFavoriteDirectoriesInMenu", HMENU m = CreatePopupMenu(); for (int i = 0; i < 3; ++i) AppendMenuA(m, MF_STRING, kFavoriteMenuAnchor + i, "x"); SaveGlobalHandleForFavoriteDir(nullptr, 0, c.in()); AddFavoriteDir(nullptr, c.in(), '>'); SetFavoriteDirectoriesInMenu(HWND(m)); IsFavoriteDirDifferentWithMenu(m); RecoverGlobalHandleForFavoriteDir(HWND(m)); expect_favorite(0); FillInDirectoryComboBoxByFavoriteDir(dialog(), 101, c.in()); FillInFavoriteDiretcoryBox(dialog(), 102); DestroyMenu(m); FreeFavoriteMemory()),
    FX("SaveHistoryDirectory", for (LPCSTR f : {"x", static_cast<LPCSTR>(c.in()), "x\\y"}) SaveHistoryDirectory(nullptr, f); for (int i = 0; i < 4; ++i) GetPrevHistoryDirectory(c.out()); IsPrevFolderThere(); IsNextFolderThere(1); RenameInHistoryDirectory(nullptr, c.in(), "x"); for (int i = 0; i < 4; ++i) GetNextHistoryDirectory(c.out()); RenameAllSubFoldesInHistoryDirectory(nullptr, c.in(), 0x214); for (int i = 0; i < 4; ++i) GetPrevHistoryDirectory(c.out()); DeleteInHistoryDirectory(c.in()); FreeHistoryDirectoryPointer()),
    // ---- Text search and the viewer's files
    TX("IsWordHead", char* t = c.in(); const std::size_t n = c.text().size(); for (std::size_t i : {std::size_t(0), n / 2, n}) { IsWordHead(t, t + i); IsWordEnd(t, t + i); CountLine(t, t + i); }),
    T(ShowMessageForFindReplace, nullptr, 196, c.in(), 3),
    TX("SetFolderInFindFileForMemoryTag", SetFolderInFindFileForMemoryTag(c.in()); IsKeywordsMatched(c.in()); FreeFindStringMemory()),
    FX("SetViewerBuffer", SetViewerBuffer(c.in()); GetFileContentForView(c.in(), 80); FreeViewerHandle()),
    FX("SaveFile", DWORD flags; HANDLE h = INVALID_HANDLE_VALUE; SaveFile(c.in(), c.in(), DWORD(-1), 0, &flags, &h); AppendFile(c.in(), c.in(), 0, h); if (h != INVALID_HANDLE_VALUE) CloseHandle(h); ULONGLONG size; GlobalFree(OpenReadOnlyFile(c.in(), &size)); SaveOneFileToAnotherFile(c.in(), c.in(), DWORD(-1), nullptr)),
    // ---- Copy
    FX("myOrgCopyFile", myOrgCopyFile(nullptr, c.io(), c.io(), 'C', 0)),
    FX("mySHCopyFile", mySHCopyFile(nullptr, c.io(), c.io(), 'C', 0)),
    FX("myAppendFile", myAppendFile(nullptr, c.in(), c.in(), c.in(), c.out(), 0)),
    TX("GetCopyingErrorMessageID", for (LONG r = -20; r <= 40; ++r) GetCopyingErrorMessageID(r, c.in(), c.in(), c.out())),
    TX("IsExcludedFileForMyCopyFile", for (LONG kind : {0, 1, 2, 3}) IsExcludedFileForMyCopyFile(c.in(), kind)),
    // ---- Internet transfer (no text here is a URL: each is refused before any connection) and the progress box
    TX("GetVersionYearAndNumberFromString", LONG y; LONG n; GetVersionYearAndNumberFromString(c.in(), &y, &n); FindLineEnd(c.in())),
    TX("GetUpdateNews", NewsRecord news = {}; GetUpdateNews(&news, c.in(), c.in()); GetUpdateBaseUrl(&news, c.in(), c.in())),
    TX("SetManifestFileName", SetManifestFileName(c.in()); SetBaseUrlForMySite(c.in()); SetBaseUrlForMySite("")),
    FX("DownLoadInterNetfile", InternetRequest r = {}; r.source = c.in(); r.target_folder = c.in(); DownLoadInterNetfile(&r, nullptr, 0, 0, 0, nullptr); ReadFileByHttp(c.in(), nullptr, nullptr, 0, 0, 0, nullptr, 0)),
    TX("ShowMessageForInternetConnection", ShowMessageForInternetConnection(8317, 8300, c.in(), c.in(), 3); OnReceiveInternetConnectMessage(nullptr, 0, 24, reinterpret_cast<LPARAM>(c.in()))),
    TX("GetCopiedFile", GetCopiedFile(c.in(), 3, 10); GetCopiedFile(c.in(), 0, 0)),
};

class HostileText : public testing::TestWithParam<Row> {};

TEST_P(HostileText, StaysInsideItsBuffers) {
    ferro_test::MessageBoxRecorder boxes;
    boxes.answer_all(ferro_test::MessageBoxRecorder::kWayOut);
    for (const Hostile& h : hostile()) {
        if ((GetParam().files && h.absolute) || (GetParam().keys && !h.whole)) continue;
        SCOPED_TRACE(h.name);
        std::unique_ptr<Sandbox> sandbox;
        if (GetParam().files) sandbox = std::make_unique<Sandbox>();
        Call c(h.text);
        GetParam().call(c);
        c.check(GetParam().name);
    }
}

INSTANTIATE_TEST_SUITE_P(Exports, HostileText, testing::ValuesIn(kRows),
                         [](const testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

// Null where a text is expected: nothing is done and a stated result comes back.
TEST(NullText, NothingIsDone) {
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
    EXPECT_EQ(GetVersionYearAndNumberFromString(nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(FindLineEnd(nullptr), nullptr);
    EXPECT_EQ(GetUpdateNews(nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(DownLoadInterNetfile(nullptr, nullptr, 0, 0, 0, nullptr), -10);
    EXPECT_EQ(GetCopiedFile(nullptr, 1, 2), 1);
    char out[520];
    EXPECT_NE(ExpandKeywords(nullptr, nullptr, "a", out, '$'), -1);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(SetEnvironmentForWinExec(nullptr), 0);
    EXPECT_EQ(TermintetExecuteFileByWinExec(nullptr, nullptr, 0), 0);
    EXPECT_EQ(GetExecutedDirectory(nullptr, out), out);
    EXPECT_NE(IsAPISuppotedByDll("KERNEL32.DLL", nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(GetWinExeArrayWithSpecifiedTitle(nullptr), nullptr);
    EXPECT_EQ(SetOldAndNewDirectoryForShortCut(nullptr, nullptr), 1);
    SetNoResolveTechnique(1);
    SetNoErrorMessageAtLinkedFileInfomation(1);
    char link[520] = "missing.lnk";
    EXPECT_NE(GetLnkExeName(nullptr, link, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_NE(GetItemsForShortCut(nullptr, "missing.lnk", 0, nullptr, nullptr, nullptr, nullptr), 0);
    SetNoErrorMessageAtLinkedFileInfomation(0);
    EXPECT_EQ(GetDirectoryNameFromGlobalHandleForFavoriteDir(nullptr, nullptr, nullptr, 0), 0);
    EXPECT_EQ(DeleteDirectoryNameInGlobalHandleForFavoriteDir(nullptr, nullptr), 0);
    EXPECT_EQ(boxes.boxes().size(), 1u);  // the classification function's own box
}
}  // namespace
