// Memory helpers shared by the library's own code.
#pragma once
#include <windows.h>

namespace ferro {
// Message numbers of the memory warnings.
inline constexpr UINT kAddToGlobalMemoryTitle = 8057;
inline constexpr UINT kSaveToGlobalMemoryTitle = 8058;
inline constexpr UINT kNotTakenIn = 8059;
inline constexpr UINT kAccessFailedDetail = 8060;
inline constexpr UINT kGlobalLockTitle = 8061;
inline constexpr UINT kMemoryExhausted = 8062;

// The memory-failure report: once (while the error flag is clear) a stop box
// with message 8062 and, when detail_id is not 0, a line with that message,
// under the title title_id; then WM_CLOSE to `window` (when it is neither 0
// nor the main window) and to the host's main window; the flag is set.
void report_memory_failure(HWND window, UINT title_id, UINT detail_id);

// Unlocks (every lock) and frees the temporary block and clears its handle.
void free_temp_block();

// Unlocks a block as often as it is locked and frees it.
void free_block(HGLOBAL handle);
}  // namespace ferro
