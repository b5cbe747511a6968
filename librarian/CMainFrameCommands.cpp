#include "librarian/CMainFrameCommands.h"

#include <filesystem>
#include <system_error>

#include "librarian/CItemPath.h"
#include "librarian/CVelkPreference.h"
#include "librarian/VelkLauncher.h"
#include "resources/VelkCommandIds.h"
#include "resources/VelkStrings.h"
#include "uiservices/VelkUiServices.h"

using namespace velk;

std::string FindHelpDocument(const VelkHelpPlaces& places) {
    const std::string besideProgram = CVelkPreference::JoinFolder(places.programDir, text::kHelpDocument);
    for (const std::string* dir : {&places.programDir, &places.dataDir}) {
        if (dir->empty()) continue;
        const std::string path = CVelkPreference::JoinFolder(*dir, text::kHelpDocument);
        std::error_code ec;
        if (std::filesystem::is_regular_file(path, ec)) return path;
    }
    return besideProgram;
}

CMainFrameCommands::CMainFrameCommands(VelkFrameShell& shell, VelkLauncher& launcher, VelkUiServices& ui,
                                       VelkHelpPlaces help)
    : shell_(shell), launcher_(launcher), ui_(ui), help_(std::move(help)) {}

int CMainFrameCommands::SortColumnOf(int id) {
    switch (id) {
    case ID_SORT_BY_NAME: return 0;
    case ID_SORT_BY_NUMBER: return 1;
    case ID_SORT_BY_TYPE: return 2;
    default: return -1;
    }
}

int CMainFrameCommands::ViewStyleOf(int id) {
    switch (id) {
    case ID_VIEW_LARGEICON: return VelkListPane::kStyleIcon;
    case ID_VIEW_DETAILS: return VelkListPane::kStyleReport;
    case ID_VIEW_SMALLICON: return VelkListPane::kStyleSmallIcon;
    case ID_VIEW_LIST: return VelkListPane::kStyleList;
    default: return -1;
    }
}

bool CMainFrameCommands::UpdateCommand(int id, VelkCommandState& state) {
    state.enabled = true;
    if (const int column = SortColumnOf(id); column >= 0) {
        if (list_ == nullptr) return true;  // enabled, no mark
        state.checked = list_->GetActiveSortColumn() == column;
        if (id == ID_SORT_BY_NUMBER) {
            const int kind = rootKind_ ? rootKind_() : itempath::kRootDevice;
            state.text = kind != itempath::kRootDevice ? text::kSortByDate : text::kSortByNumber;
        }
        return true;
    }
    if (const int style = ViewStyleOf(id); style >= 0) {
        state.enabled = list_ != nullptr;
        state.checked = list_ != nullptr && list_->GetViewStyleType() == style;
        return true;
    }
    switch (id) {
    case ID_MIDI_DEVICES:
    case ID_HELP_DOCUMENT:
    case ID_APP_EXIT:
    case ID_NEXT_PANE:
    case ID_PREV_PANE: return true;
    case ID_VIEW_TOOLBAR: state.checked = shell_.IsBarShown(VelkFrameShell::kToolBar); return true;
    case ID_VIEW_STATUS_BAR: state.checked = shell_.IsBarShown(VelkFrameShell::kStatusBar); return true;
    default: return false;
    }
}

bool CMainFrameCommands::DoCommand(int id) {
    if (const int column = SortColumnOf(id); column >= 0) {
        if (list_ != nullptr) list_->SortBy(column);
        return true;
    }
    if (const int style = ViewStyleOf(id); style >= 0) {
        if (list_ == nullptr) return false;
        list_->SetViewStyle(style);
        return true;
    }
    switch (id) {
    case ID_MIDI_DEVICES: OnMidiDevices(); return true;
    case ID_HELP_DOCUMENT: OnHelpDocument(); return true;
    case ID_APP_EXIT: shell_.Exit(); return true;
    case ID_NEXT_PANE:
    case ID_PREV_PANE: shell_.SwitchPane(id == ID_NEXT_PANE); return true;
    case ID_VIEW_TOOLBAR:
    case ID_VIEW_STATUS_BAR: {
        const auto bar = id == ID_VIEW_TOOLBAR ? VelkFrameShell::kToolBar : VelkFrameShell::kStatusBar;
        shell_.ShowBar(bar, !shell_.IsBarShown(bar));
        return true;
    }
    default: return false;
    }
}

void CMainFrameCommands::OnMidiDevices() {
    // OK reconnects even when the ports did not change; Cancel changes nothing.
    if (shell_.RunMidiDeviceDialog() && tree_ != nullptr) tree_->Reconnect();
}

void CMainFrameCommands::OnHelpDocument() {
    const std::string path = FindHelpDocument(help_);
    std::error_code ec;
    // The desktop's opener reports only that it started, so a missing file
    // is caught here.
    if (!std::filesystem::is_regular_file(path, ec) || !launcher_.Open(path))
        ui_.ShowMessage(text::kCantOpenHelpFile, text::kAppTitle, VelkIcon::kNone);
}
