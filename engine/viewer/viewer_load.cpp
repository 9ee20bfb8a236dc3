// Loading a file for the viewer: read up to the cap, clean the bytes so that
// a multi-line edit control shows them (control bytes become blanks, every
// line end becomes CR LF) and keep the text within the cap once wrapped.
#include <cstring>
#include <string>
#include "ferromes.h"
#include "frame/error_boxes.h"
#include "frame/error_state.h"
#include "frame/mbcs.h"
#include "frame/size_degradation.h"
#include "frame/text.h"
#include "fs/dos_files.h"
#include "viewer/viewer.h"
#include "viewer/viewer_internal.h"

namespace ferro::viewer {
namespace {
constexpr int kMostDiskRetries = 16;  // a box that cannot be shown answers at once

// Bytes shown as they are: printable ASCII, the tab and the single-byte katakana.
struct KeptBytes {
    bool kept[256] = {};
    KeptBytes() {
        for (int c = 0x20; c < 0x7f; ++c) kept[c] = true;
        kept['\t'] = true;
        for (int c = 0x80; c < 0x100; ++c) kept[c] = myIskmoji(c) != FALSE;
    }
};

bool is_kept(unsigned char c) {
    static const KeptBytes table;
    return table.kept[c];
}

// The cleaned text: a double-byte character stays as it is; NUL and every
// other byte that the control cannot show becomes a blank (so does a lead
// byte without its trail byte); in a run of carriage returns all but the last
// become blanks, and a line end is always CR LF: a line feed is added after a
// carriage return that has none, and a carriage return before a lone line
// feed. No byte of the file is lost.
std::string clean(const char* data, std::size_t n) {
    std::string out;
    out.reserve(n + n / 16 + 2);
    for (std::size_t i = 0; i < n;) {
        const unsigned char c = static_cast<unsigned char>(data[i]);
        if (mbcs::is_lead(c) && i + 1 < n && mbcs::is_trail(static_cast<unsigned char>(data[i + 1]))) {
            out.append(data + i, 2);
            i += 2;
        } else if (c == '\r') {
            std::size_t j = i;
            while (j < n && data[j] == '\r') ++j;
            out.append(j - i - 1, ' ');
            out += "\r\n";
            i = j < n && data[j] == '\n' ? j + 1 : j;
        } else if (c == '\n') {
            out += "\r\n";
            ++i;
        } else {
            out += is_kept(c) ? static_cast<char>(c) : ' ';
            ++i;
        }
    }
    return out;
}

// The longest start of `text` that fits in `room` bytes: whole characters,
// a CR LF never cut in two; laid out at `width` when that is set.
std::size_t fitting_length(const char* text, std::size_t n, ULONGLONG width, std::size_t room) {
    if (width != 0) {
        std::size_t consumed = 0;
        lay_out(text, n, width, {}, nullptr, nullptr, room, &consumed);
        return consumed;
    }
    if (n <= room) return n;
    std::size_t cut = room;
    if (cut > 0 && mbcs::lead_at(text, cut - 1)) --cut;
    if (cut > 0 && text[cut - 1] == '\r' && text[cut] == '\n') --cut;
    return cut;
}

// The file's bytes read into `buffer`: the count, or -1 (nothing read, or a
// read error without an error number) or -4 (the user stopped after a disk error).
LONGLONG read_file(HANDLE file, char* buffer, DWORD wanted, LPCSTR name) {
    const LONGLONG start = myTell(file);
    for (int attempt = 0;; ++attempt) {
        DWORD done = 0;
        bool failed = false;
        while (done < wanted) {
            const LONG got = my_lRead(file, buffer + done, wanted - done);
            if (got < 0) {
                failed = true;
                break;
            }
            if (got == 0) break;
            done += static_cast<DWORD>(got);
        }
        if (!failed) return done == 0 ? -1 : static_cast<LONGLONG>(done);
        if (Get_errno() == 0 || attempt >= kMostDiskRetries) return -1;
        if (CheckDiskError(nullptr, name) == IDYES) return -4;
        my_llSeek(file, static_cast<LONG>(start & 0xffffffff), static_cast<LONG>(start >> 32), 0);
    }
}

class FileOpened {
public:
    explicit FileOpened(HANDLE h) : h_(h) {}
    ~FileOpened() {
        if (ok()) myClose(h_);
    }
    FileOpened(const FileOpened&) = delete;
    FileOpened& operator=(const FileOpened&) = delete;
    bool ok() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};
}  // namespace
}  // namespace ferro::viewer

LONG WINAPI GetFileContentForView(LPCSTR fileName, ULONGLONG lineWidth) {
    using namespace ferro::viewer;
    ViewerState& s = state();
    s.partial = 0;
    const bool cleaning = s.no_binary == 0;
    s.no_binary = 0;

    FileOpened file(myOpen(fileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL));
    if (!file.ok()) return -5;
    const LONGLONG length = GetFileLengthFromHandle(file.get());
    if (length < 0) return -5;
    if (length == 0) {
        MyLoadString(kEmptyFile, 0);
        SetViewerBuffer(GetLoadStrMessage());
        return -2;
    }

    // Twice the file leaves room for what cleaning and wrapping add; the cap
    // counts the text without its terminator.
    const ULONGLONG cap = s.max_size ? s.max_size : kDefaultMaxSize;
    const ULONGLONG size = static_cast<ULONGLONG>(length);
    ULONGLONG want = size > cap / 2 ? cap : size * 2;
    if (want > 0xFFFFFFF0ull) want = 0xFFFFFFF0ull;
    HGLOBAL block = nullptr;
    const DWORD obtained = ferro::degrade_until(static_cast<DWORD>(want) + 1, [&](DWORD bytes) {
        block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
        return block != nullptr;
    });
    char* buffer = block ? static_cast<char*>(GlobalLock(block)) : nullptr;
    if (!buffer) {
        if (block) GlobalFree(block);
        return -3;
    }
    const std::size_t room = obtained - 1;
    const DWORD wanted = static_cast<DWORD>(size < room ? size : room);
    const LONGLONG got = read_file(file.get(), buffer, wanted, fileName);
    if (got < 0) {
        GlobalUnlock(block);
        GlobalFree(block);
        return static_cast<LONG>(got);
    }
    std::size_t read = static_cast<std::size_t>(got);
    const bool more = static_cast<ULONGLONG>(read) < size;
    // A character or a line end that the cap cut in two belongs to the part not shown.
    if (more && read > 0 && ferro::mbcs::lead_at(buffer, read - 1)) --read;
    if (more) while (read > 0 && buffer[read - 1] == '\r') --read;

    std::string cleaned = cleaning ? clean(buffer, read) : std::string(buffer, read);
    const std::size_t shown = fitting_length(cleaned.data(), cleaned.size(), lineWidth, room);
    std::memcpy(buffer, cleaned.data(), shown);
    std::memset(buffer + shown, 0, obtained - shown);
    GlobalUnlock(block);
    replace_text(block);
    s.loaded = static_cast<ULONGLONG>(got);
    s.partial = more || shown < cleaned.size() ? 1 : 0;
    return 0;
}
