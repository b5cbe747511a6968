// Item pictures of the tree and the list, their image lists, the ghost copies
// and the application icon.
#include <wx/imaglist.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "resources/wx/VelkArt.h"
#include "resources/wx/VelkArtCanvas.h"

namespace velk {
namespace {

using art::Canvas;
using art::kNone;

const wxColour kFolderBack(232, 176, 48);
const wxColour kFolderFrontTop(255, 222, 120);
const wxColour kFolderFront(245, 190, 64);
const wxColour kFolderLine(160, 112, 16);
const wxColour kSheet(255, 255, 255);
const wxColour kSheetLine(110, 118, 130);
const wxColour kFold(214, 220, 228);
const wxColour kBody(58, 63, 75);
const wxColour kBodySelected(40, 88, 168);
const wxColour kBodyLine(30, 32, 40);

void DrawFolder(Canvas& c, bool open) {
    // Back with its tab.
    c.Polygon({{1, 2}, {6, 2}, {7, 4}, {15, 4}, {15, 14}, {1, 14}}, kFolderBack, kFolderLine);
    if (open) {
        c.Rect(3, 5, 10, 4, kSheet, kSheetLine);  // a sheet inside
        c.Polygon({{3, 7}, {16, 7}, {14, 14}, {1, 14}}, kFolderFrontTop, kFolderLine);
    } else {
        c.Gradient(1.5, 6, 13.5, 8, kFolderFrontTop, kFolderFront);
        c.Rect(1, 6, 14, 8, kNone, kFolderLine);
    }
}

void DrawDevice(Canvas& c, bool selected) {
    // A small synthesizer: body, two knobs, a display, then the keys.
    c.Rect(0, 3, 15, 10, selected ? kBodySelected : kBody, kBodyLine, 1);
    c.Ellipse(2.6, 5.6, 1.1, 1.1, wxColour(220, 224, 230), kNone);
    c.Ellipse(5.6, 5.6, 1.1, 1.1, wxColour(220, 224, 230), kNone);
    c.Rect(8, 4, 5, 2, selected ? wxColour(255, 180, 60) : wxColour(80, 210, 190), kNone);
    const double left = 1.5, right = 13.5, top = 8, bottom = 12;
    c.Gradient(left, top, right - left, bottom - top, wxColour(255, 255, 255), wxColour(222, 226, 232));
    const int keys = c.Scale() >= 2 ? 8 : 5;
    const double keyWidth = (right - left) / keys;
    for (int k = 1; k < keys; ++k) {
        const double x = left + k * keyWidth;
        c.Line(x, top, x, bottom, wxColour(120, 124, 134), 1);
    }
    for (int k = 1; k < keys; ++k) {
        if (k % 7 == 3 || k % 7 == 0) continue;  // no black key between E-F and B-C
        const double x = left + k * keyWidth - keyWidth * 0.3;
        c.Gradient(x, top, keyWidth * 0.6, (bottom - top) * 0.55, wxColour(20, 20, 24), wxColour(60, 60, 70));
    }
}

// A sheet with a folded corner; the caller draws its contents.
void DrawSheet(Canvas& c, double dx = 0, double dy = 0) {
    c.Polygon({{2 + dx, 0 + dy}, {10 + dx, 0 + dy}, {13 + dx, 3 + dy}, {13 + dx, 15 + dy}, {2 + dx, 15 + dy}},
              kSheet, kSheetLine);
    c.Polygon({{10 + dx, 0 + dy}, {10 + dx, 3 + dy}, {13 + dx, 3 + dy}}, kFold, kSheetLine);
}

void DrawProgram(Canvas& c) {
    DrawSheet(c);
    const wxColour blue(34, 92, 210);
    // A wave across the sheet and a bar of "parameters" under it.
    c.Polyline({{3.5, 8}, {5, 5}, {6.5, 5}, {8, 8}, {9.5, 11}, {11, 11}, {12, 8}}, blue,
               c.Scale() >= 2 ? 2.5 : 1.5);
    c.Line(4, 13, 11, 13, wxColour(150, 180, 235), 1);
}

void DrawGlobal(Canvas& c) {
    DrawSheet(c);
    const wxColour green(30, 140, 70), track(170, 200, 180);
    // Three sliders: the device-wide settings.
    const double rows[] = {5, 8.5, 12};
    const double knobs[] = {8, 5, 10};
    for (int i = 0; i < 3; ++i) {
        c.Line(4, rows[i], 11.5, rows[i], track, c.Scale() >= 2 ? 2 : 1);
        c.Rect(knobs[i] - 1, rows[i] - 1.5, 2, 3, green, kNone);
    }
}

void DrawSetupFile(Canvas& c) {
    // Sheets of a whole device: two behind, the front one with program slots.
    c.Rect(4, 0, 11, 13, wxColour(236, 238, 242), kSheetLine);
    c.Rect(3, 1, 11, 13, wxColour(246, 247, 249), kSheetLine);
    c.Rect(1, 3, 11, 12, kSheet, kSheetLine);
    const wxColour orange(236, 128, 24);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 2; ++col) c.Rect(3 + col * 4, 5 + row * 3, 3, 2, orange, kNone);
}

void DrawItem(Canvas& c, VelkItemArt art) {
    switch (art) {
    case VelkItemArt::Folder: DrawFolder(c, false); break;
    case VelkItemArt::FolderOpen: DrawFolder(c, true); break;
    case VelkItemArt::Device: DrawDevice(c, false); break;
    case VelkItemArt::DeviceSelected: DrawDevice(c, true); break;
    case VelkItemArt::Program: DrawProgram(c); break;
    case VelkItemArt::Global: DrawGlobal(c); break;
    case VelkItemArt::SetupFile: DrawSetupFile(c); break;
    }
}

wxImage ItemImage(VelkItemArt art, int size) {
    return art::Render(size, size, size / 16.0, [art](Canvas& c) { DrawItem(c, art); });
}

std::unique_ptr<wxImageList> MakeImageList(int size, std::initializer_list<VelkItemArt> arts) {
    auto list = std::make_unique<wxImageList>(size, size, false, static_cast<int>(arts.size()) * 2);
    std::vector<wxImage> images;
    for (VelkItemArt art : arts) images.push_back(ItemImage(art, size));
    for (const wxImage& image : images) list->Add(wxBitmap(image));
    for (const wxImage& image : images) list->Add(wxBitmap(MakeVelkGhost(image)));
    return list;
}

}  // namespace

