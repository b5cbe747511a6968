#include "librarian/wx/CWxDropPaste.h"

#include <wx/app.h>

#include "librarian/CVelkDoc.h"

void PasteDropLater(CVelkDoc& document, const VelkPayload& dropped, std::string target, bool forceMove,
                    int deviceIndex, int rootKind, int level) {
    if (!wxTheApp) return;
    // The payload is copied: the drag's own is gone once the drag returns.
    wxTheApp->CallAfter(
        [&document, dropped, target = std::move(target), forceMove, deviceIndex, rootKind, level] {
            document.Paste(&dropped, target, forceMove, deviceIndex, rootKind, level);
        });
}
