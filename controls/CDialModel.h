#pragma once
// The knob's logic: its range and value, the value from a mouse position
// (the angle around the centre, not the distance moved), the press / drag /
// release cycle with its notices, and the geometry of what it draws (the
// shaded ring's wedges and the indicator line). The window only paints what
// this says and feeds it mouse input.

#include <cstdint>
#include <vector>

class CDialModel {
public:
    // What the knob tells its owner. Both notices go out synchronously.
    class Listener {
    public:
        virtual void DialChanged(int value) = 0;          // "CDial_Changed"
        virtual void DialReleasedCapture(int value) = 0;  // "CDial_Releasedcapture"
        virtual void DialInvalidate() = 0;                // repaint needed
    protected:
        ~Listener() = default;
    };

    static constexpr int kIndicatorInnerEnd = 40;  // percent
    static constexpr int kDarken = 100;            // percent
    static constexpr int kLighten = 100;           // percent
    static constexpr int kRed = 0xA0, kGreen = 0x80, kBlue = 0x80;
    static constexpr int kStartAngle = 230;  // degrees, shown for the minimum
    static constexpr int kEndAngle = -50;    // degrees, shown for the maximum
    static constexpr int kLightAngle = 135;  // ring lit from the upper left

    explicit CDialModel(Listener& listener) : listener_(listener) {}

    int GetValue() const { return value_; }
    int GetMinimum() const { return minimum_; }
    int GetMaximum() const { return maximum_; }
    int GetDefault() const { return default_; }
    // Clamped to the range; no notice.
    void SetValue(int v);
    // Minimum and maximum kept in their order (a minimum above the maximum
    // turns the knob round); default and value clamped to the range; no notice.
    void SetRange(int minimum, int maximum, int defaultValue);
    // dx, dy relative to the centre, dy growing upwards. Notifies a change.
    void SetValueFromPoint(int dx, int dy);

    // Geometry: the side of the square window; radius = side / 2.
    void SetSide(int side);
    int Side() const { return side_; }
    int Radius() const { return radius_; }
    // Whether client pixel (x, y) belongs to the round knob (the elliptic
    // region (0, 0, side + 1, side + 1)); presses outside it are ignored.
    bool Contains(int x, int y) const { return InCircle(side_, x, y); }
    static bool InCircle(int side, int x, int y);

    // Mouse input in client coordinates. LeftDown returns true when the knob
    // wants the mouse capture (a press without Shift inside the circle).
    bool LeftDown(int x, int y, bool shift);
    void MouseMove(int x, int y, bool leftDown);
    // Returns true when a drag ended (the capture is to be released).
    bool LeftUp(int x, int y);
    // The capture was taken away during a drag: ends the drag as a release at
    // the last position, with its notice.
    void CaptureLost();
    bool IsTracking() const { return tracking_; }

    // Indicator angle in whole degrees; the start angle when the range holds
    // a single value (the arithmetic would divide by zero).
    int IndicatorAngle() const;
    struct Indicator {
        int width;  // pen width, odd; the white line is width - 4
        int outerX, outerY, innerX, innerY;
        bool operator==(const Indicator&) const = default;
    };
    Indicator IndicatorFor(int side) const;

    // One pie wedge of the shaded ring, drawn counter-clockwise from the
    // first radial point to the second (points relative to the client
    // origin, as handed to a pie drawing call on the ring's rectangle).
    struct Wedge {
        int step;
        int fromX, fromY, toX, toY;
        std::uint8_t red, green, blue;
    };
    // The ring's 2N wedges on the rectangle (left, top, right, bottom).
    static std::vector<Wedge> Ring(int left, int top, int right, int bottom);
    // Shade of one colour component at step i of n (integer arithmetic).
    static int Shade(int c, int i, int n, int lighten, int darken);

private:
    void ChangeTo(int v);

    Listener& listener_;
    int minimum_ = 0;
    int maximum_ = 255;
    int default_ = 128;
    int value_ = 128;
    bool moved_ = false;
    bool tracking_ = false;
    int side_ = 0;
    int radius_ = 0;
    int lastX_ = 0;  // last mouse position seen during a drag
    int lastY_ = 0;
};
