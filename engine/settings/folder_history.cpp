// The folder history: a doubly linked list of the folders visited, newest
// first, with a current node for back and forward. Each node is a block of
// four words kept locked; the folder path is a block of its own. The list
// holds at most kHistoryLimit nodes: a visit beyond it drops the oldest.
#include <cstring>
#include <string>
#include "fileops/case_rule.h"
#include "frame/paths.h"
#include "frame/text_internal.h"
#include "settings/favorites.h"
#include "settings/place_lists.h"

using namespace ferro;
using namespace ferro::settings;

namespace {
struct History {
    HistoryNode* head = nullptr;  // newest
    HistoryNode* tail = nullptr;  // oldest
    HistoryNode* current = nullptr;
    LONG count = 0;
    LONG enabled = 1;
    LONG suspended = 0;
};
History h;

std::string folder_of(const HistoryNode* node) {
    if (!node || !node->folder) return {};
    const char* p = static_cast<const char*>(GlobalLock(node->folder));
    std::string out = p ? p : "";
    GlobalUnlock(node->folder);
    return out;
}

HGLOBAL text_block(const char* text) {
    const std::size_t n = std::strlen(text) + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, n);
    char* p = block ? static_cast<char*>(GlobalLock(block)) : nullptr;
    if (!p) {
        if (block) GlobalFree(block);
        return nullptr;
    }
    std::memcpy(p, text, n);
    GlobalUnlock(block);
    return block;
}

void set_folder(HistoryNode* node, const std::string& folder) {
    if (HGLOBAL block = text_block(folder.c_str())) {
        GlobalFree(node->folder);
        node->folder = block;
    }
}

void unlink_node(HistoryNode* node) {
    if (node->newer) node->newer->older = node->older;
    else h.head = node->older;
    if (node->older) node->older->newer = node->newer;
    else h.tail = node->newer;
    if (h.current == node) h.current = nullptr;
    --h.count;
    GlobalFree(node->folder);
    HGLOBAL self = node->self;
    GlobalUnlock(self);
    GlobalFree(self);
}

bool copy_out(LPSTR buffer, const HistoryNode* node) {
    if (!buffer) return node != nullptr;
    buffer[0] = '\0';
    if (!node) return false;
    lstrcpynA(buffer, folder_of(node).c_str(), static_cast<int>(text::kPathSize));
    return true;
}
}  // namespace

LONG WINAPI EnableHistoryDirectory(LONG value) { return h.enabled = value; }

LONG WINAPI DisableSaveInHistoryDirectory(LONG value) { return h.suspended = value; }

HistoryNode* WINAPI SaveHistoryDirectory(HWND, LPCSTR folder) {
    if (!h.enabled) return nullptr;
    if (h.suspended) return reinterpret_cast<HistoryNode*>(static_cast<LONG_PTR>(h.suspended));
    if (text::is_empty(folder) || std::strlen(folder) > text::kPathMax) return nullptr;
    if (h.head && text::same_without_case(folder_of(h.head).c_str(), folder)) return h.head;
    HGLOBAL self = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(HistoryNode));
    auto* node = self ? static_cast<HistoryNode*>(GlobalLock(self)) : nullptr;
    HGLOBAL path = node ? text_block(folder) : nullptr;
    if (!path) {
        if (node) GlobalUnlock(self);
        if (self) GlobalFree(self);
        return nullptr;
    }
    node->self = self;
    node->folder = path;
    node->older = h.head;
    node->newer = nullptr;
    if (h.head) h.head->newer = node;
    else h.tail = node;
    h.head = node;
    h.current = node;
    ++h.count;
    while (h.count > kHistoryLimit && h.tail) {
        // The oldest goes; a current node there moves to the next newer one.
        HistoryNode* oldest = h.tail;
        HistoryNode* after = oldest->newer;
        const bool was_current = h.current == oldest;
        unlink_node(oldest);
        if (was_current) h.current = after;
    }
    return node;
}

LONG WINAPI IsPrevHistoryDirectoryEnable() { return h.current && h.current->older ? 1 : 0; }

LONG WINAPI IsNextHistoryDirectoryEnable() { return h.current && h.current->newer ? 1 : 0; }

LONG WINAPI GetPrevHistoryDirectory(LPSTR buffer) {
    if (!h.current || !h.current->older) {
        copy_out(buffer, nullptr);
        return 0;
    }
    h.current = h.current->older;
    return copy_out(buffer, h.current) ? 1 : 0;
}

LONG WINAPI GetNextHistoryDirectory(LPSTR buffer) {
    if (!h.current || !h.current->newer) {
        copy_out(buffer, nullptr);
        return 0;
    }
    h.current = h.current->newer;
    return copy_out(buffer, h.current) ? 1 : 0;
}

LONG WINAPI IsPrevFolderThere() { return IsPrevHistoryDirectoryEnable(); }

LONG WINAPI IsNextFolderThere(LONG older) { return older ? IsPrevHistoryDirectoryEnable() : IsNextHistoryDirectoryEnable(); }

LONG WINAPI DeleteInHistoryDirectory(LPCSTR folder) {
    if (text::is_empty(folder)) return 0;
    const bool root = IsRootDir(folder) != FALSE;
    LONG removed = 0;
    for (HistoryNode* node = h.head; node;) {
        HistoryNode* next = node->older;
        const std::string path = folder_of(node);
        if (at_or_below(path.c_str(), folder) && !(root && IsRootDir(path.c_str()))) {
            unlink_node(node);
            ++removed;
        }
        node = next;
    }
    return removed;
}

LONG WINAPI RenameInHistoryDirectory(HWND, LPCSTR newName, LPCSTR oldName) {
    LONG renamed = 0;
    for (HistoryNode* node = h.head; node; node = node->older) {
        std::string now;
        if (!renamed_path(folder_of(node), oldName, newName, now)) continue;
        set_folder(node, now);
        ++renamed;
    }
    return renamed;
}

LONG WINAPI RenameAllSubFoldesInHistoryDirectory(HWND, LPCSTR newName, LONG mode) {
    if (text::is_empty(newName)) return 0;
    LONG renamed = 0;
    for (HistoryNode* node = h.head; node; node = node->older) {
        const std::string path = folder_of(node);
        char work[text::kPathSize];
        if (!at_or_below(path.c_str(), newName) || !RenameSubdirForCaseSensitive(path.c_str(), work, newName, mode))
            continue;
        const std::string now = stored_spelling(work);
        if (now == path) continue;
        set_folder(node, now);
        ++renamed;
    }
    return renamed;
}

LONG WINAPI FreeHistoryDirectoryPointer() {
    while (h.head) unlink_node(h.head);
    h.current = nullptr;
    return 1;
}

namespace ferro::settings {
std::vector<std::string> history_folders(int& current) {
    std::vector<std::string> out;
    current = -1;
    for (HistoryNode* node = h.head; node; node = node->older) {
        if (node == h.current) current = static_cast<int>(out.size());
        out.push_back(folder_of(node));
    }
    return out;
}

void make_history_current(int position) {
    HistoryNode* node = h.head;
    for (int i = 0; node && i < position; ++i) node = node->older;
    if (node) h.current = node;
}
}  // namespace ferro::settings
