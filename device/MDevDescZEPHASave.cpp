// Saving the dump files: one system-exclusive event at tick 0 of the only
// track, the dump of the identified device's form and channel.

#include "device/MDevDescZEPHA.h"

#include "device/MDevZEPHAMessages.h"
#include "midifile/MErrorCode.h"
#include "midifile/MidSmfEditor.h"

namespace {
using Messages = MDevZEPHAMessages;
}  // namespace

int MDevDescZEPHA::SaveDump(const Path& path, std::span<const uint8_t> wire) {
    if (wire.size() < 2) return MErrNoMemory;
    MidSmfEditor editor;
    int rc = editor.Initialize();
    if (rc != 0) return rc;
    const int track = editor.AddTrack();
    if (track < 0) return track;
    // The event holds the dump's bytes after F0, through the closing F7.
    const auto data = wire.subspan(1);
    rc = editor.GetTrackEditor(track)->InsertSysEx(0, data);
    if (rc != 0) return rc;
    return editor.Save(path, 0, 0);
}

int MDevDescZEPHA::SaveProgramFile(int index, const Path& path) {
    if (index >= model_.programCount || !model_.IsIdentified()) return kBadIndex;
    const MDevProgramData record =
        index < 0 ? editBuffer_.ToBytes() : programs_[static_cast<std::size_t>(index)].ToBytes();
    return SaveDump(path, Messages::CurrentProgramDump(channel_, model_, record));
}

int MDevDescZEPHA::SaveGlobalFile(int index, const Path& path) {
    if (index > 0 || !model_.IsIdentified()) return kBadIndex;
    const MDevGlobalData record = index < 0 ? workingGlobal_.ToBytes() : deviceGlobal_.ToBytes();
    return SaveDump(path, Messages::GlobalDump(channel_, model_, record));
}

int MDevDescZEPHA::SaveAllFile(const Path& path) {
    if (!model_.IsIdentified()) return kBadIndex;
    if (model_.IsModelS()) {
        const auto payload = ProgramRecords(0, static_cast<int>(Messages::kProgramCountBrontiselS));
        return SaveDump(path, Messages::AllDataDumpBrontiselS(channel_, payload));
    }
    auto payload = ProgramRecords(0, static_cast<int>(Messages::kProgramCountBrontisel));
    const MDevGlobalData global = deviceGlobal_.ToBytes();
    payload.insert(payload.end(), global.begin(), global.end());
    return SaveDump(path, Messages::AllDataDumpBrontisel(channel_, payload));
}
