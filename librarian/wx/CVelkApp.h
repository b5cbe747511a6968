#pragma once
// The application: one instance per user. A second start asks the running
// one to come to the front and ends with 0. The first takes the instance
// lock and listens for later starts, builds the session and the main
// window, shows it, and runs the device detection once the event loop runs
// (no loop exists in OnInit).

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <wx/app.h>
#include <wx/timer.h>

#include "librarian/VelkCommandLine.h"

class CVelkSession;
class VelkItemOpener;
namespace velkipc {
class InstanceLock;
class InstanceServer;
}  // namespace velkipc

class CVelkApp final : public wxApp {
public:
    // The options main() parsed; set before wxEntry.
    static void SetOptions(const VelkOptions& options);
    // Makes the editors the list opens (the editors' wx layer provides it;
    // the application library cannot depend on it). Set before wxEntry.
    using OpenerFactory = std::function<std::unique_ptr<VelkItemOpener>(CVelkSession&)>;
    static void SetItemOpenerFactory(OpenerFactory factory);

    CVelkApp();
    ~CVelkApp() override;

    bool OnInit() override;
    int OnRun() override;
    int OnExit() override;

private:
    // False when the running instance was asked to come to the front and
    // this start is to end.
    bool ClaimInstance();
    void StartUp();
    void ScheduleScreenshot(int delayMs);
    void SaveScreenshotAndQuit();

    VelkOptions options_;
    std::unique_ptr<velkipc::InstanceLock> lock_;
    std::unique_ptr<CVelkSession> session_;
    std::unique_ptr<velkipc::InstanceServer> server_;
    std::optional<int> exitCode_;  // set when the start ends without a loop
    std::vector<std::unique_ptr<wxTimer>> timers_;
    bool screenshotTaken_ = false;
};
