#pragma once
// The document on a loopback port pair whose far side is the simulated
// synth, with the scripted user-interface services (every waiting pass runs
// the event loop, delivers what is on the wire and runs the event loop
// again, then lets its time pass on the services' clock), a library in a
// temporary folder, a scripted clipboard, and views that record what the
// document tells them. The document routes the input through the services'
// event loop as in the application.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/MemorySettingsStore.h"
#include "device/MDevDesc.h"
#include "librarian/CFNameList.h"
#include "librarian/CVelkDoc.h"
#include "librarian/CVelkPreference.h"
#include "platform/midi/LoopbackMidiBackend.h"
#include "simulator/SimSynthOnLoopback.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"

namespace doctest {

// One folder per test process for every library, with the user's trash
// (XDG_DATA_HOME) inside it, so trashing stays on the library's file system
// and inside the sandbox. GIO reads XDG_DATA_HOME once, so it is set once.
inline const std::filesystem::path& Sandbox() {
    static const velktest::TempDir sandbox;
    static const bool trashInside = [] {
        return setenv("XDG_DATA_HOME", sandbox.MakeFolder("data").c_str(), 1) == 0;
    }();
    EXPECT_TRUE(trashInside);
    return sandbox.Path();
}

class RecordingView final : public VelkDocView {
public:
    explicit RecordingView(std::string name) : name_(std::move(name)) {}
    // Every call as "<view> <what> <arguments>", in order, shared by both
    // views so the order between them shows.
    std::vector<std::string>* calls = nullptr;
    std::vector<std::string> cutMarks;  // the last UpdateCutMarks text of this view

    void OnItemsDeleted(const CFNameList& names) override { Record("deleted " + names.GetText()); }
    void OnItemRenamed(const std::string& oldPath, const std::string& newName) override {
        Record("renamed " + oldPath + " -> " + newName);
    }
    void OnFolderCreated(const std::string& path) override { Record("created " + path); }
    void OnPasted(const CFNameList& names, const std::string& target, bool move) override {
        Record(std::string(move ? "moved " : "pasted ") + names.GetText() + "-> " + target);
    }
    void UpdateCutMarks(const CFNameList& cutNames) override {
        cutMarks.push_back(cutNames.GetText());
        Record("cut " + cutNames.GetText());
    }
    void FillList(const std::string& path, bool reset) override {
        Record("fill " + path + (reset ? " reset" : ""));
    }

private:
    void Record(const std::string& text) {
        if (calls) calls->push_back(name_ + " " + text);
    }
    std::string name_;
};

class FakeClipboard final : public VelkClipboard {
public:
    std::optional<VelkPayload> content;
    bool opens = true;
    int dragEffect = kDropNone;
    std::vector<VelkPayload> drags;
    int clears = 0;

    bool Put(const VelkPayload& payload) override {
        if (!opens) return false;
        content = payload;
        return true;
    }
    std::optional<VelkPayload> Get() override { return opens ? content : std::nullopt; }
    bool Clear() override {
        if (!opens) return false;
        ++clears;
        content.reset();
        return true;
    }
    int RunDrag(const VelkPayload& payload, int) override {
        drags.push_back(payload);
        return dragEffect;
    }
};

// What the document works through as the rigs fake it, and a library folder
// of the rig's own, named in the settings (removed with the rig).
class DocFakes {
public:
    DocFakes() { store_.WriteString(CVelkPreference::kGroup, CVelkPreference::kLibraryPath, library_); }

    const std::string& Library() const { return library_; }

