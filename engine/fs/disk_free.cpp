#include "fs/disk_free.h"
#include <cstring>
#include "frame/mbcs.h"
#include "frame/paths.h"
#include "frame/text_internal.h"
#include "fs/cluster_table.h"
#include "fs/drive_list_internal.h"
#include "fs/drives.h"
#include "fs/fs_common.h"
#include "fs/kernel_lookup.h"
#include "fs/network.h"

using namespace ferro;
using namespace ferro::fs;

namespace {
int g_network_file_system = -1;

int volume_file_system(const char* root) {
    char name[64] = "";
    if (!GetVolumeInformationA(root, nullptr, 0, nullptr, nullptr, nullptr, name, sizeof name)) return -1;
    return file_system_number(name);
}

// The root that the free-space calls take: "X:\" of a drive path, the share
// (\\server\share\) of a network path; false when there is none.
bool root_of(const char* path, char* root) {
    if (text::is_drive_letter(path[0]) && path[1] == ':') {
        root[0] = path[0];
        std::memcpy(root + 1, ":\\", 3);
        return true;
    }
    if (path[0] != '\\' || path[1] != '\\') return false;
    // Keep the server and the share: cut after the second yen mark past the pair.
    std::size_t length = std::strlen(path);
    const char* end = path + length;
    int levels = 0;
    for (const char* p = path + 2; *p; p = mbcs::next(p))
        if (*p == '\\' && ++levels == 2) {
            end = p;
            break;
        }
    std::size_t n = static_cast<std::size_t>(end - path);
    if (n + 2 > kPathSize) return false;
    std::memcpy(root, path, n);
    root[n] = '\\';
    root[n + 1] = '\0';
    return true;
}
}  // namespace

int WINAPI my_Dos_getdiskfree(LPCSTR path, DosDiskFree* clusters, ULONGLONG* sizes) {
    begin_call();
    if (clusters) std::memset(clusters, 0, sizeof *clusters);
    if (sizes) std::memset(sizes, 0, 3 * sizeof *sizes);
    if (!clusters || !sizes) {
        record_error(ERROR_INVALID_PARAMETER);
        return 1;
    }
    PathArg arg(path);
    if (arg.bad()) return 1;
    if (arg.network()) AddServerFolderTypeForMakeNetworkFolderName(48);
    bool usable = !arg.no_fs_name();
    if (arg.network()) AddServerFolderTypeForMakeNetworkFolderName(0);
    if (!usable) {
        record_error(ERROR_PATH_NOT_FOUND);
        return 1;
    }
    char root[kPathSize];
    if (!root_of(arg.fs(), root)) {
        record_error(ERROR_INVALID_DRIVE);
        return 1;
    }
    bool large = disk_free_space_ex(kernel64(), root, sizes);
    if (large) {
        int type = arg.network() ? g_network_file_system : volume_file_system(root);
        // A volume of a known type: the geometry follows from its size.
        if (type >= 0 && type < 4) {
            ClusterGeometry g = cluster_geometry(type, sizes[1]);
            clusters->sectors_per_cluster = g.sectors_per_cluster;
            clusters->bytes_per_sector = g.bytes_per_sector;
            record_success();
            return 0;
        }
    }
    DWORD sectors = 0, bytes = 0, free_clusters = 0, total_clusters = 0;
    if (!GetDiskFreeSpaceA(root, &sectors, &bytes, &free_clusters, &total_clusters)) {
        if (large) {  // the sizes are known; the geometry is not
            record_success();
            return 0;
        }
        record_failure();
        return 1;
    }
    *clusters = DosDiskFree{total_clusters, free_clusters, sectors, bytes};
    if (!large) {
        ULONGLONG cluster = static_cast<ULONGLONG>(sectors) * bytes;
        sizes[0] = sizes[2] = cluster * free_clusters;
        sizes[1] = cluster * total_clusters;
    }
    record_success();
    return 0;
}

BOOL WINAPI myGetNetVolumeInformation(LPCSTR root) {
    begin_call();
    PathArg arg(root);
    if (arg.bad() || arg.no_fs_name()) return FALSE;
    char share[kPathSize];
    if (!root_of(arg.fs(), share)) return FALSE;
    char name[14] = "", file_system[51] = "";
    if (!net::net_volume_information(share, name, file_system)) {
        record_failure();
        return FALSE;
    }
    g_network_file_system = file_system_number(file_system);
    SetTypeOfFileSystem(kNetworkLetter, file_system);
    record_success();
    return TRUE;
}
