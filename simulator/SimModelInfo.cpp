#include "simulator/SimModelInfo.h"

namespace {
constexpr std::uint8_t kIdBrontisel[] = {0x58};
constexpr std::uint8_t kIdBrontiselS[] = {0x00, 0x01, 0x40};

const SimModelInfo kBrontisel{kIdBrontisel, {0x58, 0x00, 0x11, 0x00}, 128, true};
const SimModelInfo kBrontiselS{kIdBrontiselS, {0x40, 0x01, 0x01, 0x00}, 256, false};
}  // namespace

const SimModelInfo& SimModelInfo::Of(SimModel model) {
    return model == SimModel::BrontiselS ? kBrontiselS : kBrontisel;
}

SimModel SimModelInfo::Other(SimModel model) {
    return model == SimModel::BrontiselS ? SimModel::Brontisel : SimModel::BrontiselS;
}

std::size_t SimModelInfo::AllDataSize() const {
    return static_cast<std::size_t>(programCount) * kSimProgramSize + (allDataHasGlobal ? kSimGlobalSize : 0);
}
