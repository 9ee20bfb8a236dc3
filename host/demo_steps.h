// The steps of ferro demo, one function each.
#pragma once
#include "demo_tree.h"

namespace host {
// A step's heading.
void step(const char* title);
// Copies with progress, a stopped copy and a tree copy; true when each went as expected.
bool demo_copy(const DemoTree& tree);
void demo_search(const DemoTree& tree);
// Deletes the whole tree with the engine's walk; true when it is gone.
bool demo_delete(const DemoTree& tree, const char* title);
}  // namespace host
