// The four binding families against fake views and a recording parameter
// object: the documented cases, stores and their absence, and the order in
// which the six operations run.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>
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

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kId = 7;

// A slider pair with its fakes, bound and set up.
template <class Pair>
struct SliderRig {
    SliderRig(int first, int last, int offset, int stored) {
        object.Preset(kId, stored);
        pair.Bind(object, kId);
        pair.Setup(slider, edit, first, last, offset);
    }
    void Type(const std::string& text) {
        edit.text = text;
        pair.OnEditChange();
    }
    void Move(int position) {
        slider.SetPosition(position);
        pair.OnSliderChanged();
    }

    RecordingProgram object{ProgramValues::kTable};
    FakeSlider slider;
    FakeEdit edit;
    Pair pair;
};

TEST(SliderEditPair, SetupShowsTheStoredValueAndStoresNothing) {
    SliderRig<CSliderEditPairPrgParam> rig(-12, 12, 64, 60);
    EXPECT_EQ(rig.slider.low, 0);
    EXPECT_EQ(rig.slider.high, 24);
    EXPECT_EQ(rig.slider.position, 8);
    EXPECT_EQ(rig.edit.text, "-4");
    EXPECT_TRUE(rig.pair.IsArmed());
    EXPECT_THAT(rig.object.stores, IsEmpty());
}

TEST(SliderEditPair, DecimalRangeKeepsPartialTextAndRewritesItOnFocusLoss) {
    SliderRig<CSliderEditPairGlbParam> rig(-12, 12, 0, 0);
    for (const char* text : {"-", "", "00", "abc", "13", "-13"}) {
        rig.Type(text);
        EXPECT_EQ(rig.slider.position, 12) << text;
        EXPECT_EQ(rig.edit.text, text) << "typed text left alone";
    }
    EXPECT_THAT(rig.object.stores, IsEmpty());
    rig.pair.OnEditKillFocus();
    EXPECT_EQ(rig.edit.text, "0");
    EXPECT_THAT(rig.object.stores, IsEmpty());

    rig.Type("-5");
    rig.Type("0");
    EXPECT_THAT(rig.object.stores, ElementsAre(ParamStore{kId, -5, 1}, ParamStore{kId, 0, 1}));
}

TEST(SliderEditPair, MasterTuneTypedInTenths) {
    SliderRig<CSliderEditPairGlbParamF> rig(4300, 4500, -4400, 0);
    EXPECT_EQ(rig.edit.text, "440.0");
    rig.Type("441.3");
    EXPECT_EQ(rig.slider.position, 113);
    rig.Type("441.3x");
    rig.Type("abc");
    EXPECT_EQ(rig.slider.position, 113);
    EXPECT_THAT(rig.object.stores, ElementsAre(ParamStore{kId, 13, 1}));
    rig.Move(0);
    EXPECT_EQ(rig.edit.text, "430.0");
    EXPECT_EQ(rig.object.stores.back(), (ParamStore{kId, -100, 1}));
}

TEST(SliderEditPair, CurveShowsCrvAtZeroAndReadsItInAnyCase) {
    SliderRig<CSliderEditPairGlbParamCrv> rig(0, 127, 0, 5);
    rig.Move(0);
    EXPECT_EQ(rig.edit.text, "Crv");
    rig.Move(9);
    rig.Type("crv");
    EXPECT_EQ(rig.slider.position, 0);
    EXPECT_THAT(rig.object.stores,
                ElementsAre(ParamStore{kId, 0, 1}, ParamStore{kId, 9, 1}, ParamStore{kId, 0, 1}));
}

TEST(SliderEditPair, ReversedPairPutsTheLargestValueAtPositionZero) {
    SliderRig<CSliderEditPairPrgParam> rig(127, 0, 0, 100);
    EXPECT_EQ(rig.slider.position, 27);
    rig.Move(0);
    EXPECT_EQ(rig.edit.text, "127");
    rig.Move(127);
    EXPECT_EQ(rig.edit.text, "0");
    rig.Type("128");
    rig.Type("-1");
    EXPECT_EQ(rig.slider.position, 127);
    rig.Type("120");
    EXPECT_EQ(rig.slider.position, 7);
    EXPECT_THAT(rig.object.stores,
                ElementsAre(ParamStore{kId, 127, 1}, ParamStore{kId, 0, 1}, ParamStore{kId, 120, 1}));
}

