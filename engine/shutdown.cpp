// The two release lists. A part that holds memory adds its release function
// to the list it belongs to, in its place in the order written here.
#include <iterator>
#include "archive/archiver.h"
#include "fileops/copy.h"
#include "fileops/delete_internal.h"
#include "frame/error_texts.h"
#include "frame/memory_internal.h"
#include "frame/places_internal.h"
#include "shutdown.h"
#include "fs/drives.h"
#include "internet/internet_internal.h"
#include "listing/listing_internal.h"
#include "listing/listing_store.h"
#include "listing/selection.h"
#include "programs/error_report.h"
#include "programs/launch.h"
#include "programs/launch_internal.h"
#include "programs/file_types.h"
#include "programs/processes.h"
#include "programs/shortcut.h"
#include "search/search_internal.h"
#include "settings/favorites.h"
#include "settings/places.h"
#include "settings/profile.h"
#include "search/text_search.h"
#include "ui/colors.h"
#include "ui/drive_draw.h"
#include "viewer/rich_text.h"
#include "viewer/viewer.h"

namespace {
using Release = void (*)();

// Blocks of the listings, the selection, the history and the searches that the
// host frees between operations. A block marked locked is unlocked first; the
// per-pane blocks are freed for both panes.
constexpr Release kStateBlocks[] = {
    ferro::listing::free_column_blocks,
    ferro::listing::free_item_tables,
    ferro::listing::free_copy_records,
    ferro::free_temp_block,
};

// Everything, at shutdown, in this order:
//   FreeArchiverHandle, ReleaseAllocMemoryForFileOpen, FreePSAPILibrary,
//   FreeDosErrorMesHandle, FreeGlobalHandleInDrawItem, FreeTgtDriveMessage,
//   ReleaseOutputFileMemoryHandle, FreeVersionProcMemory, ClearFile, ClearDir,
//   FreeDriveMemoryHandle, FreeMemoryForCopyExcludedString, GlobalFree_ghSAVEPATH,
//   FreeExcuteExeFile, FreeEditor, FreetPrinterParametersPointer,
//   ReleaseTempForRegistry, ClearShortcutFile, FreeFavoriteMemory,
//   FreeHistoryDirectoryPointer, FreeFoundNetworkDriveMemory,
//   FreeDesktopMenuHandle, FreeDllForResourceFunctions,
//   FreeSetFormatForRichTextContentsPointer, DeleteFontSelected(-1),
//   Delete_rgbColorBrushAndPen, FreeViewerHandle, DeleteViewerCursors,
//   FreeFindStringMemory, the internet handles still listed,
// and last the frame's own blocks.
constexpr Release kShutdownOrder[] = {
    [] { FreeArchiverHandle(); },
    [] { FreePSAPILibrary(); },
    [] { FreeDosErrorMesHandle(); },
    [] { FreeGlobalHandleInDrawItem(); },
    [] { ReleaseOutputFileMemoryHandle(); },
    [] { ClearFile(); },
    [] { ClearDir(); },
    [] { FreeDriveMemoryHandle(); },
    ferro::fileops::free_delete_state,
    [] { FreeMemoryForCopyExcludedString(); },
    ferro::listing::free_selection_state,
    [] { FreeExcuteExeFile(); },
    [] { FreeEditor(); },
    [] { FreetPrinterParametersPointer(); },
    [] { FreeMacroCommandHandle(); },
    [] { FreeAPISuppotedByDll(); },
    ferro::programs::free_effective_characters,
    ferro::programs::free_launch_environment,
    [] { FreeRegKeyMemory(); },
    [] { ReleaseTempForRegistry(); },
    [] { ClearShortcutFile(); },
    [] { FreeFavoriteMemory(); },
    [] { FreeHistoryDirectoryPointer(); },
    [] { FreeDesktopMenuHandle(); },
    ferro::free_program_places,
    ferro::search::free_search_state,
    [] { FreeSetFormatForRichTextContentsPointer(); },
    [] { DeleteFontSelected(-1); },
    [] { Delete_rgbColorBrushAndPen(); },
    [] { FreeViewerHandle(); },
    [] { DeleteViewerCursors(); },
    [] { FreeFindStringMemory(); },
    ferro::internet::close_listed_handles,
    ferro::free_temp_block,
};

void run(const Release* first, const Release* last) {
    for (; first != last; ++first) (*first)();
}
}  // namespace

LONG WINAPI FreeGlobalHandleInDll() {
    run(std::begin(kStateBlocks), std::end(kStateBlocks));
    return 1;
}

LONG WINAPI FreeAllAllocateMemoryInDll() {
    run(std::begin(kShutdownOrder), std::end(kShutdownOrder));
    return 1;
}
