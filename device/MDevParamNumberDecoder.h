#pragma once
// Decodes controller messages into RPN and NRPN selections and data entries.
// The selection persists from message to message until another selection or
// the RPN null number (7F7F) replaces it; at most one kind is active.

#include <cstdint>

class MDevParamNumberDecoder {
public:
    static constexpr uint16_t kNone = 0x7F7F;

    // Where a controller's value goes after decoding.
    enum class Target { None, NrpnData, NrpnDataLsb, RpnData, RpnDataLsb };

    // Applies controller `controller` with `value`; returns the data handler
    // the value is for (None for selections and unrelated controllers).
    Target OnControlChange(uint8_t controller, uint8_t value);
    void Reset();

    uint16_t GetNrpnNumber() const { return nrpn_; }
    uint16_t GetRpnNumber() const { return rpn_; }
    bool IsNrpnActive() const { return nrpnActive_; }
    bool IsRpnActive() const { return rpnActive_; }

private:
    void SelectRpn();

    uint16_t nrpn_ = kNone;
    uint16_t rpn_ = kNone;
    bool nrpnActive_ = false;
    bool rpnActive_ = false;
};
