#pragma once
// One program of the synth: a 12-byte name, 242 parameters (0-27 common,
// 28-92 Timbre 1, 93-157 Timbre 2, 158-241 the vocoder part) and a copy of
// the last record read, so that record bits no parameter covers go out as
// they came in.
//
// Copying: a copy-constructed program shares the source's owner; copy
// assignment copies the whole program (name, values, raw record, modified
// flag) and keeps the target's own owner, so a device can copy programs
// between its slots and its edit buffer freely.

#include "device/MDevDescProgram.h"
#include "device/MDevDescZEPHAProgramVocoder.h"
#include "device/MDevDescZEPHATimbre.h"
#include "device/MDevProgramData.h"
#include "device/MDevProgramName.h"
#include "device/MDevProgramOwner.h"
#include "device/MDevProgramParamId.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

class MDevDescZEPHAProgram final : public MDevDescProgram {
public:
    // The librarian's extra list columns: voice mode, arpeggiator on/off,
    // arpeggiator type.
    static constexpr int kColumnCount = 3;

    explicit MDevDescZEPHAProgram(MDevProgramOwner& owner);
    MDevDescZEPHAProgram(const MDevDescZEPHAProgram&) = default;
    MDevDescZEPHAProgram& operator=(const MDevDescZEPHAProgram& other);

    // Clears the modified flag, names the program "Untitled" and resets both
    // timbres and the vocoder part to their defaults; the common parameters
    // and the raw record are left as they are.
    void Init() override;
    void SetName(const std::string& name) override;
    std::string GetName() const override;
    int GetParamCount() const override { return MDevProgramParamId::kCount; }
    // Stores the value truncated to its field (no range test); with notify
    // nonzero the owner marks this program modified, even if nothing was
    // stored.
    void SetParam(int id, int32_t value, int notify) override;
    int32_t GetParam(int id) const override;
    std::string GetValueText(int id) const override;
    std::string GetParamName(int id) const override;
    std::string GetUnitText(int id) const override;
    std::string GetColumnText(int column) const override;
    // Sends the edit buffer when modified; clears the flag in every case.
    void Commit() override;
    bool IsModified() const override { return modified_; }
    void SetModified(bool modified) override { modified_ = modified; }

    void FromBytes(std::span<const uint8_t, MDevProgramLayout::kRecordSize> record);
    void ToBytes(std::span<uint8_t, MDevProgramLayout::kRecordSize> record) const;
    MDevProgramData ToBytes() const;

    MDevProgramOwner& Owner() const { return *owner_; }

private:
    MDevProgramOwner* owner_;  // never null
    bool modified_ = false;
    MDevProgramName name_;
    std::array<int32_t, MDevProgramParamId::kCommonCount> common_{};
    MDevDescZEPHATimbre timbre1_{0};
    MDevDescZEPHATimbre timbre2_{1};
    MDevDescZEPHAProgramVocoder vocoder_;
    MDevProgramData raw_{};
};
