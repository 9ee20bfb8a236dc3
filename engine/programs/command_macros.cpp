// Command macros: a command character followed by a letter stands for the
// selected file, the current folder or drive, or the list of selected files.
#include <cstring>
#include <string>
#include <string_view>
#include <vector>
#include "frame/mbcs.h"
#include "frame/memory_blocks.h"
#include "frame/paths.h"
#include "frame/text.h"
#include "listing/selection.h"
#include "programs/launch.h"
#include "programs/launch_internal.h"

namespace {
using ferro::programs::MacroFlag;

constexpr std::size_t kWorkSize = 520;
constexpr char kQuote = '"';
constexpr char kDefaultEffective[] = "+-/*%#@~()<>[]{}*?.;:";
constexpr int kListLimit = 10;  // files of one command line for T

enum class Macro { kNone, kT, kTA, kM, kP, kD, kC, kX, kK };

struct MacroAt {
    Macro kind;
    int letters;
};

char upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

// The macro whose letters start at p (T, M, P, D, C, X, K; TA before T).
MacroAt macro_at(const char* p) {
    switch (upper(*p)) {
    case 'T': return upper(p[1]) == 'A' ? MacroAt{Macro::kTA, 2} : MacroAt{Macro::kT, 1};
    case 'M': return {Macro::kM, 1};
    case 'P': return {Macro::kP, 1};
    case 'D': return {Macro::kD, 1};
    case 'C': return {Macro::kC, 1};
    case 'X': return {Macro::kX, 1};
    case 'K': return {Macro::kK, 1};
    default: return {Macro::kNone, 0};
    }
}

LONG g_no_auto_quotation;
LONG g_quoted_lists;  // 1, 2, 4: the list macros M, T, TA written between quotation marks
MemoryTag g_effective;

bool has_space(std::string_view text) { return text.find(' ') != std::string_view::npos; }

// Appends the value in quoted form (between quotation marks when it holds a
// space) or as it is.
void append_value(std::string& out, std::string_view value, bool in_quotes) {
    bool mark = in_quotes && has_space(value) && value.front() != kQuote;
    if (mark) out += kQuote;
    out += value;
    if (mark) out += kQuote;
}

// What the macros of one expansion stand for, each worked out once.
class MacroValues {
public:
    explicit MacroValues(const char* file) {
        for (const char* p = file ? file : ""; *p; p = ferro::mbcs::next(p))
            if (*p != kQuote) name_.append(p, ferro::mbcs::char_size(p));
        const char* extension = GetFileExtension(name_.c_str());
        base_ = extension ? std::size_t(extension - name_.c_str()) - 1 : std::string::npos;
    }
    // Appends the value of one macro and returns its flag.
    LONG append(Macro kind, bool in_quotes, std::string& out) {
        switch (kind) {
        case Macro::kC:
            append_value(out, name_, in_quotes);
            return base_ != std::string::npos ? MacroFlag::kFileWithExtension : 0;
        case Macro::kX:  // in quoted form the closing mark stands where the period was
            append_value(out, std::string_view(name_).substr(0, base_), in_quotes);
            return MacroFlag::kFileWithoutExtension;
        case Macro::kP:
            append_value(out, folder(), in_quotes);
            return MacroFlag::kFolder;
        case Macro::kD:
            out += folder().substr(0, 2);
            return MacroFlag::kDrive;
        case Macro::kK:
            return MacroFlag::kNothing;
        default:
            return 0;
        }
    }

private:
    // The library's current folder (the source pane's); a root without its yen mark.
    std::string_view folder() {
        if (!folder_read_) {
            const char* current = GetCurDirectory(2);
            folder_ = current ? current : "";
            if (IsRootDir(folder_.c_str())) folder_.resize(2);
            folder_read_ = true;
        }
        return folder_;
    }
    std::string name_, folder_;
    std::size_t base_;
    bool folder_read_ = false;
};

LONG list_flag(Macro kind) {
    if (kind == Macro::kM) return MacroFlag::kList;
    if (kind == Macro::kT) return MacroFlag::kTenPerLine;
    return ferro::programs::selected_files().size() > kListLimit ? MacroFlag::kAllInOneLine
                                                                   : MacroFlag::kTenPerLine;
}
}  // namespace