TEST(SliderEditPair, HoldLevelIsStoredShiftedIntoBits8To30) {
    SliderRig<CSliderEditPairPrgParamHex> rig(0x7FFFFF, 0, 0, 0x12345600);
    EXPECT_EQ(rig.edit.text, "123456");
    EXPECT_EQ(rig.slider.high, 0x7FFFFF);
    EXPECT_EQ(rig.slider.position, 0x7FFFFF - 0x123456);
    rig.Type("7FFFFF");
    EXPECT_EQ(rig.slider.position, 0);
    for (const char* text : {"", "12345G", "0x1234", "FFFFFFFF", "800000"}) rig.Type(text);
    EXPECT_EQ(rig.slider.position, 0);
    EXPECT_THAT(rig.object.stores, ElementsAre(ParamStore{kId, 0x7FFFFF00, 1}));
}

TEST(SliderEditPair, EfSenseShowsHold) {
    SliderRig<CSliderEditPairPrgParamEfSense> rig(0, 127, 0, 127);
    EXPECT_EQ(rig.edit.text, "Hold");
    rig.Type("3");
    rig.Type("hOLd");
    EXPECT_EQ(rig.slider.position, 127);
    EXPECT_THAT(rig.object.stores, ElementsAre(ParamStore{kId, 3, 1}, ParamStore{kId, 127, 1}));
}

TEST(SliderEditPair, PanSliderReadsSides) {
    SliderRig<CSliderEditPairPrgParamPan> rig(-63, 63, 64, 64);
    EXPECT_EQ(rig.edit.text, "CNT");
    rig.Type("L12");
    rig.Type("r5");
    rig.Type("center");
    rig.Move(60);
    EXPECT_EQ(rig.edit.text, "L3");
    EXPECT_THAT(rig.object.stores, ElementsAre(ParamStore{kId, 52, 1}, ParamStore{kId, 69, 1},
                                               ParamStore{kId, 64, 1}, ParamStore{kId, 61, 1}));
}

TEST(SliderEditPair, NotificationsBeforeSetupStoreNothing) {
    RecordingProgram object{ProgramValues::kTable};
    FakeSlider slider;
    FakeEdit edit;
    CSliderEditPairPrgParam pair;
    pair.Bind(object, kId);
    pair.OnSliderChanged();
    pair.OnEditChange();
    pair.OnEditKillFocus();
    EXPECT_FALSE(pair.IsArmed());
    EXPECT_THAT(object.stores, IsEmpty());
}

TEST(SliderEditPair, DisarmedPairAdjustsControlsWithoutStoring) {
    SliderRig<CSliderEditPairPrgParam> rig(0, 100, 0, 10);
    rig.pair.SetArmed(false);
    rig.Move(40);
    EXPECT_EQ(rig.edit.text, "40");
    rig.Type("50");
    EXPECT_EQ(rig.slider.position, 50);
    EXPECT_THAT(rig.object.stores, IsEmpty());
}

TEST(SliderEditPair, ShowStoredMovesBothControlsAndStoresNothing) {
    SliderRig<CSliderEditPairPrgParam> rig(0, 100, 0, 10);
    rig.pair.ShowStored(77);
    EXPECT_EQ(rig.slider.position, 77);
    EXPECT_EQ(rig.edit.text, "77");
    rig.pair.OnSliderChanged();
    EXPECT_THAT(rig.object.stores, IsEmpty());
}

