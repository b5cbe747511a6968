#pragma once
// A page brings a stored value outside a pair's or an envelope's range to
// the nearer end and stores that as soon as it opens. An all-zero program
// holds such values (a pan of 0 reads L64, a tempo of 0 lies below 20), so
// tests that count stores or commits from an all-zero program first move
// those values to the ends the pages would show: then the pages store only
// what the test makes the user change.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <span>

#include "device/MDevDescProgram.h"
#include "editors/ArpeggioPageTables.h"
#include "editors/EffectPageTables.h"
#include "editors/ProgramPageTable.h"
#include "editors/TimbrePageTable.h"
#include "editors/VocoderPageTable.h"
#include "tests/support/RecordingProgram.h"

namespace editors_test {

// `preset` sets a value without announcing it (as SetParam notify 0 does).
using PresetValue = std::function<void(int id, int32_t value)>;

// For each pair row of `bindings` at `base` whose value lies outside the
// row's range: that value's nearer end. (Envelope values are stored as shown
// and 0 lies inside their range; a hex level shows any stored value.)
inline void PresetIntoRange(const MDevDescProgram& program, std::span<const PageBinding> bindings, int base,
                            const PresetValue& preset) {
    for (const PageBinding& row : bindings) {
        switch (row.kind) {
        case PageBindingKind::SliderPair:
        case PageBindingKind::PanSliderPair:
        case PageBindingKind::HoldSliderPair:
        case PageBindingKind::PanDialEdit:
        case PageBindingKind::DialChoice: {
            const int id = base + row.param;
            const int shown = program.GetParam(id) - row.offset;
            const int kept = std::clamp(shown, std::min(row.first, row.last), std::max(row.first, row.last));
            if (kept != shown) preset(id, kept + row.offset);
            break;
        }
        default: break;
        }
    }
}

// The same for every page of the Program Editor.
inline void PresetEveryPageIntoRange(const MDevDescProgram& program, const PresetValue& preset) {
    PresetIntoRange(program, effect_page::BindingTable(), 0, preset);
    PresetIntoRange(program, arpeggio_page::BindingTable(), 0, preset);
    for (const int base : {timbrepage::kTimbre1Base, timbrepage::kTimbre2Base})
        PresetIntoRange(program, timbrepage::Bindings(), base, preset);
    PresetIntoRange(program, vocoderpage::Bindings(), vocoderpage::kParamBase, preset);
}

// A recording program, preset without recording.
inline void PresetEveryPageIntoRange(velktest::RecordingProgram& program) {
    PresetEveryPageIntoRange(program, [&](int id, int32_t value) { program.Preset(id, value); });
}

}  // namespace editors_test
