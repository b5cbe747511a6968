#include "device/MDevDescZEPHANrpnMap.h"

namespace {
// Program parameter ids of the arpeggiator.
constexpr int kArpOnOff = 18;
constexpr int kArpLatch = 19;
constexpr int kArpType = 22;
constexpr int kArpRange = 23;
constexpr int kArpGateTime = 24;

int ArpTypeOf(int v) {
    if (v <= 21) return 0;
    if (v <= 42) return 1;
    if (v <= 63) return 2;
    if (v <= 85) return 3;
    if (v <= 106) return 4;
    return 5;
}
}  // namespace

std::optional<MDevNrpnReport> MDevDescZEPHANrpnMap::Report(uint16_t number, int value) {
    switch (number) {
    case 0x0002: return MDevNrpnReport{kArpOnOff, value >> 6};
    case 0x0003:
        if (value > 3) return std::nullopt;
        return MDevNrpnReport{kArpRange, value};
    case 0x0004: return MDevNrpnReport{kArpLatch, value >> 6};
    case 0x0007: return MDevNrpnReport{kArpType, ArpTypeOf(value)};
    case 0x000A: return MDevNrpnReport{kArpGateTime, value * 101 / 128};
    default: return std::nullopt;
    }
}
