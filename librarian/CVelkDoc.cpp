#include "librarian/CVelkDoc.h"

#include <filesystem>
#include <system_error>

#include "device/MDevDesc.h"
#include "device/MDevDescProgram.h"
#include "device/MDevProgramName.h"
#include "librarian/CFolderPath.h"
#include "librarian/CItemRules.h"
#include "librarian/CVelkConflictAsker.h"
#include "librarian/CVelkDocTexts.h"
#include "librarian/CVelkPreference.h"
#include "librarian/VelkPortChoice.h"
#include "resources/VelkStrings.h"
#include "platform/fileops/FileOps.h"
#include "platform/midi/MidiBackend.h"
#include "uiservices/CDialogOverwriteModel.h"
#include "uiservices/VelkUiServices.h"

namespace fs = std::filesystem;
namespace fo = velk::fileops;
using namespace itempath;
using namespace velkdoctext;

namespace {

// Pause between showing the progress box and sending a file, so the box is
// drawn before the wire is busy.
constexpr std::chrono::milliseconds kSendPause{100};

bool IsRegularFile(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(fs::symlink_status(path, error));
}

bool Exists(const std::string& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// `path` is `folder` or lies below it (names compare exactly, as on disk).
bool IsSameOrBelow(const std::string& path, const std::string& folder) {
    if (path == folder) return true;
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           path[folder.size()] == kSeparator;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    if (!text.empty()) text.pop_back();
    return text;
}

CFNameList ListOf(const std::vector<std::string>& names) {
    CFNameList list;
    for (const std::string& name : names) list.Add(name);
    return list;
}

}  // namespace

std::vector<std::string> NamesOf(CFNameList& names) {
    std::vector<std::string> out;
    names.Rewind();
    for (std::string name = names.GetNext(); !name.empty(); name = names.GetNext())
        out.push_back(std::move(name));
    names.Rewind();
    return out;
}

std::string FreeFileName(const std::string& folder, const std::string& stem, const std::string& extension) {
    std::string path = JoinPath(folder, stem + extension);
    for (int n = 2; Exists(path); ++n) {
        if (n > 9999) return {};
        path = JoinPath(folder, stem + " (" + std::to_string(n) + ")" + extension);
    }
    return path;
}

CVelkDoc::CVelkDoc(midiport::MidiBackend& backend, VelkUiServices& ui, VelkClipboard& clipboard,
                   CVelkPreference& preference)
    : backend_(backend),
      ui_(ui),
      clipboard_(clipboard),
      preference_(preference),
      config_(backend),
      deviceNames_(config_) {
    // What the synth sends reaches the device model (and an open editor)
    // as it arrives, not only while a transfer waits.
    config_.RouteInputVia([&ui](std::function<void()> task) { ui.Post(std::move(task)); });
    // The wire's time is measured by the clock the waiting loops run by.
    config_.SetClock([&ui] { return ui.Now(); });
}

CVelkDoc::~CVelkDoc() = default;

bool CVelkDoc::IsTransferRunning() const { return ui_.TransferGuard().IsRunning(); }

// ---------------------------------------------------------------- paths

CItemPathInfo CVelkDoc::ClassifyPath(std::string_view path) const {
    return itempath::ClassifyPath(path, roots_, deviceNames_);
}

void CVelkDoc::SetCurrentFolder(int deviceIndex, int rootKind, int level, const std::string& path,
                                bool reset) {
    current_ = {deviceIndex, rootKind, level, path};
    if (list_) list_->FillList(path, reset);
    RefreshCutMarks();
}

// ---------------------------------------------------------------- waiting

bool CVelkDoc::Wait(const VelkWaitSpec& spec, MDevDesc* device, const std::function<bool()>& done) {
    CVelkProgressScope box(ui_, velk::text::kMidiTransfering);
    CDeviceWaitTarget target(config_, device);
    return CVelkWaitLoop(ui_).Run(spec, target, done);
}

bool CVelkDoc::WaitChanged(const VelkWaitSpec& spec, MDevDesc& device) {
    return Wait(spec, &device, [&device] { return device.TakeChanged() != 0; });
}

void CVelkDoc::ShowError(const std::string& text) {
    ui_.ShowMessage(text, velk::text::kAppTitle, VelkIcon::kError);
}

// ---------------------------------------------------------------- ports and device

void CVelkDoc::SelectMidiPorts() {
    std::string inName, outName;
    preference_.GetMidiDevices(inName, outName);
    const VelkPortIds ids = ChooseMidiPorts(backend_.Inputs(), backend_.Outputs(), inName, outName);
    config_.SetMidiInPortId(ids.in);
    config_.SetMidiOutPortId(ids.out);
}

void CVelkDoc::DetectDevices() {
    config_.CreateDevice();
    if (config_.OpenPorts() != 0) ShowError(kCantStartTransfer);
    Wait(velkwait::kIdentify, nullptr, [this] { return config_.GetDeviceCount() > 0; });
    CreateDeviceFolders();
}

void CVelkDoc::CreateDeviceFolders() {
    const std::string library = preference_.GetLibraryPath();
    // Without a library path there is nowhere to put the folders.
    if (library.empty()) return;
    config_.SetRootPath(library);
    roots_ = CItemRoots::FromLibraryPath(library);
    const auto create = [this](const std::string& root, const char* isFileText) {
        for (int i = 0; i < config_.GetDeviceCount(); ++i) {
            const std::string folder = JoinPath(root, config_.GetDeviceName(i).value_or(""));
            const int result = CreateFolderPath(folder);
            if (result == kFolderIsFile) ShowError(Format(isFileText, folder));
            else if (result != kFolderReady) ShowError(Format(kCantCreateFolder, folder));
        }
    };
    create(roots_.setup, kSetupFolderIsFile);
    create(roots_.library, kLibraryFolderIsFile);
}

bool CVelkDoc::ReceiveAll(MDevDesc* device) {
    if (device == nullptr) return false;
    if (device->IsDumpReceived()) return true;
    device->RequestAllData();
    Wait(velkwait::kReceive, device, [device] { return device->IsDumpReceived() != 0; });
    if (!device->IsDumpReceived()) {
        ShowError(kCantReceive);
        return false;
    }
    if (device->GetWriteProtect() != 0) ShowError(kDeviceWriteProtected);
    return true;
}

// ---------------------------------------------------------------- paste

int CVelkDoc::PasteItems(CFNameList& names, const std::string& target, bool move, int deviceIndex,
                         int rootKind, int level) {
    // The names come from the clipboard or a drop: every one must be an item
    // this target takes before anything is done.
    const std::vector<std::string> sources = NamesOf(names);
    if (!CanPasteItems(sources, rootKind, level, roots_, deviceNames_)) return 0;
    // Files land in the target: never in a folder that is no item, such as
    // one reached through a link (it could lead anywhere on the disk). A
    // target that is gone fails below, with its message.
    if (rootKind != kRootDevice && !ClassifyPath(target).valid && Exists(target)) return 0;
    const CItemPathInfo first = ClassifyPath(sources.front());
    switch (rootKind) {
    case kRootSetup:
        if (first.rootKind == kRootDevice) return PasteDeviceIntoSetup(sources.front(), target);
        return CopyMoveFiles(names, target, move) == 0 ? 1 : 0;
    case kRootLibrary:
        if (first.rootKind == kRootDevice) return PasteDeviceItemsIntoLibrary(names, target);
        return CopyMoveFiles(names, target, move) == 0 ? 1 : 0;
    case kRootDevice: return PasteFileOntoDevice(sources.front(), first.rootKind, deviceIndex);
    default: return 0;
    }
}

int CVelkDoc::PasteDeviceIntoSetup(const std::string& source, const std::string& target) {
    MDevDesc* device = config_.GetDevice(ClassifyPath(source).deviceIndex);
    // A failed receive leaves start-up defaults in the device model: saving
    // them would pass them off as the device's data.
    if (!ReceiveAll(device)) return 0;
    const fs::path untitled(kUntitledSetup);
    const std::string path = FreeFileName(target, untitled.stem().string(), untitled.extension().string());
    if (path.empty() || device->SaveAllFile(path) != 0) {
        ShowError(Format(kCantSave, path.empty() ? JoinPath(target, kUntitledSetup) : path));
        return 0;
    }
    return 1;
}

int CVelkDoc::PasteDeviceItemsIntoLibrary(CFNameList& names, const std::string& target) {
    int result = 1;
    bool unreceivedReported = false;
    for (const std::string& name : NamesOf(names)) {
        // Each name carries its own device; the folder shown in the list has
        // nothing to do with it.
        MDevDesc* device = config_.GetDevice(ClassifyPath(name).deviceIndex);
        if (device == nullptr) continue;
        if (!device->IsDumpReceived()) {
            // Never received: the data are start-up defaults, not the device's.
            if (!unreceivedReported) ShowError(kCantReceive);
            unreceivedReported = true;
            result = 0;
            continue;
        }
        const std::string leaf = GetLeafName(name);
        std::string fileName;
        const char* extension = nullptr;
        int index = -1;
        if (IsProgramItem(leaf)) {
            index = device->ParseProgramNumber(leaf.substr(kProgramPrefix.size()));
            if (index < 0) continue;
            fileName = device->GetProgramName(index).value_or("");
            extension = ".prg";
        } else if (IsGlobalItem(leaf)) {
            index = device->ParseGlobalNumber(leaf.substr(kGlobalPrefix.size()));
            if (index < 0) continue;
            fileName = device->GetGlobalName(index);
            extension = ".glb";
        } else {
            continue;
        }
        // The synth's bytes are no UTF-8: as Latin-1 text, so the file gets
        // a name the listing shows.
        fileName = MDevProgramName::AsText(fileName);
        MakeValidFileName(fileName);
        // Two programs of one name, or a file already there, each get a
        // free name: a paste never replaces a file.
        const std::string path = FreeFileName(target, fileName, extension);
        const int saved = path.empty()          ? 1
                          : IsProgramItem(leaf) ? device->SaveProgramFile(index, path)
                                                : device->SaveGlobalFile(index, path);
        if (saved != 0) {
            ShowError(Format(kCantSave, path.empty() ? JoinPath(target, fileName + extension) : path));
            result = 0;
        }
    }
    return result;
}

int CVelkDoc::PasteFileOntoDevice(const std::string& file, int sourceKind, int deviceIndex) {
    if (!IsRegularFile(file)) return 0;
    MDevDesc* device = config_.GetDevice(deviceIndex);
    const std::string leaf = GetLeafName(file);
    bool sent = false;
    if (sourceKind == kRootSetup) {
        if (!ui_.ConfirmWrite(kOverwriteWholeDevice, nullptr, nullptr, CDialogOverwriteModel::kGlobal) ||
            device == nullptr)
            return 0;
        CVelkProgressScope box(ui_, velk::text::kMidiTransfering);
        ui_.SleepFor(kSendPause);
        sent = device->LoadAllFileAndSend(file) == 0 && WaitChanged(velkwait::kWriteAll, *device);
    } else {
        if (device == nullptr) return 0;
        const std::string extension = fs::path(leaf).extension().string();
        const bool program = extension == ".prg";
        if (!program && extension != ".glb") return 0;
        int slot = 0;
        const bool choose = program ? device->GetProgramCount() > 1 : device->GetGlobalCount() > 1;
        const std::string caption =
            (program ? kOverwriteProgramPrefix : kOverwriteGlobalPrefix) + leaf + kOverwriteFileSuffix;
        if (!ui_.ConfirmWrite(caption, choose ? &slot : nullptr, device,
                              program ? CDialogOverwriteModel::kProgram : CDialogOverwriteModel::kGlobal))
            return 0;
        CVelkProgressScope box(ui_, velk::text::kMidiTransfering);
        ui_.SleepFor(kSendPause);
        const int loaded =
            program ? device->LoadProgramFileAndSend(slot, file) : device->LoadGlobalFileAndSend(slot, file);
        sent = loaded == 0 && WaitChanged(velkwait::kWriteOne, *device);
    }
    if (!sent) ShowError(kCantOverwriteDevice);
    return sent ? 1 : 0;
}

int CVelkDoc::CopyMoveFiles(CFNameList& names, const std::string& target, bool move) {
    std::string folder = target;
    while (folder.size() > 1 && folder.back() == kSeparator) folder.pop_back();
    std::vector<fs::path> sources;
    const std::vector<std::string> all = NamesOf(names);
    for (const std::string& name : all) {
        // Per source: a move into its own folder does nothing, a folder never
        // goes into itself or below, and a copy into its own folder would
        // land on itself.
        const bool intoOwnParent = GetParentPath(name) == folder;
        const bool intoItself = IsSameOrBelow(folder, name);
        if (intoOwnParent || intoItself) continue;
        sources.emplace_back(name);
    }
    if (sources.empty()) return all.empty() ? 0 : -1;
    CVelkConflictAsker asker(ui_);
    const fo::OpResult result =
        move ? fo::MoveItems(sources, folder, asker) : fo::CopyItems(sources, folder, asker);
    if (!result.failed.empty()) ShowError(Format(kCantCopy, JoinLines(result.failed)));
    return result.Ok() ? 0 : 1;
}

// ---------------------------------------------------------------- delete, rename, new folder

int CVelkDoc::DeleteItems(CFNameList& names) {
    const std::vector<std::string> all = NamesOf(names);
    if (all.empty()) return 0;
    // Every name, not only the first, must be a file or folder of the setup
    // or library side: the list may come from outside.
    for (const std::string& name : all) {
        const CItemPathInfo info = ClassifyPath(name);
        if (!info.valid || info.rootKind == kRootDevice || info.level < 2) return 0;
    }
    if (ui_.AskYesNo(kAskTrash, velk::text::kAppTitle, VelkIcon::kQuestion) != VelkAnswer::kYes) return 0;
    std::vector<fs::path> paths(all.begin(), all.end());
    const fo::TrashResult trash = fo::TrashItems(paths);
    std::vector<std::string> failed = trash.failed;
    if (!trash.notSupported.empty()) {
        std::vector<std::string> listed;
        for (const fs::path& path : trash.notSupported) listed.push_back(path.string());
        if (ui_.AskYesNo(Format(kAskDeleteForGood, JoinLines(listed)), velk::text::kAppTitle,
                         VelkIcon::kQuestion) == VelkAnswer::kYes) {
            for (std::string& reason : fo::DeleteForGood(trash.notSupported))
                failed.push_back(std::move(reason));
        }
    }
    if (!failed.empty()) ShowError(Format(kCantDelete, JoinLines(failed)));
    std::vector<std::string> gone;
    for (const std::string& name : all)
        if (!Exists(name)) gone.push_back(name);
    if (gone.empty()) return 0;
    const CFNameList deleted = ListOf(gone);
    TellViews([&](VelkDocView& view) { view.OnItemsDeleted(deleted); });
    ClearClipboard();
    return gone.size() == all.size() ? 1 : 0;
}

int CVelkDoc::RenameItem(const std::string& path, const std::string& newName) {
    if (newName.empty()) return 0;
    const CItemPathInfo info = ClassifyPath(path);
    if (!info.valid || info.level < 2) return 0;
    return info.rootKind == kRootDevice ? RenameProgram(path, info, newName)
                                        : RenameOnDisk(path, info, newName);
}

int CVelkDoc::RenameOnDisk(const std::string& path, const CItemPathInfo&, const std::string& newName) {
    const std::string leaf = GetLeafName(path);
    // Names on disk are case-sensitive: only the very same name is no change.
    if (leaf == newName) return 0;
    // Only a name the listing shows: a file it skips could not be seen again.
    if (!IsItemName(newName)) {
        ShowError(kCantRename);
        return 0;
    }
    const std::string newPath = JoinPath(GetParentPath(path), newName);
    if (fo::RenameNoReplace(path, newPath) != 0) {
        ShowError(kCantRename);
        return 0;
    }
    TellViews([&](VelkDocView& view) { view.OnItemRenamed(path, newName); });
    ClearClipboard();
    FollowRenamedFolder(path, newPath);
    return 1;
}

void CVelkDoc::FollowRenamedFolder(const std::string& oldPath, const std::string& newPath) {
    if (!IsSameOrBelow(current_.path, oldPath)) return;
    const std::string moved = newPath + current_.path.substr(oldPath.size());
    SetCurrentFolder(current_.deviceIndex, current_.rootKind, current_.level, moved, false);
}

int CVelkDoc::RenameProgram(const std::string& path, const CItemPathInfo& info, const std::string& newName) {
    const std::string leaf = GetLeafName(path);
    MDevDesc* device = config_.GetDevice(info.deviceIndex);
    const int index =
        IsProgramItem(leaf) && device != nullptr ? device->ParseProgramNumber(GetProgramNumber(leaf)) : -1;
    // A program the device never sent would be written back as start-up
    // defaults: only a received program is renamed.
    if (index < 0 || !device->IsDumpReceived()) {
        ShowError(kCantOverwriteDevice);
        return 0;
    }
    const std::string current = device->GetProgramName(index).value_or("");
    // The edit showed the name as text: taken back unchanged, it is no rename.
    if (newName == MDevProgramName::AsText(current)) return 0;
    // The synth takes what the Program Editor's name field takes.
    const std::string name = FilterProgramName(newName);
    if (name.empty() || name == current) return 0;
    MDevDescProgram* program = device->GetProgramCopy(index);
    if (program == nullptr) return 0;
    program->SetName(name);
    if (device->SendProgram(index) != 0 || !WaitChanged(velkwait::kRename, *device)) {
        ShowError(kCantOverwriteDevice);
        return 0;
    }
    const std::string held = MDevProgramName::AsText(device->GetProgramName(index).value_or(name));
    TellViews([&](VelkDocView& view) { view.OnItemRenamed(path, held); });
    ClearClipboard();
    return 1;
}

int CVelkDoc::NewFolder(const std::string& folder) {
    const CItemPathInfo info = ClassifyPath(folder);
    if (!info.valid || !info.isFolder || info.rootKind == kRootDevice) return 0;
    for (int i = 1; i <= 98; ++i) {
        const std::string name =
            i == 1 ? std::string(kNewFolder) : std::string(kNewFolder) + " " + std::to_string(i);
        const std::string path = JoinPath(folder, name);
        if (!fo::MakeFolder(path)) continue;
        TellViews([&](VelkDocView& view) { view.OnFolderCreated(path); });
        return 1;
    }
    ShowError(kFolderCantBeCreatedOn + folder);
    return 0;
}

// ---------------------------------------------------------------- clipboard

int CVelkDoc::PutItems(int moveFlag, const CFNameList& names, bool drag, int allowedEffects) {
    const VelkPayload payload{moveFlag, names.GetText()};
    if (drag) return clipboard_.RunDrag(payload, allowedEffects);
    if (!clipboard_.Put(payload)) return 0;
    RefreshCutMarks();
    return 1;
}

std::optional<VelkPayload> CVelkDoc::ReadPayload(const VelkPayload* dropped) {
    if (dropped != nullptr) return *dropped;
    return clipboard_.Get();
}

int CVelkDoc::HasClipboardItems(const VelkPayload* dropped) {
    return ReadPayload(dropped).has_value() ? 1 : 0;
}

int CVelkDoc::GetClipboardItems(CFNameList& names) {
    const std::optional<VelkPayload> payload = clipboard_.Get();
    if (!payload) return 0;
    names.AppendText(payload->text);
    return payload->moveFlag;
}

void CVelkDoc::RefreshCutMarks() {
    CFNameList cut;
    if (GetClipboardItems(cut) != 1) cut = CFNameList();
    TellViews([&](VelkDocView& view) { view.UpdateCutMarks(cut); });
}

void CVelkDoc::ClearClipboard() {
    if (!clipboard_.Clear()) return;
    RefreshCutMarks();
}

int CVelkDoc::Paste(const VelkPayload* dropped, const std::string& target, bool forceMove, int deviceIndex,
                    int rootKind, int level) {
    const std::optional<VelkPayload> payload = ReadPayload(dropped);
    if (!payload) return 0;
    const bool move = forceMove || payload->moveFlag == 1;
    CFNameList names(payload->text);
    const int result = PasteItems(names, target, move, deviceIndex, rootKind, level);
    TellViews([&](VelkDocView& view) { view.OnPasted(names, target, move); });
    ClearClipboard();
    return result;
}

int CVelkDoc::CanPaste(const VelkPayload* dropped, int, int rootKind, int level) {
    const std::optional<VelkPayload> payload = ReadPayload(dropped);
    if (!payload) return 0;
    CFNameList names(payload->text);
    return CanPasteItems(NamesOf(names), rootKind, level, roots_, deviceNames_) ? 1 : 0;
}
