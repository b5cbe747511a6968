#include "device/MDevModelInfo.h"

#include <algorithm>
#include <array>

namespace {

struct KnownModel {
    std::array<uint8_t, 4> modelBytes;
    int modelIndex;
    int modelIdLength;
    int programCount;
};

constexpr std::array<KnownModel, 2> kKnownModels{{
    {{0x58, 0x00, 0x11, 0x00}, MDevModelInfo::kBrontisel, 1, 128},
    {{0x40, 0x01, 0x01, 0x00}, MDevModelInfo::kBrontiselS, 3, 256},
}};

}  // namespace

bool MDevModelInfo::Identify(std::span<const uint8_t, 4> modelBytes) {
    for (const KnownModel& known : kKnownModels) {
        if (std::equal(modelBytes.begin(), modelBytes.end(), known.modelBytes.begin())) {
            modelIndex = known.modelIndex;
            modelIdLength = known.modelIdLength;
            programCount = known.programCount;
            return true;
        }
    }
    return false;
}
