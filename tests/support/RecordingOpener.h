#pragma once
// An item opener that records the editors it was asked to open, as
// "program <index> <file>" or "global <index> <file>", and opens none.

#include <string>
#include <vector>

#include "librarian/VelkItemOpener.h"

namespace velktest {

class RecordingOpener final : public VelkItemOpener {
public:
    std::vector<std::string> opened;
    void OpenGlobalEditor(MDevDesc&, int index, const std::string& file) override {
        opened.push_back("global " + std::to_string(index) + " " + file);
    }
    void OpenProgramEditor(MDevDesc&, int index, const std::string& file) override {
        opened.push_back("program " + std::to_string(index) + " " + file);
    }
};

}  // namespace velktest
