#include "frame/platform_version.h"

#include <algorithm>
#include <cstring>

#include "frame/platform_decision.h"

#ifndef _WIN64
static_assert(sizeof(OSVERSIONINFOEXA) == 156);
static_assert(sizeof(OSVERSIONINFOA) == 148);
#endif

namespace {
namespace pf = ferro::platform;

constexpr std::size_t kServicePackSize = 520;

DWORD g_platform = pf::kUndetermined;
bool g_computed;
LONG g_major = -1;
LONG g_minor = -1;
DWORD g_build;
char g_service_pack[kServicePackSize];

using GetNativeSystemInfoFn = void(WINAPI*)(LPSYSTEM_INFO);
using GetProductInfoFn = BOOL(WINAPI*)(DWORD, DWORD, DWORD, DWORD, PDWORD);

template <typename Fn>
Fn kernel32_function(const char* name) {
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    return kernel32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(kernel32, name)))
                    : nullptr;
}

// The extended record when the system knows it, else the basic one (product type 0).
bool query_version(OSVERSIONINFOEXA& info) {
    std::memset(&info, 0, sizeof info);
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
    if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) return true;
    std::memset(&info, 0, sizeof info);
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    return GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)) != FALSE;
}

WORD native_architecture() {
    SYSTEM_INFO info{};
    if (auto native = kernel32_function<GetNativeSystemInfoFn>("GetNativeSystemInfo"))
        native(&info);
    else
        GetSystemInfo(&info);
    return info.wProcessorArchitecture;
}

DWORD product_info(const OSVERSIONINFOEXA& info) {
    DWORD type = 0;
    if (info.dwMajorVersion < 6) return 0;
    auto get = kernel32_function<GetProductInfoFn>("GetProductInfo");
    if (!get || !get(info.dwMajorVersion, info.dwMinorVersion, info.wServicePackMajor,
                     info.wServicePackMinor, &type))
        return 0;
    return type;
}

void determine() {
    if (g_computed) return;
    OSVERSIONINFOEXA info;
    if (!query_version(info)) return;
    info.szCSDVersion[sizeof info.szCSDVersion - 1] = '\0';

    pf::VersionRecord record{};
    record.platform_id = info.dwPlatformId;
    record.major = info.dwMajorVersion;
    record.minor = info.dwMinorVersion;
    record.build = info.dwBuildNumber;
    record.service_pack = info.szCSDVersion;
    record.product_type = info.wProductType;
    record.architecture = native_architecture();
    record.server_r2 = GetSystemMetrics(SM_SERVERR2);
    record.product_info = product_info(info);

    pf::Decision decision = pf::decide(record);
    g_major = static_cast<LONG>(info.dwMajorVersion);
    g_minor = static_cast<LONG>(info.dwMinorVersion);
    g_computed = true;
    g_platform = decision.value;
    g_build = decision.build;
    g_service_pack[0] = '\0';
    if (info.dwPlatformId != VER_PLATFORM_WIN32s) {
        std::size_t length = (std::min)(record.service_pack.size(), kServicePackSize - 1);
        std::memcpy(g_service_pack, record.service_pack.data(), length);
        g_service_pack[length] = '\0';
    }
}
}  // namespace

DWORD WINAPI GetWindowsVersion() {
    determine();
    return g_platform;
}

DWORD WINAPI GetWindowsPlatform(LPSTR buffer) {
    determine();
    if (buffer) pf::write_name(g_platform, buffer);
    return g_platform;
}

DWORD WINAPI IsWindowsAfterXP() {
    determine();
    if (g_platform == pf::kUndetermined) return 0;
    return g_platform & (pf::kNT5Family | pf::kNT6Family);
}

LONG WINAPI GetWindowsMajorVersion() {
    determine();
    return g_major;
}

LONG WINAPI GetWindowsMinorVersion() {
    determine();
    return g_minor;
}

DWORD WINAPI GetBuiltVersion() {
    determine();
    return g_build;
}

LPCSTR WINAPI GetExtraInfoForWindowsVersion(LPSTR buffer) {
    determine();
    if (buffer) {
        std::size_t length = std::strlen(g_service_pack);  // kept below 520 bytes
        std::memcpy(buffer, g_service_pack, length + 1);
    }
    return g_service_pack[0] ? g_service_pack : nullptr;
}
