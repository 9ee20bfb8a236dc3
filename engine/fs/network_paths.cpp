// The level of a network path and the conversions between the browsing form
// (\:\NETWORK\COMPUTER\SHARE\...) and the system form (\\COMPUTER\SHARE\...).
#include <windows.h>
#include <lm.h>
#include <cstring>
#include <string>
#include "frame/error_state.h"
#include "frame/mbcs.h"
#include "frame/paths.h"
#include "frame/text_internal.h"
#include "fs/drive_list_internal.h"
#include "fs/network.h"
#include "fs/network_internal.h"

using namespace ferro;
using text::kYen;

namespace {
bool has_wildcard(const char* path) {
    return mbcs::find_first(path, '*') != nullptr || mbcs::find_first(path, '?') != nullptr;
}

bool is_system_form(const char* path) { return path[1] == kYen; }

// n of the level table: the levels below the network itself. The system form
// begins at the computer, two levels down; "\\" alone is the network itself.
int level_of(const char* path) {
    const int count = ~IsMultiFolders(path);
    if (!is_system_form(path)) return count;
    return path[2] == '\0' ? 0 : count + 2;
}

// The network name of a browsing-form path (after "\:\"), and its end.
const char* name_end(const char* path) {
    const char* name = path + 3;
    const char* yen = mbcs::find_first(path, kYen, name);
    return yen ? yen : name + std::strlen(name);
}

char g_network_name[ferro::fs::net::kNameSize];
bool g_network_name_read;

void read_network_name() {
    g_network_name_read = true;
    DWORD size = sizeof g_network_name;
    if (GetComputerNameExA(ComputerNameDnsDomain, g_network_name, &size) && g_network_name[0]) return;
    g_network_name[0] = '\0';
    WKSTA_INFO_100* info = nullptr;
    if (NetWkstaGetInfo(nullptr, 100, reinterpret_cast<LPBYTE*>(&info)) == NERR_Success && info) {
        if (info->wki100_langroup)
            WideCharToMultiByte(CP_ACP, 0, info->wki100_langroup, -1, g_network_name, sizeof g_network_name,
                                nullptr, nullptr);
        NetApiBufferFree(info);
    }
    g_network_name[sizeof g_network_name - 1] = '\0';
}
}  // namespace

namespace ferro::fs::net {
const char* network_name() {
    if (!g_network_name_read) read_network_name();
    return g_network_name[0] ? g_network_name : settings().volume_name;
}

int folder_level(const char* path) {
    int n = level_of(path);
    const char* last = text::last_separator(path, std::strlen(path));
    if (n > 0 && last && has_wildcard(last)) --n;
    return n;
}
}  // namespace ferro::fs::net

using ferro::fs::net::settings;

DWORD WINAPI GetDriveMyNetworkFolderType(LPCSTR path) {
    if (!IsDriveMyNetwork(path)) return 0;
    const int n = level_of(path);
    DWORD type = 0;
    if (n == 0) type |= kNetLevelNetwork;
    if (n == 1) type |= kNetLevelName | (path[2] == kYen && path[3] == '\0' ? DWORD{kNetLevelRoot} : 0u);
    if (n == 2) type |= kNetLevelComputer;
    if (n == 3) type |= kNetLevelShare;
    if (n >= 4) type |= kNetLevelFolder;
    if (n >= 5) type |= kNetLevelDeep;
    if (has_wildcard(path)) type |= kNetLevelWildcard;
    if (is_system_form(path)) type |= kNetLevelSystem;
    else if (n >= 2) type |= kNetLevelConvertible;
    if (n >= 3) type |= kNetLevelInShare;
    return type;
}

DWORD WINAPI access_network(LPCSTR path) {
    Set_errno(0);
    return settings().access_type = GetDriveMyNetworkFolderType(path);
}

DWORD WINAPI IsDriveAtMostCompterLevel(LPCSTR path) {
    return GetDriveMyNetworkFolderType(path) & (kNetLevelNetwork | kNetLevelName | kNetLevelComputer);
}

DWORD WINAPI AddServerFolderTypeForMakeNetworkFolderName(DWORD mask) {
    return settings().server_types = mask ? settings().server_types | mask : 0;
}

LONG WINAPI NoCovertBetweenSystemNetworkAndMyNetwork(LONG value) { return settings().no_conversion = value; }

