// The editors on the document's device, wired as the application wires
// them (the document and the editors share the user-interface services; the
// document routes the synth's input through their event loop; an editor's
// write waits on the device's own configuration): what the synth sends
// reaches an open editor without any transfer, a reply confirms only the
// write that asked for it, and a global file becomes the device's global
// only once the synth confirmed it.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "device/MDevDescZEPHA.h"
#include "device/MDevGlobalParamId.h"
#include "device/MDevProgramParamId.h"
#include "device/MDevZEPHAMessages.h"
#include "editors/CDialogEditGlbModel.h"
#include "editors/CDialogEditPrgModel.h"
#include "librarian/CVelkDocTexts.h"
#include "tests/editors/ProgramEditorRig.h"
#include "tests/librarian/DocRig.h"

namespace {

using doctest::DocRig;
using namespace std::chrono_literals;
namespace Id = MDevProgramParamId;
namespace G = MDevGlobalParamId;

SimFault Silent() { return SimFault().WithSilence(); }

// The document of the application with an editor on its device.
class EditorOnDoc {
public:
    explicit EditorOnDoc(SimModel model) : rig(model) {
        // Program 0 a Single one, so its tabs stand where the tests pick them.
        rig.Synth().SetProgram(0, SimSynth::DefaultProgram(0));
        EXPECT_TRUE(rig.ConnectAndReceive());
    }

    MDevDescZEPHA& Dev() { return *static_cast<MDevDescZEPHA*>(rig.Device()); }

    // A Program Editor on a device slot, its Arpeggio page shown.
    CDialogEditPrgModel& OpenProgram(int number) {
        program =
            std::make_unique<CDialogEditPrgModel>(rig.Device(), number, std::filesystem::path(), rig.ui_);
        EXPECT_TRUE(program->Init(view));
        program->OnSelChangeTab(2);
        EXPECT_EQ(program->ShownKind(), PrgPageKind::Arpeggio);
        return *program;
    }

    std::filesystem::path GlobalFile(int transpose) {
        const auto path = std::filesystem::path(rig.LibraryFolder()) / "g.glb";
        Dev().GetWorkingGlobal().SetParam(G::kMasterTranspose, transpose, 0);
        EXPECT_EQ(Dev().SaveGlobalFile(-1, path), 0);
        Dev().GetGlobalCopy(0);
        return path;
    }

