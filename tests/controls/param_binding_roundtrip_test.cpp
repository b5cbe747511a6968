// Every value of every binding as the editor pages set them up: the stored
// value shows, the shown text reads back to the same value, and typing that
// text or moving the control to it stores exactly the stored value again.

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BindingFakes.h"
#include "tests/support/RecordingProgram.h"
#include "controls/CAdsrGroup.h"
#include "controls/CDialComboPair.h"
#include "controls/CDialEditPair.h"
#include "controls/CSliderEditPair.h"

namespace {

using velktest::ParamStore;
using velktest::ProgramValues;
using velktest::RecordingProgram;

constexpr int kId = 3;

struct SliderUse {
    const char* name;
    std::function<std::unique_ptr<CSliderEditPair>()> make;
    int first;
    int last;
    int offset;
};

template <class Pair>
std::function<std::unique_ptr<CSliderEditPair>()> Make() {
    return [] { return std::make_unique<Pair>(); };
}

// The distinct set-ups of the global, timbre, effect, arpeggio and vocoder
// pages.
std::vector<SliderUse> SliderUses() {
    const auto plain = Make<CSliderEditPairPrgParam>();
    // clang-format off
    return {
        {"master tune", Make<CSliderEditPairGlbParamF>(), 4300, 4500, -4400},
        {"master transpose", Make<CSliderEditPairGlbParam>(), -12, 12, 0},
        {"velocity curve", Make<CSliderEditPairGlbParamCrv>(), 0, 127, 0},
        {"0..99", plain, 0, 99, 0},
        {"0..127", plain, 0, 127, 0},
        {"0..100", plain, 0, 100, 0},
        {"tempo", plain, 20, 300, 0},
        {"swing", plain, -100, 100, 0},
        {"bend", plain, -12, 12, 64},
        {"transpose", plain, -24, 24, 64},
        {"tune", plain, -50, 50, 64},
        {"+-63", plain, -63, 63, 64},
        {"eq gain", plain, 12, -12, 64},
        {"channel level", plain, 127, 0, 0},
        {"pan slider", Make<CSliderEditPairPrgParamPan>(), -63, 63, 64},
        {"e.f sense", Make<CSliderEditPairPrgParamEfSense>(), 0, 127, 0},
        {"hold level", Make<CSliderEditPairPrgParamHex>(), 0x7FFFFF, 0, 0},
    };
    // clang-format on
}

TEST(BindingRoundTrip, EverySliderPairValue) {
    for (const SliderUse& use : SliderUses()) {
        SCOPED_TRACE(use.name);
        RecordingProgram object{ProgramValues::kTable};
        FakeSlider slider;
        FakeEdit edit;
        std::unique_ptr<CSliderEditPair> pair = use.make();
        pair->Bind(object, kId);
        const int low = std::min(use.first, use.last);
        const int high = std::max(use.first, use.last);
        int failures = 0;
        for (int shown = low; shown <= high && failures < 5; ++shown) {
            // Hold levels keep 23 bits in bits 8-30; the others add the offset.
            const int stored = pair->TextKind() == ParamTextKind::Hex ? shown << 8 : shown + use.offset;
            object.Preset(kId, stored);
            object.stores.clear();
            pair->Setup(slider, edit, use.first, use.last, use.offset);
            const int position = slider.position;
            const std::string text = edit.text;
            bool ok = pair->RawToDisplay(stored) == shown && pair->ShownAt(position) == shown &&
                      pair->ParseValue(text) == shown && object.stores.empty();

            // Typed with the slider elsewhere.
            slider.position = position == 0 ? pair->Range() : 0;
            edit.text = text;
            pair->OnEditChange();
            ok = ok && slider.position == position && object.stores.size() == 1 &&
                 object.stores.back() == (ParamStore{kId, stored, 1});

            // Moved to, with other text in the edit.
            edit.text = "?";
            pair->OnSliderChanged();
            ok = ok && edit.text == text && object.stores.size() == 2 &&
                 object.stores.back() == (ParamStore{kId, stored, 1});
            if (!ok) {
                ++failures;
                ADD_FAILURE() << "shown " << shown << " stored " << stored << " text \"" << text
                              << "\" position " << position;
            }
        }
    }
}

TEST(BindingRoundTrip, EveryPanKnobValue) {
    RecordingProgram object{ProgramValues::kTable};
    FakeKnob knob;
    FakeEdit edit;
    CDialEditPairPrgParamPan pair;
    pair.Bind(object, kId);
    for (int shown = -63; shown <= 63; ++shown) {
        const int stored = shown + 64;
        object.Preset(kId, stored);
        object.stores.clear();
        pair.Setup(knob, edit, -63, 63, 64);
        const std::string text = edit.text;
        EXPECT_EQ(knob.value, shown);
        EXPECT_EQ(pair.ParseValue(text), shown) << text;

        knob.value = shown == 0 ? 1 : 0;
        pair.OnEditChange();
        EXPECT_EQ(knob.value, shown) << text;
        edit.text = "?";
        pair.OnDialChanged();
        EXPECT_EQ(edit.text, text);
        EXPECT_EQ(object.stores, (std::vector<ParamStore>{{kId, stored, 1}, {kId, stored, 1}})) << text;
    }
}

TEST(BindingRoundTrip, EveryEqFrequencyKnobAndListValue) {
    RecordingProgram object{ProgramValues::kTable};
    FakeKnob knob;
    FakeChoice list(30);
    CDialComboPairPrgParam pair;
    pair.Bind(object, kId);
    for (int shown = 0; shown <= 29; ++shown) {
        object.Preset(kId, shown);
        object.stores.clear();
        pair.Setup(knob, list, 0, 29, 0);
        EXPECT_EQ(knob.value, shown);
        EXPECT_EQ(list.selection, shown);

        knob.value = shown == 0 ? 1 : 0;
        pair.OnComboChanged();
        EXPECT_EQ(knob.value, shown);
        list.selection = -1;
        pair.OnDialChanged();
        EXPECT_EQ(list.selection, shown);
        EXPECT_EQ(object.stores, (std::vector<ParamStore>{{kId, shown, 1}, {kId, shown, 1}}));
    }
}

TEST(BindingRoundTrip, EveryEnvelopeValue) {
    for (int value = 0; value <= 127; ++value) {
        RecordingProgram object{ProgramValues::kTable};
        FakeEnvelope graph;
        FakeEdit edits[4];
        CAdsrGroupPrgParam group;
        graph.onChanged = [&group] { group.SyncFromGraph(true); };
        object.Preset(1, value);
        object.Preset(2, value);
        object.Preset(3, value);
        object.Preset(4, value);
        group.Bind(object, 1, 2, 3, 4);
        group.Setup(graph, edits[0], edits[1], edits[2], edits[3]);
        EXPECT_EQ(graph.GetRelease(), value);
        EXPECT_EQ(CAdsrGroup::ParseValue(edits[3].text), value);

        // Typed into the decay edit with the graph elsewhere.
        const int elsewhere = value == 0 ? 1 : 0;
        graph.SetDecay(elsewhere);
        object.stores.clear();
        edits[1].text = CAdsrGroup::FormatValue(value);
        group.OnDecayEdit();
        EXPECT_EQ(graph.GetDecay(), value);
        EXPECT_EQ(object.stores, (std::vector<ParamStore>{{2, value, 1}}));
    }
}

}  // namespace
