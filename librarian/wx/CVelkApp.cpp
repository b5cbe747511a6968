#include "librarian/wx/CVelkApp.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <wx/dcmemory.h>
#include <wx/dialog.h>
#include <wx/dcscreen.h>
#include <wx/filename.h>
#include <wx/snglinst.h>
#include <wx/stdpaths.h>
#include <wx/timer.h>
#include <wx/utils.h>

#include "device/MDevConfig.h"
#include "librarian/CVelkDoc.h"
#include "librarian/wx/CVelkSession.h"
#include "platform/ipc/InstanceChannel.h"
#include "resources/VelkStrings.h"

namespace {

VelkOptions gOptions;
CVelkApp::OpenerFactory gOpenerFactory;
const auto gStart = std::chrono::steady_clock::now();

// How long a second start waits for the first one's acknowledgement.
constexpr std::chrono::milliseconds kRaiseTimeout{2000};
// The window is drawn a moment after the detection ends; the picture waits.
constexpr int kScreenshotDelayMs = 500;
// A start-up that stops at a message box (no device on a real sequencer)
// is pictured as it is after this long, so a run without a display ends.
constexpr int kScreenshotDeadlineMs = 10000;
constexpr int kQuitPollMs = 100;

std::string RuntimeSocketPath() { return velkipc::InstanceSocketPath(std::getenv("XDG_RUNTIME_DIR")); }

long MillisecondsSinceStart() {
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                 std::chrono::steady_clock::now() - gStart)
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

    instance_ = std::make_unique<wxSingleInstanceChecker>();
    if (!instance_->Create("velk-editor-" + wxGetUserId())) {
        exitCode_ = 1;
        return true;
    }
    if (instance_->IsAnotherRunning()) {
        // The first instance may still be starting (not listening yet): then
        // this start ends without effect.
        if (velkipc::AskToRaise(RuntimeSocketPath(), kRaiseTimeout))
            std::fprintf(stderr, "velk-editor: already running; brought it to the front\n");
        else
            std::fprintf(stderr, "velk-editor: already running (still starting)\n");
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
    // A start after the window is gone finds nobody to raise.
    frame->Bind(wxEVT_DESTROY, [this, frame](wxWindowDestroyEvent& event) {
        event.Skip();
        if (event.GetEventObject() == frame) server_.reset();
    });
    frame->Show();
    OpenInstanceServer();
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
    session_.reset();
    instance_.reset();
    return wxApp::OnExit();
}

void CVelkApp::OpenInstanceServer() {
    const std::string path = RuntimeSocketPath();
    if (path.empty()) {
        std::fprintf(stderr, "velk-editor: no XDG_RUNTIME_DIR, a second start cannot raise this one\n");
        return;
    }
    std::string error;
    // The request arrives on the server's thread; the raising is done on
    // the user-interface thread (the app outlives the server).
    server_ = velkipc::InstanceServer::Open(
        path, [this] { CallAfter([this] { if (session_) session_->BringToFront(); }); }, &error);
    if (!server_) std::fprintf(stderr, "velk-editor: %s\n", error.c_str());
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
    else
        std::fprintf(stderr, "velk-editor: cannot save the screenshot to %s\n",
                     options_.screenshot.c_str());
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
