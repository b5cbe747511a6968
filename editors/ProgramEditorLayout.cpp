#include "editors/ProgramEditorLayout.h"

#include <algorithm>

#include "editors/ProgramEditorTexts.h"

namespace prglayout {

namespace {

// clang-format off
constexpr Control kTopRow[] = {
    {kNoControlId, Kind::Label, prgtext::kNameLabel, 5, 3, 22, 14},
    {kIdName, Kind::Edit, "", 29, 3, 70, 14},
    {kNoControlId, Kind::Label, prgtext::kVoiceModeLabel, 107, 3, 42, 14},
    {kIdVoiceMode, Kind::Choice, "", 151, 3, 66, 14},
    {kIdSaveToFile, Kind::Button, "Save to File", 459, 3, 50, 14},
    {kIdWriteToDevice, Kind::Button, "Write to Device", 515, 3, 56, 14},
    {kIdClose, Kind::Button, "Close", 577, 3, 40, 14},
};
// clang-format on

constexpr Control kTab = {kIdTab, Kind::Tab, "", 0, 20, kDialogWidth, kDialogHeight - 20};

}  // namespace

std::span<const Control> TopRow() { return kTopRow; }

const Control& TabControl() { return kTab; }

const Control* Find(int id) {
    if (id == kTab.id) return &kTab;
    const auto it =
        std::find_if(std::begin(kTopRow), std::end(kTopRow), [id](const Control& c) { return c.id == id; });
    return it == std::end(kTopRow) ? nullptr : &*it;
}

PageRect PredictedRect(const Control& control, DluScale scale) {
    PageRect rect = DluToPixels(control.x, control.y, control.w, control.h, scale);
    if (control.kind == Kind::Choice) rect.h = std::max(rect.h, kGtkChoiceHeight);
    if (control.kind == Kind::Button) rect.h = std::max(rect.h, kGtkButtonHeight);
    return rect;
}

std::vector<std::string> CheckTable(DluScale scale) {
    std::vector<PlacedControl> placed;
    for (const Control& c : kTopRow) {
        const std::string name =
            c.id != kNoControlId ? "#" + std::to_string(c.id) : std::string("\"") + c.text + "\"";
        placed.push_back({name, false, PredictedRect(c, scale)});
    }
    placed.push_back({"#" + std::to_string(kTab.id), false, PredictedRect(kTab, scale)});
    return CheckLayout(placed, DluToPixels(0, 0, kDialogWidth, kDialogHeight, scale));
}

}  // namespace prglayout
