#include "simulator/SimSynth.h"

#include "simulator/SimPack.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace {
constexpr std::uint8_t kSysEx = 0xF0;
constexpr std::uint8_t kEndOfSysEx = 0xF7;
constexpr std::uint8_t kMaker = 0x42;
constexpr std::uint8_t kIdentityRequest[] = {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7};

// Function bytes.
constexpr std::uint8_t kGlobalRequest = 0x0E;
constexpr std::uint8_t kAllDataRequest = 0x0F;
constexpr std::uint8_t kWriteRequest = 0x11;
constexpr std::uint8_t kWriteCompleted = 0x21;
constexpr std::uint8_t kLoadCompleted = 0x23;
constexpr std::uint8_t kProgramDump = 0x40;
constexpr std::uint8_t kProgramDataDump = 0x4C;
constexpr std::uint8_t kAllDataDump = 0x50;
constexpr std::uint8_t kGlobalDump = 0x51;

// Write protect: bit 0 of global byte 5.
constexpr std::size_t kWriteProtectByte = 5;
constexpr std::uint8_t kWriteProtectBit = 0x01;

constexpr std::uint8_t kBankSelectMsb = 0x00;
constexpr std::uint8_t kBankSelectLsb = 0x20;
constexpr int kProgramsPerBank = 128;
}  // namespace

SimSynth::SimSynth(SimModel model, SimReplyQueue::Now now)
    : SimSynth(model, SimBank::Realistic(model), std::move(now)) {}

SimSynth::SimSynth(SimModel model, SimBank bank, SimReplyQueue::Now now)
    : model_(model), info_(SimModelInfo::Of(model)), queue_(std::move(now)) {
    if (bank.programs.size() != static_cast<std::size_t>(info_.programCount))
        throw std::invalid_argument("SimSynth: the bank's program count is not the model's");
    programs_ = std::move(bank.programs);
    global_ = bank.global;
    editBuffer_ = programs_.front();
}

SimProgramRecord SimSynth::DefaultProgram(int index) { return SimBank::BlankProgram(index); }

void SimSynth::SetOutput(SimReplyQueue::Output output) { queue_.SetOutput(std::move(output)); }
void SimSynth::SetWakeup(std::function<void()> wakeup) { queue_.SetWakeup(std::move(wakeup)); }
void SimSynth::Pump() { queue_.Flush(); }
std::optional<SimSynth::Clock::time_point> SimSynth::NextDue() const { return queue_.NextDue(); }
std::size_t SimSynth::PendingReplies() const { return queue_.Pending(); }
void SimSynth::SetWireRate(std::uint32_t bytesPerSecond) { queue_.SetWireRate(bytesPerSecond); }

void SimSynth::SetWirePiece(std::size_t bytes) { queue_.SetWirePiece(bytes); }

void SimSynth::OnMessage(std::span<const std::uint8_t> message) {
    {
        std::lock_guard lock(mutex_);
        received_.emplace_back(message.begin(), message.end());
        if (!Handle(message)) ++ignored_;
    }
    queue_.Flush();
}

bool SimSynth::Handle(std::span<const std::uint8_t> message) {
    if (message.empty()) return false;
    if (message[0] == kSysEx) return HandleSysEx(message);
    if (message[0] >= 0x80 && message[0] <= 0xEF) return HandleChannel(message);
    return false;
}

bool SimSynth::HandleSysEx(std::span<const std::uint8_t> message) {
    if (message.size() < 2 || message.back() != kEndOfSysEx) return false;
    const auto inner = message.subspan(1, message.size() - 2);
    if (std::any_of(inner.begin(), inner.end(), [](std::uint8_t b) { return b & 0x80; })) return false;
    if (std::ranges::equal(message, kIdentityRequest)) {
        ReplyIdentity();
        return true;
    }
    const auto id = info_.modelId;
    const std::size_t head = 3 + id.size();  // F0 42 3g model-id
    if (message.size() < head + 2)           // function byte and F7
        return false;
    if (message[1] != kMaker || message[2] != 0x30 + (channel_ & 0x0F)) return false;
    if (!std::equal(id.begin(), id.end(), message.begin() + 3)) return false;
    return HandleDevice(message[head], message.subspan(head + 1, message.size() - head - 2));
}

