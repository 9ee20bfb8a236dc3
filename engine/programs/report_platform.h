// What the error report list asks of the file system, the error texts and the
// program launcher, each behind one function (not exported).
#pragma once
#include <windows.h>
#include <cstddef>

namespace ferro::programs {
// The attributes of a file or folder (an enclosing quotation removed), -1
// when it does not exist.
LONG report_attributes(const char* path);
// Whether a file or folder exists.
bool report_exists(const char* path);
// The system's spelling of the path (long names), or null when it has none;
// valid until the next call.
const char* report_spelling(const char* path);
// The system's text for an error number without trailing line breaks, or
// null; valid until release_report_system_text().
const char* report_system_text(const char* name, DWORD code);
void release_report_system_text();
// The prefix of a system text: "Windows>>".
const char* report_os_prefix();
// Creates or truncates the file, writes the bytes and gives it the
// attributes. False when it could not be written (the stored error tells).
bool write_report_file(const char* path, const char* data, std::size_t length, DWORD attributes);
// Opens the file in the user's editor. False when that did not start.
bool open_in_editor(HWND window, const char* path);
// Removes a file: 0 removed, 1 failed.
int remove_report_file(const char* path);
}  // namespace ferro::programs
