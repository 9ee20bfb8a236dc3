// The function addresses handed to the host. Every lookup of a slot that is
// not loaded, or of a row or kind out of range, answers 0.
#include "archive/archiver.h"
#include "archive/slots.h"

using namespace ferro::archive;

namespace {
FARPROC lookup(LONG row, LONG kind, Function f) {
    const Slot* s = at(row, kind);
    return s ? s->functions[f] : nullptr;
}
LONG exists_in_current_row(LONG kind, Function f) {
    const Slot* s = current(kind);
    return s && s->functions[f] ? 1 : 0;
}
}  // namespace

#define ARCHIVER_FUNCTION(name, suffix, rule) \
    FARPROC WINAPI func##name(LONG row, LONG kind) { return lookup(row, kind, k##name); }
#include "archive/archiver_functions.def"
#undef ARCHIVER_FUNCTION

LONG WINAPI IsCheckArchive(LONG kind) { return exists_in_current_row(kind, kCheckArchive); }
LONG WINAPI myLhaGetVersionExist() { return exists_in_current_row(0, kGetVersion); }
LONG WINAPI myLhaSetCursorModeExist() { return exists_in_current_row(0, kSetCursorMode); }
LONG WINAPI myLhaGetRunningExist() { return exists_in_current_row(0, kGetRunning); }
LONG WINAPI myLhaGetBackGroundMode() { return exists_in_current_row(0, kSetBackGroundMode); }