// A stored value outside the pair's range (from a file, or a synth that
// reports more than the page offers) is shown at the nearer end, and the
// object is made to hold what is shown: otherwise typing the shown end, or
// leaving the edit, would store nothing and the object would keep a value
// the page does not show.
TEST(SliderEditPair, OutOfRangeStoredValueIsShownAndHeldAtTheNearerEnd) {
    struct Case {
        const char* what;
        std::function<std::unique_ptr<CSliderEditPair>()> make;
        int first, last, offset;
        int stored;
        const char* shown;
        int position;
        int held;
    };
    const auto decimal = [] { return std::make_unique<CSliderEditPairPrgParam>(); };
    // clang-format off
    const Case cases[] = {
        {"tempo 20..300, stored 0", decimal, 20, 300, 0, 0, "20", 0, 20},
        {"tempo above the top", decimal, 20, 300, 0, 301, "300", 280, 300},
        {"reversed gain +12..-12", decimal, 12, -12, 64, 0, "-12", 24, 52},
        // clang-format on
        {"master tune in tenths", [] { return std::make_unique<CSliderEditPairGlbParamF>(); }, 4300, 4500,
         -4400, -200, "430.0", 0, -100},
        {"velocity curve", [] { return std::make_unique<CSliderEditPairGlbParamCrv>(); }, 0, 127, 0, -5,
         "Crv", 0, 0},
        {"pan slider", [] { return std::make_unique<CSliderEditPairPrgParamPan>(); }, -63, 63, 64, 0, "L63",
         0, 1},
        {"E.F sense", [] { return std::make_unique<CSliderEditPairPrgParamEfSense>(); }, 0, 127, 0, 200,
         "Hold", 127, 127},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingProgram object{ProgramValues::kTable};
        FakeSlider slider;
        FakeEdit edit;
        const std::unique_ptr<CSliderEditPair> pair = c.make();
        object.Preset(kId, c.stored);
        pair->Bind(object, kId);
        pair->Setup(slider, edit, c.first, c.last, c.offset);
        EXPECT_EQ(edit.text, c.shown);
        EXPECT_EQ(slider.position, c.position);
        EXPECT_THAT(object.stores, ElementsAre(ParamStore{kId, c.held, 1}));

        // What the user does next reaches the object as it does for any
        // value: the shown end again stores nothing new, leaving the edit
        // neither; another value is stored.
        edit.text = c.shown;
        pair->OnEditChange();
        pair->OnEditKillFocus();
        pair->OnSliderChanged();
        EXPECT_EQ(object.stores.size(), 1u);
        slider.SetPosition(c.position == 0 ? 1 : c.position - 1);
        pair->OnSliderChanged();
        EXPECT_EQ(object.stores.size(), 2u);
        EXPECT_EQ(pair->ParseValue(edit.text), pair->RawToDisplay(object.GetParam(kId)));
    }
}

// A value the synth reports outside the range: shown at the nearer end and
// held so, when the pair is armed; a disarmed pair only shows it.
TEST(SliderEditPair, ShowStoredBringsAnOutOfRangeValueIntoTheObjectWhenArmed) {
    SliderRig<CSliderEditPairPrgParam> rig(0, 100, 0, 10);
    rig.pair.ShowStored(120);
    EXPECT_EQ(rig.slider.position, 100);
    EXPECT_EQ(rig.edit.text, "100");
    EXPECT_THAT(rig.object.stores, ElementsAre(ParamStore{kId, 100, 1}));
    rig.pair.SetArmed(false);
    rig.pair.ShowStored(-3);
    EXPECT_EQ(rig.edit.text, "0");
    EXPECT_EQ(rig.object.stores.size(), 1u);
}

TEST(SliderEditPair, UsedBeforeBindIsALogicError) {
    FakeSlider slider;
    FakeEdit edit;
    CSliderEditPairPrgParam pair;
    EXPECT_THROW(pair.Setup(slider, edit, 0, 127, 0), std::logic_error);
}

// Records the six operations in the order they run.
template <class Binding>
class Recording final : public Binding {
public:
    void SetParamValue(int stored) override {
        log.push_back("SetParamValue " + std::to_string(stored));
        Binding::SetParamValue(stored);
    }
    int GetParamValue() const override {
        log.push_back("GetParamValue");
        return Binding::GetParamValue();
    }
    int DisplayToRaw(int shown) const override {
        log.push_back("DisplayToRaw " + std::to_string(shown));
        return Binding::DisplayToRaw(shown);
    }
    int RawToDisplay(int stored) const override {
        log.push_back("RawToDisplay " + std::to_string(stored));
        return Binding::RawToDisplay(stored);
    }
    std::string FormatValue(int shown) const override {
        log.push_back("FormatValue " + std::to_string(shown));
        return Binding::FormatValue(shown);
    }
    int ParseValue(const std::string& text) const override {
        log.push_back("ParseValue " + text);
        return Binding::ParseValue(text);
    }
    mutable std::vector<std::string> log;
};

using RecordingSliderPair = Recording<CSliderEditPairPrgParam>;

TEST(SliderEditPair, OperationsRunInOrder) {
    SliderRig<RecordingSliderPair> rig(-10, 10, 64, 66);
    EXPECT_THAT(rig.pair.log, ElementsAre("GetParamValue", "RawToDisplay 66", "FormatValue 2"));

    rig.pair.log.clear();
    rig.Move(5);
    EXPECT_THAT(rig.pair.log,
                ElementsAre("ParseValue 2", "FormatValue -5", "DisplayToRaw -5", "SetParamValue 59"));

    rig.pair.log.clear();
    rig.Type("3");
    EXPECT_THAT(rig.pair.log, ElementsAre("ParseValue 3", "DisplayToRaw 3", "SetParamValue 67"));

    rig.pair.log.clear();
    rig.edit.text = "x";
    rig.pair.OnEditKillFocus();
    EXPECT_THAT(rig.pair.log, ElementsAre("FormatValue 3", "ParseValue 3"));
}

