#include "controls/CDialModel.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;

int ClampToRange(int v, int a, int b) { return std::clamp(v, std::min(a, b), std::max(a, b)); }

}  // namespace

void CDialModel::SetValue(int v) {
    value_ = ClampToRange(v, minimum_, maximum_);
    listener_.DialInvalidate();
}

void CDialModel::SetRange(int minimum, int maximum, int defaultValue) {
    minimum_ = minimum;
    maximum_ = maximum;
    default_ = ClampToRange(defaultValue, minimum, maximum);
    value_ = ClampToRange(value_, minimum, maximum);
    listener_.DialInvalidate();
}

void CDialModel::SetValueFromPoint(int dx, int dy) {
    const double s = kStartAngle;
    const double e = kEndAngle;
    const double deg = std::atan2(static_cast<double>(dy), static_cast<double>(dx)) * 180.0 / kPi;
    const double x = deg + 1080.0 - ((s + e) * 0.5 + 360.0 + 180.0);
    const double y = x - static_cast<double>(static_cast<long long>(std::trunc(x)) / 360 * 360);
    const double f = (y - (360.0 - (e - s)) * 0.5) / (e - s);
    int v;
    if (f <= 0.0) v = minimum_;
    else if (f >= 1.0) v = maximum_;
    else v = static_cast<int>(std::trunc(f * (maximum_ - minimum_) + minimum_));
    ChangeTo(v);
}

void CDialModel::ChangeTo(int v) {
    if (v == value_) return;
    listener_.DialInvalidate();
    value_ = v;
    listener_.DialChanged(value_);
}

void CDialModel::SetSide(int side) {
    side_ = std::max(side, 0);
    radius_ = side_ / 2;
}

bool CDialModel::InCircle(int side, int x, int y) {
    const double r = (side + 1) * 0.5;
    const double px = x + 0.5 - r;
    const double py = y + 0.5 - r;
    return px * px + py * py <= r * r;
}

bool CDialModel::LeftDown(int x, int y, bool shift) {
    if (!Contains(x, y)) return false;
    if (shift) {
        if (value_ != default_) ChangeTo(default_);
        return false;
    }
    tracking_ = true;
    moved_ = false;
    lastX_ = x;
    lastY_ = y;
    return true;
}

void CDialModel::MouseMove(int x, int y, bool leftDown) {
    // A move without the button held means the release was lost on the way:
    // it must not turn the knob.
    if (!tracking_ || !leftDown) return;
    moved_ = true;
    lastX_ = x;
    lastY_ = y;
    SetValueFromPoint(x - radius_, radius_ - y);
}

bool CDialModel::LeftUp(int x, int y) {
    if (!tracking_) return false;
    tracking_ = false;
    if (moved_) {
        moved_ = false;
        SetValueFromPoint(x - radius_, radius_ - y);
    }
    listener_.DialReleasedCapture(value_);
    return true;
}

void CDialModel::CaptureLost() { LeftUp(lastX_, lastY_); }

int CDialModel::IndicatorAngle() const {
    if (maximum_ == minimum_) return kStartAngle;
    return kStartAngle + (kEndAngle - kStartAngle) * (value_ - minimum_) / (maximum_ - minimum_);
}

CDialModel::Indicator CDialModel::IndicatorFor(int side) const {
    const double t = IndicatorAngle() * kPi / 180.0;
    Indicator ind{};
    ind.width = (side * 7 / 38) | 1;
    const int ro = side / 2 - ind.width / 2 - 1;
    const int ri = (50 - kIndicatorInnerEnd) * side / 100;
    ind.outerX = static_cast<int>(std::trunc(std::cos(t) * ro)) + side / 2 - 1;
    ind.outerY = static_cast<int>(std::trunc(-std::sin(t) * ro)) + side / 2 - 1;
    ind.innerX = side / 2 + static_cast<int>(std::trunc(std::cos(t) * ri)) - 1;
    ind.innerY = side / 2 + static_cast<int>(std::trunc(-std::sin(t) * ri)) - 1;
    return ind;
}

int CDialModel::Shade(int c, int i, int n, int lighten, int darken) {
    const int h = n / 2;
    if (i < h) return c + (h - i) * (255 - c) * lighten / h / 100;
    return c - c * (i - h) * darken / ((n + 1) / 2) / 100;
}

std::vector<CDialModel::Wedge> CDialModel::Ring(int left, int /*top*/, int right, int bottom) {
    const int n = (right - left) / 10 + 10;
    const double d = kPi / n;
    const double l = kLightAngle * kPi / 180.0;
    const auto px = [&](double t) { return right / 2 + static_cast<int>(std::trunc(1000 * std::cos(t))); };
    const auto py = [&](double t) { return bottom / 2 - static_cast<int>(std::trunc(1000 * std::sin(t))); };
    std::vector<Wedge> wedges;
    wedges.reserve(2 * static_cast<std::size_t>(n));
    const auto add = [&](int step, double from, double to) {
        wedges.push_back({step, px(from), py(from), px(to), py(to),
                          static_cast<std::uint8_t>(Shade(kRed, step, n, kLighten, kDarken)),
                          static_cast<std::uint8_t>(Shade(kGreen, step, n, kLighten, kDarken)),
                          static_cast<std::uint8_t>(Shade(kBlue, step, n, kLighten, kDarken))});
    };
    add(0, l - d / 2, l + d / 2);
    for (int i = 1; i <= n - 1; ++i) {
        add(i, l - d / 2 - i * d, l - d / 2 - (i - 1) * d);
        add(i, l + d / 2 + (i - 1) * d, l + d / 2 + i * d);
    }
    add(n, l + d / 2 + (n - 1) * d, l - d / 2 - (n - 1) * d);
    return wedges;
}
