#pragma once
// Opens the editors for a row of the list: the Global Editor for a device's
// global or a global file, the Program Editor for a device program or a
// program file. The wx layer of the editors implements it; each call runs
// the editor modally and returns when it is closed.

#include <string>

class MDevDesc;

class VelkItemOpener {
public:
    virtual ~VelkItemOpener() = default;
    // `index` >= 0: that global or program of the device; -1: the file
    // `file` (empty for a device item).
    virtual void OpenGlobalEditor(MDevDesc& device, int index, const std::string& file) = 0;
    virtual void OpenProgramEditor(MDevDesc& device, int index, const std::string& file) = 0;
};
