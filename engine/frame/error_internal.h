// Helpers shared by the message boxes and error texts of this folder (not
// exported): bounded composition of box texts, the built-in texts picked by
// the language index, and the links to the parts that report network errors
// and keep the error report list.
#pragma once
#include <windows.h>
#include <cstddef>
#include <cstring>
#include "ferromes.h"
#include "frame/mbcs.h"

namespace ferro::errors {
// A block of the process heap, freed when it goes out of scope.
class HeapText {
public:
    explicit HeapText(std::size_t size) : p_(static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, size))) {}
    ~HeapText() {
        if (p_) HeapFree(GetProcessHeap(), 0, p_);
    }
    HeapText(const HeapText&) = delete;
    HeapText& operator=(const HeapText&) = delete;
    char* get() const { return p_; }

private:
    char* p_;
};

inline constexpr std::size_t kTitleSize = 100;         // title of a system error box
inline constexpr std::size_t kCompositionSize = 1088;  // the shared composition buffer
inline constexpr std::size_t kMessageSize = 1040;      // one loaded message text
inline constexpr std::size_t kPathSize = 520;          // names, titles and the help text
inline constexpr std::size_t kSystemTextSize = 65535;  // text of a system error box
inline constexpr char kEllipsis[] = "...";

// ---- Bounded composition --------------------------------------------------

// The length of the longest prefix of s (len bytes) that has at most `max`
// bytes and does not end inside a double-byte character.
inline std::size_t whole_prefix(const char* s, std::size_t len, std::size_t max) {
    if (len <= max) return len;
    return max > 0 && mbcs::lead_at(s, max - 1) ? max - 1 : max;
}

// Writes a NUL-terminated text into a buffer of `cap` bytes. Nothing is ever
// written past the buffer: what does not fit is cut at a whole character.
class Composer {
public:
    Composer(char* buffer, std::size_t cap) : buf_(buffer), cap_(cap) {
        if (cap_) buf_[0] = '\0';
    }
    // Goes on after the text the buffer already holds (which must fit in it).
    static Composer continuing(char* buffer, std::size_t cap) {
        Composer out(buffer, 0);
        out.cap_ = cap;
        out.len_ = cap ? strnlen(buffer, cap - 1) : 0;
        if (cap) buffer[out.len_] = '\0';
        return out;
    }
    // Appends as much of s as fits. A null s appends nothing.
    Composer& add(const char* s) { return add(s, s ? std::strlen(s) : 0); }
    Composer& add(const char* s, std::size_t n) {
        if (!s || cap_ == 0) return *this;
        std::size_t take = whole_prefix(s, n, room());
        std::memcpy(buf_ + len_, s, take);
        len_ += take;
        buf_[len_] = '\0';
        return *this;
    }
    // Appends s but keeps `keep` bytes free for what follows; a text that has
    // to be cut ends with "..." so that the reader sees it was cut.
    Composer& add_fitted(const char* s, std::size_t keep) {
        if (!s) return *this;
        std::size_t n = std::strlen(s);
        std::size_t avail = room() > keep ? room() - keep : 0;
        if (n <= avail) return add(s, n);
        if (avail < sizeof kEllipsis) return add(s, avail);
        add(s, whole_prefix(s, n, avail - (sizeof kEllipsis - 1)));
        return add(kEllipsis);
    }
    std::size_t room() const { return cap_ ? cap_ - 1 - len_ : 0; }
    std::size_t length() const { return len_; }
    const char* text() const { return buf_; }

private:
    char* buf_;
    std::size_t cap_;
    std::size_t len_ = 0;
};

// Appends "'name'" and leaves at least `keep` bytes for what follows: a name
// too long for the room is shortened and ends with "...".
inline void add_quoted_name(Composer& out, const char* name, std::size_t keep) {
    out.add("'").add_fitted(name ? name : "", keep + 1).add("'");
}

// Appends `format` with whatever `write_insert()` appends in place of its
// first %s; "%%" is one percent sign, any other percent sequence stays as it
// stands, so a caller's text is never taken for a format.
template <class WriteInsert>
void add_formatted_with(Composer& out, const char* format, WriteInsert&& write_insert) {
    bool inserted = false;
    for (const char* p = format ? format : ""; *p;) {
        if (p[0] == '%' && p[1] == 's' && !inserted) {
            write_insert();
            inserted = true;
            p += 2;
        } else if (p[0] == '%' && p[1] == '%') {
            out.add("%", 1);
            p += 2;
        } else {
            const std::size_t n = static_cast<std::size_t>(mbcs::char_size(p));
            out.add(p, n);
            p += n;
        }
    }
}

// The same with a plain text (may be null) as the insert.
inline void add_formatted(Composer& out, const char* format, const char* insert) {
    add_formatted_with(out, format, [&] { out.add(insert ? insert : ""); });
}

// Copies of a message and a title loaded by number: the buffers of ferromes
// are refilled by the next load, which a hook or a timer may do while a box
// is open.
struct LoadedTexts {
    char message[kMessageSize];
    char title[kMessageSize];
    LoadedTexts(UINT messageId, UINT titleId) {
        MyLoadString(messageId, titleId);
        lstrcpynA(message, GetLoadStrMessage(), sizeof message);
        lstrcpynA(title, GetLoadStrTitle(), sizeof title);
    }
};

// The one composition buffer of the program-start, expand-copy and disk boxes.
char* composition_buffer();

// Length of s, 0 for null.
inline std::size_t length_of(const char* s) { return s ? std::strlen(s) : 0; }
inline bool is_empty(const char* s) { return s == nullptr || *s == '\0'; }

// ---- Built-in texts --------------------------------------------------------
// The language index: 0 English, any other value Japanese.
int language_index(int language);
const char* error_word(int language);         // title word of a system error box
const char* system_text_label(int language);  // label before a system text
const char* fallback_text(int language);      // a file error without a system text
const char* start_failure_text(int language);

// The system message text of the last PutErrorMessage (null when none).
const char* system_text();

// ---- Links to other parts of the library -----------------------------------
// The file attributes of `name`, or INVALID_FILE_ATTRIBUTES.
DWORD read_attributes(const char* name);
// The network side: its last error number, clearing it with the report
// handler's done flag, the report of a network error, and the classes of
// Win32 errors it knows.
DWORD network_error_number();
void clear_network_error();
void report_network_error(HWND window, DWORD error, const char* path);
bool is_network_error(DWORD error);
bool is_network_password_error(DWORD error);
bool is_assigned_network_drive(char letter);
// Opens a folder through the shell, which asks for a network password.
void open_folder_in_shell(HWND window, const char* folder);
// Notes a failed name under a heading in the error report list.
void note_in_error_report(HWND window, const char* name, UINT headingId);
}  // namespace ferro::errors
