#include "editors/wx/CDialogEditPrg.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/display.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "controls/wx/CDialogScroller.h"
#include "device/MDevDescProgram.h"
#include "device/MDevProgramParamId.h"
#include "editors/ProgramEditorLayout.h"
#include "editors/wx/CProgramPage.h"
#include "editors/wx/InitialFocus.h"
#include "resources/VelkStrings.h"
#include "uiservices/VelkUiServices.h"

namespace {

// The smallest size the editor opens at, and may be shrunk to.
constexpr int kMinWidth = 640;
constexpr int kMinHeight = 400;

wxString Wx(const std::string& text) { return wxString::FromUTF8(text); }

}  // namespace

int CDialogEditPrg::Run(MDevDesc& device, int number, const std::filesystem::path& path, wxWindow* parent,
                        VelkUiServices& ui) {
    CDialogEditPrg editor(&device, number, path, parent, ui);
    return editor.ShowModal();
}

CDialogEditPrg::CDialogEditPrg(MDevDesc* device, int number, const std::filesystem::path& path,
                               wxWindow* parent, VelkUiServices& ui)
    : wxDialog(parent, wxID_ANY, Wx(velk::text::kProgramEditor), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxRESIZE_BORDER),
      ui_(ui),
      model_(std::make_unique<CDialogEditPrgModel>(device, number, path, ui)) {
    // Enter, Escape and the OK / Cancel commands do nothing.
    SetEscapeId(wxID_NONE);
    SetAffirmativeId(wxID_NONE);
    Bind(
        wxEVT_BUTTON, [](wxCommandEvent&) {}, wxID_OK);
    Bind(
        wxEVT_BUTTON, [](wxCommandEvent&) {}, wxID_CANCEL);
    Bind(wxEVT_CLOSE_WINDOW, &CDialogEditPrg::OnCloseWindow, this);
    Bind(wxEVT_SIZE, &CDialogEditPrg::OnSize, this);

    CreateControls();
    if (model_->HasProgram()) InitEditor(parent);
}

CDialogEditPrg::~CDialogEditPrg() { Finish(); }

void CDialogEditPrg::Finish() { model_->OnDestroy(); }

int CDialogEditPrg::ShowModal() {
    if (!model_->HasProgram()) {
        ui_.ShowMessage(model_->OpenError(), velk::text::kAppTitle, VelkIcon::kError);
        return wxID_CANCEL;
    }
    const int result = wxDialog::ShowModal();
    Finish();
    return result;
}

wxButton* CDialogEditPrg::Button(int id) const { return dynamic_cast<wxButton*>(FindWindow(id)); }

const CDialogEditPrg::PageHost* CDialogEditPrg::ShownHost() const {
    if (shownKind_ == PrgPageKind::None) return nullptr;
    const PageHost& host = hosts_[static_cast<std::size_t>(shownKind_)];
    return host.page ? &host : nullptr;
}

wxWindow* CDialogEditPrg::Page() const {
    const PageHost* host = ShownHost();
    return host ? host->page : nullptr;
}

wxWindow* CDialogEditPrg::PageOf(PrgPageKind kind) const {
    return kind == PrgPageKind::None ? nullptr : hosts_[static_cast<std::size_t>(kind)].page;
}

quendar::CDialogScroller* CDialogEditPrg::ShownScroller() const {
    const PageHost* host = ShownHost();
    return host ? host->scroller.get() : nullptr;
}

