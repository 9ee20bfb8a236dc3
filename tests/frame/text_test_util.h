// Shared helpers of the text and path tests.
#pragma once
#include <string>
#include "frame/paths.h"
#include "frame/text.h"
#include "support/guarded_buffer.h"
#include "support/sjis.h"

namespace text_test {
using ferro_test::GuardedBuffer;
using ferro_test::sjis;

// Japanese text in a test is written in UTF-8 and handed over as code page 932.
inline std::string S(const char* utf8) { return sjis(utf8); }

// A 520-byte path buffer that ends at an inaccessible page, holding `text`.
struct PathBuffer {
    GuardedBuffer buffer{520};
    explicit PathBuffer(const std::string& text = {}) { buffer.assign(text); }
    char* get() const { return buffer.data(); }
    operator char*() const { return buffer.data(); }
    std::string str() const { return std::string(buffer.str()); }
};

// A buffer exactly as long as the text and its NUL: reading one byte past
// the NUL crashes.
struct TightBuffer {
    GuardedBuffer buffer;
    explicit TightBuffer(const std::string& text) : buffer(text.size() + 1) { buffer.assign(text); }
    char* get() const { return buffer.data(); }
    operator char*() const { return buffer.data(); }
    std::string str() const { return std::string(buffer.str()); }
};

// The offset of a returned pointer inside the buffer, -1 for null.
inline long offset(const char* base, const char* p) { return p ? static_cast<long>(p - base) : -1; }

// Readable form of code-page-932 bytes for failure messages.
inline std::string show(const std::string& cp932) { return ferro_test::utf8(cp932); }
}  // namespace text_test
