// The viewer's module state and the layout walk that loading and re-wrapping
// share (not exported).
#pragma once
#include <windows.h>
#include <cstddef>
#include <vector>

namespace ferro::viewer {
inline constexpr ULONGLONG kDefaultMaxSize = 0xF800;  // what a multi-line edit control shows well
inline constexpr UINT kEmptyFile = 7103;              // "ﾌｧｲﾙのｻｲｽﾞが０です。"

struct ViewerState {
    HGLOBAL text = nullptr;   // the text shown, zero-terminated
    HGLOBAL spare = nullptr;  // target of a re-wrap
    HGLOBAL name = nullptr;   // the file name shown
    ULONGLONG loaded = 0;
    ULONGLONG max_size = 0;
    ULONGLONG unit = 0;
    LONG partial = 0;
    LONG no_binary = 0;
    LONG current = 0, remaining = 0, total = 0;
    RECT rect{}, starting{};
    LONG option_changed = 0;
    HCURSOR cursors[3]{};
    // Offsets of the CR LF pairs that the last re-wrap inserted into the
    // text; empty for a text that was loaded or handed over as it is.
    std::vector<std::size_t> soft_breaks;
};
ViewerState& state();

// Makes `block` the text buffer (freeing the old one; its soft breaks go too).
void replace_text(HGLOBAL block);
// Sets the cursor `index` when it is loaded.
void show_cursor(int index);

// The layout of a text at `width` columns (0: no breaks): tabs become 4
// blanks; the CR LF pairs at the offsets `dropped` (sorted) are taken out; a
// CR LF goes before a character that would pass the width (a double-byte
// character counts 2 and is never split; one alone on a line may pass it).
// Writes to `out` when given and records the offsets of the breaks it
// inserted in `inserted`. Stops before the first character whose output
// would pass `limit` bytes; *consumed gets the input bytes laid out. Returns
// the output size. `at_half` is called once when half the input is passed.
std::size_t lay_out(const char* text, std::size_t n, ULONGLONG width, const std::vector<std::size_t>& dropped,
                    char* out, std::vector<std::size_t>* inserted, std::size_t limit, std::size_t* consumed,
                    void (*at_half)() = nullptr);
}  // namespace ferro::viewer
