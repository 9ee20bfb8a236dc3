// Hand-off between the file-system layer and the network-folder layer. The
// file-system functions call only these entry points for network paths; the
// network-folder layer fills them in. Until it does they answer as for a
// network path that cannot be turned into a file-system name.
//
// Contract of make_network_folder_name (and of every caller here):
//   *saved > 0   the path was converted in place; the returned pointer is the
//                file-system spelling; recover_network_folder_name(position,
//                *saved) restores the caller's string.
//   *saved < 0   the path is a file-system name as it stands (the system form
//                \\server\share); nothing to restore.
//   *saved == 0  no file-system name can be made: the caller returns at once
//                with the result it states for that case.
#pragma once
#include <windows.h>

namespace ferro::fs::net {
char* make_network_folder_name(char* path, int* saved);
int recover_network_folder_name(char* position, int saved);

// Level types that make_network_folder_name also converts (1024 while the
// layer asks whether a path is a folder, 48 for the server folder of a share).
void add_server_folder_type(DWORD mask);

// The change-notification counter: a change the library made itself does not
// make a pane read its folder again.
void disable_change_notify(BOOL on);
int is_disable_change_notify();

// Listing of network levels through the find interface: 0 when an entry was
// written into the record, non-zero when there is nothing (more).
int findfirst_withnet(HANDLE* finder, const char* path, WIN32_FIND_DATAA* record);
int findnext_withnet(HANDLE* finder, WIN32_FIND_DATAA* record);
// Ends a network listing started with findfirst_withnet; 1 when one was open.
int findclose_withnet(HANDLE* finder);

// Re-spelling of a network path: 1 or -1 are final answers written to `out`
// (520 bytes); 0 lets the caller walk the file-system spelling.
int get_95_path_name_from_net_os(const char* path, int mode, char* out);

// The folder of a network pseudo-drive (at most size - 1 bytes); 0 when none.
int get_extra_net_drive_information(char* buffer, int size);

// Volume name (14 bytes) and file-system name (51 bytes) of a network root;
// false when they cannot be had.
bool net_volume_information(const char* root, char* name, char* file_system);
}  // namespace ferro::fs::net
