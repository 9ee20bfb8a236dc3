// The selection counters: marked items per pane, selected count per list, the
// running order and the per-list numbers of the items being processed.
#include "frame/option_flags.h"
#include "listing/selection.h"

namespace {
LONG g_marked[2];
LONG g_selected[3];
LONG g_cur_order;
LONG g_selected_number[3];
LONG g_selected_for_lha[3];
LONG g_total_folders;
LONG g_total_files;
LONG g_total_invalid;

LONG* selected_slot(LONG selector) {
    const LONG i = GetOrderedTypeSelected(selector);
    return (i >= 0 && i < 3) ? &g_selected[i] : nullptr;
}

bool in_lists(LONG index) { return index >= 0 && index < 3; }
}  // namespace

LONG WINAPI GetTotalNumberOfMarkedItems(LONG selector) { return g_marked[selector == 2 ? 0 : 1]; }

LONG WINAPI SetTotalNumberOfMarkedItems(LONG selector, LONG count) {
    return g_marked[selector == 2 ? 0 : 1] = count;
}

LONG WINAPI SetTotalSelectedNumber(LONG count, LONG selector) {
    LONG* slot = selected_slot(selector);
    if (!slot) return 0;
    return *slot = count < 0 ? 0 : count;
}

LONG WINAPI AddTotalSelectedNumber(LONG delta, LONG selector) {
    LONG* slot = selected_slot(selector);
    if (!slot) return 0;
    const long long sum = static_cast<long long>(*slot) + delta;
    return *slot = sum < 0 ? 0 : sum > MAXLONG ? MAXLONG : static_cast<LONG>(sum);
}

LONG WINAPI GetTotalSelectedNumber(LONG selector) {
    LONG* slot = selected_slot(selector);
    return slot ? *slot : 0;
}

LONG WINAPI GetCurOrderOfMarkedItems() { return g_cur_order; }
LONG WINAPI SetCurOrderOfMarkedItems(LONG value) { return g_cur_order = value; }

LONG WINAPI Get_nSelectedNumber(LONG index) { return in_lists(index) ? g_selected_number[index] : 0; }
LONG WINAPI Set_nSelectedNumber(LONG index, LONG value) {
    return in_lists(index) ? g_selected_number[index] = value : 0;
}
LONG WINAPI Get_nSelectedForLha(LONG index) { return in_lists(index) ? g_selected_for_lha[index] : 0; }
LONG WINAPI Set_nSelectedForLha(LONG index, LONG value) {
    return in_lists(index) ? g_selected_for_lha[index] = value : 0;
}
LONG* WINAPI Get_nSelectedForLhaPointer() { return g_selected_for_lha; }

LONG WINAPI GetTotalFolderNumberOfSelectedFoldersAndFiles() { return g_total_folders; }
LONG WINAPI SetTotalFolderNumberOfSelectedFoldersAndFiles(LONG value) { return g_total_folders = value; }
LONG WINAPI GetTotalFileNumberOfSelectedFoldersAndFiles() { return g_total_files; }
LONG WINAPI SetTotalFileNumberOfSelectedFoldersAndFiles(LONG value) { return g_total_files = value; }
LONG WINAPI GetTotalInvalidFileNumberOfSelectedFoldersAndFiles() { return g_total_invalid; }
LONG WINAPI SetTotalInvalidFileNumberOfSelectedFoldersAndFiles(LONG value) { return g_total_invalid = value; }
