#include "librarian/CDialogDeviceModel.h"

#include <cstddef>

#include "librarian/CVelkPreference.h"
#include "platform/midi/MidiBackend.h"

namespace {

std::vector<std::string> Names(const std::vector<midiport::MidiPortInfo>& ports) {
    std::vector<std::string> names;
    names.reserve(ports.size());
    for (const midiport::MidiPortInfo& port : ports) names.push_back(port.name);
    return names;
}

}  // namespace

CDialogDeviceModel::CDialogDeviceModel(midiport::MidiBackend& backend, int* inId, int* outId,
                                       CVelkPreference& preference)
    : backend_(backend), inId_(inId), outId_(outId), preference_(preference) {
    // The ids refer to the lists handed out before; their names first, since
    // listing again hands out new lists.
    if (inId_) inUse_ = backend_.InputName(*inId_);
    if (outId_) outUse_ = backend_.OutputName(*outId_);
    inName_ = inUse_;
    outName_ = outUse_;
    ReadLists();
}

void CDialogDeviceModel::KeepPortsInUse() {
    if (inId_) *inId_ = IndexOf(Names(backend_.Inputs()), inUse_);
    if (outId_) *outId_ = IndexOf(Names(backend_.Outputs()), outUse_);
}

void CDialogDeviceModel::ReadLists() {
    inputs_ = Names(backend_.Inputs());
    outputs_ = Names(backend_.Outputs());
}

int CDialogDeviceModel::IndexOf(const std::vector<std::string>& names, const std::string& name) {
    if (name.empty()) return -1;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name) return static_cast<int>(i);
    return -1;
}

std::string CDialogDeviceModel::NameAt(const std::vector<std::string>& names, int selection) {
    if (selection < 0 || static_cast<std::size_t>(selection) >= names.size()) return {};
    return names[static_cast<std::size_t>(selection)];
}

void CDialogDeviceModel::Refresh(int inputSelection, int outputSelection) {
    inName_ = NameAt(inputs_, inputSelection);
    outName_ = NameAt(outputs_, outputSelection);
    ReadLists();
}

CDialogDeviceModel::CommitResult CDialogDeviceModel::Commit(int inputSelection, int outputSelection) {
    const std::string in = NameAt(inputs_, inputSelection);
    const std::string out = NameAt(outputs_, outputSelection);
    // Fresh lists: the ids written must be ids of the lists handed out last.
    const std::vector<std::string> inputs = Names(backend_.Inputs());
    const std::vector<std::string> outputs = Names(backend_.Outputs());
    const int inId = IndexOf(inputs, in);
    const int outId = IndexOf(outputs, out);
    if (!in.empty() && inId < 0) return {false, in};
    if (!out.empty() && outId < 0) return {false, out};
    if (inId_) *inId_ = inId;
    if (outId_) *outId_ = outId;
    preference_.SetMidiDevices(in, out);
    return {true, {}};
}
