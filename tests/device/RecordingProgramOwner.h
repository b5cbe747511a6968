#pragma once
// A program owner that records what a program asks of it.

#include "device/MDevDescProgram.h"
#include "device/MDevProgramOwner.h"

#include <vector>

namespace records_test {

class RecordingProgramOwner : public MDevProgramOwner {
public:
    void MarkModified(MDevDescProgram& changed) override {
        changed.SetModified(true);
        marked.push_back(&changed);
    }
    void SendEditBuffer() override { ++sent; }
    void SetWriteProtect(int32_t value) override { writeProtect = value; }
    int32_t GetWriteProtect() const override { return writeProtect; }

    std::vector<const MDevDescProgram*> marked;
    int sent = 0;
    int32_t writeProtect = 0;
};

}  // namespace records_test