void CDialogEditPrg::CreateControls() {
    using prglayout::Kind;
    const auto toPixels = [this](const prglayout::Control& c) {
        const wxPoint at = ConvertDialogToPixels(wxPoint(c.x, c.y));
        const wxSize size = ConvertDialogToPixels(wxSize(c.w, c.h));
        return wxRect(at, size);
    };
    // Every control of the row is centred on the line through the middle of
    // the drop-down, which is the tallest of them.
    const wxRect first = toPixels(prglayout::TopRow().front());
    const int rowCentre = first.y + prglayout::kGtkButtonHeight / 2;
    for (const prglayout::Control& c : prglayout::TopRow()) {
        wxRect rect = toPixels(c);
        wxWindow* window = nullptr;
        switch (c.kind) {
        case Kind::Label: window = new wxStaticText(this, wxID_ANY, Wx(c.text)); break;
        case Kind::Edit:
            name_ = new wxTextCtrl(this, c.id, wxEmptyString);
            window = name_;
            break;
        case Kind::Choice: {
            wxArrayString items;
            for (const char* item : kVoiceModeItems) items.Add(Wx(item));
            voiceMode_ = new wxChoice(this, c.id, wxDefaultPosition, wxDefaultSize, items);
            window = voiceMode_;
            break;
        }
        case Kind::Button: window = new wxButton(this, c.id, Wx(c.text)); break;
        case Kind::Tab: break;
        }
        if (!window) continue;
        rect.height = std::max(rect.height, window->GetBestSize().y);
        if (c.kind == Kind::Label) rect.height = window->GetBestSize().y;
        rect.y = rowCentre - rect.height / 2;
        window->SetSize(rect);
    }
    const prglayout::Control& tab = prglayout::TabControl();
    notebook_ = new wxNotebook(this, tab.id, ConvertDialogToPixels(wxPoint(tab.x, tab.y)),
                               ConvertDialogToPixels(wxSize(tab.w, tab.h)));
    SetClientSize(ConvertDialogToPixels(wxSize(prglayout::kDialogWidth, prglayout::kDialogHeight)));

    notebook_->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, &CDialogEditPrg::OnPageChanged, this);
    name_->Bind(wxEVT_TEXT, &CDialogEditPrg::OnNameText, this);
    voiceMode_->Bind(wxEVT_CHOICE, &CDialogEditPrg::OnVoiceMode, this);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { model_->OnSaveToFile(); }, prglayout::kIdSaveToFile);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { model_->OnWriteToDevice(); }, prglayout::kIdWriteToDevice);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { model_->OnClose(); }, prglayout::kIdClose);
}

void CDialogEditPrg::InitEditor(wxWindow* parent) {
    SetTitle(Wx(model_->Caption()));
    name_->ChangeValue(Wx(model_->ShownName()));
    voiceMode_->SetSelection(model_->VoiceModeItem());
    MeasureNaturalSize();
    model_->Init(*this);
    PlaceInitially(parent);
    laidOut_ = true;
    RecalcLayout();
    FocusFirstControl(*this);
}

void CDialogEditPrg::MeasureNaturalSize() {
    // The Vocoder page is the largest: the window that shows it unscrolled.
    const wxSize page = ProgramPageSize(PrgPageKind::Vocoder, *this);
    const wxSize frame = GetSize() - GetClientSize();
    const wxPoint tab = notebook_->GetPosition();
    const int margin = tab.x;
    const wxSize book = notebook_->CalcSizeFromPage(page);
    natural_ = wxSize(frame.x + book.x + tab.x + margin, frame.y + book.y + tab.y + margin);
}

void CDialogEditPrg::PlaceInitially(wxWindow* parent) {
    const wxRect screen = wxGetClientDisplayRect();
    const int width = std::max(std::min(natural_.x, screen.width), kMinWidth);
    const int height = std::max(std::min(natural_.y, screen.height), kMinHeight);
    const wxRect around = parent ? parent->GetScreenRect() : screen;
    int x = around.x + (around.width - width) / 2;
    int y = around.y + (around.height - height) / 2;
    if (x + width > screen.GetRight() + 1) x = screen.GetRight() + 1 - width;
    if (y + height > screen.GetBottom() + 1) y = screen.GetBottom() + 1 - height;
    x = std::max(x, 0);
    y = std::max(y, 0);
    // GTK's controls are larger than the row's dialog units: the window may
    // not get so narrow that the buttons slide over the voice mode list.
    const int minWidth = std::max(std::min(natural_.x, kMinWidth), RowWidth());
    SetSizeHints(wxSize(minWidth, std::min(natural_.y, kMinHeight)), natural_);
    SetSize(x, y, width, height);
}

