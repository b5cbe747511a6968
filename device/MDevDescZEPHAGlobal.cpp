#include "device/MDevDescZEPHAGlobal.h"

#include <algorithm>

namespace {

namespace Id = MDevGlobalParamId;

enum class Width { S8, U8, Whole };

// Where a parameter lives in the record: bits (byte >> shift) & readMask
// are read; bits (value & writeMask) << shift are written, the rest of the
// byte kept.
struct Field {
    Width width;
    uint8_t byte;
    uint8_t shift;
    uint8_t readMask;
    uint8_t writeMask;
};

constexpr Field WholeByte(Width width, int byte) {
    return {width, static_cast<uint8_t>(byte), 0, 0xFF, 0xFF};
}
constexpr Field Bit(int byte, int bit) {
    return {Width::Whole, static_cast<uint8_t>(byte), static_cast<uint8_t>(bit), 0x01, 0x01};
}

constexpr std::array<Field, Id::kCount> MakeFields() {
    std::array<Field, Id::kCount> f{};
    f[Id::kMasterTune] = WholeByte(Width::S8, 0);
    f[Id::kMasterTranspose] = WholeByte(Width::S8, 1);
    f[Id::kTransposePosition] = Bit(2, 0);
    f[Id::kVelocityCurve] = {Width::U8, 3, 0, 0x7F, 0xFF};
    f[Id::kVelocityCurveMode] = {Width::U8, 4, 0, 0x0F, 0xFF};
    f[Id::kLocal] = Bit(5, 2);
    f[Id::kWriteProtect] = Bit(5, 0);
    f[Id::kMidiClockSource] = {Width::U8, 8, 0, 0x03, 0x03};
    f[Id::kGlobalMidiChannel] = {Width::U8, 9, 0, 0x0F, 0x0F};
    f[Id::kSyncControl] = WholeByte(Width::S8, 10);
    f[Id::kTimbreSelect] = WholeByte(Width::S8, 11);
    f[Id::kFilterSystemExclusive] = Bit(16, 7);
    f[Id::kFilterPitchBend] = Bit(17, 6);
    f[Id::kFilterControlChange] = Bit(17, 2);
    f[Id::kFilterProgramChange] = Bit(17, 0);
    for (int id = Id::kControlChangeMapFirst; id <= Id::kControlChangeMapLast; ++id)
        f[static_cast<std::size_t>(id)] = WholeByte(Width::S8, 18 + id - Id::kControlChangeMapFirst);
    f[Id::kSpeaker] = Bit(72, 0);
    for (int id = Id::kFavoriteFirst; id <= Id::kFavoriteLast; ++id)
        f[static_cast<std::size_t>(id)] = WholeByte(Width::U8, 80 + id - Id::kFavoriteFirst);
    return f;
}

constexpr std::array<Field, Id::kCount> kFields = MakeFields();

bool IsValidId(int id) { return id >= 0 && id < Id::kCount; }

int32_t Truncate(Width width, int32_t value) {
    const auto low = static_cast<uint8_t>(static_cast<uint32_t>(value) & 0xFFu);
    switch (width) {
    case Width::S8: return static_cast<int8_t>(low);
    case Width::U8: return low;
    case Width::Whole: return value;
    }
    return value;
}

}  // namespace

MDevDescZEPHAGlobal::MDevDescZEPHAGlobal(MDevProgramOwner& owner) : owner_(&owner) {}

MDevDescZEPHAGlobal& MDevDescZEPHAGlobal::operator=(const MDevDescZEPHAGlobal& other) {
    modified_ = other.modified_;
    record_ = other.record_;
    values_ = other.values_;
    return *this;
}

void MDevDescZEPHAGlobal::Store(int id, int32_t value, bool toDeviceWriteProtect) {
    if (!IsValidId(id)) return;
    const auto index = static_cast<std::size_t>(id);
    if (id == Id::kWriteProtect) {
        // The device holds write protect; the object never does.
        if (toDeviceWriteProtect) owner_->SetWriteProtect(value);
        values_[index] = 0;
    } else if (id == Id::kVelocityCurve) {
        const int32_t curve = Truncate(Width::U8, value);
        const bool fixedCurve = curve >= 1 && curve <= 127;
        values_[index] = fixedCurve ? curve : 0;
        values_[Id::kVelocityCurveMode] = fixedCurve ? 8 : 2;
    } else {
        values_[index] = Truncate(kFields[index].width, value);
    }
}

void MDevDescZEPHAGlobal::SetParam(int id, int32_t value, int /*notify*/) {
    Store(id, value, true);
    owner_->MarkModified(*this);
}

int32_t MDevDescZEPHAGlobal::GetParam(int id) const {
    return IsValidId(id) ? values_[static_cast<std::size_t>(id)] : 0;
}

std::string MDevDescZEPHAGlobal::GetValueText(int id) const { return "value#" + std::to_string(id); }

std::string MDevDescZEPHAGlobal::GetParamName(int id) const { return "param#" + std::to_string(id); }

std::string MDevDescZEPHAGlobal::GetUnitText(int id) const { return "label#" + std::to_string(id); }

std::string MDevDescZEPHAGlobal::GetColumnText(int /*column*/) const { return "-"; }

void MDevDescZEPHAGlobal::FromBytes(std::span<const uint8_t, MDevGlobalLayout::kRecordSize> record,
                                    MDevGlobalSource source) {
    std::copy(record.begin(), record.end(), record_.begin());
    for (int id = 0; id < Id::kCount; ++id) {
        const Field& field = kFields[static_cast<std::size_t>(id)];
        const int32_t value = (record[field.byte] >> field.shift) & field.readMask;
        Store(id, value, source == MDevGlobalSource::Device);
        owner_->MarkModified(*this);
    }
}

void MDevDescZEPHAGlobal::ToBytes(std::span<uint8_t, MDevGlobalLayout::kRecordSize> record) const {
    std::copy(record_.begin(), record_.end(), record.begin());
    for (int id = 0; id < Id::kCount; ++id) {
        const Field& field = kFields[static_cast<std::size_t>(id)];
        const auto value = static_cast<uint32_t>(GetParam(id));
        const auto cleared =
            static_cast<uint32_t>(record[field.byte]) & ~(uint32_t{field.writeMask} << field.shift);
        record[field.byte] = static_cast<uint8_t>(cleared | ((value & field.writeMask) << field.shift));
    }
}

MDevGlobalData MDevDescZEPHAGlobal::ToBytes() const {
    MDevGlobalData record{};
    ToBytes(record);
    return record;
}

MDevGlobalData MDevDescZEPHAGlobal::AsSent(std::span<const uint8_t, MDevGlobalLayout::kRecordSize> record) {
    // An owner that keeps nothing: the device's write-protect word and its
    // windows never hear of this object.
    class Detached final : public MDevProgramOwner {
    public:
        void MarkModified(MDevDescProgram&) override {}
        void SendEditBuffer() override {}
        void SetWriteProtect(int32_t) override {}
        int32_t GetWriteProtect() const override { return 0; }
    };
    Detached owner;
    MDevDescZEPHAGlobal global(owner);
    global.FromBytes(record, MDevGlobalSource::File);
    return global.ToBytes();
}
