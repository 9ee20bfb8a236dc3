// The synchronisation's removal step through the engine: files and folders
// of the second folder that the first does not have, one level at a time
// (the host's walk visits every folder pair).
#include "fileops/folders.h"
#include "operations.h"

namespace ferrolan::ops {

void remove_extras(const std::string& first, const std::string& second) {
    const LONG before = IsSynchronizeFolders();
    SetSynchronizeFolders(kSyncFiles | kSyncFolders);
    DeleteExtraFilesInSecondFolderNotInTheFirstFolder(first.c_str(), second.c_str());
    SetSynchronizeFolders(before);
}
}  // namespace ferrolan::ops
