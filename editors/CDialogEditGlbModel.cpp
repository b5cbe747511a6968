#include "editors/CDialogEditGlbModel.h"

#include "device/MDevDesc.h"
#include "device/MDevDescZEPHA.h"
#include "resources/VelkStrings.h"
#include "uiservices/CDialogOverwriteModel.h"
#include "uiservices/VelkWaitLoop.h"

CDialogEditGlbModel::CDialogEditGlbModel(MDevDesc& device, int index, std::filesystem::path path,
                                         VelkUiServices& ui)
    : device_(device), ui_(ui) {
    if (index >= 0) {
        index_ = index;
        global_ = device_.GetGlobalCopy(index);
    } else if (!path.empty()) {
        path_ = std::move(path);
        global_ = device_.LoadGlobalFileToEdit(path_);
    }
}

void CDialogEditGlbModel::ShowError(const char* text) const {
    ui_.ShowMessage(text, velk::text::kAppTitle, VelkIcon::kNone);
}

void CDialogEditGlbModel::ReportOpenFailure() const { ShowError(glbtext::kCantOpenFile); }

std::string CDialogEditGlbModel::Caption() const {
    std::string caption = velk::text::kGlobalEditorPrefix;
    if (index_ >= 0) caption += velk::text::kDevice;
    else caption += "\"" + path_.string() + "\"";
    return caption;
}

bool CDialogEditGlbModel::IsModelS() const {
    const auto* zepha = dynamic_cast<const MDevDescZEPHA*>(&device_);
    return zepha != nullptr && zepha->IsModelS();
}

int CDialogEditGlbModel::ProgramCount() const { return device_.GetProgramCount(); }

std::vector<std::string> CDialogEditGlbModel::TabTitles() const {
    if (global_ == nullptr) return {};
    std::vector<std::string> titles = {"Global", "MIDI", "Control Change Map"};
    if (IsModelS()) titles.emplace_back("Favorite Program");
    return titles;
}

void CDialogEditGlbModel::OnDevDescUpdatedProgram() {
    modified_ = true;
    if (IsFile()) saveEnabled_ = true;
}

void CDialogEditGlbModel::MarkClean() {
    modified_ = false;
    saveEnabled_ = false;
}

EditorEnd CDialogEditGlbModel::OnSaveToFile() {
    // Only a file is saved (the button is disabled for the device).
    if (global_ == nullptr || !IsFile()) return EditorEnd::kStayOpen;
    if (device_.SaveGlobalFile(index_, path_) != 0) {
        ShowError(glbtext::kCantOverwriteFile);
        return EditorEnd::kStayOpen;
    }
    MarkClean();
    return EditorEnd::kOk;
}

EditorEnd CDialogEditGlbModel::OnWriteToDevice() {
    if (global_ == nullptr) return EditorEnd::kStayOpen;
    if (!ui_.ConfirmWrite(velk::text::kWriteToDeviceQuestion, nullptr, &device_,
                          CDialogOverwriteModel::kGlobal))
        return EditorEnd::kStayOpen;
    // SendGlobal starts a new awaited transfer, which clears any changed flag
    // left by an earlier one: only this write's reply can confirm it.
    if (device_.SendGlobal(index_) != 0) {
        ShowError(glbtext::kCantOverwriteDevice);
        return EditorEnd::kStayOpen;
    }
    bool written = false;
    {
        CVelkProgressScope box(ui_, velk::text::kMidiTransfering);
        CDeviceWaitTarget target(device_);
        written = CVelkWaitLoop(ui_).Run(velkwait::kEditorWrite, target,
                                         [this] { return device_.TakeChanged() != 0; });
    }
    if (!written) {
        ShowError(glbtext::kCantOverwriteDevice);
        return EditorEnd::kStayOpen;
    }
    if (IsFile()) return EditorEnd::kStayOpen;
    MarkClean();
    return EditorEnd::kOk;
}

EditorEnd CDialogEditGlbModel::OnClose() {
    if (!modified_) return EditorEnd::kCancel;
    const char* question =
        IsFile() ? velk::text::kSaveChangesBeforeClosing : velk::text::kWriteChangesBeforeClosing;
    // The close questions carry no icon.
    switch (ui_.AskYesNoCancel(question, velk::text::kAppTitle, VelkIcon::kNone)) {
    case VelkAnswer::kYes: return IsFile() ? OnSaveToFile() : OnWriteToDevice();
    case VelkAnswer::kNo: return EditorEnd::kCancel;
    default: return EditorEnd::kStayOpen;
    }
}
