// Settings, result word and path buffers of a delete run.
#include <cstring>
#include "fileops/delete.h"
#include "fileops/delete_internal.h"
#include "frame/memory_blocks.h"
#include "frame/text_internal.h"

namespace ferro::fileops {
namespace {
constexpr std::size_t kPathSize = text::kPathSize;

DeleteSettings g_settings;

// The three path buffers of a run in one locked block.
HGLOBAL g_paths_block;
char* g_paths;
char* full_path() { return g_paths; }
char* delete_path() { return g_paths ? g_paths + kPathSize : nullptr; }
char* save_path() { return g_paths ? g_paths + 2 * kPathSize : nullptr; }

HGLOBAL g_saved_block;
LPSTR g_saved_locked;

LPSTR save_into(char* buffer, LPCSTR path) {
    if (!buffer || !path || !text::copy_bounded(buffer, path)) return nullptr;
    return buffer;
}
}  // namespace

DeleteSettings& settings() { return g_settings; }

const char* walk_folder() {
    const char* folder = save_path();
    return folder ? folder : "";
}
LONG walk_options() { return g_settings.options; }

std::string join_path(const char* folder, const char* name) {
    std::string out(folder ? folder : "");
    if (!out.empty() && !mbcs::ends_with(out.c_str(), out.size(), text::kYen)) out += text::kYen;
    out += name ? name : "";
    if (out.size() > text::kPathMax) out.clear();
    return out;
}

void clear_run_settings() {
    g_settings.dialog = nullptr;
    g_settings.folder_control = g_settings.list_control = 0;
    g_settings.file_control = g_settings.counter_control = 0;
    g_settings.search_name = nullptr;
    g_settings.font = nullptr;
    g_settings.select_list = g_settings.pattern_list = nullptr;
    g_settings.listing_target = nullptr;
    g_settings.listing_separator = 0;
}

void free_delete_state() {
    FreeFilePaths();
    GlobalFree_ghSAVEPATH();
}
}  // namespace ferro::fileops

using namespace ferro::fileops;

// ---- Result word

LONG WINAPI SetReturnedValueForDeleteOperation(LONG value) { return g_settings.result = value; }

LONG WINAPI IsReturnedValueHitForDeleteOperation(LONG value, LONG code) {
    if (value == 0) return g_settings.result;
    if (value == 1) value = g_settings.result;
    const DWORD have = static_cast<DWORD>(-value), want = static_cast<DWORD>(-code);
    return (have & want) == want ? 1 : 0;
}

// ---- Settings

LONG WINAPI SetTrashActivated(LONG on, LONG flags) {
    g_settings.trash = on;
    g_settings.trash_flags = flags;
    return on;
}
LONG WINAPI SetAllDelByForce(LONG on) { return g_settings.force = on; }
LONG WINAPI SetNoerrorMessageOnDelete(LONG on) { return g_settings.no_error_boxes = on; }
LONG WINAPI SetNoHourCursorInDelwild(LONG on) { return g_settings.no_hourglass = on; }

HGLOBAL* WINAPI SetHandleForListedFilenameForDelWild(HGLOBAL* handleRef, LONG separator) {
    g_settings.listing_target = handleRef;
    g_settings.listing_separator = static_cast<char>(separator);
    return handleRef;
}

HWND WINAPI SetDlgBoxItemsForDeleting(HWND dialog, int folderControl, int listControl, int fileControl,
                                      int counterControl, LPCSTR searchName, HFONT font, LONG selection) {
    g_settings.dialog = dialog;
    g_settings.folder_control = folderControl;
    g_settings.list_control = listControl;
    g_settings.file_control = fileControl;
    g_settings.counter_control = counterControl;
    g_settings.search_name = searchName;
    g_settings.font = font;
    g_settings.selection = selection;
    return dialog;
}

LPSTR* WINAPI SetMultipleFilesForDeleting(LPSTR* selectList, LPSTR* patternList) {
    g_settings.select_list = selectList;
    g_settings.pattern_list = patternList;
    return selectList;
}

LONG WINAPI IsErrorMessageShownAtDeleting(LONG mask) {
    return mask ? g_settings.boxes_shown & mask : g_settings.boxes_shown;
}
LONG WINAPI GetErroCodeByRemoveByForce() { return g_settings.last_error; }
LONG WINAPI NumberOfFileFolderSuccessifullyDoneByDelWild() { return g_settings.done_count; }

// ---- Path buffers

LONG WINAPI GlobalFilePaths(HWND) {
    if (g_paths) return 1;
    g_paths_block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 3 * kPathSize);
    if (g_paths_block) g_paths = static_cast<char*>(GlobalLock(g_paths_block));
    if (!g_paths && g_paths_block) {
        GlobalFree(g_paths_block);
        g_paths_block = nullptr;
    }
    return g_paths ? 1 : 0;
}

LONG WINAPI FreeFilePaths() {
    if (!g_paths_block) return 0;
    GlobalUnlock(g_paths_block);
    GlobalFree(g_paths_block);
    g_paths_block = nullptr;
    g_paths = nullptr;
    return 1;
}

LPSTR WINAPI Get_lpFULLPATH() { return full_path(); }
LPSTR WINAPI Save_lpFULLPATH(LPCSTR path) { return save_into(full_path(), path); }
LPSTR WINAPI Get_lpDELPATH() { return delete_path(); }
LPSTR WINAPI Save_lpDELPATH(LPCSTR path) { return save_into(delete_path(), path); }
LPSTR WINAPI Get_lpSAVEPATH() { return save_path(); }
LPSTR WINAPI Save_lpSAVEPATH(LPCSTR path) { return save_into(save_path(), path); }

// ---- The saved-path block

HGLOBAL WINAPI Save_ghSAVEPATH(LPCSTR path) {
    if (!path) return g_saved_block;
    if (g_saved_locked) {
        GlobalUnlock(g_saved_block);
        g_saved_locked = nullptr;
    }
    const std::size_t size = std::strlen(path) + 1;
    HGLOBAL block = g_saved_block ? GlobalReAlloc(g_saved_block, size, GMEM_MOVEABLE | GMEM_ZEROINIT)
                                  : GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!block) return nullptr;
    g_saved_block = block;
    if (char* p = static_cast<char*>(GlobalLock(block))) {
        std::memcpy(p, path, size);
        GlobalUnlock(block);
    }
    return block;
}
HGLOBAL WINAPI Get_ghSAVEPATH() { return g_saved_block; }
LPSTR WINAPI GlobalLock_ghSAVEPATH() {
    if (!g_saved_block) return nullptr;
    if (!g_saved_locked) g_saved_locked = static_cast<LPSTR>(GlobalLock(g_saved_block));
    return g_saved_locked;
}
LONG WINAPI GlobalUnlock_ghSAVEPATH() {
    if (!g_saved_locked) return 0;
    GlobalUnlock(g_saved_block);
    g_saved_locked = nullptr;
    return 1;
}
LONG WINAPI GlobalFree_ghSAVEPATH() {
    if (!g_saved_block) return 0;
    GlobalUnlock_ghSAVEPATH();
    GlobalFree(g_saved_block);
    g_saved_block = nullptr;
    return 1;
}
