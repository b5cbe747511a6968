#pragma once
// Help for the Timbre and Vocoder page tests on real windows.

#include <wx/bmpcbox.h>

#include <algorithm>
#include <initializer_list>
#include <span>
#include <string>

#include "PageGuiSupport.h"
#include "editors/ProgramPageBindings.h"
#include "editors/SynthPageRules.h"
#include "editors/wx/CProgramPage.h"
#include "tests/support/RecordingProgram.h"

namespace editors_test {

// The user picks an item of a wave list.
inline void UserPickWave(wxWindow* control, int item) {
    auto* list = dynamic_cast<wxBitmapComboBox*>(control);
    ASSERT_NE(list, nullptr);
    list->SetSelection(item);
    RaiseCommand(*list, wxEVT_COMBOBOX, item);
}

// The ids among `ids` whose control is missing or does not answer `query`
// (IsShown, IsEnabled) with `expected`; empty when all do.
template <class Ids>
std::string Mismatches(const CProgramPage& page, const Ids& ids, bool (wxWindowBase::*query)() const,
                       bool expected) {
    std::string wrong;
    for (const int id : ids) {
        const wxWindow* control = page.Control(id);
        if (control == nullptr || (control->*query)() != expected) wrong += " #" + std::to_string(id);
    }
    return wrong;
}

inline std::string ShownMismatches(const CProgramPage& page, std::initializer_list<int> ids, bool shown) {
    return Mismatches(page, ids, &wxWindowBase::IsShown, shown);
}

template <class Ids>
std::string EnabledMismatches(const CProgramPage& page, const Ids& ids, bool enabled) {
    return Mismatches(page, ids, &wxWindowBase::IsEnabled, enabled);
}

// A label's text; the line breaks a wrapped label got read as spaces.
inline std::string LabelOf(const CProgramPage& page, int id) {
    const wxWindow* control = page.Control(id);
    if (control == nullptr) return "(none)";
    std::string text(control->GetLabel().utf8_str());
    for (char& c : text)
        if (c == '\n') c = ' ';
    return text;
}

// Presets every pair and envelope of a page to the value with the widest
// text: the most negative shown value where there is one ("-63", "L63"),
// else the largest ("127", "7FFFFF", "Hold").
inline void PresetWidestValues(velktest::RecordingProgram& program, std::span<const PageBinding> bindings,
                               int base) {
    for (const PageBinding& row : bindings) {
        const int low = std::min(row.first, row.last);
        const int shown = low < 0 ? low : std::max(row.first, row.last);
        if (row.kind == PageBindingKind::HexSliderPair)
            program.Preset(base + row.param, MakeSliderPair(row.kind)->DisplayToRaw(shown));
        else if (IsSliderPair(row.kind)) program.Preset(base + row.param, shown + row.offset);
        else if (row.kind == PageBindingKind::PanDialEdit)
            program.Preset(base + row.param, shown + row.offset);
        else if (row.kind == PageBindingKind::Envelope)
            for (int i = 0; i < 4; ++i) program.Preset(base + row.param + i, 127);
    }
}

// CheckWindowTexts for a page whose label `twoLineLabel` is meant to wrap
// onto two lines (GTK wraps a label to its width; the check reads the
// one-line width): that label must be two lines high instead.
inline std::vector<std::string> CroppedTexts(const CProgramPage& page, int twoLineLabel) {
    std::vector<std::string> problems;
    const std::string labelName = "#" + std::to_string(twoLineLabel) + " ";
    for (const std::string& problem : CheckWindowTexts(page))
        if (problem.rfind(labelName, 0) != 0) problems.push_back(problem);
    const wxWindow* label = page.Control(twoLineLabel);
    if (label == nullptr || label->GetSize().y < 2 * label->GetCharHeight())
        problems.push_back(labelName + "is not two lines high");
    return problems;
}

// The layout and text checks on a page in the states its rules give: as
// created, then with KARV and both tempo syncs, then with the waves whose
// labels are longest. One line per problem, with the state it shows in.
inline std::vector<std::string> ProblemsInEveryRuleState(CProgramPage& page, int waveList, int lfo1Sync,
                                                         int lfo2Sync, int twoLineLabel) {
    std::vector<std::string> problems;
    const auto check = [&](const std::string& state, bool layout) {
        std::vector<std::string> found = CroppedTexts(page, twoLineLabel);
        if (layout)
            for (const std::string& p : CheckWindowLayout(page)) found.push_back(p);
        for (const std::string& p : found) problems.push_back(p + " (" + state + ")");
    };
    check("as created", true);
    UserPickWave(page.Control(waveList), synthpage::kWaveKarv);
    UserCheck(page.Control(lfo1Sync), true);
    UserCheck(page.Control(lfo2Sync), true);
    check("KARV, tempo sync", true);
    for (const int wave : {synthpage::kWaveSine, synthpage::kWaveAudioIn}) {
        UserPickWave(page.Control(waveList), wave);
        check("wave " + std::to_string(wave), false);
    }
    return problems;
}

}  // namespace editors_test
