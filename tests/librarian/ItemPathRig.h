#pragma once
// A library folder in a private temporary folder, and a device list, for the
// tests of item paths.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "librarian/CItemClassify.h"
#include "librarian/CItemPath.h"
#include "tests/support/TempDir.h"

namespace itempath_test {

// The identified devices by name; lookups ignore ASCII case.
class FakeDeviceNames final : public itempath::CDeviceNames {
public:
    explicit FakeDeviceNames(std::vector<std::string> names) : names_(std::move(names)) {}
    int FindDevice(std::string_view name) const override {
        for (std::size_t i = 0; i < names_.size(); ++i) {
            if (itempath::EqualsIgnoringCase(names_[i], name)) return static_cast<int>(i);
        }
        return -1;
    }

private:
    std::vector<std::string> names_;
};

// A library folder on disk for two devices, "Brontisel" and "Brontisel S":
//   lib/My Setup/Brontisel/{all.set, old.set, sub/}   lib/My Setup/Other/
//   lib/My Library/Brontisel/{A.prg, B.glb, Pads/Pad.prg}
//   lib/My Library/Brontisel S/S.prg                  lib/secret.prg   etc/passwd
class LibraryOnDiskTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* file : {"lib/My Setup/Brontisel/all.set", "lib/My Setup/Brontisel/old.set",
                                 "lib/My Library/Brontisel/A.prg", "lib/My Library/Brontisel/B.glb",
                                 "lib/My Library/Brontisel/Pads/Pad.prg", "lib/My Library/Brontisel S/S.prg",
                                 "lib/secret.prg", "etc/passwd"})
            disk_.MakeFile(file);
        disk_.MakeFolder("lib/My Setup/Brontisel/sub");
        disk_.MakeFolder("lib/My Setup/Other");
        library_ = disk_.Path().string() + "/lib";
        roots_ = itempath::CItemRoots::FromLibraryPath(library_);
    }

    velktest::TempDir disk_;
    std::string library_;
    itempath::CItemRoots roots_;
    FakeDeviceNames devices_{{"Brontisel", "Brontisel S"}};
};

// Replaces every "{lib}" in the text by the library path.
inline std::string WithLibrary(std::string_view text, std::string_view library) {
    std::string out(text);
    for (auto at = out.find("{lib}"); at != std::string::npos; at = out.find("{lib}", at + library.size()))
        out.replace(at, 5, library);
    return out;
}

}  // namespace itempath_test
