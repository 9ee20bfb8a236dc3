// What the favourite folders and the folder history share: the test of a
// path at or below a folder, the rewrite of a renamed path, and the calls
// through which the file operations keep both lists in step.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace ferro::settings {
// Whether `path` is `folder` or lies below it (without regard to case, at
// a folder boundary; a root folder holds everything on its drive).
bool at_or_below(const char* path, const char* folder);
// `path` with its leading `oldName` replaced by `newName`; false when the
// path is not at or below oldName, or the result would not fit in 520 bytes.
bool renamed_path(const std::string& path, const char* oldName, const char* newName, std::string& out);
// `path` re-spelt as the file system stores it (long names).
std::string stored_spelling(const std::string& path);

// Empties the favourite table (not its start-up copy).
void clear_favorite_entries();
// The favourite menu rebuilt, when the host has shown it before.
void rebuild_favorite_menu();

// The history's folders newest first, with the position of the current
// node in `current` (-1 none); and a position made current.
std::vector<std::string> history_folders(int& current);
void make_history_current(int position);

// The dialogs' common texts.
inline constexpr UINT kFavoriteMissing = 7150;  // "'%s'\nは見つかりません。お気に入りから削除しますか？"
inline constexpr UINT kFavoriteTitle = 7151;    // "Ferrolan:お気に入りﾌｫﾙﾀﾞ"
inline constexpr UINT kHistoryTitle = 7152;     // "Ferrolan:ﾌｫﾙﾀﾞ履歴"
}  // namespace ferro::settings