struct DialEditRig {
    DialEditRig(int a, int b, int offset, int stored) {
        object.Preset(kId, stored);
        pair.Bind(object, kId);
        pair.Setup(knob, edit, a, b, offset);
    }
    void Type(const std::string& text) {
        edit.text = text;
        pair.OnEditChange();
    }
    void Turn(int value) {
        knob.SetValue(value);
        pair.OnDialChanged();
    }

    RecordingProgram object{ProgramValues::kTable};
    FakeKnob knob;
    FakeEdit edit;
    CDialEditPairPrgParamPan pair;
};

TEST(DialEditPair, PanKnobShowsAndStoresWithOffset) {
    DialEditRig rig(-63, 63, 64, 61);
    EXPECT_EQ(rig.knob.low, -63);
    EXPECT_EQ(rig.knob.high, 63);
    EXPECT_EQ(rig.knob.defaultValue, 0);
    EXPECT_EQ(rig.knob.value, -3);
    EXPECT_EQ(rig.edit.text, "L3");
    EXPECT_THAT(rig.object.stores, IsEmpty());

    rig.Turn(0);
    EXPECT_EQ(rig.edit.text, "CNT");
    rig.Type("R63");
    EXPECT_EQ(rig.knob.value, 63);
    rig.Type("R64");
    rig.Type("");
    rig.Type("R63");
    EXPECT_THAT(rig.object.stores, ElementsAre(ParamStore{kId, 64, 1}, ParamStore{kId, 127, 1}));
    rig.edit.text = "R6";
    rig.pair.OnEditKillFocus();
    EXPECT_EQ(rig.edit.text, "R63");
    EXPECT_EQ(rig.object.stores.size(), 2u);
}

// Pan stored 0 with offset 64 is L64, beyond the knob's L63: shown and
// held as L63, so typing L63 afterwards agrees with the object.
TEST(DialEditPair, OutOfRangeStoredValueIsShownAndHeldAtTheNearerEnd) {
    const struct {
        int stored;
        const char* shown;
        int held;
    } cases[] = {{0, "L63", 1}, {200, "R63", 127}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        DialEditRig rig(-63, 63, 64, c.stored);
        EXPECT_EQ(rig.edit.text, c.shown);
        EXPECT_THAT(rig.object.stores, ElementsAre(ParamStore{kId, c.held, 1}));
        rig.Type(c.shown);
        rig.pair.OnEditKillFocus();
        EXPECT_EQ(rig.object.stores.size(), 1u);
        rig.Type("CNT");
        EXPECT_EQ(rig.object.GetParam(kId), 64);
    }
}

TEST(DialEditPair, OperationsRunInOrder) {
    RecordingProgram object{ProgramValues::kTable};
    FakeKnob knob;
    FakeEdit edit;
    Recording<CDialEditPairPrgParamPan> pair;
    object.Preset(kId, 60);
    pair.Bind(object, kId);
    pair.Setup(knob, edit, -63, 63, 64);
    EXPECT_THAT(pair.log, ElementsAre("GetParamValue", "RawToDisplay 60", "FormatValue -4"));

    pair.log.clear();
    knob.value = 2;
    pair.OnDialChanged();
    EXPECT_THAT(pair.log,
                ElementsAre("ParseValue L4", "FormatValue 2", "DisplayToRaw 2", "SetParamValue 66"));

    pair.log.clear();
    edit.text = "L1";
    pair.OnEditChange();
    EXPECT_THAT(pair.log, ElementsAre("ParseValue L1", "DisplayToRaw -1", "SetParamValue 63"));

    pair.log.clear();
    pair.OnEditKillFocus();
    EXPECT_THAT(pair.log, ElementsAre("FormatValue -1", "ParseValue L1"));
}

struct DialComboRig {
    explicit DialComboRig(int stored, int items = 30) : list(items) {
        object.Preset(kId, stored);
        pair.Bind(object, kId);
        pair.Setup(knob, list, 0, 29, 2);
    }

    RecordingProgram object{ProgramValues::kTable};
    FakeKnob knob;
    FakeChoice list;
    CDialComboPairPrgParam pair;
};

