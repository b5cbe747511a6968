#include "uiservices/wx/CDialogAnimate.h"

#include <wx/activityindicator.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/sizer.h>
#include <wx/toplevel.h>
#include <wx/utils.h>

#include "resources/VelkStrings.h"

namespace {

// The box itself: refuses every way the user has to close it.
class CAnimateBox final : public wxDialog {
public:
    CAnimateBox(wxWindow* parent, const wxString& title)
        : wxDialog(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize, wxCAPTION) {
        SetEscapeId(wxID_NONE);
        Bind(wxEVT_CLOSE_WINDOW, [](wxCloseEvent& event) {
            if (event.CanVeto()) event.Veto();
        });
        Bind(wxEVT_CHAR_HOOK, [](wxKeyEvent& event) {
            if (event.GetKeyCode() != WXK_ESCAPE) event.Skip();
        });
        spinner_ = new wxActivityIndicator(this, CDialogAnimate::kIdAnimation, wxDefaultPosition,
                                           FromDIP(wxSize(48, 48)));
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(spinner_, 0, wxALIGN_CENTER | wxALL, FromDIP(24));
        SetSizerAndFit(sizer);
        wxSize size = GetClientSize();
        size.IncTo(FromDIP(wxSize(240, 0)));
        SetClientSize(size);
        Layout();
    }

    wxActivityIndicator* Spinner() { return spinner_; }

private:
    wxActivityIndicator* spinner_;
};

}  // namespace

CDialogAnimate::CDialogAnimate(wxWindow* parent) : parent_(parent) {}

CDialogAnimate::~CDialogAnimate() { Close(); }

void CDialogAnimate::Show(const std::string& caption) {
    const wxString title = wxString::FromUTF8(caption.empty() ? velk::text::kMidiTransfering : caption);
    if (box_) {
        box_->SetTitle(title);
        return;
    }
    auto* box = new CAnimateBox(parent_, title);
    box_ = box;
    box->CentreOnParent();
    box->Spinner()->Start();
    box->Bind(wxEVT_ICONIZE, &CDialogAnimate::OnIconize, this);
    parentTop_ = parent_ ? dynamic_cast<wxTopLevelWindow*>(wxGetTopLevelParent(parent_)) : nullptr;
    if (parentTop_) parentTop_->Bind(wxEVT_ICONIZE, &CDialogAnimate::OnIconize, this);
    box->Show();
    disabler_ = std::make_unique<wxWindowDisabler>(box);
}

void CDialogAnimate::OnIconize(wxIconizeEvent& event) {
    event.Skip();
    if (!event.IsIconized() || restoring_) return;
    // Once the window manager is done minimising (it does the box and its
    // window one after the other).
    restoring_ = true;
    wxTheApp->CallAfter([this, alive = std::weak_ptr<int>(alive_)] {
        if (!alive.expired()) Restore();
    });
}

void CDialogAnimate::Restore() {
    restoring_ = false;
    if (!box_) return;
    if (parentTop_ && parentTop_->IsIconized()) parentTop_->Iconize(false);
    if (box_->IsIconized()) box_->Iconize(false);
    box_->Raise();
}

void CDialogAnimate::Close() {
    if (!box_) return;
    if (parentTop_) parentTop_->Unbind(wxEVT_ICONIZE, &CDialogAnimate::OnIconize, this);
    parentTop_ = nullptr;
    if (auto* spinner = wxDynamicCast(box_->FindWindow(kIdAnimation), wxActivityIndicator)) spinner->Stop();
    disabler_.reset();
    box_->Hide();
    box_->Destroy();
    box_ = nullptr;
    restoring_ = false;
}