bool SimSynth::HandleDevice(std::uint8_t function, std::span<const std::uint8_t> body) {
    switch (function) {
    case kGlobalRequest:
        if (!body.empty()) return false;
        ReplyDump(SimReply::GlobalDump, kGlobalDump, global_);
        return true;
    case kAllDataRequest:
        if (!body.empty()) return false;
        ReplyDump(SimReply::AllDataDump, kAllDataDump, AllData());
        return true;
    case kProgramDump: {
        if (body.size() != SimPack::PackedSize(kSimProgramSize)) return false;
        const auto data = SimPack::Unpack(body);
        std::copy_n(data->begin(), kSimProgramSize, editBuffer_.begin());
        ReplyShort(SimReply::LoadCompleted, kLoadCompleted);
        return true;
    }
    case kGlobalDump: {
        if (body.size() != SimPack::PackedSize(kSimGlobalSize)) return false;
        StoreGlobal(*SimPack::Unpack(body));
        ReplyShort(SimReply::LoadCompleted, kLoadCompleted);
        return true;
    }
    case kAllDataDump:
    case kProgramDataDump: {
        const bool withGlobal = function == kAllDataDump && info_.allDataHasGlobal;
        if (function == kProgramDataDump && model_ != SimModel::Brontisel) return false;
        const std::size_t programBytes = programs_.size() * kSimProgramSize;
        const std::size_t size = programBytes + (withGlobal ? kSimGlobalSize : 0);
        if (body.size() != SimPack::PackedSize(size)) return false;
        const auto data = SimPack::Unpack(body);
        for (std::size_t i = 0; i < programs_.size(); ++i)
            std::copy_n(data->begin() + static_cast<std::ptrdiff_t>(i * kSimProgramSize), kSimProgramSize,
                        programs_[i].begin());
        if (withGlobal) StoreGlobal(std::span(*data).subspan(programBytes, kSimGlobalSize));
        ReplyShort(SimReply::LoadCompleted, kLoadCompleted);
        return true;
    }
    case kWriteRequest: return HandleWriteRequest(body);
    default: return false;
    }
}

bool SimSynth::HandleWriteRequest(std::span<const std::uint8_t> body) {
    if (body.size() != 2) return false;
    int index = 0;
    if (model_ == SimModel::Brontisel) {
        if (body[0] != 0) return false;
        index = body[1];
    } else {
        index = body[0] | (body[1] << 7);
    }
    if (index >= info_.programCount) return false;
    if (global_[kWriteProtectByte] & kWriteProtectBit) return true;  // refused: nothing stored, no reply
    programs_[static_cast<std::size_t>(index)] = editBuffer_;
    ReplyShort(SimReply::WriteCompleted, kWriteCompleted);
    return true;
}

// A received global takes every byte; its write-protect bit turns the
// protection on, but a clear bit (as the system always sends it) leaves the
// device's own protection as it is.
void SimSynth::StoreGlobal(std::span<const std::uint8_t> record) {
    const std::uint8_t protect = global_[kWriteProtectByte] & kWriteProtectBit;
    std::copy_n(record.begin(), kSimGlobalSize, global_.begin());
    global_[kWriteProtectByte] = static_cast<std::uint8_t>(global_[kWriteProtectByte] | protect);
}

bool SimSynth::HandleChannel(std::span<const std::uint8_t> message) {
    const std::uint8_t status = message[0];
    const std::uint8_t kind = status & 0xF0;
    const std::size_t size = (kind == 0xC0 || kind == 0xD0) ? 2 : 3;
    if (message.size() != size) return false;
    if (std::any_of(message.begin() + 1, message.end(), [](std::uint8_t b) { return b & 0x80; }))
        return false;
    if ((status & 0x0F) != (channel_ & 0x0F)) return false;
    if (kind == 0xB0) {
        if (message[1] == kBankSelectMsb) bankMsb_ = message[2];
        else if (message[1] == kBankSelectLsb) bankLsb_ = message[2];
        else return false;
        bankSelects_.push_back({message[1], message[2]});
        return true;
    }
    if (kind == 0xC0) {
        programChanges_.push_back(message[1]);
        const int bank = model_ == SimModel::BrontiselS ? bankMsb_ * kProgramsPerBank + bankLsb_ : 0;
        const int index = bank * kProgramsPerBank + message[1];
        if (index < info_.programCount) {
            currentProgram_ = index;
            editBuffer_ = programs_[static_cast<std::size_t>(index)];
        }
        return true;
    }
    return false;
}

