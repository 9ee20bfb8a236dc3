// The found-files list: the names a search looks for, each in its own node
// block, and the full path where each was found.
#include <cstring>
#include "fileops/delete_internal.h"
#include "frame/memory_blocks.h"
#include "frame/paths.h"
#include "frame/text.h"
#include "frame/text_internal.h"
#include "search/search_conditions.h"
#include "search/search_internal.h"

namespace {
constexpr char kYen = '\\';

FoundFileNode* g_head;
char g_full_path[ferro::text::kPathSize];

bool counts_as_found(const FoundFileNode* node) { return node->found || node->name[0] == kYen; }


void free_list() {
    for (FoundFileNode* node = g_head; node;) {
        FoundFileNode* next = node->next;
        FreeStringPointer(node->name_block, node->name);
        HGLOBAL own = node->own;
        GlobalUnlock(own);
        GlobalFree(own);
        node = next;
    }
    g_head = nullptr;
}

// A node for `name` in its own locked block; null when memory runs out.
FoundFileNode* make_node(const char* name) {
    HGLOBAL own = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(FoundFileNode));
    if (!own) return nullptr;
    auto* node = static_cast<FoundFileNode*>(GlobalLock(own));
    if (!node) {
        GlobalFree(own);
        return nullptr;
    }
    node->own = own;
    node->name = GetStringPointer(&node->name_block, nullptr, name);
    if (!node->name) {
        GlobalUnlock(own);
        GlobalFree(own);
        return nullptr;
    }
    return node;
}
}  // namespace

namespace ferro::search {
void set_current_full_path(const char* path) {
    if (!path || !text::copy_bounded(g_full_path, path)) g_full_path[0] = '\0';
}
void free_search_state() {
    free_list();
    g_full_path[0] = '\0';
    ReleaseSearchedNameInFileName();
}
}  // namespace ferro::search

LONG WINAPI SetSearchedFileFound(LPCSTR names, LONG onlyFirst) {
    free_list();
    if (!names) return 0;
    LONG count = 0;
    FoundFileNode** tail = &g_head;
    for (const char* name = names; *name; name += std::strlen(name) + 1) {
        FoundFileNode* node = make_node(name);
        if (!node) break;
        *tail = node;
        tail = &node->next;
        ++count;
        if (onlyFirst) break;
    }
    return count;
}

LONG WINAPI FreeAllocateFoundFiles() {
    free_list();
    g_full_path[0] = '\0';
    return 1;
}

LPSTR WINAPI GetSearchedFileFound() { return g_head ? g_head->name : g_full_path; }
FoundFileNode* WINAPI GetHeadOfSearchedFileFoundPointer() { return g_head; }
FoundFileNode* WINAPI GetNextOfSearchedFileFoundPointer(FoundFileNode* node) { return node ? node->next : nullptr; }
LPSTR WINAPI GetSearchedFileFoundFromPointer(FoundFileNode* node) { return node ? node->name : nullptr; }
LONG WINAPI GetBoolSearchedFileFoundFromPointer(FoundFileNode* node) { return node ? node->found : 0; }

LONG WINAPI IsAllSearchedFullPathFileFound() {
    for (const FoundFileNode* node = g_head; node; node = node->next)
        if (!counts_as_found(node)) return 0;
    return 1;
}

LONG WINAPI IsSomeOfSearchedFullPathFileFound() {
    for (const FoundFileNode* node = g_head; node; node = node->next)
        if (node->found && node->name[0] != kYen) return 1;
    return 0;
}

LONG WINAPI SetSearchedFullPathFileFound(LPCSTR path) {
    if (!g_head) return -2;
    if (ferro::text::is_empty(path)) return 0;
    const char* name = GetFileName(nullptr, const_cast<LPSTR>(path));
    if (!name) return 0;
    for (FoundFileNode* node = g_head; node; node = node->next) {
        if (counts_as_found(node) || !ferro::fileops::same_name(node->name, name)) continue;
        LPSTR stored = GetStringPointer(&node->name_block, node->name, path);
        if (!stored) {
            // The old block was freed: keep the node readable with an empty name.
            node->name = GetStringPointer(&node->name_block, nullptr, "");
            return 0;
        }
        node->name = stored;
        node->found = 1;
        return IsAllSearchedFullPathFileFound() ? -1 : 1;
    }
    return 0;
}
