#include "device/MDevDescZEPHA.h"

#include <array>

#include "device/MDevConfig.h"
#include "device/MDevDumpFileReader.h"
#include "device/MDevDescZEPHANrpnMap.h"
#include "device/MDevProgramNumber.h"
#include "device/MDevSysExClassifier.h"
#include "device/MDevSysExPacking.h"
#include "device/MDevZEPHAMessages.h"

namespace {
using Messages = MDevZEPHAMessages;
constexpr std::size_t kRecord = Messages::kProgramRecordSize;
constexpr int kBrontiselPrograms = static_cast<int>(Messages::kProgramCountBrontisel);
constexpr int kBrontiselSPrograms = static_cast<int>(Messages::kProgramCountBrontiselS);

// Program parameters whose names title the librarian's extra columns.
constexpr std::array<int, 3> kColumnParams{2, 18, 22};
}  // namespace

MDevDescZEPHA::MDevDescZEPHA(MDevConfig& owner)
    : MDevDesc(owner), deviceGlobal_(*this), workingGlobal_(*this), editBuffer_(*this) {
    programs_.reserve(kProgramSlots);
    for (int i = 0; i < kProgramSlots; ++i) programs_.emplace_back(*this);
}

MDevDescZEPHA::~MDevDescZEPHA() = default;

int MDevDescZEPHA::Initialize() {
    loadProgram_ = false;
    deviceGlobal_.Init();
    workingGlobal_.Init();
    for (auto& program : programs_) program.Init();
    editBuffer_.Init();
    return MDevDesc::Initialize();
}

// --- identification and requests -------------------------------------------

void MDevDescZEPHA::SendIdentityRequest() { SendMessage(Messages::IdentityRequest()); }

int MDevDescZEPHA::OnIdentityReply(uint8_t status, std::span<const uint8_t> data) {
    if (status != 0xF0) return 0;
    const bool wasIdentified = model_.IsIdentified();
    const int oldModel = model_.modelIndex;
    const int oldChannel = channel_ & 0x0F;
    if (!MDevSysExClassifier::ApplyIdentityReply(data, channel_, model_)) return 0;
    if (model_.IsModelS()) Owner().SetModelS();
    // Data received from another synth (or on another channel) is not this
    // one's: the next selection must receive again.
    if (!wasIdentified || oldModel != model_.modelIndex || oldChannel != (channel_ & 0x0F)) {
        SetDumpReceived(false);
    }
    return 1;
}

int MDevDescZEPHA::RequestAllData() {
    for (const auto& request : Messages::AllDataRequests(channel_, model_)) SendMessage(request);
    return kOk;
}

// --- sending ---------------------------------------------------------------

void MDevDescZEPHA::SendMessage(std::span<const uint8_t> wire) {
    if (wire.empty()) return;
    Owner().Send(wire[0], wire.subspan(1));
}

std::vector<uint8_t> MDevDescZEPHA::ProgramRecords(int first, int count) const {
    std::vector<uint8_t> records(static_cast<std::size_t>(count) * kRecord);
    for (int i = 0; i < count; ++i) {
        programs_[static_cast<std::size_t>(first + i)].ToBytes(
            std::span<uint8_t, kRecord>(records.data() + static_cast<std::size_t>(i) * kRecord,
                                        kRecord));
    }
    return records;
}

void MDevDescZEPHA::SendEditBuffer() {
    const MDevProgramData record = editBuffer_.ToBytes();
    SendMessage(Messages::CurrentProgramDump(channel_, model_, record));
}

int MDevDescZEPHA::SendProgram(int index) {
    if (index >= model_.programCount) return kBadIndex;
    Transfer().BeginProgram(index);
    SendEditBuffer();
    return kOk;
}

int MDevDescZEPHA::SendGlobal(int index) {
    const MDevGlobalData record = workingGlobal_.ToBytes();
    Transfer().BeginGlobal(index);
    SendMessage(Messages::GlobalDump(channel_, model_, record));
    return kOk;
}

