// The newer-version check: the update page is read through ferro32's page
// reader, its "[Update]" line names the installer and its version, and the
// outcome is a small number (see update.h).
#include <cstring>
#include "ferromes.h"
#include "frame/cursors.h"
#include "frame/error_internal.h"
#include "frame/memory_blocks.h"
#include "frame/platform_version.h"
#include "frame/text.h"
#include "internet/internet.h"
#include "update_internal.h"

namespace ferro::update {
State g_state;

namespace {
constexpr char kUpdateKey[] = "[Update]";
constexpr std::size_t kAddressSize = 260;
constexpr DWORD kPlatformWithoutBrowserStart = 0x80000;

// Messages of the error report, by read result.
struct ErrorText {
    LONG result;
    UINT message;
};
constexpr ErrorText kErrorTexts[] = {{-3, 8316}, {-8, 8339}, {-9, 8340}, {-25, 8350}};
constexpr UINT kOtherError = 8315;

// Replaces the new-version memory by a block holding `text`; false when no
// block could be had (the old one is gone either way).
bool store_address(const char* text) {
    free_new_version_memory();
    g_state.new_version_memory = SaveToGlobalMemory(nullptr, nullptr, text);
    return g_state.new_version_memory != nullptr;
}

// The address text kept in the new-version memory ("" when there is none).
bool read_address(char* out, std::size_t cap) {
    out[0] = '\0';
    if (!g_state.new_version_memory) return false;
    const char* text = static_cast<const char*>(GlobalLock(g_state.new_version_memory));
    if (!text) return false;
    lstrcpynA(out, text, static_cast<int>(cap));
    const bool fits = std::strlen(text) < cap;
    GlobalUnlock(g_state.new_version_memory);
    return fits;
}

// The consumer of the update page.
LONG WINAPI parse_update_page(LONG* result, LPCSTR page, LONG_PTR) {
    const char* key = std::strstr(page, kUpdateKey);
    if (!key) return 0;
    const char* line = key + std::strlen(kUpdateKey);
    const char* end = FindLineEnd(line);
    const std::size_t length = end ? static_cast<std::size_t>(end - line) : std::strlen(line);
    const char* semicolon = static_cast<const char*>(std::memchr(line, ';', length));
    if (!semicolon) return 0;
    char text[kAddressSize];
    const std::size_t n = static_cast<std::size_t>(semicolon - line);
    if (n >= sizeof text) return -1;  // no installer name is that long
    std::memcpy(text, line, n);
    text[n] = '\0';
    // A line without a version names no installer: the kept address stays.
    const LONG answer =
        GetVersionYearAndNumberFromString(text, &g_state.site_year, &g_state.site_number) && store_address(text) ? 1
                                                                                                                  : -1;
    if (result) *result = answer;
    return answer;
}

bool is_newer() {
    if (g_state.running_year != g_state.site_year) return g_state.running_year < g_state.site_year;
    if (g_state.running_number != g_state.site_number) return g_state.running_number < g_state.site_number;
    return g_state.items.same_counts_as_newer();
}

void report(LONG read, UINT titleId, LPCSTR titleArgument) {
    UINT message = kOtherError;
    for (const ErrorText& row : kErrorTexts)
        if (row.result == read) message = row.message;
    if (!(g_state.flags() & kToOutput)) {
        ShowMessageForInternetConnection(message, titleId, titleArgument, g_state.items.product(), 0);
        return;
    }
    if (!g_state.output) return;
    _MyLoadString(GetSysDlgInstance(), message, 0);
    char text[errors::kMessageSize + 8];
    errors::Composer out(text, sizeof text - 2);
    errors::add_formatted(out, GetLoadStrMessage(), g_state.items.product());
    std::strcat(text, "\r\n");
    g_state.output(g_state.output_value, text, g_state.output_value);
}

LONG check(UINT titleId, LPCSTR titleArgument, HGLOBAL* memoryOut, HWND c1, UINT_PTR c2, LONG_PTR c3, LONG_PTR c4,
           DWORD* c5) {
    if (!g_state.items_set || g_state.quit_on_close) return 0;
    char address[kAddressSize];
    LONG read = 1;
    if ((g_state.flags() & kReuse) && read_address(address, sizeof address) && address[0]) {
        if (g_state.new_version_result != 0) {
            if (memoryOut) *memoryOut = g_state.new_version_memory;
            return g_state.new_version_result;
        }
    } else {
        g_state.site_year = g_state.site_number = 0;
        read = ReadFileByHttp(g_state.items.page(), parse_update_page, c1, c2, c3, c4, c5, 0);
    }
    if (read == 0) return 0;
    if (read != 1) {
        if (!(g_state.flags() & kQuiet)) report(read, titleId, titleArgument);
        return 0;
    }
    if (g_state.quit_on_close) return 0;
    const bool newer = is_newer();
    if (g_state.flags() & kAnswerOnly) {
        free_new_version_memory();  // only the answer is kept
        return newer ? 6 : 2;
    }
    if (!newer) {
        free_new_version_memory();
        return (g_state.flags() & kQuiet) ? 0 : -2;
    }
    if (!read_address(address, sizeof address) || !address[0]) return 0;
    // The installer's address: the download folder's prefix and the name from
    // the page, refused when it does not fit in its 260 bytes.
    const char* prefix = g_state.items.prefix() ? g_state.items.prefix() : "";
    char installer[kAddressSize];
    if (std::strlen(prefix) + std::strlen(address) >= sizeof installer) return 0;
    std::strcpy(installer, prefix);
    std::strcat(installer, address);
    if (!store_address(installer)) return 0;
    if (memoryOut) *memoryOut = g_state.new_version_memory;
    g_state.new_version_result = (GetWindowsPlatform(nullptr) & kPlatformWithoutBrowserStart) ? -1 : 1;
    return g_state.new_version_result;
}
}  // namespace

void free_new_version_memory() {
    if (g_state.new_version_memory) FreeStringPointer(g_state.new_version_memory, nullptr);
    g_state.new_version_memory = nullptr;
    g_state.new_version_result = 0;
}

LONG run_check(UINT titleId, LPCSTR titleArgument, HGLOBAL* memoryOut, HWND c1, UINT_PTR c2, LONG_PTR c3,
               LONG_PTR c4, DWORD* c5) {
    const LONG result = check(titleId, titleArgument, memoryOut, c1, c2, c3, c4, c5);
    PutArrowCursor();
    return result;
}
}  // namespace ferro::update
