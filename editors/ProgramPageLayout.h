#pragma once
// The layout check every page's test runs: no two visible sibling controls
// overlap and every control lies inside its page. Group boxes are frames
// around other controls, so they are only checked against the page's edges.
//
// Two forms over one core (CheckLayout):
//   - CheckTableLayout: over a layout table, with the pixel rectangles the
//     controls will get on GTK (PredictedRect: dialog units times the
//     page's scale, drop-downs at GTK's natural height), headless;
//   - CheckWindowLayout (editors/wx/CProgramPage.h): over the windows a
//     page really created, at their real sizes.

#include <set>
#include <span>
#include <string>
#include <vector>

#include "editors/ProgramPageTable.h"

struct PageRect {
    int x = 0, y = 0, w = 0, h = 0;
    int Right() const { return x + w; }
    int Bottom() const { return y + h; }
    bool Overlaps(const PageRect& o) const {
        return x < o.Right() && o.x < Right() && y < o.Bottom() && o.y < Bottom();
    }
    bool Inside(const PageRect& o) const {
        return x >= o.x && y >= o.y && Right() <= o.Right() && Bottom() <= o.Bottom();
    }
};

struct PlacedControl {
    std::string name;  // for messages: "#1016" or the caption
    bool frame;        // a group box
    PageRect rect;     // pixels, in the page's client coordinates
};

// Pixels per dialog unit (wx: ConvertDialogToPixels(wxSize(4, 8)) / (4, 8)).
struct DluScale {
    double x = 2.0;
    double y = 2.125;
};

// GTK 3 natural heights the tables' dialog-unit heights do not give.
inline constexpr int kGtkChoiceHeight = 34;

// Dialog units to pixels, rounding each edge down as wx does.
PageRect DluToPixels(int x, int y, int w, int h, DluScale scale);
// The rectangle a control of the table will have on GTK.
PageRect PredictedRect(const PageControl& control, DluScale scale);
// "#1016" or "\"Tempo\"" for messages.
std::string ControlName(const PageControl& control);

// One line per problem ("#1016 overlaps #1017", "#1016 is outside the
// page"); empty when the layout is clean.
std::vector<std::string> CheckLayout(std::span<const PlacedControl> controls, PageRect page);

// The table form: every control except those in `hidden` (those a dependent
// rule hides in the state being checked).
std::vector<std::string> CheckTableLayout(std::span<const PageControl> layout, int pageWidthDlu,
                                          int pageHeightDlu, const std::set<int>& hidden,
                                          DluScale scale = {});
