// The main window's command routing and the commands of the frame itself:
// who gets a command, what is disabled, the sort and view-style marks, the
// MIDI port dialog and the help document.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "tests/support/FakeLauncher.h"
#include "librarian/CItemPath.h"
#include "librarian/CMainFrameCommands.h"
#include "resources/VelkCommandIds.h"
#include "resources/VelkStrings.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"

namespace {

using namespace velk;

// A target that handles a fixed set of ids and records what it ran.
class FakeTarget final : public VelkCommandTarget {
public:
    explicit FakeTarget(std::vector<int> ids, bool enabled = true)
        : ids_(std::move(ids)), enabled_(enabled) {}
    std::vector<int> ran;
    bool UpdateCommand(int id, VelkCommandState& state) override {
        if (!Handles(id)) return false;
        state.enabled = enabled_;
        return true;
    }
    bool DoCommand(int id) override {
        if (!Handles(id)) return false;
        ran.push_back(id);
        return true;
    }

private:
    bool Handles(int id) const { return std::find(ids_.begin(), ids_.end(), id) != ids_.end(); }
    std::vector<int> ids_;
    bool enabled_;
};

TEST(VelkCommandRouter, FirstHandlerOnTheRouteWinsAndNobodyMeansDisabled) {
    FakeTarget view({ID_EDIT_COPY, ID_FILE_OPEN_ITEM}, /*enabled=*/false);
    FakeTarget frame({ID_EDIT_COPY, ID_MIDI_DEVICES});
    FakeTarget app({ID_APP_ABOUT});
    CVelkCommandRouter router;
    router.SetRoute({&view, &frame, nullptr, &app});

    // The view decides for its commands, even to disable them.
    EXPECT_FALSE(router.Update(ID_EDIT_COPY).enabled);
    EXPECT_TRUE(router.Update(ID_MIDI_DEVICES).enabled);
    EXPECT_TRUE(router.Update(ID_APP_ABOUT).enabled);
    EXPECT_FALSE(router.Update(ID_EDIT_PASTE).enabled);  // nobody handles it

    EXPECT_TRUE(router.Execute(ID_EDIT_COPY));
    EXPECT_TRUE(router.Execute(ID_APP_ABOUT));
    EXPECT_FALSE(router.Execute(ID_EDIT_PASTE));
    EXPECT_EQ(view.ran, std::vector<int>{ID_EDIT_COPY});
    EXPECT_TRUE(frame.ran.empty());
    EXPECT_EQ(app.ran, std::vector<int>{ID_APP_ABOUT});

    // Without an active view the same command reaches the frame.
    router.SetRoute({nullptr, &frame, nullptr, &app});
    EXPECT_TRUE(router.Update(ID_EDIT_COPY).enabled);
    EXPECT_FALSE(router.Update(ID_FILE_OPEN_ITEM).enabled);
}

class FakeShell final : public VelkFrameShell {
public:
    bool dialogAnswer = true;
    int dialogs = 0;
    bool bars[2] = {true, true};
    std::vector<bool> switches;
    int exits = 0;
    bool RunMidiDeviceDialog() override {
        ++dialogs;
        return dialogAnswer;
    }
    bool IsBarShown(Bar bar) const override { return bars[bar]; }
    void ShowBar(Bar bar, bool show) override { bars[bar] = show; }
    void SwitchPane(bool next) override { switches.push_back(next); }
    void Exit() override { ++exits; }
};

class FakeTree final : public VelkTreePane {
public:
    int reconnects = 0;
    void Reconnect() override { ++reconnects; }
};

class FakeList final : public VelkListPane {
public:
    int column = 1;
    int style = kStyleReport;
    std::vector<int> sorts;
    int GetActiveSortColumn() const override { return column; }
    void SortBy(int c) override {
        sorts.push_back(c);
        column = c;
    }
    int GetViewStyleType() const override { return style; }
    void SetViewStyle(int s) override { style = s; }
};

class FrameCommands : public ::testing::Test {
protected:
    FrameCommands() : commands_(shell_, launcher_, ui_, {"/nonexistent/bin", ""}) {
        commands_.SetPanes(&tree_, &list_);
        commands_.SetRootKind([this] { return rootKind_; });
    }
    VelkCommandState Update(int id) {
        VelkCommandState state;
        EXPECT_TRUE(commands_.UpdateCommand(id, state)) << id;
        return state;
    }

