#pragma once
// A launcher that records what it was asked to open and answers as set.

#include <string>
#include <vector>

#include "librarian/VelkLauncher.h"

namespace velktest {

class FakeLauncher : public VelkLauncher {
public:
    std::vector<std::string> opened;
    bool result = true;
    bool Open(const std::string& path) override {
        opened.push_back(path);
        return result;
    }
};

}  // namespace velktest