TEST(DialComboPair, KnobAndListShowTheSameIndex) {
    DialComboRig rig(12);
    EXPECT_EQ(rig.knob.defaultValue, 14);
    EXPECT_EQ(rig.knob.value, 10);
    EXPECT_EQ(rig.list.selection, 10);

    rig.list.selection = 5;
    rig.pair.OnComboChanged();
    EXPECT_EQ(rig.knob.value, 5);
    rig.pair.OnComboChanged();
    rig.knob.value = 29;
    rig.pair.OnDialChanged();
    EXPECT_EQ(rig.list.selection, 29);
    rig.pair.OnDialChanged();
    EXPECT_THAT(rig.object.stores, ElementsAre(ParamStore{kId, 7, 1}, ParamStore{kId, 31, 1}));
}

TEST(DialComboPair, NoSelectionOrAnItemOutsideTheRangeIsNeverStored) {
    DialComboRig rig(2, 40);
    for (const int item : {-1, 30, 39}) {
        rig.list.selection = item;
        rig.pair.OnComboChanged();
    }
    EXPECT_EQ(rig.knob.value, 0);
    EXPECT_THAT(rig.object.stores, IsEmpty());
}

TEST(DialComboPair, StoredValueWithoutAListItemSelectsNothing) {
    DialComboRig rig(2 + 25, 20);
    EXPECT_EQ(rig.list.selection, -1);
}

