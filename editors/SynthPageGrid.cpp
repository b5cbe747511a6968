#include "editors/SynthPageGrid.h"

namespace synthpage {

void AddRowLabel(std::vector<PageControl>& layout, const PageColumn& column, int y, const char* text,
                 int id) {
    layout.push_back({id, PageControlKind::Label, text, column.labelX, y, 54, 12});
}

void AddSliderRow(std::vector<PageControl>& layout, const PageColumn& column, int y, const char* text,
                  int slider, int edit, int labelId) {
    AddRowLabel(layout, column, y, text, labelId);
    layout.push_back({slider, PageControlKind::Slider, "", column.sliderX, y, kSliderWidth, 17});
    layout.push_back({edit, PageControlKind::Edit, "", column.editX, y, kEditWidth, 14});
}

void AddVoicePitchGroup(std::vector<PageControl>& l, const char* caption, const VoicePitchIds& ids) {
    using K = PageControlKind;
    const PageColumn& c = kLeftColumn;
    l.push_back({kNoControlId, K::GroupBox, caption, 3, 7, 181, 155});
    AddRowLabel(l, c, 17, "Voice Assign");
    l.push_back({ids.voiceAssignList, K::Choice, "", c.listX, 17, 45, 14, kVoiceAssignItems});
    AddRowLabel(l, c, 35, "Trigger Mode", ids.assign.triggerLabel);
    l.push_back({ids.assign.triggerList, K::Choice, "", c.listX, 35, 45, 14, kTriggerModeItems});
    AddSliderRow(l, c, 52, "Unison Detune", ids.assign.detuneSlider, ids.assign.detuneEdit,
                 ids.assign.detuneLabel);
    AddSliderRow(l, c, 70, "Transpose", ids.transpose[0], ids.transpose[1]);
    AddSliderRow(l, c, 88, "Tune", ids.tune[0], ids.tune[1]);
    AddSliderRow(l, c, 106, "Vibrato Int", ids.vibrato[0], ids.vibrato[1]);
    AddSliderRow(l, c, 124, "Portamento", ids.portamento[0], ids.portamento[1]);
    AddSliderRow(l, c, 142, "Bend Range", ids.bendRange[0], ids.bendRange[1]);
}

void AddOsc1Group(std::vector<PageControl>& l, const Osc1GroupIds& ids) {
    using K = PageControlKind;
    const PageColumn& c = kLeftColumn;
    const Osc1WaveIds& w = ids.wave;
    l.push_back({kNoControlId, K::GroupBox, "OSC 1", 3, 167, 181, 71});
    AddRowLabel(l, c, 177, "Wave Type", ids.waveLabel);
    l.push_back({ids.waveList, K::WaveChoice, "", c.listX, 177, 80, 14, kOsc1WaveItems, kOsc1WaveImages});
    AddSliderRow(l, c, 195, "Waveform", w.firstSlider, w.firstEdit, w.firstLabel);
    // Two lines of text: the label is taller and starts a little lower.
    l.push_back({w.secondLabel, K::LabelTop, "Waveform LFO1 Mod.Int", c.labelX, 215, 54, 18});
    l.push_back({w.secondSlider, K::Slider, "", c.sliderX, 213, kSliderWidth, 17});
    l.push_back({w.secondEdit, K::Edit, "", c.editX, 213, kEditWidth, 14});
    l.push_back({w.karvList, K::Choice, "", c.listX, 213, 68, 14, kKarvWaveItems});
}

void AddEnvelopeRows(std::vector<PageControl>& layout, int y, const char* caption, int resetCheck, int graph,
                     const int (&edits)[4]) {
    static const char* const kNames[] = {"AT", "DT", "SL", "RT"};
    AddRowLabel(layout, kMiddleColumn, y, caption);
    layout.push_back({resetCheck, PageControlKind::CheckBox, "EG Reset", 256, y, 53, 12});
    layout.push_back({graph, PageControlKind::EnvelopeGraph, "", 220, y + 15, 130, 75});
    // Four label + edit pairs 34 units apart under the graph; the edits
    // are as wide as the other edits, so that "127" fits.
    for (int i = 0; i < 4; ++i) {
        layout.push_back(
            {kNoControlId, PageControlKind::LabelCentred, kNames[i], 217 + 34 * i, y + 91, 12, 14});
        layout.push_back({edits[i], PageControlKind::Edit, "", 229 + 34 * i, y + 91, kEditWidth, 14});
    }
}

}  // namespace synthpage
