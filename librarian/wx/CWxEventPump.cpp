#include "librarian/wx/CWxEventPump.h"

#include <wx/app.h>
#include <wx/evtloop.h>

void CWxEventPump::PumpFor(std::chrono::milliseconds budget) {
    // A wait can run before the main loop does (while the application
    // starts): then a loop is made for the pass.
    wxEventLoopGuarantor ensureLoop;
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    const auto deadline = clock_.Now() + budget;
    for (auto now = clock_.Now(); now < deadline; now = clock_.Now()) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
        // 0: the loop is asked to end; it then dispatches nothing, so the
        // pass is slept out rather than spun.
        if (!loop || loop->DispatchTimeout(static_cast<unsigned long>(left.count())) == 0)
            clock_.SleepFor(left);
        if (wxTheApp) wxTheApp->ProcessPendingEvents();
    }
}
