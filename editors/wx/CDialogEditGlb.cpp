#include "editors/wx/CDialogEditGlb.h"

#include <algorithm>
#include <vector>

#include <wx/button.h>
#include <wx/display.h>
#include <wx/notebook.h>
#include <wx/panel.h>

#include "controls/wx/C2StateButton.h"
#include "device/MDevDesc.h"
#include "editors/wx/CDialogEditGlbTabs.h"
#include "editors/wx/InitialFocus.h"
#include "resources/VelkStrings.h"
#include "uiservices/VelkUiServices.h"

namespace {

// The dialog's size and its top row, in dialog units.
constexpr int kWidthDlu = 488, kHeightDlu = 397;
constexpr int kRowTopDlu = 3, kRowHeightDlu = 14, kButtonGapDlu = 6, kRightDlu = 483;
constexpr int kTabTopDlu = 20;
// The smallest size the editor takes or can be dragged to (when its
// natural size is larger).
constexpr int kMinWidth = 640, kMinHeight = 400;

bool IsEnter(int key) { return key == WXK_RETURN || key == WXK_NUMPAD_ENTER; }

}  // namespace

int CDialogEditGlb::Run(MDevDesc& device, int index, const std::filesystem::path& path, wxWindow* parent,
                        VelkUiServices& ui) {
    CDialogEditGlbModel model(device, index, path, ui);
    if (model.OpenFailed()) {
        model.ReportOpenFailure();
        return wxID_CANCEL;
    }
    CDialogEditGlb editor(std::move(model), parent);
    return editor.ShowModal();
}

CDialogEditGlb::CDialogEditGlb(MDevDesc& device, int index, const std::filesystem::path& path,
                               wxWindow* parent, VelkUiServices& ui)
    : CDialogEditGlb(CDialogEditGlbModel(device, index, path, ui), parent) {}

CDialogEditGlb::CDialogEditGlb(CDialogEditGlbModel model, wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(velk::text::kGlobalEditor), wxDefaultPosition,
               wxDefaultSize, wxCAPTION | wxRESIZE_BORDER),
      model_(std::move(model)),
      ui_(model_.Ui()),
      registration_(model_.Device()) {
    // Escape does nothing, and no button answers Enter: only the buttons
    // and a window-manager close (with its questions) end the editor.
    SetEscapeId(wxID_NONE);
    SetAffirmativeId(wxID_NONE);
    Init();
}

CDialogEditGlb::~CDialogEditGlb() {
    registration_.Unregister();
    if (tabs_ != nullptr) tabs_->Unbind(wxEVT_NOTEBOOK_PAGE_CHANGED, &CDialogEditGlb::OnSelChangeTab, this);
    Unbind(wxEVT_SIZE, &CDialogEditGlb::OnSize, this);
    // The pages and controls go while the scroller and the model still exist.
    DestroyChildren();
}

CProgramPage* CDialogEditGlb::Page(int n) const { return n >= 0 && n < kPageCount ? pages_[n] : nullptr; }

