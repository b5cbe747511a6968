#include "uiservices/wx/CWxEventPump.h"

#include <algorithm>

#include <wx/app.h>
#include <wx/evtloop.h>

void CWxEventPump::PumpFor(std::chrono::milliseconds budget) {
    // A wait can run before the main loop does (while the application
    // starts): then a loop is made for the pass.
    wxEventLoopGuarantor ensureLoop;
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    auto now = clock_.Now();
    const auto deadline = now + budget;
    // At least one round, also when the thread got the processor back only
    // after the pass's time was over (a loaded machine): a pass that
    // dispatched nothing would leave the queued calls to the next pass, or,
    // in the last pass, to nobody.
    do {
        const auto left =
            std::max(std::chrono::ceil<std::chrono::milliseconds>(deadline - now), std::chrono::milliseconds(0));
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
        now = clock_.Now();
    } while (now < deadline);
}
