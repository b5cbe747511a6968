#include "tools/render-windows/ScreenGrab.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>

namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
struct ImageDestroyer {
    void operator()(XImage* image) const { XDestroyImage(image); }
};

unsigned char Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1)) ++shift;
    const unsigned long value = (pixel & mask) >> shift;
    const unsigned long top = mask >> shift;
    return static_cast<unsigned char>(value * 255 / top);
}

}  // namespace

wxImage GrabScreen(const wxRect& rect) {
    // A connection of our own: wx's has flushed what it drew by now.
    std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
    if (!display || rect.width <= 0 || rect.height <= 0) return {};
    const Window root = DefaultRootWindow(display.get());
    std::unique_ptr<XImage, ImageDestroyer> shot(
        XGetImage(display.get(), root, rect.x, rect.y, static_cast<unsigned>(rect.width),
                  static_cast<unsigned>(rect.height), AllPlanes, ZPixmap));
    if (!shot) return {};
    wxImage image(rect.width, rect.height);
    for (int y = 0; y < rect.height; ++y)
        for (int x = 0; x < rect.width; ++x) {
            const unsigned long pixel = XGetPixel(shot.get(), x, y);
            image.SetRGB(x, y, Channel(pixel, shot->red_mask), Channel(pixel, shot->green_mask),
                         Channel(pixel, shot->blue_mask));
        }
    return image;
}
