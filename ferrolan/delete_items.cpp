// Delete of the chosen entries: after the user's yes, files one by one with
// the engine's questions about read-only and undeletable files, folders with
// their whole tree through the engine's wildcard walk (which asks about
// read-only folders); into the recycle bin when the user's setting says so.
#include <windows.h>
#include "app.h"
#include "fileops/delete.h"
#include "frame/message_box.h"
#include "frame/message_pump.h"
#include "frame/option_flags.h"
#include "host_paths.h"
#include "listing/selection.h"
#include "operations.h"
#include "programs/error_report.h"
#include "texts.h"

namespace ferrolan::ops {
namespace {
bool hit(LONG result, LONG bits) { return IsReturnedValueHitForDeleteOperation(result, -bits) != 0; }
}  // namespace

void delete_items(App& app) {
    const std::vector<Item> items = chosen_items(app);
    if (items.empty()) return;
    const bool trash = IsTrashActive() != 0;
    const std::string question = format(trash ? ids::kAskTrash : ids::kAskDelete, int(items.size()));
    if (myMessageBox(app.window(), question.c_str(), text(ids::kDeleteTitle).c_str(),
                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    ResetCancellingFlags(0);
    ReleaseOutputFileMemoryHandle();
    SetTrashActivated(trash ? 1 : 0, 0);
    SetAllDelByForce(0);
    start_wait(app);
    for (size_t i = 0; i < items.size(); ++i) {
        const Item& item = items[i];
        wait_progress(item.path, i, items.size());
        if (IsStopExecutingFlag()) break;  // the wait window's Cancel
        SetWindowTextA(app.source().control(Pane::kStatus), format(ids::kDeleting, host::name_of(item.path).c_str()).c_str());
        LONG result;
        if (item.folder) {
            SetNoHourCursorInDelwild(0);
            LONG count = 0;
            result = DelWild(app.window(), nullptr, kWildDelete | kWildFolders | kWildDescend | kWildSelf, &count,
                             nullptr, host::joined(item.path, "*.*").c_str(), nullptr);
        } else {
            // The name is checked first (kind 5); "yes" to a read-only file deletes it anyway.
            do result = RemoveByForce(app.window(), item.path.c_str(), LONG(items.size() - i > 1), 0x5, 0);
            while (hit(result, kDeleteRetry) && !IsStopExecutingFlag());
        }
        if (hit(result, kDeleteStopped) || IsStopExecutingFlag()) break;
        // "No" to going on after an undeletable file ends the run.
        if (!item.folder && hit(result, kDeleteFailed) && items.size() - i > 1) break;
    }
    end_wait(app);
    SetTrashActivated(0, 0);
    ResetCancellingFlags(0);
    FreeItemFileAfterCurNumber(0, 0);
    refresh_panes(app, true);
    show_error_list(app);
}
}  // namespace ferrolan::ops
