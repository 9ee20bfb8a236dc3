// The viewer's state: the text, spare and name buffers, the sizes and
// numbers, the placements kept for the host and the three cursors.
#include <cstring>
#include "ferromes.h"
#include "frame/memory_blocks.h"
#include "viewer/viewer.h"
#include "viewer/viewer_internal.h"

namespace ferro::viewer {
namespace {
void free_block(HGLOBAL& block) {
    if (!block) return;
    while (GlobalFlags(block) & GMEM_LOCKCOUNT) GlobalUnlock(block);
    GlobalFree(block);
    block = nullptr;
}

bool is_empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
}  // namespace

ViewerState& state() {
    static ViewerState s;
    return s;
}

void replace_text(HGLOBAL block) {
    ViewerState& s = state();
    if (s.text != block) free_block(s.text);
    s.text = block;
    s.soft_breaks.clear();
}

void show_cursor(int index) {
    if (HCURSOR c = state().cursors[index]) SetCursor(c);
}
}  // namespace ferro::viewer

using ferro::viewer::state;

LONG WINAPI SetViewerBuffer(LPCSTR text) {
    if (!text) return 0;
    const std::size_t n = std::strlen(text);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, n + 1);
    char* p = block ? static_cast<char*>(GlobalLock(block)) : nullptr;
    if (!p) {
        if (block) GlobalFree(block);
        return 0;
    }
    std::memcpy(p, text, n + 1);
    GlobalUnlock(block);
    ferro::viewer::replace_text(block);
    state().loaded = n;
    state().partial = 0;
    return 1;
}

ULONGLONG WINAPI SetViewerTotalLen(ULONGLONG length) { return state().loaded = length; }
ULONGLONG WINAPI SetViewerMaxSize(ULONGLONG size) { return state().max_size = size; }
ULONGLONG WINAPI SetViewerUnit(ULONGLONG width) { return state().unit = width; }
ULONGLONG WINAPI GetViewerUnit() { return state().unit; }
LONG WINAPI SetNotIncludBinary() { return state().no_binary = 1; }
LONG WINAPI GetCurrentFileNumber() { return state().current; }
LONG WINAPI GetRemainingViewerFileNumber() { return state().remaining; }

LONG WINAPI InitFileViewerHandle() { return 1; }

HGLOBAL WINAPI Init_ghCurFileViewer(HWND owner) {
    HGLOBAL block = SaveToGlobalMemory(owner, nullptr, "");
    if (!block) return nullptr;
    ferro::viewer::replace_text(block);
    state().loaded = 0;
    state().partial = 0;
    return block;
}

LPSTR WINAPI GlobalLock_ghCurFileViewer() {
    return state().text ? static_cast<LPSTR>(GlobalLock(state().text)) : nullptr;
}

LONG WINAPI GlobalUnlock_ghCurFileViewer() {
    return state().text && GlobalUnlock(state().text) ? 1 : 0;
}

LONG WINAPI FreeViewerHandle() {
    ferro::viewer::ViewerState& s = state();
    ferro::viewer::replace_text(nullptr);
    ferro::viewer::free_block(s.spare);
    ferro::viewer::free_block(s.name);
    s.loaded = 0;
    return 1;
}

LONG WINAPI SetViewerRect(const RECT* rect) {
    if (!rect) return 0;
    state().rect = *rect;
    return 1;
}
LONG WINAPI GetViewerRect(RECT* out) {
    if (out) *out = state().rect;
    return ferro::viewer::is_empty(state().rect) ? 0 : 1;
}
LONG WINAPI SetStartingViewerRect(const RECT* rect) {
    if (!rect) return 0;
    state().starting = *rect;
    return 1;
}
LONG WINAPI GetStartingViewerRect(RECT* out) {
    if (out) *out = state().starting;
    return ferro::viewer::is_empty(state().starting) ? 0 : 1;
}
LONG WINAPI SetViewerOptionChanged(LONG value) { return state().option_changed = value; }
LONG WINAPI IsViewerOptionChanged() { return state().option_changed; }

LONG WINAPI SetViewerCursors() {
    static const char* const kNames[] = {"VIEWER0", "VIEWER1", "VIEWER2"};
    DeleteViewerCursors();
    LONG loaded = 0;
    for (int i = 0; i < 3; ++i) {
        state().cursors[i] = static_cast<HCURSOR>(
            LoadImageA(GetUserDlgInstance(), kNames[i], IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
        if (state().cursors[i]) ++loaded;
    }
    return loaded == 3 ? 1 : 0;
}

HCURSOR WINAPI GetViewerCursor(LONG index) { return index >= 0 && index < 3 ? state().cursors[index] : nullptr; }

LONG WINAPI DeleteViewerCursors() {
    LONG deleted = 0;
    for (HCURSOR& c : state().cursors) {
        if (!c) continue;
        DestroyCursor(c);
        c = nullptr;
        ++deleted;
    }
    return deleted;
}
