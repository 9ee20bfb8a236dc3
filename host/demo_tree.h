// The demonstration's sample tree in %TEMP%: Japanese names, names whose
// second byte is 0x5C (表 95 5C, ソ 83 5C, 能 94 5C), a few thousand files of
// varied sizes in folders two levels deep.
#pragma once
#include <string>

namespace host {
struct DemoTree {
    std::string root;        // the tree's top folder
    unsigned long files = 0, folders = 0;
    unsigned long long bytes = 0;
};
// Creates the tree; false (after one line on stderr) when it cannot, with
// whatever was made removed again.
bool make_demo_tree(DemoTree& tree);
// Removes a folder and everything under it with plain system calls (the
// fallback for a tree the demonstration could not finish with the engine).
bool remove_tree(const std::string& folder);
}  // namespace host
