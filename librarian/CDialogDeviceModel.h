#pragma once
// What the MIDI port dialog lists and saves: every input port, the output
// ports that are hardware ports, each entry with its port id (the port's
// index in the backend's full list), and on OK the chosen ids and the
// ports' names.

#include <string>
#include <vector>

class CVelkPreference;
namespace midiport {
class MidiBackend;
}

struct VelkPortEntry {
    std::string name;
    int id;
};

class CDialogDeviceModel {
public:
    // `inId` and `outId` are the device configuration's port ids; the lists
    // are read from the backend here.
    CDialogDeviceModel(midiport::MidiBackend& backend, int* inId, int* outId,
                       CVelkPreference& preference);

    const std::vector<VelkPortEntry>& GetInputs() const { return inputs_; }
    const std::vector<VelkPortEntry>& GetOutputs() const { return outputs_; }
    // Index of the entry holding the current id; -1 when it is not listed.
    int GetInputSelection() const { return IndexOf(inputs_, inId_); }
    int GetOutputSelection() const { return IndexOf(outputs_, outId_); }

    // OK with the chosen entries (-1: none): writes each entry's port id
    // (-1 for none), reads the port names back from the backend and saves
    // them as the preferred ports (empty for none).
    void Commit(int inputSelection, int outputSelection);

private:
    static int IndexOf(const std::vector<VelkPortEntry>& entries, const int* id);
    static int IdAt(const std::vector<VelkPortEntry>& entries, int selection);

    midiport::MidiBackend& backend_;
    int* inId_;
    int* outId_;
    CVelkPreference& preference_;
    std::vector<VelkPortEntry> inputs_;
    std::vector<VelkPortEntry> outputs_;
};
