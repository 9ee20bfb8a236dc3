// The message that the host shows for a copy result, and which name goes with it.
#include "fileops/copy.h"
#include "fileops/copy_internal.h"

namespace {
using namespace ferro::fileops;

enum class Shown { kNone, kSource, kTarget };

struct MessageRow {
    LONG result;
    UINT message;
    Shown name;
};

constexpr UINT kWriteFailed = 8171;  // "ﾌｧｲﾙ書き込み失敗。"

constexpr MessageRow kMessages[] = {
    {kCopied, 0, Shown::kNone},
    {kSourceNotFound, 8172, Shown::kSource},      // "ﾌｧｲﾙ読み込み失敗。"
    {kMediaError, 0, Shown::kNone},
    {kDiskFull, 8170, Shown::kSource},            // "は複写･移動不可：先空容量不足。"
    {kSourceNotOpened, 8176, Shown::kSource},     // "元ﾌｧｲﾙのｵｰﾌﾟﾝ失敗。"
    {kReadFailed, 8172, Shown::kSource},
    {kDriveNotReady, 8175, Shown::kSource},       // "\nﾃﾞｨｽｸｱｸｾｽに失敗しました。..."
    {kReadFailedPartway, 8174, Shown::kSource},   // "ﾌｧｲﾙ読み込み中途失敗。..."
    {kReadFailedAtOnce, 8173, Shown::kSource},    // "ﾌｧｲﾙ読み込み不可能。..."
    {kTargetFailed, kWriteFailed, Shown::kTarget},
    {kTargetNotOpened, 8177, Shown::kTarget},     // "先ﾌｧｲﾙのｵｰﾌﾟﾝ失敗。"
    {kNoMemory, 8178, Shown::kSource},            // "処理実行用ﾒﾓﾘ確保に失敗しました。"
    {kStopped, 0, Shown::kNone},
    {kTargetIsFolder, 8187, Shown::kSource},      // "ﾌｧｲﾙの複写･移動に失敗しました。..."
    {kShellCancelled, kWriteFailed, Shown::kTarget},
    {kFailedAndNoted, kWriteFailed, Shown::kTarget},
};
}  // namespace

UINT WINAPI GetCopyingErrorMessageID(LONG result, LPCSTR sourceName, LPCSTR targetName, LPSTR nameOut) {
    MessageRow found{result, kWriteFailed, Shown::kTarget};  // any other code
    for (const MessageRow& row : kMessages)
        if (row.result == result) found = row;
    const char* name = found.name == Shown::kSource ? sourceName : found.name == Shown::kTarget ? targetName : "";
    copy_name_out(nameOut, name);
    return found.message;
}
