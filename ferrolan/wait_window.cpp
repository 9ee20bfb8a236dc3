// The engine's wait window during a long delete: the host's three callbacks
// make, end and fill it; the engine's operation timer opens it only when the
// operation outlasts its delay. The timer's identifier is kWaitTimer, set
// as the engine's option unless the user switched the window off.
#include <windows.h>
#include "app.h"
#include "frame/message_pump.h"
#include "frame/option_flags.h"
#include "operations.h"
#include "settings.h"
#include "ui/wait.h"

namespace ferrolan::ops {
namespace {
HWND CALLBACK create_wait(HWND owner) { return CreateWaitDialog(owner); }
void CALLBACK destroy_wait() { DestroyWaitDialog(); }
void CALLBACK count_wait(LPCSTR name, LONG done, LONG total) { SendCountingNumbers(name, done, total); }
}  // namespace

void register_wait_window() {
    CreateWaitDialogAPI(create_wait);
    DestroyWaitDialogAPI(destroy_wait);
    SendCountingNumbersAPI(count_wait);
    SetSearchTimerSelected(read_number("Options", "WaitWindow", 1) ? LONG(kWaitTimer) : 0);
}

void start_wait(App& app) { SetTimerForFileDirOperation(app.window(), nullptr, nullptr, 0, 0); }

void wait_progress(const std::string& name, size_t done, size_t total) {
    SendCountingNumbers(name.c_str(), LONG(done), LONG(total));
    TrapMessage();  // the timer's tick and the window's Cancel get through
}

void wait_tick(App& app, const char* caption) { wmTimerForFileDirOperation(app.window(), WM_TIMER, kWaitTimer, caption); }

void end_wait(App& app) { FinishTimerForFileDirOperation(app.window()); }
}  // namespace ferrolan::ops
