// The whole program on the kernel's own sequencer: the session of the
// program with the real ALSA backend (no --simulate) and no saved
// settings, its real windows, against a simulated Brontisel S served on the
// raw side of VirMIDI 0-0. Run by scripts/real-alsa-test.sh as root on a
// virtual display in a virtual machine with snd-virmidi and snd-seq-dummy
// loaded. Not part of CTest (no sequencer there).

#include <gtest/gtest.h>

#include <gtk/gtk.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>

#include "device/MDevConfig.h"
#include "device/MDevDescZEPHA.h"
#include "editors/ProgramEditorLayout.h"
#include "editors/wx/CDialogEditPrg.h"
#include "editors/wx/CWxEditorOpener.h"
#include "librarian/CVelkDoc.h"
#include "librarian/CVelkDocTexts.h"
#include "uiservices/wx/CDialogOverwrite.h"
#include "librarian/wx/CLeftView.h"
#include "librarian/wx/CVelkSession.h"
#include "librarian/wx/CVelkView.h"
#include "platform/midi/MidiBackend.h"
#include "resources/VelkCommandIds.h"
#include "simulator/SimSynthOnRawMidi.h"
#include "tests/realalsa/VirMidiCard.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using virmidi::kPort;
using virmidi::kRaw;

constexpr const char* kDevicePath = "/My Device/Brontisel S";

// A name of its own for every slot, so that a slot received into the wrong
// place or not at all shows.
SimProgramRecord Seeded(int index) {
    SimProgramRecord record = SimSynth::DefaultProgram(index);
    const std::string name = "Kernel " + std::to_string(1000 + index).substr(1);
    std::copy(name.begin(), name.end(), record.begin());
    return record;
}

// Answers every message box (a GTK one: wx does not list it among its
// windows) with OK, as a person would, keeping what it said.
class MessageBoxes {
public:
    MessageBoxes() { source_ = g_timeout_add(50, &MessageBoxes::Look, this); }
    ~MessageBoxes() { g_source_remove(source_); }
    std::vector<std::string> texts;

private:
    static gboolean Look(gpointer self) {
        GList* windows = gtk_window_list_toplevels();
        for (GList* w = windows; w != nullptr; w = w->next) {
            if (!GTK_IS_MESSAGE_DIALOG(w->data) || !gtk_widget_get_visible(GTK_WIDGET(w->data))) continue;
            gchar* text = nullptr;
            g_object_get(w->data, "text", &text, nullptr);
            static_cast<MessageBoxes*>(self)->texts.push_back(text ? text : "");
            g_free(text);
            gtk_dialog_response(GTK_DIALOG(w->data), GTK_RESPONSE_OK);
        }
        g_list_free(windows);
        return G_SOURCE_CONTINUE;
    }
    guint source_ = 0;
};

// Runs `action` on the innermost modal wx dialog of type T once it shows
// (looked for on every pass of the event loop, for at most 60 s).
template <typename T>
void OnModal(std::function<void(T&)> action, Clock::time_point until = Clock::now() + 60s) {
    wxTheApp->CallAfter([action, until] {
        T* found = nullptr;
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* dialog = dynamic_cast<T*>(window); dialog && dialog->IsModal() && dialog->IsShown())
                found = dialog;
        if (found != nullptr) {
            action(*found);
        } else if (Clock::now() < until) {
            std::this_thread::sleep_for(5ms);
            OnModal(action, until);
        } else {
            ADD_FAILURE() << "no modal dialog of the kind awaited";
        }
    });
}

void Click(wxWindow& button) {
    wxCommandEvent click(wxEVT_BUTTON, button.GetId());
    click.SetEventObject(&button);
    button.ProcessWindowEvent(click);
}

class RealProgram : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(::access("/dev/snd/seq", F_OK), 0) << "no ALSA sequencer here";
        std::error_code ignored;
        fs::remove(SettingsPath(), ignored);  // a first start: nothing saved
        synth_ = std::make_unique<SimSynthOnRawMidi>(SimModel::BrontiselS, kRaw);
        ASSERT_TRUE(synth_->IsOpen()) << synth_->Error();
        for (int i = 0; i < synth_->Synth().Info().programCount; ++i)
            synth_->Synth().SetProgram(i, Seeded(i));

        session_ = std::make_unique<CVelkSession>(VelkOptions{}, SettingsPath());
        session_->SetItemOpener(CWxEditorOpener::ForSession(*session_));
        frame_ = session_->CreateMainWindow({"/nonexistent", ""});
        frame_->SetSize(1000, 700);
        frame_->Show();
        const auto start = Clock::now();
        session_->StartUp();
        std::printf("start-up with the identification took %.1f s\n",
                    std::chrono::duration<double>(Clock::now() - start).count());
    }
    void TearDown() override {
        const std::string library = session_ ? Doc().GetRoots().library : std::string();
        session_.reset();
        synth_.reset();
        std::error_code ignored;
        if (!library.empty()) fs::remove_all(fs::path(library).parent_path(), ignored);
    }
    static std::string SettingsPath() {
        return (fs::path(std::getenv("XDG_CONFIG_HOME")) / "velk-real-alsa.conf").string();
    }

    CVelkDoc& Doc() { return session_->GetDoc(); }
    MDevConfig& Config() { return Doc().GetDevConfig(); }
    MDevDescZEPHA* Device() { return dynamic_cast<MDevDescZEPHA*>(Config().GetDevice(0)); }

    // Selects the tree's node, as a click does (showing a device receives it).
    void ShowFolder(const std::string& path) {
        CLeftView* tree = frame_->GetTreeWindow();
        CTreeNode* node = tree->Model().FindNodeByPath(path);
        ASSERT_NE(node, nullptr) << path;
        tree->SelectItem(tree->ItemOf(node));
    }

    std::unique_ptr<SimSynthOnRawMidi> synth_;
    std::unique_ptr<CVelkSession> session_;
    CMainFrame* frame_ = nullptr;
};

