#include "support/sjis.h"
#include <windows.h>
#include <vector>

namespace ferro_test {
namespace {
std::string convert(const std::string& text, UINT from, UINT to) {
    if (text.empty()) return {};
    int wide_len = MultiByteToWideChar(from, 0, text.data(), int(text.size()), nullptr, 0);
    std::vector<wchar_t> wide(wide_len);
    MultiByteToWideChar(from, 0, text.data(), int(text.size()), wide.data(), wide_len);
    int len = WideCharToMultiByte(to, 0, wide.data(), wide_len, nullptr, 0, nullptr, nullptr);
    std::string out(len, '\0');
    WideCharToMultiByte(to, 0, wide.data(), wide_len, out.data(), len, nullptr, nullptr);
    return out;
}
}  // namespace

std::string sjis(const char* utf8) { return convert(utf8 ? utf8 : "", CP_UTF8, 932); }
std::string utf8(const std::string& cp932) { return convert(cp932, 932, CP_UTF8); }
}  // namespace ferro_test
