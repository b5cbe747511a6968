#include "editors/CDialogEditGlbModel.h"

#include "device/MDevDesc.h"
#include "device/MDevDescZEPHA.h"
#include "resources/VelkStrings.h"

namespace {

void ShowError(VelkPrompter& prompter, const char* text)
{
    prompter.ShowMessage(text, velk::text::kAppTitle, VelkIcon::kNone);
}

}  // namespace

CDialogEditGlbModel::CDialogEditGlbModel(MDevDesc& device, int index, std::filesystem::path path)
    : device_(device)
{
    if (index >= 0) {
        index_ = index;
        global_ = device_.GetGlobalCopy(index);
    } else if (!path.empty()) {
        path_ = std::move(path);
        global_ = device_.LoadGlobalFileToEdit(path_);
    }
}

void CDialogEditGlbModel::ReportOpenFailure(VelkPrompter& prompter) const
{
    ShowError(prompter, glbtext::kCantOpenFile);
}

std::string CDialogEditGlbModel::Caption() const
{
    std::string caption = velk::text::kGlobalEditorPrefix;
    if (index_ >= 0)
        caption += velk::text::kDevice;
    else
        caption += "\"" + path_.string() + "\"";
    return caption;
}

bool CDialogEditGlbModel::IsModelS() const
{
    const auto* zepha = dynamic_cast<const MDevDescZEPHA*>(&device_);
    return zepha != nullptr && zepha->IsModelS();
}

int CDialogEditGlbModel::ProgramCount() const { return device_.GetProgramCount(); }

std::vector<std::string> CDialogEditGlbModel::TabTitles() const
{
    if (global_ == nullptr)
        return {};
    std::vector<std::string> titles = {"Global", "MIDI", "Control Change Map"};
    if (IsModelS())
        titles.emplace_back("Favorite Program");
    return titles;
}

void CDialogEditGlbModel::OnDevDescUpdatedProgram()
{
    modified_ = true;
    if (IsFile())
        saveEnabled_ = true;
}

void CDialogEditGlbModel::MarkClean()
{
    modified_ = false;
    saveEnabled_ = false;
}

EditorEnd CDialogEditGlbModel::OnSaveToFile(EditorServices& services)
{
    // Only a file is saved (the button is disabled for the device).
    if (global_ == nullptr || !IsFile())
        return EditorEnd::kStayOpen;
    if (device_.SaveGlobalFile(index_, path_) != 0) {
        ShowError(services.prompter, glbtext::kCantOverwriteFile);
        return EditorEnd::kStayOpen;
    }
    MarkClean();
    return EditorEnd::kOk;
}

EditorEnd CDialogEditGlbModel::OnWriteToDevice(EditorServices& services)
{
    if (global_ == nullptr)
        return EditorEnd::kStayOpen;
    if (!services.confirmWrite())
        return EditorEnd::kStayOpen;
    // SendGlobal starts a new awaited transfer, which clears any changed flag
    // left by an earlier one: only this write's reply can confirm it.
    if (device_.SendGlobal(index_) != 0) {
        ShowError(services.prompter, glbtext::kCantOverwriteDevice);
        return EditorEnd::kStayOpen;
    }
    bool written = false;
    {
        CVelkProgressScope box(services.progress, velk::text::kMidiTransfering);
        written = services.wait.Run(velkwait::kEditorWrite, services.target,
                                    [this] { return device_.TakeChanged() != 0; });
    }
    if (!written) {
        ShowError(services.prompter, glbtext::kCantOverwriteDevice);
        return EditorEnd::kStayOpen;
    }
    if (IsFile())
        return EditorEnd::kStayOpen;
    MarkClean();
    return EditorEnd::kOk;
}

EditorEnd CDialogEditGlbModel::OnClose(EditorServices& services)
{
    if (!modified_)
        return EditorEnd::kCancel;
    const char* question =
        IsFile() ? velk::text::kSaveChangesBeforeClosing : velk::text::kWriteChangesBeforeClosing;
    // The close questions carry no icon.
    switch (services.prompter.AskYesNoCancel(question, velk::text::kAppTitle, VelkIcon::kNone)) {
    case VelkAnswer::kYes:
        return IsFile() ? OnSaveToFile(services) : OnWriteToDevice(services);
    case VelkAnswer::kNo:
        return EditorEnd::kCancel;
    default:
        return EditorEnd::kStayOpen;
    }
}
