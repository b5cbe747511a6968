#include "controls/CWiredPtsModel.h"

#include <algorithm>

namespace {

int ClampValue(int v) { return std::clamp(v, 0, CWiredPtsModel::kMaxValue); }

// Clamps to the limits even when a tiny client area turned them round.
int ClampBetween(int v, int a, int b) { return std::clamp(v, std::min(a, b), std::max(a, b)); }

bool InSquare(const CWiredPt& p, int x, int y) {
    const int h = p.halfSize;
    return x >= p.x - h && x < p.x + h && y >= p.y - h && y < p.y + h;
}

}  // namespace

CWiredPtsModel::CWiredPtsModel(Listener& listener, int clientWidth, int clientHeight)
    : listener_(listener), width_(clientWidth), height_(clientHeight) {
    BuildPoints();
}

void CWiredPtsModel::SetClientSize(int width, int height) {
    width_ = width;
    height_ = height;
}

void CWiredPtsModel::BuildPoints() {
    const int left = InnerLeft(), top = InnerTop(), right = InnerRight(), bottom = InnerBottom();
    const int q = Quarter();
    const int middle = top + (bottom - top) / 2;
    points_ = {};
    CWiredPt& start = points_[kStart];
    start.x = left;
    start.y = bottom;
    start.limitLeft = start.limitRight = left;
    start.limitTop = start.limitBottom = bottom;
    CWiredPt& attack = points_[kAttack];
    attack.x = left;
    attack.y = top;
    attack.limitLeft = left;
    attack.limitRight = left + q;
    attack.limitTop = attack.limitBottom = top;
    CWiredPt& decay = points_[kDecay];
    decay.x = right - 2 * q;
    decay.y = middle;
    decay.limitLeft = left + q;
    decay.limitRight = left + 2 * q;
    decay.limitTop = top;
    decay.limitBottom = bottom;
    CWiredPt& sustain = points_[kSustain];
    sustain.x = right - q;
    sustain.y = middle;
    sustain.limitLeft = sustain.limitRight = right - q;
    sustain.limitTop = top;
    sustain.limitBottom = bottom;
    CWiredPt& release = points_[kRelease];
    release.x = right - q;
    release.y = bottom;
    release.limitLeft = right - q;
    release.limitRight = right;
    release.limitTop = release.limitBottom = bottom;
}

void CWiredPtsModel::SetEnvelope(int attack, int decay, int sustain, int release) {
    BuildPoints();
    hasEnvelope_ = true;
    dragged_ = -1;
    SetAttack(attack);
    SetDecay(decay);
    SetSustain(sustain);
    SetRelease(release);
}

bool CWiredPtsModel::Store(int index, int v, std::uint32_t flag) {
    CWiredPt& p = points_[static_cast<std::size_t>(index)];
    if (v == p.value) return false;
    p.value = v;
    listener_.WiredPtsChanged(v, flag);
    listener_.WiredPtsInvalidate();
    return true;
}

void CWiredPtsModel::SetAttack(int v) {
    v = ClampValue(v);
    CWiredPt& attack = points_[kAttack];
    attack.x = v * Quarter() / kMaxValue + attack.limitLeft;
    Store(kAttack, v, kAttackFlag);
    // The decay range always starts at the attack point and keeps its width;
    // the decay point keeps its distance from the attack point.
    CWiredPt& decay = points_[kDecay];
    const int delta = attack.x - decay.limitLeft;
    decay.x += delta;
    decay.limitRight += delta;
    decay.limitLeft = attack.x;
}

void CWiredPtsModel::SetDecay(int v) {
    v = ClampValue(v);
    CWiredPt& decay = points_[kDecay];
    decay.x = v * Quarter() / kMaxValue + decay.limitLeft;
    Store(kDecay, v, kDecayFlag);
}

void CWiredPtsModel::SetSustain(int v) {
    v = ClampValue(v);
    CWiredPt& sustain = points_[kSustain];
    sustain.y = sustain.limitBottom - v * (sustain.limitBottom - sustain.limitTop) / kMaxValue;
    Store(kSustain, v, kSustainFlag);
    points_[kDecay].y = sustain.y;
}

void CWiredPtsModel::SetRelease(int v) {
    v = ClampValue(v);
    CWiredPt& release = points_[kRelease];
    release.x = v * Quarter() / kMaxValue + release.limitLeft;
    Store(kRelease, v, kReleaseFlag);
}

bool CWiredPtsModel::LeftDown(int x, int y) {
    if (!hasEnvelope_) return false;
    dragged_ = -1;
    for (int i = 0; i < kCount && dragged_ < 0; ++i) {
        const CWiredPt& p = points_[static_cast<std::size_t>(i)];
        if (!p.Fixed() && InSquare(p, x, y)) {
            dragged_ = i;
        } else if (i == kSustain) {
            // The segment from the decay handle to the sustain handle drags
            // the sustain level.
            const CWiredPt& d = points_[kDecay];
            const int h = p.halfSize;
            if (x >= d.x + h && x < p.x - h && y >= d.y - h && y < p.y + h) dragged_ = kSustain;
        }
    }
    listener_.WiredPtsInvalidate();
    lastX_ = x;
    lastY_ = y;
    return dragged_ >= 0;
}

void CWiredPtsModel::MovePoint(int x, int y) {
    CWiredPt& p = points_[static_cast<std::size_t>(dragged_)];
    p.x = ClampBetween(x, p.limitLeft, p.limitRight);
    p.y = ClampBetween(y, p.limitTop, p.limitBottom);
    // A zero span (a client area too small to hold the graph) has no values
    // to drag through.
    const int spanX = p.limitRight - p.limitLeft;
    const int spanY = p.limitBottom - p.limitTop;
    const auto fromX = [&] { return (p.x - p.limitLeft) * kMaxValue / spanX; };
    const auto fromY = [&] { return (p.limitBottom - p.y) * kMaxValue / spanY; };
    switch (dragged_) {
    case kAttack:
        if (spanX != 0) SetAttack(fromX());
        break;
    case kDecay:
        if (spanX != 0) SetDecay(fromX());
        if (spanY != 0) SetSustain(fromY());
        break;
    case kSustain:
        if (spanY != 0) SetSustain(fromY());
        break;
    case kRelease:
        if (spanX != 0) SetRelease(fromX());
        break;
    default: break;
    }
    listener_.WiredPtsInvalidate();
}

void CWiredPtsModel::MouseMove(int x, int y, bool leftDown) {
    // A move without the button held means the release was lost on the way:
    // it must not change values.
    if (dragged_ < 0 || !leftDown) return;
    lastX_ = x;
    lastY_ = y;
    MovePoint(x, y);
}

bool CWiredPtsModel::LeftUp(int x, int y) {
    if (dragged_ < 0) return false;
    MovePoint(x, y);
    const int index = dragged_;
    dragged_ = -1;
    listener_.WiredPtsReleasedCapture(ReleaseFlagsFor(index));
    return true;
}

void CWiredPtsModel::CaptureLost() { LeftUp(lastX_, lastY_); }

std::uint32_t CWiredPtsModel::ReleaseFlagsFor(int index) {
    switch (index) {
    case kAttack: return kAttackFlag;
    case kDecay: return kDecayFlag | kSustainFlag;
    case kSustain: return kSustainFlag;
    case kRelease: return kReleaseFlag;
    default: return 0;
    }
}
