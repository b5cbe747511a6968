// Command ids of the menus, context menus, accelerators and toolbar, and the
// ids of the string table entries that are not commands. The numbers are the
// application's own (the status-bar prompt of a command is the string of the
// same id), so they never change.
#pragma once

namespace velk {

// Separator in toolbar tables; also the status bar's message pane.
inline constexpr int ID_SEPARATOR = 0;

// Tree context menu.
inline constexpr int ID_TREE_EXPAND = 32774;  // "E&xpand"

// Setting menu.
inline constexpr int ID_MIDI_DEVICES = 32784;  // "&MIDI Devices..."

// File menu and the item commands of both views.
inline constexpr int ID_FILE_EXPLORER = 32785;    // "&Explorer"
inline constexpr int ID_FILE_DELETE = 32786;      // "&Delete"
inline constexpr int ID_FILE_RENAME = 32787;      // "Rena&me"
inline constexpr int ID_FILE_OPEN_ITEM = 32788;   // "&Open"
inline constexpr int ID_FILE_NEW_FOLDER = 32789;  // "New &Folder"

// Arrange Icons (sort) commands; the mark shows the list's active column.
inline constexpr int ID_SORT_BY_NAME = 32790;    // "by &Name"
inline constexpr int ID_SORT_BY_NUMBER = 32791;  // "by Number / &Date"
inline constexpr int ID_SORT_BY_TYPE = 32792;    // "by &Type"

// Help menu.
inline constexpr int ID_HELP_DOCUMENT = 32794;  // "&Help\tF1"

// Framework commands the application uses.
inline constexpr int ID_FILE_NEW = 57600;         // 0xE100
inline constexpr int ID_FILE_OPEN = 57601;        // 0xE101
inline constexpr int ID_EDIT_COPY = 57634;        // 0xE122
inline constexpr int ID_EDIT_CUT = 57635;         // 0xE123
inline constexpr int ID_EDIT_PASTE = 57637;       // 0xE125
inline constexpr int ID_EDIT_SELECT_ALL = 57642;  // 0xE12A
inline constexpr int ID_APP_ABOUT = 57664;        // 0xE140
inline constexpr int ID_APP_EXIT = 57665;         // 0xE141
inline constexpr int ID_NEXT_PANE = 57680;        // 0xE150
inline constexpr int ID_PREV_PANE = 57681;        // 0xE151
inline constexpr int ID_VIEW_TOOLBAR = 59392;     // 0xE800
inline constexpr int ID_VIEW_STATUS_BAR = 59393;  // 0xE801
inline constexpr int ID_VIEW_SMALLICON = 59408;   // 0xE810 "S&mall Icons"
inline constexpr int ID_VIEW_LARGEICON = 59409;   // 0xE811 "Lar&ge Icons"
inline constexpr int ID_VIEW_LIST = 59410;        // 0xE812 "&List"
inline constexpr int ID_VIEW_DETAILS = 59411;     // 0xE813 "&Details"

// Status bar indicator panes (their texts are strings of the same id).
inline constexpr int ID_INDICATOR_CAPS = 59137;  // 0xE701
inline constexpr int ID_INDICATOR_NUM = 59138;   // 0xE702
inline constexpr int ID_INDICATOR_SCRL = 59139;  // 0xE703

// Resource ids of the main frame (menu, accelerators, toolbar, icon) and of
// the document template string.
inline constexpr int IDR_MAINFRAME = 128;
inline constexpr int IDR_TREE_MENU = 138;  // "TREE" context menu
inline constexpr int IDR_LIST_MENU = 139;  // "LIST" / "LIST2" context menus

// String table entries that are not command prompts.
inline constexpr int IDS_APP_TITLE = 57344;     // AFX_IDS_APP_TITLE
inline constexpr int IDS_IDLE_MESSAGE = 57345;  // AFX_IDS_IDLEMESSAGE
inline constexpr int IDS_CANT_OVERWRITE_DEVICE = 61204;
inline constexpr int IDS_CANT_RENAME = 61205;
inline constexpr int IDS_CANT_RECEIVE = 61206;
inline constexpr int IDS_CANT_START_TRANSFER = 61207;
inline constexpr int IDS_CANT_OVERWRITE_FILE = 61208;
inline constexpr int IDS_DEVICE_WRITE_PROTECTED = 61210;

}  // namespace velk
