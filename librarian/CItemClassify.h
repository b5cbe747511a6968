#pragma once
// Classification of an item path: which root it lies under, how deep, which
// device it belongs to, whether it is a folder, and whether it is valid.
//
// Paths reach this from the clipboard and from drops of other programs, so
// they are untrusted: empty, "." and ".." components, NUL bytes, line feeds
// and text that is not UTF-8 make a path invalid, and a setup or library
// path must therefore lie under its root.

#include <string_view>

#include "librarian/CItemPath.h"

class MDevConfig;

namespace itempath {

// The identified devices, as far as paths are concerned.
class CDeviceNames {
public:
    virtual ~CDeviceNames() = default;
    // Index of the device whose name equals `name` without regard to case;
    // -1 for none.
    virtual int FindDevice(std::string_view name) const = 0;
};

// The devices of the document's device configuration.
class CConfigDeviceNames final : public CDeviceNames {
public:
    explicit CConfigDeviceNames(const MDevConfig& config) : config_(config) {}
    int FindDevice(std::string_view name) const override;

private:
    const MDevConfig& config_;
};

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// A name a file or folder must have to be an item: not empty, not "." or
// "..", no '/', NUL or line feed (a line feed would split a name list),
// UTF-8. The folder listing shows only such names and a path is valid only
// when made of them, so every name the program writes must be one.
bool IsItemName(std::string_view name);

struct CItemPathInfo {
    bool valid = false;
    int deviceIndex = -1;
    int rootKind = kRootDevice;
    // Components below the root (0 for the root itself).
    int level = 0;
    bool isFolder = false;
};

// Every field is filled, also for an invalid path.
// - One trailing '/' is ignored.
// - Roots compare only as whole components (the rest is empty or starts
//   with '/'); when several match, the longest wins, so a library under a
//   folder "/My Device X", or even "/My Device", keeps working. The device
//   root "/My Device" is no folder and compares without regard to ASCII
//   case; the setup and library folders are folders on a case-sensitive
//   disk and compare exactly ("/home/u/LIB" is another folder than
//   "/home/u/lib").
// - The first component below any root must name a device (without regard
//   to case).
// - Device side: levels 0 and 1 are folders, level 2 an item, deeper is
//   invalid. Setup and library side: the path must exist on disk (its
//   components compare exactly, as the file system does); a directory is a
//   folder. No component below the setup or library folder may be a
//   symbolic link: a link may lead anywhere on the disk, and nothing the
//   explorer does may leave those folders.
CItemPathInfo ClassifyPath(std::string_view path, const CItemRoots& roots, const CDeviceNames& devices);

// Whether two item paths name the same item: the roots and the device name
// compare without regard to case, every name below the device folder
// exactly (Linux file names are case-sensitive); one trailing '/' is
// ignored. Texts under no root compare exactly.
bool SameItemPath(std::string_view a, std::string_view b, const CItemRoots& roots);

}  // namespace itempath
