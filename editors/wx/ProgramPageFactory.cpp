#include "editors/wx/ProgramPageFactory.h"

#include <wx/weakref.h>
#include <wx/window.h>

#include "device/MDevDescProgram.h"
#include "device/MDevProgramParamId.h"
#include "editors/ArpeggioPageTables.h"
#include "editors/EffectPageTables.h"
#include "editors/TimbrePageTable.h"
#include "editors/VocoderPageTable.h"
#include "editors/wx/CDialogEditPrgTab1.h"
#include "editors/wx/CDialogEditPrgTab2.h"
#include "editors/wx/CDialogEditPrgTab3.h"
#include "editors/wx/CDialogEditPrgTab5.h"

namespace {

// The Arpeggio page as the editor's logic sees it; does nothing once the
// page is gone.
class CArpeggioPageDisplay final : public ArpeggioDisplay {
public:
    explicit CArpeggioPageDisplay(CDialogEditPrgTab2* page) : page_(page) {}
    void SetVoiceMode(int v) override { Call(&CDialogEditPrgTab2::SetVoiceMode, v); }
    void ShowArpOnOff(int v) override { Call(&CDialogEditPrgTab2::ShowArpOnOff, v); }
    void ShowLatch(int v) override { Call(&CDialogEditPrgTab2::ShowLatch, v); }
    void ShowType(int v) override { Call(&CDialogEditPrgTab2::ShowType, v); }
    void ShowRange(int v) override { Call(&CDialogEditPrgTab2::ShowRange, v); }
    void ShowGate(int v) override { Call(&CDialogEditPrgTab2::ShowGate, v); }

private:
    void Call(void (CDialogEditPrgTab2::*show)(int), int value) {
        if (CDialogEditPrgTab2* page = page_.get()) (page->*show)(value);
    }
    wxWeakRef<CDialogEditPrgTab2> page_;
};

}  // namespace

ProgramPageParts CreateProgramPage(PrgPageKind kind, wxWindow& parent, MDevDescProgram& program) {
    ProgramPageParts parts;
    switch (kind) {
    case PrgPageKind::Effect: parts.window = new CDialogEditPrgTab1(&parent, program); break;
    case PrgPageKind::Arpeggio: {
        auto* page =
            new CDialogEditPrgTab2(&parent, program, program.GetParam(MDevProgramParamId::kVoiceMode));
        parts.window = page;
        parts.arpeggio = std::make_unique<CArpeggioPageDisplay>(page);
        break;
    }
    case PrgPageKind::Timbre1:
    case PrgPageKind::Timbre2:
        parts.window = new CDialogEditPrgTab3(&parent, program, PageParamBase(kind));
        break;
    case PrgPageKind::Vocoder: parts.window = new CDialogEditPrgTab5(&parent, program); break;
    case PrgPageKind::None: break;
    }
    return parts;
}

wxSize ProgramPageSize(PrgPageKind kind, const wxWindow& window) {
    // The pages size themselves so (CProgramPage).
    switch (kind) {
    case PrgPageKind::Effect:
        return window.ConvertDialogToPixels(wxSize(effect_page::kWidthDlu, effect_page::kHeightDlu));
    case PrgPageKind::Arpeggio:
        return window.ConvertDialogToPixels(wxSize(arpeggio_page::kWidthDlu, arpeggio_page::kHeightDlu));
    case PrgPageKind::Timbre1:
    case PrgPageKind::Timbre2:
        return window.ConvertDialogToPixels(wxSize(timbrepage::kPageWidth, timbrepage::kPageHeight));
    case PrgPageKind::Vocoder:
        return window.ConvertDialogToPixels(wxSize(vocoderpage::kPageWidth, vocoderpage::kPageHeight));
    case PrgPageKind::None: break;
    }
    return wxSize(0, 0);
}
