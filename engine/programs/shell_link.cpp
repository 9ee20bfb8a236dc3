// The shell's link object: creation, loading, and the replacing save that
// never leaves a shortcut half-written.
#include <windows.h>
#include <winnetwk.h>
#include <cstring>
#include "frame/mbcs.h"
#include "frame/error_boxes.h"
#include "frame/error_state.h"
#include "frame/text_internal.h"
#include "programs/shortcut.h"
#include "programs/shortcut_internal.h"
#include "settings/places.h"

namespace ferro::programs {
namespace {
void store_hresult(HRESULT hr) {
    dos::record_error(HRESULT_FACILITY(hr) == FACILITY_WIN32 ? HRESULT_CODE(hr) : ERROR_INVALID_DATA);
}

// The show command stands in the fixed header of a shortcut file (76 bytes:
// size, class id, ..., at 0x3C the show command). Some link objects neither
// save nor load it; the header is then read and written here, beside them.
constexpr DWORD kHeaderSize = 0x4C, kShowOffset = 0x3C;
constexpr LONGLONG kLargestLink = 16 << 20;  // a shortcut is a few kilobytes

bool read_header(HANDLE file, unsigned char (&header)[kHeaderSize]) {
    DWORD read = 0;
    return ReadFile(file, header, kHeaderSize, &read, nullptr) && read == kHeaderSize &&
           *reinterpret_cast<DWORD*>(header) == kHeaderSize && std::memcmp(header + 4, &CLSID_ShellLink, 16) == 0;
}

void store_show_command(const wchar_t* path, int show) {
    HANDLE file = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    unsigned char header[kHeaderSize];
    DWORD written = 0;
    if (read_header(file, header) && *reinterpret_cast<int*>(header + kShowOffset) != show &&
        SetFilePointer(file, kShowOffset, nullptr, FILE_BEGIN) == kShowOffset)
        WriteFile(file, &show, sizeof show, &written, nullptr);
    CloseHandle(file);
}
}  // namespace

bool to_wide(const char* path, wchar_t (&out)[520]) {
    char copy[text::kPathSize];
    if (text::is_empty(path) || !text::copy_bounded(copy, path)) return false;
    text::strip_quotes(copy);
    return MultiByteToWideChar(CP_ACP, 0, copy, -1, out, 520) > 0;
}

std::string network_folder_name(const std::string& path) {
    // A drive letter that the system maps to a share: its system form.
    if (path.size() < 3 || path[1] != ':' || !mbcs::char_at(path.c_str(), 2, text::kYen)) return path;
    // The drive's type is asked at most once a second per letter: the
    // question costs as much as reading a shortcut.
    static UINT types[26];
    static DWORD asked[26];
    const int letter = (path[0] | 0x20) - 'a';
    if (letter < 0 || letter >= 26) return path;
    if (!asked[letter] || GetTickCount() - asked[letter] > 1000) {
        const char root[] = {path[0], ':', '\\', '\0'};
        types[letter] = GetDriveTypeA(root);
        asked[letter] = GetTickCount() | 1;
    }
    if (types[letter] != DRIVE_REMOTE) return path;
    union {
        UNIVERSAL_NAME_INFOA info;
        char bytes[sizeof(UNIVERSAL_NAME_INFOA) + 2 * text::kPathSize];
    } name;
    DWORD size = sizeof name;
    if (WNetGetUniversalNameA(path.c_str(), UNIVERSAL_NAME_INFO_LEVEL, &name, &size) != NO_ERROR ||
        !name.info.lpUniversalName || std::strlen(name.info.lpUniversalName) > text::kPathMax)
        return path;
    return name.info.lpUniversalName;
}

std::string expanded(const std::string& text) {
    char buffer[text::kPathSize];
    if (!text::copy_bounded(buffer, text.c_str())) return text;
    ReplaceSystemRoot(buffer);
    return buffer;
}

LONG LinkObject::create() {
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(link_.out()));
    if (FAILED(hr)) {
        store_hresult(hr);
        return kLinkNoObject;
    }
    hr = link_->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file_.out()));
    if (FAILED(hr)) {
        store_hresult(hr);
        link_.reset();
        return kLinkNoPersist;
    }
    return 0;
}

