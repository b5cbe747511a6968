// Builds wx menus, the accelerator table and the toolbar's tools from the
// tables of resources/VelkMenus.h. Menu help strings are the status-bar part
// of each command's prompt; tool tips are the prompt's tooltip part.
#pragma once

#include <wx/accel.h>
#include <wx/string.h>

#include <memory>
#include <span>

#include "resources/VelkMenus.h"

class wxMenu;
class wxMenuBar;
class wxToolBar;

namespace velk {

// wx refuses menu item ids from 0x7FFF up, and every command id of the
// application lies at 0x8000 or above: menus, tools and accelerators carry
// the command id minus 0x8000 (6..28442 for our commands; clear of wx's own
// ids 4999..5999). Bind and route by ToWxCommandId(ID_...); an event's id
// goes back through FromWxCommandId.
inline constexpr int kVelkWxIdOffset = 0x8000;
constexpr int ToWxCommandId(int commandId) { return commandId - kVelkWxIdOffset; }
constexpr int FromWxCommandId(int wxId) { return wxId + kVelkWxIdOffset; }

// A menu label in wx form: UTF-8 to wxString; "&" mnemonics and a "\t" key
// name ("Ctrl+X", "F1") already read the same in wx.
wxString ToWxMenuLabel(const char* text);

// One menu with its popups. The caller owns it (a context menu), or hands it
// to a menu bar.
std::unique_ptr<wxMenu> BuildVelkMenu(std::span<const VelkMenuItem> items);

// A menu bar whose top-level menus are the popups of `popups`.
std::unique_ptr<wxMenuBar> BuildVelkMenuBar(std::span<const VelkMenuItem> popups);

// The accelerator table of `accelerators` (wx key codes and flags).
wxAcceleratorTable BuildVelkAcceleratorTable(std::span<const VelkAccelerator> accelerators);

// Adds the toolbar buttons (separators included) with their bitmaps
// (VelkToolbarBitmap) and tooltips, then Realize()s the toolbar. Tools whose
// main-menu item carries a mark (the view styles) are check tools: each
// shows its own state.
void AddVelkToolbarTools(wxToolBar& toolbar, std::span<const int> buttons);

}  // namespace velk
