#include "device/MDevDescZEPHA.h"

#include <algorithm>
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
    : MDevDesc(owner),
      deviceGlobal_(*this),
      workingGlobal_(*this),
      editBuffer_(*this),
      sentProgram_(*this),
      sentGlobal_(*this) {
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
    programsFromDevice_ = false;
    globalFromDevice_ = false;
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
        programsFromDevice_ = false;
        globalFromDevice_ = false;
        UpdateReceived();
    }
    return 1;
}

std::vector<uint8_t> MDevDescZEPHA::SysExHeader() const { return Messages::DeviceHeader(channel_, model_); }

int MDevDescZEPHA::RequestAllData() {
    RouteArrived();
    receivedAll_.reset();
    receivedGlobal_.reset();
    Transfer().BeginReceive();
    for (const auto& request : Messages::AllDataRequests(channel_, model_)) SendMessage(request);
    return kOk;
}

void MDevDescZEPHA::RouteArrived() { Owner().ProcessInput(); }

// --- sending ---------------------------------------------------------------

void MDevDescZEPHA::SendMessage(std::span<const uint8_t> wire) {
    if (wire.empty()) return;
    Owner().Send(wire[0], wire.subspan(1));
}

void MDevDescZEPHA::MarkDumpSent() { Transfer().SetDumpEnd(Owner().OutputProgress().accepted); }

std::vector<uint8_t> MDevDescZEPHA::ProgramRecords(int first, int count) const {
    std::vector<uint8_t> records(static_cast<std::size_t>(count) * kRecord);
    for (int i = 0; i < count; ++i) {
        programs_[static_cast<std::size_t>(first + i)].ToBytes(
            std::span<uint8_t, kRecord>(records.data() + static_cast<std::size_t>(i) * kRecord, kRecord));
    }
    return records;
}

void MDevDescZEPHA::SendEditBuffer() {
    const MDevProgramData record = editBuffer_.ToBytes();
    SendMessage(Messages::CurrentProgramDump(channel_, model_, record));
}

int MDevDescZEPHA::SendProgram(int index) {
    if (index >= model_.programCount) return kBadIndex;
    RouteArrived();
    Transfer().BeginProgram(index);
    sentProgram_ = editBuffer_;
    SendEditBuffer();
    MarkDumpSent();
    return kOk;
}

int MDevDescZEPHA::SendGlobal(int) {
    RouteArrived();
    Transfer().BeginGlobal();
    sentGlobal_ = workingGlobal_;
    SendMessage(Messages::GlobalDump(channel_, model_, sentGlobal_.ToBytes()));
    MarkDumpSent();
    return kOk;
}

int MDevDescZEPHA::SendAllData() {
    AllDataImage own;
    own.programs = ProgramRecords(0, kProgramSlots);
    own.global = deviceGlobal_.ToBytes();
    return SendImage(own, false);
}

int MDevDescZEPHA::SendImage(const AllDataImage& image, bool adopt) {
    const bool lastWasS = model_.lastAllDataSize == Messages::kPackedAllDataSizeBrontiselS;
    const auto first = [&image](int count) {
        const auto end = image.programs.begin() + static_cast<std::ptrdiff_t>(count * kRecord);
        return std::vector<uint8_t>(image.programs.begin(), end);
    };
    if (image.Count() < kBrontiselPrograms) return kBadIndex;
    // What the synth holds once it took the dump.
    AllDataImage held;
    held.source = image.source;
    Messages::Message dump;
    if (model_.IsModelS()) {
        if (lastWasS && image.Count() >= kBrontiselSPrograms) {
            held.programs = first(kBrontiselSPrograms);
        } else {
            // A Brontisel-form setup: its 128 programs fill both halves.
            const std::vector<uint8_t> half = first(kBrontiselPrograms);
            held.programs = half;
            held.programs.insert(held.programs.end(), half.begin(), half.end());
        }
        dump = Messages::AllDataDumpBrontiselS(channel_, held.programs);
    } else if (lastWasS) {
        held.programs = first(kBrontiselPrograms);
        dump = Messages::ProgramDataDumpBrontisel(channel_, held.programs);
    } else {
        held.programs = first(kBrontiselPrograms);
        // A file's record goes out as every global the system sends.
        held.global = image.global ? MDevDescZEPHAGlobal::AsSent(*image.global) : deviceGlobal_.ToBytes();
        std::vector<uint8_t> payload = held.programs;
        payload.insert(payload.end(), held.global->begin(), held.global->end());
        dump = Messages::AllDataDumpBrontisel(channel_, payload);
    }
    RouteArrived();
    Transfer().BeginAllData();
    if (adopt) sentImage_ = std::move(held);
    else sentImage_.reset();
    SendMessage(dump);
    MarkDumpSent();
    return kOk;
}