    FakeShell shell_;
    velktest::FakeLauncher launcher_;
    velktest::ScriptedUiServices ui_;
    FakeTree tree_;
    FakeList list_;
    int rootKind_ = itempath::kRootDevice;
    CMainFrameCommands commands_;
};

TEST_F(FrameCommands, SortMarkFollowsTheActiveColumnAndCanBeOnNone) {
    const int ids[] = {ID_SORT_BY_NAME, ID_SORT_BY_NUMBER, ID_SORT_BY_TYPE};
    for (int active : {0, 1, 2, -1}) {
        list_.column = active;
        for (int column = 0; column < 3; ++column) {
            const VelkCommandState state = Update(ids[column]);
            EXPECT_TRUE(state.enabled);
            EXPECT_EQ(state.checked, std::optional<bool>(column == active))
                << "active " << active << " item " << column;
        }
    }
    commands_.DoCommand(ID_SORT_BY_TYPE);
    EXPECT_EQ(list_.sorts, std::vector<int>{2});
}

TEST_F(FrameCommands, SortByNumberReadsDateOutsideTheDevice) {
    const struct {
        int rootKind;
        const char* text;
    } cases[] = {{itempath::kRootDevice, "by &Number"},
                 {itempath::kRootSetup, "by &Date"},
                 {itempath::kRootLibrary, "by &Date"}};
    for (const auto& c : cases) {
        rootKind_ = c.rootKind;
        EXPECT_EQ(Update(ID_SORT_BY_NUMBER).text, std::optional<std::string>(c.text));
    }
}

TEST_F(FrameCommands, ViewStyleMarkFollowsTheListsActualStyle) {
    const struct {
        int id;
        int style;
    } items[] = {{ID_VIEW_LARGEICON, 0}, {ID_VIEW_DETAILS, 1}, {ID_VIEW_SMALLICON, 2}, {ID_VIEW_LIST, 3}};
    for (int style = 0; style < 4; ++style) {
        list_.style = style;
        for (const auto& item : items)
            EXPECT_EQ(Update(item.id).checked, std::optional<bool>(item.style == style));
    }
    commands_.DoCommand(ID_VIEW_SMALLICON);
    EXPECT_EQ(list_.style, 2);
}

TEST_F(FrameCommands, WithoutAListSortOnlyEnablesAndViewStylesAreDisabled) {
    commands_.SetPanes(&tree_, nullptr);
    for (int id : {ID_SORT_BY_NAME, ID_SORT_BY_NUMBER, ID_SORT_BY_TYPE}) {
        const VelkCommandState state = Update(id);
        EXPECT_TRUE(state.enabled);
        EXPECT_FALSE(state.checked.has_value());
        EXPECT_FALSE(state.text.has_value());
        EXPECT_TRUE(commands_.DoCommand(id));  // does nothing, harmlessly
    }
    for (int id : {ID_VIEW_LARGEICON, ID_VIEW_SMALLICON, ID_VIEW_LIST, ID_VIEW_DETAILS}) {
        EXPECT_FALSE(Update(id).enabled);
        EXPECT_FALSE(commands_.DoCommand(id));
    }
}

TEST_F(FrameCommands, FrameLeavesViewCommandsToOthers) {
    for (int id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_SELECT_ALL, ID_FILE_OPEN_ITEM,
                   ID_FILE_NEW_FOLDER, ID_FILE_DELETE, ID_FILE_RENAME, ID_FILE_EXPLORER, ID_APP_ABOUT}) {
        VelkCommandState state;
        EXPECT_FALSE(commands_.UpdateCommand(id, state)) << id;
        EXPECT_FALSE(commands_.DoCommand(id)) << id;
    }
}

TEST_F(FrameCommands, MidiDevicesOkReconnectsEvenUnchangedAndCancelDoesNothing) {
    EXPECT_TRUE(Update(ID_MIDI_DEVICES).enabled);
    commands_.DoCommand(ID_MIDI_DEVICES);
    EXPECT_EQ(tree_.reconnects, 1);
    shell_.dialogAnswer = false;
    commands_.DoCommand(ID_MIDI_DEVICES);
    EXPECT_EQ(shell_.dialogs, 2);
    EXPECT_EQ(tree_.reconnects, 1);
}

TEST_F(FrameCommands, BarTogglesPaneSwitchAndExitGoToTheShell) {
    EXPECT_EQ(Update(ID_VIEW_TOOLBAR).checked, std::optional<bool>(true));
    commands_.DoCommand(ID_VIEW_TOOLBAR);
    EXPECT_EQ(Update(ID_VIEW_TOOLBAR).checked, std::optional<bool>(false));
    EXPECT_EQ(Update(ID_VIEW_STATUS_BAR).checked, std::optional<bool>(true));
    commands_.DoCommand(ID_NEXT_PANE);
    commands_.DoCommand(ID_PREV_PANE);
    EXPECT_EQ(shell_.switches, (std::vector<bool>{true, false}));
    commands_.DoCommand(ID_APP_EXIT);
    EXPECT_EQ(shell_.exits, 1);
}

class HelpDocument : public ::testing::Test {
protected:
    HelpDocument() {
        root_.MakeFolder("bin");
        root_.MakeFolder("share");
    }
    void Put(const char* dir) { std::ofstream(root_ / dir / "tolvane.pdf") << "%PDF-1.4\n"; }
    void RunHelp() {
        FakeShell shell;
        CMainFrameCommands commands(shell, launcher_, ui_,
                                    {(root_ / "bin").string(), (root_ / "share").string()});
        EXPECT_TRUE(commands.DoCommand(ID_HELP_DOCUMENT));
    }

    velktest::TempDir root_;
    velktest::FakeLauncher launcher_;
    velktest::ScriptedUiServices ui_;
};

TEST_F(HelpDocument, OpensTheDocumentBesideTheProgramFirstThenTheDataFolder) {
    Put("share");
    RunHelp();
    Put("bin");
    RunHelp();
    EXPECT_EQ(launcher_.opened, (std::vector<std::string>{(root_ / "share/tolvane.pdf").string(),
                                                          (root_ / "bin/tolvane.pdf").string()}));
    EXPECT_TRUE(ui_.shown.empty());
}

TEST_F(HelpDocument, MissingDocumentOrNoViewerShowsTheError) {
    RunHelp();  // no file anywhere: the viewer is not even started
    EXPECT_TRUE(launcher_.opened.empty());
    Put("bin");
    launcher_.result = false;  // no program registered for PDF
    RunHelp();
    EXPECT_EQ(ui_.Texts(), (std::vector<std::string>(2, "ERROR: Can't Open Help File")));
}

}  // namespace