namespace ferro::programs {
std::vector<std::string> selected_files() {
    std::vector<std::string> files;
    const char* list = GlobalLock_ghTemp();
    if (!list) return files;
    for (const char* p = list; *p;) {
        while (*p == ' ') ++p;
        if (!*p) break;
        const char* end = FindSpaceAs95OptionSeparator(p);
        std::size_t n = end ? std::size_t(end - p) : std::strlen(p);
        files.emplace_back(p, n);
        p += n;
    }
    GlobalUnlock_ghTemp();
    return files;
}

LONG quoted_list_macros() { return g_quoted_lists; }
}  // namespace ferro::programs

LONG WINAPI ExpandKeywords(HWND, LPCSTR commandTemplate, LPCSTR fileName, LPSTR output, int commandChar) {
    if (!output) return -1;
    *output = '\0';
    const char* t = commandTemplate ? commandTemplate : "";
    const char mark = static_cast<char>(commandChar);
    if (std::strlen(t) >= kWorkSize) return -1;
    MacroValues values(fileName);
    const bool auto_quotation = g_no_auto_quotation <= 0;
    g_quoted_lists = 0;
    std::string out;
    out.reserve(kWorkSize);
    LONG flags = 0;
    for (const char* p = t; *p;) {
        if (*p != mark || ferro::mbcs::char_size(p) == 2) {
            int n = ferro::mbcs::char_size(p);
            out.append(p, n);
            p += n;
            continue;
        }
        const char* letters = p;
        while (*letters == mark) ++letters;
        const MacroAt macro = macro_at(letters);
        if (letters - p >= 2) {
            // A doubled command character stands for itself: one of them goes.
            out.append(p, std::size_t(letters - p) - (macro.kind != Macro::kNone ? 1 : 0));
            p = letters;
            continue;
        }
        if (macro.kind == Macro::kNone) {
            unsigned char next = static_cast<unsigned char>(*letters);
            if (next < 0x80 && ((next | 0x20) >= 'a' && (next | 0x20) <= 'z')) flags |= MacroFlag::kUnknown;
            out += mark;
            ++p;
            continue;
        }
        const char* after = letters + macro.letters;
        // Quoted form: "$C" loses its marks and the value takes them when it needs them.
        const bool marked = p > t && p[-1] == kQuote && !out.empty() && out.back() == kQuote && *after == kQuote;
        if (marked) {
            out.pop_back();
            ++after;
        }
        if (macro.kind == Macro::kM || macro.kind == Macro::kT || macro.kind == Macro::kTA) {
            LONG flag = list_flag(macro.kind);
            flags |= flag;
            if (marked) g_quoted_lists |= flag & (MacroFlag::kList | MacroFlag::kTenPerLine | MacroFlag::kAllInOneLine);
            break;  // the caller appends the files here
        }
        flags |= values.append(macro.kind, marked || auto_quotation, out);
        p = after;
    }
    std::size_t start = out.find_first_not_of(' ');
    if (start == std::string::npos) start = out.size();
    if (out.size() - start >= kWorkSize) return -1;
    std::memcpy(output, out.c_str() + start, out.size() - start + 1);
    return flags;
}

LONG WINAPI IsCommandCharacterStartingFromCmdChar(LPSTR* position) {
    if (!position || !*position) return 0;
    const MacroAt macro = macro_at(*position + 1);
    if (macro.kind == Macro::kNone || macro.kind == Macro::kK) {
        *position = nullptr;
        return 0;
    }
    *position += 1 + macro.letters;
    return **position == kQuote ? 2048 : 1;
}

LONG WINAPI SetNoAuto95QuotationForMacroExpansion(LONG value) { return g_no_auto_quotation = value; }
LONG WINAPI IsNoAuto95QuotationForMacroExpansion() { return g_no_auto_quotation; }

LPSTR WINAPI InitEffectiveCharctersForCommandMacro() { return GetMemoryTag(&g_effective, kDefaultEffective); }

LPSTR WINAPI SaveEffectiveCharctersForCommandMacro(HWND, LPCSTR text) {
    return text ? GetMemoryTag(&g_effective, text) : g_effective.pointer;
}

namespace ferro::programs {
void free_effective_characters() { FreeMemoryTag(&g_effective); }
}  // namespace ferro::programs
