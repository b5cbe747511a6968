#pragma once
// The envelope graph's logic: five points (start, attack, decay, sustain,
// release) laid out in the client area deflated by 8 pixels, their values
// 0-127, picking a handle or the sustain segment with the mouse, dragging it
// within its limits, and the change / release notices with their flag bits.
// The window paints what this says and feeds it mouse input.

#include <array>
#include <cstdint>

// One point of the graph.
struct CWiredPt {
    static constexpr int kDrawHandle = 1;
    static constexpr int kDrawLine = 2;  // line from the previous point to this one

    int x = 0;
    int y = 0;
    int halfSize = 4;
    int flags = kDrawHandle | kDrawLine;
    int value = 0;
    std::uint32_t lineColour = 0x323280;    // 0xRRGGBB of the line to the next point
    std::uint32_t handleColour = 0xA08080;  // 0xRRGGBB while not dragged
    int limitLeft = 0, limitTop = 0, limitRight = 0, limitBottom = 0;

    // A point whose limits are a single spot cannot be picked.
    bool Fixed() const { return limitLeft == limitRight && limitTop == limitBottom; }
    bool operator==(const CWiredPt&) const = default;
};

class CWiredPtsModel {
public:
    static constexpr std::uint32_t kAttackFlag = 0x80000000u;
    static constexpr std::uint32_t kDecayFlag = 0x40000000u;
    static constexpr std::uint32_t kSustainFlag = 0x20000000u;
    static constexpr std::uint32_t kReleaseFlag = 0x10000000u;
    static constexpr std::uint32_t kBackgroundColour = 0xA0A0A0;
    static constexpr std::uint32_t kAxisColour = 0xE6E6E6;
    static constexpr std::uint32_t kDraggedColour = 0xFF0000;
    static constexpr int kMargin = 8;
    static constexpr int kMaxValue = 127;

    enum Index { kStart = 0, kAttack = 1, kDecay = 2, kSustain = 3, kRelease = 4, kCount = 5 };

    class Listener {
    public:
        // "CWiredPts_Changed": the new value and the flag of the parameter.
        virtual void WiredPtsChanged(int value, std::uint32_t flag) = 0;
        // "CWiredPts_Releasedcapture": the flags of what the drag may have changed.
        virtual void WiredPtsReleasedCapture(std::uint32_t flags) = 0;
        virtual void WiredPtsInvalidate() = 0;

    protected:
        ~Listener() = default;
    };

    // The points exist from construction (laid out for the given client
    // size with all values 0), so setters and getters are safe before
    // SetEnvelope; they are only painted after it.
    CWiredPtsModel(Listener& listener, int clientWidth, int clientHeight);

    // The client size the setters take q from (the window's current size).
    void SetClientSize(int width, int height);
    int ClientWidth() const { return width_; }
    int ClientHeight() const { return height_; }

    // Rebuilds the five points for the current client size, then sets the
    // four values in the order attack, decay, sustain, release.
    void SetEnvelope(int attack, int decay, int sustain, int release);
    bool HasEnvelope() const { return hasEnvelope_; }

    // Values are clamped to 0..127. Each setter notifies when the value changes.
    void SetAttack(int v);
    void SetDecay(int v);
    void SetSustain(int v);
    void SetRelease(int v);
    int GetAttack() const { return points_[kAttack].value; }
    int GetDecay() const { return points_[kDecay].value; }
    int GetSustain() const { return points_[kSustain].value; }
    int GetRelease() const { return points_[kRelease].value; }

    // Mouse input in client coordinates. LeftDown returns true when a point
    // was picked (the mouse is to be captured).
    bool LeftDown(int x, int y);
    void MouseMove(int x, int y, bool leftDown);
    // Returns true when a drag ended (the capture is to be released).
    bool LeftUp(int x, int y);
    // The capture was taken away during a drag: ends it as a release at the
    // last position, with its notice.
    void CaptureLost();
    int DraggedIndex() const { return dragged_; }

    const std::array<CWiredPt, kCount>& Points() const { return points_; }
    // The client rectangle deflated by the margin (R).
    int InnerLeft() const { return kMargin; }
    int InnerTop() const { return kMargin; }
    int InnerRight() const { return width_ - kMargin; }
    int InnerBottom() const { return height_ - kMargin; }

    static std::uint32_t ReleaseFlagsFor(int index);

private:
    void BuildPoints();
    int Quarter() const { return (InnerRight() - InnerLeft()) / 4; }
    bool Store(int index, int v, std::uint32_t flag);
    void MovePoint(int x, int y);

    Listener& listener_;
    int width_;
    int height_;
    std::array<CWiredPt, kCount> points_{};
    bool hasEnvelope_ = false;
    int dragged_ = -1;
    int lastX_ = 0;
    int lastY_ = 0;
};
