// Records of the folder and file being copied, the dialog of the running
// operation and the archive output folder with its history.
#include <cstring>
#include <initializer_list>
#include "frame/memory_blocks.h"
#include "frame/memory_internal.h"
#include "listing/selection.h"

namespace {
constexpr std::size_t kPathSize = 520;

// The folder and file being copied: one path buffer each, read by the
// progress display and the archiver binding while a copy runs; and the base
// target folder, a buffer the host writes into itself.
char g_src_dir[kPathSize], g_tgt_dir[kPathSize], g_src_file[kPathSize], g_tgt_file[kPathSize];
char g_tgt_base[kPathSize];
HANDLE g_copied_src_file;
HANDLE g_src_dir_handle;
HWND g_dialog;
HGLOBAL g_lha_output;
constexpr LONG kHistorySize = 100;
HGLOBAL g_lha_history[kHistorySize];

// A null path gives the record as it is; a path of 520 bytes or more is
// refused (null) and the record keeps what it held.
LPSTR save(char* record, LPCSTR path) {
    if (!path) return record;
    const std::size_t length = std::strlen(path);
    if (length >= kPathSize) return nullptr;
    std::memmove(record, path, length + 1);
    return record;
}
}  // namespace

LPSTR WINAPI SaveSrcCopyingDirectory(LPCSTR path) { return save(g_src_dir, path); }
LPSTR WINAPI GetSrcCopyingDirectory() { return g_src_dir; }
LPSTR WINAPI SaveTgtCopyingDirectory(LPCSTR path) { return save(g_tgt_dir, path); }
LPSTR WINAPI GetTgtCopyingDirectory() { return g_tgt_dir; }
LPSTR WINAPI GetTgtBaseCopyingDirectory() { return g_tgt_base; }
LPSTR WINAPI SaveSrcCopyingFile(LPCSTR path) { return save(g_src_file, path); }
LPSTR WINAPI GetSrcCopyingFile() { return g_src_file; }
LPSTR WINAPI SaveTgtCopyingFile(LPCSTR path) { return save(g_tgt_file, path); }
LPSTR WINAPI GetTgtCopyingFile() { return g_tgt_file; }

HANDLE WINAPI SaveCopiedSrcFileHandle(HANDLE handle) { return g_copied_src_file = handle; }
HANDLE WINAPI GetCopiedSrcFileHandle() { return g_copied_src_file; }
HANDLE WINAPI SaveToCopySrcDirectoryHandle(HANDLE handle) { return g_src_dir_handle = handle; }
HANDLE WINAPI GetFromCopySrcDirectoryHandle() { return g_src_dir_handle; }
HWND WINAPI Save_ghDialog(HWND dialog) { return g_dialog = dialog; }
HWND WINAPI GetDialogHandle() { return g_dialog; }

HGLOBAL WINAPI Save_ghDirForOutputForLha(HWND window, LPCSTR path) {
    if (!path) return g_lha_output;
    HGLOBAL h = SaveToGlobalMemory(window, g_lha_output, path);
    if (h) g_lha_output = h;
    return h;
}
HGLOBAL WINAPI Get_ghDirForOutputForLha() { return g_lha_output; }

LONG WINAPI GetMAXLHADIRHISTORY() { return kHistorySize; }
HGLOBAL WINAPI Get_ghLHADIRHISTORY(LONG index) {
    return (index >= 0 && index < kHistorySize) ? g_lha_history[index] : nullptr;
}
HGLOBAL* WINAPI Get_ghLHADIRHISTORY_Address() { return g_lha_history; }
HGLOBAL WINAPI Empty_ghLHADIRHISTORY(HWND window, LONG index) {
    if (index < 0 || index >= kHistorySize) return nullptr;
    HGLOBAL h = SaveToGlobalMemory(window, g_lha_history[index], "");
    if (h) g_lha_history[index] = h;
    return h;
}

void ferro::listing::free_copy_records() {
    for (char* record : {g_src_dir, g_tgt_dir, g_src_file, g_tgt_file, g_tgt_base}) record[0] = '\0';
    if (g_lha_output) ferro::free_block(g_lha_output);
    g_lha_output = nullptr;
    for (auto& h : g_lha_history) {
        if (h) ferro::free_block(h);
        h = nullptr;
    }
    g_copied_src_file = nullptr;
    g_src_dir_handle = nullptr;
    g_dialog = nullptr;
}

void ferro::listing::free_selection_state() {
    free_item_tables();
    free_current_folders();
    free_copy_records();
}
