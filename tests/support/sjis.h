// Tests write Japanese text readably in UTF-8; the engine sees code page 932.
#pragma once
#include <string>

namespace ferro_test {
// The UTF-8 text converted to code-page-932 bytes (e.g. sjis("表") == "\x95\x5c").
std::string sjis(const char* utf8);
// Code-page-932 bytes back to UTF-8, for readable failure messages.
std::string utf8(const std::string& cp932);
}  // namespace ferro_test