void CDialogEditGlb::Init() {
    const auto dlu = [this](int x, int y) { return ConvertDialogToPixels(wxPoint(x, y)); };
    const int rowTop = dlu(0, kRowTopDlu).y;
    const int rowHeight = dlu(0, kRowHeightDlu).y;
    // The top row from the right: Close, Write to Device, Save to File; each
    // at least as wide as its text needs.
    int right = dlu(kRightDlu, 0).x;
    const auto addButton = [&](int id, const char* text, int widthDlu) {
        auto* button = new wxButton(this, id, wxString::FromUTF8(text));
        const wxSize best = button->GetBestSize();
        const int width = std::max(dlu(widthDlu, 0).x, best.x);
        const int height = std::max(rowHeight, best.y);
        button->SetSize(right - width, rowTop, width, height);
        right -= width + dlu(kButtonGapDlu, 0).x;
        return button;
    };
    close_ = addButton(kIdClose, velk::text::kClose, 40);
    write_ = addButton(kIdWriteToDevice, velk::text::kWriteToDevice, 56);
    save_ = addButton(kIdSaveToFile, velk::text::kSaveToFile, 50);
    // Tab order: Save, Write, Close, the tabs.
    write_->MoveAfterInTabOrder(save_);
    close_->MoveAfterInTabOrder(write_);

    const int tabTop = std::max(dlu(0, kTabTopDlu).y, close_->GetRect().GetBottom() + 3);
    tabs_ = new wxNotebook(this, kIdTab, wxPoint(0, tabTop),
                           wxSize(dlu(kWidthDlu, 0).x, dlu(0, kHeightDlu).y - tabTop));
    SetClientSize(dlu(kWidthDlu, kHeightDlu).x, dlu(kWidthDlu, kHeightDlu).y);

    save_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnSaveToFile(); });
    write_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnWriteToDevice(); });
    close_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnClose(); });
    Bind(wxEVT_CLOSE_WINDOW, &CDialogEditGlb::OnCloseWindow, this);
    Bind(wxEVT_CHAR_HOOK, &CDialogEditGlb::OnCharHook, this);
    Bind(wxEVT_SIZE, &CDialogEditGlb::OnSize, this);
    // An OK command from anywhere (the framework's Enter handling) is
    // swallowed rather than ending the editor unasked.
    Bind(
        wxEVT_BUTTON, [](wxCommandEvent&) {}, wxID_OK);

    save_->Enable(false);
    if (model_.Global() == nullptr) {
        write_->Enable(false);
        FocusFirstControl(*this);
        return;
    }
    SetTitle(wxString::FromUTF8(model_.Caption()));
    // Registered before the pages are made: a page that finds a stored value
    // outside its range stores the end it shows, which is a change.
    registration_.Register(std::make_shared<CEditorNoticeTarget>([this] { OnDevDescUpdatedProgram(); }));
    AddTabs();
    CreatePages();
    tabs_->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, &CDialogEditGlb::OnSelChangeTab, this);

    current_ = 0;
    ShowPage(0);
    PlaceWindow();
    laidOut_ = true;
    RecalcLayout();
    FocusFirstControl(*this);
}

void CDialogEditGlb::AddTabs() {
    // Each tab's window holds its own scroller, whose viewport holds the
    // page: a page is inside the window that the tab control raises when
    // its tab is chosen, so it gets the mouse (a window laid over the tab
    // control from outside would lie under the raised tab window).
    const std::vector<std::string> titles = model_.TabTitles();
    for (std::size_t n = 0; n < titles.size() && n < scrollers_.size(); ++n) {
        auto* host = new wxPanel(tabs_, wxID_ANY, wxDefaultPosition, PageArea());
        scrollers_[n] = std::make_unique<quendar::CDialogScroller>(*host);
        // GTK gives a tab's window its size when it next lays the tab
        // control out: the shown page follows.
        host->Bind(wxEVT_SIZE, [this, n](wxSizeEvent& event) {
            event.Skip();
            if (laidOut_ && static_cast<std::size_t>(current_) == n) LayOutPage();
        });
        tabs_->AddPage(host, wxString::FromUTF8(titles[n]), false);
    }
}

void CDialogEditGlb::CreatePages() {
    MDevDescProgram& global = *model_.Global();
    const auto viewport = [this](int n) { return scrollers_[n]->Viewport(); };
    pages_[CDialogEditGlbModel::kGlobalPage] =
        new CDialogEditGlbTab1(viewport(CDialogEditGlbModel::kGlobalPage), global);
    pages_[CDialogEditGlbModel::kMidiPage] =
        new CDialogEditGlbTab2(viewport(CDialogEditGlbModel::kMidiPage), global);
    pages_[CDialogEditGlbModel::kControlChangePage] =
        new CDialogEditGlbTab3(viewport(CDialogEditGlbModel::kControlChangePage), global);
    if (model_.IsModelS())
        pages_[CDialogEditGlbModel::kFavoritePage] = new CDialogEditGlbTab4(
            viewport(CDialogEditGlbModel::kFavoritePage), global, model_.ProgramCount());
    for (CProgramPage* page : pages_)
        if (page != nullptr) page->Hide();
}

const quendar::CDialogScroller* CDialogEditGlb::ShownScroller() const {
    return Page(current_) != nullptr ? scrollers_[current_].get() : nullptr;
}

wxSize CDialogEditGlb::PageArea() const {
    // From the tab control's own size: GTK sizes a tab's window only when
    // it next lays the tab control out.
    const wxSize chrome = tabs_->CalcSizeFromPage(wxSize(0, 0));
    const wxSize book = tabs_->GetSize();
    return wxSize(std::max(book.x - chrome.x, 1), std::max(book.y - chrome.y, 1));
}

void CDialogEditGlb::LayOutPage() {
    if (Page(current_) == nullptr) return;
    const wxSize area = PageArea();
    scrollers_[current_]->SetRect(0, 0, area.x, area.y);
}

