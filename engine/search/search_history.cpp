#include "search/search_history.h"
#include <cstring>
#include <string>
#include <vector>

namespace ferro::search {
const char* history_list(const MemoryTag& tag) { return tag.pointer ? tag.pointer : "\0"; }

bool history_add(MemoryTag& tag, const char* text) {
    if (!text || !*text) return false;
    std::vector<std::string> entries{text};
    for (const char* p = history_list(tag); *p && entries.size() < kHistoryLimit; p += std::strlen(p) + 1)
        if (std::strcmp(p, text) != 0) entries.emplace_back(p);
    std::string list;
    for (const std::string& e : entries) list.append(e).push_back('\0');
    list.push_back('\0');
    DWORD actual = 0;
    char* block = GetMemoryTagBySize(&tag, static_cast<DWORD>(list.size()), &actual);
    if (!block || actual < list.size()) {
        FreeMemoryTag(&tag);
        return false;
    }
    std::memcpy(block, list.data(), list.size());
    return true;
}

int history_fill(HWND combo, const MemoryTag& tag) {
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    int count = 0;
    for (const char* p = history_list(tag); *p; p += std::strlen(p) + 1, ++count)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(p));
    return count;
}
}  // namespace ferro::search