    // Before the document, which posts to it until it is gone.
    velktest::ScriptedUiServices ui_;
    velktest::MemorySettingsStore store_;
    CVelkPreference preference_{store_, ""};
    FakeClipboard clipboard_;

private:
    velktest::TempDir folder_{Sandbox()};
    const std::string library_ = folder_.Path().string();
};

class DocRig : public DocFakes {
public:
    // `clipboard`: a real one instead of the fake (GUI tests).
    // `synthOnFakeClock`: the synth's delayed replies, its wire rate and the
    // cable's (Peer()->SetThrottle) run on the fake clock too; they go out
    // as the waits' passes move it.
    explicit DocRig(SimModel model = SimModel::Brontisel, VelkClipboard* clipboard = nullptr,
                    bool synthOnFakeClock = false) {
        peer_ = backend_.CreatePair("Sim:Port 1");
        if (synthOnFakeClock) {
            sim_ = std::make_unique<SimSynthOnLoopback>(model, peer_, [this] { return ui_.Now(); });
            peer_->SetWireClock([this] { return ui_.Now(); });
        } else sim_ = std::make_unique<SimSynthOnLoopback>(model, peer_);
        ui_.onPump = [this] {
            if (deliver) Deliver();
            if (onPass) onPass(ui_.pumps);
        };
        doc_ = std::make_unique<CVelkDoc>(backend_, ui_, clipboard ? *clipboard : clipboard_, preference_);
        doc_->GetDevConfig().SetPauses(std::chrono::milliseconds(0), std::chrono::milliseconds(0));
        tree_.calls = &calls;
        list_.calls = &calls;
        doc_->SetTreeView(&tree_);
        doc_->SetListView(&list_);
    }
    ~DocRig() { doc_.reset(); }

    // Everything sent either way so far arrives, and the event loop runs (so
    // the document routes it to the device), until nothing more comes.
    void Deliver() {
        for (int round = 0; round < 20; ++round) {
            sim_->Drain();
            if (ui_.RunPending() == 0) return;
        }
    }

    // What either side sent so far arrives, but the event loop does not run:
    // the input waits in the configuration's queue, as when it comes in
    // just before a transfer starts.
    void Arrive() { sim_->Drain(); }

    // Port choice and detection as the tree's first update runs them.
    bool Connect() {
        doc_->SelectMidiPorts();
        doc_->DetectDevices();
        return Device() != nullptr;
    }
    bool ConnectAndReceive() { return Connect() && doc_->ReceiveAll(Device()); }

    MDevDesc* Device() { return doc_->GetDevConfig().GetDevice(0); }
    std::string DeviceName() { return doc_->GetDevConfig().GetDeviceName(0).value_or(""); }
    std::string ProgramPath(int index) {
        return itempath::MakeProgramPath(DeviceName(), Device()->FormatProgramNumber(index).value());
    }
    std::string SetupFolder() { return doc_->GetRoots().GetSetupFolder(DeviceName()); }
    std::string LibraryFolder() { return doc_->GetRoots().GetLibraryFolder(DeviceName()); }

    static CFNameList List(const std::vector<std::string>& names) {
        CFNameList list;
        for (const auto& name : names) list.Add(name);
        return list;
    }

    // How many system-exclusive messages with this function byte the synth got.
    int ReceivedCount(uint8_t function) {
        const std::size_t at = Synth().Model() == SimModel::Brontisel ? 4 : 6;
        int count = 0;
        for (const auto& message : Synth().Received())
            if (message.size() > at && message[0] == 0xF0 && message[at] == function) ++count;
        return count;
    }

    CVelkDoc& Doc() { return *doc_; }
    SimSynth& Synth() { return sim_->Synth(); }
    SimSynthOnLoopback& Sim() { return *sim_; }
    midiport::LoopbackMidiBackend& Backend() { return backend_; }
    std::shared_ptr<midiport::LoopbackPeer>& Peer() { return peer_; }
    bool deliver = true;                   // each waiting pass delivers the wire
    std::function<void(int pass)> onPass;  // runs in each waiting pass, after delivery
    std::vector<std::string> calls;        // what both views were told, in order

    RecordingView tree_{"tree"};
    RecordingView list_{"list"};

private:
    midiport::LoopbackMidiBackend backend_;
    std::shared_ptr<midiport::LoopbackPeer> peer_;
    std::unique_ptr<SimSynthOnLoopback> sim_;
    std::unique_ptr<CVelkDoc> doc_;
};

}  // namespace doctest
