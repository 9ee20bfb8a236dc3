// Re-wrapping the viewer's text to a number of characters per line. The
// breaks a re-wrap inserts are remembered, so that the next re-wrap takes out
// exactly those and never a line end of the file itself.
#include <cstring>
#include "frame/mbcs.h"
#include "frame/memory_internal.h"
#include "frame/message_box.h"
#include "viewer/viewer.h"
#include "viewer/viewer_internal.h"

namespace ferro::viewer {
namespace {
constexpr UINT kNoMemoryForWrap = 7099;  // "折返文字数変更のための一時格納ﾒﾓﾘ獲得に失敗しました..."
constexpr int kTabBlanks = 4;

class Walk {
public:
    Walk(ULONGLONG width, char* out, std::vector<std::size_t>* inserted, std::size_t limit)
        : width_(width), out_(out), inserted_(inserted), limit_(limit) {}

    // Lays out `columns` characters of `size` bytes each, copied from `bytes`
    // (null: blanks). False, with nothing written, when that would pass the limit.
    bool place(const char* bytes, int size, int count) {
        std::size_t cost = 0;
        ULONGLONG column = column_;
        for (int i = 0; i < count; ++i) {
            if (breaks_before(column, size)) {
                cost += 2;
                column = 0;
            }
            cost += static_cast<std::size_t>(size);
            column += static_cast<ULONGLONG>(size);
        }
        if (written_ + cost > limit_) return false;
        for (int i = 0; i < count; ++i) {
            if (breaks_before(column_, size)) {
                if (inserted_) inserted_->push_back(written_);
                put("\r\n", 2);
                column_ = 0;
            }
            put(bytes ? bytes : " ", static_cast<std::size_t>(size));
            column_ += static_cast<ULONGLONG>(size);
        }
        return true;
    }
    bool line_end() {
        if (written_ + 2 > limit_) return false;
        put("\r\n", 2);
        column_ = 0;
        return true;
    }
    std::size_t written() const { return written_; }

private:
    bool breaks_before(ULONGLONG column, int size) const {
        return width_ != 0 && column > 0 && column + static_cast<ULONGLONG>(size) > width_;
    }
    void put(const char* bytes, std::size_t n) {
        if (out_) std::memcpy(out_ + written_, bytes, n);
        written_ += n;
    }

    ULONGLONG width_;
    char* out_;
    std::vector<std::size_t>* inserted_;
    std::size_t limit_;
    std::size_t written_ = 0;
    ULONGLONG column_ = 0;
};
}  // namespace

std::size_t lay_out(const char* text, std::size_t n, ULONGLONG width, const std::vector<std::size_t>& dropped,
                    char* out, std::vector<std::size_t>* inserted, std::size_t limit, std::size_t* consumed,
                    void (*at_half)()) {
    Walk walk(width, out, inserted, limit);
    auto next_drop = dropped.begin();
    std::size_t i = 0;
    bool half_told = false;
    while (i < n) {
        if (at_half && !half_told && i >= n / 2) {
            at_half();
            half_told = true;
        }
        while (next_drop != dropped.end() && *next_drop < i) ++next_drop;
        if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') {
            if (next_drop != dropped.end() && *next_drop == i) {
                i += 2;  // a break of the old layout: the line goes on
                continue;
            }
            if (!walk.line_end()) break;
            i += 2;
            continue;
        }
        if (text[i] == '\t') {
            if (!walk.place(nullptr, 1, kTabBlanks)) break;
            ++i;
            continue;
        }
        const int size = mbcs::is_lead(static_cast<unsigned char>(text[i])) && i + 1 < n ? 2 : 1;
        if (!walk.place(text + i, size, 1)) break;
        i += static_cast<std::size_t>(size);
    }
    if (consumed) *consumed = i;
    return walk.written();
}
}  // namespace ferro::viewer

LONG WINAPI ResetLines(HWND owner, ULONGLONG newWidth, ULONGLONG oldWidth) {
    using namespace ferro::viewer;
    if (newWidth == oldWidth) return 1;
    ViewerState& s = state();
    const char* text = s.text ? static_cast<const char*>(GlobalLock(s.text)) : nullptr;
    if (!text) return 0;
    const std::size_t n = std::strlen(text);
    const std::size_t size = lay_out(text, n, newWidth, s.soft_breaks, nullptr, nullptr, static_cast<std::size_t>(-1),
                                     nullptr);
    HGLOBAL spare = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size + 1);
    char* out = spare ? static_cast<char*>(GlobalLock(spare)) : nullptr;
    if (!out) {
        if (spare) GlobalFree(spare);
        GlobalUnlock(s.text);
        MyLoadMessageBox(owner, kNoMemoryForWrap, ferro::kGlobalLockTitle, MB_ICONEXCLAMATION);
        return 0;
    }
    std::vector<std::size_t> inserted;
    lay_out(text, n, newWidth, s.soft_breaks, out, &inserted, size, nullptr, [] { show_cursor(1); });
    out[size] = '\0';
    GlobalUnlock(spare);
    GlobalUnlock(s.text);
    // The spare becomes the text; the old text is freed.
    s.spare = spare;
    std::swap(s.text, s.spare);
    if (s.spare) {
        GlobalFree(s.spare);
        s.spare = nullptr;
    }
    s.soft_breaks = std::move(inserted);
    s.loaded = size + 2;
    return 1;
}
