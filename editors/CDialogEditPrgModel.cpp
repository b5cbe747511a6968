#include "editors/CDialogEditPrgModel.h"

#include "device/MDevDesc.h"
#include "device/MDevDescProgram.h"
#include "device/MDevProgramParamId.h"
#include "editors/ProgramEditorTexts.h"
#include "resources/VelkCommandIds.h"
#include "resources/VelkStrings.h"
#include "uiservices/CDialogOverwriteModel.h"
#include "uiservices/VelkWaitLoop.h"

namespace {

namespace Id = MDevProgramParamId;

}  // namespace

// Holds the live commit back for its lifetime: a change that would arm it,
// or a commit that falls due, is remembered and armed afresh when the last
// hold goes, if the editor is still open.
class CDialogEditPrgModel::CommitHold {
public:
    explicit CommitHold(CDialogEditPrgModel& editor) : editor_(editor) { ++editor_.commitHolds_; }
    ~CommitHold() {
        if (--editor_.commitHolds_ == 0) editor_.ReleaseCommit();
    }
    CommitHold(const CommitHold&) = delete;
    CommitHold& operator=(const CommitHold&) = delete;

private:
    CDialogEditPrgModel& editor_;
};

CDialogEditPrgModel::CDialogEditPrgModel(MDevDesc* device, int number, std::filesystem::path path,
                                         VelkUiServices& ui)
    : device_(device), ui_(ui), commitTimer_(ui.CreateTimer([this] { OnTimer(); })) {
    if (number >= 0) {
        number_ = number;
        if (device_) program_ = device_->GetProgramCopy(number);
    } else if (!path.empty()) {
        path_ = std::move(path);
        if (device_) program_ = device_->LoadProgramFileToEdit(path_);
    }
}

CDialogEditPrgModel::~CDialogEditPrgModel() = default;

std::string CDialogEditPrgModel::OpenError() const {
    return path_.empty() ? prgtext::kCantOpenProgram : prgtext::kCantOpenFile;
}

bool CDialogEditPrgModel::Init(ProgramEditorView& view) {
    if (!program_ || destroyed_) return false;
    view_ = &view;
    EnableSave(false);
    currentTab_ = 0;
    if (device_) {
        auto target = std::make_shared<CEditorNoticeTarget>(
            [this] { OnDevDescUpdatedProgram(); }, [this](int id, int value) { QueueMidiIn(id, value); });
        target_ = target;
        registration_ = std::make_unique<CEditorRegistration>(*device_);
        registration_->Register(std::move(target));
    }
    voiceItem_ = SelectVoiceMode(program_->GetParam(Id::kVoiceMode));
    RebuildTabs();
    return true;
}

void CDialogEditPrgModel::OnDestroy() {
    if (destroyed_) return;
    destroyed_ = true;
    if (registration_) registration_->Unregister();
    StopCommit();
    commitWanted_ = false;
    if (view_) view_->DestroyPages();
}

std::string CDialogEditPrgModel::Caption() const {
    if (!program_) return velk::text::kProgramEditor;
    std::string caption = velk::text::kProgramEditorPrefix;
    if (IsFile()) return caption + "\"" + path_.string() + "\"";
    if (device_) caption += device_->FormatProgramNumber(number_).value_or("");
    return caption;
}

std::string CDialogEditPrgModel::ShownName() const {
    return program_ ? FilterProgramName(program_->GetName()) : std::string();
}

int CDialogEditPrgModel::VoiceModeItem() const {
    return program_ ? SelectVoiceMode(program_->GetParam(Id::kVoiceMode)) : -1;
}

PrgPageKind CDialogEditPrgModel::KindOfTab(int index) const {
    if (index < 0 || index >= static_cast<int>(Tabs().size())) return PrgPageKind::None;
    return kinds_[static_cast<std::size_t>(index)];
}

void CDialogEditPrgModel::RebuildTabs() {
    const PrgPageKind before = kinds_[static_cast<std::size_t>(currentTab_)];
    const std::span<const PrgTab> tabs = Tabs();
    for (std::size_t i = 0; i < tabs.size(); ++i) kinds_[i] = tabs[i].kind;
    currentTab_ = TabAfterRebuild(before, tabs);
    view_->SetTabs(tabs, currentTab_);
    // Shown afresh from the program also when the kind stayed the same.
    ShowPage(currentTab_);
}

void CDialogEditPrgModel::ShowPage(int index) {
    view_->ShowPage(index, kinds_[static_cast<std::size_t>(index)]);
}

void CDialogEditPrgModel::OnSelChangeTab(int selected) {
    if (!view_ || destroyed_) return;
    if (selected < 0 || selected == currentTab_ || selected >= static_cast<int>(Tabs().size())) return;
    currentTab_ = selected;
    ShowPage(selected);
}

void CDialogEditPrgModel::OnVoiceModeChange(int item) {
    if (!view_ || destroyed_) return;
    voiceItem_ = item;
    const int32_t voiceMode = VoiceModeOfItem(item);
    // Announced: the notice arms the commit.
    program_->SetParam(Id::kVoiceMode, voiceMode, 1);
    RebuildTabs();
    if (ShownKind() == PrgPageKind::Arpeggio) {
        if (ArpeggioDisplay* page = view_->ShownArpeggioPage()) page->SetVoiceMode(voiceMode);
    }
}

std::string CDialogEditPrgModel::OnNameChange(std::string_view text) {
    std::string name = FilterProgramName(text);
    if (!program_ || destroyed_) return name;
    if (name != program_->GetName()) {
        // Not announced: the name goes out with the next commit, write or save.
        program_->SetName(name);
        MarkModified();
    }
    return name;
}