std::vector<std::uint8_t> SimSynth::AllData() const {
    std::vector<std::uint8_t> data;
    data.reserve(info_.AllDataSize());
    for (const auto& program : programs_) data.insert(data.end(), program.begin(), program.end());
    if (info_.allDataHasGlobal) data.insert(data.end(), global_.begin(), global_.end());
    return data;
}

const SimFault& SimSynth::FaultFor(SimReply reply) const {
    static const SimFault none;
    const auto it = faults_.find(reply);
    return it == faults_.end() ? none : it->second;
}

SimSynth::Message SimSynth::DeviceHeader(const SimFault& fault, std::uint8_t function) const {
    const std::uint8_t g = static_cast<std::uint8_t>((channel_ + (fault.wrongChannel ? 1 : 0)) & 0x0F);
    const auto id = SimModelInfo::Of(fault.otherModelId ? SimModelInfo::Other(model_) : model_).modelId;
    Message message;
    message.reserve(8);
    message.push_back(kSysEx);
    message.push_back(kMaker);
    message.push_back(static_cast<std::uint8_t>(0x30 + g));
    for (std::uint8_t b : id) message.push_back(b);
    message.push_back(fault.function.value_or(function));
    return message;
}

void SimSynth::Finish(Message& message, std::size_t payloadStart, const SimFault& fault) {
    if (fault.lengthDelta < 0) {
        const std::size_t cut =
            std::min(static_cast<std::size_t>(-fault.lengthDelta), message.size() - payloadStart);
        message.resize(message.size() - cut);
    } else {
        message.insert(message.end(), static_cast<std::size_t>(fault.lengthDelta), std::uint8_t{0});
    }
    message.push_back(kEndOfSysEx);
}

void SimSynth::ReplyIdentity() {
    const SimFault& fault = FaultFor(SimReply::Identity);
    const auto& model = SimModelInfo::Of(fault.otherModelId ? SimModelInfo::Other(model_) : model_);
    Message message{kSysEx, 0x7E, channel_, 0x06, 0x02, kMaker};
    const std::size_t payloadStart = message.size();
    message.insert(message.end(), model.identityModel.begin(), model.identityModel.end());
    message.insert(message.end(), version_.begin(), version_.end());
    Finish(message, payloadStart, fault);
    Post(SimReply::Identity, {std::move(message)});
}

void SimSynth::ReplyDump(SimReply reply, std::uint8_t function, std::span<const std::uint8_t> data) {
    const SimFault& fault = FaultFor(reply);
    Message message = DeviceHeader(fault, function);
    const std::size_t payloadStart = message.size();
    const auto packed = SimPack::Pack(data);
    message.reserve(message.size() + packed.size() + 1 +
                    static_cast<std::size_t>(std::max(fault.lengthDelta, 0)));
    message.insert(message.end(), packed.begin(), packed.end());
    Finish(message, payloadStart, fault);
    Post(reply, {std::move(message)});
}

void SimSynth::ReplyShort(SimReply reply, std::uint8_t function) {
    const SimFault& fault = FaultFor(reply);
    Message message = DeviceHeader(fault, function);
    Finish(message, message.size(), fault);
    Post(reply, {std::move(message)});
}

void SimSynth::ReplyNrpn(std::uint8_t number, std::uint8_t value) {
    const SimFault& fault = FaultFor(SimReply::Nrpn);
    const std::uint8_t status =
        static_cast<std::uint8_t>(0xB0 | ((channel_ + (fault.wrongChannel ? 1 : 0)) & 0x0F));
    Post(SimReply::Nrpn, {{status, 0x63, 0x00},
                          {status, 0x62, static_cast<std::uint8_t>(number & 0x7F)},
                          {status, 0x06, static_cast<std::uint8_t>(value & 0x7F)}});
}

