#pragma once
// The Vocoder page (CDialogEditPrgTab5) as data: its controls in dialog
// units, its bindings to the vocoder part's parameters (base 158, program
// parameters 158-241) and its dependent rules.

#include <span>

#include "editors/ProgramPageTable.h"
#include "editors/SynthPageRules.h"

namespace vocoderpage {

inline constexpr int kParamBase = 158;
inline constexpr int kPageWidth = 632;  // dialog units
inline constexpr int kPageHeight = 456;

// Controls the rules and the tests name.
inline constexpr int kVoiceAssignList = 1102;
inline constexpr int kTriggerModeLabel = 1177;
inline constexpr int kTriggerModeList = 1018;
inline constexpr int kUnisonDetuneLabel = 1176;
inline constexpr int kUnisonDetuneSlider = 1103;
inline constexpr int kUnisonDetuneEdit = 1104;
inline constexpr int kOsc1WaveList = 1053;
inline constexpr int kWaveControl1Label = 1155;
inline constexpr int kWaveControl1Slider = 1037;
inline constexpr int kWaveControl1Edit = 1051;
inline constexpr int kWaveControl2Label = 1156;
inline constexpr int kWaveControl2Slider = 1038;
inline constexpr int kWaveControl2Edit = 1052;
inline constexpr int kKarvList = 1157;
inline constexpr int kFormantShiftList = 1119;
inline constexpr int kFcModSourceList = 1020;
inline constexpr int kEfSenseSlider = 1079;
inline constexpr int kEfSenseEdit = 1080;
inline constexpr int kAmpEgGraph = 1134;
inline constexpr int kLfo1TempoSync = 1065;
inline constexpr int kLfo1FrequencyLabel = 1201;
inline constexpr int kLfo1FrequencySlider = 1044;
inline constexpr int kLfo1FrequencyEdit = 1062;
inline constexpr int kLfo1SyncNoteList = 1094;
inline constexpr int kLfo2TempoSync = 1070;
inline constexpr int kLfo2FrequencyLabel = 1202;
inline constexpr int kLfo2FrequencySlider = 1066;
inline constexpr int kLfo2FrequencyEdit = 1067;
inline constexpr int kLfo2SyncNoteList = 1095;
inline constexpr int kHoldLevelGroup = 1178;
inline constexpr int kDistortionCheck = 1087;
inline constexpr int kEgResetCheck = 1109;

// The eight channels of the synthesis filter, channel n at index n - 1.
extern const int kChannelLevelSliders[8];
extern const int kChannelLevelEdits[8];
extern const int kChannelPanKnobs[8];
extern const int kChannelPanEdits[8];
// The sixteen hold levels, level n at index n - 1.
extern const int kHoldLevelLabels[16];
extern const int kHoldLevelSliders[16];
extern const int kHoldLevelEdits[16];
// Characters a hold-level edit takes (six hexadecimal digits).
inline constexpr int kHoldLevelEditLimit = 6;

extern const synthpage::VoiceAssignIds kVoiceAssignIds;
extern const synthpage::Osc1WaveIds kOsc1WaveIds;
extern const synthpage::LfoSyncIds kLfo1SyncIds;
extern const synthpage::LfoSyncIds kLfo2SyncIds;

std::span<const PageControl> Layout();
// In the order the page sets them up.
std::span<const PageBinding> Bindings();

// The shown E.F Sense value that makes the hold levels editable ("Hold").
inline constexpr int kEfSenseHold = 127;
// Enables the hold-level group box, its 16 number labels, trackbars and
// edits (49 controls) when E.F Sense shows "Hold", else disables them.
ControlChanges HoldLevelChanges(int efSenseShown);

}  // namespace vocoderpage
