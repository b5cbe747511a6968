// Drawing helpers shared by the artwork sources: a transparent image with a
// graphics context on it, and crisp shapes on a 16-unit grid scaled to the
// image size (so one drawing serves 16 and 32 pixels).
#pragma once

#include <wx/brush.h>
#include <wx/colour.h>
#include <wx/graphics.h>
#include <wx/image.h>
#include <wx/pen.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>

namespace velk::art {

class Canvas {
public:
    // `unitScale`: pixels per grid unit.
    Canvas(wxGraphicsContext& gc, double unitScale) : gc_(gc), s_(unitScale) {}

    wxGraphicsContext& Gc() { return gc_; }
    double Scale() const { return s_; }
    // Grid units to pixels: a length, and a coordinate on a pixel centre (so a
    // one-pixel line drawn there is not smeared over two pixels).
    double L(double u) const { return u * s_; }
    double C(double u) const;
    // One pixel in grid units.
    double Px() const { return 1.0 / s_; }

    // Outline width in pixels: 1 on small images, more on large ones.
    double LineWidth() const { return s_ >= 2 ? 1.5 : 1.0; }

    void Rect(double x, double y, double w, double h, const wxColour& fill, const wxColour& line,
              double radius = 0);
    void Ellipse(double cx, double cy, double rx, double ry, const wxColour& fill, const wxColour& line);
    void Polygon(std::initializer_list<std::pair<double, double>> points, const wxColour& fill,
                 const wxColour& line);
    void Polyline(std::initializer_list<std::pair<double, double>> points, const wxColour& line,
                  double widthPx);
    void Line(double x1, double y1, double x2, double y2, const wxColour& line, double widthPx);
    // Vertical gradient fill of a rectangle, no outline.
    void Gradient(double x, double y, double w, double h, const wxColour& top, const wxColour& bottom,
                  double radius = 0);

private:
    void Apply(const wxColour& fill, const wxColour& line, double widthPx);
    wxGraphicsContext& gc_;
    double s_;
};

// A transparent `width` x `height` image with `draw` run on a 16-unit grid
// scaled by `unitScale`.
wxImage Render(int width, int height, double unitScale, const std::function<void(Canvas&)>& draw);

// No colour at all (no fill, or no outline).
inline const wxColour kNone = wxTransparentColour;

}  // namespace velk::art
