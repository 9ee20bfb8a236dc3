// Column tables handed over to the listing store, as the host does, and the
// window whose procedure runs a test's handler during a read.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "listing/listing_store.h"
#include "support/handler_window.h"

namespace listing_test {
struct Tables {
    std::vector<HGLOBAL> dir_long_h, dir_short_h, file_long_h, file_short_h;
    std::vector<LPSTR> dir_long, dir_short, file_long, file_short;
    std::vector<DWORD> dir_attr;
    std::vector<ULONGLONG> dir_time, dir_date, dir_size;

    Tables()
        : dir_long_h(GetMaxDirNumber() + 1), dir_short_h(GetMaxDirNumber() + 1),
          file_long_h(GetMaxFileNumber() + 1), file_short_h(GetMaxFileNumber() + 1),
          dir_long(GetMaxDirNumber() + 1), dir_short(GetMaxDirNumber() + 1),
          file_long(GetMaxFileNumber() + 1), file_short(GetMaxFileNumber() + 1),
          dir_attr(GetMaxDirNumber() + 1), dir_time(GetMaxDirNumber() + 1), dir_date(GetMaxDirNumber() + 1),
          dir_size(GetMaxDirNumber() + 1) {
        SetDirHandle(dir_long_h.data(), dir_long.data(), dir_short_h.data(), dir_short.data());
        SetDirAttribute(dir_attr.data());
        SetDirTime(dir_time.data());
        SetDirDate(dir_date.data());
        SetDirSize(dir_size.data());
        SetFileHandle(file_long_h.data(), file_long.data(), file_short_h.data(), file_short.data());
    }
    ~Tables() {
        for (auto* v : {&dir_long_h, &dir_short_h, &file_long_h, &file_short_h})
            for (size_t i = 0; i < v->size(); ++i)
                if ((*v)[i]) {
                    GlobalUnlock((*v)[i]);
                    GlobalFree((*v)[i]);
                }
        SetDirHandle(nullptr, nullptr, nullptr, nullptr);
        SetFileHandle(nullptr, nullptr, nullptr, nullptr);
        SetDirAttribute(nullptr);
        SetDirTime(nullptr);
        SetDirDate(nullptr);
        SetDirSize(nullptr);
    }
    std::vector<std::string> folder_names() const {
        std::vector<std::string> out;
        for (LONG i = 0; i < GetTotalNumberOfDirectory(); ++i) out.push_back(dir_long[i] ? dir_long[i] : "(null)");
        return out;
    }
    std::vector<std::string> file_names() const {
        std::vector<std::string> out;
        for (LONG i = 0; i < GetTotalNumberOfFile(); ++i) out.push_back(file_long[i] ? file_long[i] : "(null)");
        return out;
    }
};

using ferro_test::HandlerWindow;
}  // namespace listing_test
