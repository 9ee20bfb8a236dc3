// The box whose loaded message is a format with one %s, after an optional prefix.
#include <cstring>
#include "ferromes.h"
#include "frame/error_internal.h"
#include "frame/message_box.h"

namespace {
using ferro::errors::Composer;
using ferro::errors::kEllipsis;
using ferro::errors::kMessageSize;
using ferro::errors::kPathSize;

// A caller's text as it goes into the box: its first `shown` bytes, followed
// by "..." when it was shortened. The caller's string itself is never changed.
struct Part {
    const char* text = "";
    std::size_t length = 0;
    std::size_t shown = 0;
    bool cut = false;

    explicit Part(const char* s) {
        if (s) text = s;
        shown = length = std::strlen(text);
    }
    // Takes up to `excess` bytes off the end, never splitting a double-byte
    // character (which may take one byte more); returns the bytes taken.
    std::size_t shorten(std::size_t excess) {
        if (excess == 0 || shown == 0) return 0;
        std::size_t keep = excess >= shown ? 0 : ferro::errors::whole_prefix(text, shown, shown - excess);
        std::size_t taken = shown - keep;
        shown = keep;
        cut = true;
        return taken;
    }
    void write(Composer& out) const {
        out.add(text, shown);
        if (cut) out.add(kEllipsis);
    }
};

// Fits insert and prefix into `limit` bytes together with the blank between
// them: the one that is clearly too long gives up the excess. When that one
// would have to give up more than half the room, it keeps half and the other
// gives up the rest, so that both stay readable.
void fit(Part& insert, Part& prefix, long limit) {
    const std::size_t needed = insert.length + prefix.length + 1;
    const std::size_t cap = limit > 0 ? static_cast<std::size_t>(limit) : 0;
    if (needed <= cap) return;
    std::size_t excess = needed - cap;
    const long I = static_cast<long>(insert.length), P = static_cast<long>(prefix.length);
    Part* first = P > limit ? &prefix : I > limit ? &insert : I > P ? &insert : &prefix;
    Part* second = first == &insert ? &prefix : &insert;
    const std::size_t keep = first->length < cap / 2 ? first->length : cap / 2;
    const std::size_t most = first->length - keep;
    std::size_t taken = first->shorten(excess < most ? excess : most);
    if (taken < excess) second->shorten(excess - taken);
}
}  // namespace

int WINAPI _MessageBoxPrintf(HINSTANCE instance, UINT messageId, UINT titleId, LPCSTR insert, HWND window,
                             UINT style, LPCSTR prefix) {
    char text[kPathSize];
    char message[kMessageSize];
    char title[kMessageSize];
    _MyLoadString(instance, messageId, titleId);
    lstrcpynA(message, GetLoadStrMessage(), sizeof message);
    lstrcpynA(title, GetLoadStrTitle(), sizeof title);

    Part shown_insert(insert), shown_prefix(prefix);
    const long room = static_cast<long>(sizeof text) - static_cast<long>(std::strlen(message)) - 1;
    if (shown_insert.length) fit(shown_insert, shown_prefix, room - 4);

    Composer out(text, sizeof text);
    if (shown_prefix.length) {
        shown_prefix.write(out);
        out.add(" ");
    }
    if (shown_insert.length)
        ferro::errors::add_formatted_with(out, message, [&] { shown_insert.write(out); });
    else
        out.add(message);
    return myMessageBox(window, text, title, style);
}
