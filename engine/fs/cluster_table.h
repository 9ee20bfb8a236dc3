// Cluster geometry of a volume from its total size, for file systems whose
// 32-bit free-space call cannot describe a large volume. File-system type
// numbers: 0 FAT, 1 FAT32, 2 NTFS, 3 CDFS (others have no table).
#pragma once
#include <windows.h>

namespace ferro::fs {
struct ClusterGeometry {
    DWORD sectors_per_cluster;
    DWORD bytes_per_sector;
};

struct ClusterStep {
    ULONGLONG below;  // volumes smaller than this
    DWORD sectors;    // have this many sectors per cluster
};

inline constexpr ClusterStep kFatSteps[] = {
    {0x1FFFFFFull, 1}, {0x3FFFFFFull, 2}, {0x7FFFFFFull, 4}, {0xFFFFFFFull, 8}, {0x1FFFFFFFull, 16}, {0x3FFFFFFFull, 32}};
inline constexpr ClusterStep kFat32Steps[] = {
    {0x1FFFFFFFull, 1}, {0x1FFFFFFFFull, 8}, {0x3FFFFFFFFull, 16}, {0x7FFFFFFFFull, 32}};
inline constexpr ClusterStep kNtfsSteps[] = {{0x200FFFFFull, 1}, {0x400FFFFFull, 2}, {0x7FFFFFFFull, 4}};

template <std::size_t N>
constexpr DWORD sectors_from(const ClusterStep (&steps)[N], ULONGLONG total, DWORD largest) {
    for (const ClusterStep& step : steps)
        if (total < step.below) return step.sectors;
    return largest;
}

constexpr ClusterGeometry cluster_geometry(int file_system, ULONGLONG total) {
    switch (file_system) {
    case 0: return {sectors_from(kFatSteps, total, 64), 512};
    case 1: return {sectors_from(kFat32Steps, total, 64), 512};
    case 2: return {sectors_from(kNtfsSteps, total, 8), 512};
    case 3: return {1, 2048};
    default: return {0, 0};
    }
}

static_assert(cluster_geometry(0, 0x1FFFFFE).sectors_per_cluster == 1);
static_assert(cluster_geometry(1, 0x1FFFFFFF).sectors_per_cluster == 8);
static_assert(cluster_geometry(-1, 1).bytes_per_sector == 0);
}  // namespace ferro::fs
