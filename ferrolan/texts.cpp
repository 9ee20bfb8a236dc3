#include "texts.h"
#include <cstdarg>
#include <cstdio>
#include <vector>
#include "ferromes.h"
#include "frame/text.h"

namespace ferrolan {
std::string text(UINT id) {
    if (id == 0) return {};
    // The library refills one buffer on every call: the text is copied at once.
    MyLoadString(id, 0);
    return GetLoadStrMessage();
}

std::string format(UINT id, ...) {
    const std::string pattern = text(id);
    va_list args;
    va_start(args, id);
    std::vector<char> out(pattern.size() + 2048);
    std::vsnprintf(out.data(), out.size(), pattern.c_str(), args);
    va_end(args);
    return out.data();
}

std::string grouped(ULONGLONG number) {
    char digits[32], out[48];
    std::snprintf(digits, sizeof digits, "%llu", number);
    ArrangeNumberFromString(digits, out);
    return out;
}
}  // namespace ferrolan
