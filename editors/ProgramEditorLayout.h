#pragma once
// The Program Editor's own controls as data: the row at the top (name,
// voice mode, and the three buttons at the right edge, as the Global
// Editor has them: y 3, height 14) and the tab control from y 20 down, in
// dialog units of the 622 x 481 dialog. The dialog builds them from this
// table; the layout check (ProgramPageLayout.h) reads the same table.

#include <span>
#include <string>
#include <vector>

#include "editors/ProgramPageLayout.h"

namespace prglayout {

inline constexpr int kDialogWidth = 622;
inline constexpr int kDialogHeight = 481;

inline constexpr int kIdName = 1013;
inline constexpr int kIdVoiceMode = 1014;
inline constexpr int kIdSaveToFile = 1015;
inline constexpr int kIdWriteToDevice = 1016;
inline constexpr int kIdClose = 1158;
inline constexpr int kIdTab = 1009;
inline constexpr int kIdVerticalBar = 1195;
inline constexpr int kIdHorizontalBar = 1196;

enum class Kind { Label, Edit, Choice, Button, Tab };

struct Control {
    int id;  // kNoControlId for the labels
    Kind kind;
    const char* text;
    int x, y, w, h;
};

// In creation (= tab) order.
std::span<const Control> TopRow();
const Control& TabControl();
const Control* Find(int id);

// GTK's natural height of a push button.
inline constexpr int kGtkButtonHeight = 34;

// The rectangle a control gets on GTK: drop-downs and buttons at GTK's
// natural height.
PageRect PredictedRect(const Control& control, DluScale scale);
// The check over the table (the tab control reaching the bottom of the
// dialog included): empty when clean.
std::vector<std::string> CheckTable(DluScale scale = {});

}  // namespace prglayout
