#pragma once
// The synth's global settings: 65 parameters (MDevGlobalParamId) and a copy
// of the last 200-byte record read, so that record bits no parameter covers
// go out as they came in.
//
// Every SetParam, whatever its notify argument, has the owner mark the
// object modified; reading a record therefore raises 65 notices. The write
// protect parameter (6) lives in the owner: setting it sets the owner's
// write-protect word and leaves the object's own value 0, so every record
// built has write protect off.
//
// Copying: a copy-constructed global shares the source's owner; copy
// assignment copies values, record and modified flag and keeps the target's
// own owner (the device copies between its device and working global).

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "device/MDevDescGlobal.h"
#include "device/MDevGlobalData.h"
#include "device/MDevGlobalParamId.h"
#include "device/MDevProgramOwner.h"

// Where a record read by FromBytes comes from. Only a record from the device
// sets the device's write-protect word; one from a file leaves it alone.
enum class MDevGlobalSource { Device, File };

class MDevDescZEPHAGlobal final : public MDevDescGlobal {
public:
    explicit MDevDescZEPHAGlobal(MDevProgramOwner& owner);
    MDevDescZEPHAGlobal(const MDevDescZEPHAGlobal&) = default;
    MDevDescZEPHAGlobal& operator=(const MDevDescZEPHAGlobal& other);

    // Clears the modified flag, and nothing else.
    void Init() override { modified_ = false; }
    // A global has no name to set.
    void SetName(const std::string&) override {}
    std::string GetName() const override { return "Global"; }
    int GetParamCount() const override { return MDevGlobalParamId::kCount; }
    // Stores the value truncated to its field (no range test, ids outside
    // 0-64 store nothing); then the owner marks the object modified.
    void SetParam(int id, int32_t value, int notify) override;
    // The stored value, sign-extended for the signed fields; 0 for an id
    // outside 0-64.
    int32_t GetParam(int id) const override;
    std::string GetValueText(int id) const override;
    std::string GetParamName(int id) const override;
    std::string GetUnitText(int id) const override;
    std::string GetColumnText(int column) const override;
    // Clears the modified flag.
    void Commit() override { modified_ = false; }
    bool IsModified() const override { return modified_; }
    void SetModified(bool modified) override { modified_ = modified; }

    // Keeps the record whole, then sets every parameter in id order from
    // it. Because id 4 follows id 3, the record's id-4 value wins over the
    // one that setting id 3 derives.
    void FromBytes(std::span<const uint8_t, MDevGlobalLayout::kRecordSize> record, MDevGlobalSource source);
    // The kept record with every parameter's bits written over it.
    void ToBytes(std::span<uint8_t, MDevGlobalLayout::kRecordSize> record) const;
    MDevGlobalData ToBytes() const;
    // `record` as ToBytes builds it once FromBytes read it: what the system
    // sends for a record it holds (write protect off, the fields it derives
    // written anew). Touches no device state and raises no notice.
    static MDevGlobalData AsSent(std::span<const uint8_t, MDevGlobalLayout::kRecordSize> record);

    MDevProgramOwner& Owner() const { return *owner_; }

private:
    void Store(int id, int32_t value, bool toDeviceWriteProtect);

    MDevProgramOwner* owner_;  // never null
    bool modified_ = false;
    MDevGlobalData record_{};
    std::array<int32_t, MDevGlobalParamId::kCount> values_{};
};
