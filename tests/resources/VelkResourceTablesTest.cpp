// The string table, menus, accelerators and toolbar against the texts and ids
// the application has always shown.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/VelkCommandIds.h"
#include "resources/VelkMenus.h"
#include "resources/VelkStrings.h"

namespace velk {
namespace {

struct StringCase {
    int id;
    const char* text;
};

// Transcribed independently of the table in VelkStrings.cpp.
// clang-format off
const StringCase kExpectedStrings[] = {
    {128, "velk\n\nVelk\n\n\nVelk.Document\nVelk Document"},
    {57344, "Brontisel SoundEditor"},
    {57345, "Ready"},
    {61204, "ERROR: Can't Overwrite the Device"},
    {61205, "ERROR: Can't Rename"},
    {61206, "ERROR: Can't Receive MIDI Message from the Device"},
    {61207, "ERROR: Can't Start MIDI Transfer"},
    {61208, "ERROR: Can't Overwrite the File"},
    {61210, "ERROR: The Device Write Protected"},
    {32774, "Expand Tree\nExpand"},
    {32784, "Select MIDI devices\nSelect MIDI devices"},
    {32785, "Open Selected Item With Explorer\nExplorer"},
    {32786, "Delete Selected Item\nDelete"},
    {32787, "Rename Selected Item\nRename"},
    {32788, "Open Selected Item\nOpen"},
    {32789, "Generate New Folder\nNew Folder"},
    {32790, "Sort Icons by Name\nSort by Name"},
    {32791, "Sort Icons by Number / Date\nSort by Number / Date"},
    {32792, "Sort Icons by Type / Date\nSort by Type"},
    {32794, "Show online help document\nhelp"},
    {57665, "Quit the application\nExit"},
    {57635, "Cut the selection and put it on the Clipboard\nCut"},
    {57634, "Copy the selection and put it on the Clipboard\nCopy"},
    {57637, "Insert Clipboard contents\nPaste"},
    {57642, "Select the all items in list\nSelect All"},
    {59392, "Show or hide the toolbar\nToggle ToolBar"},
    {59393, "Show or hide the status bar\nToggle StatusBar"},
    {59409, "Display items by using large icons.\nLarge Icons"},
    {59408, "Display items by using small icons.\nSmall Icons"},
    {59410, "Displays items in a list.\nList"},
    {59411, "Displays detailed information about each item in the window.\nDetails"},
    {57680, "Switch to the next window pane\nNext Pane"},
    {57681, "Switch back to the previous window pane\nPrevious Pane"},
    {ID_INDICATOR_CAPS, "CAP"},
    {ID_INDICATOR_NUM, "NUM"},
    {ID_INDICATOR_SCRL, "SCRL"},
};
// clang-format on

TEST(VelkStrings, EveryStringHasItsExactText) {
    for (const StringCase& c : kExpectedStrings) {
        const char* text = LoadVelkString(c.id);
        ASSERT_NE(text, nullptr) << "no string " << c.id;
        EXPECT_STREQ(text, c.text) << "string " << c.id;
    }
}

TEST(VelkStrings, TableIsSortedWithoutDuplicatesAndUnknownIdsGiveNull) {
    const auto table = VelkStringTable();
    for (size_t i = 1; i < table.size(); ++i) EXPECT_LT(table[i - 1].id, table[i].id) << "at entry " << i;
    for (int id : {0, 127, 61209, 61211, 99999, -1}) EXPECT_EQ(LoadVelkString(id), nullptr) << id;
}

TEST(VelkStrings, PromptSplitsIntoStatusTextAndTooltip) {
    EXPECT_EQ(VelkPromptStatusText(ID_HELP_DOCUMENT), "Show online help document");
    EXPECT_EQ(VelkPromptTooltip(ID_HELP_DOCUMENT), "help");
    EXPECT_EQ(VelkPromptStatusText(IDS_IDLE_MESSAGE), "Ready");
    EXPECT_EQ(VelkPromptTooltip(IDS_IDLE_MESSAGE), "");
    EXPECT_EQ(VelkPromptStatusText(12345), "");
}

TEST(VelkStrings, FormatNeverReadsTheArgumentAsAFormat) {
    EXPECT_EQ(FormatVelkText(text::kCantSave, "/lib/a%s%d.prg"), "ERROR: Can't Save /lib/a%s%d.prg");
    EXPECT_EQ(FormatVelkText(text::kSetupFolderIsFile, "/x"),
              "An Intermediate or a Last Folder to Create is a File.\nCan't Create Folder \"/x\"");
    EXPECT_EQ(FormatVelkText("no marker", "x"), "no marker");
}

const char* Mark(VelkMark mark) {
    switch (mark) {
    case VelkMark::Check: return " [x]";
    case VelkMark::Radio: return " (o)";
    case VelkMark::None: break;
    }
    return "";
}

// Flattens a menu to lines "path|text=id" (separators "path|-"), so a whole
// menu compares as one table.
void Flatten(std::span<const VelkMenuItem> menu, const std::string& path, std::vector<std::string>& out) {
    for (const VelkMenuItem& item : menu) {
        switch (item.kind) {
        case VelkMenuKind::Separator: out.push_back(path + "-"); break;
        case VelkMenuKind::Popup: Flatten(item.items, path + item.text + "|", out); break;
        case VelkMenuKind::Command:
            out.push_back(path + item.text + "=" + std::to_string(item.id) + Mark(item.mark));
            break;
        }
    }
}

std::vector<std::string> Flat(std::span<const VelkMenuItem> menu) {
    std::vector<std::string> out;
    Flatten(menu, "", out);
    return out;
}

TEST(VelkMenus, MainMenuBarAsTheFrameShowsIt) {
    const std::vector<std::string> expected = {
        "&File|&New|New &Folder=32789",
        "&File|-",
        "&File|&Open=32788",
        "&File|&Explorer=32785",
        "&File|-",
        "&File|&Delete=32786",
        "&File|Rena&me=32787",
        "&File|-",
        "&File|E&xit=57665",
        "&Edit|Cu&t\tCtrl+X=57635",
        "&Edit|&Copy\tCtrl+C=57634",
        "&Edit|&Paste\tCtrl+V=57637",
        "&Edit|-",
        "&Edit|Select &All\tCtrl+A=57642",
        "&Setting|&MIDI Devices...=32784",
        "&View|&Toolbar=59392 [x]",
        "&View|&Status Bar=59393 [x]",
        "&View|-",
        "&View|Lar&ge Icons=59409 (o)",
        "&View|S&mall Icons=59408 (o)",
        "&View|&List=59410 (o)",
        "&View|&Details=59411 (o)",
        "&View|-",
        "&View|Arrange &Icons|by &Name=32790 [x]",
        "&View|Arrange &Icons|by Number / &Date=32791 [x]",
        "&View|Arrange &Icons|by &Type=32792 [x]",
        "&Help|&Help\tF1=32794",
        "&Help|-",
        "&Help|&About Brontisel SoundEditor...=57664",
    };
    EXPECT_EQ(Flat(VelkMainMenu()), expected);
}

TEST(VelkMenus, ContextMenusOfListAndTree) {
    const std::vector<std::string> list = {
        "&Open=32788",   "&Explorer=32785", "-", "Cu&t=57635", "&Copy=57634", "&Paste=57637", "-",
        "&Delete=32786", "Rena&me=32787",
    };
    EXPECT_EQ(Flat(VelkListContextMenu()), list);

    const std::vector<std::string> list2 = {
        "&View|Lar&ge Icons=59409 (o)",
        "&View|S&mall Icons=59408 (o)",
        "&View|&List=59410 (o)",
        "&View|&Details=59411 (o)",
        "-",
        "Arrange &Icons|by &Name=32790 [x]",
        "Arrange &Icons|by Number / &Date=32791 [x]",
        "Arrange &Icons|by &Type=32792 [x]",
        "-",
        "&Paste=57637",
        "-",
        "&New|New &Folder=32789",
    };
    EXPECT_EQ(Flat(VelkListNoSelectionContextMenu()), list2);

    const std::vector<std::string> tree = {
        "E&xpand=32774",   "-",
        "&Explorer=32785", "-",
        "Cu&t=57635",      "&Copy=57634",
        "&Paste=57637",    "-",
        "&Delete=32786",   "Rena&me=32787",
    };
    EXPECT_EQ(Flat(VelkTreeContextMenu()), tree);
}

TEST(VelkMenus, EveryMenuCommandHasAStatusPrompt) {
    for (auto menu :
         {VelkMainMenu(), VelkListContextMenu(), VelkListNoSelectionContextMenu(), VelkTreeContextMenu()}) {
        std::vector<std::string> lines = Flat(menu);
        for (const std::string& line : lines) {
            const auto eq = line.rfind('=');
            if (eq == std::string::npos) continue;
            const int id = std::stoi(line.substr(eq + 1));
            if (id == ID_APP_ABOUT) continue;  // its prompt is the About box's own
            EXPECT_FALSE(VelkPromptStatusText(id).empty()) << line;
            EXPECT_FALSE(VelkPromptTooltip(id).empty()) << line;
        }
    }
}

TEST(VelkMenus, AcceleratorTable) {
    struct Row {
        int modifiers, key, command;
    };
    // clang-format off
    const Row expected[] = {
        {kVelkModCtrl, 'X', ID_EDIT_CUT},         {kVelkModShift, kVelkKeyDelete, ID_EDIT_CUT},
        {kVelkModCtrl, 'C', ID_EDIT_COPY},        {kVelkModCtrl, kVelkKeyInsert, ID_EDIT_COPY},
        {kVelkModCtrl, 'V', ID_EDIT_PASTE},       {kVelkModShift, kVelkKeyInsert, ID_EDIT_PASTE},
        {kVelkModCtrl, 'A', ID_EDIT_SELECT_ALL},  {kVelkModNone, kVelkKeyF1, ID_HELP_DOCUMENT},
        {kVelkModNone, kVelkKeyF6, ID_NEXT_PANE}, {kVelkModShift, kVelkKeyF6, ID_PREV_PANE},
    };
    // clang-format on
    const auto table = VelkAccelerators();
    ASSERT_EQ(table.size(), std::size(expected));
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].modifiers, expected[i].modifiers) << i;
        EXPECT_EQ(table[i].key, expected[i].key) << i;
        EXPECT_EQ(table[i].command, expected[i].command) << i;
    }
    // Every accelerator either repeats a main-menu command or is a pane switch.
    for (const VelkAccelerator& a : table) {
        if (a.command == ID_NEXT_PANE || a.command == ID_PREV_PANE) continue;
        EXPECT_NE(FindVelkMenuCommand(VelkMainMenu(), a.command), nullptr) << a.command;
    }
}

TEST(VelkMenus, ToolbarButtonsAreMainMenuCommands) {
    const std::vector<int> expected = {57635, 57634, 57637, 0, 59409, 59408, 59410, 59411, 0, 32794};
    const auto buttons = VelkToolbarButtons();
    EXPECT_EQ(std::vector<int>(buttons.begin(), buttons.end()), expected);
    for (int id : buttons)
        if (id != ID_SEPARATOR) {
            EXPECT_NE(FindVelkMenuCommand(VelkMainMenu(), id), nullptr) << id;
            EXPECT_FALSE(VelkPromptTooltip(id).empty()) << id;
        }
}

TEST(VelkMenus, StatusBarPanesShowTheirStrings) {
    const auto panes = VelkStatusBarPanes();
    ASSERT_EQ(panes.size(), 4u);
    EXPECT_EQ(panes[0], ID_SEPARATOR);
    const char* texts[] = {"CAP", "NUM", "SCRL"};
    for (size_t i = 1; i < panes.size(); ++i) EXPECT_STREQ(LoadVelkString(panes[i]), texts[i - 1]);
    EXPECT_STREQ(LoadVelkString(IDS_IDLE_MESSAGE), "Ready");
}

}  // namespace
}  // namespace velk
