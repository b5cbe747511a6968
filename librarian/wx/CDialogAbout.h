#pragma once
// The About box: the program's icon, name and version, one OK button.

#include <wx/dialog.h>

class CDialogAbout final : public wxDialog {
public:
    explicit CDialogAbout(wxWindow* parent);
};
