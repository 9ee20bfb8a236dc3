// Environment variables of the running program and of the system.
#include <cstring>
#include <iterator>
#include <string>
#include <cwchar>
#include "programs/processes.h"
#include "programs/programs_internal.h"
#include "programs/settings_link.h"

namespace ferro::programs {
// Between the code page's bytes and the platform's wide text.
std::wstring to_wide(const std::string& text) {
    int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(n > 0 ? std::size_t(n) : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
    wide.resize(wcslen(wide.c_str()));
    return wide;
}

std::string to_code_page(const std::wstring& wide) {
    int n = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(n > 0 ? std::size_t(n) : 1, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text.data(), n, nullptr, nullptr);
    text.resize(std::strlen(text.c_str()));
    return text;
}

bool environment_value(const char* name, std::string& value) {
    std::wstring wide_name = to_wide(name);
    DWORD n = GetEnvironmentVariableW(wide_name.c_str(), nullptr, 0);
    if (n == 0) return false;
    std::wstring wide(n, L'\0');
    n = GetEnvironmentVariableW(wide_name.c_str(), wide.data(), n);
    wide.resize(n);
    value = to_code_page(wide);
    return true;
}
}  // namespace ferro::programs

namespace {
constexpr char kSystemEnvironment[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

// Copies the value when it fits; the length with the terminator, or 0.
DWORD give(const std::string& value, LPSTR buffer, DWORD size) {
    if (value.size() >= size) {
        *buffer = '\0';
        return 0;
    }
    std::memcpy(buffer, value.c_str(), value.size() + 1);
    return static_cast<DWORD>(value.size() + 1);
}

using Reader = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);
constexpr Reader kReaders[] = {GetEnvironmentVariableFromUserPath, GetEnvironmentVariableFromSystemPath};
}  // namespace

DWORD WINAPI GetEnvironmentVariableFromUserPath(LPCSTR name, LPSTR buffer, DWORD size) {
    if (!buffer || size == 0) return 0;
    *buffer = '\0';
    std::string value;
    if (!name || !*name || !ferro::programs::environment_value(name, value)) return 0;
    return give(value, buffer, size);
}

DWORD WINAPI GetEnvironmentVariableFromSystemPath(LPCSTR name, LPSTR buffer, DWORD size) {
    if (!buffer || size == 0) return 0;
    *buffer = '\0';
    std::string value;
    if (!name || !*name || !ferro::programs::settings::read_machine_text(kSystemEnvironment, name, value)) return 0;
    ferro::programs::settings::expand_percent_names(value);
    return give(value, buffer, size);
}

LONG WINAPI myGetEnvironmentVariable(int index, LPCSTR name, LPSTR buffer, DWORD size, DWORD* result) {
    if (index < 0 || index >= int(std::size(kReaders))) return 0;
    DWORD n = kReaders[index](name, buffer, size);
    if (result) *result = n;
    return 1;
}
