// Shortcut tests: COM initialised as the host does it, and the external
// reader (Debian's lnkinfo, a Unix program started from Wine) that checks
// every shortcut the engine writes.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <map>
#include <sstream>
#include <string>
#include "programs/shortcut.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

namespace link_test {
// The Unix name of a Windows path (Wine's own mapping), UTF-8.
inline std::string unix_name(const std::string& path) {
    using Convert = char*(CDECL*)(LPCWSTR);
    static const auto convert =
        reinterpret_cast<Convert>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
    wchar_t wide[1024];
    char* name = convert && MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, 1024) ? convert(wide) : nullptr;
    std::string out = name ? name : "";
    if (name) HeapFree(GetProcessHeap(), 0, name);
    return out;
}

// Runs a Unix shell command line (UTF-8), waiting at most a minute; its exit
// code. Wine hands a Unix program to the system without a process to wait
// on, so the command leaves its exit code in a file, whose arrival in the
// temporary folder is waited for through a change notification.
inline DWORD run_unix(const std::string& command) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string done = std::string(temp) + "unix-done-" + std::to_string(GetCurrentProcessId()) + ".txt";
    DeleteFileA(done.c_str());
    const std::string marker = unix_name(done);
    const std::string script = "(" + command + "); echo $? > '" + marker + ".part' && mv '" + marker + ".part' '" + marker + "'";
    wchar_t wide[8192];
    MultiByteToWideChar(CP_UTF8, 0, script.c_str(), -1, wide, 8192);
    std::wstring line = L"Z:\\bin\\sh -c \"" + std::wstring(wide) + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    HANDLE change = FindFirstChangeNotificationA(temp, FALSE, FILE_NOTIFY_CHANGE_FILE_NAME);
    if (change == INVALID_HANDLE_VALUE) return 999;
    const bool started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    if (started) CloseHandle(pi.hThread), CloseHandle(pi.hProcess);
    for (const DWORD start = GetTickCount(); started && GetFileAttributesA(done.c_str()) == INVALID_FILE_ATTRIBUTES &&
                                             GetTickCount() - start < 60000;)
        if (WaitForSingleObject(change, 1000) == WAIT_OBJECT_0) FindNextChangeNotification(change);
    FindCloseChangeNotification(change);
    const std::string code = ferro_test::read_file(done);
    DeleteFileA(done.c_str());
    return code.empty() ? 998 : static_cast<DWORD>(std::stoul(code));
}

// lnkinfo's fields of a shortcut ("Local path", "Working directory",
// "Command line arguments", "Icon location", "Icon index", ...) in UTF-8,
// with "exit" (its exit code) and "raw" (its whole output).
inline std::map<std::string, std::string> lnkinfo(const std::string& link) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string out = std::string(temp) + "lnkinfo-out.txt";
    DeleteFileA(out.c_str());
    std::map<std::string, std::string> fields;
    fields["exit"] = std::to_string(run_unix("/usr/bin/lnkinfo -c windows-932 '" + unix_name(link) + "' > '" + unix_name(out) + "' 2>&1"));
    fields["raw"] = ferro_test::read_file(out);
    std::istringstream lines(fields["raw"]);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t colon = line.find(':'), k0 = line.find_first_not_of('\t');
        if (colon == std::string::npos || k0 >= colon) continue;
        const std::size_t k1 = line.find_last_not_of("\t ", colon - 1), v0 = line.find_first_not_of(' ', colon + 1);
        fields[line.substr(k0, k1 - k0 + 1)] = v0 == std::string::npos ? "" : line.substr(v0);
    }
    return fields;
}

// The folder of a path: its last yen mark, stepping over double-byte
// characters (a trail byte 0x5C is no yen mark).
inline std::string folder_of(const std::string& path) {
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsDBCSLeadByteEx(932, static_cast<BYTE>(path[i]))) ++i;
        else if (path[i] == '\\') last = i;
    }
    return last == std::string::npos ? std::string() : path.substr(0, last);
}

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override { InitializeSHFunctionByOLE(), SetNoResolveTechnique(0), SetNoErrorMessageAtLinkedFileInfomation(1); }
    void TearDown() override { SetNoErrorMessageAtLinkedFileInfomation(0), ClearShortcutFile(), CoUninitialize(); }
    ferro_test::TempFolder dir_;
};

// A shortcut made by the platform's own link object, not through the engine.
inline HRESULT platform_link(const std::string& link, const std::string& target, const std::string& arguments = "",
                             const std::string& folder = "", const std::string& icon = "", int index = 0,
                             int show = SW_SHOWNORMAL) {
    IShellLinkA* object = nullptr;
    IPersistFile* file = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, reinterpret_cast<void**>(&object));
    if (FAILED(hr)) return hr;
    object->SetPath(target.c_str());
    object->SetArguments(arguments.c_str());
    object->SetWorkingDirectory(folder.c_str());
    if (!icon.empty()) object->SetIconLocation(icon.c_str(), index);
    object->SetShowCmd(show);
    wchar_t wide[520];
    MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, 520);
    if (SUCCEEDED(hr = object->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) hr = file->Save(wide, TRUE), file->Release();
    object->Release();
    return hr;
}
}  // namespace link_test
