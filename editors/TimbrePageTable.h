#pragma once
// The Timbre page (CDialogEditPrgTab3) as data: its controls in dialog
// units, its bindings to a timbre's parameters and its dependent rules. One
// page serves both timbres: every binding's parameter is an offset added to
// the timbre's base, 28 for Timbre 1 and 93 for Timbre 2.
//
// The layout uses the Vocoder page's grid (the same three column positions,
// label, trackbar, edit and list places and row pitch), so both pages look
// alike: voice, oscillators and mixer on the left, filter and amplifier
// with their envelopes in the middle, LFOs and virtual patches on the right.

#include <span>

#include "editors/ProgramPageTable.h"
#include "editors/SynthPageRules.h"

namespace timbrepage {

inline constexpr int kTimbre1Base = 28;
inline constexpr int kTimbre2Base = 93;
inline constexpr int kPageWidth = 632;  // dialog units
inline constexpr int kPageHeight = 414;

// Controls the rules and the tests name.
inline constexpr int kVoiceAssignList = 1155;
inline constexpr int kTriggerModeLabel = 1192;
inline constexpr int kTriggerModeList = 1156;
inline constexpr int kUnisonDetuneLabel = 1193;
inline constexpr int kUnisonDetuneSlider = 1157;
inline constexpr int kUnisonDetuneEdit = 1158;
inline constexpr int kTransposeSlider = 1159;
inline constexpr int kTransposeEdit = 1160;
inline constexpr int kOsc1WaveList = 1169;
inline constexpr int kWaveControl1Label = 1138;
inline constexpr int kWaveControl1Slider = 1171;
inline constexpr int kWaveControl1Edit = 1172;
inline constexpr int kWaveControl2Label = 1139;
inline constexpr int kWaveControl2Slider = 1173;
inline constexpr int kWaveControl2Edit = 1174;
inline constexpr int kKarvList = 1191;
inline constexpr int kOsc2WaveList = 1057;
inline constexpr int kFilterEgReset = 1107;
inline constexpr int kAmpEgReset = 1108;
inline constexpr int kDistortionCheck = 1085;
inline constexpr int kFilterEgGraph = 1014;
inline constexpr int kAmpEgGraph = 1013;
inline constexpr int kPanpotSlider = 1081;
inline constexpr int kPanpotEdit = 1082;
inline constexpr int kLfo1WaveList = 1177;
inline constexpr int kLfo1TempoSync = 1179;
inline constexpr int kLfo1FrequencyLabel = 1199;
inline constexpr int kLfo1FrequencySlider = 1180;
inline constexpr int kLfo1FrequencyEdit = 1181;
inline constexpr int kLfo1SyncNoteList = 1031;
inline constexpr int kLfo2WaveList = 1182;
inline constexpr int kLfo2TempoSync = 1184;
inline constexpr int kLfo2FrequencyLabel = 1200;
inline constexpr int kLfo2FrequencySlider = 1185;
inline constexpr int kLfo2FrequencyEdit = 1186;
inline constexpr int kLfo2SyncNoteList = 1032;

// The envelope edits: attack, decay, sustain, release.
extern const int kFilterEgEdits[4];
extern const int kAmpEgEdits[4];
// Virtual patch n at index n - 1.
extern const int kPatchSourceLists[4];
extern const int kPatchDestinationLists[4];
extern const int kPatchIntensitySliders[4];
extern const int kPatchIntensityEdits[4];

extern const synthpage::VoiceAssignIds kVoiceAssignIds;
extern const synthpage::Osc1WaveIds kOsc1WaveIds;
extern const synthpage::LfoSyncIds kLfo1SyncIds;
extern const synthpage::LfoSyncIds kLfo2SyncIds;

std::span<const PageControl> Layout();
// In the order the page sets them up; `param` is the timbre offset.
std::span<const PageBinding> Bindings();

}  // namespace timbrepage