int CDialogEditPrg::RowWidth() const {
    const wxButton* save = Button(prglayout::kIdSaveToFile);
    const wxButton* close = Button(prglayout::kIdClose);
    const int gap = ConvertDialogToPixels(wxSize(6, 0)).x;
    const int margin = notebook_->GetPosition().x;
    const int buttons = close->GetRect().GetRight() + 1 - save->GetPosition().x;
    const int frame = GetSize().x - GetClientSize().x;
    return frame + voiceMode_->GetRect().GetRight() + 1 + gap + buttons + margin;
}

void CDialogEditPrg::OnSize(wxSizeEvent& event) {
    event.Skip();
    if (laidOut_) RecalcLayout();
}

void CDialogEditPrg::RecalcLayout() {
    const wxSize client = GetClientSize();
    const wxRect tab = notebook_->GetRect();
    const int margin = tab.x;
    notebook_->SetSize(tab.x, tab.y, std::max(client.x - margin - tab.x, 0),
                       std::max(client.y - margin - tab.y, 0));
    // Close keeps the margin from the right edge; the other two their
    // distances to it. The name and voice mode stay where they are.
    wxButton* close = Button(prglayout::kIdClose);
    const int shift = client.x - (close->GetRect().GetRight() + 1) - margin;
    for (const int id : {prglayout::kIdClose, prglayout::kIdWriteToDevice, prglayout::kIdSaveToFile}) {
        wxButton* button = Button(id);
        button->Move(button->GetPosition() + wxPoint(shift, 0));
        button->Refresh();
    }
    LayOutPage();
}

void CDialogEditPrg::LayOutPage() {
    quendar::CDialogScroller* scroller = ShownScroller();
    if (!scroller) return;
    const wxSize area = PageArea();
    scroller->SetRect(0, 0, area.x, area.y);
}

wxSize CDialogEditPrg::PageArea() const {
    // From the notebook's own size: GTK gives the tab its size only when it
    // next lays the window out.
    const wxSize chrome = notebook_->CalcSizeFromPage(wxSize(0, 0));
    const wxSize book = notebook_->GetSize();
    return wxSize(std::max(book.x - chrome.x, 1), std::max(book.y - chrome.y, 1));
}

void CDialogEditPrg::OnPageChanged(wxBookCtrlEvent& event) {
    if (rebuildingTabs_) return;
    model_->OnSelChangeTab(event.GetSelection());
}

void CDialogEditPrg::OnNameText(wxCommandEvent&) {
    const std::string typed(name_->GetValue().utf8_str());
    const std::string kept = model_->OnNameChange(typed);
    if (kept != typed) {
        name_->ChangeValue(Wx(kept));
        name_->SetInsertionPointEnd();
    }
}

void CDialogEditPrg::OnVoiceMode(wxCommandEvent&) { model_->OnVoiceModeChange(voiceMode_->GetSelection()); }

void CDialogEditPrg::OnCloseWindow(wxCloseEvent& event) {
    if (!event.CanVeto()) {
        event.Skip();
        return;
    }
    // The editor ends through the Close questions only, and never while a
    // write waits for the synthesizer on the stack below.
    event.Veto();
    if (ui_.TransferGuard().IsRunning()) return;
    model_->OnClose();
}

void CDialogEditPrg::EnableSaveToFile(bool enabled) { Button(prglayout::kIdSaveToFile)->Enable(enabled); }

