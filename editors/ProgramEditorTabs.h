#pragma once
// The Program Editor's tabs: which page each tab shows for the selected
// voice mode, which tab stays selected when the set changes, and how a
// stored voice mode maps onto the voice mode list.

#include <cstdint>
#include <span>

// The page behind a tab.
enum class PrgPageKind {
    Effect = 0,    // CDialogEditPrgTab1
    Arpeggio = 1,  // CDialogEditPrgTab2
    Timbre1 = 2,   // CDialogEditPrgTab3, parameter base 28
    Timbre2 = 3,   // CDialogEditPrgTab3, parameter base 93
    Vocoder = 4,   // CDialogEditPrgTab5
    None = 5,
};

struct PrgTab {
    const char* label;
    PrgPageKind kind;
};

// Items of the voice mode list, in order.
inline constexpr const char* kVoiceModeItems[] = {"Single", "Layer", "Vocoder"};
inline constexpr int kVoiceModeItemCount = 3;
// Every tab set has at most this many tabs.
inline constexpr int kMaxPrgTabs = 4;

// The stored voice mode (program parameter 2) of list item `item`: 0, 2, 3.
int32_t VoiceModeOfItem(int item);
// The list item that shows a stored voice mode: 1 for 2, 2 for 3, 0 for any
// other value (which stays stored as it is).
int SelectVoiceMode(int32_t stored);
// The tabs for the selected list item; an item outside the list (none
// selected) gives Effect and Arpeggio.
std::span<const PrgTab> TabSetOfItem(int item);
// The tab selected after the set changed: the highest index whose kind is
// the kind shown before, else 0.
int TabAfterRebuild(PrgPageKind shownBefore, std::span<const PrgTab> tabs);
// The parameter base of a Timbre page's kind; 0 for the other pages.
int PageParamBase(PrgPageKind kind);
