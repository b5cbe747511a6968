#include "platform/ipc/InstanceClaim.h"

#include <algorithm>
#include <thread>
#include <utility>

namespace velkipc {

namespace {

constexpr std::chrono::milliseconds kRetryPause{50};

void Listen(InstanceClaim& claim, const std::string& socketPath, InstanceServer::Handler onRaise) {
    std::string error;
    claim.server = InstanceServer::Open(socketPath, std::move(onRaise), &error);
    if (!claim.server) claim.notes.push_back(error + "; a later start cannot bring this one to the front");
}

}  // namespace

InstanceClaim ClaimInstance(const std::string& folder, InstanceServer::Handler onRaise,
                            std::chrono::milliseconds answerTimeout) {
    InstanceClaim claim;
    const std::string socketPath = InstanceSocketPath(folder.c_str());
    const auto deadline = std::chrono::steady_clock::now() + answerTimeout;
    for (;;) {
        InstanceLock::Result result;
        std::string error;
        claim.lock = InstanceLock::TryTake(folder, result, &error);
        if (result == InstanceLock::Result::kTaken) {
            claim.outcome = InstanceClaim::Outcome::kFirst;
            Listen(claim, socketPath, std::move(onRaise));
            return claim;
        }
        if (result == InstanceLock::Result::kFailed) {
            claim.notes.push_back(error + "; more than one instance may run");
            claim.outcome = InstanceClaim::Outcome::kWithoutLock;
            Listen(claim, socketPath, std::move(onRaise));
            return claim;
        }
        // Rounded up: a wait cut to whole milliseconds below the time left
        // would give up before the deadline.
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left <= std::chrono::milliseconds::zero()) break;
        if (AskToRaise(socketPath, left)) {
            claim.outcome = InstanceClaim::Outcome::kRaisedTheFirst;
            return claim;
        }
        std::this_thread::sleep_for(std::min(kRetryPause, left));
    }
    claim.notes.push_back("the instance lock is held by a process that does not answer; starting anyway");
    claim.outcome = InstanceClaim::Outcome::kWithoutLock;
    Listen(claim, socketPath, std::move(onRaise));
    return claim;
}

}  // namespace velkipc
