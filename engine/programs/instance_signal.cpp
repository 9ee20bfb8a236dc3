// The signal of a single instance: a named mutex guards a named shared memory
// that holds one text. The first instance writes its text; a later one finds
// the mutex, reads the text and hands it to the host's callback.
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include "frame/mbcs.h"
#include "frame/owned_handle.h"
#include "programs/processes.h"

namespace {
// The shared memory holds a whole path: 519 bytes of text and the NUL.
constexpr DWORD kSharedSize = 520;
// A peer that holds the mutex longer than this is taken as hung.
constexpr DWORD kMutexWait = 5000;

struct Signal {
    ferro::OwnedHandle mapping;
    ferro::MappedView view;
    ferro::OwnedHandle mutex;
} g_signal;

InstanceTextCallback g_callback;
LONG g_callback_off;

// Waits for the mutex; an abandoned one (its owner ended) is ours all the same.
bool acquire(HANDLE mutex) {
    DWORD r = WaitForSingleObject(mutex, kMutexWait);
    return r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
}

// Ends the text within `size` bytes (NUL included) at a whole character.
void cut_to(char* text, std::size_t size) {
    std::size_t n = strnlen(text, size);
    if (n == size) n = size - 1;
    if (n > 0 && ferro::mbcs::lead_at(text, n - 1)) --n;  // a lead byte whose trail was cut
    text[n] = '\0';
}

// Copies the text of a view of `region` bytes; the peer's text may lack its NUL.
void read_text(const char* view, SIZE_T region, char (&out)[kSharedSize]) {
    std::size_t n = region < kSharedSize ? region : kSharedSize;
    std::memcpy(out, view, n);
    if (n < kSharedSize) std::memset(out + n, 0, kSharedSize - n);
    cut_to(out, n ? n : 1);
}
}  // namespace

InstanceTextCallback WINAPI GetMyMutexStringAPI(InstanceTextCallback callback) { return g_callback = callback; }

LONG WINAPI MyMutexStringAPIIsNotUsed(LONG value) { return g_callback_off = value; }

LONG __cdecl CreateMyMutexString(LPCSTR mutexName, LPCSTR mappingName, LPCSTR format, ...) {
    ReleaseMyMutexMemory();
    if (!mutexName || !mappingName || !format) return 0;
    char text[kSharedSize];
    va_list args;
    va_start(args, format);
    int written = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (written < 0) return 0;
    cut_to(text, sizeof text);

    g_signal.mapping.reset(
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSharedSize, mappingName));
    if (!g_signal.mapping) return 0;
    g_signal.mutex.reset(CreateMutexA(nullptr, FALSE, mutexName));
    g_signal.view.reset(MapViewOfFile(g_signal.mapping.get(), FILE_MAP_WRITE, 0, 0, 0));
    if (!g_signal.mutex || !g_signal.view) {
        ReleaseMyMutexMemory();
        return 0;
    }
    if (!acquire(g_signal.mutex.get())) return 0;
    MEMORY_BASIC_INFORMATION region{};
    VirtualQuery(g_signal.view.get(), &region, sizeof region);
    // A peer may have made the memory smaller: write what fits.
    std::size_t room = region.RegionSize < kSharedSize ? region.RegionSize : kSharedSize;
    cut_to(text, room);
    std::size_t bytes = std::strlen(text) + 1;
    std::memcpy(g_signal.view.get(), text, bytes);
    ReleaseMutex(g_signal.mutex.get());
    FlushViewOfFile(g_signal.view.get(), bytes);
    return 1;
}

LONG WINAPI ReleaseMyMutexMemory() {
    bool open = g_signal.view || g_signal.mapping || g_signal.mutex;
    g_signal.view.reset();
    g_signal.mapping.reset();
    g_signal.mutex.reset();
    return open ? 1 : 0;
}

LONG WINAPI DetectMyMutexString(LPCSTR mutexName, LPCSTR mappingName) {
    if (!mutexName) return 0;
    ferro::OwnedHandle mutex(CreateMutexA(nullptr, TRUE, mutexName));
    if (!mutex) return 0;
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
        ReleaseMutex(mutex.get());  // created, so owned: nobody else runs
        return 0;
    }
    char text[kSharedSize] = {};
    bool have_text = false;
    if (ferro::OwnedHandle mapping(mappingName ? OpenFileMappingA(FILE_MAP_READ, FALSE, mappingName) : nullptr);
        mapping && acquire(mutex.get())) {
        ferro::MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
        MEMORY_BASIC_INFORMATION region{};
        if (view && VirtualQuery(view.get(), &region, sizeof region)) {
            read_text(static_cast<const char*>(view.get()), region.RegionSize, text);
            have_text = true;
        }
        view.reset();
        ReleaseMutex(mutex.get());
    }
    // The callback runs with nothing held: it may take its time or show a box.
    mutex.reset();
    if (have_text && g_callback && !g_callback_off) g_callback(text);
    return 1;
}
