#include "librarian/wx/CWxOverwriteAsker.h"

#include "uiservices/wx/CDialogOverwrite.h"

bool CWxOverwriteAsker::Ask(const std::string& caption, int* target, const MDevDesc* device,
                            int targetKind) {
    CDialogOverwrite dialog(caption, target, device, targetKind, parent_ ? parent_() : nullptr);
    return dialog.ShowModal() == wxID_OK;
}
