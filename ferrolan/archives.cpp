// Pack and unpack through the engine's archiver binding: the engine finds and
// loads the archiver library of the archive's kind and hands over its
// command function, which the host calls with a command line of its own.
#include <windows.h>
#include <string>
#include <vector>
#include "app.h"
#include "archive/archiver.h"
#include "common_archiver.h"
#include "dialogs.h"
#include "frame/message_box.h"
#include "frame/paths.h"
#include "host_paths.h"
#include "ferromes.h"
#include "operations.h"
#include "texts.h"

namespace ferrolan::ops {
namespace {
constexpr LONG kPackRow = 0, kUnpackRow = 1, kTarKind = 4;

// The kind whose extension list holds the file's extension, or -1.
LONG kind_of(const std::string& path) {
    const char* ext = GetFileExtension(path.c_str());
    for (LONG kind = 0; ext && *ext && kind < 6; ++kind)
        if (IsExtMatchedByArchiveExt(ext, GetArchiveExtName(kind)) == 1) return kind;
    return -1;
}

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

// The libraries are loaded once, when an archive is first worked on.
void load_archivers(HWND window) {
    if (IsArchiverDllFunctionFree()) FindArchiverDllFunction(window, nullptr);
}

// Runs the archiver's command function; false after a box with its error.
bool run_archiver(App& app, LONG row, LONG kind, const std::string& line, UINT title, const std::string& archive) {
    auto command = reinterpret_cast<ArchiverCommand>(funcArchiver(row, kind));
    if (!command) {
        _MessageBoxPrintf(GetSysDlgInstance(), ids::kNoArchiver, title, archive.c_str(), app.window(),
                          MB_ICONEXCLAMATION, nullptr);
        return false;
    }
    std::vector<char> output(1 << 16);
    const int result = command(app.window(), line.c_str(), output.data(), DWORD(output.size()));
    if (result != 0) {
        _MessageBoxPrintf(GetSysDlgInstance(), ids::kArchiverError, title, GetUnlhaErrorString(result), app.window(),
                          MB_ICONEXCLAMATION, nullptr);
        return false;
    }
    return true;
}
}  // namespace

bool is_archive(const std::string& path) { return kind_of(path) >= 0; }

void unpack(App& app) {
    Pane& pane = app.source();
    const long at = pane.cursor();
    if (at < 0 || size_t(at) >= pane.listing().entries.size() || pane.listing().entries[size_t(at)].kind != Entry::kFile)
        return;
    const std::string archive = pane.listing().path(size_t(at));
    const LONG kind = kind_of(archive);
    if (kind < 0) {
        _MessageBoxPrintf(GetSysDlgInstance(), ids::kNotAnArchive, ids::kUnpackTitle, archive.c_str(), app.window(),
                          MB_ICONEXCLAMATION, nullptr);
        return;
    }
    std::string into = app.target().folder();
    if (!ask_text(app.window(), ids::kUnpackTitle, ids::kUnpackInto, into)) return;
    into = host::without_final_yen(host::windows_path(into));
    load_archivers(app.window());
    if (run_archiver(app, kUnpackRow, kind, "x " + quoted(archive) + " " + quoted(into), ids::kUnpackTitle, archive))
        refresh_panes(app, false);
}

void pack(App& app) {
    const std::vector<Item> items = chosen_items(app);
    if (items.empty()) return;
    const std::string folder = app.source().folder();
    std::string archive = host::joined(app.target().folder(), host::name_of(items[0].path) + ".tgz");
    if (!ask_text(app.window(), ids::kPackTitle, ids::kArchiveName, archive)) return;
    if (host::last_yen(archive) == std::string::npos) archive = host::joined(app.target().folder(), archive);
    const LONG kind = kind_of(archive);
    if (kind < 0) {
        _MessageBoxPrintf(GetSysDlgInstance(), ids::kNotAnArchive, ids::kPackTitle, archive.c_str(), app.window(),
                          MB_ICONEXCLAMATION, nullptr);
        return;
    }
    // The entries go in under their names relative to the pane's folder.
    std::string line = "c " + quoted(archive);
    if (kind == kTarKind) line += " -C " + quoted(folder);
    for (const Item& item : items) line += " " + quoted(kind == kTarKind ? host::name_of(item.path) : item.path);
    load_archivers(app.window());
    if (run_archiver(app, kPackRow, kind, line, ids::kPackTitle, archive)) refresh_panes(app, true);
}

void pack_or_unpack(App& app) {
    Pane& pane = app.source();
    const long at = pane.cursor();
    const bool archive_here = pane.marked_count() == 0 && at >= 0 && size_t(at) < pane.listing().entries.size() &&
                              pane.listing().entries[size_t(at)].kind == Entry::kFile &&
                              is_archive(pane.listing().path(size_t(at)));
    archive_here ? unpack(app) : pack(app);
}
}  // namespace ferrolan::ops
