#pragma once
// What the Timbre and Vocoder pages share: the lists both offer (voice
// assign, trigger mode, the oscillator and LFO waves with their pictures,
// the KARV waves, key sync, sync notes) and the dependent rules that enable,
// show and relabel controls from what is selected. The two pages use
// different control ids, so each rule takes the ids it acts on.

#include <span>
#include <string>

#include "editors/ProgramPageTable.h"

namespace synthpage {

extern const char* const kVoiceAssignItems[3];  // "Mono", "Poly", "Unison"
extern const char* const kTriggerModeItems[2];
extern const char* const kKeySyncItems[3];
extern const char* const kSyncNoteItems[15];  // "1/1" .. "1/32"
extern const char* const kKarvWaveItems[64];  // "01:SynSine1" .. "64:Voice4"

// The wave lists: texts and the wave picture of each item (the indices of
// velk::VelkWaveImage, resources/wx/VelkArt.h).
extern const char* const kOsc1WaveItems[8];
extern const int kOsc1WaveImages[8];
extern const char* const kLfo1WaveItems[4];
extern const int kLfo1WaveImages[4];
extern const char* const kLfo2WaveItems[4];
extern const int kLfo2WaveImages[4];

// Voice assign selections and OSC 1 waves the rules look at.
inline constexpr int kVoicePoly = 1;
inline constexpr int kVoiceUnison = 2;
inline constexpr int kWaveSine = 3;
inline constexpr int kWaveKarv = 5;
inline constexpr int kWaveNoise = 6;
inline constexpr int kWaveAudioIn = 7;

// Poly: trigger mode and unison detune off. Otherwise trigger mode on and
// unison detune on only for Unison (also for a list without selection).
struct VoiceAssignIds {
    int triggerLabel, triggerList;
    int detuneLabel, detuneSlider, detuneEdit;
};
ControlChanges VoiceAssignChanges(const VoiceAssignIds& ids, int selection);

// KARV hides the first wave-control row and the second row's slider and
// edit and shows the KARV list; the second label always stays. The labels
// name what the two wave controls do for the selected wave.
struct Osc1WaveIds {
    int firstLabel, firstSlider, firstEdit;
    int secondLabel, secondSlider, secondEdit;
    int karvList;
};
struct Osc1WaveLabels {
    std::string first;  // empty: left as it is (hidden)
    std::string second;
};
Osc1WaveLabels Osc1WaveLabelsOf(int wave);
ControlChanges Osc1WaveChanges(const Osc1WaveIds& ids, int wave);

// Tempo sync swaps the frequency slider and edit for the sync note list
// and relabels the row.
struct LfoSyncIds {
    int label, slider, edit, syncNoteList;
};
ControlChanges LfoSyncChanges(const LfoSyncIds& ids, bool tempoSync);

}  // namespace synthpage
