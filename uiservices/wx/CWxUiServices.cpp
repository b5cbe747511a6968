#include "uiservices/wx/CWxUiServices.h"

#include <algorithm>
#include <cstdio>
#include <thread>
#include <utility>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/msgdlg.h>
#include <wx/timer.h>
#include <wx/toplevel.h>

#include "uiservices/wx/CDialogAnimate.h"
#include "uiservices/wx/CDialogOverwrite.h"

namespace {

long IconStyle(VelkIcon icon) {
    switch (icon) {
    case VelkIcon::kInformation: return wxICON_INFORMATION;
    case VelkIcon::kWarning: return wxICON_WARNING;
    case VelkIcon::kError: return wxICON_ERROR;
    case VelkIcon::kQuestion: return wxICON_QUESTION;
    case VelkIcon::kNone: break;
    }
    return wxICON_NONE;
}

class CWxTimer final : public VelkTimer {
public:
    explicit CWxTimer(std::function<void()> onFire) : onFire_(std::move(onFire)) {
        timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { onFire_(); });
    }
    // A running timer is restarted from now.
    void Start(std::chrono::milliseconds delay) override {
        timer_.StartOnce(static_cast<int>(delay.count()));
    }
    void Stop() override { timer_.Stop(); }
    bool IsRunning() const override { return timer_.IsRunning(); }

private:
    std::function<void()> onFire_;
    wxTimer timer_;  // destroyed first: no event reaches a handler that is gone
};

}  // namespace

CWxUiServices::CWxUiServices(std::function<wxWindow*()> mainWindow, Boxes boxes)
    : mainWindow_(std::move(mainWindow)), boxes_(boxes) {}

CWxUiServices::~CWxUiServices() = default;

wxDialog* CWxUiServices::InnermostModal() {
    wxDialog* modal = nullptr;
    for (wxWindow* window : wxTopLevelWindows) {
        auto* dialog = dynamic_cast<wxDialog*>(window);
        if (dialog != nullptr && dialog->IsModal() && dialog->IsShown()) modal = dialog;
    }
    return modal;
}

wxWindow* CWxUiServices::BoxParent() const {
    if (wxDialog* modal = InnermostModal()) return modal;
    return mainWindow_ ? mainWindow_() : nullptr;
}

// ---------------------------------------------------------------- boxes

int CWxUiServices::RunBox(const std::string& text, const std::string& caption, long style) {
    wxMessageDialog box(BoxParent(), wxString::FromUTF8(text), wxString::FromUTF8(caption), style);
    return box.ShowModal();
}

void CWxUiServices::ShowMessage(const std::string& text, const std::string& caption, VelkIcon icon) {
    if (boxes_ == Boxes::kOnStandardError) {
        std::fprintf(stderr, "velk-editor: %s\n", text.c_str());
        return;
    }
    RunBox(text, caption, wxOK | IconStyle(icon));
}

VelkAnswer CWxUiServices::AskYesNo(const std::string& text, const std::string& caption, VelkIcon icon) {
    if (boxes_ == Boxes::kOnStandardError) {
        std::fprintf(stderr, "velk-editor: %s (answered No)\n", text.c_str());
        return VelkAnswer::kNo;
    }
    return RunBox(text, caption, wxYES_NO | IconStyle(icon)) == wxID_YES ? VelkAnswer::kYes : VelkAnswer::kNo;
}

VelkAnswer CWxUiServices::AskYesNoCancel(const std::string& text, const std::string& caption, VelkIcon icon) {
    if (boxes_ == Boxes::kOnStandardError) {
        std::fprintf(stderr, "velk-editor: %s (answered Cancel)\n", text.c_str());
        return VelkAnswer::kCancel;
    }
    switch (RunBox(text, caption, wxYES_NO | wxCANCEL | IconStyle(icon))) {
    case wxID_YES: return VelkAnswer::kYes;
    case wxID_NO: return VelkAnswer::kNo;
    default: return VelkAnswer::kCancel;
    }
}

bool CWxUiServices::ConfirmWrite(const std::string& caption, int* target, const MDevDesc* device,
                                 int targetKind) {
    CDialogOverwrite dialog(caption, target, device, targetKind, BoxParent());
    return dialog.ShowModal() == wxID_OK;
}

void CWxUiServices::ShowProgress(const std::string& caption) {
    if (!progress_) progress_ = std::make_unique<CDialogAnimate>(BoxParent());
    progress_->Show(caption);
}

void CWxUiServices::CloseProgress() {
    if (progress_) progress_->Close();
    progress_.reset();
}

wxDialog* CWxUiServices::GetProgressBox() const { return progress_ ? progress_->GetDialog() : nullptr; }

// ---------------------------------------------------------------- event loop

std::unique_ptr<VelkTimer> CWxUiServices::CreateTimer(std::function<void()> onFire) {
    return std::make_unique<CWxTimer>(std::move(onFire));
}

void CWxUiServices::Post(Task task) {
    // wx queues it thread-safely and wakes the loop.
    if (wxTheApp) wxTheApp->CallAfter(std::move(task));
}

void CWxUiServices::PumpFor(std::chrono::milliseconds budget) {
    // A wait can run before the main loop does (while the application
    // starts): then a loop is made for the pass.
    wxEventLoopGuarantor ensureLoop;
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    auto now = Now();
    const auto deadline = now + budget;
    // At least one round, also when the thread got the processor back only
    // after the pass's time was over (a loaded machine): a pass that
    // dispatched nothing would leave the queued calls to the next pass, or,
    // in the last pass, to nobody.
    do {
        const auto left = std::max(std::chrono::ceil<std::chrono::milliseconds>(deadline - now),
                                   std::chrono::milliseconds(0));
        // Blocks until something happens (an event, a timer, a task posted
        // from any thread, which wakes the loop) or the pass is over. What it
        // returns is no reason to stop pumping: GTK's iteration reports the
        // loop as ending whenever no main loop runs (before the application's
        // starts) or the innermost one is about to be left, as it is after
        // any modal dialog until the handler that showed it returns (wx ends
        // the enclosing loop too and runs it again afterwards). The next call
        // blocks all the same, so posted tasks keep running as they come.
        if (loop) loop->DispatchTimeout(static_cast<unsigned long>(left.count()));
        else SleepFor(left);
        // DispatchTimeout runs one source at most; a yield runs the rest that
        // is ready (GTK's drawing among it: without it a box shown just
        // before the wait stays unpainted), wx's pending events (CallAfter,
        // queued thread events) and idle time. Not from inside a yield: a
        // wait started by an event that a yield dispatched only waits.
        if (loop && !loop->IsYielding()) loop->YieldFor(wxEVT_CATEGORY_ALL);
        now = Now();
    } while (now < deadline);
}

// ---------------------------------------------------------------- clock

VelkUiServices::time_point CWxUiServices::Now() const { return std::chrono::steady_clock::now(); }

void CWxUiServices::SleepFor(std::chrono::milliseconds span) {
    if (span.count() > 0) std::this_thread::sleep_for(span);
}
