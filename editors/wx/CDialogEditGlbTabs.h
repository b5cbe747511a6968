#pragma once
// The Global Editor's pages: "Global", "MIDI", "Control Change Map" and
// "Favorite Program" (second model only). Each is a page built from its
// tables (editors/GlobalPageTables.h) over the global object, base 0: every
// user change stores its parameter at once, which marks the global object
// modified and raises the editor's change notice. Nothing is sent from a
// page. Controls the pages never show (Write Protect, System Exclusive,
// Speaker) still hold the stored values.

#include <memory>
#include <vector>

#include "editors/wx/CProgramPage.h"

class CSliderEditPair;
class SliderEditPairWx;

class CDialogEditGlbTab1 final : public CProgramPage {
public:
    CDialogEditGlbTab1(wxWindow* parent, MDevDescProgram& global);
    ~CDialogEditGlbTab1() override;

private:
    struct Pair {
        std::unique_ptr<CSliderEditPair> pair;
        std::unique_ptr<SliderEditPairWx> link;
    };
    std::vector<Pair> pairs_;
};

class CDialogEditGlbTab2 final : public CProgramPage {
public:
    CDialogEditGlbTab2(wxWindow* parent, MDevDescProgram& global);
};

class CDialogEditGlbTab3 final : public CProgramPage {
public:
    CDialogEditGlbTab3(wxWindow* parent, MDevDescProgram& global);
};

class CDialogEditGlbTab4 final : public CProgramPage {
public:
    // One list item per program of the model.
    CDialogEditGlbTab4(wxWindow* parent, MDevDescProgram& global, int programCount);
};
