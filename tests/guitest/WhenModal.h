#pragma once
// Runs an action on the modal dialog a test is about to open: the call is
// queued, so it runs once that dialog's loop runs.

#include <gtest/gtest.h>

#include <functional>

#include <wx/app.h>
#include <wx/dialog.h>

namespace guitest {

inline void WhenModal(std::function<void(wxDialog&)> action) {
    wxTheApp->CallAfter([action] {
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* dialog = dynamic_cast<wxDialog*>(window); dialog && dialog->IsModal()) {
                action(*dialog);
                return;
            }
        ADD_FAILURE() << "no modal dialog";
    });
}

}  // namespace guitest
