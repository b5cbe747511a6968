#pragma once
// The program's user-interface services on wx. Message boxes, the write
// confirmation (CDialogOverwrite) and the progress box (CDialogAnimate) open
// over the window in front when they come up: the innermost modal dialog
// shown (an editor, the port dialog), else the main window; so the same
// services serve the document and an open editor. Timers are wxTimers,
// posted tasks go through wxApp::CallAfter, and a pass of the event loop
// dispatches wx's events for its time on the steady clock.

#include <functional>
#include <memory>

#include "uiservices/VelkUiServices.h"

class CDialogAnimate;
class wxDialog;
class wxWindow;

class CWxUiServices final : public VelkUiServices {
public:
    // How messages and questions reach the user: as boxes, or, for a run
    // that only takes a picture (nobody there to answer them), as lines on
    // standard error, the questions getting the cautious answer (No,
    // Cancel).
    enum class Boxes { kShown, kOnStandardError };

    // `mainWindow` names the main window (null before there is one); it is
    // asked at each box.
    explicit CWxUiServices(std::function<wxWindow*()> mainWindow, Boxes boxes = Boxes::kShown);
    ~CWxUiServices() override;
    CWxUiServices(const CWxUiServices&) = delete;
    CWxUiServices& operator=(const CWxUiServices&) = delete;

    void ShowMessage(const std::string& text, const std::string& caption, VelkIcon icon) override;
    VelkAnswer AskYesNo(const std::string& text, const std::string& caption, VelkIcon icon) override;
    VelkAnswer AskYesNoCancel(const std::string& text, const std::string& caption, VelkIcon icon) override;
    bool ConfirmWrite(const std::string& caption, int* target, const MDevDesc* device,
                      int targetKind) override;
    void ShowProgress(const std::string& caption) override;
    void CloseProgress() override;
    std::unique_ptr<VelkTimer> CreateTimer(std::function<void()> onFire) override;
    void Post(Task task) override;
    void PumpFor(std::chrono::milliseconds budget) override;
    time_point Now() const override;
    void SleepFor(std::chrono::milliseconds span) override;

    // The window a box opens over now.
    wxWindow* BoxParent() const;
    // The innermost modal dialog shown (the last one opened), else null.
    static wxDialog* InnermostModal();
    // The progress box while it shows, else null.
    wxDialog* GetProgressBox() const;

private:
    int RunBox(const std::string& text, const std::string& caption, long style);

    std::function<wxWindow*()> mainWindow_;
    Boxes boxes_;
    std::unique_ptr<CDialogAnimate> progress_;
};
