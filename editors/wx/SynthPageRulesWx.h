#pragma once
// The Timbre and Vocoder pages' dependent rules run on a page: each reads
// the state of the control the rule depends on, applies the rule's changes
// to the page and returns the state it read.

#include "editors/SynthPageRules.h"

class CProgramPage;

namespace synthpage {

// The selected item of a list (wxChoice or wave list); -1 for none.
int SelectionOf(const CProgramPage& page, int listId);

int ApplyVoiceAssignRule(CProgramPage& page, int voiceAssignList, const VoiceAssignIds& ids);
int ApplyOsc1WaveRule(CProgramPage& page, int waveList, const Osc1WaveIds& ids);
bool ApplyLfoSyncRule(CProgramPage& page, int tempoSyncCheck, const LfoSyncIds& ids);

}  // namespace synthpage
