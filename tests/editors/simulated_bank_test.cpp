// The simulated synth's bank, read as the program reads it (the device's
// program and global records) and checked against what the editors' pages
// accept: every stored value must show as itself on its page, so the bank
// the program is tried on never shows a control at an end it does not hold.

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "controls/CSliderEditPair.h"
#include "controls/CWiredPtsModel.h"
#include "device/MDevDescZEPHAGlobal.h"
#include "device/MDevDescZEPHAProgram.h"
#include "editors/ArpeggioPageTables.h"
#include "editors/EffectPageTables.h"
#include "editors/GlobalPageTables.h"
#include "editors/ProgramEditorTabs.h"
#include "editors/ProgramPageBindings.h"
#include "editors/TimbrePageTable.h"
#include "editors/VocoderPageTable.h"
#include "simulator/SimBank.h"
#include "simulator/SimSynth.h"
#include "tests/controls/BindingFakes.h"
#include "tests/support/RecordingProgram.h"

namespace {

namespace Id = MDevProgramParamId;
using velktest::RecordingProgramOwner;

constexpr SimModel kModels[] = {SimModel::Brontisel, SimModel::BrontiselS};

std::string ModelName(SimModel model) { return model == SimModel::Brontisel ? "Brontisel" : "Brontisel S"; }

// The synth's programs as the device reads them.
class BankPrograms {
public:
    explicit BankPrograms(const SimSynth& synth) {
        for (int i = 0; i < synth.Info().programCount; ++i) {
            programs_.push_back(std::make_unique<MDevDescZEPHAProgram>(owner_));
            programs_.back()->FromBytes(synth.Program(i));
        }
    }
    std::size_t Count() const { return programs_.size(); }
    MDevDescZEPHAProgram& operator[](std::size_t i) const { return *programs_[i]; }

private:
    RecordingProgramOwner owner_;
    std::vector<std::unique_ptr<MDevDescZEPHAProgram>> programs_;
};

// A page as the editors lay it out: its controls, its bindings and the
// parameter its bindings count from.
struct PageTables {
    std::string name;
    std::span<const PageControl> layout;
    std::span<const PageBinding> bindings;
    int base;
};

PageTables ProgramPage(PrgPageKind kind) {
    switch (kind) {
    case PrgPageKind::Effect: return {"Effect", effect_page::LayoutTable(), effect_page::BindingTable(), 0};
    case PrgPageKind::Arpeggio:
        return {"Arpeggio", arpeggio_page::LayoutTable(), arpeggio_page::BindingTable(), 0};
    case PrgPageKind::Timbre1:
    case PrgPageKind::Timbre2:
        return {kind == PrgPageKind::Timbre1 ? "Timbre 1" : "Timbre 2", timbrepage::Layout(),
                timbrepage::Bindings(), PageParamBase(kind)};
    case PrgPageKind::Vocoder:
        return {"Vocoder", vocoderpage::Layout(), vocoderpage::Bindings(), vocoderpage::kParamBase};
    case PrgPageKind::None: break;
    }
    return {};
}

// The pages a program's values appear on: those of its voice mode, and for
// Single also Timbre 2 (the record holds it; choosing Layer shows it).
std::vector<PrgPageKind> PagesOf(int32_t voiceMode) {
    std::set<PrgPageKind> kinds;
    const int item = SelectVoiceMode(voiceMode);
    for (const PrgTab& tab : TabSetOfItem(item)) kinds.insert(tab.kind);
    if (voiceMode == Id::kVoiceModeSingle)
        for (const PrgTab& tab : TabSetOfItem(1)) kinds.insert(tab.kind);
    return {kinds.begin(), kinds.end()};
}

// A one-value binding set up over a copy of the stored value, so that
// whatever its setup does leaves the program alone; true when the stored
// value converts to a shown value inside [first, last] and back to itself.
template <class Binding>
bool ShowsItself(Binding& binding, int32_t stored, int first, int last) {
    const int shown = binding.RawToDisplay(stored);
    return shown >= std::min(first, last) && shown <= std::max(first, last) &&
           binding.DisplayToRaw(shown) == stored;
}

bool SliderShowsItself(std::unique_ptr<CSliderEditPair> pair, int32_t stored, int first, int last,
                       int offset) {
    velktest::RecordingProgram copy{velktest::ProgramValues::kTable};
    copy.Preset(0, stored);
    FakeSlider slider;
    FakeEdit edit;
    pair->Bind(copy, 0);
    pair->Setup(slider, edit, first, last, offset);
    return ShowsItself(*pair, stored, first, last);
}

std::size_t ItemCount(std::span<const PageControl> layout, int list) {
    const PageControl* control = FindControl(layout, list);
    return control != nullptr ? control->items.size() : 0;
}

// Whether the stored value(s) of one binding row lie in the range of its
// control(s).
bool InRange(const PageBinding& row, std::span<const PageControl> layout, const MDevDescProgram& object,
             int base) {
    const int32_t stored = object.GetParam(base + row.param);
    velktest::RecordingProgram copy{velktest::ProgramValues::kTable};
    copy.Preset(0, stored);
    switch (row.kind) {
    case PageBindingKind::Choice: {
        const int item = ChoiceItemOf(row, stored);
        return item >= 0 && static_cast<std::size_t>(item) < ItemCount(layout, row.control);
    }
    case PageBindingKind::Check: return stored == CheckStoredValue(stored != 0);
    case PageBindingKind::OnOffButton: return stored == OnOffButtonStoredValue(OnOffButtonState(stored));
    case PageBindingKind::StepButtons: {
        std::vector<int> states;
        for (int step = 0; step < StepButtonCount(row); ++step)
            states.push_back(StepButtonState(stored, step));
        return stored == StepPatternOf(states);
    }
    case PageBindingKind::SliderPair:
    case PageBindingKind::PanSliderPair:
    case PageBindingKind::HexSliderPair:
    case PageBindingKind::HoldSliderPair:
        return SliderShowsItself(MakeSliderPair(row.kind), stored, row.first, row.last, row.offset);
    case PageBindingKind::PanDialEdit: {
        auto pair = MakeDialEditPair(row.kind);
        FakeKnob knob;
        FakeEdit edit;
        pair->Bind(copy, 0);
        pair->Setup(knob, edit, row.first, row.last, row.offset);
        return ShowsItself(*pair, stored, row.first, row.last);
    }
    case PageBindingKind::DialChoice: {
        auto pair = MakeDialComboPair(row.kind);
        FakeKnob knob;
        FakeChoice list(static_cast<int>(ItemCount(layout, row.partner)));
        pair->Bind(copy, 0);
        pair->Setup(knob, list, row.first, row.last, row.offset);
        const int shown = pair->RawToDisplay(stored);
        return ShowsItself(*pair, stored, row.first, row.last) && shown < list.GetCount();
    }
    case PageBindingKind::Envelope:
        for (int k = 0; k < 4; ++k) {
            const int32_t value = object.GetParam(base + row.param + k);
            if (value < 0 || value > CWiredPtsModel::kMaxValue) return false;
        }
        return true;
    }
    return false;
}

// "Timbre 1: control 1159 (param 37) holds 0" for every row out of range.
std::vector<std::string> OutOfRange(const PageTables& page, const MDevDescProgram& object) {
    std::vector<std::string> faults;
    for (const PageBinding& row : page.bindings)
        if (!InRange(row, page.layout, object, page.base))
            faults.push_back(page.name + ": control " + std::to_string(row.control) + " (param " +
                             std::to_string(page.base + row.param) + ") holds " +
                             std::to_string(object.GetParam(page.base + row.param)));
    return faults;
}

std::unique_ptr<CSliderEditPair> GlobalPair(glbpage::GlobalSliderPair::Kind kind) {
    switch (kind) {
    case glbpage::GlobalSliderPair::kTenths: return std::make_unique<CSliderEditPairGlbParamF>();
    case glbpage::GlobalSliderPair::kCurve: return std::make_unique<CSliderEditPairGlbParamCrv>();
    case glbpage::GlobalSliderPair::kDecimal: break;
    }
    return std::make_unique<CSliderEditPairGlbParam>();
}

std::vector<const glbpage::GlobalPage*> GlobalPages(int programCount) {
    return {&glbpage::GlobalTab(), &glbpage::MidiTab(), &glbpage::ControlChangeTab(),
            &glbpage::FavoriteTab(programCount)};
}

std::string ShortList(const std::vector<std::string>& faults) {
    std::string text;
    for (std::size_t i = 0; i < faults.size() && i < 12; ++i) text += "\n  " + faults[i];
    if (faults.size() > 12) text += "\n  ... " + std::to_string(faults.size() - 12) + " more";
    return text;
}

TEST(SimulatedBank, EveryProgramValueShowsAsItselfOnItsEditorPages) {
    for (const SimModel model : kModels) {
        const SimSynth synth(model);
        const BankPrograms programs(synth);
        std::vector<std::string> faults;
        for (std::size_t i = 0; i < programs.Count(); ++i) {
            const MDevDescZEPHAProgram& program = programs[i];
            const int32_t mode = program.GetParam(Id::kVoiceMode);
            const std::string where = "program " + std::to_string(i) + " \"" + program.GetName() + "\" ";
            if (VoiceModeOfItem(SelectVoiceMode(mode)) != mode)
                faults.push_back(where + "voice mode " + std::to_string(mode) + " is on no list item");
            for (const PrgPageKind kind : PagesOf(mode))
                for (const std::string& fault : OutOfRange(ProgramPage(kind), program))
                    faults.push_back(where + fault);
        }
        EXPECT_TRUE(faults.empty()) << ModelName(model) << ": " << faults.size()
                                    << " values out of their controls' range:" << ShortList(faults);
    }
}

// Values on no page: each fits its record field (the device writes back
// the very bytes it read) and every value the device names has a name.
TEST(SimulatedBank, EveryProgramRecordFitsItsFieldsAndNamesItsValues) {
    constexpr int kNamedIds[] = {Id::kVoiceMode,     Id::kScaleKey,  Id::kScaleType, Id::kDelaySync,
                                 Id::kDelayTimeBase, Id::kDelayType, Id::kModType,   Id::kEqHiFreq,
                                 Id::kEqLowFreq,     Id::kArpOnOff,  Id::kArpLatch,  Id::kArpTarget,
                                 Id::kArpKeySync,    Id::kArpType,   Id::kArpRange,  Id::kArpResolution};
    for (const SimModel model : kModels) {
        const SimSynth synth(model);
        const BankPrograms programs(synth);
        for (std::size_t i = 0; i < programs.Count(); ++i) {
            const auto record = synth.Program(static_cast<int>(i));
            EXPECT_EQ(programs[i].ToBytes(), record) << ModelName(model) << " program " << i;
            for (const int id : kNamedIds) {
                const std::string text = programs[i].GetValueText(id);
                EXPECT_TRUE(text != "Undefined" && text != "Undefind")
                    << ModelName(model) << " program " << i << " id " << id << " holds "
                    << programs[i].GetParam(id);
            }
        }
    }
}

TEST(SimulatedBank, HoldsEveryVoiceModeAndArpeggiatorOnAndOff) {
    for (const SimModel model : kModels) {
        const SimSynth synth(model);
        const BankPrograms programs(synth);
        std::set<int32_t> modes;
        std::set<int32_t> arpeggiator;
        for (std::size_t i = 0; i < programs.Count(); ++i) {
            modes.insert(programs[i].GetParam(Id::kVoiceMode));
            arpeggiator.insert(programs[i].GetParam(Id::kArpOnOff));
        }
        EXPECT_EQ(modes,
                  (std::set<int32_t>{Id::kVoiceModeSingle, Id::kVoiceModeLayer, Id::kVoiceModeVocoder}))
            << ModelName(model);
        EXPECT_EQ(arpeggiator, (std::set<int32_t>{0, 1})) << ModelName(model);
    }
}

TEST(SimulatedBank, GlobalValuesShowAsThemselvesOnTheGlobalEditorPages) {
    for (const SimModel model : kModels) {
        const SimSynth synth(model);
        RecordingProgramOwner owner;
        MDevDescZEPHAGlobal global(owner);
        global.FromBytes(synth.Global(), MDevGlobalSource::Device);
        MDevDescZEPHAGlobal blank(owner);
        blank.FromBytes(MDevGlobalData{}, MDevGlobalSource::Device);

        std::vector<std::string> faults;
        for (const glbpage::GlobalSliderPair& row : glbpage::GlobalTabSliders())
            if (!SliderShowsItself(GlobalPair(row.kind), global.GetParam(row.param), row.first, row.last,
                                   row.offset))
                faults.push_back("Global: control " + std::to_string(row.slider) + " holds " +
                                 std::to_string(global.GetParam(row.param)));
        for (const glbpage::GlobalPage* page : GlobalPages(synth.Info().programCount)) {
            const PageTables tables{page->title, page->layout, page->bindings, 0};
            const auto pageFaults = OutOfRange(tables, global);
            faults.insert(faults.end(), pageFaults.begin(), pageFaults.end());
            // Set by a player: the page does not look as an all-zero record does.
            bool changed = false;
            for (const PageBinding& row : page->bindings)
                changed = changed || global.GetParam(row.param) != blank.GetParam(row.param);
            EXPECT_TRUE(changed) << ModelName(model) << ": page " << page->title << " shows initial values";
        }
        EXPECT_TRUE(faults.empty()) << ModelName(model) << ":" << ShortList(faults);
        EXPECT_EQ(global.ToBytes(), synth.Global()) << ModelName(model);
        EXPECT_FALSE(synth.WriteProtect()) << ModelName(model) << ": the synth must take writes";
    }
}

}  // namespace
