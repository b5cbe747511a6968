// The menu bar, the context menus, the accelerator table and the toolbar as
// data. The wx layer (resources/wx/VelkMenuBuilder.h) turns them into windows;
// the frame and the views route the commands by id.
#pragma once

#include <span>

namespace velk {

enum class VelkMenuKind { Command, Separator, Popup };

// The mark an update handler may show on an entry: a check mark (the
// toolbar and status-bar toggles, and the sort marks, since none of the
// three may be marked), or a radio mark in a group of adjacent entries of
// which exactly one is marked (the view styles).
enum class VelkMark { None, Check, Radio };

// One menu entry. `text` carries the "&" mnemonic and, after "\t", the key
// shown beside it.
struct VelkMenuItem {
    VelkMenuKind kind = VelkMenuKind::Command;
    int id = 0;
    const char* text = nullptr;
    VelkMark mark = VelkMark::None;
    std::span<const VelkMenuItem> items{};  // the entries of a popup
};

// Menu bar of the main window: its top-level popups ("&File", "&Edit",
// "&Setting", "&View", "&Help").
std::span<const VelkMenuItem> VelkMainMenu();

// List view context menus: "LIST" with a selected row, "LIST2" without.
std::span<const VelkMenuItem> VelkListContextMenu();
std::span<const VelkMenuItem> VelkListNoSelectionContextMenu();

// Tree view context menu ("TREE").
std::span<const VelkMenuItem> VelkTreeContextMenu();

// Accelerator keys: a letter ('A'..'Z') or one of the named keys below.
enum VelkKey : int {
    kVelkKeyDelete = 0x100,
    kVelkKeyInsert,
    kVelkKeyF1,
    kVelkKeyF6,
};
enum VelkKeyModifier : int { kVelkModNone = 0, kVelkModCtrl = 1, kVelkModShift = 2 };

struct VelkAccelerator {
    int modifiers;  // VelkKeyModifier bits
    int key;        // 'A'..'Z' or a VelkKey
    int command;
};

// Accelerator table of the main window.
std::span<const VelkAccelerator> VelkAccelerators();

// Toolbar buttons in order; ID_SEPARATOR marks a gap.
std::span<const int> VelkToolbarButtons();

// Status bar panes in order: ID_SEPARATOR (the message pane, idle text
// IDS_IDLE_MESSAGE), then the indicators whose texts are the strings of
// their ids ("CAP", "NUM", "SCRL").
std::span<const int> VelkStatusBarPanes();

// The first command entry `id` of `menu` or of its popups; nullptr if none.
const VelkMenuItem* FindVelkMenuCommand(std::span<const VelkMenuItem> menu, int id);

}  // namespace velk
