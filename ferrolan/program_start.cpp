// Starting programs for the files of the source pane through the engine's
// launcher: the user's editor, the programs the registry associates with a
// file, the command macros, and the shortcut dialog.
#include <windows.h>
#include <string>
#include "app.h"
#include "frame/memory_blocks.h"
#include "operations.h"
#include "programs/launch.h"
#include "programs/shortcut.h"

namespace ferrolan::ops {
namespace {
std::string quoted(const std::string& path) {
    return path.find(' ') == std::string::npos ? path : '"' + path + '"';
}

// The process and thread handles of a start belong to the host.
void close_record(LaunchRecord& record) {
    if (IsWinExecOnError(record) || record.processId == DWORD(-1)) return;
    if (record.thread) CloseHandle(record.thread);
    if (record.instance) CloseHandle(record.instance);
}
}  // namespace

void edit_file(App& app) {
    const std::string file = cursor_file(app);
    if (file.empty()) return;
    LaunchRecord record{};
    ExecuteEditor(&record, app.window(), file.c_str());
    close_record(record);
}

void launch_program(App& app, const std::string& program, const std::string& options, const std::string& file) {
    std::string line = options;
    const size_t at = line.find("%1");
    if (at != std::string::npos) line.replace(at, 2, file);  // the registry's own quotes stay
    else if (!file.empty()) line += (line.empty() ? "" : " ") + quoted(file);
    HGLOBAL program_block = nullptr, options_block = nullptr;
    if (!SetExcuteExeFileAndOptionsWith95Quotation(app.window(), program.c_str(), line.c_str(), &program_block,
                                                   &options_block))
        return;
    LaunchRecord record{};
    myExecuteExeFile(&record, app.window(), SW_SHOWNORMAL, 1, program_block, options_block);
    close_record(record);
    GlobalFree(program_block);
    GlobalFree(options_block);
}

void open_with(App& app) {
    // The dialog works on the selected files the temporary block lists.
    std::string list;
    for (const Item& item : chosen_items(app)) list += (list.empty() ? "" : " ") + quoted(item.path);
    if (list.empty() || !SaveToGlobal_ghTempMemory(app.window(), list.c_str())) return;
    if (CommandMacro(app.window()) == 1) refresh_panes(app, false);
}

void shortcut_properties(App& app) {
    const long at = app.source().cursor();
    if (at < 0 || size_t(at) >= app.source().listing().entries.size()) return;
    const std::string path = app.source().listing().path(size_t(at));
    if (ShortCutDialog(app.window(), path.c_str(), 0x20, 0) == IDOK) refresh_panes(app, false);
}
}  // namespace ferrolan::ops
