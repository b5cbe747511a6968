#include "editors/TimbrePageTable.h"

#include <vector>

#include "editors/SynthPageGrid.h"

namespace timbrepage {

using K = PageControlKind;
using B = PageBindingKind;
using namespace synthpage;

const int kFilterEgEdits[4] = {1098, 1099, 1100, 1101};
const int kAmpEgEdits[4] = {1094, 1095, 1096, 1097};
const int kPatchSourceLists[4] = {1023, 1025, 1027, 1029};
const int kPatchDestinationLists[4] = {1024, 1026, 1028, 1030};
const int kPatchIntensitySliders[4] = {1086, 1088, 1090, 1092};
const int kPatchIntensityEdits[4] = {1087, 1089, 1091, 1093};

const VoiceAssignIds kVoiceAssignIds = {kTriggerModeLabel, kTriggerModeList, kUnisonDetuneLabel,
                                        kUnisonDetuneSlider, kUnisonDetuneEdit};
const Osc1WaveIds kOsc1WaveIds = {kWaveControl1Label, kWaveControl1Slider, kWaveControl1Edit,
                                  kWaveControl2Label, kWaveControl2Slider, kWaveControl2Edit,
                                  kKarvList};
const LfoSyncIds kLfo1SyncIds = {kLfo1FrequencyLabel, kLfo1FrequencySlider, kLfo1FrequencyEdit,
                                 kLfo1SyncNoteList};
const LfoSyncIds kLfo2SyncIds = {kLfo2FrequencyLabel, kLfo2FrequencySlider, kLfo2FrequencyEdit,
                                 kLfo2SyncNoteList};

namespace {

const char* const kOsc2WaveItems[] = {"Saw", "Square", "Triangle"};
const int kOsc2WaveImages[] = {4, 8, 10};
const char* const kOscModulationItems[] = {"Off", "Ring", "Sync", "Ring + Sync"};
const char* const kFilterTypeItems[] = {"-24dB LPF", "-12dB LPF", "-12dB BPF", "-12dB HPF"};
const char* const kPatchSourceItems[] = {"Filter EG", "AMP EG",         "LFO1",       "LFO2",
                                         "Velocity",  "Keyboard Track", "Pitch Bend", "Modulation Wheel"};
const char* const kPatchDestinationItems[] = {"Pitch",  "OSC2 Tune", "OSC1 Control 1", "Noise Level",
                                              "Cutoff", "Amp",       "Panpot",         "LFO2 Frequency"};
const char* const kPatchCaptions[] = {"VIRTUAL PATCH 1", "VIRTUAL PATCH 2", "VIRTUAL PATCH 3",
                                      "VIRTUAL PATCH 4"};

// The right column: two LFO groups, then the four virtual patches.
constexpr int kLfo1Top = 7;
constexpr int kLfo2Top = 74;
constexpr int kPatchTop = 141;
constexpr int kPatchPitch = 47;

void AddLfo(std::vector<PageControl>& l, int top, const char* caption, int waveLabel, int waveList,
            std::span<const char* const> waves, std::span<const int> images, int keySync, int tempoSync,
            const LfoSyncIds& sync) {
    const PageColumn& c = kRightColumn;
    l.push_back({kNoControlId, K::GroupBox, caption, 371, top, 256, 65});
    AddRowLabel(l, c, top + 10, "Wave Type", waveLabel);
    l.push_back({waveList, K::WaveChoice, "", c.listX, top + 10, 90, 14, waves, images});
    AddRowLabel(l, c, top + 28, "Key Sync");
    l.push_back({keySync, K::Choice, "", c.listX, top + 28, 45, 14, kKeySyncItems});
    l.push_back({tempoSync, K::CheckBox, "Tempo Sync", c.listX + 49, top + 28, 58, 12});
    AddSliderRow(l, c, top + 45, "Frequency", sync.slider, sync.edit, sync.label);
    l.push_back({sync.syncNoteList, K::Choice, "", c.listX, top + 45, 45, 14, kSyncNoteItems});
}

std::vector<PageControl> BuildLayout() {
    const PageColumn& left = kLeftColumn;
    const PageColumn& middle = kMiddleColumn;
    std::vector<PageControl> l;
    AddVoicePitchGroup(l, "VOICE / PITCH",
                       {kVoiceAssignList,
                        kVoiceAssignIds,
                        {kTransposeSlider, kTransposeEdit},
                        {1161, 1162},
                        {1163, 1164},
                        {1165, 1166},
                        {1167, 1168}});
    AddOsc1Group(l, {1140, kOsc1WaveList, kOsc1WaveIds});
    // OSC 2
    l.push_back({kNoControlId, K::GroupBox, "OSC 2", 3, 242, 181, 81});
    AddRowLabel(l, left, 251, "Wave Type", 1141);
    l.push_back({kOsc2WaveList, K::WaveChoice, "", 72, 251, 80, 14, kOsc2WaveItems, kOsc2WaveImages});
    AddRowLabel(l, left, 268, "Osc Modulation");
    l.push_back({1019, K::Choice, "", 72, 268, 64, 14, kOscModulationItems});
    AddSliderRow(l, left, 286, "Semitone", 1039, 1055);
    AddSliderRow(l, left, 304, "Tune", 1040, 1056);
    // MIXER
    l.push_back({kNoControlId, K::GroupBox, "MIXER", 3, 328, 181, 66});
    AddSliderRow(l, left, 338, "OSC 1 Level", 1175, 1176);
    AddSliderRow(l, left, 356, "OSC 2 Level", 1105, 1109);
    AddSliderRow(l, left, 374, "Noise Level", 1106, 1110);
    // FILTER with its envelope
    l.push_back({kNoControlId, K::GroupBox, "FILTER", 187, 7, 181, 210});
    AddRowLabel(l, middle, 17, "Type");
    l.push_back({1022, K::Choice, "", 256, 17, 70, 14, kFilterTypeItems});
    AddSliderRow(l, middle, 35, "Cutoff", 1187, 1188);
    AddSliderRow(l, middle, 52, "Resonance", 1189, 1190);
    AddSliderRow(l, middle, 70, "Filter EG Int", 1075, 1076);
    AddSliderRow(l, middle, 88, "Keyboard Track", 1077, 1078);
    AddEnvelopeRows(l, 106, "FILTER EG", kFilterEgReset, kFilterEgGraph, kFilterEgEdits);
    // AMP with its envelope, rows as on the Vocoder page's AMP group.
    l.push_back({kNoControlId, K::GroupBox, "AMP", 187, 219, 181, 190});
    AddSliderRow(l, middle, 228, "Level", 1079, 1080);
    AddSliderRow(l, middle, 245, "Panpot", kPanpotSlider, kPanpotEdit);
    l.push_back({kDistortionCheck, K::CheckBox, "Distortion", 256, 264, 53, 12});
    AddSliderRow(l, middle, 278, "Keyboard Track", 1083, 1084);
    AddEnvelopeRows(l, 298, "AMP EG", kAmpEgReset, kAmpEgGraph, kAmpEgEdits);
    // LFO 1, LFO 2: the sync note list shares the frequency row.
    AddLfo(l, kLfo1Top, "LFO 1", 1142, kLfo1WaveList, kLfo1WaveItems, kLfo1WaveImages, 1020, kLfo1TempoSync,
           kLfo1SyncIds);
    AddLfo(l, kLfo2Top, "LFO 2", 1143, kLfo2WaveList, kLfo2WaveItems, kLfo2WaveImages, 1021, kLfo2TempoSync,
           kLfo2SyncIds);
    // VIRTUAL PATCH 1-4: source -> destination, then the intensity.
    for (int k = 0; k < 4; ++k) {
        const int top = kPatchTop + kPatchPitch * k;
        l.push_back({kNoControlId, K::GroupBox, kPatchCaptions[k], 371, top, 256, 45});
        l.push_back({kPatchSourceLists[k], K::Choice, "", 376, top + 10, 100, 14, kPatchSourceItems});
        l.push_back({kNoControlId, K::LabelCentred, "->", 480, top + 10, 12, 14});
        l.push_back(
            {kPatchDestinationLists[k], K::Choice, "", 496, top + 10, 100, 14, kPatchDestinationItems});
        AddSliderRow(l, kRightColumn, top + 28, "Intensity", kPatchIntensitySliders[k],
                     kPatchIntensityEdits[k], 1144 + k);
    }
    return l;
}

std::vector<PageBinding> BuildBindings() {
    std::vector<PageBinding> b = {
        ListRow(kVoiceAssignList, 1),
        ListRow(kTriggerModeList, 4),
        PairRow(kUnisonDetuneSlider, kUnisonDetuneEdit, 6, 0, 99, 0),
        PairRow(kTransposeSlider, kTransposeEdit, 9, -24, 24, 64),
        PairRow(1161, 1162, 7, -50, 50, 64),
        PairRow(1163, 1164, 10, -63, 63, 64),
        PairRow(1165, 1166, 19, 0, 127, 0),
        PairRow(1167, 1168, 8, -12, 12, 64),
        CheckRow(kFilterEgReset, 3),
        {B::Envelope, kFilterEgGraph, kNoControlId, 35, 0, 0, 0, kFilterEgEdits},
        CheckRow(kAmpEgReset, 2),
        {B::Envelope, kAmpEgGraph, kNoControlId, 39, 0, 0, 0, kAmpEgEdits},
        ListRow(kOsc1WaveList, 11),
        PairRow(kWaveControl1Slider, kWaveControl1Edit, 12, 0, 127, 0),
        PairRow(kWaveControl2Slider, kWaveControl2Edit, 13, 0, 127, 0),
        ListRow(kKarvList, 14),
        ListRow(kOsc2WaveList, 16),
        ListRow(1019, 15),
        PairRow(1039, 1055, 17, -24, 24, 64),
        PairRow(1040, 1056, 18, -63, 63, 64),
        PairRow(1175, 1176, 20, 0, 127, 0),
        PairRow(1105, 1109, 21, 0, 127, 0),
        PairRow(1106, 1110, 22, 0, 127, 0),
        ListRow(kLfo1WaveList, 44),
        ListRow(1020, 43),
        CheckRow(kLfo1TempoSync, 46),
        PairRow(kLfo1FrequencySlider, kLfo1FrequencyEdit, 45, 0, 127, 0),
        ListRow(kLfo1SyncNoteList, 47),
        ListRow(kLfo2WaveList, 49),
        ListRow(1021, 48),
        CheckRow(kLfo2TempoSync, 51),
        PairRow(kLfo2FrequencySlider, kLfo2FrequencyEdit, 50, 0, 127, 0),
        ListRow(kLfo2SyncNoteList, 52),
        ListRow(1022, 23),
        PairRow(1187, 1188, 24, 0, 127, 0),
        PairRow(1189, 1190, 25, 0, 127, 0),
        PairRow(1075, 1076, 26, -63, 63, 64),
        PairRow(1077, 1078, 28, -63, 63, 64),
        PairRow(1079, 1080, 29, 0, 127, 0),
        PairRow(kPanpotSlider, kPanpotEdit, 30, -63, 63, 64, B::PanSliderPair),
        PairRow(1083, 1084, 34, -63, 63, 64),
        CheckRow(kDistortionCheck, 32),
    };
    for (int k = 0; k < 4; ++k) {
        b.push_back(ListRow(kPatchSourceLists[k], 54 + 3 * k));
        b.push_back(PairRow(kPatchIntensitySliders[k], kPatchIntensityEdits[k], 55 + 3 * k, -63, 63, 64));
        b.push_back(ListRow(kPatchDestinationLists[k], 53 + 3 * k));
    }
    return b;
}

}  // namespace

std::span<const PageControl> Layout() {
    static const std::vector<PageControl> layout = BuildLayout();
    return layout;
}

std::span<const PageBinding> Bindings() {
    static const std::vector<PageBinding> bindings = BuildBindings();
    return bindings;
}

}  // namespace timbrepage
