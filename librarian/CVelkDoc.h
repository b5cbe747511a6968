#pragma once
// The document of the explorer window: it holds the device configuration
// and carries out everything the tree and the list do to the synthesizer
// and to the setup and library folders: port choice, detection, the
// device folders, receiving, writing files to the device, saving the
// device's programs and global as files, copy, move, delete, rename, new
// folder, and the clipboard and drop operations on name lists. It tells
// the views the outcome through VelkDocView, tree first, then list.
//
// Every transfer blocks the calling (user-interface) thread in a waiting
// loop that shows the progress box and pumps the events; IsTransferRunning
// tells a window close arriving meanwhile that it must not destroy us.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device/MDevConfig.h"
#include "librarian/CFNameList.h"
#include "librarian/CItemClassify.h"
#include "librarian/CItemPath.h"
#include "librarian/VelkClipboard.h"
#include "librarian/VelkDocViews.h"
#include "uiservices/VelkWaitLoop.h"

class CVelkPreference;
class MDevDesc;
class VelkUiServices;
namespace midiport {
class MidiBackend;
}

class CVelkDoc {
public:
    // The MIDI ports, the user-interface services (the boxes, the waits'
    // event loop and clock; what the synth sends is routed as it arrives
    // through their Post), the clipboard and the preference; all must
    // outlive the document.
    CVelkDoc(midiport::MidiBackend& backend, VelkUiServices& ui, VelkClipboard& clipboard,
             CVelkPreference& preference);
    virtual ~CVelkDoc();
    CVelkDoc(const CVelkDoc&) = delete;
    CVelkDoc& operator=(const CVelkDoc&) = delete;

    MDevConfig& GetDevConfig() { return config_; }
    // Null unregisters.
    void SetTreeView(VelkDocView* view) { tree_ = view; }
    void SetListView(VelkDocView* view) { list_ = view; }
    // True while a transfer waits below on the stack (the document's or an
    // editor's, through the same services): the main window must not close
    // now.
    bool IsTransferRunning() const;

    // Item paths and the current folder.
    itempath::CItemPathInfo ClassifyPath(std::string_view path) const;
    const itempath::CItemRoots& GetRoots() const { return roots_; }
    void SetCurrentFolder(int deviceIndex, int rootKind, int level, const std::string& path, bool reset);
    std::string GetCurrentPath() const { return current_.path; }
    const itempath::CCurrentFolder& GetCurrentFolder() const { return current_; }

    // Ports and device.
    void SelectMidiPorts();
    void DetectDevices();
    void CreateDeviceFolders();
    // Receives all data of the device unless that was done; true when the
    // device's data is received.
    bool ReceiveAll(MDevDesc* device);

    // File and device operations.
    int PasteItems(CFNameList& names, const std::string& target, bool move, int deviceIndex, int rootKind,
                   int level);
    // 0 success, -1 every source refused, 1 failed or cancelled.
    int CopyMoveFiles(CFNameList& names, const std::string& folder, bool move);
    int DeleteItems(CFNameList& names);
    int RenameItem(const std::string& path, const std::string& newName);
    int NewFolder(const std::string& folder);

    // Clipboard and drops. A drop passes the payload of the drag (the
    // process-wide drag payload); null reads the clipboard.
    int PutItems(int moveFlag, const CFNameList& names, bool drag, int allowedEffects);
    int HasClipboardItems(const VelkPayload* dropped = nullptr);
    // The move flag; 0 also when the clipboard holds none of our items.
    int GetClipboardItems(CFNameList& names);
    void RefreshCutMarks();
    void ClearClipboard();
    int Paste(const VelkPayload* dropped, const std::string& target, bool forceMove, int deviceIndex,
              int rootKind, int level);
    int CanPaste(const VelkPayload* dropped, int deviceIndex, int rootKind, int level);

private:
    template <typename F>
    void TellViews(F&& call) {
        if (tree_) call(*tree_);
        if (list_) call(*list_);
    }

    // Runs a waiting loop with the progress box shown; true when `done` held.
    bool Wait(const VelkWaitSpec& spec, MDevDesc* device, const std::function<bool()>& done);
    bool WaitChanged(const VelkWaitSpec& spec, MDevDesc& device);
    void ShowError(const std::string& text);

    int PasteDeviceIntoSetup(const std::string& source, const std::string& target);
    int PasteDeviceItemsIntoLibrary(CFNameList& names, const std::string& target);
    int PasteFileOntoDevice(const std::string& file, int sourceKind, int deviceIndex);
    int RenameOnDisk(const std::string& path, const itempath::CItemPathInfo& info,
                     const std::string& newName);
    int RenameProgram(const std::string& path, const itempath::CItemPathInfo& info,
                      const std::string& newName);
    // After a rename on disk: the current folder follows when it was the
    // renamed folder or lay below it.
    void FollowRenamedFolder(const std::string& oldPath, const std::string& newPath);
    std::optional<VelkPayload> ReadPayload(const VelkPayload* dropped);

    midiport::MidiBackend& backend_;
    VelkUiServices& ui_;
    VelkClipboard& clipboard_;
    CVelkPreference& preference_;
    MDevConfig config_;
    itempath::CConfigDeviceNames deviceNames_;
    itempath::CItemRoots roots_;
    itempath::CCurrentFolder current_;
    VelkDocView* tree_ = nullptr;
    VelkDocView* list_ = nullptr;
};

// The names of a list, in order, up to the first empty one.
std::vector<std::string> NamesOf(CFNameList& names);

// `folder`/`name`, or when that exists `folder`/"stem (n)ext" with the
// smallest free n from 2 on; empty when none of them is free.
std::string FreeFileName(const std::string& folder, const std::string& stem, const std::string& extension);
