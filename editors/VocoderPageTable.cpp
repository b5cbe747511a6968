#include "editors/VocoderPageTable.h"

#include "editors/SynthPageGrid.h"

#include <vector>

namespace vocoderpage {

using K = PageControlKind;
using B = PageBindingKind;
using namespace synthpage;

const int kChannelLevelSliders[8] = {1121, 1031, 1055, 1058, 1076, 1088, 1091, 1098};
const int kChannelLevelEdits[8] = {1040, 1045, 1057, 1075, 1078, 1090, 1093, 1100};
const int kChannelPanKnobs[8] = {1120, 1012, 1014, 1015, 1016, 1017, 1023, 1024};
const int kChannelPanEdits[8] = {1039, 1042, 1056, 1060, 1077, 1089, 1092, 1099};
const int kHoldLevelLabels[16] = {1160, 1161, 1162, 1163, 1164, 1165, 1166, 1167,
                                  1168, 1169, 1170, 1171, 1172, 1173, 1174, 1175};
const int kHoldLevelSliders[16] = {1122, 1105, 1110, 1124, 1126, 1128, 1130, 1132,
                                   1138, 1140, 1142, 1144, 1146, 1148, 1150, 1152};
const int kHoldLevelEdits[16] = {1101, 1106, 1123, 1125, 1127, 1129, 1131, 1133,
                                 1139, 1141, 1143, 1145, 1147, 1149, 1151, 1153};

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

const char* const kHpfGateItems[] = {"Disable", "Enable"};
const char* const kFormantShiftItems[] = {"0", "+1", "+2", "-1", "-2"};
// Values 1..7: item = value - 1.
const char* const kFcModSourceItems[] = {
    "AMP EG", "LFO1", "LFO2", "Velocity", "Keyboard Track", "Pitch Bend", "Modulation Wheel"};
const int kAmpEgEdits[] = {1135, 1136, 1137, 1154};
const char* const kNumbers[] = {"1", "2",  "3",  "4",  "5",  "6",  "7",  "8",
                                "9", "10", "11", "12", "13", "14", "15", "16"};

// Where each hold level's number label, trackbar and edit stand: two rows of
// eight, alternately higher and lower.
struct HoldLevelPlace {
    int labelX, labelY, sliderX, sliderY, editX, editY;
};
// clang-format off
const HoldLevelPlace kHoldLevelPlaces[16] = {
    {388, 199, 386, 210, 374, 283}, {418, 213, 416, 225, 404, 298},
    {447, 199, 445, 210, 433, 283}, {477, 213, 475, 225, 463, 298},
    {507, 199, 505, 210, 493, 283}, {537, 213, 535, 225, 523, 298},
    {567, 199, 565, 210, 553, 283}, {597, 213, 595, 225, 583, 298},
    {389, 323, 387, 335, 374, 408}, {419, 338, 417, 350, 404, 423},
    {448, 323, 446, 335, 433, 408}, {478, 338, 476, 350, 463, 423},
    {508, 323, 506, 335, 493, 408}, {538, 338, 536, 350, 523, 423},
    {568, 323, 566, 335, 553, 408}, {598, 338, 596, 350, 583, 423},
};
// clang-format on

constexpr const PageColumn& kLeft = kLeftColumn;
constexpr const PageColumn& kMiddle = kMiddleColumn;

std::vector<PageControl> BuildLayout() {
    std::vector<PageControl> l;
    // VOICE/PITCH
    AddVoicePitchGroup(l, "VOICE/PITCH",
                       {kVoiceAssignList,
                        kVoiceAssignIds,
                        {1032, 1046},
                        {1033, 1047},
                        {1034, 1048},
                        {1035, 1049},
                        {1036, 1050}});
    AddOsc1Group(l, {1158, kOsc1WaveList, kOsc1WaveIds});
    // AUDIO IN 1
    l.push_back({kNoControlId, K::GroupBox, "AUDIO IN 1", 3, 242, 181, 81});
    AddSliderRow(l, kLeft, 251, "Gate Sense", 1111, 1112);
    AddSliderRow(l, kLeft, 268, "Threshold", 1113, 1114);
    AddSliderRow(l, kLeft, 286, "HPF Level", 1115, 1116);
    AddRowLabel(l, kLeft, 304, "HPF Gate");
    l.push_back({1019, K::Choice, "", 73, 304, 64, 14, kHpfGateItems});
    // MIXER
    l.push_back({kNoControlId, K::GroupBox, "MIXER", 3, 328, 181, 66});
    AddSliderRow(l, kLeft, 338, "OSC1 Level", 1041, 1059);
    AddSliderRow(l, kLeft, 356, "Inst. Level", 1107, 1108);
    AddSliderRow(l, kLeft, 374, "Noise Level", 1043, 1061);
    // FILTER
    l.push_back({kNoControlId, K::GroupBox, "FILTER", 187, 7, 181, 118});
    AddRowLabel(l, kMiddle, 17, "Formant Shift");
    l.push_back({kFormantShiftList, K::Choice, "", 256, 17, 45, 14, kFormantShiftItems});
    AddSliderRow(l, kMiddle, 35, "Cutoff", 1071, 1072);
    AddSliderRow(l, kMiddle, 52, "Resonance", 1073, 1074);
    l.push_back({kNoControlId, K::Label, "Fc Mod.Source", 192, 70, 61, 12});
    l.push_back({kFcModSourceList, K::Choice, "", 256, 70, 82, 14, kFcModSourceItems});
    // The label ends where the trackbar starts (the text needs far less).
    l.push_back({kNoControlId, K::Label, "Fc Mod.Intensity", 192, 88, 58, 12});
    l.push_back({1117, K::Slider, "", 251, 88, kSliderWidth, 17});
    l.push_back({1118, K::Edit, "", kMiddle.editX, 88, kEditWidth, 14});
    // "Hold" needs a wider edit than the numbers: the trackbar gives way.
    l.push_back({kNoControlId, K::Label, "E.F Sense", 191, 105, 54, 12});
    l.push_back({kEfSenseSlider, K::Slider, "", 251, 105, 86, 17});
    l.push_back({kEfSenseEdit, K::Edit, "", 338, 105, 25, 14});
    // AMP with its envelope
    l.push_back({kNoControlId, K::GroupBox, "AMP", 187, 126, 181, 190});
    AddSliderRow(l, kMiddle, 135, "Level", 1081, 1082);
    AddSliderRow(l, kMiddle, 152, "Direct Level", 1083, 1084);
    l.push_back({kDistortionCheck, K::CheckBox, "Distortion", 256, 171, 53, 12});
    AddSliderRow(l, kMiddle, 185, "Keyboard Track", 1085, 1086);
    AddEnvelopeRows(l, 205, "AMP EG", kEgResetCheck, kAmpEgGraph, kAmpEgEdits);
    // LFO1: the sync note list shares the frequency row.
    l.push_back({kNoControlId, K::GroupBox, "LFO1", 187, 318, 181, 65});
    AddRowLabel(l, kMiddle, 328, "Wave Type", 1159);
    l.push_back({1063, K::WaveChoice, "", 256, 328, 90, 14, kLfo1WaveItems, kLfo1WaveImages});
    AddRowLabel(l, kMiddle, 346, "Key Sync");
    l.push_back({1021, K::Choice, "", 256, 346, 45, 14, kKeySyncItems});
    l.push_back({kLfo1TempoSync, K::CheckBox, "Tempo Sync", 305, 346, 58, 12});
    AddSliderRow(l, kMiddle, 363, "Frequency", kLfo1FrequencySlider, kLfo1FrequencyEdit, kLfo1FrequencyLabel);
    l.push_back({kLfo1SyncNoteList, K::Choice, "", 256, 363, 45, 14, kSyncNoteItems});
    // LFO2, one unit to the right where the template has it.
    l.push_back({kNoControlId, K::GroupBox, "LFO2", 187, 385, 181, 65});
    l.push_back({1179, K::Label, "Wave Type", 192, 394, 54, 12});
    l.push_back({1068, K::WaveChoice, "", 257, 394, 90, 14, kLfo2WaveItems, kLfo2WaveImages});
    l.push_back({kNoControlId, K::Label, "Key Sync", 193, 412, 54, 12});
    l.push_back({1022, K::Choice, "", 257, 412, 45, 14, kKeySyncItems});
    l.push_back({kLfo2TempoSync, K::CheckBox, "Tempo Sync", 305, 412, 58, 12});
    l.push_back({kLfo2FrequencyLabel, K::Label, "Frequency", 193, 430, 54, 12});
    l.push_back({kLfo2FrequencySlider, K::Slider, "", 252, 430, kSliderWidth, 17});
    l.push_back({kLfo2FrequencyEdit, K::Edit, "", kMiddle.editX, 430, kEditWidth, 14});
    l.push_back({kLfo2SyncNoteList, K::Choice, "", 257, 430, 45, 14, kSyncNoteItems});
    // SYNTHESIS FILTER: eight channels 28 units apart. The channel numbers
    // are 10 high so that they end where the level trackbars start.
    l.push_back({kNoControlId, K::GroupBox, "SYNTHESIS FILTER", 371, 7, 256, 172});
    l.push_back({kNoControlId, K::LabelTop, "Level", 374, 42, 30, 12});
    l.push_back({kNoControlId, K::LabelTop, "Panpot", 374, 128, 30, 12});
    for (int n = 0; n < 8; ++n) {
        const int dx = 28 * n;
        l.push_back({kNoControlId, K::LabelCentred, kNumbers[n], 410 + dx, 27, 12, 10});
        l.push_back({kChannelLevelSliders[n], K::VSlider, "", 408 + dx, 37, 15, 71});
        l.push_back({kChannelLevelEdits[n], K::Edit, "", 404 + dx, 109, 24, 14});
        l.push_back({kChannelPanKnobs[n], K::Knob, "", 405 + dx, 132, 22, 26});
        l.push_back({kChannelPanEdits[n], K::Edit, "", 404 + dx, 159, 24, 14});
    }
    // E.F. HOLD LEVEL: the number labels are 11 high so that they end where
    // their trackbars start.
    l.push_back({kHoldLevelGroup, K::GroupBox, "E.F. HOLD LEVEL", 371, 184, 256, 266});
    for (int n = 0; n < 16; ++n) {
        const HoldLevelPlace& p = kHoldLevelPlaces[n];
        l.push_back({kHoldLevelLabels[n], K::LabelCentred, kNumbers[n], p.labelX, p.labelY, 12, 11});
        l.push_back({kHoldLevelSliders[n], K::VSlider, "", p.sliderX, p.sliderY, 15, 68});
        l.push_back({kHoldLevelEdits[n], K::Edit, "", p.editX, p.editY, 40, 14});
    }
    return l;
}

std::vector<PageBinding> BuildBindings() {
    std::vector<PageBinding> b = {
        ListRow(kVoiceAssignList, 1),
        ListRow(kTriggerModeList, 4),
        PairRow(kUnisonDetuneSlider, kUnisonDetuneEdit, 6, 0, 99, 0),
        PairRow(1032, 1046, 9, -24, 24, 64),
        PairRow(1033, 1047, 7, -50, 50, 64),
        PairRow(1034, 1048, 10, -63, 63, 64),
        PairRow(1035, 1049, 16, 0, 127, 0),
        PairRow(1036, 1050, 8, -12, 12, 64),
        ListRow(kOsc1WaveList, 11),
        PairRow(kWaveControl1Slider, kWaveControl1Edit, 12, 0, 127, 0),
        PairRow(kWaveControl2Slider, kWaveControl2Edit, 13, 0, 127, 0),
        ListRow(kKarvList, 14),
        PairRow(1111, 1112, 21, 0, 127, 0),
        PairRow(1113, 1114, 22, 0, 127, 0),
        PairRow(1115, 1116, 20, 0, 127, 0),
        ListRow(1019, 15),
        PairRow(1041, 1059, 17, 0, 127, 0),
        PairRow(1107, 1108, 18, 0, 127, 0),
        PairRow(1043, 1061, 19, 0, 127, 0),
        ListRow(kFormantShiftList, 23),
        PairRow(1071, 1072, 24, -63, 63, 64),
        PairRow(1073, 1074, 25, 0, 127, 0),
        ListRow(kFcModSourceList, 26, 1),
        PairRow(1117, 1118, 27, -63, 63, 64),
        PairRow(kEfSenseSlider, kEfSenseEdit, 28, 0, 127, 0, B::HoldSliderPair),
        PairRow(1081, 1082, 29, 0, 127, 0),
        PairRow(1083, 1084, 30, 0, 127, 0),
        CheckRow(kDistortionCheck, 31),
        PairRow(1085, 1086, 33, -63, 63, 64),
        CheckRow(kEgResetCheck, 2),
        {B::Envelope, kAmpEgGraph, kNoControlId, 38, 0, 0, 0, kAmpEgEdits},
        ListRow(1063, 43),
        ListRow(1021, 42),
        CheckRow(kLfo1TempoSync, 45),
        PairRow(kLfo1FrequencySlider, kLfo1FrequencyEdit, 44, 0, 127, 0),
        ListRow(kLfo1SyncNoteList, 46),
        ListRow(1068, 48),
        ListRow(1022, 47),
        CheckRow(kLfo2TempoSync, 50),
        PairRow(kLfo2FrequencySlider, kLfo2FrequencyEdit, 49, 0, 127, 0),
        ListRow(kLfo2SyncNoteList, 51),
    };
    // Channel levels with 127 at the top, pans, hold levels with the
    // largest level at the top.
    for (int n = 0; n < 8; ++n)
        b.push_back(PairRow(kChannelLevelSliders[n], kChannelLevelEdits[n], 52 + n, 127, 0, 0));
    for (int n = 0; n < 8; ++n)
        b.push_back(PairRow(kChannelPanKnobs[n], kChannelPanEdits[n], 60 + n, -63, 63, 64, B::PanDialEdit));
    for (int n = 0; n < 16; ++n)
        b.push_back(
            PairRow(kHoldLevelSliders[n], kHoldLevelEdits[n], 68 + n, 0x7FFFFF, 0, 0, B::HexSliderPair));
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

ControlChanges HoldLevelChanges(int efSenseShown) {
    const bool editable = efSenseShown == kEfSenseHold;
    ControlChanges changes;
    const int group[] = {kHoldLevelGroup};
    AddEnable(changes, group, editable);
    AddEnable(changes, kHoldLevelLabels, editable);
    AddEnable(changes, kHoldLevelSliders, editable);
    AddEnable(changes, kHoldLevelEdits, editable);
    return changes;
}

}  // namespace vocoderpage
