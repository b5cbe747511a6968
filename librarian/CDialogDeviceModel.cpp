#include "librarian/CDialogDeviceModel.h"

#include <cstddef>

#include "librarian/CVelkPreference.h"
#include "platform/midi/MidiBackend.h"

namespace {

std::string NameOf(const std::vector<midiport::MidiPortInfo>& ports, int id) {
    if (id < 0 || static_cast<std::size_t>(id) >= ports.size()) return {};
    return ports[static_cast<std::size_t>(id)].name;
}

}  // namespace

CDialogDeviceModel::CDialogDeviceModel(midiport::MidiBackend& backend, int* inId, int* outId,
                                       CVelkPreference& preference)
    : backend_(backend), inId_(inId), outId_(outId), preference_(preference) {
    const auto ins = backend_.Inputs();
    for (std::size_t i = 0; i < ins.size(); ++i)
        inputs_.push_back({ins[i].name, static_cast<int>(i)});
    const auto outs = backend_.Outputs();
    for (std::size_t i = 0; i < outs.size(); ++i)
        if (outs[i].hardware) outputs_.push_back({outs[i].name, static_cast<int>(i)});
}

int CDialogDeviceModel::IndexOf(const std::vector<VelkPortEntry>& entries, const int* id) {
    if (!id) return -1;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].id == *id) return static_cast<int>(i);
    return -1;
}

int CDialogDeviceModel::IdAt(const std::vector<VelkPortEntry>& entries, int selection) {
    if (selection < 0 || static_cast<std::size_t>(selection) >= entries.size()) return -1;
    return entries[static_cast<std::size_t>(selection)].id;
}

void CDialogDeviceModel::Commit(int inputSelection, int outputSelection) {
    const int in = IdAt(inputs_, inputSelection);
    const int out = IdAt(outputs_, outputSelection);
    if (inId_) *inId_ = in;
    if (outId_) *outId_ = out;
    preference_.SetMidiDevices(NameOf(backend_.Inputs(), in), NameOf(backend_.Outputs(), out));
}
