#pragma once
// A push button that holds one of two states: state 0 shows text B ("On")
// pushed in, a nonzero state shows text A ("Off") raised. A click that
// reaches the focused button toggles it and is then passed to the parent as
// wxEVT_BUTTON (so the parent sees the new state). The button is drawn with
// the native renderer rather than being a GTK toggle button, whose natural
// size (about 80 x 34 px) does not fit the pages' 21 x 14 dialog units.

#include <optional>
#include <string>

#include <wx/control.h>

#include "controls/C2StateButtonModel.h"

class C2StateButton : public wxControl {
public:
    C2StateButton(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size);
    ~C2StateButton() override;

    // Each text that is given replaces the stored one. No event.
    void SetState(int state, std::optional<std::string> textA = std::nullopt,
                  std::optional<std::string> textB = std::nullopt);
    int State() const { return model_.State(); }
    std::string Text() const { return model_.Text(); }
    // Whether it shows the pushed look now.
    bool LooksPushed() const { return model_.Pushed() || heldDown_; }

    // A click from code: toggles only while the button has the focus.
    void Command(wxCommandEvent& event) override;

protected:
    wxSize DoGetBestSize() const override;

private:
    void Click(bool hasFocus);
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnKeyUp(wxKeyEvent& event);
    void OnFocus(wxFocusEvent& event);

    C2StateButtonModel model_;
    bool heldDown_ = false;  // left button pressed on the button and not yet released
};
