// Memory blocks holding strings, and the string pointers that keep them locked.
#include <cstring>
#include "frame/memory_blocks.h"
#include "frame/memory_internal.h"
#include "frame/owner_window.h"
#include "frame/size_degradation.h"
#include "ferromes.h"

namespace {
constexpr UINT kBlockFlags = GMEM_MOVEABLE | GMEM_ZEROINIT;  // 0x42

// A block freed when the owner goes out of scope.
class OwnedBlock {
public:
    explicit OwnedBlock(HGLOBAL handle = nullptr) : handle_(handle) {}
    ~OwnedBlock() { if (handle_) GlobalFree(handle_); }
    OwnedBlock(const OwnedBlock&) = delete;
    OwnedBlock& operator=(const OwnedBlock&) = delete;
    HGLOBAL get() const { return handle_; }
    HGLOBAL release() { HGLOBAL h = handle_; handle_ = nullptr; return h; }
    void reset(HGLOBAL handle) {
        if (handle_) GlobalFree(handle_);
        handle_ = handle;
    }

private:
    HGLOBAL handle_;
};

// The length of the string a locked block holds, never reading past the block.
std::size_t block_string_length(HGLOBAL handle, const char* p) { return strnlen(p, GlobalSize(handle)); }

char* lock(HGLOBAL handle) { return handle ? static_cast<char*>(GlobalLock(handle)) : nullptr; }

// A copy of the first `length` bytes of a locked block in a fresh block, or no
// block when it cannot be made.
HGLOBAL copy_to_temporary_block(const char* text, std::size_t length) {
    OwnedBlock copy(GlobalAlloc(kBlockFlags, length + 1));
    char* p = lock(copy.get());
    if (!p) return nullptr;
    std::memcpy(p, text, length);
    GlobalUnlock(copy.get());
    return copy.release();
}

using StoreFunction = HGLOBAL(WINAPI*)(HWND, HGLOBAL, LPCSTR);

LPSTR store_through(HGLOBAL* handle, LPSTR locked, LPCSTR text, StoreFunction store) {
    if (!text || !handle) return locked;
    HGLOBAL old = *handle;
    if (locked && old) GlobalUnlock(old);
    HGLOBAL stored = store(nullptr, old, text);
    if (!stored) return locked && old ? lock(old) : nullptr;  // the old block is as it was
    *handle = stored;
    char* p = lock(stored);
    if (!p) {
        GlobalFree(stored);
        *handle = nullptr;
    }
    return p;
}
}  // namespace

namespace ferro {
void free_block(HGLOBAL handle) {
    if (!handle) return;
    for (UINT n = GlobalFlags(handle) & GMEM_LOCKCOUNT; n > 0; --n) GlobalUnlock(handle);
    GlobalFree(handle);
}
}  // namespace ferro

HGLOBAL WINAPI GetGlobalHandle(HGLOBAL handle, DWORD size) {
    return handle ? GlobalReAlloc(handle, size, kBlockFlags) : GlobalAlloc(kBlockFlags, size);
}

HGLOBAL WINAPI SaveToGlobalMemory(HWND window, HGLOBAL handle, LPCSTR text) {
    if (!text) return handle;
    const std::size_t size = std::strlen(text) + 1;
    HGLOBAL result = size <= MAXDWORD ? GetGlobalHandle(handle, static_cast<DWORD>(size)) : nullptr;
    char* p = lock(result);
    if (!p) {
        if (result && !handle) GlobalFree(result);
        ferro::report_memory_failure(window, ferro::kSaveToGlobalMemoryTitle, ferro::kAccessFailedDetail);
        return nullptr;
    }
    std::memcpy(p, text, size);
    GlobalUnlock(result);
    return result;
}

HGLOBAL WINAPI AddToGlobalMemory(HWND window, HGLOBAL handle, LPCSTR text) {
    if (!text) return handle;
    const std::size_t added = std::strlen(text);
    std::size_t old = 0;
    OwnedBlock copy;
    HGLOBAL result;
    if (handle) {
        const char* p = lock(handle);
        if (!p) {
            ferro::report_memory_failure(window, ferro::kAddToGlobalMemoryTitle, ferro::kAccessFailedDetail);
            return nullptr;
        }
        old = block_string_length(handle, p);
        // Without the copy the resized block still holds the old string; the
        // copy is what is written back when there is one.
        copy.reset(copy_to_temporary_block(p, old));
        GlobalUnlock(handle);
        result = GlobalReAlloc(handle, old + added + 1, kBlockFlags);
    } else {
        result = GlobalAlloc(kBlockFlags, added + 1);
    }
    char* p = lock(result);
    if (!p) {
        if (result && !handle) GlobalFree(result);
        ferro::report_memory_failure(window, ferro::kAddToGlobalMemoryTitle, ferro::kAccessFailedDetail);
        return nullptr;
    }
    if (old && copy.get()) {
        if (const char* saved = lock(copy.get())) {
            std::memcpy(p, saved, old);
            GlobalUnlock(copy.get());
        }
    }
    std::memcpy(p + old, text, added);
    p[old + added] = '\0';
    if (std::strlen(p) != old + added) {
        MyLoadString(ferro::kNotTakenIn, ferro::kAddToGlobalMemoryTitle);
        MessageBoxA(GetValidWindowsHandle(window), GetLoadStrMessage(), GetLoadStrTitle(), MB_OK | MB_ICONEXCLAMATION);
    }
    GlobalUnlock(result);
    return result;
}

LPSTR WINAPI GetStringPointer(HGLOBAL* handle, LPSTR locked, LPCSTR text) {
    return store_through(handle, locked, text, SaveToGlobalMemory);
}

LPSTR WINAPI AddStringPointer(HGLOBAL* handle, LPSTR locked, LPCSTR text) {
    return store_through(handle, locked, text, AddToGlobalMemory);
}

LPSTR WINAPI GetStringPointerBySize(HGLOBAL* handle, LPSTR locked, DWORD size, DWORD* actual) {
    if (actual) *actual = 0;
    if (!handle) return nullptr;
    if (locked && *handle) GlobalUnlock(*handle);
    HGLOBAL sized = nullptr;
    const DWORD obtained = ferro::degrade_until(size, [&](DWORD s) { return (sized = GetGlobalHandle(*handle, s)) != nullptr; });
    if (!obtained) return nullptr;
    *handle = sized;
    char* p = lock(sized);
    if (!p) {
        GlobalFree(sized);
        *handle = nullptr;
        return nullptr;
    }
    if (actual) *actual = obtained;
    return p;
}

LONG WINAPI FreeStringPointer(HGLOBAL handle, LPSTR locked) {
    if (!handle) return 0;
    if (locked) GlobalUnlock(handle);
    GlobalFree(handle);
    return 1;
}
