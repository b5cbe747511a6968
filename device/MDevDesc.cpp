#include "device/MDevDesc.h"

#include <string>

#include "device/MDevConfig.h"

MDevDesc::MDevDesc(MDevConfig& owner) : owner_(owner) {}

MDevDesc::~MDevDesc() = default;

void MDevDesc::CancelTransfer() { transfer_.Cancel(owner_.AnswerDeadline()); }

int MDevDesc::Initialize() {
    dumpReceived_ = false;
    return kOk;
}

void MDevDesc::SendIdentityRequest() {}
int MDevDesc::OnIdentityReply(uint8_t, std::span<const uint8_t>) { return 0; }

int MDevDesc::RequestAllData() {
    dumpReceived_ = true;
    return kOk;
}

int MDevDesc::LoadAllFileAndSend(const Path&) { return kOk; }
int MDevDesc::SaveAllFile(const Path&) { return kOk; }
int MDevDesc::SendAllData() { return kOk; }

int MDevDesc::GetGlobalCount() const { return 0; }
MDevDescProgram* MDevDesc::GetGlobal(int) { return nullptr; }
MDevDescProgram* MDevDesc::LoadGlobalFileToEdit(const Path&) { return nullptr; }
MDevDescProgram* MDevDesc::GetGlobalCopy(int) { return nullptr; }
int MDevDesc::ParseGlobalNumber(std::string_view) const { return 0; }
std::string MDevDesc::FormatGlobalNumber(int index) const { return std::to_string(index); }
std::string MDevDesc::GetGlobalName(int index) const { return "Global#" + std::to_string(index); }
void MDevDesc::SetGlobalName(int, const std::string&) {}
int MDevDesc::LoadGlobalFileAndSend(int, const Path&) { return kOk; }
int MDevDesc::SaveGlobalFile(int, const Path&) { return kOk; }
int MDevDesc::SendGlobal(int) { return kOk; }

int MDevDesc::GetProgramCount() const { return 0; }
MDevDescProgram* MDevDesc::GetProgram(int) { return nullptr; }
MDevDescProgram* MDevDesc::LoadProgramFileToEdit(const Path&) { return nullptr; }
MDevDescProgram* MDevDesc::GetProgramCopy(int) { return nullptr; }
int MDevDesc::ParseProgramNumber(std::string_view) const { return 0; }

std::optional<std::string> MDevDesc::FormatProgramNumber(int index) const { return std::to_string(index); }

std::optional<std::string> MDevDesc::GetProgramName(int index) const {
    return "Program#" + std::to_string(index);
}

int MDevDesc::SelectProgram(int) { return kOk; }
int MDevDesc::LoadProgramFileAndSend(int, const Path&) { return kOk; }
int MDevDesc::SaveProgramFile(int, const Path&) { return kOk; }
int MDevDesc::SendProgram(int) { return kOk; }

std::string MDevDesc::GetColumnTitle(int) const { return "-"; }
std::optional<std::string> MDevDesc::GetColumnText(int, int) const { return "-"; }

void MDevDesc::OnNoteOff(std::span<const uint8_t>) {}
void MDevDesc::OnNoteOn(std::span<const uint8_t>) {}
void MDevDesc::OnPolyPressure(std::span<const uint8_t>) {}

void MDevDesc::OnControlChange(std::span<const uint8_t> data) {
    if (data.size() < 2) return;
    const uint8_t value = data[1];
    using Target = MDevParamNumberDecoder::Target;
    switch (params_.OnControlChange(data[0], value)) {
    case Target::NrpnData: OnNrpnData(value); break;
    case Target::NrpnDataLsb: OnNrpnDataLsb(value); break;
    case Target::RpnData: OnRpnData(value); break;
    case Target::RpnDataLsb: OnRpnDataLsb(value); break;
    case Target::None: break;
    }
}

void MDevDesc::OnProgramChange(std::span<const uint8_t>) {}
void MDevDesc::OnChannelPressure(std::span<const uint8_t>) {}
void MDevDesc::OnPitchBend(std::span<const uint8_t>) {}
void MDevDesc::OnSysEx(std::span<const uint8_t>) {}
void MDevDesc::OnRpnData(int) {}
void MDevDesc::OnRpnDataLsb(int) {}
void MDevDesc::OnNrpnData(int) {}
void MDevDesc::OnNrpnDataLsb(int) {}

void MDevDesc::Dispatch(uint8_t status, std::span<const uint8_t> data) {
    if (status == 0xF0) {
        OnSysEx(data);
        return;
    }
    if (status < 0x80 || status > 0xEF) return;
    const uint8_t kind = status & 0xF0;
    const size_t needed = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
    if (data.size() < needed) return;
    data = data.first(needed);
    switch (kind) {
    case 0x80: OnNoteOff(data); break;
    case 0x90: OnNoteOn(data); break;
    case 0xA0: OnPolyPressure(data); break;
    case 0xB0: OnControlChange(data); break;
    case 0xC0: OnProgramChange(data); break;
    case 0xD0: OnChannelPressure(data); break;
    case 0xE0: OnPitchBend(data); break;
    default: break;
    }
}
