// Toolbar pictures: cut, copy, paste, the four list styles and help.
#include <wx/font.h>

#include "resources/VelkCommandIds.h"
#include "resources/wx/VelkArt.h"
#include "resources/wx/VelkArtCanvas.h"

namespace velk {
namespace {

using art::Canvas;
using art::kNone;

const wxColour kInk(60, 66, 78);
const wxColour kPaper(255, 255, 255);
const wxColour kPaperLine(110, 118, 130);
const wxColour kBlue(40, 100, 210);
const wxColour kPaleBlue(150, 180, 235);

void Sheet(Canvas& c, double x, double y, double w, double h) {
    c.Rect(x, y, w, h, kPaper, kPaperLine);
    for (double ly = y + 2; ly < y + h - 1; ly += 2)
        c.Line(x + 1.7, ly + 0.5, x + w - 1.2, ly + 0.5, kPaleBlue, 1);
}

void DrawCut(Canvas& c) {
    const wxColour steel(120, 128, 140), handle(200, 40, 40);
    c.Line(5.5, 10, 11, 1, steel, 1.6);
    c.Line(10.5, 10, 5, 1, steel, 1.6);
    c.Ellipse(4.5, 12.2, 2.4, 2.4, kNone, handle);
    c.Ellipse(11.5, 12.2, 2.4, 2.4, kNone, handle);
    c.Line(6, 10.2, 5.6, 10.8, handle, 1.5);
    c.Line(10, 10.2, 10.4, 10.8, handle, 1.5);
}

void DrawCopy(Canvas& c) {
    Sheet(c, 1, 1, 8, 10);
    Sheet(c, 6, 5, 8, 10);
}

void DrawPaste(Canvas& c) {
    c.Rect(2, 2, 11, 13, wxColour(196, 148, 80), wxColour(130, 90, 40), 1);
    Sheet(c, 4, 5, 8, 9);
    c.Rect(5, 0, 5, 3, wxColour(170, 176, 186), kInk, 0.5);
}

void DrawLargeIcons(Canvas& c) {
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 2; ++col) c.Rect(1 + col * 8, 1 + row * 8, 5, 5, kBlue, kInk);
}

void DrawSmallIcons(Canvas& c) {
    // Small squares with their labels, laid out in rows.
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 2; ++col) {
            const double x = 1 + col * 8, y = 2 + row * 5;
            c.Rect(x, y, 2, 2, kBlue, kInk);
            c.Line(x + 3.5, y + 1.5, x + 6.5, y + 1.5, kInk, 1);
        }
}

void DrawList(Canvas& c) {
    // Labels in columns, read top to bottom.
    for (int col = 0; col < 2; ++col)
        for (int row = 0; row < 4; ++row) {
            const double x = 1 + col * 8, y = 1 + row * 4;
            c.Rect(x, y, 1, 1, kBlue, kInk);
            c.Line(x + 3, y + 1, x + 6.5, y + 1, kInk, 1);
        }
}

void DrawDetails(Canvas& c) {
    c.Rect(0, 0, 15, 3, wxColour(214, 220, 230), kInk);
    c.Line(7.5, 0, 7.5, 16, wxColour(170, 176, 186), 1);
    for (int row = 0; row < 3; ++row) {
        const double y = 5.5 + row * 4;
        c.Rect(1, y - 1, 2, 2, kBlue, kInk);
        c.Line(4, y + 0.5, 7, y + 0.5, kInk, 1);
        c.Line(9, y + 0.5, 14, y + 0.5, kInk, 1);
    }
}

void DrawHelp(Canvas& c) {
    c.Ellipse(8, 8, 7.5, 7.5, kBlue, wxColour(20, 60, 150));
    wxGraphicsContext& gc = c.Gc();
    const wxFont font(wxFontInfo(wxSize(0, static_cast<int>(c.L(12)))).Bold().Family(wxFONTFAMILY_SWISS));
    gc.SetFont(font, *wxWHITE);
    double w = 0, h = 0;
    gc.GetTextExtent("?", &w, &h);
    gc.DrawText("?", c.L(8) - w / 2, c.L(8) - h / 2);
}

}  // namespace

wxBitmap VelkToolbarBitmap(int commandId) {
    void (*draw)(Canvas&) = nullptr;
    switch (commandId) {
    case ID_EDIT_CUT: draw = DrawCut; break;
    case ID_EDIT_COPY: draw = DrawCopy; break;
    case ID_EDIT_PASTE: draw = DrawPaste; break;
    case ID_VIEW_LARGEICON: draw = DrawLargeIcons; break;
    case ID_VIEW_SMALLICON: draw = DrawSmallIcons; break;
    case ID_VIEW_LIST: draw = DrawList; break;
    case ID_VIEW_DETAILS: draw = DrawDetails; break;
    case ID_HELP_DOCUMENT: draw = DrawHelp; break;
    default: return wxNullBitmap;
    }
    const int size = kVelkToolbarBitmapSize;
    return wxBitmap(art::Render(size, size, size / 16.0, [draw](Canvas& c) { draw(c); }));
}

}  // namespace velk
