#pragma once
// Where an editor puts the keyboard focus once it is set up, as a dialog
// does when it opens: on its first control in tab order that takes the
// focus. Setting its pages up may have moved the focus elsewhere (into a
// value edit, where the first key typed would change a value).

class wxWindow;

// The first direct child of `dialog`, in tab order, that is shown, enabled
// and takes the focus, gets it. Nothing when there is none.
void FocusFirstControl(wxWindow& dialog);
