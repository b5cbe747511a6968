#pragma once
// What the Global Editor does, without its window: which global object it
// edits (the device's, copied into the working global, or a global file's,
// read into it), its modified state, its caption and tabs, and the save,
// write and close flows with their questions.
//
// Each flow answers whether the editor stays open or ends, and with which
// result; the window acts on it. Messages, the write confirmation, the
// progress box and the waiting loop's event loop are the user-interface
// services', so the flows run without a display against scripted ones; the
// write waits on the device's own configuration (CDeviceWaitTarget).

#include <filesystem>
#include <string>
#include <vector>

#include "editors/EditorEnd.h"

class MDevDesc;
class MDevDescProgram;
class VelkUiServices;

namespace glbtext {
inline constexpr const char* kCantOverwriteFile = "ERROR: Can't Overwrite the File";
inline constexpr const char* kCantOverwriteDevice = "ERROR: Can't Overwrite the Device";
// A global file that could not be read is not opened for editing.
inline constexpr const char* kCantOpenFile = "ERROR: Can't Open the File";
}  // namespace glbtext

class CDialogEditGlbModel {
public:
    enum Page { kGlobalPage = 0, kMidiPage = 1, kControlChangePage = 2, kFavoritePage = 3 };

    // index >= 0: the device's global set `index`, copied into the working
    // global; else, with a path, the global file read into the working
    // global; else no global object. A file that did not load leaves the
    // editor without a global object too (see OpenFailed). `ui` asks the
    // user and runs the write's wait.
    CDialogEditGlbModel(MDevDesc& device, int index, std::filesystem::path path, VelkUiServices& ui);

    MDevDesc& Device() const { return device_; }
    VelkUiServices& Ui() const { return ui_; }
    MDevDescProgram* Global() const { return global_; }
    int Index() const { return index_; }
    const std::filesystem::path& Path() const { return path_; }
    bool IsFile() const { return index_ < 0; }

    // True when a file was given and could not be read: the caller reports
    // it (ReportOpenFailure) and does not open the editor.
    bool OpenFailed() const { return global_ == nullptr && index_ < 0 && !path_.empty(); }
    void ReportOpenFailure() const;

    bool IsModified() const { return modified_; }
    // "Save to File" acts only for a file with changes.
    bool IsSaveEnabled() const { return saveEnabled_; }
    // Without a global object only "Close" acts.
    bool IsWriteEnabled() const { return global_ != nullptr; }

    // "Global Editor - Device" or "Global Editor - \"<path>\"".
    std::string Caption() const;
    // The model of the connected device (its descriptor), for the tabs.
    bool IsModelS() const;
    int ProgramCount() const;
    // "Global", "MIDI", "Control Change Map" (and "Favorite Program" on the
    // second model); none without a global object.
    std::vector<std::string> TabTitles() const;

    // The device changed a program or global object; the editor counts every
    // such notice as a change of its own global.
    void OnDevDescUpdatedProgram();

    EditorEnd OnSaveToFile();
    EditorEnd OnWriteToDevice();
    EditorEnd OnClose();

private:
    void MarkClean();
    void ShowError(const char* text) const;

    MDevDesc& device_;
    VelkUiServices& ui_;
    int index_ = -1;
    std::filesystem::path path_;
    MDevDescProgram* global_ = nullptr;
    bool modified_ = false;
    bool saveEnabled_ = false;
};