bool LinkObject::load(const char* path) {
    wchar_t wide[520];
    if (!to_wide(path, wide)) {
        dos::record_error(ERROR_INVALID_NAME);
        return false;
    }
    // The file is read once, here: the link object loads it from memory, and
    // the show command is taken from the same bytes.
    HANDLE file = CreateFileW(wide, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        dos::record_last_error();
        return false;
    }
    LARGE_INTEGER size = {};
    HGLOBAL block = nullptr;
    DWORD read = 0;
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart <= kLargestLink &&
              (block = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(size.QuadPart))) != nullptr;
    if (ok) {
        void* bytes = GlobalLock(block);
        ok = bytes && ReadFile(file, bytes, static_cast<DWORD>(size.QuadPart), &read, nullptr) && read == size.QuadPart;
        if (ok && read >= kHeaderSize) {
            const auto* header = static_cast<const unsigned char*>(bytes);
            if (*reinterpret_cast<const DWORD*>(header) == kHeaderSize) show_ = *reinterpret_cast<const int*>(header + kShowOffset);
        }
        if (bytes) GlobalUnlock(block);
    }
    if (!ok) dos::record_error(size.QuadPart > kLargestLink || size.QuadPart == 0 ? ERROR_BAD_FORMAT : GetLastError());
    CloseHandle(file);
    ComPtr<IStream> stream;
    if (ok && FAILED(CreateStreamOnHGlobal(block, TRUE, stream.out()))) {
        dos::record_error(ERROR_NOT_ENOUGH_MEMORY);
        ok = false;
    }
    if (!ok) {
        if (block && !stream.get()) GlobalFree(block);
        return false;
    }
    ComPtr<IPersistStream> persist;
    HRESULT hr = link_->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(persist.out()));
    if (SUCCEEDED(hr)) hr = persist->Load(stream.get());
    if (FAILED(hr)) {
        store_hresult(hr);
        return false;
    }
    if (show_ > 0) link_->SetShowCmd(show_);
    return true;
}

bool LinkObject::save_replacing(const char* path) {
    wchar_t wide[520], folder[520], temporary[MAX_PATH + 16];
    if (!to_wide(path, wide)) {
        dos::record_error(ERROR_INVALID_NAME);
        return false;
    }
    std::wcscpy(folder, wide);
    wchar_t* name = std::wcsrchr(folder, L'\\');
    if (name) *name = L'\0';
    else std::wcscpy(folder, L".");
    const DWORD attributes = GetFileAttributesW(wide);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        dos::record_error(ERROR_ACCESS_DENIED);
        return false;
    }
    if (!GetTempFileNameW(folder, L"lnk", 0, temporary)) {
        dos::record_last_error();
        return false;
    }
    int show = SW_SHOWNORMAL;
    link_->GetShowCmd(&show);
    HRESULT hr = file_->Save(temporary, TRUE);
    if (SUCCEEDED(hr)) file_->SaveCompleted(temporary);
    if (FAILED(hr)) {
        store_hresult(hr);
        DeleteFileW(temporary);
        return false;
    }
    store_show_command(temporary, show);
    if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(temporary, attributes);
    if (!MoveFileExW(temporary, wide, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        dos::record_last_error();
        const DWORD error = Get_nERRNO();
        SetFileAttributesW(temporary, FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(temporary);
        dos::record_error(error);
        return false;
    }
    dos::record_error(0);
    return true;
}

void report_link_failure(HWND owner, const char* path, UINT messageId) {
    if (shortcut_state().no_error_message) return;
    SetHelpDosErrorMessage(MB_ICONEXCLAMATION, nullptr);
    MyLoadDosErrorMessage(owner, path, messageId, kShortcutTitle, 0);
}
}  // namespace ferro::programs
