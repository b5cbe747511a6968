#pragma once
// The progress box shown while a transfer waits for the synthesizer: a
// spinner under the title "MIDI Transfering ...". The user cannot close
// it (no close box, Escape and window-manager close are refused) nor
// minimise it, and every other top-level window is disabled while it shows.
// The caller's waiting loop pumps the events; the box has no timer of its
// own. CWxUiServices shows it over the window in front.

#include <memory>
#include <string>

class wxDialog;
class wxIconizeEvent;
class wxTopLevelWindow;
class wxWindow;
class wxWindowDisabler;

class CDialogAnimate final {
public:
    static constexpr int kIdAnimation = 1001;

    // `parent`: the main window or an editor. Nothing is shown yet.
    explicit CDialogAnimate(wxWindow* parent);
    ~CDialogAnimate();
    CDialogAnimate(const CDialogAnimate&) = delete;
    CDialogAnimate& operator=(const CDialogAnimate&) = delete;

    // Shows the box centred over the parent, the spinner running. An empty
    // caption keeps the title "MIDI Transfering ...". Showing a shown box
    // only changes its title.
    void Show(const std::string& caption);
    // Stops the spinner, enables the other windows again, destroys the box.
    void Close();

    // The box while it is shown, else null.
    wxDialog* GetDialog() const { return box_; }

private:
    // A window manager may minimise the box even so (openbox takes the main
    // window along, so the whole program would vanish until the transfer
    // ends): the box and its window are restored at once.
    void OnIconize(wxIconizeEvent& event);
    void Restore();

    wxWindow* parent_;
    wxTopLevelWindow* parentTop_ = nullptr;  // watched while the box shows
    wxDialog* box_ = nullptr;                // destroyed through wx
    std::unique_ptr<wxWindowDisabler> disabler_;
    bool restoring_ = false;
    // Expires with the box object: a restore queued by then does nothing.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};
