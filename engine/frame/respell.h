// Re-spelling of a path as the file system stores it.
#pragma once
#include <cstddef>

namespace ferro {
// Rewrites `path` in place (never past `size` bytes) in the spelling the file
// system keeps for it: the long form when the character-set setting has bit 4,
// otherwise converted by that setting. A path that cannot be re-spelled, or
// whose stored spelling does not fit, is left as it is.
void respell_as_stored(char* path, std::size_t size);
}  // namespace ferro
