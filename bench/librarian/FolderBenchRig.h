#pragma once
// A library with one big folder for the explorer's benchmarks: the document
// on the simulated synth (identified, so the device folders exist), with
// `count` subfolders or files in the library's device folder.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/librarian/DocRig.h"

namespace folderbench {

enum class Content { kSubfolders, kFiles };

// "Name 00042" and so on, in a shuffled order of creation (the disk's order
// is not the sorted one).
inline std::string EntryName(int i, Content content) {
    char name[32];
    std::snprintf(name, sizeof name, "Name %05d%s", i, content == Content::kFiles ? ".prg" : "");
    return name;
}

// Fills `folder`, which must lie below `library` (a bench never writes
// anywhere else).
inline bool Fill(const std::string& library, const std::string& folder, int count, Content content) {
    if (library.empty() || folder.rfind(library + "/", 0) != 0 || !std::filesystem::is_directory(folder))
        return false;
    for (int k = 0; k < count; ++k) {
        const int i = static_cast<int>((static_cast<long long>(k) * 7919) % count);
        const std::string path = folder + "/" + EntryName(i, content);
        if (content == Content::kSubfolders) std::filesystem::create_directory(path);
        else std::ofstream(path) << "x";
    }
    return true;
}

class FolderRig : public doctest::DocRig {
public:
    FolderRig() : DocRig(SimModel::BrontiselS) { ok = Connect(); }
    bool ok = false;
};

}  // namespace folderbench
