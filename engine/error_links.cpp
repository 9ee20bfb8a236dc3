// What the error boxes of the frame need from the parts above it: the
// file-system layer, the network side and the error report list, each behind
// one function declared by the frame and defined here, at the top of the
// library, which may know every part.
#include <windows.h>
#include <shellapi.h>
#include "frame/error_internal.h"
#include "frame/message_box.h"
#include "fs/dos_times.h"
#include "fs/drives.h"
#include "fs/network.h"
#include "frame/error_state.h"
#include "programs/error_report.h"

namespace ferro::errors {
// Through the file-system layer, whose stored error the caller's box is about:
// that error is kept as it was.
DWORD read_attributes(const char* name) {
    if (!name) return INVALID_FILE_ATTRIBUTES;
    const DWORD stored = Get_nERRNO();
    const int stored_errno = Get_errno();
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    if (my_Dos_getfileattr(name, &attributes) != 0) attributes = INVALID_FILE_ATTRIBUTES;
    Set_nERRNO(stored);
    Set_errno(stored_errno);
    return attributes;
}

DWORD network_error_number() { return Get_nNetworkERRNO(); }
void clear_network_error() {
    Set_nNetworkERRNO(0);
    SetProcessNetErrorHandlerDone(0);
}
void report_network_error(HWND window, DWORD error, const char* path) {
    ProcessNetErrorHandler(window, error, path, nullptr);
}

bool is_network_error(DWORD error) { return IsNetworkErrorOccured(error) != 0; }
bool is_network_password_error(DWORD error) { return IsNetworkPasswordErrorOccured(error) != 0; }

bool is_assigned_network_drive(char letter) { return IsAssignedNetdrve(static_cast<unsigned char>(letter)) != FALSE; }

void open_folder_in_shell(HWND window, const char* folder) { OpenDirInDesktop(window, folder); }

void note_in_error_report(HWND window, const char* name, UINT headingId) {
    SaveOutputFileMemoryHandle(window, nullptr, name, nullptr, headingId, 0);
}
}  // namespace ferro::errors

BOOL WINAPI OpenDirInDesktop(HWND window, LPCSTR folder) {
    if (ferro::errors::is_empty(folder)) return FALSE;
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;  // a failure is the caller's to report
    info.hwnd = window;
    info.lpVerb = "open";
    info.lpFile = folder;
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExA(&info);
}
