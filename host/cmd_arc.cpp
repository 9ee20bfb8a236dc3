// ferro arc: archives through the engine's archiver binding. The engine finds
// and loads the archiver libraries and hands over their functions; the host
// calls them as a file manager does (a command line of its own for the
// command function, OpenArchive / FindFirst / FindNext for a listing).
#include <windows.h>
#include <string>
#include <vector>
#include "archive/archiver.h"
#include "commands.h"
#include "common_archiver.h"
#include "console.h"
#include "frame/paths.h"

namespace host {
namespace {
constexpr LONG kPack = 0, kUnpack = 1;
const char* const kRows[] = {"pack", "unpack"};
const char* const kChecks[] = {"", "equal", "older", "", "newer", "", "", "", "not checked"};

// The kind whose extension list holds the archive's extension, or -1.
LONG kind_of(const std::string& archive) {
    const char* ext = GetFileExtension(archive.c_str());
    for (LONG kind = 0; ext && kind < 6; ++kind)
        if (IsExtMatchedByArchiveExt(ext, GetArchiveExtName(kind)) == 1) return kind;
    return -1;
}

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

int check() {
    FindArchiverDllFunction(nullptr, nullptr);
    IsArchiverVersionCorrect(nullptr, nullptr);
    for (LONG row = kPack; row <= kUnpack; ++row) {
        SetPackOrUnpack(row);
        for (LONG kind = 0; kind < 6; ++kind) {
            const LONG check = IsCorrectArchiveVer(kind);
            const LONG built = GetCompiledArchiveVersion(kind);
            if (built < 0) {  // a slot without a library
                outf("%-6s %-5s none\n", kRows[row], GetAllArchiverName(kind + 1));
                continue;
            }
            outf("%-6s %-5s %-6s %-7s used %5.2f built for %5.2f  %s\n", kRows[row], GetAllArchiverName(kind + 1),
                 GetArchiverName(kind), IsArchiverActive(kind) == 2 ? "loaded" : "missing",
                 GetUsedArchiveVersion(kind) / 100.0, built / 100.0, check >= 0 && check <= 8 ? kChecks[check] : "?");
        }
    }
    FreeArchiverDllFunction();
    return 0;
}

int list(const std::string& archive, LONG kind) {
    auto open = reinterpret_cast<ArchiverOpen>(funcOpenArchive(kUnpack, kind));
    auto close = reinterpret_cast<ArchiverClose>(funcCloseArchive(kUnpack, kind));
    auto first = reinterpret_cast<ArchiverFindFirst>(funcFindFirst(kUnpack, kind));
    auto next = reinterpret_cast<ArchiverFindNext>(funcFindNext(kUnpack, kind));
    if (!open || !close || !first || !next) {
        err("ferro arc: the archiver library cannot list archives");
        return 1;
    }
    HARC h = open(nullptr, archive.c_str(), M_ERROR_MESSAGE_OFF);
    if (!h) {
        err("ferro arc: not an archive: " + archive);
        return 1;
    }
    INDIVIDUALINFO info;
    int r = first(h, "*", &info);
    for (; r == 0; r = next(h, &info))
        outf("%10lu %04u-%02u-%02u %02u:%02u  %s\n", static_cast<unsigned long>(info.dwOriginalSize),
             1980 + (info.wDate >> 9), (info.wDate >> 5) & 15u, info.wDate & 31u, info.wTime >> 11,
             (info.wTime >> 5) & 63u, info.szFileName);
    close(h);
    if (r != -1) {
        err(std::string("ferro arc: ") + GetUnlhaErrorString(r));
        return 1;
    }
    return 0;
}

int run_command(LONG row, LONG kind, const std::string& line) {
    auto command = reinterpret_cast<ArchiverCommand>(funcArchiver(row, kind));
    std::vector<char> output(1 << 16);
    const int r = command(nullptr, line.c_str(), output.data(), static_cast<DWORD>(output.size()));
    if (output[0]) outf("%s", output.data());
    if (r != 0) {
        err(std::string("ferro arc: ") + GetUnlhaErrorString(r));
        return 1;
    }
    return 0;
}
}  // namespace

int cmd_arc(const Args& args) {
    const std::string what = args.empty() ? "" : args[0];
    if (what == "check" && args.size() == 1) return check();
    const bool ok = (what == "list" && args.size() == 2) || (what == "extract" && args.size() == 3) ||
                    (what == "create" && args.size() >= 3);
    if (!ok) {
        err("usage: ferro arc check | list ARCHIVE | extract ARCHIVE DIR | create ARCHIVE FILE...");
        return 2;
    }
    const std::string archive = windows_path(args[1]);
    const LONG kind = kind_of(archive);
    const LONG row = what == "create" ? kPack : kUnpack;
    FindArchiverDllFunction(nullptr, nullptr);
    if (kind < 0 || !funcArchiver(row, kind)) {
        err("ferro arc: no archiver library for " + archive);
        FreeArchiverDllFunction();
        return 1;
    }
    int r;
    if (what == "list") {
        r = list(archive, kind);
    } else if (what == "extract") {
        r = run_command(row, kind, "x " + quoted(archive) + " " + quoted(windows_path(args[2])));
    } else {
        std::string line = "c " + quoted(archive);
        for (size_t i = 2; i < args.size(); ++i) {
            line += ' ';
            line += quoted(windows_path(args[i]));
        }
        r = run_command(row, kind, line);
    }
    FreeArchiverDllFunction();
    return r;
}
}  // namespace host
