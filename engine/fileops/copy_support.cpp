// Helpers that the copy primitives share: the copy buffer, file handles,
// times, the same-file test and the removal of a partial target.
#include <cerrno>
#include <cstring>
#include "fileops/copy_internal.h"
#include "frame/text_internal.h"
#include "fs/dos_files.h"
#include "fs/dos_names.h"
#include "fs/dos_times.h"
#include "frame/error_state.h"

namespace ferro::fileops {
namespace {
bool identity_of(HANDLE h, BY_HANDLE_FILE_INFORMATION* info) {
    return h != nullptr && h != INVALID_HANDLE_VALUE && GetFileInformationByHandle(h, info) != FALSE;
}

HANDLE open_for_identity(const char* path) {
    return myOpen(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                  FILE_ATTRIBUTE_NORMAL);
}
}  // namespace

CopyBuffer::CopyBuffer(DWORD size) {
    if (size == 0) return;
    handle_ = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!handle_) {
        SIZE_T largest = GlobalCompact(size);
        if (largest > size) largest = size;
        if (largest == 0) return;
        size = static_cast<DWORD>(largest);
        handle_ = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
        if (!handle_) return;
    }
    data_ = static_cast<char*>(GlobalLock(handle_));
    if (!data_) {
        GlobalFree(handle_);
        handle_ = nullptr;
        return;
    }
    size_ = size;
}

CopyBuffer::~CopyBuffer() {
    if (!handle_) return;
    GlobalUnlock(handle_);
    GlobalFree(handle_);
}

void FileHandle::close() {
    if (open()) {
        KeepErrors keep;
        myClose(h_);
    }
    h_ = INVALID_HANDLE_VALUE;
}

bool FileHandle::close_checked() {
    if (!open()) return true;
    const DWORD error = Get_nERRNO();
    const int error_number = errno;
    const bool closed = myClose(h_) == 0;
    h_ = INVALID_HANDLE_VALUE;
    if (closed) {
        Set_nERRNO(error);
        errno = error_number;
    }
    return closed;
}

bool read_times(HANDLE h, FileTimes* times) {
    return GetFileTime(h, &times->creation, &times->access, &times->write) != FALSE;
}

bool write_times(HANDLE h, const FileTimes& times) {
    return SetFileTime(h, &times.creation, &times.access, &times.write) != FALSE;
}

bool same_file(HANDLE open_file, const char* path) {
    KeepErrors keep;
    BY_HANDLE_FILE_INFORMATION a, b;
    if (!identity_of(open_file, &a)) return false;
    FileHandle other(open_for_identity(path));
    if (!identity_of(other.get(), &b)) return false;
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

bool same_file(const char* a, const char* b) {
    KeepErrors keep;
    FileHandle first(open_for_identity(a));
    return first.open() && same_file(first.get(), b);
}

bool remove_target(const char* path) {
    KeepErrors keep;
    if (text::is_empty(path)) return false;
    DWORD old_attributes = INVALID_FILE_ATTRIBUTES;
    if (my_Dos_getfileattr(path, &old_attributes) != 0 || old_attributes == INVALID_FILE_ATTRIBUTES)
        return true;  // not there
    if (old_attributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    my_Dos_setfileattr(path, FILE_ATTRIBUTE_ARCHIVE);
    WinRemove(path);
    if (myAccess(path) != 0) return true;
    my_Dos_setfileattr(path, old_attributes);
    return false;
}

void copy_name_out(char* out, const char* name) {
    if (!out) return;
    if (!name || !text::copy_bounded(out, name, kPathSize)) *out = '\0';
}
}  // namespace ferro::fileops
