#pragma once
// A Program Editor page as data: what controls it has and where (the layout
// table), which parameter each control edits and how (the binding table),
// and what its dependent rules change (control changes). The wx layer
// (editors/wx/CProgramPage.h) builds a page from these tables; tests read
// the same tables.
//
// How to write a page:
//   1. A layout table: one PageControl per control, in dialog units of the
//      page, in tab order. Controls without an id (plain labels, group
//      boxes) use kNoControlId. List items and wave images are spans over
//      static arrays (item index = shown value).
//   2. A binding table: one PageBinding per bound control or pair. `param`
//      is added to the page's parameter base (0 for the common parameters,
//      28 / 93 for the timbres, 158 for the vocoder part). Rows are set up
//      in table order when the page is created; setting up stores nothing
//      but the nearer end of a pair or envelope value outside its range.
//   3. Dependent rules: pure functions from what the user selected to a list
//      of ControlChange (show / enable / relabel), applied by the page.
//   4. Check the layout with CheckTableLayout (ProgramPageLayout.h) in a
//      headless test and with CheckWindowLayout on the created page.
//   5. The wx class derives from CProgramPage (editors/wx/CProgramPage.h);
//      page-specific touches go through ControlAs<T>(id) after the base
//      constructor, e.g. ControlAs<wxTextCtrl>(id)->SetMaxLength(6).
// Test helpers: tests/support/RecordingProgram.h (a real program that
// records SetParam), tests/editors/PageBindingRig.h (one row over fake
// controls, headless) and tests/editors/gui/PageGuiSupport.h (user actions
// on real controls, pictures with VELK_SHOTS_DIR set).

#include <cstdint>
#include <span>
#include <string>
#include <vector>

inline constexpr int kNoControlId = -1;

enum class PageControlKind {
    Label,         // static text, vertically centred in its rectangle
    LabelTop,      // static text at the top of its rectangle
    LabelCentred,  // static text centred both ways (channel numbers)
    GroupBox,      // a frame with a caption; never overlaps-checked
    Choice,        // drop-down list; the table height includes the dropped list
    WaveChoice,    // drop-down list with a wave picture per item
    Edit,          // one-line edit, text centred
    Slider,        // horizontal trackbar
    VSlider,       // vertical trackbar (position 0 at the top)
    CheckBox,
    Knob,            // CDial
    TwoStateButton,  // C2StateButton
    EnvelopeGraph,   // CWiredPts
};

struct PageControl {
    int id;
    PageControlKind kind;
    const char* text;  // caption, "" for none
    int x, y, w, h;    // dialog units
    std::span<const char* const> items = {};
    std::span<const int> images = {};  // WaveChoice: picture index of each item
};

enum class PageBindingKind {
    Choice,          // list selection: stored = item + offset
    Check,           // check box: stored 1 when checked, else 0
    SliderPair,      // trackbar + edit, decimal text (CSliderEditPairPrgParam)
    PanSliderPair,   // trackbar + edit, "L12" / "CNT" / "R5"
    HexSliderPair,   // trackbar + edit, six hex digits stored in bits 8-30
    HoldSliderPair,  // trackbar + edit, 127 as "Hold" (E.F Sense)
    PanDialEdit,     // knob + edit, pan text (CDialEditPairPrgParamPan)
    DialChoice,      // knob + list (CDialComboPairPrgParam)
    Envelope,        // graph + four edits; params param..param+3 = A, D, S, R
    OnOffButton,     // two-state button: stored 1 shows state 0 ("On")
    StepButtons,     // `last` + 1 two-state buttons from `control` on, ids
                     // consecutive; stored = bit pattern, bit i = state of button i
};

struct PageBinding {
    PageBindingKind kind;
    int control;     // list, check box, trackbar, knob, graph, first button
    int partner;     // the edit or list of a pair; kNoControlId when none
    int param;       // added to the page's parameter base
    int first = 0;   // pairs: shown value at slider position 0 (knob: minimum)
    int last = 0;    // pairs: shown value at the other end (knob: maximum)
    int offset = 0;  // stored = shown + offset
    // Envelope: the attack, decay, sustain and release edits.
    std::span<const int> edits = {};
};

// What the controls store for what they show. Pure, shared by the pages'
// handlers and the tests.
inline int32_t ChoiceStoredValue(const PageBinding& b, int item) { return item + b.offset; }
inline int ChoiceItemOf(const PageBinding& b, int32_t stored) { return stored - b.offset; }
inline int32_t CheckStoredValue(bool checked) { return checked ? 1 : 0; }
inline int OnOffButtonState(int32_t stored) { return stored != 1 ? 1 : 0; }
inline int32_t OnOffButtonStoredValue(int state) { return state == 0 ? 1 : 0; }
inline int StepButtonState(int32_t pattern, int step) { return (pattern >> step) & 1; }
// Bit i is set for every nonzero state i.
int32_t StepPatternOf(std::span<const int> states);
// The buttons of a StepButtons row.
inline int StepButtonCount(const PageBinding& b) { return b.last + 1; }

// One change a dependent rule makes to a control.
struct ControlChange {
    enum What { Show, Enable, Relabel };
    int id;
    What what;
    bool on = true;         // Show / Enable
    std::string text = {};  // Relabel

    bool operator==(const ControlChange&) const = default;
};
using ControlChanges = std::vector<ControlChange>;

// Adds Show (or Enable) changes for every id in `ids`.
void AddShow(ControlChanges& changes, std::span<const int> ids, bool shown);
void AddEnable(ControlChanges& changes, std::span<const int> ids, bool enabled);

// Lookups in the tables; nullptr when absent.
const PageControl* FindControl(std::span<const PageControl> layout, int id);
const PageBinding* FindBinding(std::span<const PageBinding> bindings, int control);
// The row whose stored parameter (base + param) is `paramId`; for an
// envelope row any of its four parameters.
const PageBinding* FindBindingOfParam(std::span<const PageBinding> bindings, int base, int paramId);
