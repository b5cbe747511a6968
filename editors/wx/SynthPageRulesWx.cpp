#include "editors/wx/SynthPageRulesWx.h"

#include <wx/checkbox.h>
#include <wx/ctrlsub.h>

#include "editors/wx/CProgramPage.h"

namespace synthpage {

int SelectionOf(const CProgramPage& page, int listId) {
    const auto* list = dynamic_cast<const wxItemContainer*>(page.Control(listId));
    return list != nullptr ? list->GetSelection() : -1;
}

int ApplyVoiceAssignRule(CProgramPage& page, int voiceAssignList, const VoiceAssignIds& ids) {
    const int selection = SelectionOf(page, voiceAssignList);
    page.Apply(VoiceAssignChanges(ids, selection));
    return selection;
}

int ApplyOsc1WaveRule(CProgramPage& page, int waveList, const Osc1WaveIds& ids) {
    const int wave = SelectionOf(page, waveList);
    page.Apply(Osc1WaveChanges(ids, wave));
    return wave;
}

bool ApplyLfoSyncRule(CProgramPage& page, int tempoSyncCheck, const LfoSyncIds& ids) {
    const auto* box = page.ControlAs<wxCheckBox>(tempoSyncCheck);
    const bool tempoSync = box != nullptr && box->GetValue();
    page.Apply(LfoSyncChanges(ids, tempoSync));
    return tempoSync;
}

}  // namespace synthpage
