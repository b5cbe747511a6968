#include "librarian/wx/CVelkApp.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include <wx/dcmemory.h>
#include <wx/dialog.h>
#include <wx/dcscreen.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/timer.h>
#include <wx/utils.h>

#include "device/MDevConfig.h"
#include "librarian/CVelkDoc.h"
#include "librarian/wx/CVelkSession.h"
#include "platform/ipc/InstanceClaim.h"
#include "resources/VelkStrings.h"

namespace {

VelkOptions gOptions;
CVelkApp::OpenerFactory gOpenerFactory;
const auto gStart = std::chrono::steady_clock::now();

// How long a second start waits for the lock's holder to answer; it answers
// on a thread of its own at once, so only a holder that is no running
// instance takes this long.
constexpr std::chrono::milliseconds kRaiseTimeout{5000};
// The window is drawn a moment after the detection ends; the picture waits.
constexpr int kScreenshotDelayMs = 500;
// A start-up that stops at a message box (no device on a real sequencer)
// is pictured as it is after this long, so a run without a display ends.
constexpr int kScreenshotDeadlineMs = 10000;
constexpr int kQuitPollMs = 100;

long MillisecondsSinceStart() {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - gStart)
            .count());
}

}  // namespace

void CVelkApp::SetOptions(const VelkOptions& options) { gOptions = options; }

void CVelkApp::SetItemOpenerFactory(OpenerFactory factory) { gOpenerFactory = std::move(factory); }

CVelkApp::CVelkApp() : options_(gOptions) {}

CVelkApp::~CVelkApp() = default;

bool CVelkApp::OnInit() {
    SetAppName("velk-editor");
    SetAppDisplayName(wxString::FromUTF8(velk::text::kAppTitle));

    if (!ClaimInstance()) {
        exitCode_ = 0;
        return true;
    }

    session_ = std::make_unique<CVelkSession>(options_, CWxSettingsStore::DefaultFilePath());
    if (gOpenerFactory) session_->SetItemOpener(gOpenerFactory(*session_));
    const wxString program = wxStandardPaths::Get().GetExecutablePath();
    const VelkHelpPlaces help{wxFileName(program).GetPath().utf8_string(),
                              wxStandardPaths::Get().GetDataDir().utf8_string()};
    CMainFrame* frame = session_->CreateMainWindow(help);
    SetTopWindow(frame);
    // A start after the window is gone finds nobody to raise: it becomes the
    // first.
    frame->Bind(wxEVT_DESTROY, [this, frame](wxWindowDestroyEvent& event) {
        event.Skip();
        if (event.GetEventObject() != frame) return;
        server_.reset();
        lock_.reset();
    });
    frame->Show();
    CallAfter([this] { StartUp(); });
    return true;
}

int CVelkApp::OnRun() {
    if (exitCode_) return *exitCode_;
    return wxApp::OnRun();
}

int CVelkApp::OnExit() {
    timers_.clear();
    server_.reset();
    lock_.reset();
    session_.reset();
    return wxApp::OnExit();
}

bool CVelkApp::ClaimInstance() {
    std::string error;
    const std::string folder = velkipc::PrivateInstanceFolder(
        std::getenv("XDG_RUNTIME_DIR"), velkipc::TemporaryFolder(), ::geteuid(), &error);
    if (folder.empty()) {
        std::fprintf(stderr, "velk-editor: %s; more than one instance may run\n", error.c_str());
        return true;
    }
    // A request arrives on the server's thread, maybe before the window
    // exists; the raising is done on the user-interface thread once the
    // event loop runs (the app outlives the server).
    velkipc::InstanceClaim claim = velkipc::ClaimInstance(
        folder,
        [this] {
            CallAfter([this] {
                if (session_) session_->BringToFront();
            });
        },
        kRaiseTimeout);
    for (const std::string& note : claim.notes) std::fprintf(stderr, "velk-editor: %s\n", note.c_str());
    if (claim.outcome == velkipc::InstanceClaim::Outcome::kRaisedTheFirst) {
        std::fprintf(stderr, "velk-editor: already running; brought it to the front\n");
        return false;
    }
    lock_ = std::move(claim.lock);
    server_ = std::move(claim.server);
    return true;
}

void CVelkApp::StartUp() {
    if (!options_.screenshot.empty()) ScheduleScreenshot(kScreenshotDeadlineMs);
    session_->StartUp();
    if (options_.simulate || !options_.screenshot.empty()) {
        const int devices = session_->GetDoc().GetDevConfig().GetDeviceCount();
        std::fprintf(stderr, "velk-editor: explorer shown %s %ld ms after start\n",
                     devices > 0 ? "with the device identified" : "without a device",
                     MillisecondsSinceStart());
    }
    if (!options_.screenshot.empty()) ScheduleScreenshot(kScreenshotDelayMs);
}

void CVelkApp::ScheduleScreenshot(int delayMs) {
    auto timer = std::make_unique<wxTimer>();
    timer->Bind(wxEVT_TIMER, [this](wxTimerEvent&) { SaveScreenshotAndQuit(); });
    timer->StartOnce(delayMs);
    timers_.push_back(std::move(timer));
}

void CVelkApp::SaveScreenshotAndQuit() {
    CMainFrame* frame = session_ ? session_->GetMainWindow() : nullptr;
    if (frame == nullptr || screenshotTaken_) return;
    screenshotTaken_ = true;
    frame->Update();
    const wxRect rect = frame->GetScreenRect();
    wxBitmap bitmap(rect.GetSize(), 24);
    {
        wxMemoryDC memory(bitmap);
        wxScreenDC screen;
        memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
    }
    if (bitmap.SaveFile(wxString::FromUTF8(options_.screenshot), wxBITMAP_TYPE_PNG))
        std::fprintf(stderr, "velk-editor: screenshot saved to %s\n", options_.screenshot.c_str());
    else std::fprintf(stderr, "velk-editor: cannot save the screenshot to %s\n", options_.screenshot.c_str());
    // Message boxes still open (the picture shows them), and any that the
    // start-up shows after them, are answered until the window is gone.
    auto quit = std::make_unique<wxTimer>();
    quit->Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* dialog = dynamic_cast<wxDialog*>(window); dialog && dialog->IsModal())
                dialog->EndModal(wxID_CANCEL);
        if (CMainFrame* main = session_ ? session_->GetMainWindow() : nullptr) main->Close();
    });
    quit->Start(kQuitPollMs);
    timers_.push_back(std::move(quit));
    frame->Close();
}