void CDialogEditPrgModel::MarkModified() {
    modified_ = true;
    EnableSave(IsFile());
}

void CDialogEditPrgModel::EnableSave(bool enabled) {
    saveEnabled_ = enabled;
    if (view_) view_->EnableSaveToFile(enabled);
}

void CDialogEditPrgModel::OnDevDescUpdatedProgram() {
    if (destroyed_) return;
    MarkModified();
    ArmCommit();
}

void CDialogEditPrgModel::ArmCommit() {
    if (commitHolds_ > 0) {
        commitWanted_ = true;
        return;
    }
    commitPending_ = true;
    commitTimer_->Start(kCommitDelay);
}

void CDialogEditPrgModel::ReleaseCommit() {
    const bool wanted = commitWanted_;
    commitWanted_ = false;
    if (wanted && !destroyed_ && !ended_) ArmCommit();
}

void CDialogEditPrgModel::StopCommit() {
    if (!commitPending_) return;
    commitTimer_->Stop();
    commitPending_ = false;
}

void CDialogEditPrgModel::OnTimer() {
    if (!commitPending_ || destroyed_) return;
    StopCommit();
    if (commitHolds_ > 0) {
        commitWanted_ = true;
        return;
    }
    program_->Commit();
}

void CDialogEditPrgModel::QueueMidiIn(int id, int value) {
    // A posted notice: handled later, in queue order, and only if the
    // editor is still registered by then.
    ui_.Post([this, weak = target_, id, value] {
        const auto target = weak.lock();
        if (target && target->IsAlive()) OnMidiInMsg(id, value);
    });
}

void CDialogEditPrgModel::OnMidiInMsg(int id, int value) {
    if (!view_ || destroyed_ || ShownKind() != PrgPageKind::Arpeggio) return;
    ArpeggioDisplay* page = view_->ShownArpeggioPage();
    void (ArpeggioDisplay::*show)(int) = nullptr;
    switch (id) {
    case Id::kArpOnOff: show = &ArpeggioDisplay::ShowArpOnOff; break;
    case Id::kArpLatch: show = &ArpeggioDisplay::ShowLatch; break;
    case Id::kArpType: show = &ArpeggioDisplay::ShowType; break;
    case Id::kArpRange: show = &ArpeggioDisplay::ShowRange; break;
    case Id::kArpGateTime: show = &ArpeggioDisplay::ShowGate; break;
    default: return;
    }
    // From the synthesizer: stored unannounced, so nothing is sent back.
    program_->SetParam(id, value, 0);
    if (page) (page->*show)(value);
    MarkModified();
}

bool CDialogEditPrgModel::OnSaveToFile() {
    if (!program_ || !device_ || destroyed_) return false;
    if (device_->SaveProgramFile(number_, path_) != 0) {
        ui_.ShowMessage(velk::LoadVelkString(velk::IDS_CANT_OVERWRITE_FILE), velk::text::kAppTitle,
                        VelkIcon::kNone);
        return false;
    }
    modified_ = false;
    EnableSave(false);
    End(EditorEnd::kOk);
    return true;
}

bool CDialogEditPrgModel::OnWriteToDevice() {
    if (!program_ || !device_ || destroyed_) return false;
    int target = number_;
    if (!ui_.ConfirmWrite(velk::text::kWriteToDeviceQuestion, &target, device_,
                          CDialogOverwriteModel::kProgram))
        return false;
    if (!RunWrite(target)) {
        ui_.ShowMessage(velk::LoadVelkString(velk::IDS_CANT_OVERWRITE_DEVICE), velk::text::kAppTitle,
                        VelkIcon::kNone);
        return false;
    }
    if (number_ >= 0) {
        modified_ = false;
        EnableSave(false);
        End(EditorEnd::kOk);
    }
    // A file's program stays open and modified: the file itself is not saved.
    return true;
}

bool CDialogEditPrgModel::RunWrite(int target) {
    // The write sends the program itself; a commit firing inside the
    // waiting loop would send another dump in the middle of the write
    // exchange: none goes out until it is over.
    StopCommit();
    CommitHold hold(*this);
    if (device_->SendProgram(target) != 0) return false;
    CVelkProgressScope box(ui_, velk::text::kMidiTransfering);
    CDeviceWaitTarget device(*device_);
    return CVelkWaitLoop(ui_).Run(velkwait::kEditorWrite, device,
                                  [this] { return device_->TakeChanged() != 0; });
}

void CDialogEditPrgModel::OnClose() {
    if (!program_ || destroyed_) {
        End(EditorEnd::kCancel);
        return;
    }
    if (!modified_) {
        End(EditorEnd::kCancel);
        return;
    }
    const char* question =
        IsFile() ? velk::text::kSaveChangesBeforeClosing : velk::text::kWriteChangesBeforeClosing;
    // The box runs the event loop while it is up: the pending commit waits
    // for the answer, and goes out afterwards only if the editor stays open.
    CommitHold hold(*this);
    if (commitPending_) {
        StopCommit();
        commitWanted_ = true;
    }
    // The close questions carry no icon.
    switch (ui_.AskYesNoCancel(question, velk::text::kAppTitle, VelkIcon::kNone)) {
    case VelkAnswer::kYes:
        if (IsFile()) {
            OnSaveToFile();
        } else {
            OnWriteToDevice();
        }
        break;
    case VelkAnswer::kNo: End(EditorEnd::kCancel); break;
    default: break;
    }
}

void CDialogEditPrgModel::End(EditorEnd end) {
    ended_ = true;
    if (view_) view_->EndEditor(end);
}
