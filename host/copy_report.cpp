#include "copy_report.h"
#include "box_report.h"
#include "console.h"
#include "ferromes.h"
#include "fileops/copy.h"
#include "frame/error_boxes.h"

namespace host {
namespace {
constexpr UINT kDiskAccessTitle = 8012;  // "ﾃﾞｨｽｸｱｸｾｽ・ｴﾗｰ"
}  // namespace

void report_copy_failure(const std::string& command, LONG result, const std::string& source,
                         const std::string& target) {
    char name[520] = {};
    const UINT id = GetCopyingErrorMessageID(result, source.c_str(), target.c_str(), name);
    if (id && BoxReport::active()) {
        const int before = BoxReport::seen();
        SetHelpDosErrorMessage(MB_OK | MB_ICONEXCLAMATION, nullptr);
        MyLoadDosErrorMessage(nullptr, name[0] ? name : source.c_str(), id, kDiskAccessTitle, 0);
        if (BoxReport::seen() != before) return;
    }
    std::string text = "copy result " + std::to_string(result);
    if (id) {
        MyLoadString(id, 0);
        text = GetLoadStrMessage();
    }
    for (char& c : text)
        if (c == '\n') c = ' ';
    err("ferro " + command + ": '" + (name[0] ? std::string(name) : source) + "': " + text);
}
}  // namespace host
