#include "resources/VelkStrings.h"

#include <algorithm>
#include <array>

#include "resources/VelkCommandIds.h"

namespace velk {
namespace {

// Sorted by id (checked by a test) so a lookup is a binary search.
constexpr std::array kTable{
    VelkStringEntry{IDR_MAINFRAME, text::kDocTemplate},
    VelkStringEntry{ID_TREE_EXPAND, "Expand Tree\nExpand"},
    VelkStringEntry{ID_MIDI_DEVICES, "Select MIDI devices\nSelect MIDI devices"},
    VelkStringEntry{ID_FILE_EXPLORER, "Open Selected Item With Explorer\nExplorer"},
    VelkStringEntry{ID_FILE_DELETE, "Delete Selected Item\nDelete"},
    VelkStringEntry{ID_FILE_RENAME, "Rename Selected Item\nRename"},
    VelkStringEntry{ID_FILE_OPEN_ITEM, "Open Selected Item\nOpen"},
    VelkStringEntry{ID_FILE_NEW_FOLDER, "Generate New Folder\nNew Folder"},
    VelkStringEntry{ID_SORT_BY_NAME, "Sort Icons by Name\nSort by Name"},
    VelkStringEntry{ID_SORT_BY_NUMBER, "Sort Icons by Number / Date\nSort by Number / Date"},
    VelkStringEntry{ID_SORT_BY_TYPE, "Sort Icons by Type / Date\nSort by Type"},
    VelkStringEntry{ID_HELP_DOCUMENT, "Show online help document\nhelp"},
    VelkStringEntry{IDS_APP_TITLE, text::kAppTitle},
    VelkStringEntry{IDS_IDLE_MESSAGE, "Ready"},
    VelkStringEntry{ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy"},
    VelkStringEntry{ID_EDIT_CUT, "Cut the selection and put it on the Clipboard\nCut"},
    VelkStringEntry{ID_EDIT_PASTE, "Insert Clipboard contents\nPaste"},
    VelkStringEntry{ID_EDIT_SELECT_ALL, "Select the all items in list\nSelect All"},
    VelkStringEntry{ID_APP_ABOUT, "Show the program's name and version\nAbout"},
    VelkStringEntry{ID_APP_EXIT, "Quit the application\nExit"},
    VelkStringEntry{ID_NEXT_PANE, "Switch to the next window pane\nNext Pane"},
    VelkStringEntry{ID_PREV_PANE, "Switch back to the previous window pane\nPrevious Pane"},
    VelkStringEntry{ID_INDICATOR_CAPS, "CAP"},
    VelkStringEntry{ID_INDICATOR_NUM, "NUM"},
    VelkStringEntry{ID_INDICATOR_SCRL, "SCRL"},
    VelkStringEntry{ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
    VelkStringEntry{ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
    VelkStringEntry{ID_VIEW_SMALLICON, "Display items by using small icons.\nSmall Icons"},
    VelkStringEntry{ID_VIEW_LARGEICON, "Display items by using large icons.\nLarge Icons"},
    VelkStringEntry{ID_VIEW_LIST, "Displays items in a list.\nList"},
    VelkStringEntry{ID_VIEW_DETAILS, "Displays detailed information about each item in the window.\nDetails"},
    VelkStringEntry{IDS_CANT_OVERWRITE_DEVICE, "ERROR: Can't Overwrite the Device"},
    VelkStringEntry{IDS_CANT_RENAME, "ERROR: Can't Rename"},
    VelkStringEntry{IDS_CANT_RECEIVE, "ERROR: Can't Receive MIDI Message from the Device"},
    VelkStringEntry{IDS_CANT_START_TRANSFER, "ERROR: Can't Start MIDI Transfer"},
    VelkStringEntry{IDS_CANT_OVERWRITE_FILE, "ERROR: Can't Overwrite the File"},
    VelkStringEntry{IDS_DEVICE_WRITE_PROTECTED, "ERROR: The Device Write Protected"},
};

}  // namespace

std::span<const VelkStringEntry> VelkStringTable() { return kTable; }

const char* LoadVelkString(int id) {
    const auto it = std::lower_bound(kTable.begin(), kTable.end(), id,
                                     [](const VelkStringEntry& e, int key) { return e.id < key; });
    return it != kTable.end() && it->id == id ? it->text : nullptr;
}

std::string_view VelkPromptStatusText(int id) {
    const char* prompt = LoadVelkString(id);
    if (!prompt) return {};
    const std::string_view all(prompt);
    return all.substr(0, all.find('\n'));
}

std::string_view VelkPromptTooltip(int id) {
    const char* prompt = LoadVelkString(id);
    if (!prompt) return {};
    const std::string_view all(prompt);
    const auto newline = all.find('\n');
    return newline == std::string_view::npos ? std::string_view{} : all.substr(newline + 1);
}

std::string FormatVelkText(std::string_view format, std::string_view arg) {
    std::string out(format);
    const auto at = out.find("%s");
    if (at != std::string::npos) out.replace(at, 2, arg);
    return out;
}

}  // namespace velk
