#include "editors/ArpeggioPageTables.h"

#include "device/MDevProgramParamId.h"

namespace arpeggio_page {
namespace {

using K = PageControlKind;
using B = PageBindingKind;
namespace Id = MDevProgramParamId;

constexpr const char* kTypes[] = {"Up", "Down", "Alternate1", "Alternate2", "Random", "Trigger"};
constexpr const char* kResolutions[] = {"1/24", "1/16", "1/12", "1/8", "1/6", "1/4"};
constexpr const char* kRanges[] = {"1 Octave", "2 Octave", "3 Octave", "4 Octave"};
constexpr const char* kTargets[] = {"Both", "Timbre1", "Timbre2"};
constexpr const char* kLastSteps[] = {"1", "2", "3", "4", "5", "6", "7", "8"};

// Wider than the dialog template where GTK needs it: the edits take "-100"
// (24, not 22), the Type list "Alternate1" (55, not 49), the Range list
// "1 Octave" (50) and the label "Target Timbre" its text (50, not 45).
// clang-format off
constexpr PageControl kLayout[] = {
    {kNoControlId, K::Label, "Tempo", 8, 9, 45, 12},
    {kTempoSlider, K::Slider, "", 59, 9, 89, 17},
    {kTempoEdit, K::Edit, "", 149, 10, 24, 14},
    {kNoControlId, K::Label, "Arpeggiator", 8, 28, 45, 12},
    {kOnOff, K::TwoStateButton, "", 63, 28, 21, 14},
    {kLatch, K::CheckBox, "Latch", 117, 28, 51, 12},
    {kNoControlId, K::Label, "Type", 8, 44, 45, 12},
    {kType, K::Choice, "", 63, 44, 55, 91, kTypes},
    {kNoControlId, K::Label, "Resolution", 8, 60, 45, 12},
    {kResolution, K::Choice, "", 63, 60, 49, 93, kResolutions},
    {kKeySync, K::CheckBox, "Key Sync", 117, 61, 51, 12},
    {kNoControlId, K::Label, "Range", 8, 76, 45, 12},
    {kRange, K::Choice, "", 63, 76, 50, 73, kRanges},
    {kNoControlId, K::Label, "Gate", 8, 94, 45, 12},
    {kGateSlider, K::Slider, "", 59, 94, 89, 17},
    {kGateEdit, K::Edit, "", 149, 95, 24, 14},
    {kNoControlId, K::Label, "Swing", 8, 112, 45, 12},
    {kSwingSlider, K::Slider, "", 59, 112, 89, 17},
    {kSwingEdit, K::Edit, "", 149, 113, 24, 14},
    {kTargetTimbreLabel, K::Label, "Target Timbre", 8, 132, 50, 12},
    {kTargetTimbre, K::Choice, "", 63, 132, 49, 133, kTargets},
    {kNoControlId, K::GroupBox, "Step Arpeggiator", 3, 156, 243, 48},
    {kNoControlId, K::Label, "Last Step", 8, 167, 36, 12},
    {kLastStep, K::Choice, "", 63, 167, 35, 249, kLastSteps},
    {kNoControlId, K::Label, "Step Key", 8, 183, 36, 12},
    {kFirstStep + 0, K::TwoStateButton, "", 63, 183, 21, 14},
    {kFirstStep + 1, K::TwoStateButton, "", 85, 183, 21, 14},
    {kFirstStep + 2, K::TwoStateButton, "", 107, 183, 21, 14},
    {kFirstStep + 3, K::TwoStateButton, "", 129, 183, 21, 14},
    {kFirstStep + 4, K::TwoStateButton, "", 151, 183, 21, 14},
    {kFirstStep + 5, K::TwoStateButton, "", 173, 183, 21, 14},
    {kFirstStep + 6, K::TwoStateButton, "", 195, 183, 21, 14},
    {kFirstStep + 7, K::TwoStateButton, "", 217, 183, 21, 14},
};
// clang-format on

// In the order the page sets them up.
// clang-format off
constexpr PageBinding kBindings[] = {
    {B::SliderPair, kTempoSlider, kTempoEdit, Id::kArpTempo, 20, 300, 0},
    {B::OnOffButton, kOnOff, kNoControlId, Id::kArpOnOff},
    {B::Check, kLatch, kNoControlId, Id::kArpLatch},
    {B::Choice, kType, kNoControlId, Id::kArpType},
    {B::Choice, kResolution, kNoControlId, Id::kArpResolution},
    {B::Check, kKeySync, kNoControlId, Id::kArpKeySync},
    {B::Choice, kRange, kNoControlId, Id::kArpRange},
    {B::SliderPair, kGateSlider, kGateEdit, Id::kArpGateTime, 0, 100, 0},
    {B::SliderPair, kSwingSlider, kSwingEdit, Id::kArpSwing, -100, 100, 0},
    {B::Choice, kTargetTimbre, kNoControlId, Id::kArpTarget},
    {B::Choice, kLastStep, kNoControlId, Id::kArpTriggerLength},
    {B::StepButtons, kFirstStep, kNoControlId, Id::kArpTriggerPattern, 0, kStepCount - 1},
};
// clang-format on

constexpr int kTargetTimbreControls[] = {kTargetTimbreLabel, kTargetTimbre};

}  // namespace

std::span<const PageControl> LayoutTable() { return kLayout; }
std::span<const PageBinding> BindingTable() { return kBindings; }

ControlChanges TargetTimbreChanges(int voiceMode) {
    ControlChanges changes;
    AddEnable(changes, kTargetTimbreControls, voiceMode == Id::kVoiceModeLayer);
    return changes;
}

ControlChanges StepButtonChanges(int lastStepSelection) {
    ControlChanges changes;
    for (int step = 1; step < kStepCount; ++step)
        changes.push_back({kFirstStep + step, ControlChange::Enable, step <= lastStepSelection});
    return changes;
}

}  // namespace arpeggio_page
