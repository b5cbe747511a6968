#pragma once
// A program for page tests: a real program record (so values are truncated
// to their fields as on the device) that records every SetParam call.

#include <cstdint>
#include <vector>

#include "device/MDevDescZEPHAProgram.h"
#include "device/MDevProgramOwner.h"

namespace editors_test {

struct ParamStore {
    int id;
    int32_t value;
    int notify;
    bool operator==(const ParamStore&) const = default;
};

class NullProgramOwner final : public MDevProgramOwner {
public:
    void MarkModified(MDevDescProgram& changed) override { changed.SetModified(true); }
    void SendEditBuffer() override {}
    void SetWriteProtect(int32_t) override {}
    int32_t GetWriteProtect() const override { return 0; }
};

// Forwards everything to a real MDevDescZEPHAProgram; SetParam is recorded
// first. Preset() fills values without recording them.
class RecordingProgram final : public MDevDescProgram {
public:
    void Preset(int id, int32_t value) { program_.SetParam(id, value, 0); }
    void Clear() { stores.clear(); }

    void Init() override { program_.Init(); }
    void SetName(const std::string& name) override { program_.SetName(name); }
    std::string GetName() const override { return program_.GetName(); }
    int GetParamCount() const override { return program_.GetParamCount(); }
    void SetParam(int id, int32_t value, int notify) override
    {
        stores.push_back({id, value, notify});
        program_.SetParam(id, value, notify);
    }
    int32_t GetParam(int id) const override { return program_.GetParam(id); }
    std::string GetValueText(int id) const override { return program_.GetValueText(id); }
    std::string GetParamName(int id) const override { return program_.GetParamName(id); }
    std::string GetUnitText(int id) const override { return program_.GetUnitText(id); }
    std::string GetColumnText(int column) const override { return program_.GetColumnText(column); }
    void Commit() override { program_.Commit(); }
    bool IsModified() const override { return program_.IsModified(); }
    void SetModified(bool modified) override { program_.SetModified(modified); }

    MDevDescZEPHAProgram& Real() { return program_; }

    std::vector<ParamStore> stores;

private:
    NullProgramOwner owner_;
    MDevDescZEPHAProgram program_{owner_};
};

}  // namespace editors_test
