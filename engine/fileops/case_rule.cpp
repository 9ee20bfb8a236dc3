// The case rule: the spelling a renamed or copied entry gets, and the
// renames that give an existing entry that spelling.
#include <cstring>
#include <string>
#include "fileops/case_rule.h"
#include "frame/paths.h"
#include "frame/text.h"
#include "frame/text_internal.h"
#include "fs/dos_find.h"
#include "fs/dos_names.h"
#include "programs/error_report.h"
#include "settings/place_follow.h"

namespace {
using namespace ferro;

constexpr LONG kRequest = 0x1, kReport = 0x2;
constexpr LONG kLower = 0x4, kUpper = 0x8, kCapital = 0x10;
constexpr LONG kAlternative = 0x200, kNoChange = 0x400, kTopToo = 0x800;
constexpr UINT kCaseFailed = 8188;  // "名前の大小文字の変更に失敗しました。"

// The rule with the alternative choices put in place.
LONG effective_rule(LONG rule) {
    if (rule & kAlternative) {
        for (LONG bit : {kLower, kUpper, kCapital})
            if (rule & bit) {
                rule &= ~bit;
                break;
            }
        const LONG alternatives[][2] = {{0x20, kLower}, {0x40, kUpper}, {0x80, kCapital}};
        for (const auto& pair : alternatives)
            if (rule & pair[0]) {
                rule |= pair[1];
                break;
            }
    }
    if (rule & kCapital) rule |= kLower;
    return rule;
}

bool changes_spelling(LONG rule) { return !(rule & kNoChange) && (rule & (kLower | kUpper)); }

// `name` spelt by the (effective) rule.
std::string spelt(const char* name, LONG rule) {
    std::string out(name);
    if (!changes_spelling(rule)) return out;
    if (rule & kUpper && !(rule & kLower)) {
        text::upper_in_place(out.data());
        return out;
    }
    text::lower_in_place(out.data());
    char* start = out.data();
    if (text::is_drive_letter(start[0]) && start[1] == ':') {
        start[0] = static_cast<char>(SetCharacterUpper(static_cast<unsigned char>(start[0])));
        start += 2;
    }
    if ((rule & kCapital) && *start && mbcs::char_size(start) == 1)
        *start = static_cast<char>(SetCharacterUpper(static_cast<unsigned char>(*start)));
    return out;
}

// The path with its last component as the file system stores it (quotation
// marks removed); empty when it cannot be found or is too long.
std::string stored_spelling(const char* path) {
    char buffer[text::kPathSize];
    if (!text::copy_bounded(buffer, path)) return {};
    text::strip_quotes(buffer);
    WIN32_FIND_DATAA record;
    if (myFindFileAProperty(buffer, &record) != 0) return {};
    char* name = GetFileName(nullptr, buffer);
    if (!name) return {};
    std::string out(buffer, static_cast<std::size_t>(name - buffer));
    out += record.cFileName;
    return out.size() > text::kPathMax ? std::string() : out;
}

const char* file_part(const std::string& path) { return GetFileName(nullptr, const_cast<char*>(path.c_str())); }

bool spelt_as(const std::string& target) {
    const std::string now = stored_spelling(target.c_str());
    return !now.empty() && std::strcmp(file_part(now), file_part(target)) == 0;
}

// Renames `from` to `to`, which differ in spelling only or in name. Some file
// systems look the new name up without case and take a change of case for
// no change; the rename then goes through a free temporary name, and back
// to `from` if the second step fails.
bool rename_to(const std::string& from, const std::string& to) {
    if (WinRename(from.c_str(), to.c_str()) != 0) return false;
    if (spelt_as(to)) return true;
    const std::string folder = from.substr(0, static_cast<std::size_t>(file_part(from) - from.c_str()));
    for (unsigned attempt = 0; attempt < 16; ++attempt) {
        char name[32];
        wsprintfA(name, "~case%08lx.tmp", GetTickCount() + attempt);
        const std::string temporary = folder + name;
        if (temporary.size() > text::kPathMax) return false;
        if (IsFileDirExist(temporary.c_str())) continue;
        if (WinRename(from.c_str(), temporary.c_str()) != 0) return false;
        if (WinRename(temporary.c_str(), to.c_str()) == 0) return true;
        WinRename(temporary.c_str(), from.c_str());
        return false;
    }
    return false;
}
}  // namespace

LONG WINAPI GetRenamedCaseSensitive(LPCSTR source, LPSTR*, LONG caseRule) {
    const LONG rule = effective_rule(caseRule);
    LONG result = rule | ((caseRule & kReport) ? 0 : kRequest);
    if (text::is_empty(source)) return result;
    const std::string stored = stored_spelling(source);
    const char* name = stored.empty() ? nullptr : file_part(stored);
    if (!name || !changes_spelling(rule)) return result;
    const bool allowed = !(caseRule & kReport) || (caseRule & kRequest);
    if (allowed && spelt(name, rule) != name) result |= kReport | kRequest;
    return result;
}

LONG WINAPI RenameTgtfileIfCaseSensitive(LPCSTR existing, LPCSTR model, LONG caseRule) {
    if (text::is_empty(existing) || text::is_empty(model)) return 0;
    if (!IsFileDirExist(existing) || !IsFileDirExist(model)) return 0;
    const LONG rule = effective_rule(caseRule);
    if (!changes_spelling(rule)) return 0;
    const std::string stored = stored_spelling(existing);
    const std::string model_stored = stored_spelling(model);
    const char* old_name = stored.empty() ? nullptr : file_part(stored);
    const char* model_name = model_stored.empty() ? nullptr : file_part(model_stored);
    if (!old_name || !model_name) return 0;
    const std::string new_name = spelt(model_name, rule);
    if (new_name == old_name) return 0;
    std::string target = stored.substr(0, static_cast<std::size_t>(old_name - stored.c_str())) + new_name;
    if (target.size() > text::kPathMax) return -1;
    if (rename_to(stored, target)) {
        // The favourite folders and the history follow a renamed folder.
        const DWORD attributes = GetFileAttributesA(target.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            ferro::places::follow_folder_renamed(stored.c_str(), target.c_str());
        return 1;
    }
    SaveOutputFileMemoryHandle(nullptr, nullptr, existing, target.c_str(), kCaseFailed, -1);
    return -1;
}

LONG WINAPI RenameSubdirForCaseSensitive(LPCSTR path, LPSTR work, LPCSTR top, LONG caseRule) {
    if (text::is_empty(path) || text::is_empty(top) || !work) return 0;
    if (IsDirectoryContained(path, top, FALSE) != path) return 0;
    char level[text::kPathSize];
    if (!text::copy_bounded(level, path) || !text::copy_bounded(work, path)) return 0;
    const std::size_t top_len = std::strlen(top);
    // From the deepest level up: renaming a level leaves the levels above
    // unchanged. Each new spelling goes into `work` at its place.
    for (;;) {
        const std::size_t len = std::strlen(level);
        const bool at_top = len <= top_len || (len == top_len + 1 && mbcs::ends_with(level, len, '\\'));
        if (at_top && !(caseRule & kTopToo)) break;
        if (!IsRootDir(level) && RenameTgtfileIfCaseSensitive(level, level, caseRule) == 1) {
            const std::string now = stored_spelling(level);
            if (now.size() == len) std::memcpy(work, now.c_str(), len);
        }
        if (at_top) break;
        const int code = text::up_one(level);
        if (code != -20 && code != -30) break;  // nothing above
    }
    return 1;
}