CDialogEditPrg::PageHost& CDialogEditPrg::HostOf(PrgPageKind kind) {
    PageHost& host = hosts_[static_cast<std::size_t>(kind)];
    if (!host.tab) {
        // It starts at the size GTK will give it later.
        host.tab = new wxPanel(notebook_, wxID_ANY, wxDefaultPosition, PageArea());
        host.scroller = std::make_unique<quendar::CDialogScroller>(*host.tab);
        host.tab->Bind(wxEVT_SIZE, [this, kind](wxSizeEvent& event) {
            event.Skip();
            if (kind == shownKind_) LayOutPage();
        });
    }
    return host;
}

void CDialogEditPrg::BuildPage(PrgPageKind kind) {
    PageHost& host = HostOf(kind);
    ProgramPageParts parts = CreateProgramPage(kind, *host.scroller->Viewport(), *model_->Program());
    if (!parts.window) return;
    host.page = parts.window;
    host.arpeggio = std::move(parts.arpeggio);
    host.scroller->SetPage(host.page);
}

void CDialogEditPrg::NoteShownPage() {
    // The page going out of sight shows what the program holds: every change
    // of the user's went straight into the program.
    if (const PageHost* shown = ShownHost())
        if (auto* page = dynamic_cast<CProgramPage*>(shown->page)) page->NoteShownValues();
}

void CDialogEditPrg::SetTabs(std::span<const PrgTab> tabs, int selected) {
    NoteShownPage();
    rebuildingTabs_ = true;
    // The tab windows stay, with their pages; only the set of tabs changes.
    while (notebook_->GetPageCount() > 0) {
        wxWindow* tab = notebook_->GetPage(0);
        notebook_->RemovePage(0);
        tab->Hide();
    }
    shownKind_ = PrgPageKind::None;
    for (const PrgTab& tab : tabs) {
        PageHost& host = HostOf(tab.kind);
        host.tab->Show();
        notebook_->AddPage(host.tab, Wx(tab.label), false);
    }
    // Every page of the set is built now, so that no tab change has to.
    for (const PrgTab& tab : tabs)
        if (!HostOf(tab.kind).page) BuildPage(tab.kind);
    if (selected >= 0 && static_cast<size_t>(selected) < notebook_->GetPageCount())
        notebook_->ChangeSelection(static_cast<size_t>(selected));
    rebuildingTabs_ = false;
}

void CDialogEditPrg::ShowPage(int index, PrgPageKind kind) {
    if (index < 0 || static_cast<size_t>(index) >= notebook_->GetPageCount() || kind == PrgPageKind::None)
        return;
    NoteShownPage();
    PageHost& host = HostOf(kind);
    if (!host.page) {
        BuildPage(kind);
    } else {
        // Kept while hidden: it shows what the program holds now, as a
        // page built afresh would; the Arpeggio page enables "Target Timbre"
        // by the voice mode, which the top row may have changed meanwhile.
        if (auto* page = dynamic_cast<CProgramPage*>(host.page)) page->ShowProgramValues();
        if (host.arpeggio)
            host.arpeggio->SetVoiceMode(model_->Program()->GetParam(MDevProgramParamId::kVoiceMode));
    }
    if (!host.page) return;
    shownKind_ = kind;
    LayOutPage();
}

void CDialogEditPrg::DestroyPages() {
    shownKind_ = PrgPageKind::None;
    for (PageHost& host : hosts_) {
        host.arpeggio.reset();
        if (host.page) host.page->Destroy();
        host.page = nullptr;
    }
}

ArpeggioDisplay* CDialogEditPrg::ShownArpeggioPage() {
    return shownKind_ == PrgPageKind::Arpeggio ? hosts_[static_cast<std::size_t>(shownKind_)].arpeggio.get()
                                               : nullptr;
}

void CDialogEditPrg::EndEditor(EditorEnd end) {
    const int result = end == EditorEnd::kOk ? wxID_OK : wxID_CANCEL;
    SetReturnCode(result);
    EndDialog(result);
}
