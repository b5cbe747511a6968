#pragma once
// The Arpeggio page (CDialogEditPrgTab2) as data: the step arpeggiator
// (program parameters 0 and 1) and the arpeggiator (17-26). Parameter base
// 0: every binding's param is the program parameter id.

#include <span>

#include "editors/ProgramPageTable.h"

namespace arpeggio_page {

inline constexpr int kWidthDlu = 261;
inline constexpr int kHeightDlu = 218;

// Control ids.
inline constexpr int kTempoSlider = 1031;
inline constexpr int kTempoEdit = 1045;
inline constexpr int kOnOff = 1032;
inline constexpr int kLatch = 1033;
inline constexpr int kType = 1046;
inline constexpr int kResolution = 1017;
inline constexpr int kKeySync = 1034;
inline constexpr int kRange = 1018;
inline constexpr int kGateSlider = 1035;
inline constexpr int kGateEdit = 1020;
inline constexpr int kSwingSlider = 1036;
inline constexpr int kSwingEdit = 1021;
inline constexpr int kTargetTimbreLabel = 1194;
inline constexpr int kTargetTimbre = 1022;
inline constexpr int kLastStep = 1023;
inline constexpr int kFirstStep = 1037;  // steps 1-8: 1037-1044
inline constexpr int kStepCount = 8;

std::span<const PageControl> LayoutTable();
std::span<const PageBinding> BindingTable();

// The "Target Timbre" label and list are enabled only in voice mode 2
// (Layer).
ControlChanges TargetTimbreChanges(int voiceMode);
// Last Step selection a: step buttons 2 to a + 1 enabled, the others from 2
// on disabled; step 1 is never touched. No selection (-1) or 0: only step 1.
ControlChanges StepButtonChanges(int lastStepSelection);

}  // namespace arpeggio_page