int MDevDescZEPHA::SendAllData() {
    const bool lastWasS = model_.lastAllDataSize == Messages::kPackedAllDataSizeBrontiselS;
    std::vector<uint8_t> payload;
    Messages::Message dump;
    if (model_.IsModelS()) {
        if (lastWasS) {
            payload = ProgramRecords(0, kBrontiselSPrograms);
        } else {
            // A Brontisel-form setup: its 128 programs fill both halves.
            const std::vector<uint8_t> half = ProgramRecords(0, kBrontiselPrograms);
            payload.reserve(2 * half.size());
            payload.insert(payload.end(), half.begin(), half.end());
            payload.insert(payload.end(), half.begin(), half.end());
        }
        dump = Messages::AllDataDumpBrontiselS(channel_, payload);
    } else if (lastWasS) {
        payload = ProgramRecords(0, kBrontiselPrograms);
        dump = Messages::ProgramDataDumpBrontisel(channel_, payload);
    } else {
        payload = ProgramRecords(0, kBrontiselPrograms);
        const MDevGlobalData global = deviceGlobal_.ToBytes();
        payload.insert(payload.end(), global.begin(), global.end());
        dump = Messages::AllDataDumpBrontisel(channel_, payload);
    }
    Transfer().BeginAllData();
    SendMessage(dump);
    return kOk;
}

int MDevDescZEPHA::SelectProgram(int index) {
    if (!InRange(index)) return kBadIndex;
    for (const auto& message : Messages::SelectProgram(channel_, model_, index)) SendMessage(message);
    return kOk;
}

// --- programs and globals --------------------------------------------------

MDevDescZEPHAProgram* MDevDescZEPHA::GetZEPHAProgram(int index) {
    return InRange(index) ? &programs_[static_cast<std::size_t>(index)] : nullptr;
}

MDevDescProgram* MDevDescZEPHA::GetProgram(int index) { return GetZEPHAProgram(index); }

MDevDescProgram* MDevDescZEPHA::GetProgramCopy(int index) {
    if (!InRange(index)) return nullptr;
    editBuffer_ = programs_[static_cast<std::size_t>(index)];
    return &editBuffer_;
}

MDevDescProgram* MDevDescZEPHA::GetGlobal(int index) {
    return index == 0 ? &deviceGlobal_ : nullptr;
}

MDevDescProgram* MDevDescZEPHA::GetGlobalCopy(int index) {
    if (index != 0) return nullptr;
    workingGlobal_ = deviceGlobal_;
    return &workingGlobal_;
}

std::string MDevDescZEPHA::GetGlobalName(int) const { return deviceGlobal_.GetName(); }

void MDevDescZEPHA::SetGlobalName(int, const std::string& name) { deviceGlobal_.SetName(name); }

int MDevDescZEPHA::ParseProgramNumber(std::string_view text) const {
    return MDevProgramNumber::Parse(text, model_.programCount);
}

std::optional<std::string> MDevDescZEPHA::FormatProgramNumber(int index) const {
    return MDevProgramNumber::Format(index, model_.programCount);
}

std::optional<std::string> MDevDescZEPHA::FormatProgramNumberShort(int index) const {
    return MDevProgramNumber::FormatShort(index, model_.programCount);
}

std::optional<std::string> MDevDescZEPHA::GetProgramName(int index) const {
    if (!InRange(index)) return std::nullopt;
    std::string name = programs_[static_cast<std::size_t>(index)].GetName();
    if (name.empty()) name = "untitled(" + *FormatProgramNumberShort(index) + ")";
    return name;
}

std::string MDevDescZEPHA::GetColumnTitle(int column) const {
    if (column < 0 || column >= static_cast<int>(kColumnParams.size())) return "-";
    return programs_[0].GetParamName(kColumnParams[static_cast<std::size_t>(column)]);
}

std::optional<std::string> MDevDescZEPHA::GetColumnText(int index, int column) const {
    if (!InRange(index)) return std::nullopt;
    std::string text = programs_[static_cast<std::size_t>(index)].GetColumnText(column);
    if (text.empty()) return std::nullopt;
    return text;
}

// --- owner of the program and global objects --------------------------------

void MDevDescZEPHA::MarkModified(MDevDescProgram& changed) { Owner().MarkModified(changed, *this); }

void MDevDescZEPHA::SetWriteProtect(int32_t value) { SetWriteProtectWord(value); }

// --- receiving --------------------------------------------------------------

