#include "device/MDevSysExClassifier.h"

#include <algorithm>

#include "device/MDevZEPHAMessages.h"

namespace {

constexpr uint8_t kSysEx = 0xF0;
constexpr uint8_t kEndOfSysEx = 0xF7;
constexpr uint8_t kMakerId = 0x42;

std::span<const uint8_t> AfterStatus(std::span<const uint8_t> message) {
    if (!message.empty() && message.front() == kSysEx) return message.subspan(1);
    return message;
}

// Model-id length of a device message, 0 when it carries no known model id.
int ModelIdLength(std::span<const uint8_t> m) {
    if (m.size() >= 5 && m[2] == 0x00 && m[3] == 0x01 && m[4] == 0x40) return 3;
    if (m.size() >= 3 && m[2] == 0x58) return 1;
    return 0;
}

// True when the message is exactly n bytes long and ends in F7.
bool HasLength(std::span<const uint8_t> m, std::size_t n) { return m.size() == n && m.back() == kEndOfSysEx; }

}  // namespace

MDevSysExVerdict MDevSysExClassifier::Classify(std::span<const uint8_t> message, uint8_t channel,
                                               const MDevModelInfo& model, bool loadProgram) {
    using Msgs = MDevZEPHAMessages;
    MDevSysExVerdict verdict;
    const std::span<const uint8_t> m = AfterStatus(message);
    if (m.size() < 3 || m[0] != kMakerId || m[1] != 0x30 + (channel & 0x0F)) return verdict;
    const int d = ModelIdLength(m);
    const auto functionAt = static_cast<std::size_t>(d) + 2;
    if (d == 0 || m.size() <= functionAt) return verdict;
    verdict.idLength = d;
    verdict.function = m[functionAt];
    const std::size_t payloadAt = functionAt + 1;

    switch (verdict.function) {
    case Msgs::kWriteCompleted:
    case Msgs::kDataLoadCompleted: verdict.accepted = true; break;
    case Msgs::kCurrentProgramDump:
        if (loadProgram && HasLength(m, payloadAt + Msgs::kPackedProgramSize + 1)) {
            verdict.accepted = true;
            verdict.payload = m.subspan(payloadAt, Msgs::kPackedProgramSize);
        }
        break;
    case Msgs::kAllDataDump: {
        const std::size_t size =
            d == 3 ? Msgs::kPackedAllDataSizeBrontiselS : Msgs::kPackedAllDataSizeBrontisel;
        verdict.allDataSize = size;
        if (HasLength(m, payloadAt + size + 1)) {
            verdict.accepted = true;
            verdict.payload = m.subspan(payloadAt, size);
        }
        break;
    }
    case Msgs::kGlobalDump:
        // Measured against the identified model's id length; a global dump
        // of the other model, or one before identification, is ignored.
        if (model.modelIdLength != 0 && d == model.modelIdLength &&
            HasLength(m, payloadAt + Msgs::kPackedGlobalSize + 1)) {
            verdict.accepted = true;
            verdict.payload = m.subspan(payloadAt, Msgs::kPackedGlobalSize);
        }
        break;
    default: break;
    }
    return verdict;
}

bool MDevSysExClassifier::ParseIdentityReply(std::span<const uint8_t> message, IdentityReply& reply) {
    const std::span<const uint8_t> m = AfterStatus(message);
    if (m.size() != 14 || m[0] != 0x7E || m[2] != 0x06 || m[3] != 0x02 || m[4] != kMakerId ||
        m[13] != kEndOfSysEx)
        return false;
    IdentityReply parsed;
    parsed.channel = m[1];
    std::copy_n(m.begin() + 5, 4, parsed.modelBytes.begin());
    MDevModelInfo probe;
    if (!probe.Identify(parsed.modelBytes)) return false;
    reply = parsed;
    return true;
}

bool MDevSysExClassifier::ApplyIdentityReply(std::span<const uint8_t> message, uint8_t& channel,
                                             MDevModelInfo& model) {
    IdentityReply reply;
    if (!ParseIdentityReply(message, reply)) return false;
    model.Identify(reply.modelBytes);
    channel = reply.channel;
    return true;
}
