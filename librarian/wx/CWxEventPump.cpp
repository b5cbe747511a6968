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
        // Blocks until something happens or the pass is over. 0: the loop
        // is asked to end and dispatches nothing, so the pass is slept out
        // rather than spun.
        if (!loop || loop->DispatchTimeout(static_cast<unsigned long>(left.count())) == 0)
            clock_.SleepFor(left);
        // DispatchTimeout runs one source at most; a yield runs the rest that
        // is ready (GTK's drawing among it: without it a box shown just
        // before the wait stays unpainted), wx's pending events (CallAfter,
        // queued thread events) and idle time. Not from inside a yield: a
        // wait started by an event that a yield dispatched only waits.
        if (loop && !loop->IsYielding()) loop->YieldFor(wxEVT_CATEGORY_ALL);
    }
}
