#pragma once
// Parameter ids of a program: 0-27 common, 28-92 Timbre 1 (t = id - 28),
// 93-157 Timbre 2 (t = id - 93), 158-241 the vocoder part (k = id - 158).

namespace MDevProgramParamId {
inline constexpr int kArpTriggerLength = 0;
inline constexpr int kArpTriggerPattern = 1;
inline constexpr int kVoiceMode = 2;
inline constexpr int kScaleKey = 3;
inline constexpr int kScaleType = 4;
inline constexpr int kDelaySync = 5;
inline constexpr int kDelayTimeBase = 6;
inline constexpr int kDelayTime = 7;
inline constexpr int kDelayDepth = 8;
inline constexpr int kDelayType = 9;
inline constexpr int kModLfoSpeed = 10;
inline constexpr int kModDepth = 11;
inline constexpr int kModType = 12;
inline constexpr int kEqHiFreq = 13;
inline constexpr int kEqHiGain = 14;
inline constexpr int kEqLowFreq = 15;
inline constexpr int kEqLowGain = 16;
inline constexpr int kArpTempo = 17;
inline constexpr int kArpOnOff = 18;
inline constexpr int kArpLatch = 19;
inline constexpr int kArpTarget = 20;
inline constexpr int kArpKeySync = 21;
inline constexpr int kArpType = 22;
inline constexpr int kArpRange = 23;
inline constexpr int kArpGateTime = 24;
inline constexpr int kArpResolution = 25;
inline constexpr int kArpSwing = 26;
inline constexpr int kKbdOctave = 27;

inline constexpr int kCommonCount = 28;
inline constexpr int kTimbre1First = 28;
inline constexpr int kTimbre2First = 93;
inline constexpr int kVocoderFirst = 158;
inline constexpr int kCount = 242;

// Voice modes (values of kVoiceMode).
inline constexpr int kVoiceModeSingle = 0;
inline constexpr int kVoiceModeLayer = 2;
inline constexpr int kVoiceModeVocoder = 3;
}  // namespace MDevProgramParamId