wxImage MakeVelkGhost(const wxImage& image) {
    wxImage ghost = image.ConvertToGreyscale();
    unsigned char* rgb = ghost.GetData();
    const size_t pixels = static_cast<size_t>(ghost.GetWidth()) * ghost.GetHeight();
    for (size_t i = 0; i < pixels * 3; ++i) rgb[i] = static_cast<unsigned char>(96 + rgb[i] * 5 / 8);
    if (ghost.HasAlpha()) {
        unsigned char* alpha = ghost.GetAlpha();
        for (size_t i = 0; i < pixels; ++i) alpha[i] = static_cast<unsigned char>(alpha[i] * 3 / 4);
    }
    return ghost;
}

wxBitmap VelkItemBitmap(VelkItemArt art, int size, bool ghost) {
    const wxImage image = ItemImage(art, size);
    return wxBitmap(ghost ? MakeVelkGhost(image) : image);
}

std::unique_ptr<wxImageList> CreateVelkListImageList(int size) {
    // Index order of VelkListImage.
    return MakeImageList(size, {VelkItemArt::SetupFile, VelkItemArt::Program, VelkItemArt::Global,
                                VelkItemArt::Folder, VelkItemArt::Device});
}

std::unique_ptr<wxImageList> CreateVelkTreeImageList() {
    // Index order of VelkTreeImage.
    return MakeImageList(kVelkSmallIconSize, {VelkItemArt::Folder, VelkItemArt::FolderOpen,
                                              VelkItemArt::Device, VelkItemArt::DeviceSelected});
}

wxBitmap VelkMidiPortBitmap(bool output) {
    const int size = kVelkPortBitmapSize;
    return wxBitmap(art::Render(size, size, size / 16.0, [output](Canvas& c) {
        // A five-pin socket: ring, pins on a half circle, the key notch at the top.
        c.Ellipse(6.5, 8, 6, 6, wxColour(58, 63, 75), kBodyLine);
        c.Ellipse(6.5, 8, 4.3, 4.3, wxColour(30, 32, 40), kNone);
        const std::pair<double, double> pins[] = {
            {3.6, 8.4}, {4.5, 10.4}, {6.5, 11.2}, {8.5, 10.4}, {9.4, 8.4}};
        for (const auto& [x, y] : pins) c.Ellipse(x, y, 0.6, 0.6, wxColour(230, 200, 90), kNone);
        c.Rect(5.8, 3.2, 1.4, 1.3, wxColour(150, 156, 166), kNone);
        // The arrow: into the socket for input, away from it for output.
        const wxColour arrow = output ? wxColour(236, 128, 24) : wxColour(30, 150, 70);
        c.Line(11.5, 8, 15.5, 8, arrow, c.L(1.4));
        if (output) c.Polyline({{13.5, 6}, {15.5, 8}, {13.5, 10}}, arrow, c.L(1.4));
        else c.Polyline({{13.5, 6}, {11.5, 8}, {13.5, 10}}, arrow, c.L(1.4));
    }));
}

wxIconBundle VelkAppIcons() {
    wxIconBundle bundle;
    for (int size : {16, 32, 48, 64}) {
        const wxImage image = art::Render(size, size, size / 16.0, [](Canvas& c) {
            c.Gradient(0, 0, 16, 16, wxColour(70, 130, 230), wxColour(24, 60, 150), 3);
            // A wave over a keyboard: the sound and the instrument.
            c.Polyline({{2.5, 5}, {4, 2.5}, {5.5, 2.5}, {8, 7.5}, {10.5, 7.5}, {12, 2.5}, {13.5, 5}},
                       wxColour(255, 214, 90), std::max(1.5, c.Scale() * 1.2));
            c.Gradient(2, 9, 12, 5, wxColour(255, 255, 255), wxColour(215, 222, 235), 0.5);
            const int keys = c.Scale() >= 3 ? 7 : 4;
            for (int k = 1; k < keys; ++k) {
                const double x = 2 + k * 12.0 / keys;
                c.Line(x, 9, x, 14, wxColour(90, 100, 120), 1);
                if (k % 7 != 3)
                    c.Gradient(x - 0.45 * 12.0 / keys * 0.6, 9, 12.0 / keys * 0.55, 2.8, wxColour(20, 20, 30),
                               wxColour(60, 64, 80));
            }
        });
        wxIcon icon;
        icon.CopyFromBitmap(wxBitmap(image));
        bundle.AddIcon(icon);
    }
    return bundle;
}

}  // namespace velk
