#include "editors/EffectPageTables.h"

namespace effect_page {
namespace {

using K = PageControlKind;
using B = PageBindingKind;

constexpr const char* kModTypes[] = {"Chorus/Flanger", "Ensemble", "Phaser"};
constexpr const char* kDelayTypes[] = {"Stereo Delay", "Chorus Delay", "L/R Delay"};
constexpr const char* kSyncNotes[] = {"1/32", "1/24", "1/16", "1/12", "3/32", "1/8", "1/6", "3/16",
                                      "1/4",  "1/3",  "3/8",  "1/2",  "2/3",  "3/4", "1/1"};
constexpr const char* kHighFreqs[] = {"1.00KHz", "1.25KHz", "1.50KHz", "1.75KHz", "2.00KHz", "2.25KHz",
                                      "2.50KHz", "2.75KHz", "3.00KHz", "3.25KHz", "3.50KHz", "3.75KHz",
                                      "4.00KHz", "4.25KHz", "4.50KHz", "4.75KHz", "5.00KHz", "5.25KHz",
                                      "5.50KHz", "5.75KHz", "6.00KHz", "7.00KHz", "8.00KHz", "9.00KHz",
                                      "10.0KHz", "11.0KHz", "12.0KHz", "14.0KHz", "16.0KHz", "18.0KHz"};
constexpr const char* kLowFreqs[] = {"40Hz",  "50Hz",  "60Hz",  "80Hz",  "100Hz", "120Hz", "140Hz", "160Hz",
                                     "180Hz", "200Hz", "220Hz", "240Hz", "260Hz", "280Hz", "300Hz", "320Hz",
                                     "340Hz", "360Hz", "380Hz", "400Hz", "420Hz", "440Hz", "460Hz", "480Hz",
                                     "500Hz", "600Hz", "700Hz", "800Hz", "900Hz", "1000Hz"};

// clang-format off
constexpr PageControl kLayout[] = {
    {kNoControlId, K::GroupBox, "MOD FX", 3, 7, 166, 72},
    {kNoControlId, K::Label, "Type", 7, 18, 45, 12},
    {kModType, K::Choice, "", 57, 18, 81, 83, kModTypes},
    {kNoControlId, K::Label, "LFO Speed", 7, 37, 45, 12},
    {kLfoSpeedSlider, K::Slider, "", 53, 37, 89, 17},
    {kLfoSpeedEdit, K::Edit, "", 143, 37, 22, 14},
    {kNoControlId, K::Label, "Effect Depth", 7, 58, 45, 12},
    {kDepthSlider, K::Slider, "", 53, 58, 89, 17},
    {kDepthEdit, K::Edit, "", 143, 58, 22, 14},
    {kNoControlId, K::GroupBox, "DELAY", 3, 87, 166, 89},
    {kNoControlId, K::Label, "Type", 7, 98, 45, 12},
    {kDelayType, K::Choice, "", 57, 98, 81, 78, kDelayTypes},
    {kTempoSync, K::CheckBox, "Tempo Sync", 57, 115, 76, 15},
    {kSyncNoteLabel, K::Label, "Sync Note", 7, 132, 45, 12},
    {kSyncNote, K::Choice, "", 57, 132, 53, 217, kSyncNotes},
    {kDelayTimeLabel, K::LabelTop, "Delay Time", 7, 135, 45, 12},
    {kDelayTimeSlider, K::Slider, "", 53, 132, 89, 17},
    {kDelayTimeEdit, K::Edit, "", 143, 132, 22, 14},
    {kNoControlId, K::Label, "Delay Depth", 7, 153, 45, 12},
    {kDelayDepthSlider, K::Slider, "", 53, 153, 89, 17},
    {kDelayDepthEdit, K::Edit, "", 143, 153, 22, 14},
    // clang-format on
    // The frequency lists are 48 wide (not 40) so GTK shows "18.0KHz" whole;
    // the Low and High columns widen with them.
    // clang-format off
    {kNoControlId, K::GroupBox, "EQ", 173, 7, 154, 169},
    {kNoControlId, K::GroupBox, "Low", 216, 17, 52, 153},
    {kNoControlId, K::GroupBox, "High", 272, 17, 52, 153},
    {kNoControlId, K::LabelTop, "Frequency", 178, 26, 36, 12},
    {kLowFreqKnob, K::Knob, "", 231, 28, 22, 26},
    {kLowFreqList, K::Choice, "", 218, 54, 48, 406, kLowFreqs},
    {kHighFreqKnob, K::Knob, "", 287, 28, 22, 26},
    {kHighFreqList, K::Choice, "", 274, 54, 48, 406, kHighFreqs},
    {kNoControlId, K::LabelTop, "Gain", 178, 79, 35, 14},
    {kLowGainSlider, K::VSlider, "", 233, 77, 19, 71},
    {kLowGainEdit, K::Edit, "", 231, 150, 22, 14},
    {kHighGainSlider, K::VSlider, "", 289, 77, 19, 71},
    {kHighGainEdit, K::Edit, "", 287, 150, 22, 14},
    // clang-format on
};

// In the order the page sets them up.
// clang-format off
constexpr PageBinding kBindings[] = {
    {B::Choice, kModType, kNoControlId, 12},
    {B::SliderPair, kLfoSpeedSlider, kLfoSpeedEdit, 10, 0, 127, 0},
    {B::SliderPair, kDepthSlider, kDepthEdit, 11, 0, 127, 0},
    {B::Choice, kDelayType, kNoControlId, 9},
    {B::Check, kTempoSync, kNoControlId, 5},
    {B::Choice, kSyncNote, kNoControlId, 6},
    {B::SliderPair, kDelayTimeSlider, kDelayTimeEdit, 7, 0, 127, 0},
    {B::SliderPair, kDelayDepthSlider, kDelayDepthEdit, 8, 0, 127, 0},
    {B::DialChoice, kHighFreqKnob, kHighFreqList, 13, 0, 29, 0},
    {B::DialChoice, kLowFreqKnob, kLowFreqList, 15, 0, 29, 0},
    // clang-format on
    // Vertical, +12 at the top: stored = shown + 64.
    {B::SliderPair, kHighGainSlider, kHighGainEdit, 14, 12, -12, 64},
    {B::SliderPair, kLowGainSlider, kLowGainEdit, 16, 12, -12, 64},
};

constexpr int kDelayTimeRow[] = {kDelayTimeLabel, kDelayTimeSlider, kDelayTimeEdit};
constexpr int kSyncNoteRow[] = {kSyncNoteLabel, kSyncNote};

}  // namespace

std::span<const PageControl> LayoutTable() { return kLayout; }
std::span<const PageBinding> BindingTable() { return kBindings; }

ControlChanges TempoSyncChanges(bool checked) {
    ControlChanges changes;
    AddShow(changes, checked ? std::span<const int>(kDelayTimeRow) : kSyncNoteRow, false);
    AddShow(changes, checked ? std::span<const int>(kSyncNoteRow) : kDelayTimeRow, true);
    return changes;
}

}  // namespace effect_page
