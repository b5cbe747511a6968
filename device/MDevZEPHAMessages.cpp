#include "device/MDevZEPHAMessages.h"

#include <array>

#include "device/MDevSysExPacking.h"

namespace {

constexpr uint8_t kSysEx = 0xF0;
constexpr uint8_t kEndOfSysEx = 0xF7;
constexpr uint8_t kMakerId = 0x42;
constexpr uint8_t kControlChange = 0xB0;
constexpr uint8_t kProgramChange = 0xC0;
constexpr uint8_t kBankSelectMsb = 0x00;
constexpr uint8_t kBankSelectLsb = 0x20;

uint8_t ChannelOf(uint8_t channel) { return static_cast<uint8_t>(channel & 0x0F); }

}  // namespace

MDevZEPHAMessages::Message MDevZEPHAMessages::Header(uint8_t channel, bool modelS, uint8_t function) {
    static constexpr std::array<uint8_t, 3> kModelIdS{0x00, 0x01, 0x40};
    static constexpr std::array<uint8_t, 1> kModelId{0x58};
    const std::span<const uint8_t> modelId =
        modelS ? std::span<const uint8_t>(kModelIdS) : std::span<const uint8_t>(kModelId);
    Message message;
    message.reserve(4 + modelId.size());
    message.push_back(kSysEx);
    message.push_back(kMakerId);
    message.push_back(static_cast<uint8_t>(0x30 + ChannelOf(channel)));
    for (uint8_t b : modelId) message.push_back(b);
    message.push_back(function);
    return message;
}

MDevZEPHAMessages::Message MDevZEPHAMessages::Dump(uint8_t channel, bool modelS, uint8_t function,
                                                   std::span<const uint8_t> payload) {
    Message message = Header(channel, modelS, function);
    const std::size_t headerSize = message.size();
    message.resize(headerSize + MDevSysExPacking::PackedSize(payload.size()) + 1);
    MDevSysExPacking::Pack8to7(std::span<uint8_t>(message).subspan(headerSize), payload);
    message.back() = kEndOfSysEx;
    return message;
}

MDevZEPHAMessages::Message MDevZEPHAMessages::DeviceHeader(uint8_t channel, const MDevModelInfo& model) {
    Message header = Header(channel, model.IsModelS(), 0);
    header.pop_back();  // the function byte
    return header;
}

MDevZEPHAMessages::Message MDevZEPHAMessages::IdentityRequest() {
    return {kSysEx, 0x7E, 0x7F, 0x06, 0x01, kEndOfSysEx};
}

std::vector<MDevZEPHAMessages::Message> MDevZEPHAMessages::AllDataRequests(uint8_t channel,
                                                                           const MDevModelInfo& model) {
    std::vector<Message> requests;
    if (model.IsModelS()) {
        requests.push_back(Header(channel, true, kGlobalDumpRequest));
        requests.back().push_back(kEndOfSysEx);
    }
    requests.push_back(Header(channel, model.IsModelS(), kAllDataDumpRequest));
    requests.back().push_back(kEndOfSysEx);
    return requests;
}

MDevZEPHAMessages::Message MDevZEPHAMessages::CurrentProgramDump(
    uint8_t channel, const MDevModelInfo& model, std::span<const uint8_t, kProgramRecordSize> program) {
    return Dump(channel, model.IsModelS(), kCurrentProgramDump, program);
}

MDevZEPHAMessages::Message MDevZEPHAMessages::GlobalDump(uint8_t channel, const MDevModelInfo& model,
                                                         std::span<const uint8_t, kGlobalRecordSize> global) {
    return Dump(channel, model.IsModelS(), kGlobalDump, global);
}

MDevZEPHAMessages::Message MDevZEPHAMessages::AllDataDumpBrontisel(uint8_t channel,
                                                                   std::span<const uint8_t> payload) {
    if (payload.size() != kAllDataSizeBrontisel) return {};
    return Dump(channel, false, kAllDataDump, payload);
}

MDevZEPHAMessages::Message MDevZEPHAMessages::ProgramDataDumpBrontisel(uint8_t channel,
                                                                       std::span<const uint8_t> payload) {
    if (payload.size() != kProgramDataSize) return {};
    return Dump(channel, false, kProgramDataDump, payload);
}

MDevZEPHAMessages::Message MDevZEPHAMessages::AllDataDumpBrontiselS(uint8_t channel,
                                                                    std::span<const uint8_t> payload) {
    if (payload.size() != kAllDataSizeBrontiselS) return {};
    return Dump(channel, true, kAllDataDump, payload);
}

MDevZEPHAMessages::Message MDevZEPHAMessages::ProgramWriteRequest(uint8_t channel, const MDevModelInfo& model,
                                                                  int programIndex) {
    Message message = Header(channel, model.IsModelS(), kProgramWriteRequest);
    if (model.IsModelS()) {
        message.push_back(static_cast<uint8_t>(programIndex & 0x7F));
        message.push_back(static_cast<uint8_t>((programIndex >> 7) & 0x7F));
    } else {
        message.push_back(0x00);
        message.push_back(static_cast<uint8_t>(programIndex & 0x7F));
    }
    message.push_back(kEndOfSysEx);
    return message;
}

std::vector<MDevZEPHAMessages::Message> MDevZEPHAMessages::SelectProgram(uint8_t channel,
                                                                         const MDevModelInfo& model,
                                                                         int programIndex) {
    const uint8_t g = ChannelOf(channel);
    const auto program = static_cast<uint8_t>(programIndex & 0x7F);
    if (!model.IsModelS()) return {{static_cast<uint8_t>(kProgramChange | g), program}};
    const auto bank = static_cast<uint8_t>((programIndex >> 7) & 0x01);
    // clang-format off
    return {
        {static_cast<uint8_t>(kControlChange | g), kBankSelectMsb, 0x00},
        {static_cast<uint8_t>(kControlChange | g), kBankSelectLsb, bank},
        {static_cast<uint8_t>(kProgramChange | g), program},
    };
    // clang-format on
}

static_assert(MDevSysExPacking::PackedSize(MDevZEPHAMessages::kProgramRecordSize) ==
              MDevZEPHAMessages::kPackedProgramSize);
static_assert(MDevSysExPacking::PackedSize(MDevZEPHAMessages::kGlobalRecordSize) ==
              MDevZEPHAMessages::kPackedGlobalSize);
static_assert(MDevSysExPacking::PackedSize(MDevZEPHAMessages::kProgramDataSize) ==
              MDevZEPHAMessages::kPackedProgramDataSize);
static_assert(MDevSysExPacking::PackedSize(MDevZEPHAMessages::kAllDataSizeBrontisel) ==
              MDevZEPHAMessages::kPackedAllDataSizeBrontisel);
static_assert(MDevSysExPacking::PackedSize(MDevZEPHAMessages::kAllDataSizeBrontiselS) ==
              MDevZEPHAMessages::kPackedAllDataSizeBrontiselS);
