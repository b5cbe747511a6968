// The 32 x 16 wave pictures of the Timbre and Vocoder pages: a grey frame
// with a folded corner and faint grid lines holding the curve, and two
// pictures on white (the microphone of "Audio In", the head of "Vox Wave").
#include <wx/font.h>
#include <wx/imaglist.h>

#include <array>
#include <cmath>
#include <numbers>

#include "resources/wx/VelkArt.h"
#include "resources/wx/VelkArtCanvas.h"

namespace velk {
namespace {

using art::Canvas;
using art::kNone;

// Drawn at one pixel per unit: the grid here is the 32 x 16 pixel grid.
const wxColour kFrameFill(226, 228, 232);
const wxColour kFrameLine(72, 76, 84);  // not black: the Timbre page masks black
const wxColour kGrid(200, 204, 210);
const wxColour kCurve(24, 72, 210);
const wxColour kRed(210, 36, 36);
constexpr double kCurveWidth = 1.4;
constexpr double kLeft = 3, kRight = 27, kTop = 3, kBottom = 13, kMid = 8;

void DrawFrame(Canvas& c) {
    c.Polygon({{0, 0}, {27, 0}, {31, 4}, {31, 15}, {0, 15}}, kFrameFill, kFrameLine);
    for (double y : {4.0, 8.0, 12.0}) c.Line(1, y + 0.5, 30, y + 0.5, kGrid, 1);
    c.Polygon({{27, 0}, {27, 4}, {31, 4}}, wxColour(250, 250, 252), kFrameLine);
}

template <typename F>
void Curve(Canvas& c, F y, const wxColour& colour = kCurve) {
    wxGraphicsContext& gc = c.Gc();
    wxGraphicsPath path = gc.CreatePath();
    constexpr int kSteps = 48;
    for (int i = 0; i <= kSteps; ++i) {
        const double t = static_cast<double>(i) / kSteps;
        const double x = kLeft + t * (kRight - kLeft);
        if (i == 0) path.MoveToPoint(x, y(t));
        else path.AddLineToPoint(x, y(t));
    }
    wxGraphicsPenInfo pen(colour);
    pen.Width(kCurveWidth).Join(wxJOIN_ROUND);
    gc.SetPen(gc.CreatePen(pen));
    gc.StrokePath(path);
}

// A polyline through (t, level) pairs, t in 0..1 across the frame, level
// 0 (bottom) .. 1 (top).
void Steps(Canvas& c, std::initializer_list<std::pair<double, double>> points,
           const wxColour& colour = kCurve) {
    wxGraphicsContext& gc = c.Gc();
    wxGraphicsPath path = gc.CreatePath();
    bool first = true;
    for (const auto& [t, level] : points) {
        const double x = std::round(kLeft + t * (kRight - kLeft)) + 0.5;
        const double y = std::round(kBottom - level * (kBottom - kTop)) + 0.5;
        if (first) path.MoveToPoint(x, y);
        else path.AddLineToPoint(x, y);
        first = false;
    }
    wxGraphicsPenInfo pen(colour);
    pen.Width(kCurveWidth).Join(wxJOIN_MITER);
    gc.SetPen(gc.CreatePen(pen));
    gc.StrokePath(path);
}

void DrawPcm(Canvas& c) {
    wxGraphicsContext& gc = c.Gc();
    gc.SetFont(wxFont(wxFontInfo(wxSize(0, 10)).Bold().Family(wxFONTFAMILY_SWISS)), kCurve);
    double w = 0, h = 0;
    gc.GetTextExtent("PCM", &w, &h);
    gc.DrawText("PCM", (29 - w) / 2, (16 - h) / 2);
}

void DrawNoise(Canvas& c) {
    // Fixed "random" dots, so every run draws the same picture.
    // clang-format off
    constexpr std::array<std::pair<int, int>, 26> kDots{{
        {4, 9},  {5, 5},   {6, 11},  {7, 7},  {8, 3},  {9, 10}, {10, 6},  {11, 12}, {12, 4},
        {13, 8}, {14, 11}, {15, 5},  {16, 9}, {17, 3}, {18, 7}, {19, 12}, {20, 6},  {21, 10},
        {22, 4}, {23, 8},  {24, 11}, {25, 6}, {26, 9}, {14, 2}, {8, 13},  {20, 13},
    }};
    // clang-format on
    wxGraphicsContext& gc = c.Gc();
    gc.SetPen(*wxTRANSPARENT_PEN);
    gc.SetBrush(gc.CreateBrush(wxBrush(kCurve)));
    for (const auto& [x, y] : kDots) gc.DrawRectangle(x, y, 1, 1);
}

void DrawMicrophone(Canvas& c) {
    c.Rect(0, 0, 31, 15, *wxWHITE, kNone);
    // Cable from the handle off to the right.
    wxGraphicsContext& gc = c.Gc();
    wxGraphicsPath cable = gc.CreatePath();
    cable.MoveToPoint(11, 13);
    cable.AddCurveToPoint(16, 16, 19, 6, 24, 8);
    cable.AddCurveToPoint(27, 9, 28, 12, 31, 12);
    wxGraphicsPenInfo pen(wxColour(50, 54, 62));
    pen.Width(1.2);
    gc.SetPen(gc.CreatePen(pen));
    gc.StrokePath(cable);
    // Handle, then the head with its grille.
    c.Polygon({{7, 8}, {11, 8}, {10, 14}, {8, 14}}, wxColour(58, 63, 75), wxColour(30, 32, 40));
    c.Rect(5, 1, 8, 8, wxColour(168, 174, 184), wxColour(70, 74, 84), 3.5);
    for (double y : {3.5, 5.5, 7.5}) c.Line(6.2, y, 11.8, y, wxColour(110, 116, 126), 1);
}

void DrawHead(Canvas& c) {
    c.Rect(0, 0, 31, 15, *wxWHITE, kNone);
    // A profile facing right: skull, brow, nose, mouth, chin, neck.
    const wxColour skin(74, 84, 104);
    wxGraphicsContext& gc = c.Gc();
    wxGraphicsPath head = gc.CreatePath();
    head.MoveToPoint(4, 16);
    head.AddLineToPoint(4.5, 11);
    head.AddCurveToPoint(1, 8, 2, 1, 8.5, 1);
    head.AddCurveToPoint(12, 1, 13.5, 3.5, 13.5, 6);
    head.AddLineToPoint(15.5, 8.6);
    head.AddLineToPoint(13.8, 9.2);
    head.AddLineToPoint(14.2, 10.4);
    head.AddLineToPoint(13.6, 11.2);
    head.AddCurveToPoint(13.8, 12.8, 12.5, 13.2, 10.5, 13);
    head.AddLineToPoint(10.5, 16);
    head.CloseSubpath();
    gc.SetPen(*wxTRANSPARENT_PEN);
    gc.SetBrush(gc.CreateBrush(wxBrush(skin)));
    gc.FillPath(head);
    // Voice coming out of the mouth.
    wxGraphicsPenInfo pen(kCurve);
    pen.Width(1.3);
    gc.SetPen(gc.CreatePen(pen));
    for (double r : {4.0, 7.5, 11.0}) {
        wxGraphicsPath arc = gc.CreatePath();
        arc.AddArc(14, 10.5, r, -0.6, 0.6, true);
        gc.StrokePath(arc);
    }
}

void DrawWave(Canvas& c, int index) {
    using std::numbers::pi;
    const double amp = (kBottom - kTop) / 2;
    switch (index) {
    case kVelkWaveMicrophone: DrawMicrophone(c); return;
    case kVelkWaveHead: DrawHead(c); return;
    default: break;
    }
    DrawFrame(c);
    switch (index) {
    case kVelkWavePcm: DrawPcm(c); break;
    case kVelkWaveNoise: DrawNoise(c); break;
    case kVelkWaveRandomSteps:
        Steps(c,
              {{0, 0.3},
               {0.17, 0.3},
               {0.17, 0.9},
               {0.33, 0.9},
               {0.33, 0.1},
               {0.5, 0.1},
               {0.5, 0.6},
               {0.67, 0.6},
               {0.67, 0.0},
               {0.83, 0.0},
               {0.83, 0.75},
               {1, 0.75}},
              kRed);
        break;
    case kVelkWaveSawRising: Steps(c, {{0, 0}, {0.5, 1}, {0.5, 0}, {1, 1}, {1, 0}}); break;
    case kVelkWaveSawFalling: Steps(c, {{0, 0}, {0, 1}, {0.5, 0}, {0.5, 1}, {1, 0}}); break;
    case kVelkWaveSine: Curve(c, [&](double t) { return kMid - amp * std::sin(2 * pi * t); }); break;
    case kVelkWaveSineInverted: Curve(c, [&](double t) { return kMid - amp * std::cos(2 * pi * t); }); break;
    case kVelkWaveSquare:
        Steps(c, {{0, 0}, {0, 1}, {0.25, 1}, {0.25, 0}, {0.5, 0}, {0.5, 1}, {0.75, 1}, {0.75, 0}, {1, 0}});
        break;
    case kVelkWaveSquareUpper:
        Steps(c, {{0, 0.5},
                  {0, 1},
                  {0.25, 1},
                  {0.25, 0.5},
                  {0.5, 0.5},
                  {0.5, 1},
                  {0.75, 1},
                  {0.75, 0.5},
                  {1, 0.5}});
        break;
    case kVelkWaveTriangle: Steps(c, {{0, 0.5}, {0.25, 1}, {0.75, 0}, {1, 0.5}}); break;
    case kVelkWaveTriangleInverted: Steps(c, {{0, 1}, {0.5, 0}, {1, 1}}); break;
    default: break;
    }
}

}  // namespace

wxBitmap VelkWaveBitmap(int index) {
    if (index < 0 || index >= kVelkWaveImageCount) return wxNullBitmap;
    return wxBitmap(
        art::Render(kVelkWaveWidth, kVelkWaveHeight, 1.0, [index](Canvas& c) { DrawWave(c, index); }));
}

std::unique_ptr<wxImageList> CreateVelkWaveImageList() {
    auto list = std::make_unique<wxImageList>(kVelkWaveWidth, kVelkWaveHeight, false, kVelkWaveImageCount);
    for (int i = 0; i < kVelkWaveImageCount; ++i) list->Add(VelkWaveBitmap(i));
    return list;
}

}  // namespace velk
