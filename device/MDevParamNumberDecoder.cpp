#include "device/MDevParamNumberDecoder.h"

namespace {
constexpr uint8_t kDataEntryMsb = 6;
constexpr uint8_t kDataEntryLsb = 38;
constexpr uint8_t kNrpnLsb = 98;
constexpr uint8_t kNrpnMsb = 99;
constexpr uint8_t kRpnLsb = 100;
constexpr uint8_t kRpnMsb = 101;
}  // namespace

MDevParamNumberDecoder::Target MDevParamNumberDecoder::OnControlChange(uint8_t controller, uint8_t value) {
    switch (controller) {
    case kNrpnMsb:
        nrpn_ = static_cast<uint16_t>(value * 256 + (nrpn_ & 0xFF));
        nrpnActive_ = true;
        rpnActive_ = false;
        return Target::None;
    case kNrpnLsb:
        nrpn_ = static_cast<uint16_t>((nrpn_ & 0xFF00) + value);
        nrpnActive_ = true;
        rpnActive_ = false;
        return Target::None;
    case kRpnMsb:
        rpn_ = static_cast<uint16_t>(value * 256 + (rpn_ & 0xFF));
        SelectRpn();
        return Target::None;
    case kRpnLsb:
        rpn_ = static_cast<uint16_t>((rpn_ & 0xFF00) + value);
        SelectRpn();
        return Target::None;
    case kDataEntryMsb:
        if (nrpnActive_) return Target::NrpnData;
        if (rpnActive_) return Target::RpnData;
        return Target::None;
    case kDataEntryLsb:
        if (nrpnActive_) return Target::NrpnDataLsb;
        if (rpnActive_) return Target::RpnDataLsb;
        return Target::None;
    default: return Target::None;
    }
}

void MDevParamNumberDecoder::SelectRpn() {
    if (rpn_ == kNone) {
        Reset();
        return;
    }
    rpnActive_ = true;
    nrpnActive_ = false;
}

void MDevParamNumberDecoder::Reset() {
    nrpn_ = kNone;
    rpn_ = kNone;
    nrpnActive_ = false;
    rpnActive_ = false;
}
