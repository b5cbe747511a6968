#pragma once
// The Effect page (CDialogEditPrgTab1) as data: the modulation effect, the
// delay and the two-band equaliser, program parameters 5-16. Its parameter
// base is 0: every binding's param is the program parameter id.

#include <span>

#include "editors/ProgramPageTable.h"

namespace effect_page {

inline constexpr int kWidthDlu = 332;
inline constexpr int kHeightDlu = 186;

// Control ids.
inline constexpr int kModType = 1016;
inline constexpr int kLfoSpeedSlider = 1017;
inline constexpr int kLfoSpeedEdit = 1019;
inline constexpr int kDepthSlider = 1018;
inline constexpr int kDepthEdit = 1020;
inline constexpr int kDelayType = 1021;
inline constexpr int kTempoSync = 1026;
inline constexpr int kDelayTimeLabel = 1028;
inline constexpr int kDelayTimeSlider = 1022;
inline constexpr int kDelayTimeEdit = 1024;
inline constexpr int kSyncNoteLabel = 1027;
inline constexpr int kSyncNote = 1029;
inline constexpr int kDelayDepthSlider = 1023;
inline constexpr int kDelayDepthEdit = 1025;
inline constexpr int kHighFreqKnob = 1013;
inline constexpr int kHighFreqList = 1129;
inline constexpr int kLowFreqKnob = 1011;
inline constexpr int kLowFreqList = 1128;
inline constexpr int kHighGainSlider = 1034;
inline constexpr int kHighGainEdit = 1036;
inline constexpr int kLowGainSlider = 1030;
inline constexpr int kLowGainEdit = 1035;

std::span<const PageControl> LayoutTable();
std::span<const PageBinding> BindingTable();

// Tempo Sync checked: the Sync Note label and list in the Delay Time row;
// not checked: the Delay Time label, trackbar and edit. Hides before it
// shows.
ControlChanges TempoSyncChanges(bool checked);

}  // namespace effect_page
