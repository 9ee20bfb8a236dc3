// ferro update --check: update.dll asks the maker's site (or the site at
// --base-url) whether a newer version is published, the way a host uses it.
#include <windows.h>
#include <string>
#include "commands.h"
#include "console.h"
#include "internet/internet.h"

namespace host {
namespace {
// The version this host reports (year 2026, number 43).
constexpr char kVersion[] = "Ferrolan 26-43";

using Check = LONG(WINAPI*)(UINT, LPCSTR, LONG, HGLOBAL*, HWND, UINT_PTR, LONG_PTR, LONG_PTR, DWORD*);

void WINAPI print_error(LONG_PTR, LPCSTR text, LONG_PTR) {
    std::string line = text ? text : "";
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    err("ferro update: " + line);
}
}  // namespace

int cmd_update(const Args& args) {
    bool check = false, open = false;
    std::string base;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--check") check = true;
        else if (args[i] == "--open") open = true;
        else if (args[i] == "--base-url" && i + 1 < args.size()) base = args[++i];
        else {
            err("ferro update: unknown option or missing value '" + args[i] + "'");
            return 2;
        }
    }
    if (!check) {
        err("usage: ferro update --check [--base-url URL] [--open]");
        return 2;
    }
    HMODULE update = LoadLibraryA("update.dll");
    if (!update) {
        err("ferro update: update.dll cannot be loaded beside ferro32.dll");
        return 1;
    }
    auto get = [update](const char* name) { return GetProcAddress(update, name); };
    if (!base.empty()) {
        SetBaseUrlForMySite(base.c_str());
        ReplaceWildCardByBaseUrlForMyFerroSite();
    }
    const std::string site = GetUrlForFerroHttpSite(0);
    const std::string page = site + "update.txt";
    LONG_PTR items[14] = {};
    items[1] = reinterpret_cast<LONG_PTR>(site.c_str());
    items[8] = reinterpret_cast<LONG_PTR>(page.c_str());
    items[11] = reinterpret_cast<LONG_PTR>("Ferrolan");
    reinterpret_cast<LONG(WINAPI*)(LPCSTR)>(get("dllGetVersionNumberForUpdateToNewerVerson"))(kVersion);
    reinterpret_cast<LONG(WINAPI*)(const LONG_PTR*, LONG)>(get("dllSetItemsForUpdate"))(items, 1);
    reinterpret_cast<LONG(WINAPI*)(LONG, LONG, LONG, LONG)>(get("dllSetUpdateToNewerVersonOptions"))(0, 0, 0, 0x10);
    reinterpret_cast<LONG(WINAPI*)(void(WINAPI*)(LONG_PTR, LPCSTR, LONG_PTR), LONG_PTR)>(
        get("dllSetAddMessageOnlyOnOutputWindowAPIForUpdate"))(print_error, 0);
    HGLOBAL memory = nullptr;
    const LONG result = reinterpret_cast<Check>(get("dllOnUpdateToNewerVersonAtCommand"))(0, nullptr, 0, &memory,
                                                                                         nullptr, 0, 0, 0, nullptr);
    int status = 0;
    if (result == 1 || result == -1) {
        const char* address = memory ? static_cast<const char*>(GlobalLock(memory)) : "";
        out(std::string("newer: ") + address);
        if (memory) GlobalUnlock(memory);
        if (open && !reinterpret_cast<LONG(WINAPI*)(LONG)>(get("dllExecuteNewVersionInstaller"))(1)) status = 1;
    } else if (result == -2) {
        out(std::string("not newer than ") + kVersion);
    } else {
        // Unread, or no update line on it: the reason went to stderr already.
        err("ferro update: no answer from " + page);
        status = 1;
    }
    FreeLibrary(update);
    return status;
}
}  // namespace host
