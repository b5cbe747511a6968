#pragma once
// The confirmation asked before anything is written to the synthesizer
// ("Write to Device ..."): the caption line and, when there is a slot to
// choose, the target slot with a spin. The caller runs it modally and acts
// on OK, after which the chosen slot is in the target.

#include <string>

#include <wx/dialog.h>

#include "uiservices/CDialogOverwriteModel.h"

class MDevDesc;
class wxSpinButton;
class wxSpinEvent;
class wxStaticText;

class CDialogOverwrite final : public wxDialog {
public:
    static constexpr int kIdCaption = 1002;
    static constexpr int kIdTargetNumber = 1003;
    static constexpr int kIdTargetSpin = 1004;
    static constexpr int kIdTargetLabel = 1005;

    // `target` and `device` may be null; `targetKind` 0 global, 1 program.
    CDialogOverwrite(const std::string& caption, int* target, const MDevDesc* device, int targetKind,
                     wxWindow* parent);

    const CDialogOverwriteModel& GetModel() const { return model_; }

private:
    void OnDeltaPosTarget(wxSpinEvent& event);
    void OnOK(wxCommandEvent& event);
    void ShowTarget();

    CDialogOverwriteModel model_;
    wxStaticText* number_ = nullptr;
    wxSpinButton* spin_ = nullptr;
};
