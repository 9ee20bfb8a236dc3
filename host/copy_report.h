// The explanation of a failed copy, shared by the commands that copy.
#pragma once
#include <windows.h>
#include <string>

namespace host {
// The engine's own explanation of a copy result: its message in the
// engine's box (which the box report turns into a line without a display),
// else one line on stderr, "ferro COMMAND: 'NAME': TEXT".
void report_copy_failure(const std::string& command, LONG result, const std::string& source,
                         const std::string& target);
}  // namespace host
