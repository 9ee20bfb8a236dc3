// Disk sizes of the volume of the folder being read.
#include <windows.h>

#include "fs/disk_free.h"
#include "frame/error_state.h"
#include "listing/listing_internal.h"
#include "listing/listing_store.h"

namespace {
DWORD g_cluster;
ULONGLONG g_total;
ULONGLONG g_available;

bool is_network(LPCSTR p) { return p && p[0] == '\\' && (p[1] == '\\' || p[1] == ':'); }
}  // namespace

namespace ferro::listing {
DWORD cluster_size() { return g_cluster; }
}

DWORD WINAPI FreeInDisk(LPCSTR path) {
    DosDiskFree clusters = {};
    ULONGLONG sizes[3] = {};
    const int failed = my_Dos_getdiskfree(path, &clusters, sizes);
    const int error = Get_errno();
    const DWORD saved = Get_nERRNO();
    g_cluster = clusters.sectors_per_cluster * clusters.bytes_per_sector;
    const ULONGLONG cluster64 = g_cluster;
    g_total = sizes[1] ? sizes[1] : cluster64 * clusters.total_clusters;
    g_available = sizes[0] ? sizes[0] : cluster64 * clusters.free_clusters;
    if (is_network(path)) g_cluster = 0;
    if (failed) {
        Set_nERRNO(saved ? saved : ERROR_GEN_FAILURE);
        Set_errno(error ? error : 5);
    } else {
        Set_errno(0);
    }
    return g_cluster;
}

DWORD WINAPI GetBytePerSector() { return g_cluster; }
ULONGLONG WINAPI GetTotalDiskSize() { return g_total; }
ULONGLONG WINAPI GetAvailableDiskSize() { return g_available; }
