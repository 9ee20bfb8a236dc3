// The copy-or-move word and the selected-type word, with their transforms.
#include "fileops/copy.h"
#include "frame/option_flags.h"

namespace {
// Copy-or-move word bits.
constexpr LONG kCopyFiles = 0x1;
constexpr LONG kCopyFolders = 0x2;
constexpr LONG kKeepSelectedType = 0x20;
constexpr LONG kDroppedFromOutside = 0x100;

// Selected-type word bits.
constexpr LONG kSrcFiles = 0x1;
constexpr LONG kSrcFolders = 0x2;
constexpr LONG kThirdList = 0x4;
constexpr LONG kTypeDropped = 0x80000;
constexpr LONG kExtraMarks = 0x200000 | 0x400000;
constexpr LONG kTurnedToFolders = 0x1000000;

LONG g_copy_or_move;
LONG g_type_selected;

// The file/folder transforms leave the word alone while the copy-or-move word
// asks for it or while the file list shows no folders.
bool keep_selected_type() { return (g_copy_or_move & kKeepSelectedType) || !IsDirDisplayedInFileList(); }
}  // namespace

LONG WINAPI SetCopyOrMove(LONG value) { return g_copy_or_move = value; }
LONG WINAPI IsCopyOrMove(LONG mask) { return mask == -1 ? g_copy_or_move : g_copy_or_move & mask; }
LONG WINAPI AddCopyOrMove(LONG bits) { return g_copy_or_move |= bits; }
LONG WINAPI AlterCopyOrMoveToCopy(LONG word) { return (word & ~kCopyFolders) | kCopyFiles; }
LONG WINAPI AlterCopyOrMoveToDirCopy(LONG word) { return (word & ~kCopyFiles) | kCopyFolders; }
LONG WINAPI RemoveDragOutSideFromCopyOrMove(LONG word) { return word & ~kDroppedFromOutside; }

LONG WINAPI SettypeSELECTED(LONG value) { return g_type_selected = value; }
LONG WINAPI GettypeSELECTED() { return g_type_selected; }
LONG WINAPI RemoveDragOutSideFromTypeSelected(LONG word) { return word & ~kTypeDropped; }
LONG WINAPI AlterTypeSelectedToSrcFile(LONG word) { return (word & ~(kSrcFolders | kThirdList)) | kSrcFiles; }
LONG WINAPI AlterTypeSelectedToSrcDirectory(LONG word) { return (word & ~(kSrcFiles | kThirdList)) | kSrcFolders; }

LONG WINAPI AlterTypeSelectedToSrcFileFromSrcDirectory(LONG word) {
    if (keep_selected_type()) return word;
    return (word & ~kSrcFolders) | kSrcFiles;
}

LONG WINAPI AlterTypeSelectedToSrcDirectoryFromSrcFile(LONG word) {
    if (keep_selected_type()) return word;
    word |= kSrcFolders;
    if (word & kSrcFiles) word = (word & ~kSrcFiles) | kTurnedToFolders;
    return word;
}

LONG WINAPI AlterTypeSelectedToSrcDirectoryByRemovingExtraBits(LONG word) {
    if (word & kExtraMarks) word = (word | kSrcFolders) & ~kSrcFiles;
    return word & ~kExtraMarks;
}

LONG WINAPI RemoveAndSettypeSELECTED(LONG word, LONG bits) {
    if (word & bits) g_type_selected = word ^ bits;
    return g_type_selected;
}

LONG WINAPI RemoveAndSetSavedtypeSELECTED(LONG bits) {
    if (g_type_selected & bits) g_type_selected ^= bits;
    return g_type_selected;
}

LONG WINAPI GettypeSELECTEDByCopyOrMoveFromDrop() {
    if (g_copy_or_move & kDroppedFromOutside) g_type_selected |= kTypeDropped;
    return g_type_selected;
}

LONG WINAPI GetCopyOrMoveBytypeSELECTEDFromDrop() {
    if (g_type_selected & kTypeDropped) g_copy_or_move |= kDroppedFromOutside;
    return g_copy_or_move;
}
