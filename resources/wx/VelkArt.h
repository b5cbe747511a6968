// The application's own artwork, drawn in code: the item images of the tree
// and the list (each with a greyed "ghost" copy for cut items), the toolbar
// bitmaps, the wave pictures of the Timbre and Vocoder pages and the
// application icon. All images have an alpha channel.
#pragma once

#include <wx/bitmap.h>
#include <wx/iconbndl.h>
#include <wx/image.h>

#include <memory>

class wxImageList;

namespace velk {

inline constexpr int kVelkSmallIconSize = 16;  // tree, list in small/list/details styles
inline constexpr int kVelkLargeIconSize = 32;  // list in large-icon style
inline constexpr int kVelkToolbarBitmapSize = 16;
inline constexpr int kVelkWaveWidth = 32;
inline constexpr int kVelkWaveHeight = 16;

// Pictures of the items of the tree and the list.
enum class VelkItemArt { Folder, FolderOpen, Device, DeviceSelected, Program, Global, SetupFile };

// One item picture of `size` x `size` pixels; `ghost` gives the greyed copy.
wxBitmap VelkItemBitmap(VelkItemArt art, int size, bool ghost = false);

// Image indices of the list view's image lists (large and small alike). The
// ghost of image i is VelkListGhost(i).
enum VelkListImage : int {
    kVelkListSetupFile = 0,
    kVelkListProgram = 1,
    kVelkListGlobal = 2,
    kVelkListFolder = 3,
    kVelkListDevice = 4,
    kVelkListImageCount = 5,
};
constexpr int VelkListGhost(int image) { return image + kVelkListImageCount; }

// The list's image list of `size` (kVelkSmallIconSize or kVelkLargeIconSize):
// the five images, then their five ghosts (10 images).
std::unique_ptr<wxImageList> CreateVelkListImageList(int size);

// Image indices of the tree's image list (16 x 16). The ghost of image i is
// VelkTreeGhost(i).
enum VelkTreeImage : int {
    kVelkTreeFolder = 0,          // roots, setup/library device nodes, folders
    kVelkTreeFolderOpen = 1,      // their selected image
    kVelkTreeDevice = 2,          // device nodes under "My Device"
    kVelkTreeDeviceSelected = 3,  // their selected image
    kVelkTreeImageCount = 4,
};
constexpr int VelkTreeGhost(int image) { return image + kVelkTreeImageCount; }

// The tree's image list: the four images, then their four ghosts.
std::unique_ptr<wxImageList> CreateVelkTreeImageList();

// The toolbar picture of a toolbar command (resources/VelkMenus.h), 16 x 16;
// wxNullBitmap for a command without one.
wxBitmap VelkToolbarBitmap(int commandId);

// The wave pictures shared by the Timbre and Vocoder pages, 32 x 16; the
// wave lists use these indices as their items' images.
enum VelkWaveImage : int {
    kVelkWaveMicrophone = 0,
    kVelkWavePcm = 1,
    kVelkWaveNoise = 2,
    kVelkWaveRandomSteps = 3,  // sample and hold
    kVelkWaveSawRising = 4,
    kVelkWaveSawFalling = 5,
    kVelkWaveSine = 6,               // starting upwards
    kVelkWaveSineInverted = 7,       // starting at the top
    kVelkWaveSquare = 8,             // full height
    kVelkWaveSquareUpper = 9,        // upper half only
    kVelkWaveTriangle = 10,          // starting at the middle
    kVelkWaveTriangleInverted = 11,  // starting at the top (V)
    kVelkWaveHead = 12,              // vox wave
    kVelkWaveImageCount = 13,
};

// The wave picture of `index`; wxNullBitmap outside 0..12.
wxBitmap VelkWaveBitmap(int index);

// All 13 wave pictures in index order, as one image list.
std::unique_ptr<wxImageList> CreateVelkWaveImageList();

// The port dialog's pictures beside "MIDI IN" and "MIDI OUT": a MIDI socket
// with an arrow into it or out of it, kVelkPortBitmapSize square.
inline constexpr int kVelkPortBitmapSize = 32;
wxBitmap VelkMidiPortBitmap(bool output);

// The application icon in 16, 32, 48 and 64 pixels.
wxIconBundle VelkAppIcons();

// The greyed copy of an image: grey, paler and half transparent.
wxImage MakeVelkGhost(const wxImage& image);

}  // namespace velk
