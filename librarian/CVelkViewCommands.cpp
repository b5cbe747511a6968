#include "librarian/CVelkViewCommands.h"

#include "device/MDevDesc.h"
#include "librarian/CFNameList.h"
#include "librarian/CItemRules.h"
#include "librarian/CLeftViewModel.h"
#include "librarian/CVelkDoc.h"
#include "librarian/CVelkViewModel.h"
#include "librarian/VelkItemOpener.h"
#include "librarian/VelkLauncher.h"
#include "resources/VelkStrings.h"

using namespace itempath;

namespace {

constexpr std::string_view kGlobalFileEnding = ".glb";

bool EndsWithNoCase(std::string_view text, std::string_view ending) {
    return text.size() >= ending.size() &&
           EqualsIgnoringCase(text.substr(text.size() - ending.size()), ending);
}

}  // namespace

CVelkViewCommands::CVelkViewCommands(CVelkViewModel& list, CVelkDoc& doc, VelkLauncher* launcher)
    : list_(list), doc_(doc), launcher_(launcher) {}

std::vector<int> CVelkViewCommands::SelectedRows() const {
    std::vector<int> rows;
    for (int row = 0; row < list_.RowCount(); ++row)
        if (list_.Rows()[row].selected) rows.push_back(row);
    return rows;
}

int CVelkViewCommands::FirstSelected() const {
    for (int row = 0; row < list_.RowCount(); ++row)
        if (list_.Rows()[row].selected) return row;
    return -1;
}

bool CVelkViewCommands::OneRowSelected() const { return SelectedRows().size() == 1; }

void CVelkViewCommands::CollectSelectedPaths(CFNameList& names) const {
    for (int row : SelectedRows()) names.Add(list_.GetItemPath(row));
}

// ---------------------------------------------------------------- open

bool CVelkViewCommands::CanOpen() const {
    if (!OneRowSelected()) return false;
    const CCurrentFolder& folder = doc_.GetCurrentFolder();
    if (!list_.Rows()[FirstSelected()].openable) return true;
    return folder.level >= 1 && (folder.rootKind == kRootDevice || folder.rootKind == kRootLibrary);
}

void CVelkViewCommands::OpenItem() {
    if (!OneRowSelected()) return;
    const int row = FirstSelected();
    const CListRow& shown = list_.Rows()[row];
    if (!shown.openable) {
        // A folder or device row: the tree goes there, which refills the list.
        if (tree_ != nullptr) tree_->SelectChildByName(shown.texts[0]);
        return;
    }
    const CCurrentFolder folder = doc_.GetCurrentFolder();
    if (folder.level < 1 || opener_ == nullptr) return;
    // Without a device there is nothing to edit with: no editor is built.
    MDevDesc* device = doc_.GetDevConfig().GetDevice(folder.deviceIndex);
    if (device == nullptr) return;
    const std::string path = list_.GetItemPath(row);
    if (folder.rootKind == kRootLibrary) {
        // "a.prg.glb" is a global file: the ending decides, not the first
        // extension.
        if (EndsWithNoCase(path, kGlobalFileEnding)) opener_->OpenGlobalEditor(*device, -1, path);
        else opener_->OpenProgramEditor(*device, -1, path);
    } else if (folder.rootKind == kRootDevice) {
        // What the synth never sent would be edited, and written back, as
        // start-up values: the device's data is received first.
        if (!doc_.ReceiveAll(device)) return;
        const std::string leaf = GetLeafName(path);
        if (IsGlobalItem(leaf)) {
            opener_->OpenGlobalEditor(*device, 0, {});
        } else if (IsProgramItem(leaf)) {
            const int index = device->ParseProgramNumber(GetProgramNumber(leaf));
            // A number the device does not know opens nothing.
            if (index < 0 || index >= device->GetProgramCount()) return;
            opener_->OpenProgramEditor(*device, index, {});
        } else {
            return;
        }
    } else {
        return;  // setup files open in no editor
    }
    list_.FillList(doc_.GetCurrentPath(), false);
}

// ---------------------------------------------------------------- file commands

bool CVelkViewCommands::CanExplore() const {
    const int row = FirstSelected();
    const int kind = doc_.GetCurrentFolder().rootKind;
    return row >= 0 && !list_.Rows()[row].openable && kind != kRootDevice;
}

void CVelkViewCommands::Explore() {
    // The desktop's answer is not examined: a folder that cannot be opened
    // gives no message.
    if (CanExplore() && launcher_ != nullptr) launcher_->Open(list_.GetItemPath(FirstSelected()));
}

bool CVelkViewCommands::CanDeleteSelection() const {
    const CCurrentFolder& folder = doc_.GetCurrentFolder();
    return FirstSelected() >= 0 && CanDelete(folder.rootKind, folder.level + 1);
}

void CVelkViewCommands::DeleteSelection() {
    if (!CanDeleteSelection()) return;
    CFNameList names;
    CollectSelectedPaths(names);
    doc_.DeleteItems(names);
}

int CVelkViewCommands::RenameRow() const {
    if (!OneRowSelected()) return -1;
    const int row = FirstSelected();
    return list_.CanEditLabel(row) ? row : -1;
}

bool CVelkViewCommands::CanNewFolder() const {
    const CCurrentFolder& folder = doc_.GetCurrentFolder();
    return itempath::CanNewFolder(folder.rootKind, folder.level);
}

