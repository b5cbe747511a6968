#pragma once
// The values of a program record and of the global record as plain numbers,
// and their encoding into the records' bytes as the synth lays them out.
// Written independently of the system's device code (as SimPack is), so a
// test that reads the simulator's records through the device code checks
// both.
//
// Program: 28 common values, two timbres of 65 values (voice modes Single
// and Layer) or one vocoder part of 84 values (voice mode Vocoder), in the
// synth's parameter numbering. Global: the 65 global values.

#include "simulator/SimModelInfo.h"

#include <array>
#include <string>

inline constexpr int kSimCommonCount = 28;
inline constexpr int kSimTimbreCount = 65;
inline constexpr int kSimVocoderCount = 84;
inline constexpr int kSimGlobalCount = 65;
inline constexpr std::size_t kSimNameSize = 12;

// Voice modes (common value 2).
inline constexpr int kSimVoiceSingle = 0;
inline constexpr int kSimVoiceLayer = 2;
inline constexpr int kSimVoiceVocoder = 3;

// Common values the bank sets by name.
namespace SimCommon {
inline constexpr int kArpLastStep = 0, kArpPattern = 1, kVoiceMode = 2, kScaleKey = 3, kScaleType = 4,
                     kDelaySync = 5, kDelayTimeBase = 6, kDelayTime = 7, kDelayDepth = 8, kDelayType = 9,
                     kModSpeed = 10, kModDepth = 11, kModType = 12, kEqHighFreq = 13, kEqHighGain = 14,
                     kEqLowFreq = 15, kEqLowGain = 16, kArpTempo = 17, kArpOn = 18, kArpLatch = 19,
                     kArpTarget = 20, kArpKeySync = 21, kArpType = 22, kArpRange = 23, kArpGate = 24,
                     kArpResolution = 25, kArpSwing = 26, kKbdOctave = 27;
}  // namespace SimCommon

struct SimProgramValues {
    std::string name;  // printable ASCII, at most 12 characters
    std::array<int, kSimCommonCount> common{};
    std::array<std::array<int, kSimTimbreCount>, 2> timbres{};
    std::array<int, kSimVocoderCount> vocoder{};

    // The synth's initial values of a timbre and of the vocoder part.
    static std::array<int, kSimTimbreCount> TimbreDefaults();
    static std::array<int, kSimVocoderCount> VocoderDefaults();
};

// The record: name padded with spaces, common bytes 14-37, then the two
// timbre blocks at 38 and 146 or, in voice mode Vocoder, the vocoder block
// at 38. Bytes no value covers are 0.
SimProgramRecord SimEncodeProgram(const SimProgramValues& values);

SimGlobalRecord SimEncodeGlobal(const std::array<int, kSimGlobalCount>& values);
