// The steps of ferro demo, one function each.
#pragma once
#include "demo_tree.h"

namespace host {
// A step's heading.
void step(const char* title);
void demo_search(const DemoTree& tree);
// Deletes the whole tree with the engine's walk; true when it is gone.
bool demo_delete(const DemoTree& tree, const char* title);
}  // namespace host
