#include "editors/ProgramPageLayout.h"

#include <cmath>

PageRect DluToPixels(int x, int y, int w, int h, DluScale scale) {
    const auto px = [](int v, double s) { return static_cast<int>(std::floor(v * s)); };
    const int left = px(x, scale.x);
    const int top = px(y, scale.y);
    return {left, top, px(x + w, scale.x) - left, px(y + h, scale.y) - top};
}

PageRect PredictedRect(const PageControl& control, DluScale scale) {
    PageRect rect = DluToPixels(control.x, control.y, control.w, control.h, scale);
    if (control.kind == PageControlKind::Choice || control.kind == PageControlKind::WaveChoice)
        rect.h = kGtkChoiceHeight;
    return rect;
}

std::string ControlName(const PageControl& control) {
    if (control.id != kNoControlId) return "#" + std::to_string(control.id);
    return std::string("\"") + control.text + "\"";
}

std::vector<std::string> CheckLayout(std::span<const PlacedControl> controls, PageRect page) {
    std::vector<std::string> problems;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const PlacedControl& a = controls[i];
        if (!a.rect.Inside(page)) problems.push_back(a.name + " is outside the page");
        if (a.frame) continue;
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            const PlacedControl& b = controls[j];
            if (!b.frame && a.rect.Overlaps(b.rect)) problems.push_back(a.name + " overlaps " + b.name);
        }
    }
    return problems;
}

std::vector<std::string> CheckTableLayout(std::span<const PageControl> layout, int pageWidthDlu,
                                          int pageHeightDlu, const std::set<int>& hidden, DluScale scale) {
    std::vector<PlacedControl> placed;
    for (const PageControl& control : layout) {
        if (control.id != kNoControlId && hidden.count(control.id) != 0) continue;
        placed.push_back(
            {ControlName(control), control.kind == PageControlKind::GroupBox, PredictedRect(control, scale)});
    }
    return CheckLayout(placed, DluToPixels(0, 0, pageWidthDlu, pageHeightDlu, scale));
}