void MDevDescZEPHA::Adopt(const AllDataImage& image) {
    const int count = std::min(image.Count(), kProgramSlots);
    for (int i = 0; i < count; ++i) {
        programs_[static_cast<std::size_t>(i)].FromBytes(std::span<const uint8_t, kRecord>(
            image.programs.data() + static_cast<std::size_t>(i) * kRecord, kRecord));
    }
    programsFromDevice_ = true;
    if (image.global) {
        deviceGlobal_.FromBytes(*image.global, image.source);
        globalFromDevice_ = true;
    }
    UpdateReceived();
}

void MDevDescZEPHA::UpdateReceived() { SetDumpReceived(programsFromDevice_ && globalFromDevice_); }

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

MDevDescProgram* MDevDescZEPHA::GetGlobal(int index) { return index == 0 ? &deviceGlobal_ : nullptr; }

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
    const MDevSysExVerdict verdict = MDevSysExClassifier::Classify(data, channel_, model_, loadProgram_);
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
    case Messages::kAllDataDump: OnAllDataDump(verdict.idLength, verdict.allDataSize, verdict.payload); break;
    case Messages::kGlobalDump: OnGlobalDump(verdict.payload); break;
    default: break;
    }
}

void MDevDescZEPHA::OnWriteCompleted() {
    const int slot = Transfer().OnWriteCompleted(kProgramSlots);
    if (slot >= 0) programs_[static_cast<std::size_t>(slot)] = sentProgram_;
}

void MDevDescZEPHA::OnDataLoadCompleted() {
    using Action = MDevTransferState::LoadCompleted::Action;
    using Kind = MDevTransferState::Kind;
    const auto result = Transfer().OnDataLoadCompleted(Owner().Now(), Owner().OutputProgress().left);
    if (result.action == Action::SendWriteRequest) {
        SendMessage(Messages::ProgramWriteRequest(channel_, model_, result.programIndex));
    } else if (result.action == Action::Completed) {
        if (result.kind == Kind::Global) {
            deviceGlobal_ = sentGlobal_;
        } else if (result.kind == Kind::AllData && sentImage_) {
            Adopt(*sentImage_);
            sentImage_.reset();
        }
    }
}

void MDevDescZEPHA::OnCurrentProgramDump(std::span<const uint8_t> payload) {
    MDevProgramData record{};
    if (MDevSysExPacking::Unpack7to8(payload, 0, record) != record.size()) return;
    editBuffer_.FromBytes(record);
    fileApplied_ = true;
}

void MDevDescZEPHA::OnAllDataDump(int idLength, std::size_t allDataSize, std::span<const uint8_t> payload) {
    const bool formS = idLength == 3;
    const int count = formS ? kBrontiselSPrograms : kBrontiselPrograms;
    const bool withGlobal = allDataSize == Messages::kPackedAllDataSizeBrontisel;
    std::vector<uint8_t> data(static_cast<std::size_t>(count) * kRecord +
                              (withGlobal ? Messages::kGlobalRecordSize : 0));
    if (MDevSysExPacking::Unpack7to8(payload, 0, data) != data.size()) return;
    AllDataImage image;
    image.source = readingFile_ ? MDevGlobalSource::File : MDevGlobalSource::Device;
    image.programs.assign(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(count * kRecord));
    if (withGlobal) {
        image.global.emplace();
        std::copy_n(data.begin() + Messages::kAllDataGlobalOffset, image.global->size(),
                    image.global->begin());
    }
    if (readingFile_) {
        // A setup file for sending: the device's data only once the synth took it.
        fileImage_ = std::move(image);
        fileApplied_ = true;
    } else if (Transfer().IsReceiving()) {
        receivedAll_ = std::move(image);
        CompleteReceive();
    } else {
        Adopt(image);
    }
}

void MDevDescZEPHA::OnGlobalDump(std::span<const uint8_t> payload) {
    MDevGlobalData record{};
    if (MDevSysExPacking::Unpack7to8(payload, 0, record) != record.size()) return;
    if (readingFile_) {
        // A file's global is for editing or sending, never the device's.
        workingGlobal_.FromBytes(record, MDevGlobalSource::File);
        fileApplied_ = true;
    } else if (Transfer().IsReceiving() && model_.IsModelS()) {
        receivedGlobal_ = record;
        CompleteReceive();
    } else {
        workingGlobal_.FromBytes(record, MDevGlobalSource::Device);
        if (model_.IsModelS()) {
            deviceGlobal_.FromBytes(record, MDevGlobalSource::Device);
            globalFromDevice_ = true;
            UpdateReceived();
        }
    }
}

void MDevDescZEPHA::CompleteReceive() {
    // The Brontisel's all-data dump holds its global; the Brontisel S
    // sends it as a global dump of its own.
    if (!receivedAll_ || (!receivedAll_->global && !receivedGlobal_)) return;
    AllDataImage image = std::move(*receivedAll_);
    receivedAll_.reset();
    if (receivedGlobal_) {
        workingGlobal_.FromBytes(*receivedGlobal_, MDevGlobalSource::Device);
        image.global = *receivedGlobal_;
        receivedGlobal_.reset();
    }
    Adopt(image);
    Transfer().EndReceive();
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
