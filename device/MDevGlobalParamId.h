#pragma once
// Parameter ids of the global settings, 0-64.

namespace MDevGlobalParamId {
inline constexpr int kMasterTune = 0;
inline constexpr int kMasterTranspose = 1;
inline constexpr int kTransposePosition = 2;
inline constexpr int kVelocityCurve = 3;
// Derived from the velocity curve (8 for a curve 1-127, else 2); on no page.
inline constexpr int kVelocityCurveMode = 4;
inline constexpr int kLocal = 5;
inline constexpr int kWriteProtect = 6;
inline constexpr int kMidiClockSource = 7;
inline constexpr int kGlobalMidiChannel = 8;
inline constexpr int kSyncControl = 9;
inline constexpr int kTimbreSelect = 10;
inline constexpr int kFilterSystemExclusive = 11;
inline constexpr int kFilterPitchBend = 12;
inline constexpr int kFilterControlChange = 13;
inline constexpr int kFilterProgramChange = 14;
// Control change map: the control change number of one synth parameter
// each, -1 for off.
inline constexpr int kControlChangeMapFirst = 15;
inline constexpr int kControlChangeMapLast = 55;
inline constexpr int kSpeaker = 56;
// Favorite #1 to Favorite #8: program indices.
inline constexpr int kFavoriteFirst = 57;
inline constexpr int kFavoriteLast = 64;

inline constexpr int kCount = 65;
}  // namespace MDevGlobalParamId
