#pragma once
// Maps an NRPN data entry of the synth's arpeggiator knobs to the program
// parameter it moved and the value to report.

#include <cstdint>
#include <optional>

struct MDevNrpnReport {
    int paramId;
    int value;
    bool operator==(const MDevNrpnReport&) const = default;
};

class MDevDescZEPHANrpnMap {
public:
    // `number` is the selected NRPN (MSB * 256 + LSB), `value` the data entry
    // value 0-127; nothing for an NRPN that reports no parameter.
    static std::optional<MDevNrpnReport> Report(uint16_t number, int value);
};
