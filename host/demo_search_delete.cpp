// Demonstration steps on the sample tree: a search by conditions, a search
// for a list of names until all are found, and the delete of the whole tree,
// all through the engine's wildcard walk.
#include <windows.h>
#include <cstring>
#include <string>
#include <vector>
#include "commands.h"
#include "console.h"
#include "demo_steps.h"
#include "fileops/delete.h"
#include "frame/message_pump.h"
#include "search/search_conditions.h"

namespace host {
namespace {
void show_some(const std::vector<std::string>& paths, size_t limit) {
    for (size_t i = 0; i < paths.size() && i < limit; ++i) outf("    %s\n", paths[i].c_str());
    if (paths.size() > limit) outf("    ... %zu more\n", paths.size() - limit);
}
}  // namespace

void demo_search(const DemoTree& tree) {
    step("Search by conditions: names containing \x95\x5c, at least 8,000 bytes, in the whole tree");
    ReleaseSearchedNameInFileName();
    SetSearchedNameInFileName("\x95\x5c");  // 表
    SetSearchedSizeInFileName(8000, 0);
    SetTypeSearchedSizeInFileName(0);
    std::vector<std::string> found = list_matches(tree.root + "\\*.*", true);
    outf("  %zu files match\n", found.size());
    show_some(found, 5);
    ReleaseSearchedNameInFileName();

    step("Search for a list of names until every one is found");
    // 能0002.txt, IMG_1033.DOC (stored as .doc), 写真0705.txt (stored as .TXT in
    // 表\報告書) and one that is not there: names are compared without case.
    const char names[] = "\x94\x5c" "0002.txt\0IMG_1033.DOC\0\x8e\xca\x90\x5e" "0705.txt\0nothere.txt\0";
    SetSearchedFileFound(names, 0);
    list_matches(tree.root + "\\*.*", true);
    for (FoundFileNode* node = GetHeadOfSearchedFileFoundPointer(); node; node = GetNextOfSearchedFileFoundPointer(node))
        outf("  %-10s %s\n", GetBoolSearchedFileFoundFromPointer(node) ? "found:" : "not found:",
             GetSearchedFileFoundFromPointer(node));
    FreeAllocateFoundFiles();
}

bool demo_delete(const DemoTree& tree, const char* what) {
    step(what);
    ResetCancellingFlags(0);
    SetNoHourCursorInDelwild(1);
    LONG count = 0;
    const std::string pattern = tree.root + "\\*.*";
    const LONG result = DelWild(nullptr, nullptr, kWildDelete | kWildDescend | kWildSelf, &count, nullptr,
                                pattern.c_str(), nullptr);
    const bool gone = GetFileAttributesA(tree.root.c_str()) == INVALID_FILE_ATTRIBUTES;
    outf("  DelWild: result -0x%lX, %ld entries deleted, the tree is %s\n", static_cast<unsigned long>(-result),
         static_cast<long>(count), gone ? "gone" : "still there");
    return gone;
}
}  // namespace host