    DocRig rig;
    prgtest::FakeView view;
    std::unique_ptr<CDialogEditPrgModel> program;
};

// An arpeggiator knob turned on the synth reaches the open editor's page
// while no transfer runs: the event loop routes it.
TEST(EditorReplies, OpenProgramEditorShowsAnArpeggiatorChangeFromTheSynth) {
    EditorOnDoc t(SimModel::Brontisel);
    CDialogEditPrgModel& editor = t.OpenProgram(0);

    t.rig.Synth().SendNrpn(0x0A, 127);  // gate time
    t.rig.Deliver();

    EXPECT_EQ(t.view.arpeggio.calls, (std::vector<std::pair<std::string, int>>{{"ShowGate", 100}}));
    EXPECT_EQ(editor.Program()->GetParam(Id::kArpGateTime), 100);
    EXPECT_TRUE(editor.IsModified());
}

// The live commit's data load completed came in (routed by the event loop,
// or still queued when the write starts); the synth then takes nothing. The
// Global Editor's write must fail, not be confirmed by the commit's reply.
TEST(EditorReplies, LiveCommitsReplyConfirmsNoGlobalWrite) {
    for (const bool eventsRan : {true, false}) {
        SCOPED_TRACE(eventsRan ? "reply routed before the write" : "reply still queued");
        EditorOnDoc t(SimModel::Brontisel);
        CDialogEditPrgModel& editor = t.OpenProgram(0);
        t.program->Program()->SetParam(Id::kArpTempo, 150, 1);
        t.rig.ui_.Advance(500ms);  // the commit goes out
        if (eventsRan) t.rig.Deliver();
        else t.rig.Arrive();
        editor.OnDestroy();
        t.rig.Synth().SetFault(SimReply::LoadCompleted, Silent());

        CDialogEditGlbModel global(t.Dev(), 0, {}, t.rig.ui_);
        global.Global()->SetParam(G::kMasterTranspose, 5, 1);
        EXPECT_EQ(global.OnWriteToDevice(), EditorEnd::kStayOpen);

        EXPECT_EQ(t.rig.ui_.Texts(), std::vector<std::string>{glbtext::kCantOverwriteDevice});
        EXPECT_EQ(t.Dev().GetGlobal(0)->GetParam(G::kMasterTranspose), 0) << "the device's global changed";
    }
}

// The Program Editor's write sends the slot's write request only on the
// synth's reply to its own dump, never on the commit's earlier one.
TEST(EditorReplies, ProgramWriteRequestWaitsForTheReplyToItsOwnDump) {
    EditorOnDoc t(SimModel::Brontisel);
    CDialogEditPrgModel& editor = t.OpenProgram(0);
    editor.OnNameChange("Renamed");
    t.program->Program()->SetParam(Id::kArpTempo, 150, 1);
    t.rig.ui_.Advance(500ms);
    t.rig.Arrive();
    t.rig.Synth().SetFault(SimReply::LoadCompleted, Silent());

    EXPECT_FALSE(editor.OnWriteToDevice());

    EXPECT_EQ(t.rig.ReceivedCount(MDevZEPHAMessages::kProgramWriteRequest), 0);
    EXPECT_EQ(t.rig.ui_.Texts(), std::vector<std::string>{"ERROR: Can't Overwrite the Device"});
    EXPECT_NE(t.Dev().GetProgramName(0), "Renamed");
}

// Opening a global file, and writing it without an answer, leave the
// device's global as the synth has it (the Brontisel S takes a global dump
// into its device global when it comes from the synth, never from a file).
TEST(EditorReplies, GlobalFileOpenedOrWrittenInVainLeavesTheDevicesGlobal) {
    EditorOnDoc t(SimModel::BrontiselS);
    const MDevGlobalData device = t.Dev().GetDeviceGlobal().ToBytes();
    const auto path = t.GlobalFile(7);

    CDialogEditGlbModel editor(t.Dev(), -1, path, t.rig.ui_);
    ASSERT_NE(editor.Global(), nullptr);
    EXPECT_EQ(editor.Global()->GetParam(G::kMasterTranspose), 7);
    EXPECT_EQ(t.Dev().GetDeviceGlobal().ToBytes(), device) << "opening the file changed the device's global";

    t.rig.Synth().SetFault(SimReply::LoadCompleted, Silent());
    EXPECT_EQ(editor.OnWriteToDevice(), EditorEnd::kStayOpen);
    EXPECT_EQ(t.rig.ui_.Texts(), std::vector<std::string>{glbtext::kCantOverwriteDevice});
    EXPECT_EQ(t.Dev().GetDeviceGlobal().ToBytes(), device) << "a failed write changed the device's global";
}

// A global file the synth confirmed is the device's global: My Device >
// Global then opens with its values.
TEST(EditorReplies, GlobalFileWrittenToTheDeviceBecomesItsGlobal) {
    for (SimModel model : kModels) {
        SCOPED_TRACE(NameOf(model));
        EditorOnDoc t(model);
        const auto path = t.GlobalFile(7);
        CDialogEditGlbModel editor(t.Dev(), -1, path, t.rig.ui_);

        EXPECT_EQ(editor.OnWriteToDevice(), EditorEnd::kStayOpen);  // a file stays open

        EXPECT_TRUE(t.rig.ui_.shown.empty());
        EXPECT_EQ(t.rig.Synth().Global()[1], 7);
        CDialogEditGlbModel device(t.Dev(), 0, {}, t.rig.ui_);
        EXPECT_EQ(device.Global()->GetParam(G::kMasterTranspose), 7);
    }
}

}  // namespace