void CVelkViewCommands::NewFolder() {
    if (CanNewFolder()) doc_.NewFolder(doc_.GetCurrentPath());
}

// ---------------------------------------------------------------- clipboard

bool CVelkViewCommands::CanCopySelection(bool cut) const {
    const CCurrentFolder& folder = doc_.GetCurrentFolder();
    return FirstSelected() >= 0 && CanCopy(folder.rootKind, folder.level + 1, cut);
}

void CVelkViewCommands::CopySelection(bool cut) {
    if (!CanCopySelection(cut)) return;
    CFNameList names;
    CollectSelectedPaths(names);
    doc_.PutItems(cut ? 1 : 0, names, false, 0);
}

CListPasteTarget CVelkViewCommands::PasteTarget(int row) const {
    const CCurrentFolder& folder = doc_.GetCurrentFolder();
    CListPasteTarget target{folder.path, folder.deviceIndex, folder.rootKind, folder.level};
    if (row < 0 || row >= list_.RowCount() || list_.Rows()[row].openable) return target;
    // A folder or device row: the paste goes into it.
    const std::string& name = list_.Rows()[row].texts[0];
    if (target.level == 0) target.deviceIndex = doc_.GetDevConfig().FindDevice(name);
    ++target.level;
    target.path = JoinPath(target.path, name);
    return target;
}

bool CVelkViewCommands::CanPaste() const {
    if (!doc_.HasClipboardItems()) return false;
    const int row = FirstSelected();
    if (row >= 0 && list_.Rows()[row].openable) return false;
    const CListPasteTarget target = PasteTarget(row);
    return doc_.CanPaste(nullptr, target.deviceIndex, target.rootKind, target.level) != 0;
}

void CVelkViewCommands::Paste() {
    // The rule that greys the command, whoever asks (a key as much as the
    // menu).
    if (!CanPaste()) return;
    const CListPasteTarget target = PasteTarget(FirstSelected());
    doc_.Paste(nullptr, target.path, false, target.deviceIndex, target.rootKind, target.level);
}

bool CVelkViewCommands::CanSelectAll() const { return list_.RowCount() > 0; }

void CVelkViewCommands::SelectAll() {
    for (int row = 0; row < list_.RowCount(); ++row) list_.SetSelected(row, true);
}

// ---------------------------------------------------------------- clicks and keys

void CVelkViewCommands::SelectDeviceProgram() {
    const int row = FirstSelected();
    if (row < 0) return;
    const CCurrentFolder& folder = doc_.GetCurrentFolder();
    if (folder.rootKind != kRootDevice || folder.level != 1) return;
    // The device list holds at most one device: the one whose rows are shown.
    MDevDesc* device = doc_.GetDevConfig().GetDevice(0);
    if (device == nullptr) return;
    const CListRow& shown = list_.Rows()[row];
    if (shown.texts[2] == velk::text::kTypeGlobal) return;
    device->SelectProgram(device->ParseProgramNumber(shown.texts[1]));
}

bool CVelkViewCommands::ClearCutMarks() {
    bool marked = false;
    for (const CListRow& row : list_.Rows()) marked = marked || row.cut;
    if (!marked) return false;
    list_.UpdateCutMarks(CFNameList());
    // The emptied clipboard clears the tree's marks too.
    doc_.ClearClipboard();
    return true;
}

// ---------------------------------------------------------------- drag and drop

int CVelkViewCommands::DragEffects() const {
    if (!CanCopySelection(false)) return kDropNone;
    return CanCopySelection(true) ? (kDropCopy | kDropMove) : kDropCopy;
}

void CVelkViewCommands::BeginDrag(int row) {
    const int effects = DragEffects();
    if (row < 0 || effects == kDropNone) return;
    CFNameList names;
    CollectSelectedPaths(names);
    doc_.PutItems(0, names, true, effects);
}

int CVelkViewCommands::DragOver(int row, const VelkPayload* payload, bool ctrlDown, int allowedEffects) {
    list_.SetDropHighlight(-1);
    if (payload == nullptr || !doc_.HasClipboardItems(payload)) return kDropNone;
    // A folder or device row shows the highlight even when it refuses.
    if (row >= 0 && row < list_.RowCount() && !list_.Rows()[row].openable) list_.SetDropHighlight(row);
    const CListPasteTarget target = PasteTarget(row);
    if (!doc_.CanPaste(payload, target.deviceIndex, target.rootKind, target.level)) return kDropNone;
    return ChooseDropEffect(target.rootKind, ctrlDown, allowedEffects);
}

void CVelkViewCommands::DragLeave() { list_.SetDropHighlight(-1); }

std::optional<CListDropPaste> CVelkViewCommands::Drop(int row, const VelkPayload* payload, int effect) {
    list_.SetDropHighlight(-1);
    if (payload == nullptr || !doc_.HasClipboardItems(payload)) return std::nullopt;
    const CListPasteTarget target = PasteTarget(row);
    bool forceMove = false;
    if (target.rootKind != kRootDevice && effect == kDropMove) forceMove = true;
    else if (target.rootKind != kRootDevice && effect != kDropCopy) return std::nullopt;
    // At the device, or copying, the payload's own move flag decides.
    if (!doc_.CanPaste(payload, target.deviceIndex, target.rootKind, target.level)) return std::nullopt;
    return CListDropPaste{target, forceMove};
}
