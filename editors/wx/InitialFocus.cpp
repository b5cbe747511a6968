#include "editors/wx/InitialFocus.h"

#include <wx/window.h>

void FocusFirstControl(wxWindow& dialog) {
    // The children's order is the tab order.
    for (wxWindow* child : dialog.GetChildren()) {
        if (child->IsTopLevel() || !child->CanAcceptFocus()) continue;
        child->SetFocus();
        return;
    }
}