// An EQ frequency stored beyond the list's last item: the knob and the list
// show the last item and the object holds it, so picking another item and
// then the last one again stores both.
TEST(DialComboPair, OutOfRangeStoredValueIsShownAndHeldAtTheNearerEnd) {
    const struct {
        int stored;
        int item;
    } cases[] = {{40, 29}, {-7, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        DialComboRig rig(c.stored);
        EXPECT_EQ(rig.knob.value, c.item);
        EXPECT_EQ(rig.list.selection, c.item);
        EXPECT_THAT(rig.object.stores, ElementsAre(ParamStore{kId, c.item + 2, 1}));
        rig.list.selection = c.item;
        rig.pair.OnComboChanged();
        EXPECT_EQ(rig.object.stores.size(), 1u);
        rig.list.selection = 10;
        rig.pair.OnComboChanged();
        rig.list.selection = c.item;
        rig.pair.OnComboChanged();
        EXPECT_EQ(rig.object.GetParam(kId), c.item + 2);
        EXPECT_EQ(rig.object.stores.size(), 3u);
    }
}

// The group wired to its graph as the page does: the graph's change notice
// runs SyncFromGraph with focus.
struct AdsrRig {
    AdsrRig(int a, int d, int s, int r) {
        object.Preset(1, a);
        object.Preset(2, d);
        object.Preset(3, s);
        object.Preset(4, r);
        graph.onChanged = [this] {
            ++notices;
            group.SyncFromGraph(true);
        };
        group.Bind(object, 1, 2, 3, 4);
        group.Setup(graph, edits[0], edits[1], edits[2], edits[3]);
    }

    RecordingProgram object{ProgramValues::kTable};
    FakeEnvelope graph;
    FakeEdit edits[4];
    CAdsrGroupPrgParam group;
    int notices = 0;
};

// The graph's notices during the setup fill the edits; they neither store
// nor take the keyboard focus (an editor opened with it in the release edit,
// where the first key typed changed the release).
TEST(AdsrGroup, SetupFillsGraphAndEditsAndStoresNothing) {
    AdsrRig rig(10, 20, 0, 127);
    EXPECT_EQ(rig.graph.values[1], 20);
    EXPECT_EQ(rig.edits[0].text, "10");
    EXPECT_EQ(rig.edits[2].text, "0");
    EXPECT_EQ(rig.edits[3].text, "127");
    EXPECT_GT(rig.notices, 0);
    for (const FakeEdit& edit : rig.edits) EXPECT_EQ(edit.focusCount, 0);
    EXPECT_THAT(rig.object.stores, IsEmpty());
    EXPECT_TRUE(rig.group.IsArmed());
}

// A page shown again sets its group up again for values the object got
// from elsewhere: they are shown, nothing is stored, the focus stays, and a
// drag afterwards stores and takes the focus as before.
TEST(AdsrGroup, SetupAgainShowsNewValuesAndStoresNothing) {
    AdsrRig rig(10, 20, 30, 40);
    rig.object.Preset(1, 11);
    rig.object.Preset(2, 20);
    rig.object.Preset(3, 33);
    rig.object.Preset(4, 44);
    for (FakeEdit& e : rig.edits) e.Reset(e.text);
    rig.group.Setup(rig.graph, rig.edits[0], rig.edits[1], rig.edits[2], rig.edits[3]);
    EXPECT_EQ(rig.edits[0].text, "11");
    EXPECT_EQ(rig.edits[3].text, "44");
    EXPECT_EQ(rig.graph.values[2], 33);
    for (const FakeEdit& edit : rig.edits) EXPECT_EQ(edit.focusCount, 0);
    EXPECT_THAT(rig.object.stores, IsEmpty());
    EXPECT_TRUE(rig.group.IsArmed());

    rig.graph.Drag(3, 50);
    EXPECT_EQ(rig.edits[3].focusCount, 1);
    EXPECT_THAT(rig.object.stores, ElementsAre(ParamStore{4, 50, 1}));
}

// Values outside 0..127 (a file's attack of 200): the graph, the edits and
// the object all end at the nearer end, so typing 127 then agrees with what
// the object holds.
TEST(AdsrGroup, OutOfRangeStoredValuesAreShownAndHeldAtTheNearerEnd) {
    AdsrRig rig(200, 20, -4, 127);
    EXPECT_EQ(rig.edits[0].text, "127");
    EXPECT_EQ(rig.edits[2].text, "0");
    EXPECT_EQ(rig.graph.values[0], 127);
    EXPECT_THAT(rig.object.stores, ElementsAre(ParamStore{1, 127, 1}, ParamStore{3, 0, 1}));
    rig.edits[0].text = "127";
    rig.group.OnAttackEdit();
    rig.group.Refresh();
    EXPECT_EQ(rig.object.stores.size(), 2u);
    rig.edits[0].text = "100";
    rig.group.OnAttackEdit();
    EXPECT_EQ(rig.object.GetParam(1), 100);
}

TEST(AdsrGroup, DragRewritesOnlyChangedEditsAndStoresEachOnce) {
    AdsrRig rig(10, 20, 30, 40);
    for (FakeEdit& e : rig.edits) e.Reset(e.text);
    rig.graph.Drag(1, 25);
    rig.graph.Drag(3, 41);
    EXPECT_EQ(rig.edits[0].writes, 0);
    EXPECT_EQ(rig.edits[1].text, "25");
    EXPECT_EQ(rig.edits[1].writes, 1);
    EXPECT_EQ(rig.edits[2].writes, 0);
    EXPECT_EQ(rig.edits[3].text, "41");
    EXPECT_EQ(rig.edits[3].focusCount, 1);
    EXPECT_THAT(rig.object.stores, ElementsAre(ParamStore{2, 25, 1}, ParamStore{4, 41, 1}));
}

TEST(AdsrGroup, TypedValueMovesTheGraphAndStoresOnce) {
    AdsrRig rig(10, 20, 30, 40);
    rig.edits[2].text = "128";
    rig.group.OnSustainEdit();
    rig.edits[2].text = "-1";
    rig.group.OnSustainEdit();
    rig.edits[2].text = "";
    rig.group.OnSustainEdit();
    EXPECT_EQ(rig.graph.values[2], 30);
    rig.edits[2].text = "99";
    rig.group.OnSustainEdit();
    EXPECT_EQ(rig.graph.values[2], 99);
    EXPECT_THAT(rig.object.stores, ElementsAre(ParamStore{3, 99, 1}));

    rig.edits[0].text = "0";
    rig.group.OnAttackEdit();
    rig.edits[3].text = "127";
    rig.group.OnReleaseEdit();
    rig.edits[1].text = "00";
    rig.group.OnDecayEdit();
    EXPECT_THAT(rig.object.stores,
                ElementsAre(ParamStore{3, 99, 1}, ParamStore{1, 0, 1}, ParamStore{4, 127, 1}));
}

TEST(AdsrGroup, RefreshRewritesTextsFromTheGraph) {
    AdsrRig rig(10, 20, 30, 40);
    rig.edits[1].Reset("2");
    rig.edits[3].Reset("junk");
    rig.group.Refresh();
    EXPECT_EQ(rig.edits[1].text, "20");
    EXPECT_EQ(rig.edits[3].text, "40");
    EXPECT_EQ(rig.edits[1].focusCount, 0);
    EXPECT_THAT(rig.object.stores, IsEmpty());
}

}  // namespace
