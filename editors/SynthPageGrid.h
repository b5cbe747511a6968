#pragma once
// The grid the Timbre and Vocoder pages are laid out on, and short ways to
// write their table rows. A column has a label 54 x 12, a trackbar 89 x 17
// and an edit 22 x 14 per row (44 px on GTK: room for "-63", "L63" and
// "127" inside the entry's frame), and its lists start a little right of
// the trackbar; rows are 17 or 18 dialog units apart.

#include <vector>

#include "editors/ProgramPageTable.h"
#include "editors/SynthPageRules.h"

namespace synthpage {

struct PageColumn {
    int labelX, sliderX, editX, listX;
};
inline constexpr int kSliderWidth = 89;
inline constexpr int kEditWidth = 22;
inline constexpr PageColumn kLeftColumn = {8, 67, 157, 72};        // group box at x 3
inline constexpr PageColumn kMiddleColumn = {192, 251, 341, 256};  // group box at x 187
inline constexpr PageColumn kRightColumn = {376, 435, 525, 440};   // group box at x 371

void AddRowLabel(std::vector<PageControl>& layout, const PageColumn& column, int y, const char* text,
                 int id = kNoControlId);
// A label, a horizontal trackbar and an edit on one row.
void AddSliderRow(std::vector<PageControl>& layout, const PageColumn& column, int y, const char* text,
                  int slider, int edit, int labelId = kNoControlId);
// An envelope graph under a row with its caption and "EG Reset" check box,
// and the "AT", "DT", "SL", "RT" labels with their edits under the graph:
// 105 units from the caption row to the bottom of the edits. Middle column.
void AddEnvelopeRows(std::vector<PageControl>& layout, int y, const char* caption, int resetCheck, int graph,
                     const int (&edits)[4]);

// The VOICE / PITCH group (left column, top) of both pages: voice assign,
// trigger mode, then the unison detune, transpose, tune, vibrato,
// portamento and bend range rows, each {trackbar, edit}.
struct VoicePitchIds {
    int voiceAssignList;
    VoiceAssignIds assign;
    int transpose[2], tune[2], vibrato[2], portamento[2], bendRange[2];
};
void AddVoicePitchGroup(std::vector<PageControl>& layout, const char* caption, const VoicePitchIds& ids);

// The OSC 1 group under it: the wave list, the two wave-control rows, and
// the KARV list on the second row (shown instead of its trackbar and edit).
struct Osc1GroupIds {
    int waveLabel, waveList;
    Osc1WaveIds wave;
};
void AddOsc1Group(std::vector<PageControl>& layout, const Osc1GroupIds& ids);

inline PageBinding PairRow(int slider, int edit, int param, int first, int last, int offset,
                           PageBindingKind kind = PageBindingKind::SliderPair) {
    return {kind, slider, edit, param, first, last, offset};
}

inline PageBinding ListRow(int list, int param, int offset = 0) {
    return {PageBindingKind::Choice, list, kNoControlId, param, 0, 0, offset};
}

inline PageBinding CheckRow(int box, int param) { return {PageBindingKind::Check, box, kNoControlId, param}; }

}  // namespace synthpage
