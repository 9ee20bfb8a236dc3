// The file colours in the profile: the three colour sets and the extension
// colours of the engine, read from and written to the host's settings.
#pragma once
#include <string>

namespace host {
// The settings key below HKEY_CURRENT_USER: FERRO_REGISTRY_PATH when set,
// else the product's own key. Set into the profile store.
void use_profile();
// Reads the stored colours into the engine's live copies (missing values
// keep the engine's colours). Writes the live copies back. 1 when done.
int load_colors();
int save_colors();
}  // namespace host