void SimSynth::Post(SimReply reply, std::vector<Message> messages) {
    const SimFault& fault = FaultFor(reply);
    if (fault.silent) return;
    const Clock::duration delay = replyDelay_ + fault.late;
    for (int copy = 0; copy < (fault.twice ? 2 : 1); ++copy)
        for (const auto& message : messages) queue_.Post(message, delay);
}

void SimSynth::SendNrpn(std::uint8_t number, std::uint8_t value) {
    {
        std::lock_guard lock(mutex_);
        ReplyNrpn(number, value);
    }
    queue_.Flush();
}

void SimSynth::SendAllData() {
    {
        std::lock_guard lock(mutex_);
        ReplyDump(SimReply::AllDataDump, kAllDataDump, AllData());
    }
    queue_.Flush();
}

void SimSynth::SendGlobal() {
    {
        std::lock_guard lock(mutex_);
        ReplyDump(SimReply::GlobalDump, kGlobalDump, global_);
    }
    queue_.Flush();
}

void SimSynth::SendEditBuffer() {
    {
        std::lock_guard lock(mutex_);
        ReplyDump(SimReply::ProgramDump, kProgramDump, editBuffer_);
    }
    queue_.Flush();
}

void SimSynth::SetChannel(std::uint8_t channelByte) {
    std::lock_guard lock(mutex_);
    channel_ = channelByte & 0x7F;
}

void SimSynth::SetVersion(std::array<std::uint8_t, 4> version) {
    std::lock_guard lock(mutex_);
    for (auto& b : version) b &= 0x7F;
    version_ = version;
}

void SimSynth::SetReplyDelay(Clock::duration delay) {
    std::lock_guard lock(mutex_);
    replyDelay_ = delay;
}

void SimSynth::SetFault(SimReply reply, const SimFault& fault) {
    std::lock_guard lock(mutex_);
    faults_[reply] = fault;
}

void SimSynth::ClearFaults() {
    std::lock_guard lock(mutex_);
    faults_.clear();
}

void SimSynth::SetWriteProtect(bool on) {
    std::lock_guard lock(mutex_);
    global_[kWriteProtectByte] = static_cast<std::uint8_t>((global_[kWriteProtectByte] & ~kWriteProtectBit) |
                                                           (on ? kWriteProtectBit : 0));
}

std::uint8_t SimSynth::Channel() const {
    std::lock_guard lock(mutex_);
    return channel_;
}

bool SimSynth::WriteProtect() const {
    std::lock_guard lock(mutex_);
    return global_[kWriteProtectByte] & kWriteProtectBit;
}

SimProgramRecord SimSynth::Program(int index) const {
    std::lock_guard lock(mutex_);
    return programs_.at(static_cast<std::size_t>(index));
}

void SimSynth::SetProgram(int index, const SimProgramRecord& record) {
    std::lock_guard lock(mutex_);
    programs_.at(static_cast<std::size_t>(index)) = record;
}

SimGlobalRecord SimSynth::Global() const {
    std::lock_guard lock(mutex_);
    return global_;
}

void SimSynth::SetGlobal(const SimGlobalRecord& record) {
    std::lock_guard lock(mutex_);
    global_ = record;
}

SimProgramRecord SimSynth::EditBuffer() const {
    std::lock_guard lock(mutex_);
    return editBuffer_;
}

void SimSynth::SetEditBuffer(const SimProgramRecord& record) {
    std::lock_guard lock(mutex_);
    editBuffer_ = record;
}

int SimSynth::CurrentBank() const {
    std::lock_guard lock(mutex_);
    return bankLsb_;
}

int SimSynth::CurrentProgram() const {
    std::lock_guard lock(mutex_);
    return currentProgram_;
}

std::vector<std::uint8_t> SimSynth::ProgramChanges() const {
    std::lock_guard lock(mutex_);
    return programChanges_;
}

std::vector<SimBankSelect> SimSynth::BankSelects() const {
    std::lock_guard lock(mutex_);
    return bankSelects_;
}

std::vector<SimSynth::Message> SimSynth::Received() const {
    std::lock_guard lock(mutex_);
    return received_;
}

std::size_t SimSynth::IgnoredCount() const {
    std::lock_guard lock(mutex_);
    return ignored_;
}