void CDialogEditGlb::ShowPage(int n) {
    for (CProgramPage* page : pages_)
        if (page != nullptr) page->Hide();
    if (Page(n) == nullptr) return;
    scrollers_[n]->SetPage(pages_[n]);
    LayOutPage();
    pages_[n]->Show();
}

void CDialogEditGlb::PlaceWindow() {
    const wxSize nonClient = GetSize() - GetClientSize();
    const wxPoint tab = tabs_->GetPosition();
    const int margin = tab.x;
    const wxSize largest = pages_[CDialogEditGlbModel::kControlChangePage]->GetSize();
    const wxSize framed = tabs_->CalcSizeFromPage(largest);
    natural_ = wxSize(nonClient.x + tab.x + framed.x + margin, nonClient.y + tab.y + framed.y + margin);

    const int displayIndex = wxDisplay::GetFromWindow(GetParent() ? GetParent() : this);
    const wxRect screen =
        wxDisplay(displayIndex == wxNOT_FOUND ? 0u : unsigned(displayIndex)).GetClientArea();
    wxSize size(std::min(natural_.x, screen.width), std::min(natural_.y, screen.height));
    size.IncTo(wxSize(kMinWidth, kMinHeight));

    const wxRect parent = GetParent() ? GetParent()->GetScreenRect() : screen;
    int x = parent.x + (parent.width - size.x) / 2;
    int y = parent.y + (parent.height - size.y) / 2;
    x = std::max(0, std::min(x, screen.GetRight() + 1 - size.x));
    y = std::max(0, std::min(y, screen.GetBottom() + 1 - size.y));
    SetSize(x, y, size.x, size.y);
    SetSizeHints(wxSize(std::min(natural_.x, kMinWidth), std::min(natural_.y, kMinHeight)), natural_);
}

void CDialogEditGlb::RecalcLayout() {
    const wxSize client = GetClientSize();
    const wxPoint tab = tabs_->GetPosition();
    const int margin = tab.x;
    tabs_->SetSize(tab.x, tab.y, std::max(0, client.x - margin - tab.x),
                   std::max(0, client.y - margin - tab.y));
    LayOutPage();
    const int d = client.x - margin - (close_->GetRect().GetRight() + 1);
    for (wxButton* button : {close_, write_, save_}) button->Move(button->GetPosition() + wxPoint(d, 0));
    Refresh();
}

void CDialogEditGlb::OnSize(wxSizeEvent& event) {
    event.Skip();
    if (laidOut_) RecalcLayout();
}

void CDialogEditGlb::OnSelChangeTab(wxBookCtrlEvent& event) {
    event.Skip();
    const int selection = event.GetSelection();
    if (selection == current_ || selection == wxNOT_FOUND) return;
    current_ = selection;
    ShowPage(current_);
}

void CDialogEditGlb::OnDevDescUpdatedProgram() {
    model_.OnDevDescUpdatedProgram();
    save_->Enable(model_.IsSaveEnabled());
}

void CDialogEditGlb::OnSaveToFile() { Act(model_.OnSaveToFile()); }

void CDialogEditGlb::OnWriteToDevice() { Act(model_.OnWriteToDevice()); }

void CDialogEditGlb::OnClose() { Act(model_.OnClose()); }

void CDialogEditGlb::Act(EditorEnd end) {
    save_->Enable(model_.IsSaveEnabled());
    if (end == EditorEnd::kOk) EndEditor(wxID_OK);
    else if (end == EditorEnd::kCancel) EndEditor(wxID_CANCEL);
}

void CDialogEditGlb::EndEditor(int code) {
    endCode_ = code;
    if (IsModal()) {
        EndModal(code);
    } else {
        SetReturnCode(code);
        Hide();
    }
}

void CDialogEditGlb::OnCloseWindow(wxCloseEvent& event) {
    // A close arriving while a write waits would pull the editor away from
    // under its waiting loop: refused.
    const bool busy = ui_.TransferGuard().IsRunning();
    if (busy && event.CanVeto()) {
        event.Veto();
        return;
    }
    if (endCode_ == 0 && !busy) OnClose();
    if (endCode_ == 0) {
        if (event.CanVeto()) event.Veto();
        else EndEditor(wxID_CANCEL);
    }
}

void CDialogEditGlb::OnCharHook(wxKeyEvent& event) {
    // Enter does nothing, except on a button, which it presses.
    if (IsEnter(event.GetKeyCode())) {
        const wxWindow* focus = FindFocus();
        if (dynamic_cast<const wxButton*>(focus) == nullptr &&
            dynamic_cast<const C2StateButton*>(focus) == nullptr)
            return;
    }
    event.Skip();
}
