#pragma once
// Saves what a window shows as $VELK_SHOTS_DIR/<name>.png, for people to
// look at; nothing without the variable. The window must be shown and
// inside the screen.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/utils.h>

namespace guitest {

// What a shown window shows now, read back from the X server.
inline wxBitmap Capture(wxWindow& window) {
    wxClientDC source(&window);
    const wxSize size = window.GetClientSize();
    wxBitmap bitmap(size);
    wxMemoryDC target(bitmap);
    target.Blit(0, 0, size.x, size.y, &source, 0, 0);
    target.SelectObject(wxNullBitmap);
    return bitmap;
}

inline void SaveShot(wxWindow& window, const char* name) {
    const char* dir = std::getenv("VELK_SHOTS_DIR");
    if (dir == nullptr || *dir == '\0') return;
    // GTK animates check marks: let them finish (only when taking pictures).
    for (int i = 0; i < 10; ++i) {
        wxMilliSleep(40);
        wxYield();
    }
    window.Update();
    EXPECT_TRUE(Capture(window).SaveFile(wxString::FromUTF8(std::string(dir) + "/" + name + ".png"),
                                         wxBITMAP_TYPE_PNG));
}

}  // namespace guitest
