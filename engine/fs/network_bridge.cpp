#include "fs/network_bridge.h"
#include <cstring>
#include "frame/text_internal.h"

namespace ferro::fs::net {
namespace {
DWORD g_server_folder_types;
int g_change_counter;
}  // namespace

char* make_network_folder_name(char* path, int* saved) {
    int answer = 0;
    // The system form is already a file-system name; the browsing form has
    // none until the network layer can resolve it.
    if (path && path[0] == '\\' && path[1] == '\\') answer = -static_cast<unsigned char>(path[0]);
    if (saved) *saved = answer;
    return path;
}

int recover_network_folder_name(char* position, int saved) {
    if (saved < 1 || !position) return 0;
    *position = static_cast<char>(saved);
    return 1;
}

void add_server_folder_type(DWORD mask) { g_server_folder_types = mask; }

void disable_change_notify(BOOL on) {
    if (g_change_counter < 0)
        --g_change_counter;
    else if (!on)
        g_change_counter = 0;
    else
        ++g_change_counter;
}

int is_disable_change_notify() {
    if (g_change_counter > 0) return g_change_counter--;
    if (g_change_counter < -1) ++g_change_counter;
    return 0;
}

int findfirst_withnet(HANDLE* finder, const char*, WIN32_FIND_DATAA*) {
    if (finder) *finder = nullptr;
    return ERROR_FILE_NOT_FOUND;
}

int findnext_withnet(HANDLE* finder, WIN32_FIND_DATAA*) {
    if (finder) *finder = nullptr;
    return 1;
}

int findclose_withnet(HANDLE* finder) {
    if (finder) *finder = nullptr;
    return 0;
}

int get_95_path_name_from_net_os(const char*, int, char*) { return 0; }

int get_extra_net_drive_information(char* buffer, int size) {
    if (buffer && size > 0) buffer[0] = '\0';
    return 0;
}

bool net_volume_information(const char* root, char* name, char* file_system) {
    // A share of the system form answers through the platform; browsing
    // levels have no volume until the network layer resolves them.
    if (!root || root[0] != '\\' || root[1] != '\\') return false;
    return GetVolumeInformationA(root, name, 14, nullptr, nullptr, nullptr, file_system, 51) != FALSE;
}
}  // namespace ferro::fs::net
