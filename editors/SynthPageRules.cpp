#include "editors/SynthPageRules.h"

namespace synthpage {

const char* const kVoiceAssignItems[3] = {"Mono", "Poly", "Unison"};
const char* const kTriggerModeItems[2] = {"Single", "Multi"};
const char* const kKeySyncItems[3] = {"Off", "Timbre", "Voice"};
const char* const kSyncNoteItems[15] = {"1/1", "3/4", "2/3",  "1/2",  "3/8",  "1/3",  "1/4", "3/16",
                                        "1/6", "1/8", "3/32", "1/12", "1/16", "1/24", "1/32"};
const char* const kKarvWaveItems[64] = {
    "01:SynSine1", "02:SynSine2", "03:SynSine3", "04:SynSine4", "05:SynSine5", "06:SynSine6", "07:SynSine7",
    "08:SynBass1", "09:SynBass2", "10:SynBass3", "11:SynBass4", "12:SynBass5", "13:SynBass6", "14:SynBass7",
    "15:SynWave1", "16:SynWave2", "17:SynWave3", "18:SynWave4", "19:SynWave5", "20:SynWave6", "21:SynWave7",
    "22:SynWave8", "23:SynWave9", "24:5thWave1", "25:5thWave2", "26:5thWave3", "27:Digi1",    "28:Digi2",
    "29:Digi3",    "30:Digi4",    "31:Digi5",    "32:Digi6",    "33:Digi7",    "34:Digi8",    "35:Endless",
    "36:E.Piano1", "37:E.Piano2", "38:E.Piano3", "39:E.Piano4", "40:Organ1",   "41:Organ2",   "42:Organ3",
    "43:Organ4",   "44:Organ5",   "45:Organ6",   "46:Organ7",   "47:Clav1",    "48:Clav2",    "49:Guitar1",
    "50:Guitar2",  "51:Guitar3",  "52:Bass1",    "53:Bass2",    "54:Bass3",    "55:Bass4",    "56:Bass5",
    "57:Bell1",    "58:Bell2",    "59:Bell3",    "60:Bell4",    "61:Voice1",   "62:Voice2",   "63:Voice3",
    "64:Voice4"};

// Picture indices: 0 microphone, 1 PCM, 2 noise, 3 random steps, 4 / 5 saw
// rising / falling, 6 / 7 sine / inverted, 8 / 9 square full / upper half,
// 10 / 11 triangle / inverted, 12 head.
const char* const kOsc1WaveItems[8] = {"Saw",      "Square", "Triangle", "Sine",
                                       "Vox Wave", "KARV",   "Noise",    "Audio In"};
const int kOsc1WaveImages[8] = {4, 8, 10, 6, 12, 1, 2, 0};
const char* const kLfo1WaveItems[4] = {"Saw", "Square 1", "Triangle", "Sample&Hold"};
const int kLfo1WaveImages[4] = {5, 8, 11, 3};
const char* const kLfo2WaveItems[4] = {"Saw", "Square 2", "Sine", "Sample&Hold"};
const int kLfo2WaveImages[4] = {5, 9, 7, 3};

ControlChanges VoiceAssignChanges(const VoiceAssignIds& ids, int selection) {
    const bool trigger = selection != kVoicePoly;
    const bool detune = selection == kVoiceUnison;
    ControlChanges changes;
    const int triggerIds[] = {ids.triggerLabel, ids.triggerList};
    const int detuneIds[] = {ids.detuneLabel, ids.detuneSlider, ids.detuneEdit};
    AddEnable(changes, triggerIds, trigger);
    AddEnable(changes, detuneIds, detune);
    return changes;
}

Osc1WaveLabels Osc1WaveLabelsOf(int wave) {
    switch (wave) {
    case kWaveSine: return {"XMod Depth", "XMod Depth LFO1 Mod.Int"};
    case kWaveKarv: return {"", "KARV Wave"};
    case kWaveNoise: return {"LPF Cutoff", "Resonance"};
    case kWaveAudioIn: return {"Balance", "Balance LFO1 Mod.Int"};
    default: return {"Waveform", "Waveform LFO1 Mod.Int"};
    }
}

ControlChanges Osc1WaveChanges(const Osc1WaveIds& ids, int wave) {
    const bool karv = wave == kWaveKarv;
    ControlChanges changes;
    const int waveControls[] = {ids.firstLabel, ids.firstSlider, ids.firstEdit, ids.secondSlider,
                                ids.secondEdit};
    AddShow(changes, waveControls, !karv);
    const int karvList[] = {ids.karvList};
    AddShow(changes, karvList, karv);
    const Osc1WaveLabels labels = Osc1WaveLabelsOf(wave);
    if (!labels.first.empty())
        changes.push_back({ids.firstLabel, ControlChange::Relabel, true, labels.first});
    changes.push_back({ids.secondLabel, ControlChange::Relabel, true, labels.second});
    return changes;
}

ControlChanges LfoSyncChanges(const LfoSyncIds& ids, bool tempoSync) {
    ControlChanges changes;
    const int frequency[] = {ids.slider, ids.edit};
    AddShow(changes, frequency, !tempoSync);
    const int syncNote[] = {ids.syncNoteList};
    AddShow(changes, syncNote, tempoSync);
    changes.push_back({ids.label, ControlChange::Relabel, true, tempoSync ? "Sync Note" : "Frequency"});
    return changes;
}

}  // namespace synthpage
