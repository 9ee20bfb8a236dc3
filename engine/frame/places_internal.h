#pragma once

namespace ferro {
// Frees the help file's block (at shutdown).
void free_program_places();
}  // namespace ferro
