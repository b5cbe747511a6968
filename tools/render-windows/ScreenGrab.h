#pragma once
// Reads a rectangle of the X screen (GTK 3 cannot blit from a window or
// screen DC). Works under Xvfb, where nothing composites the windows.

#include <wx/gdicmn.h>
#include <wx/image.h>

// An invalid image when the display cannot be read.
wxImage GrabScreen(const wxRect& rect);
