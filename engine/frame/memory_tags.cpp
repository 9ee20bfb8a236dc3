// Memory tags: a block, its locked address and its length, kept together.
#include <cstring>
#include "frame/memory_blocks.h"

namespace {
DWORD string_length(const char* p) { return p ? static_cast<DWORD>(std::strlen(p)) : 0; }
}  // namespace

LPSTR WINAPI AddMemoryTag(MemoryTag* tag, LPCSTR text) {
    if (!tag) return nullptr;
    if (!text) return tag->pointer;
    tag->pointer = AddStringPointer(&tag->handle, tag->pointer, text);
    tag->length = string_length(tag->pointer);
    return tag->pointer;
}

LPSTR WINAPI GetMemoryTag(MemoryTag* tag, LPCSTR text) {
    if (!tag) return nullptr;
    if (!text) return tag->pointer;
    tag->pointer = GetStringPointer(&tag->handle, tag->pointer, text);
    tag->length = string_length(tag->pointer);
    return tag->pointer;
}

LPSTR WINAPI GetMemoryTagBySize(MemoryTag* tag, DWORD size, DWORD* actual) {
    if (actual) *actual = 0;
    if (!tag) return nullptr;
    DWORD obtained = 0;
    tag->pointer = GetStringPointerBySize(&tag->handle, tag->pointer, size, &obtained);
    tag->length = obtained;
    if (actual) *actual = obtained;
    return tag->pointer;
}

LONG WINAPI FreeMemoryTag(MemoryTag* tag) {
    if (!tag || !tag->handle) return 0;
    if (tag->pointer) GlobalUnlock(tag->handle);
    GlobalFree(tag->handle);
    *tag = MemoryTag{};
    return 1;
}
