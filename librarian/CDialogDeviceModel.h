#pragma once
// What the MIDI port dialog lists and saves: the input and output ports, by
// name, in port order (every port a synth can be reached through, the same
// rule for both directions); the ports in use preselected. A choice is a
// name: whatever the backend's lists do while the dialog is open, OK
// connects the port the user chose, found by its name in a fresh list, or
// refuses when that port is gone.

#include <string>
#include <vector>

class CVelkPreference;
namespace midiport {
class MidiBackend;
}

class CDialogDeviceModel {
public:
    // `inId` and `outId` are the device configuration's port ids (ids of
    // the lists the backend handed out last); the lists are read here.
    CDialogDeviceModel(midiport::MidiBackend& backend, int* inId, int* outId, CVelkPreference& preference);

    const std::vector<std::string>& GetInputs() const { return inputs_; }
    const std::vector<std::string>& GetOutputs() const { return outputs_; }
    // Index of the entry that is the port in use (after Refresh: the port
    // chosen); -1 when it is not listed.
    int GetInputSelection() const { return IndexOf(inputs_, inName_); }
    int GetOutputSelection() const { return IndexOf(outputs_, outName_); }

    // Reads the lists again, keeping the entries chosen (-1: none) by name
    // where they are still listed.
    void Refresh(int inputSelection, int outputSelection);

    struct CommitResult {
        bool done = false;
        std::string missing;  // not done: the chosen port that is gone
    };
    // Cancel: the ports in use stay, their ids written anew for a fresh list
    // (listing hands out new lists that later ids refer to); -1 for a port
    // no longer listed.
    void KeepPortsInUse();

    // OK with the chosen entries (-1: none): finds each chosen port by name
    // in a fresh list and writes its id there (-1 for none) and saves the
    // names as the preferred ports (empty for none). When a chosen port is
    // not listed any more nothing is written or saved.
    CommitResult Commit(int inputSelection, int outputSelection);

private:
    static int IndexOf(const std::vector<std::string>& names, const std::string& name);
    static std::string NameAt(const std::vector<std::string>& names, int selection);
    void ReadLists();

    midiport::MidiBackend& backend_;
    int* inId_;
    int* outId_;
    CVelkPreference& preference_;
    std::vector<std::string> inputs_;
    std::vector<std::string> outputs_;
    std::string inUse_;  // the ports in use when the dialog opened; empty for none
    std::string outUse_;
    std::string inName_;  // the port in use or chosen; empty for none
    std::string outName_;
};
