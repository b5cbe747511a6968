#pragma once
// The Program Editor's logic, without windows: which program it edits (a
// copy of a device slot or a program file, both in the device's edit
// buffer), the tabs of the voice mode, the live commit 500 ms after the last
// change, saving to the file, writing to a device slot, and the questions
// asked on Close. The dialog (editors/wx/CDialogEditPrg.h) shows what this
// says through ProgramEditorView and passes the user's actions in. The
// user-interface services ask the user, time the commit, carry posted
// notices and run the write's wait, which waits on the device's own
// configuration (CDeviceWaitTarget).

#include <array>
#include <chrono>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "device/MDevProgramName.h"
#include "editors/CEditorNoticeTarget.h"
#include "editors/EditorEnd.h"
#include "editors/ProgramEditorTabs.h"

class MDevDesc;
class MDevDescProgram;
class VelkTimer;
class VelkUiServices;

// The operations of the Arpeggio page the editor calls for values the
// synthesizer reported; they show a value and store nothing.
class ArpeggioDisplay {
public:
    virtual ~ArpeggioDisplay() = default;
    virtual void SetVoiceMode(int voiceMode) = 0;
    virtual void ShowArpOnOff(int value) = 0;
    virtual void ShowLatch(int value) = 0;
    virtual void ShowType(int value) = 0;
    virtual void ShowRange(int value) = 0;
    virtual void ShowGate(int value) = 0;
};

// What the logic asks of the dialog.
class ProgramEditorView {
public:
    virtual ~ProgramEditorView() = default;
    virtual void EnableSaveToFile(bool enabled) = 0;
    // Replaces every tab by `tabs` and selects `selected`; raises no tab
    // change.
    virtual void SetTabs(std::span<const PrgTab> tabs, int selected) = 0;
    // Shows the page of `kind` in tab `index` with what the program holds
    // now, as a page built afresh would show it.
    virtual void ShowPage(int index, PrgPageKind kind) = 0;
    // Destroys every page.
    virtual void DestroyPages() = 0;
    // The shown page when it is the Arpeggio page, else null.
    virtual ArpeggioDisplay* ShownArpeggioPage() = 0;
    virtual void EndEditor(EditorEnd end) = 0;
};

class CDialogEditPrgModel {
public:
    static constexpr std::chrono::milliseconds kCommitDelay{500};

    // number >= 0: a copy of the device's slot; else, with a path, the
    // program file read into the edit buffer (and sent as the current
    // program); else nothing. `device` may be null (no program then).
    CDialogEditPrgModel(MDevDesc* device, int number, std::filesystem::path path, VelkUiServices& ui);
    ~CDialogEditPrgModel();
    CDialogEditPrgModel(const CDialogEditPrgModel&) = delete;
    CDialogEditPrgModel& operator=(const CDialogEditPrgModel&) = delete;

    bool HasProgram() const { return program_ != nullptr; }
    MDevDescProgram* Program() const { return program_; }
    MDevDesc* Device() const { return device_; }
    int ProgramNumber() const { return number_; }
    const std::filesystem::path& Path() const { return path_; }
    bool IsFile() const { return number_ < 0; }
    // The error to show instead of opening when there is no program.
    std::string OpenError() const;

    // Registers for the device's notices and shows the first page; false
    // (nothing done) when there is no program.
    bool Init(ProgramEditorView& view);
    // Unregisters, drops a pending commit, destroys the pages. Idempotent.
    void OnDestroy();

    // "Program Editor - A.11" or "Program Editor - \"<path>\"".
    std::string Caption() const;
    // The name as the edit shows it (printable ASCII only).
    std::string ShownName() const;
    // The voice mode list's item for the stored voice mode.
    int VoiceModeItem() const;

    // The user's actions.
    void OnSelChangeTab(int selected);
    void OnVoiceModeChange(int item);
    // The edit's text after a change; returns the text the edit must show
    // (the filtered text; the caller rewrites the edit when it differs).
    std::string OnNameChange(std::string_view text);
    // False when the save failed (the error was shown).
    bool OnSaveToFile();
    // False when the write was refused or failed.
    bool OnWriteToDevice();
    void OnClose();

    // The device's notices.
    void OnDevDescUpdatedProgram();
    void OnMidiInMsg(int id, int value);

    bool IsModified() const { return modified_; }
    bool IsSaveEnabled() const { return saveEnabled_; }
    bool IsCommitPending() const { return commitPending_; }
    // The timer of the live commit.
    const VelkTimer& CommitTimer() const { return *commitTimer_; }
    bool IsRegistered() const { return registration_ && registration_->IsRegistered(); }
    int CurrentTab() const { return currentTab_; }
    PrgPageKind KindOfTab(int index) const;
    PrgPageKind ShownKind() const { return KindOfTab(currentTab_); }
    int SelectedVoiceItem() const { return voiceItem_; }
    std::span<const PrgTab> Tabs() const { return TabSetOfItem(voiceItem_); }

private:
    void RebuildTabs();
    void ShowPage(int index);
    void MarkModified();
    class CommitHold;
    void ArmCommit();
    void StopCommit();
    void ReleaseCommit();
    void OnTimer();
    void EnableSave(bool enabled);
    void QueueMidiIn(int id, int value);
    bool RunWrite(int target);
    void End(EditorEnd end);

    MDevDesc* device_;
    int number_ = -1;
    std::filesystem::path path_;
    MDevDescProgram* program_ = nullptr;
    VelkUiServices& ui_;
    std::unique_ptr<VelkTimer> commitTimer_;
    ProgramEditorView* view_ = nullptr;
    std::unique_ptr<CEditorRegistration> registration_;
    // The registered target, for posted notices to see whether it still is.
    std::weak_ptr<CEditorNoticeTarget> target_;

    int voiceItem_ = -1;
    int currentTab_ = 0;
    std::array<PrgPageKind, kMaxPrgTabs> kinds_{PrgPageKind::None, PrgPageKind::None, PrgPageKind::None,
                                                PrgPageKind::None};
    bool modified_ = false;
    bool saveEnabled_ = false;
    bool commitPending_ = false;
    // While a write waits for the synthesizer or the Close question is up,
    // no commit may go out; one that was wanted is armed afterwards.
    int commitHolds_ = 0;
    bool commitWanted_ = false;
    bool ended_ = false;
    bool destroyed_ = false;
};
