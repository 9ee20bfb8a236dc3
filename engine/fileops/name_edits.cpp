// ChangeName: gives a path the base name of a model, keeping its extension.
#include <cstring>
#include <string>
#include "fileops/delete.h"
#include "frame/paths.h"
#include "frame/text_internal.h"

namespace {
using namespace ferro;

// The text without an enclosing pair of quotation marks (either one alone
// is removed too); `quoted` tells whether there was any.
std::string unquoted(const char* s, bool& quoted) {
    std::string out(s);
    quoted = false;
    if (!out.empty() && out.front() == text::kQuote) {
        out.erase(0, 1);
        quoted = true;
    }
    if (!out.empty() && mbcs::ends_with(out.c_str(), out.size(), text::kQuote)) {
        out.pop_back();
        quoted = true;
    }
    return out;
}

// Offset of the file-name part of a path.
std::size_t name_offset(const std::string& path) {
    const char* yen = text::last_separator(path.c_str(), path.size());
    return yen ? static_cast<std::size_t>(yen - path.c_str()) + 1 : 0;
}

// Offset of the period that starts the extension of the name at `from`, or npos.
std::size_t period_offset(const std::string& path, std::size_t from) {
    const char* name = path.c_str() + from;
    const char* period = mbcs::find_last(name, '.');
    return period ? from + static_cast<std::size_t>(period - name) : std::string::npos;
}
}  // namespace

LPSTR WINAPI ChangeName(LPSTR path, LPSTR model) {
    if (text::is_empty(path) || text::is_empty(model)) return nullptr;
    bool path_quoted = false, model_quoted = false;
    const std::string p = unquoted(path, path_quoted);
    const std::string m = unquoted(model, model_quoted);

    const std::size_t model_name = name_offset(m);
    const std::size_t model_period = period_offset(m, model_name);
    const std::string base = m.substr(model_name, model_period == std::string::npos ? std::string::npos
                                                                                    : model_period - model_name);
    if (base.empty()) return nullptr;
    const std::size_t path_name = name_offset(p);
    const std::size_t path_period = period_offset(p, path_name);
    const std::string extension = path_period == std::string::npos ? std::string() : p.substr(path_period);

    std::string result = p.substr(0, path_name) + base + extension;
    if (path_quoted) result = text::kQuote + result + text::kQuote;
    if (result.size() > text::kPathMax) return nullptr;
    std::memcpy(path, result.c_str(), result.size() + 1);

    // The model keeps its folder and base name.
    std::string model_result = m.substr(0, model_name) + base;
    if (model_quoted) model_result = text::kQuote + model_result + text::kQuote;
    std::memcpy(model, model_result.c_str(), model_result.size() + 1);  // never longer than before
    return path;
}
