// A program file pasted onto the simulated Brontisel S on a MIDI cable's
// rate, in the whole program on real windows, the paste run as a drop runs
// it (from a call queued to the main loop; the write confirmation answered
// by a click): the program write request goes out as the synth's data load
// completed arrives, not a waiting pass later. The times are taken on the
// synth's side of the cable; the write's whole time is printed.
#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/timer.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>
#include <mutex>
#include <utility>
#include <vector>

#include "device/MDevConfig.h"
#include "device/MDevDesc.h"
#include "device/MDevZEPHAMessages.h"
#include "librarian/CItemPath.h"
#include "librarian/CVelkDoc.h"
#include "librarian/wx/CVelkSession.h"
#include "simulator/SimSynthOnLoopback.h"
#include "tests/guitest/RealInput.h"
#include "uiservices/wx/CWxUiServices.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Msg = MDevZEPHAMessages;

std::string SettingsPath() {
    return (fs::path(std::getenv("XDG_CONFIG_HOME")) / "velk-write-timing.conf").string();
}

double Ms(Clock::duration span) { return std::chrono::duration<double, std::milli>(span).count(); }

// The function byte of a Brontisel S system-exclusive message, else -1.
int FunctionOf(const std::vector<uint8_t>& message) {
    const bool header = message.size() > 7 && message[0] == 0xF0 && message[1] == 0x42 &&
                        message[3] == 0x00 && message[4] == 0x01 && message[5] == 0x40;
    return header ? message[6] : -1;
}

// What crossed the cable at the synth, with the time it did: a message the
// synth received (its last byte in), or one it put on the wire.
class CableLog {
public:
    struct Entry {
        Clock::time_point at;
        bool fromSynth;
        std::vector<uint8_t> message;
    };

    // Taps the simulated synth's ends of the cable; both go on to where
    // they went.
    explicit CableLog(SimSynthOnLoopback& simulator) : simulator_(simulator) {
        SimSynth& synth = simulator.Synth();
        midiport::LoopbackPeer& peer = simulator.Peer();
        peer.SetHandler([this, &synth](std::vector<uint8_t> message) {
            Add(false, message);
            synth.OnMessage(message);
        });
        synth.SetOutput([this, &peer](std::vector<uint8_t> message) {
            Add(true, message);
            peer.Send(message);
        });
    }
    ~CableLog() {
        simulator_.Peer().SetHandler({});
        simulator_.Synth().SetOutput({});
    }

    std::vector<Entry> Take() {
        std::lock_guard lock(mutex_);
        return std::exchange(entries_, {});
    }

private:
    void Add(bool fromSynth, const std::vector<uint8_t>& message) {
        const auto at = Clock::now();
        std::lock_guard lock(mutex_);
        entries_.push_back({at, fromSynth, message});
    }

    SimSynthOnLoopback& simulator_;
    std::mutex mutex_;
    std::vector<Entry> entries_;
};

TEST(ProgramWriteTiming, WriteRequestLeavesAsTheDataLoadCompletedArrives) {
    VelkOptions options;
    options.simulate = true;  // the model: Brontisel S; the cable: its default rate
    ASSERT_GT(options.wireRate, 0u);
    CVelkSession session(options, SettingsPath());
    session.GetDoc().GetDevConfig().SetPauses({}, {});
    CMainFrame* frame = session.CreateMainWindow({"/nonexistent", ""});
    frame->Show();
    guitest::RunInLoop([&] { session.StartUp(); });
    MDevDesc* device = session.GetDoc().GetDevConfig().GetDevice(0);
    ASSERT_NE(device, nullptr);
    const std::string deviceName = session.GetDoc().GetDevConfig().GetDeviceName(0).value_or("");
    const std::string file = session.GetDoc().GetRoots().GetLibraryFolder(deviceName) + "/Timing.prg";
    ASSERT_EQ(device->SaveProgramFile(0, file), 0);

    // Each write's confirmation is answered with a click on its OK button;
    // any other box ends the paste (cancelled) instead of holding the test.
    guitest::XInput input;
    guitest::ModalWatch others;
    others.answer = [](wxDialog& dialog) { return dialog.GetTitle() == "Write to Device ..."; };
    Clock::time_point confirmed{};
    bool clicked = false;
    wxTimer clicker;
    clicker.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        wxDialog* dialog = CWxUiServices::InnermostModal();
        if (clicked || dialog == nullptr || dialog->GetTitle() != "Write to Device ...") return;
        wxWindow* ok = dialog->FindWindow(wxID_OK);
        if (ok == nullptr) return;
        clicked = true;
        ok->Bind(wxEVT_BUTTON, [&](wxCommandEvent& event) {
            confirmed = Clock::now();
            event.Skip();
        });
        input.ClickOn(*ok);
    });
    clicker.Start(20);

    CableLog cable(*session.GetSimulator());
    const auto wire = [&](size_t bytes) { return 1.0e3 * bytes / options.wireRate; };
    // The synth takes its time to answer, so its reply lands anywhere in a
    // waiting pass (100 ms): a request that waited for the next pass would
    // be late by up to that much.
    const std::chrono::milliseconds answerTimes[] = {0ms, 25ms, 50ms, 75ms};
    constexpr double kPromptMs = 30;
    for (size_t write = 0; write < std::size(answerTimes); ++write) {
        SCOPED_TRACE("the synth answering after " + std::to_string(answerTimes[write].count()) + " ms");
        session.GetSimulator()->Synth().SetReplyDelay(answerTimes[write]);
        const VelkPayload dropped{0, file + "\n"};
        int pasted = -1;
        Clock::time_point ended{};
        guitest::RunInLoop([&] {
            pasted = session.GetDoc().Paste(&dropped, itempath::MakeDevicePath(deviceName), false, 0,
                                            itempath::kRootDevice, 1);
            ended = Clock::now();
        });
        ASSERT_EQ(pasted, 1);
        ASSERT_NE(confirmed, Clock::time_point{}) << "the confirmation was not clicked";

        const auto entries = cable.Take();
        const CableLog::Entry* dump = nullptr;
        const CableLog::Entry* loaded = nullptr;
        const CableLog::Entry* request = nullptr;
        const CableLog::Entry* written = nullptr;
        for (const CableLog::Entry& entry : entries) {
            const int function = FunctionOf(entry.message);
            if (!entry.fromSynth && !dump && entry.message.size() > 100) dump = &entry;
            if (entry.fromSynth && function == Msg::kDataLoadCompleted && !loaded) loaded = &entry;
            if (!entry.fromSynth && function == Msg::kProgramWriteRequest && !request) request = &entry;
            if (entry.fromSynth && function == Msg::kWriteCompleted && !written) written = &entry;
        }
        ASSERT_TRUE(dump && loaded && request && written) << entries.size() << " messages";
        // From the reply's leaving the synth to the request's arrival there,
        // less both messages' time on the cable: the program's own share.
        const double routing =
            Ms(request->at - loaded->at) - wire(loaded->message.size()) - wire(request->message.size());
        EXPECT_LE(routing, kPromptMs)
            << "the write request left " << routing << " ms after the data load completed arrived";
        std::printf(
            "program write, answers after %lld ms: %.0f ms from the confirmation (dump "
            "%zu bytes, %.0f ms on the cable); request %.1f ms after the reply arrived; "
            "the wait ended %.0f ms after write completed left the synth\n",
            static_cast<long long>(answerTimes[write].count()), Ms(ended - confirmed), dump->message.size(),
            wire(dump->message.size()), routing, Ms(ended - written->at));
        confirmed = {};
        clicked = false;
    }
    std::filesystem::remove(SettingsPath());
}

}  // namespace
