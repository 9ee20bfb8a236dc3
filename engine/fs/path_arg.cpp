#include <cstring>
#include "frame/paths.h"
#include "frame/text_internal.h"
#include "fs/fs_common.h"
#include "fs/network.h"

namespace ferro::fs {
PathArg::PathArg(const char* path, Form form) {
    buffer_[0] = '\0';
    if (!path) {
        bad_ = true;
        record_error(ERROR_INVALID_PARAMETER);
        return;
    }
    if (!text::copy_bounded(buffer_, path, kPathSize)) {
        bad_ = true;
        record_error(ERROR_FILENAME_EXCED_RANGE);
        return;
    }
    if (form == Form::kQuoted) text::strip_quotes(buffer_);
    if (!buffer_[0]) {
        bad_ = true;
        record_error(ERROR_PATH_NOT_FOUND);
        return;
    }
    if (IsDriveMyNetwork(buffer_)) {
        network_ = true;
        fs_ = MakeNetworkFolderName(buffer_, &saved_);
        if (!fs_) fs_ = buffer_;
        no_fs_name_ = saved_ == 0;
    }
}

PathArg::~PathArg() {
    if (saved_ > 0) RecoverNetworkFolderName(fs_, saved_);
}

void report_change(bool success) { DisableChangeNotify(success ? TRUE : FALSE); }
}  // namespace ferro::fs
