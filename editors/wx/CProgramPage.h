#pragma once
// The base of the Program Editor's pages: a wxPanel built from a page's
// layout table and wired by its binding table (editors/ProgramPageTable.h).
//
// Construction (in the base constructor, in this order):
//   1. the panel is created as a child of `parent`, sized to the page's
//      dialog units (ConvertDialogToPixels of the panel's font);
//   2. one control per layout row, in table (= tab) order: Label* ->
//      wxStaticText, GroupBox -> wxStaticBox, Choice -> wxChoice with its
//      items, WaveChoice -> wxBitmapComboBox with the wave pictures, Edit ->
//      wxTextCtrl (centred), Slider / VSlider -> wxSlider, CheckBox ->
//      wxCheckBox, Knob -> CDial, TwoStateButton -> C2StateButton,
//      EnvelopeGraph -> CWiredPts;
//   3. every binding row, in table order, is bound to Program() at
//      Base() + param and set up from the program. Nothing is stored: the
//      selections and check marks are set without events and the pairs
//      store only once armed and changed by the user; except that a pair
//      or envelope value outside its range is shown at the nearer end, and
//      that end is stored (notify 1), so the page shows what it holds.
// The derived page's constructor then adds its rules (AddRule) and applies
// their initial state (ApplyRules).
//
// A page may be kept while hidden and shown again: ShowProgramValues then
// shows what the program holds by now, as a page built afresh would.
//
// After construction every user change stores one parameter with notify 1:
//   Choice       SetParam(base + param, item + offset)
//   Check        SetParam(base + param, checked ? 1 : 0)
//   OnOffButton  SetParam(base + param, state == 0 ? 1 : 0)
//   StepButtons  SetParam(base + param, pattern of all the buttons' states)
//   pairs and envelope groups: as their binding classes (controls/) say.
// A click on the knob of a DialChoice or PanDialEdit row moves the keyboard
// focus to its list or edit.

#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include <wx/panel.h>

#include "editors/ProgramPageTable.h"

class MDevDescProgram;
class CSliderEditPair;

// What a page is made of.
struct ProgramPageSpec {
    int widthDlu;
    int heightDlu;
    std::span<const PageControl> layout;
    std::span<const PageBinding> bindings;
};

class CProgramPage : public wxPanel {
public:
    ~CProgramPage() override;

    MDevDescProgram& Program() const { return program_; }
    int Base() const { return base_; }
    const ProgramPageSpec& Spec() const { return spec_; }

    // The control of a table row; nullptr for an unknown id.
    wxWindow* Control(int id) const;
    template <class T>
    T* ControlAs(int id) const {
        return dynamic_cast<T*>(Control(id));
    }

    // Shows, enables or relabels controls as a dependent rule says.
    void Apply(const ControlChanges& changes);

    // The slider pair whose trackbar is `sliderId`; nullptr when none.
    CSliderEditPair* SliderPair(int sliderId) const;

    // The controls show what the program holds (as after construction, or
    // when the page goes out of sight: every change of the user's went
    // straight into the program): the page's values are noted.
    void NoteShownValues();
    // When the program's values of the page differ from those noted, every
    // binding row is set up again from the program, then the rules: the
    // controls show the program's values as at construction, and nothing
    // is stored but a value outside a range (its nearer end, as then).
    void ShowProgramValues();

protected:
    CProgramPage(wxWindow* parent, MDevDescProgram& program, int base, const ProgramPageSpec& spec);

    // Runs `rule` whenever the user changes control `id`: for a Choice,
    // Check or button row before its value is stored; for a trackbar or an
    // edit after its pair has handled the change.
    void AddRule(int id, std::function<void()> rule);

    // SetParam(Base() + param, value, notify 1).
    void Store(int param, int32_t value);

    // The page's dependent rules applied to what its controls show; run by
    // the derived constructor and by ShowProgramValues.
    virtual void ApplyRules() {}

private:
    struct Links;

    void CreateControl(const PageControl& row);
    // Links the row's controls to its binding, then ShowStored.
    void SetUpBinding(const PageBinding& row);
    // Shows the row's stored value (a pair or envelope: its setup again).
    void ShowStored(const PageBinding& row);
    void RunRules(int id);
    std::vector<int32_t> BoundValues() const;
    void OnChoice(wxCommandEvent& event);
    void OnCheck(wxCommandEvent& event);
    void OnButton(wxCommandEvent& event);
    void OnPairChanged(wxCommandEvent& event);
    void OnKnobClicked(wxCommandEvent& event);
    int32_t StepPattern(const PageBinding& row) const;

    MDevDescProgram& program_;
    const int base_;
    const ProgramPageSpec spec_;
    std::map<int, wxWindow*> controls_;  // owned by the panel
    std::map<int, const PageBinding*> rowOfControl_;
    std::multimap<int, std::function<void()>> rules_;
    std::unique_ptr<Links> links_;
    // The program's values of every binding row, in table order, as the
    // controls showed them when noted.
    std::vector<int32_t> shownValues_;
};

// The layout check over the windows a page created, at their real sizes:
// every shown child must lie inside the page's client area and no two shown
// children (group boxes excepted) may overlap. Empty when clean.
std::vector<std::string> CheckWindowLayout(const wxWindow& page);

// The text check over the same windows: a shown list narrower than its
// longest item, an edit narrower than its current text, or a label or check
// box narrower than its caption crops what it shows. One line per cropped
// control ("#1046 crops \"Alternate1\""); empty when all texts fit. Run it
// with the widest values in the edits (e.g. "-100").
std::vector<std::string> CheckWindowTexts(const wxWindow& page);
