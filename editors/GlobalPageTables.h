#pragma once
// The Global Editor's four pages as data (layout and binding tables, see
// editors/ProgramPageTable.h) and the texts and mappings of their lists.
//
// Every control edits one global parameter (device/MDevGlobalParamId.h) of
// the global object; the page base is 0. Lists select the item that stands
// for the stored value and store the value of the chosen item:
//   - plain lists (channel, clock, filters, transpose position): item index;
//   - control change lists: item 0 "Off" stores -1, item n + 1 "CC #nn"
//     stores n (0..95); any other stored value selects nothing;
//   - favorite program lists: item i "Program A.11".. stores i, for the
//     model's program count.

#include <cstdint>
#include <span>
#include <string>

#include "editors/ProgramPageTable.h"

namespace glbpage {

// Control ids of the pages.
namespace id {
// "Global"
inline constexpr int kTuneSlider = 1122, kTuneEdit = 1123;
inline constexpr int kTransposeSlider = 1124, kTransposeEdit = 1125;
inline constexpr int kCurveSlider = 1126, kCurveEdit = 1127;
inline constexpr int kTransposePosition = 1131;
inline constexpr int kWriteProtect = 1132;
inline constexpr int kWriteProtectLabel = 2132;
// "MIDI"
inline constexpr int kChannel = 1135, kChannelLabel = 2135;
inline constexpr int kLocal = 1136;
inline constexpr int kClockSource = 1130;
inline constexpr int kFilterProgramChange = 1131;
inline constexpr int kFilterControlChange = 1132;
inline constexpr int kFilterPitchBend = 1133;
inline constexpr int kFilterSystemExclusive = 1134, kFilterSystemExclusiveLabel = 2134;
// "Favorite Program"
inline constexpr int kSpeaker = 1204, kSpeakerLabel = 2204;
inline constexpr int kFavorites[8] = {1203, 1206, 1205, 1207, 1208, 1209, 1210, 1211};
}  // namespace id

struct GlobalPage {
    const char* title;  // the tab's text
    int widthDlu;
    int heightDlu;
    std::span<const PageControl> layout;
    std::span<const PageBinding> bindings;
};

// "Global", "MIDI", "Control Change Map" (the largest) and "Favorite
// Program". The Global page's three trackbar pairs are set up by the page
// itself (their binding classes are the global ones, below).
const GlobalPage& GlobalTab();
const GlobalPage& MidiTab();
const GlobalPage& ControlChangeTab();
// The favorite lists hold one item per program of the model.
const GlobalPage& FavoriteTab(int programCount);

// Controls that the pages never show, and the ones shown disabled.
std::span<const int> GlobalTabHidden();
std::span<const int> MidiTabHidden();
std::span<const int> MidiTabDisabled();
std::span<const int> FavoriteTabHidden();

// The Global page's trackbar pairs: Setup arguments per pair.
struct GlobalSliderPair {
    enum Kind { kDecimal, kTenths, kCurve };
    Kind kind;
    int slider, edit, param;
    int first, last, offset;
};
std::span<const GlobalSliderPair> GlobalTabSliders();

// Control change lists: "Off", "CC #00" .. "CC #95".
inline constexpr int kCcItemCount = 97;
std::span<const char* const> CcItems();
// The item that stands for a stored value, or -1 for none.
int CcItemOf(int32_t stored);
// The value an item stores (-1 for "Off").
int32_t CcStoredOf(int item);

// "Program %c.%c%c" of program index i (0..255).
std::string ProgramItemText(int index);
// The first `count` items of the favorite lists (count held to 0..256).
std::span<const char* const> ProgramItems(int count);
// The item that stands for a stored favorite, or -1 for none.
int ProgramItemOf(int32_t stored, int count);

}  // namespace glbpage
