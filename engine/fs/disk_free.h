// Exports of free disk space and network volume information.
#pragma once
#include <windows.h>

extern "C" {
// The cluster record: four 32-bit words.
struct DosDiskFree {
    DWORD total_clusters;
    DWORD free_clusters;
    DWORD sectors_per_cluster;
    DWORD bytes_per_sector;
};

// Fills the cluster record and the sizes {available to the caller, total,
// total free} (both zeroed first). 0 on success, 1 on failure.
int WINAPI my_Dos_getdiskfree(LPCSTR path, DosDiskFree* clusters, ULONGLONG* sizes);
// Volume information of a network root; 1 when it could be read.
BOOL WINAPI myGetNetVolumeInformation(LPCSTR root);
}
