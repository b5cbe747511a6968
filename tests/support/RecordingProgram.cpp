#include "tests/support/RecordingProgram.h"

#include "device/MDevDescZEPHAProgram.h"

namespace velktest {

void RecordingProgramOwner::MarkModified(MDevDescProgram& changed) {
    changed.SetModified(true);
    marked.push_back(&changed);
}

void RecordingProgramOwner::SetWriteProtect(int32_t value) {
    writeProtect = value;
    ++writeProtectSets;
}

RecordingProgram::RecordingProgram(ProgramValues values) {
    if (values == ProgramValues::kDeviceRecord) record_ = std::make_unique<MDevDescZEPHAProgram>(owner_);
}

RecordingProgram::~RecordingProgram() = default;

void RecordingProgram::Preset(int id, int32_t value) {
    if (record_) record_->SetParam(id, value, 0);
    else table_[id] = value;
}

MDevDescZEPHAProgram& RecordingProgram::Real() { return *record_; }

void RecordingProgram::Init() {
    if (record_) record_->Init();
}

void RecordingProgram::SetName(const std::string& name) {
    if (record_) record_->SetName(name);
}

std::string RecordingProgram::GetName() const { return record_ ? record_->GetName() : std::string(); }

int RecordingProgram::GetParamCount() const { return record_ ? record_->GetParamCount() : 256; }

void RecordingProgram::SetParam(int id, int32_t value, int notify) {
    stores.push_back({id, value, notify});
    if (record_) record_->SetParam(id, value, notify);
    else table_[id] = value;
}

int32_t RecordingProgram::GetParam(int id) const {
    if (record_) return record_->GetParam(id);
    const auto it = table_.find(id);
    return it == table_.end() ? 0 : it->second;
}

std::string RecordingProgram::GetValueText(int id) const {
    return record_ ? record_->GetValueText(id) : std::string();
}

std::string RecordingProgram::GetParamName(int id) const {
    return record_ ? record_->GetParamName(id) : std::string();
}

std::string RecordingProgram::GetUnitText(int id) const {
    return record_ ? record_->GetUnitText(id) : std::string();
}

std::string RecordingProgram::GetColumnText(int column) const {
    return record_ ? record_->GetColumnText(column) : std::string();
}

void RecordingProgram::Commit() {
    if (record_) record_->Commit();
}

bool RecordingProgram::IsModified() const { return record_ && record_->IsModified(); }

void RecordingProgram::SetModified(bool modified) {
    if (record_) record_->SetModified(modified);
}

}  // namespace velktest
