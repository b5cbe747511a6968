#pragma once
// Creates the Program Editor's page of a tab kind: the Effect, Arpeggio,
// Timbre (base 28 or 93) and Vocoder pages, each built for the program as
// a child of the given window (the selected tab's viewport).

#include <memory>

#include "editors/CDialogEditPrgModel.h"
#include "editors/ProgramEditorTabs.h"

#include <wx/gdicmn.h>

class MDevDescProgram;
class wxWindow;

struct ProgramPageParts {
    wxWindow* window = nullptr;                 // owned by its parent
    std::unique_ptr<ArpeggioDisplay> arpeggio;  // the Arpeggio page's display, else null
};

// The pages of the product. None gives no page.
ProgramPageParts CreateProgramPage(PrgPageKind kind, wxWindow& parent, MDevDescProgram& program);

// The size of the product's page of a kind, as `window`'s dialog units
// make it, without building it; 0 x 0 for None.
wxSize ProgramPageSize(PrgPageKind kind, const wxWindow& window);
