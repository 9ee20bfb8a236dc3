// The engine's copy progress box: a static control of the host drawn as a
// bar with the name of the file being copied on it.
#include "operations.h"
#include "progress/progress_box.h"

namespace ferrolan::ops {
void start_progress_box(HWND parent, int control) { StartEditboxSubClassCopyRightDlg(parent, control, nullptr); }
void progress_box_text(const std::string& line, int index, int count) { GetCopiedFile(line.c_str(), index, count); }
void end_progress_box(HWND parent, int control) { EndEditboxSubClassCopyRightDlg(parent, control); }
}  // namespace ferrolan::ops
