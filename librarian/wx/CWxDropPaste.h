#pragma once
// The document side of a drop: the views' drop targets hand over the drag
// payload (CWxClipboard::GetDragPayload) and the drop's place, and the paste
// runs once the drag has returned, from the event queue: a paste may ask
// questions and wait for the synth, which must not happen inside GTK's drag
// callbacks.

#include <string>

#include "librarian/VelkClipboard.h"

class CVelkDoc;

// `document` must live until the queued paste has run (it lives as long as
// the application).
void PasteDropLater(CVelkDoc& document, const VelkPayload& dropped, std::string target, bool forceMove,
                    int deviceIndex, int rootKind, int level);
