// Platform value: the decision from what the system reports to one 32-bit word of
// platform bits, and the platform's name. Pure functions, no system calls, so that
// every Windows release can be checked from a plain record.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace ferro::platform {

// Platform bits.
enum : DWORD {
    kWin31 = 0x1,             // name only, never decided
    kWin32s = 0x2,
    kWin95 = 0x4,
    kWin98 = 0x8,
    kWin95SE = 0x10,
    kWin98SE = 0x20,
    kWinMe = 0x40,
    kWinNT4 = 0x80,           // NT 4 and earlier
    kWin2000 = 0x100,
    kWinXP = 0x200,
    kServer = 0x400,
    kVista = 0x800,
    kWin32sPlatform = 0x1000,
    kProcessor32 = 0x2000,
    kProcessor64 = 0x4000,
    kWin9xFamily = 0x8000,
    kNT5Family = 0x10000,
    kNT5AndLater = 0x60000,
    kNT6Family = 0x80000,
    kWin7 = 0x100000,
    kAfterWin7 = 0x200000,
};

constexpr DWORD kUndetermined = 0xFFFFFFFF;
constexpr WORD kArchitectureX64 = 9;  // PROCESSOR_ARCHITECTURE_AMD64
constexpr BYTE kWorkstation = 1;      // VER_NT_WORKSTATION

// What the system says about itself.
struct VersionRecord {
    DWORD platform_id;              // VER_PLATFORM_WIN32s / _WINDOWS / _NT
    DWORD major;
    DWORD minor;
    DWORD build;                    // as reported; 9x keeps the version in the high word
    std::string_view service_pack;  // szCSDVersion
    BYTE product_type;              // wProductType, 0 when only the basic record answered
    WORD architecture;              // wProcessorArchitecture of the native system
    int server_r2;                  // GetSystemMetrics(SM_SERVERR2)
    DWORD product_info;             // GetProductInfo type, 0 when unavailable
};

struct Decision {
    DWORD value;
    DWORD build;
};

// Product types GetProductInfo reports for server editions.
constexpr DWORD kServerProducts[] = {
    PRODUCT_STANDARD_SERVER, PRODUCT_DATACENTER_SERVER, PRODUCT_SMALLBUSINESS_SERVER,
    PRODUCT_ENTERPRISE_SERVER, PRODUCT_DATACENTER_SERVER_CORE, PRODUCT_STANDARD_SERVER_CORE,
    PRODUCT_ENTERPRISE_SERVER_CORE, PRODUCT_ENTERPRISE_SERVER_IA64, PRODUCT_WEB_SERVER,
    PRODUCT_CLUSTER_SERVER, PRODUCT_HOME_SERVER, PRODUCT_STORAGE_EXPRESS_SERVER,
    PRODUCT_STORAGE_STANDARD_SERVER, PRODUCT_STORAGE_WORKGROUP_SERVER,
    PRODUCT_STORAGE_ENTERPRISE_SERVER, PRODUCT_SERVER_FOR_SMALLBUSINESS,
    PRODUCT_SMALLBUSINESS_SERVER_PREMIUM, PRODUCT_WEB_SERVER_CORE,
    PRODUCT_MEDIUMBUSINESS_SERVER_MANAGEMENT, PRODUCT_MEDIUMBUSINESS_SERVER_SECURITY,
    PRODUCT_MEDIUMBUSINESS_SERVER_MESSAGING, PRODUCT_SERVER_FOUNDATION,
    PRODUCT_HOME_PREMIUM_SERVER, PRODUCT_SERVER_FOR_SMALLBUSINESS_V, PRODUCT_STANDARD_SERVER_V,
    PRODUCT_DATACENTER_SERVER_V, PRODUCT_ENTERPRISE_SERVER_V, PRODUCT_DATACENTER_SERVER_CORE_V,
    PRODUCT_STANDARD_SERVER_CORE_V, PRODUCT_ENTERPRISE_SERVER_CORE_V, PRODUCT_HYPERV,
    PRODUCT_STORAGE_EXPRESS_SERVER_CORE, PRODUCT_STORAGE_STANDARD_SERVER_CORE,
    PRODUCT_STORAGE_WORKGROUP_SERVER_CORE, PRODUCT_STORAGE_ENTERPRISE_SERVER_CORE,
    PRODUCT_SB_SOLUTION_SERVER, PRODUCT_SERVER_FOR_SB_SOLUTIONS, PRODUCT_STANDARD_SERVER_SOLUTIONS,
    PRODUCT_STANDARD_SERVER_SOLUTIONS_CORE, PRODUCT_SB_SOLUTION_SERVER_EM,
    PRODUCT_SERVER_FOR_SB_SOLUTIONS_EM, PRODUCT_SOLUTION_EMBEDDEDSERVER,
    PRODUCT_SOLUTION_EMBEDDEDSERVER_CORE, PRODUCT_ESSENTIALBUSINESS_SERVER_MGMT,
    PRODUCT_ESSENTIALBUSINESS_SERVER_ADDL, PRODUCT_ESSENTIALBUSINESS_SERVER_MGMTSVC,
    PRODUCT_ESSENTIALBUSINESS_SERVER_ADDLSVC, PRODUCT_SMALLBUSINESS_SERVER_PREMIUM_CORE,
    PRODUCT_CLUSTER_SERVER_V, PRODUCT_MULTIPOINT_STANDARD_SERVER, PRODUCT_MULTIPOINT_PREMIUM_SERVER,
    PRODUCT_STANDARD_EVALUATION_SERVER, PRODUCT_DATACENTER_EVALUATION_SERVER,
    PRODUCT_STORAGE_WORKGROUP_EVALUATION_SERVER, PRODUCT_STORAGE_STANDARD_EVALUATION_SERVER,
    PRODUCT_NANO_SERVER, PRODUCT_CLOUD_STORAGE_SERVER, PRODUCT_ARM64_SERVER,
    PRODUCT_CLOUD_HOST_INFRASTRUCTURE_SERVER,
};

