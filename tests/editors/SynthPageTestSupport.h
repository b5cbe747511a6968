#pragma once
// Headless help for the Timbre and Vocoder page tests: rows of a page's
// binding table set up on fake views over a program, as the page sets them
// up, and lookups in its layout table.

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "controls/CAdsrGroup.h"
#include "editors/ProgramPageBindings.h"
#include "editors/ProgramPageLayout.h"
#include "editors/ProgramPageTable.h"
#include "editors/SynthPageRules.h"
#include "tests/support/RecordingProgram.h"
#include "tests/controls/BindingFakes.h"

namespace synthpage_test {

// The item of `list` whose text is `text`; -1 when there is none.
inline int ItemOf(std::span<const PageControl> layout, int list, std::string_view text) {
    const PageControl* control = FindControl(layout, list);
    if (control == nullptr) return -1;
    for (std::size_t i = 0; i < control->items.size(); ++i)
        if (text == control->items[i]) return static_cast<int>(i);
    return -1;
}

// A trackbar + edit row.
class HeadlessSliderPair {
public:
    HeadlessSliderPair(const PageBinding& row, MDevDescProgram& program, int base)
        : pair(MakeSliderPair(row.kind)) {
        pair->Bind(program, base + row.param);
        pair->Setup(slider, edit, row.first, row.last, row.offset);
    }
    HeadlessSliderPair(const HeadlessSliderPair&) = delete;
    HeadlessSliderPair& operator=(const HeadlessSliderPair&) = delete;

    void Type(const std::string& text) {
        edit.text = text;
        pair->OnEditChange();
    }

    std::unique_ptr<CSliderEditPair> pair;
    FakeSlider slider;
    FakeEdit edit;
};

// A knob + edit row.
class HeadlessDialPair {
public:
    HeadlessDialPair(const PageBinding& row, MDevDescProgram& program, int base)
        : pair(MakeDialEditPair(row.kind)) {
        pair->Bind(program, base + row.param);
        pair->Setup(knob, edit, row.first, row.last, row.offset);
    }
    HeadlessDialPair(const HeadlessDialPair&) = delete;
    HeadlessDialPair& operator=(const HeadlessDialPair&) = delete;

    void Type(const std::string& text) {
        edit.text = text;
        pair->OnEditChange();
    }

    std::unique_ptr<CDialEditPair> pair;
    FakeKnob knob;
    FakeEdit edit;
};

// An envelope row; the graph's notices reach the group as on the page.
class HeadlessEnvelope {
public:
    HeadlessEnvelope(const PageBinding& row, MDevDescProgram& program, int base) {
        const int first = base + row.param;
        group.Bind(program, first, first + 1, first + 2, first + 3);
        graph.onChanged = [this] { group.SyncFromGraph(true); };
        group.Setup(graph, edits[0], edits[1], edits[2], edits[3]);
    }
    HeadlessEnvelope(const HeadlessEnvelope&) = delete;
    HeadlessEnvelope& operator=(const HeadlessEnvelope&) = delete;

    CAdsrGroupPrgParam group;
    FakeEnvelope graph;
    FakeEdit edits[4];
};

}  // namespace synthpage_test

