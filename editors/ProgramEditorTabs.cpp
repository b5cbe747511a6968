#include "editors/ProgramEditorTabs.h"

#include "device/MDevProgramParamId.h"

namespace {

constexpr PrgTab kSingleTabs[] = {
    {"Timbre 1", PrgPageKind::Timbre1}, {"Effect", PrgPageKind::Effect}, {"Arpeggio", PrgPageKind::Arpeggio}};
constexpr PrgTab kLayerTabs[] = {{"Timbre 1", PrgPageKind::Timbre1},
                                 {"Timbre 2", PrgPageKind::Timbre2},
                                 {"Effect", PrgPageKind::Effect},
                                 {"Arpeggio", PrgPageKind::Arpeggio}};
constexpr PrgTab kVocoderTabs[] = {
    {"Vocoder", PrgPageKind::Vocoder}, {"Effect", PrgPageKind::Effect}, {"Arpeggio", PrgPageKind::Arpeggio}};
constexpr PrgTab kNoModeTabs[] = {{"Effect", PrgPageKind::Effect}, {"Arpeggio", PrgPageKind::Arpeggio}};

constexpr int32_t kItemVoiceModes[kVoiceModeItemCount] = {0, 2, 3};

}  // namespace

int32_t VoiceModeOfItem(int item) {
    if (item < 0 || item >= kVoiceModeItemCount) return 0;
    return kItemVoiceModes[item];
}

int SelectVoiceMode(int32_t stored) {
    if (stored == 2) return 1;
    if (stored == 3) return 2;
    return 0;
}

std::span<const PrgTab> TabSetOfItem(int item) {
    switch (item) {
    case 0: return kSingleTabs;
    case 1: return kLayerTabs;
    case 2: return kVocoderTabs;
    default: return kNoModeTabs;
    }
}

int TabAfterRebuild(PrgPageKind shownBefore, std::span<const PrgTab> tabs) {
    for (int i = static_cast<int>(tabs.size()) - 1; i >= 0; --i) {
        if (tabs[static_cast<std::size_t>(i)].kind == shownBefore) return i;
    }
    return 0;
}

int PageParamBase(PrgPageKind kind) {
    if (kind == PrgPageKind::Timbre1) return MDevProgramParamId::kTimbre1First;
    if (kind == PrgPageKind::Timbre2) return MDevProgramParamId::kTimbre2First;
    return 0;
}
