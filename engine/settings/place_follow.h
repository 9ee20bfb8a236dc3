// The calls through which the file operations keep the favourite folders
// and the folder history in step: after a folder was deleted or renamed.
#pragma once

namespace ferro::places {
void follow_folder_deleted(const char* folder);
void follow_folder_renamed(const char* from, const char* to);
}  // namespace ferro::places
