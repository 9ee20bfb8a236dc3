// Reading the targets (with working folder, arguments, icon and show
// command) of 1,000 shortcuts through the engine's GetLnkExeName, against a
// raw loop over the shell's link object doing the same reads, in the same
// process. Goal: at most 1.2x.
#include <windows.h>
#include <shlobj.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include "programs/shortcut.h"

namespace {
constexpr int kLinks = 1000;
constexpr int kRounds = 5;

double now_ms() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return 1000.0 * double(c.QuadPart) / double(f.QuadPart);
}

// The same reads with the link object alone.
int raw_reads(const std::vector<std::string>& links) {
    int read = 0;
    for (const std::string& link : links) {
        IShellLinkA* object = nullptr;
        if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                    reinterpret_cast<void**>(&object))))
            continue;
        IPersistFile* file = nullptr;
        wchar_t wide[520];
        MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, 520);
        if (SUCCEEDED(object->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
            SUCCEEDED(file->Load(wide, STGM_READ))) {
            char target[520], folder[520], arguments[520], icon[520];
            int index = 0, show = 0;
            WIN32_FIND_DATAA found;
            object->GetIconLocation(icon, sizeof icon, &index);
            if (object->GetPath(target, sizeof target, &found, SLGP_UNCPRIORITY) == S_OK) ++read;
            object->GetArguments(arguments, sizeof arguments);
            object->GetWorkingDirectory(folder, sizeof folder);
            object->GetShowCmd(&show);
        }
        if (file) file->Release();
        object->Release();
    }
    return read;
}

int engine_reads(const std::vector<std::string>& links) {
    int read = 0;
    for (const std::string& link : links) {
        char target[520], folder[520], arguments[520], icon[520];
        int index = 0, show = 0;
        std::strcpy(target, link.c_str());
        if ((GetLnkExeName(nullptr, target, folder, arguments, nullptr, &show, icon, &index) & ~kLinkIconMissing) == 0)
            ++read;
    }
    return read;
}
}  // namespace

int main() {
    InitializeSHFunctionByOLE();
    SetNoResolveTechnique(1);
    SetNoErrorMessageAtLinkedFileInfomation(1);
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "ferro-bench-lnk-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string target = folder + "\\target.exe";
    CloseHandle(CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    std::vector<std::string> links;
    double t0 = now_ms();
    for (int i = 0; i < kLinks; ++i) {
        links.push_back(folder + "\\link " + std::to_string(i) + ".lnk");
        SetLnkExeName(nullptr, links.back().c_str(), target.c_str(), "-x", nullptr, folder.c_str(), SW_SHOWNORMAL,
                      nullptr, 0);
    }
    std::printf("made %d shortcuts in %.0f ms\n", kLinks, now_ms() - t0);

    raw_reads(links);  // warm the caches once
    double raw_best = 1e30, engine_best = 1e30;
    int raw_n = 0, engine_n = 0;
    for (int round = 0; round < kRounds; ++round) {
        const double a = now_ms();
        raw_n = raw_reads(links);
        const double b = now_ms();
        engine_n = engine_reads(links);
        const double c = now_ms();
        raw_best = std::min(raw_best, b - a);
        engine_best = std::min(engine_best, c - b);
        std::printf("round %d: raw %.1f ms, engine %.1f ms\n", round + 1, b - a, c - b);
    }
    std::printf("read %d (raw) and %d (engine) of %d\n", raw_n, engine_n, kLinks);
    std::printf("best: raw %.1f ms, engine %.1f ms, ratio %.2f (goal <= 1.20)\n", raw_best, engine_best,
                engine_best / raw_best);
    for (const std::string& link : links) DeleteFileA(link.c_str());
    DeleteFileA(target.c_str());
    RemoveDirectoryA(folder.c_str());
    CoUninitialize();
    return raw_n == kLinks && engine_n == kLinks ? 0 : 1;
}
