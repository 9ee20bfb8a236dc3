// Shortcut tests: COM initialised as the host does it, and the external
// reader (Debian's lnkinfo, a Unix program started from Wine) that checks
// every shortcut the engine writes.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <map>
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
    if (!convert || !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, 1024)) return {};
    char* name = convert(wide);
    if (!name) return {};
    std::string out(name);
    HeapFree(GetProcessHeap(), 0, name);
    return out;
}

// Runs a Unix shell command line (UTF-8) and waits for it (at most a
// minute); its exit code. Wine hands a Unix program to the system without a
// process to wait on, so the command leaves its exit code in a file.
inline DWORD run_unix(const std::string& command) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int serial = 0;
    const std::string done = std::string(temp) + "unix-done-" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(++serial) + ".txt";
    DeleteFileA(done.c_str());
    const std::string marker = unix_name(done);
    const std::string script = "(" + command + "); echo $? > '" + marker + ".part' && mv '" + marker + ".part' '" +
                               marker + "'";
    std::wstring line = L"Z:\\bin\\sh -c \"";
    wchar_t wide[8192];
    MultiByteToWideChar(CP_UTF8, 0, script.c_str(), -1, wide, 8192);
    line += wide;
    line += L"\"";
    STARTUPINFOW si = {sizeof si};
    PROCESS_INFORMATION pi;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 999;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    for (int i = 0; i < 3000 && GetFileAttributesA(done.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(20);
    const std::string code = ferro_test::read_file(done);
    DeleteFileA(done.c_str());
    return code.empty() ? 998 : static_cast<DWORD>(std::stoul(code));
}

// lnkinfo's fields of a shortcut ("Local path", "Working directory",
// "Command line arguments", "Icon location", "Icon index", "Show Window
// value", ...), UTF-8; empty when lnkinfo could not read it.
inline std::map<std::string, std::string> lnkinfo(const std::string& link) {
    std::map<std::string, std::string> fields;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string out = std::string(temp) + "lnkinfo-out.txt";
    DeleteFileA(out.c_str());
    const std::string command = "/usr/bin/lnkinfo -c windows-932 '" + unix_name(link) + "' > '" + unix_name(out) + "' 2>&1";
    fields["exit"] = std::to_string(run_unix(command));
    const std::string text = ferro_test::read_file(out);
    fields["raw"] = text;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        std::size_t k0 = line.find_first_not_of('\t');
        std::size_t k1 = line.find_last_not_of("\t ", colon - 1);
        if (k0 == std::string::npos || k1 == std::string::npos || k1 < k0) continue;
        std::size_t v0 = line.find_first_not_of(' ', colon + 1);
        fields[line.substr(k0, k1 - k0 + 1)] = v0 == std::string::npos ? "" : line.substr(v0);
    }
    return fields;
}

// The folder of a path, the last yen mark found by stepping over double-byte
// characters (a trail byte 0x5C is no yen mark).
inline std::string folder_of(const std::string& path) {
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsDBCSLeadByteEx(932, static_cast<BYTE>(path[i])) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (path[i] == '\\') last = i;
    }
    return last == std::string::npos ? std::string() : path.substr(0, last);
}

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitializeSHFunctionByOLE();
        SetNoResolveTechnique(0);
        SetNoErrorMessageAtLinkedFileInfomation(1);
    }
    void TearDown() override {
        SetNoErrorMessageAtLinkedFileInfomation(0);
        ClearShortcutFile();
        CoUninitialize();
    }
    ferro_test::TempFolder dir_;
};

// A shortcut made by the platform's own link object, not through the engine.
inline HRESULT platform_link(const std::string& link, const std::string& target, const std::string& arguments = "",
                             const std::string& folder = "", const std::string& icon = "", int index = 0,
                             int show = SW_SHOWNORMAL) {
    IShellLinkA* object = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&object));
    if (FAILED(hr)) return hr;
    object->SetPath(target.c_str());
    if (!arguments.empty()) object->SetArguments(arguments.c_str());
    if (!folder.empty()) object->SetWorkingDirectory(folder.c_str());
    if (!icon.empty()) object->SetIconLocation(icon.c_str(), index);
    object->SetShowCmd(show);
    IPersistFile* file = nullptr;
    hr = object->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (SUCCEEDED(hr)) {
        wchar_t wide[520];
        MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, 520);
        hr = file->Save(wide, TRUE);
        file->Release();
    }
    object->Release();
    return hr;
}
}  // namespace link_test
