#include "editors/GlobalPageTables.h"

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <vector>

#include "device/MDevGlobalParamId.h"

namespace glbpage {
namespace {

using K = PageControlKind;

// A label's rectangle is one text line high; the page centres it on the
// row of the drop-down beside it.
constexpr int kLabelHeight = 8;
using B = PageBindingKind;
namespace P = MDevGlobalParamId;

constexpr int kMaxPrograms = 256;

// ---------------------------------------------------------------- Global

constexpr const char* kTransposePositionItems[] = {"Post KBD", "Pre TG"};

// Label column 7..73, trackbars 76..156, edits 160..200.
// clang-format off
constexpr PageControl kGlobalLayout[] = {
    {kNoControlId, K::Label, "Master Tune", 7, 8, 66, kLabelHeight},
    {id::kTuneSlider, K::Slider, "", 76, 8, 80, 16},
    {id::kTuneEdit, K::Edit, "", 160, 9, 40, 14},
    {kNoControlId, K::Label, "Master Transpose", 7, 28, 66, kLabelHeight},
    {id::kTransposeSlider, K::Slider, "", 76, 28, 80, 16},
    {id::kTransposeEdit, K::Edit, "", 160, 29, 40, 14},
    {kNoControlId, K::Label, "Transpose Position", 7, 48, 66, kLabelHeight},
    {id::kTransposePosition, K::Choice, "", 76, 48, 80, 40, kTransposePositionItems},
    {kNoControlId, K::Label, "Velocity Curve", 7, 68, 66, kLabelHeight},
    {id::kCurveSlider, K::Slider, "", 76, 68, 80, 16},
    {id::kCurveEdit, K::Edit, "", 160, 69, 40, 14},
    {id::kWriteProtectLabel, K::Label, "Write Protect", 7, 90, 66, kLabelHeight},
    {id::kWriteProtect, K::TwoStateButton, "", 76, 91, 30, 14},
};
// clang-format on

constexpr PageBinding kGlobalBindings[] = {
    {B::Choice, id::kTransposePosition, kNoControlId, P::kTransposePosition},
    {B::OnOffButton, id::kWriteProtect, kNoControlId, P::kWriteProtect},
};

constexpr GlobalSliderPair kGlobalSliders[] = {
    {GlobalSliderPair::kTenths, id::kTuneSlider, id::kTuneEdit, P::kMasterTune, 4300, 4500, -4400},
    {GlobalSliderPair::kDecimal, id::kTransposeSlider, id::kTransposeEdit, P::kMasterTranspose, -12, 12, 0},
    {GlobalSliderPair::kCurve, id::kCurveSlider, id::kCurveEdit, P::kVelocityCurve, 0, 127, 0},
};

constexpr int kGlobalHidden[] = {id::kWriteProtect, id::kWriteProtectLabel};

// ------------------------------------------------------------------ MIDI

constexpr const char* kChannelItems[] = {"1", "2",  "3",  "4",  "5",  "6",  "7",  "8",
                                         "9", "10", "11", "12", "13", "14", "15", "16"};
constexpr const char* kClockItems[] = {"Internal", "External", "Auto"};
constexpr const char* kFilterItems[] = {"Disable", "Enable"};

// clang-format off
constexpr PageControl kMidiLayout[] = {
    {id::kChannelLabel, K::Label, "Global MIDI Channel", 7, 8, 80, kLabelHeight},
    {id::kChannel, K::Choice, "", 92, 8, 50, 40, kChannelItems},
    {kNoControlId, K::Label, "Local", 7, 28, 80, kLabelHeight},
    {id::kLocal, K::TwoStateButton, "", 92, 29, 30, 14},
    {kNoControlId, K::Label, "MIDI Clock Source", 7, 48, 80, kLabelHeight},
    {id::kClockSource, K::Choice, "", 92, 48, 70, 40, kClockItems},
    {kNoControlId, K::GroupBox, "MIDI FILTER", 4, 72, 170, 88},
    {kNoControlId, K::Label, "Program Change", 12, 84, 76, kLabelHeight},
    {id::kFilterProgramChange, K::Choice, "", 92, 84, 70, 40, kFilterItems},
    {kNoControlId, K::Label, "Control Change", 12, 102, 76, kLabelHeight},
    {id::kFilterControlChange, K::Choice, "", 92, 102, 70, 40, kFilterItems},
    {kNoControlId, K::Label, "Pitch Bend", 12, 120, 76, kLabelHeight},
    {id::kFilterPitchBend, K::Choice, "", 92, 120, 70, 40, kFilterItems},
    {id::kFilterSystemExclusiveLabel, K::Label, "System Exclusive", 12, 138, 76, kLabelHeight},
    {id::kFilterSystemExclusive, K::Choice, "", 92, 138, 70, 40, kFilterItems},
};
// clang-format on

// Set up in the order the page fills them: channel, Local, clock, then the
// filters 14, 13, 12, 11.
// clang-format off
constexpr PageBinding kMidiBindings[] = {
    {B::Choice, id::kChannel, kNoControlId, P::kGlobalMidiChannel},
    {B::OnOffButton, id::kLocal, kNoControlId, P::kLocal},
    {B::Choice, id::kClockSource, kNoControlId, P::kMidiClockSource},
    {B::Choice, id::kFilterProgramChange, kNoControlId, P::kFilterProgramChange},
    {B::Choice, id::kFilterControlChange, kNoControlId, P::kFilterControlChange},
    {B::Choice, id::kFilterPitchBend, kNoControlId, P::kFilterPitchBend},
    {B::Choice, id::kFilterSystemExclusive, kNoControlId, P::kFilterSystemExclusive},
};
// clang-format on

constexpr int kMidiHidden[] = {id::kFilterSystemExclusive, id::kFilterSystemExclusiveLabel};
constexpr int kMidiDisabled[] = {id::kChannel, id::kChannelLabel};

// ---------------------------------------------------- Control Change Map

struct CcRow {
    const char* label;
    int list;
    int param;
};
struct CcGroup {
    const char* caption;
    int column;
    std::span<const CcRow> rows;
};

constexpr CcRow kPitch[] = {{"Portamento", 1128, 15}};
constexpr CcRow kOsc1[] = {{"Wave", 1148, 16}, {"Control 1", 1149, 17}, {"Control 2", 1150, 18}};
constexpr CcRow kOsc2[] = {
    {"Wave", 1151, 19}, {"OSC Modulation", 1152, 20}, {"Semitone", 1153, 21}, {"Tune", 1154, 22}};
constexpr CcRow kMixer[] = {{"OSC 1 Level", 1155, 23}, {"OSC 2 Level", 1156, 24}, {"Noise Level", 1157, 25}};
constexpr CcRow kFilter[] = {{"Type", 1158, 26},
                             {"Cutoff", 1159, 27},
                             {"Resonance", 1160, 28},
                             {"EG Intensity", 1164, 29},
                             {"Keyboard Track", 1165, 30}};
constexpr CcRow kAmp[] = {{"Level", 1161, 31}, {"Panpot", 1162, 32}, {"Distortion", 1163, 34}};
constexpr CcRow kFilterEg[] = {{"Attack Time", 1185, 35},
                               {"Decay Time", 1186, 36},
                               {"Sustain Level", 1187, 37},
                               {"Release Time", 1188, 38}};
constexpr CcRow kAmpEg[] = {{"Attack Time", 1189, 39},
                            {"Decay Time", 1190, 40},
                            {"Sustain Level", 1191, 41},
                            {"Release Level", 1192, 42}};
constexpr CcRow kLfo1[] = {{"Wave", 1193, 43}, {"Frequency", 1194, 44}};
constexpr CcRow kLfo2[] = {{"Wave", 1195, 45}, {"Frequency", 1196, 46}};
constexpr CcRow kPatch[] = {{"PATCH 1 Intensity", 1197, 47},
                            {"PATCH 2 Intensity", 1198, 48},
                            {"PATCH 3 Intensity", 1202, 49},
                            {"PATCH 4 Intensity", 1203, 50}};
constexpr CcRow kModFx[] = {{"LFO Speed", 1199, 52}, {"Depth", 1200, 53}};
constexpr CcRow kDelayFx[] = {{"Delay Time", 1201, 54}, {"Depth", 1207, 55}};
constexpr CcRow kMidi[] = {{"Sync Control", 1208, P::kSyncControl},
                           {"Timbre Select", 1209, P::kTimbreSelect}};

// clang-format off
constexpr CcGroup kCcGroups[] = {
    {"PITCH", 0, kPitch},      {"OSC 1", 0, kOsc1},         {"OSC 2", 0, kOsc2},
    {"MIXER", 0, kMixer},      {"FILTER", 1, kFilter},      {"AMP", 1, kAmp},
    {"FILTER EG", 1, kFilterEg}, {"AMP EG", 1, kAmpEg},     {"LFO 1", 2, kLfo1},
    {"LFO 2", 2, kLfo2},       {"PATCH", 2, kPatch},        {"MOD FX", 2, kModFx},
    {"DELAY FX", 2, kDelayFx}, {"( MIDI )", 2, kMidi},
};
// clang-format on

// Three columns of 128 dialog units; rows of 16 (a GTK drop-down's height).
constexpr int kCcColumnWidth = 130;
constexpr int kCcColumnLeft = 3;
constexpr int kCcRowPitch = 16;
constexpr int kCcGroupTop = 9;  // room for the group's caption
constexpr int kCcGroupBottom = 3;
constexpr int kCcGroupGap = 2;
constexpr int kCcWidth = 397, kCcHeight = 320;

struct CcTables {
    std::vector<PageControl> layout;
    std::vector<PageBinding> bindings;
};

const CcTables& BuildCc() {
    static const CcTables tables = [] {
        CcTables t;
        int top[3] = {3, 3, 3};
        for (const CcGroup& group : kCcGroups) {
            const int x = kCcColumnLeft + group.column * kCcColumnWidth;
            int& y = top[group.column];
            const int height =
                kCcGroupTop + static_cast<int>(group.rows.size()) * kCcRowPitch + kCcGroupBottom;
            t.layout.push_back({kNoControlId, K::GroupBox, group.caption, x, y, kCcColumnWidth - 4, height});
            int rowY = y + kCcGroupTop;
            for (const CcRow& row : group.rows) {
                t.layout.push_back({kNoControlId, K::Label, row.label, x + 5, rowY, 66, kLabelHeight});
                t.layout.push_back({row.list, K::Choice, "", x + 72, rowY, 50, 60, CcItems()});
                t.bindings.push_back({B::Choice, row.list, kNoControlId, row.param, 0, 0, -1});
                rowY += kCcRowPitch;
            }
            y += height + kCcGroupGap;
        }
        return t;
    }();
    return tables;
}

// ------------------------------------------------------ Favorite Program

constexpr int kFavoriteWidth = 157, kFavoriteHeight = 172;

struct FavoriteTables {
    std::vector<PageControl> layout;
    std::vector<PageBinding> bindings;
};

FavoriteTables BuildFavorites(int count) {
    static constexpr const char* kLabels[] = {"Favorite #1", "Favorite #2", "Favorite #3", "Favorite #4",
                                              "Favorite #5", "Favorite #6", "Favorite #7", "Favorite #8"};
    FavoriteTables t;
    constexpr int kTop = 4, kPitch = 16;
    t.layout.push_back({kNoControlId, K::GroupBox, "FAVORITE PROGRAM", 4, kTop, 149, 9 + 8 * kPitch + 3});
    // The Speaker button comes first, as the page sets it up first.
    t.bindings.push_back({B::OnOffButton, id::kSpeaker, kNoControlId, P::kSpeaker});
    for (int i = 0; i < 8; ++i) {
        const int y = kTop + 9 + i * kPitch;
        t.layout.push_back({kNoControlId, K::Label, kLabels[i], 10, y, 50, kLabelHeight});
        t.layout.push_back({id::kFavorites[i], K::Choice, "", 62, y, 86, 80, ProgramItems(count)});
        t.bindings.push_back({B::Choice, id::kFavorites[i], kNoControlId, P::kFavoriteFirst + i});
    }
    t.layout.push_back({id::kSpeakerLabel, K::Label, "Speaker", 10, 150, 50, kLabelHeight});
    t.layout.push_back({id::kSpeaker, K::TwoStateButton, "", 62, 151, 30, 14});
    return t;
}

constexpr int kFavoriteHidden[] = {id::kSpeaker, id::kSpeakerLabel};

}  // namespace

const GlobalPage& GlobalTab() {
    static const GlobalPage page{"Global", 205, 114, kGlobalLayout, kGlobalBindings};
    return page;
}

const GlobalPage& MidiTab() {
    static const GlobalPage page{"MIDI", 222, 247, kMidiLayout, kMidiBindings};
    return page;
}

const GlobalPage& ControlChangeTab() {
    static const GlobalPage page{"Control Change Map", kCcWidth, kCcHeight, BuildCc().layout,
                                 BuildCc().bindings};
    return page;
}

const GlobalPage& FavoriteTab(int programCount) {
    // One table per program count seen (the pages only read them).
    struct Entry {
        FavoriteTables tables;
        GlobalPage page;
    };
    static std::map<int, std::unique_ptr<Entry>> cache;
    const int count = std::clamp(programCount, 0, kMaxPrograms);
    std::unique_ptr<Entry>& entry = cache[count];
    if (!entry) {
        entry = std::make_unique<Entry>(Entry{BuildFavorites(count), {}});
        entry->page = {"Favorite Program", kFavoriteWidth, kFavoriteHeight, entry->tables.layout,
                       entry->tables.bindings};
    }
    return entry->page;
}

std::span<const int> GlobalTabHidden() { return kGlobalHidden; }
std::span<const int> MidiTabHidden() { return kMidiHidden; }
std::span<const int> MidiTabDisabled() { return kMidiDisabled; }
std::span<const int> FavoriteTabHidden() { return kFavoriteHidden; }
std::span<const GlobalSliderPair> GlobalTabSliders() { return kGlobalSliders; }

std::span<const char* const> CcItems() {
    static const auto texts = [] {
        std::array<std::string, kCcItemCount> t;
        t[0] = "Off";
        for (int n = 0; n < kCcItemCount - 1; ++n)
            t[n + 1] =
                std::string("CC #") + static_cast<char>('0' + n / 10) + static_cast<char>('0' + n % 10);
        return t;
    }();
    static const auto pointers = [] {
        std::array<const char*, kCcItemCount> p{};
        for (int i = 0; i < kCcItemCount; ++i) p[i] = texts[i].c_str();
        return p;
    }();
    return pointers;
}

int CcItemOf(int32_t stored) { return stored >= -1 && stored <= kCcItemCount - 2 ? stored + 1 : -1; }

int32_t CcStoredOf(int item) { return item - 1; }

std::string ProgramItemText(int index) {
    std::string text = "Program ";
    text += static_cast<char>('A' + index / 64);
    text += '.';
    text += static_cast<char>('1' + (index % 64) / 8);
    text += static_cast<char>('1' + index % 8);
    return text;
}

std::span<const char* const> ProgramItems(int count) {
    static const auto texts = [] {
        std::array<std::string, kMaxPrograms> t;
        for (int i = 0; i < kMaxPrograms; ++i) t[i] = ProgramItemText(i);
        return t;
    }();
    static const auto pointers = [] {
        std::array<const char*, kMaxPrograms> p{};
        for (int i = 0; i < kMaxPrograms; ++i) p[i] = texts[i].c_str();
        return p;
    }();
    return std::span<const char* const>(pointers).first(
        static_cast<std::size_t>(std::clamp(count, 0, kMaxPrograms)));
}

int ProgramItemOf(int32_t stored, int count) {
    return stored >= 0 && stored < std::clamp(count, 0, kMaxPrograms) ? stored : -1;
}

}  // namespace glbpage