namespace synthpage_test {

// The ids a set of rule changes leaves hidden.
inline std::set<int> HiddenBy(std::initializer_list<ControlChanges> changes) {
    std::set<int> hidden;
    for (const ControlChanges& list : changes)
        for (const ControlChange& change : list) {
            if (change.what != ControlChange::Show) continue;
            if (change.on) hidden.erase(change.id);
            else hidden.insert(change.id);
        }
    return hidden;
}

// Rows whose controls are missing from the layout or of the wrong kind, as
// "#1016 ..." lines; empty when every row finds its controls.
inline std::vector<std::string> BindingControlMismatches(std::span<const PageControl> layout,
                                                         std::span<const PageBinding> bindings) {
    using K = PageControlKind;
    std::vector<std::string> problems;
    const auto expect = [&](int id, std::initializer_list<K> kinds) {
        const PageControl* control = FindControl(layout, id);
        bool ok = control != nullptr;
        if (ok) {
            ok = false;
            for (const K kind : kinds) ok = ok || control->kind == kind;
        }
        if (!ok) problems.push_back("#" + std::to_string(id) + " missing or of the wrong kind");
    };
    for (const PageBinding& row : bindings) {
        switch (row.kind) {
        case PageBindingKind::Choice: expect(row.control, {K::Choice, K::WaveChoice}); break;
        case PageBindingKind::Check: expect(row.control, {K::CheckBox}); break;
        case PageBindingKind::SliderPair:
        case PageBindingKind::PanSliderPair:
        case PageBindingKind::HexSliderPair:
        case PageBindingKind::HoldSliderPair:
            expect(row.control, {K::Slider, K::VSlider});
            expect(row.partner, {K::Edit});
            break;
        case PageBindingKind::PanDialEdit:
            expect(row.control, {K::Knob});
            expect(row.partner, {K::Edit});
            break;
        case PageBindingKind::Envelope:
            expect(row.control, {K::EnvelopeGraph});
            for (const int edit : row.edits) expect(edit, {K::Edit});
            if (row.edits.size() != 4)
                problems.push_back("#" + std::to_string(row.control) + " needs four edits");
            break;
        default: problems.push_back("#" + std::to_string(row.control) + " has a kind these pages lack");
        }
    }
    return problems;
}

// The parameters (base + param) the rows store, each as often as it occurs.
inline std::multiset<int> StoredIds(std::span<const PageBinding> bindings, int base) {
    std::multiset<int> ids;
    for (const PageBinding& row : bindings) {
        const int count = row.kind == PageBindingKind::Envelope ? 4 : 1;
        for (int i = 0; i < count; ++i) ids.insert(base + row.param + i);
    }
    return ids;
}

// Control ids used by more than one layout row.
inline std::vector<int> DuplicateIds(std::span<const PageControl> layout) {
    std::set<int> seen;
    std::vector<int> duplicates;
    for (const PageControl& control : layout)
        if (control.id != kNoControlId && !seen.insert(control.id).second) duplicates.push_back(control.id);
    return duplicates;
}

// The row of `control`; a test failure and a row of no parameter when
// there is none.
inline const PageBinding& RowOf(std::span<const PageBinding> bindings, int control) {
    const PageBinding* row = FindBinding(bindings, control);
    EXPECT_NE(row, nullptr) << "#" << control;
    static const PageBinding kNone{PageBindingKind::Choice, kNoControlId, kNoControlId, -1000};
    return row ? *row : kNone;
}

// The table layout check in every state of the OSC 1 wave and both tempo
// sync rules (what they hide is not there to overlap); one line per
// problem, with the state it shows in.
inline std::vector<std::string> LayoutProblemsInEveryRuleState(std::span<const PageControl> layout, int width,
                                                               int height, const synthpage::Osc1WaveIds& osc1,
                                                               const synthpage::LfoSyncIds& lfo1,
                                                               const synthpage::LfoSyncIds& lfo2) {
    using namespace synthpage;
    std::vector<std::string> problems;
    for (const int wave : {0, kWaveKarv})
        for (const bool sync1 : {false, true})
            for (const bool sync2 : {false, true}) {
                const std::set<int> hidden = HiddenBy(
                    {Osc1WaveChanges(osc1, wave), LfoSyncChanges(lfo1, sync1), LfoSyncChanges(lfo2, sync2)});
                for (const std::string& problem : CheckTableLayout(layout, width, height, hidden))
                    problems.push_back(problem + " (wave " + std::to_string(wave) + ", sync " +
                                       std::to_string(sync1) + std::to_string(sync2) + ")");
            }
    return problems;
}

// Sets every trackbar + edit row up over a program holding the row's first
// shown value at `base` and types the value at the other end: a row must
// store nothing while it is set up and then exactly that value once. One
// line per fault.
inline std::vector<std::string> PairStoreProblems(std::span<const PageBinding> bindings, int base) {
    std::vector<std::string> problems;
    for (const PageBinding& row : bindings) {
        if (!IsSliderPair(row.kind)) continue;
        velktest::RecordingProgram program;
        // (A hex level shows any stored value within its range.)
        if (row.kind != PageBindingKind::HexSliderPair)
            program.Preset(base + row.param, row.first + row.offset);
        HeadlessSliderPair pair(row, program, base);
        const std::string name = "#" + std::to_string(row.control);
        if (!program.stores.empty()) problems.push_back(name + " stores while it is set up");
        const int target = pair.slider.position == 0 ? row.last : row.first;
        pair.Type(pair.pair->FormatValue(target));
        const velktest::ParamStore expected{base + row.param, pair.pair->DisplayToRaw(target), 1};
        if (program.stores != std::vector<velktest::ParamStore>{expected})
            problems.push_back(name + " does not store its typed value once");
    }
    return problems;
}

}  // namespace synthpage_test