inline bool is_server_product(DWORD product_info) {
    return std::find(std::begin(kServerProducts), std::end(kServerProducts), product_info) !=
           std::end(kServerProducts);
}

inline DWORD decide_9x(DWORD minor, std::string_view service_pack) {
    char letter = service_pack.size() > 1 ? service_pack[1] : '\0';
    DWORD family = kWin9xFamily | kProcessor32;
    if (minor == 0) return family | kWin95 | (letter == 'B' || letter == 'C' ? DWORD(kWin95SE) : 0);
    if (minor == 10) return family | kWin98 | (letter == 'A' || letter == 'B' ? DWORD(kWin98SE) : 0);
    if (minor == 90) return family | kWinMe;
    return family;  // an unknown member of the family: no name bit
}

inline DWORD decide_nt6(const VersionRecord& r) {
    DWORD value = kNT5AndLater | kNT6Family | (r.product_type == kWorkstation ? 0 : DWORD(kServer));
    if (r.major > 6) value |= kAfterWin7;
    else if (r.minor == 0) value |= kVista;
    else if (r.minor == 1) value |= kWin7;
    else value |= kAfterWin7;
    // The server bit may already be set from the product type: or it, never add it.
    if (is_server_product(r.product_info)) value |= kServer;
    value |= r.architecture == kArchitectureX64 ? kProcessor64 : kProcessor32;
    return value;
}

inline DWORD decide_nt5(const VersionRecord& r) {
    if (r.minor == 0) return kNT5AndLater | kNT5Family | kProcessor32 | kWin2000;
    if (r.minor == 1) return kNT5AndLater | kNT5Family | kProcessor32 | kWinXP;
    // 5.2: Windows XP x64 or Server 2003 (and R2); no name bit of its own.
    bool x64_workstation = r.server_r2 == 0 && r.product_type == kWorkstation &&
                           r.architecture == kArchitectureX64;
    return kNT5AndLater | kNT5Family | (x64_workstation ? kProcessor64 : kProcessor32 | kServer);
}

inline Decision decide(const VersionRecord& r) {
    switch (r.platform_id) {
    case VER_PLATFORM_WIN32s:
        return {kWin32sPlatform | kWin32s, 0};
    case VER_PLATFORM_WIN32_WINDOWS:
        return {decide_9x(r.minor, r.service_pack), LOWORD(r.build)};
    case VER_PLATFORM_WIN32_NT:
        if (r.major >= 6) return {decide_nt6(r), r.build};
        if (r.major == 5) return {decide_nt5(r), r.build};
        return {kProcessor32 | kWinNT4, r.build};
    default:
        return {kUndetermined, 0};
    }
}

// Names, looked up in this order: the first entry whose bit is set names the platform.
struct NameEntry {
    DWORD bit;
    const char* name;
};
constexpr NameEntry kNames[] = {
    {kWin31, "Windows 3.1"},   {kWin32s, "Windows 32s"},   {kWin95, "Windows 95"},
    {kWin98SE, "Windows 98SE"}, {kWin98, "Windows 98"},     {kWinMe, "Windows Me"},
    {kWinNT4, "Windows NT"},   {kWin2000, "Windows 2000"}, {kWinXP, "Windows XP"},
    {kVista, "Windows Vista"}, {kWin7, "Windows 7"},       {kAfterWin7, "After Windows 7"},
};
constexpr std::string_view kSuffix64 = " 64bit";

// Every name with its suffix fits in this many bytes, the NUL included
// ("After Windows 7 64bit"); callers pass a buffer of at least this size.
constexpr std::size_t kNameSize = 22;

// The name of a value that has none of the name bits.
inline const char* unnamed_platform(DWORD value) {
    if ((value & (kNT5Family | kNT6Family)) == kNT5Family)
        return value & kServer ? "Windows Server 2003" : "Windows XP";  // version 5.2
    return "Windows";
}

// Writes the platform's name (the server bit does not repeat it) and returns its length.
// An undetermined value gives an empty name.
inline std::size_t write_name(DWORD value, char* buffer) {
    if (value == kUndetermined) {
        buffer[0] = '\0';
        return 0;
    }
    const char* base = unnamed_platform(value);
    for (const NameEntry& entry : kNames) {
        if (value & entry.bit) {
            base = entry.name;
            break;
        }
    }
    std::size_t length = std::strlen(base);
    std::memcpy(buffer, base, length);
    if (value & kProcessor64) {
        std::memcpy(buffer + length, kSuffix64.data(), kSuffix64.size());
        length += kSuffix64.size();
    }
    buffer[length] = '\0';
    return length;
}

}  // namespace ferro::platform
