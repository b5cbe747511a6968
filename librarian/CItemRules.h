#pragma once
// Which operations the views offer at a place. `kind` is a root kind and
// `level` the level of the items concerned: the tree passes its node's
// level, the list the level of its folder plus one (its rows).

#include <span>
#include <string>
#include <string_view>

#include "librarian/CItemClassify.h"

namespace itempath {

// Device side: from level 1 on, copy only (a device and its programs and
// global are copied to files, never cut). Setup and library: level 2 or more.
bool CanCopy(int kind, int level, bool cut);
// Setup and library, level 2 or more.
bool CanDelete(int kind, int level);
// Setup and library, level 1 or more.
bool CanNewFolder(int kind, int level);
// Device side: level 2 or more, except the global settings (the item text,
// the list row's Type or the tree node's text, is "Global" without regard
// to case). Setup and library: level 2 or more.
bool CanRename(int kind, int level, std::string_view itemText);

// Whether the names (a clipboard or drag payload) may be pasted onto a
// target of this kind and level. The payload is untrusted, and the paste
// acts on every name, so every name must classify as valid, under the same
// root kind and device as the first, and at the first name's level class
// (a device, or items at level 2 or more); then the first name decides:
// - a device (level 1): exactly one name, an existing file from the setup or
//   library side;
// - setup: a device, or setup items;
// - library: programs and globals of a device, or library items.
// A root (target level 0) and an empty list take nothing.
bool CanPasteItems(std::span<const std::string> names, int targetKind, int targetLevel,
                   const CItemRoots& roots, const CDeviceNames& devices);

// The drop effect (VelkDropEffect) a view answers over a target that takes
// the drag: a copy onto the device side; onto the setup and library sides a
// move, or a copy while Ctrl is held. Always an effect the drag allows
// (`allowedEffects`, VelkDropEffect bits): a drag of the device's items
// allows only a copy, and GTK refuses a drop answered with an effect the
// drag does not allow. kDropNone when the drag allows none that fits.
int ChooseDropEffect(int targetKind, bool ctrlDown, int allowedEffects);

}  // namespace itempath