LPSTR WINAPI MakeNetworkFolderName(LPSTR path, LPINT saved) {
    int answer = 0;
    LPSTR result = path;
    if (!path) {
        // nothing to convert
    } else if (!IsDriveMyNetwork(path)) {
        answer = -static_cast<unsigned char>(path[0]);
    } else if (is_system_form(path)) {
        // A share and the folders in it are file-system names as they stand;
        // the network, a computer and the searches in them have none.
        if (ferro::fs::net::folder_level(path) > 2) answer = -static_cast<unsigned char>(path[0]);
    } else {
        const DWORD type = GetDriveMyNetworkFolderType(path);
        if ((type & settings().server_types) || (type & kNetLevelFolder)) {
            const char* end = name_end(path);
            if (!(type & kNetLevelConvertible)) {
                answer = -static_cast<unsigned char>(path[0]);
            } else if (end > path + 3 && *end == kYen) {
                // "\:\NETWORK\COMPUTER..." reads "\\COMPUTER..." from the
                // last byte of the network name once that is a yen mark.
                char* at = path + (end - path) - 1;
                answer = static_cast<unsigned char>(*at);
                *at = kYen;
                result = at;
            }
        }
    }
    if (saved) *saved = answer;
    return result;
}

LONG WINAPI RecoverNetworkFolderName(LPSTR position, LONG saved) {
    if (saved < 1 || !position) return 0;
    *position = static_cast<char>(saved);
    return 1;
}

LONG WINAPI ConvertNetworkServerNameIntoOrdinaryFolderName(LPSTR path) {
    if (!path || !IsDriveMyNetwork(path) || !is_system_form(path) || settings().no_conversion) return 0;
    const char* name = ferro::fs::net::network_name();
    if (!name[0]) return -1;
    const std::size_t name_length = std::strlen(name), rest = std::strlen(path + 1);
    if (3 + name_length + rest + 1 > text::kPathSize) return 0;
    std::memmove(path + 3 + name_length, path + 1, rest + 1);
    std::memcpy(path, "\\:\\", 3);
    std::memcpy(path + 3, name, name_length);
    return 1;
}

LONG WINAPI RecoverNetworkServerNameFromOrdinaryFolderName(LPSTR path) {
    if (!path || !IsDriveMyNetwork(path) || is_system_form(path)) return 0;
    if (!(GetDriveMyNetworkFolderType(path) & kNetLevelInShare)) return 0;
    const char* end = name_end(path);  // the yen mark before the computer
    path[0] = kYen;
    std::memmove(path + 1, end, std::strlen(end) + 1);
    return 1;
}

LONG WINAPI CorrectedNetworkFolderName(LPSTR path, LONG start) {
    if (!path || std::strlen(path) < 3 || start < 0 || static_cast<std::size_t>(start) >= std::strlen(path)) return 0;
    char* p = path + start;
    if (*p == text::kQuote) ++p;
    if (!IsDriveMyNetwork(p) || is_system_form(p) || !(GetDriveMyNetworkFolderType(p) & kNetLevelConvertible))
        return 0;
    const char* end = name_end(p);
    if (end <= p + 3 || *end != kYen) return 0;
    p[0] = kYen;
    std::memmove(p + 1, end, std::strlen(end) + 1);
    ferro::fs::copy_whole_chars(settings().corrected, path, ferro::fs::net::kNameSize - 1);
    return 1;
}

LONG WINAPI myGet95PathNameFromNetOS(LPCSTR path, LONG, LPSTR out) {
    if (!path || !out) return -1;
    char work[text::kPathSize];
    if (!text::copy_bounded(work, path)) return -1;
    if (!IsDriveMyNetwork(work)) return 0;
    int saved = 0;
    LPSTR fs_name = MakeNetworkFolderName(work, &saved);
    if (saved > 0) RecoverNetworkFolderName(fs_name, saved);
    if (saved != 0) return 0;
    std::memcpy(out, work, std::strlen(work) + 1);
    return 1;
}

namespace ferro::fs::net {
bool net_volume_information(const char* root, char* name, char* file_system) {
    if (!root || root[0] != kYen || root[1] != kYen) return false;
    if (GetVolumeInformationA(root, name, 14, nullptr, nullptr, nullptr, file_system, 51)) return true;
    // A share whose volume the platform does not describe: its share name
    // and the network's file-system name, when the share is there.
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesA(root);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetLastError(error);
        return false;
    }
    std::string share(root + 2);
    while (mbcs::ends_with(share.c_str(), share.size(), kYen)) share.pop_back();
    const char* last = mbcs::find_last(share.c_str(), kYen);
    copy_whole_chars(name, last ? last + 1 : share.c_str(), 13);
    std::memcpy(file_system, "NETWORK", sizeof "NETWORK");
    return true;
}
}  // namespace ferro::fs::net
