// The dialogs of the command macros, from this library's resources (not exported).
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace ferro::programs {
// Controls of the command-macro dialog beside the command list (2100) and
// the run button (2107).
inline constexpr int kTemplateField = 2101;
inline constexpr int kFileLabel = 2102;
// Control of the extra-option dialog.
inline constexpr int kExtraField = 2110;

// Shows the extra-option dialog with `options`; false when cancelled,
// otherwise `options` holds what the user confirmed.
bool ask_extra_options(HWND owner, std::string& options);
// The command of every stored entry (empty for a free one), in order.
std::vector<std::string> stored_command_texts();
}  // namespace ferro::programs