void MDevDescZEPHA::OnSysEx(std::span<const uint8_t> data) {
    const MDevSysExVerdict verdict =
        MDevSysExClassifier::Classify(data, channel_, model_, loadProgram_);
    // A file's loader applies only the dump kind it is for: a file holding
    // another kind must leave the device exactly as it was.
    // A refused file changes nothing, not even the all-data size a live
    // dump records before its length is compared.
    if (readingFile_ && (verdict.function != fileFunction_ || !verdict.accepted)) return;
    if (verdict.function == Messages::kAllDataDump && verdict.allDataSize != 0) {
        model_.lastAllDataSize = verdict.allDataSize;
    }
    if (!verdict.accepted) return;
    switch (verdict.function) {
    case Messages::kWriteCompleted: OnWriteCompleted(); break;
    case Messages::kDataLoadCompleted: OnDataLoadCompleted(); break;
    case Messages::kCurrentProgramDump: OnCurrentProgramDump(verdict.payload); break;
    case Messages::kAllDataDump:
        OnAllDataDump(verdict.idLength, verdict.allDataSize, verdict.payload);
        break;
    case Messages::kGlobalDump: OnGlobalDump(verdict.payload); break;
    default: break;
    }
}

void MDevDescZEPHA::OnWriteCompleted() {
    const int slot = Transfer().OnWriteCompleted(kProgramSlots);
    if (slot >= 0) programs_[static_cast<std::size_t>(slot)] = editBuffer_;
}

void MDevDescZEPHA::OnDataLoadCompleted() {
    using Action = MDevTransferState::LoadCompleted::Action;
    const auto result = Transfer().OnDataLoadCompleted();
    if (result.action == Action::SendWriteRequest) {
        SendMessage(Messages::ProgramWriteRequest(channel_, model_, result.programIndex));
    } else if (result.action == Action::Completed && result.commitGlobal) {
        deviceGlobal_ = workingGlobal_;
    }
}

void MDevDescZEPHA::OnCurrentProgramDump(std::span<const uint8_t> payload) {
    MDevProgramData record{};
    if (MDevSysExPacking::Unpack7to8(payload, 0, record) != record.size()) return;
    editBuffer_.FromBytes(record);
    fileApplied_ = true;
}

void MDevDescZEPHA::OnAllDataDump(int idLength, std::size_t allDataSize,
                                  std::span<const uint8_t> payload) {
    const bool formS = idLength == 3;
    const int count = formS ? kBrontiselSPrograms : kBrontiselPrograms;
    const bool withGlobal = allDataSize == Messages::kPackedAllDataSizeBrontisel;
    std::vector<uint8_t> data(static_cast<std::size_t>(count) * kRecord +
                              (withGlobal ? Messages::kGlobalRecordSize : 0));
    if (MDevSysExPacking::Unpack7to8(payload, 0, data) != data.size()) return;
    for (int i = 0; i < count; ++i) {
        programs_[static_cast<std::size_t>(i)].FromBytes(std::span<const uint8_t, kRecord>(
            data.data() + static_cast<std::size_t>(i) * kRecord, kRecord));
    }
    if (withGlobal) {
        deviceGlobal_.FromBytes(
            std::span<const uint8_t, MDevGlobalLayout::kRecordSize>(
                data.data() + Messages::kAllDataGlobalOffset, MDevGlobalLayout::kRecordSize),
            readingFile_ ? MDevGlobalSource::File : MDevGlobalSource::Device);
    }
    SetDumpReceived(true);
    fileApplied_ = true;
}

void MDevDescZEPHA::OnGlobalDump(std::span<const uint8_t> payload) {
    MDevGlobalData record{};
    if (MDevSysExPacking::Unpack7to8(payload, 0, record) != record.size()) return;
    const auto source = readingFile_ ? MDevGlobalSource::File : MDevGlobalSource::Device;
    workingGlobal_.FromBytes(record, source);
    if (model_.IsModelS()) deviceGlobal_.FromBytes(record, source);
    fileApplied_ = true;
}

void MDevDescZEPHA::OnNrpnData(int value) {
    const auto report = MDevDescZEPHANrpnMap::Report(GetParamNumbers().GetNrpnNumber(), value);
    if (report) PostMidiInMsg(report->paramId, report->value);
}

// --- packing ----------------------------------------------------------------

std::size_t MDevDescZEPHA::Pack8to7(std::span<uint8_t> dest, std::span<const uint8_t> source) {
    return MDevSysExPacking::Pack8to7(dest, source);
}

std::size_t MDevDescZEPHA::Unpack7to8(std::span<const uint8_t> packed, std::size_t offset,
                                      std::span<uint8_t> dest) {
    return MDevSysExPacking::Unpack7to8(packed, offset, dest);
}