TEST_F(RealProgram, FirstStartFindsTheSynthReceivesTheDeviceAndWritesAProgram) {
    ASSERT_EQ(Config().GetDeviceCount(), 1) << "no synth identified";
    EXPECT_EQ(Config().GetDeviceName(0), "Brontisel S");
    midiport::MidiBackend& backend = session_->GetBackend();
    EXPECT_EQ(backend.InputName(Config().GetMidiInPortId()), kPort);
    EXPECT_EQ(backend.OutputName(Config().GetMidiOutPortId()), kPort);

    MessageBoxes boxes;
    const auto start = Clock::now();
    ShowFolder(kDevicePath);
    std::printf("the whole device was received in %.1f s\n",
                std::chrono::duration<double>(Clock::now() - start).count());
    EXPECT_TRUE(boxes.texts.empty()) << boxes.texts.front();
    MDevDescZEPHA* device = Device();
    ASSERT_NE(device, nullptr);
    ASSERT_TRUE(device->IsDumpReceived());
    const int count = device->GetProgramCount();
    ASSERT_EQ(count, 256);
    int same = 0;
    for (int i = 0; i < count; ++i)
        same += device->GetZEPHAProgram(i)->ToBytes() == synth_->Synth().Program(i);
    EXPECT_EQ(same, count) << "programs received as the synth holds them";
    CVelkView* list = frame_->GetListWindow();
    EXPECT_EQ(list->GetItemCount(), 257) << "the programs and the global are listed";

    // Program 42 opened from the list, renamed, written to the device.
    const int slot = 42;
    const int row = list->Model().FindItem("Program:" + device->FormatProgramNumber(slot).value());
    ASSERT_GE(row, 0);
    for (long i = 0; i < list->GetItemCount(); ++i)
        list->SetItemState(i, i == row ? wxLIST_STATE_SELECTED : 0, wxLIST_STATE_SELECTED);
    list->SyncSelection();
    bool confirmed = false;
    int ended = -1;
    OnModal<CDialogEditPrg>([&](CDialogEditPrg& editor) {
        editor.NameEdit()->SetValue("Over Kernel");
        OnModal<CDialogOverwrite>([&](CDialogOverwrite& confirm) {
            confirmed = true;
            Click(*confirm.FindWindow(wxID_OK));
        });
        Click(*editor.Button(prglayout::kIdWriteToDevice));
        ended = editor.GetReturnCode();
    });
    wxKeyEvent enter(wxEVT_KEY_DOWN);
    enter.m_keyCode = WXK_RETURN;
    list->GetRowsWindow()->ProcessWindowEvent(enter);
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(ended, wxID_OK) << "the write did not succeed";
    EXPECT_TRUE(boxes.texts.empty()) << boxes.texts.front();

    const SimProgramRecord stored = synth_->Synth().Program(slot);
    EXPECT_EQ(std::string(stored.begin(), stored.begin() + 12), "Over Kernel ");
    EXPECT_TRUE(stored == device->GetZEPHAProgram(slot)->ToBytes()) << "the record arrived changed";
    EXPECT_EQ(synth_->Synth().Program(slot + 1), Seeded(slot + 1));
}

TEST_F(RealProgram, UnplugMidReceiveEndsWithTheErrorBoxAndNothingChanged) {
    ASSERT_EQ(Config().GetDeviceCount(), 1) << "no synth identified";
    MDevDescZEPHA* device = Device();
    ASSERT_NE(device, nullptr);
    std::vector<MDevProgramData> before;
    for (int i = 0; i < device->GetProgramCount(); ++i)
        before.push_back(device->GetZEPHAProgram(i)->ToBytes());
    const std::size_t sentBefore = synth_->BytesSent();

    // The card goes once a good part of the dump is on its way.
    std::atomic<int> unbound{-1};
    std::thread unplug([&] {
        const auto deadline = Clock::now() + 60s;
        while (synth_->BytesSent() < sentBefore + 10000 && Clock::now() < deadline)
            std::this_thread::sleep_for(10ms);
        unbound = virmidi::Drive("unbind");
    });
    MessageBoxes boxes;
    const auto start = Clock::now();
    ShowFolder(kDevicePath);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    unplug.join();
    std::printf("the receive ended %.1f s after it began, %zu bytes of the dump sent\n", seconds,
                synth_->BytesSent() - sentBefore);
    EXPECT_EQ(unbound.load(), 0);

    EXPECT_EQ(boxes.texts, std::vector<std::string>{velkdoctext::kCantReceive});
    EXPECT_LT(seconds, 20.0) << "the receive waited out its limit";
    EXPECT_FALSE(device->IsDumpReceived());
    int same = 0;
    for (int i = 0; i < device->GetProgramCount(); ++i)
        same += device->GetZEPHAProgram(i)->ToBytes() == before[static_cast<std::size_t>(i)];
    EXPECT_EQ(same, device->GetProgramCount()) << "the device's data changed";

    // The card back, as it was found.
    synth_.reset();
    EXPECT_EQ(virmidi::Drive("bind"), 0);
    const auto deadline = Clock::now() + 30s;
    while (::access(kRaw, F_OK) != 0 && Clock::now() < deadline) std::this_thread::sleep_for(50ms);
}

}  // namespace
