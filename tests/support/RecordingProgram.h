#pragma once
// A parameter set that records every store, and an owner of program and
// global records that records what they ask of it.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "device/MDevDescGlobal.h"
#include "device/MDevProgramOwner.h"

class MDevDescZEPHAProgram;

namespace velktest {

// One SetParam call.
struct ParamStore {
    int id;
    int32_t value;
    int notify;
    bool operator==(const ParamStore&) const = default;
};

// What a record asks of the device that owns it: each MarkModified sets the
// record's modified flag, as the device does, and is noted; the sends of
// the edit buffer and the write-protect word are counted and kept.
class RecordingProgramOwner final : public MDevProgramOwner {
public:
    void MarkModified(MDevDescProgram& changed) override;
    void SendEditBuffer() override { ++sent; }
    void SetWriteProtect(int32_t value) override;
    int32_t GetWriteProtect() const override { return writeProtect; }

    // The MarkModified calls so far.
    int Marks() const { return static_cast<int>(marked.size()); }

    std::vector<const MDevDescProgram*> marked;  // each MarkModified's record, in order
    int sent = 0;
    int writeProtectSets = 0;
    int32_t writeProtect = 0;
};

// Where a recording program keeps its values.
enum class ProgramValues {
    // A real program record of the device: each value truncated to its
    // field, the texts the device gives, the modified flag kept.
    kDeviceRecord,
    // A table of its own: any id, any value kept whole, 256 parameters, no
    // texts and no modified flag. Usable as a global object too.
    kTable,
};

// Records every SetParam call (in `stores`), then stores the value.
class RecordingProgram final : public MDevDescGlobal {
public:
    explicit RecordingProgram(ProgramValues values = ProgramValues::kDeviceRecord);
    ~RecordingProgram() override;
    RecordingProgram(const RecordingProgram&) = delete;
    RecordingProgram& operator=(const RecordingProgram&) = delete;

    // Sets a value without recording it (and, on the device record, without
    // announcing it: notify 0).
    void Preset(int id, int32_t value);
    // Forgets the stores so far.
    void Clear() { stores.clear(); }
    // The device record (kDeviceRecord only).
    MDevDescZEPHAProgram& Real();

    void Init() override;
    void SetName(const std::string& name) override;
    std::string GetName() const override;
    int GetParamCount() const override;
    void SetParam(int id, int32_t value, int notify) override;
    int32_t GetParam(int id) const override;
    std::string GetValueText(int id) const override;
    std::string GetParamName(int id) const override;
    std::string GetUnitText(int id) const override;
    std::string GetColumnText(int column) const override;
    void Commit() override;
    bool IsModified() const override;
    void SetModified(bool modified) override;

    std::vector<ParamStore> stores;

private:
    RecordingProgramOwner owner_;
    std::unique_ptr<MDevDescZEPHAProgram> record_;  // null: the table holds the values
    std::map<int, int32_t> table_;
};

}  // namespace velktest
