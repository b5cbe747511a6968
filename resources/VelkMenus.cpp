#include "resources/VelkMenus.h"

#include <array>

#include "resources/VelkCommandIds.h"

namespace velk {
namespace {

constexpr VelkMenuItem Cmd(int id, const char* text) { return {VelkMenuKind::Command, id, text}; }
constexpr VelkMenuItem Check(int id, const char* text) {
    return {VelkMenuKind::Command, id, text, VelkMark::Check};
}
constexpr VelkMenuItem Radio(int id, const char* text) {
    return {VelkMenuKind::Command, id, text, VelkMark::Radio};
}
constexpr VelkMenuItem Sep() { return {VelkMenuKind::Separator}; }
constexpr VelkMenuItem Popup(const char* text, std::span<const VelkMenuItem> items) {
    return {VelkMenuKind::Popup, 0, text, VelkMark::None, items};
}

constexpr std::array kNewPopup{Cmd(ID_FILE_NEW_FOLDER, "New &Folder")};

constexpr std::array kViewStyles{
    Radio(ID_VIEW_LARGEICON, "Lar&ge Icons"),
    Radio(ID_VIEW_SMALLICON, "S&mall Icons"),
    Radio(ID_VIEW_LIST, "&List"),
    Radio(ID_VIEW_DETAILS, "&Details"),
};

constexpr std::array kArrangeIcons{
    Check(ID_SORT_BY_NAME, "by &Name"),
    Check(ID_SORT_BY_NUMBER, "by Number / &Date"),
    Check(ID_SORT_BY_TYPE, "by &Type"),
};

constexpr std::array kFileMenu{
    Popup("&New", kNewPopup),           Sep(), Cmd(ID_FILE_OPEN_ITEM, "&Open"),
    Cmd(ID_FILE_EXPLORER, "&Explorer"), Sep(), Cmd(ID_FILE_DELETE, "&Delete"),
    Cmd(ID_FILE_RENAME, "Rena&me"),     Sep(), Cmd(ID_APP_EXIT, "E&xit"),
};

constexpr std::array kEditMenu{
    Cmd(ID_EDIT_CUT, "Cu&t\tCtrl+X"),
    Cmd(ID_EDIT_COPY, "&Copy\tCtrl+C"),
    Cmd(ID_EDIT_PASTE, "&Paste\tCtrl+V"),
    Sep(),
    Cmd(ID_EDIT_SELECT_ALL, "Select &All\tCtrl+A"),
};

constexpr std::array kSettingMenu{Cmd(ID_MIDI_DEVICES, "&MIDI Devices...")};

constexpr std::array kViewMenu{
    Check(ID_VIEW_TOOLBAR, "&Toolbar"),
    Check(ID_VIEW_STATUS_BAR, "&Status Bar"),
    Sep(),
    kViewStyles[0],
    kViewStyles[1],
    kViewStyles[2],
    kViewStyles[3],
    Sep(),
    Popup("Arrange &Icons", kArrangeIcons),
};

constexpr std::array kHelpMenu{
    Cmd(ID_HELP_DOCUMENT, "&Help\tF1"),
    Sep(),
    Cmd(ID_APP_ABOUT, "&About Brontisel SoundEditor..."),
};

constexpr std::array kMainMenu{
    Popup("&File", kFileMenu), Popup("&Edit", kEditMenu), Popup("&Setting", kSettingMenu),
    Popup("&View", kViewMenu), Popup("&Help", kHelpMenu),
};

constexpr std::array kListMenu{
    Cmd(ID_FILE_OPEN_ITEM, "&Open"),
    Cmd(ID_FILE_EXPLORER, "&Explorer"),
    Sep(),
    Cmd(ID_EDIT_CUT, "Cu&t"),
    Cmd(ID_EDIT_COPY, "&Copy"),
    Cmd(ID_EDIT_PASTE, "&Paste"),
    Sep(),
    Cmd(ID_FILE_DELETE, "&Delete"),
    Cmd(ID_FILE_RENAME, "Rena&me"),
};

constexpr std::array kListNoSelectionMenu{
    Popup("&View", kViewStyles),
    Sep(),
    Popup("Arrange &Icons", kArrangeIcons),
    Sep(),
    Cmd(ID_EDIT_PASTE, "&Paste"),
    Sep(),
    Popup("&New", kNewPopup),
};

constexpr std::array kTreeMenu{
    Cmd(ID_TREE_EXPAND, "E&xpand"),     Sep(),
    Cmd(ID_FILE_EXPLORER, "&Explorer"), Sep(),
    Cmd(ID_EDIT_CUT, "Cu&t"),           Cmd(ID_EDIT_COPY, "&Copy"),
    Cmd(ID_EDIT_PASTE, "&Paste"),       Sep(),
    Cmd(ID_FILE_DELETE, "&Delete"),     Cmd(ID_FILE_RENAME, "Rena&me"),
};

constexpr std::array kAccelerators{
    VelkAccelerator{kVelkModCtrl, 'X', ID_EDIT_CUT},
    VelkAccelerator{kVelkModShift, kVelkKeyDelete, ID_EDIT_CUT},
    VelkAccelerator{kVelkModCtrl, 'C', ID_EDIT_COPY},
    VelkAccelerator{kVelkModCtrl, kVelkKeyInsert, ID_EDIT_COPY},
    VelkAccelerator{kVelkModCtrl, 'V', ID_EDIT_PASTE},
    VelkAccelerator{kVelkModShift, kVelkKeyInsert, ID_EDIT_PASTE},
    VelkAccelerator{kVelkModCtrl, 'A', ID_EDIT_SELECT_ALL},
    VelkAccelerator{kVelkModNone, kVelkKeyF1, ID_HELP_DOCUMENT},
    VelkAccelerator{kVelkModNone, kVelkKeyF6, ID_NEXT_PANE},
    VelkAccelerator{kVelkModShift, kVelkKeyF6, ID_PREV_PANE},
};

constexpr std::array kToolbar{
    ID_EDIT_CUT,       ID_EDIT_COPY, ID_EDIT_PASTE,   ID_SEPARATOR, ID_VIEW_LARGEICON,
    ID_VIEW_SMALLICON, ID_VIEW_LIST, ID_VIEW_DETAILS, ID_SEPARATOR, ID_HELP_DOCUMENT,
};

constexpr std::array kStatusBarPanes{ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

}  // namespace

std::span<const VelkMenuItem> VelkMainMenu() { return kMainMenu; }
std::span<const VelkMenuItem> VelkListContextMenu() { return kListMenu; }
std::span<const VelkMenuItem> VelkListNoSelectionContextMenu() { return kListNoSelectionMenu; }
std::span<const VelkMenuItem> VelkTreeContextMenu() { return kTreeMenu; }
std::span<const VelkAccelerator> VelkAccelerators() { return kAccelerators; }
std::span<const int> VelkToolbarButtons() { return kToolbar; }
std::span<const int> VelkStatusBarPanes() { return kStatusBarPanes; }

const VelkMenuItem* FindVelkMenuCommand(std::span<const VelkMenuItem> menu, int id) {
    for (const VelkMenuItem& item : menu) {
        if (item.kind == VelkMenuKind::Command && item.id == id) return &item;
        if (item.kind == VelkMenuKind::Popup)
            if (const VelkMenuItem* found = FindVelkMenuCommand(item.items, id)) return found;
    }
    return nullptr;
}

}  // namespace velk
