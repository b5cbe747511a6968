#pragma once
// How a start of the program finds out whether it is the user's first:
// it takes the lock in the private folder and, holding it, listens on the
// socket beside it at once. When another process holds the lock, that
// holder is asked on the socket to come to the front; a holder that does
// not answer within the timeout is no running instance (a process that
// inherited the lock, or one stopped or hung), and this start goes on as
// if alone, taking over the socket.

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/ipc/InstanceChannel.h"
#include "platform/ipc/InstanceLock.h"

namespace velkipc {

struct InstanceClaim {
    enum class Outcome {
        kFirst,           // the lock is ours: go on
        kRaisedTheFirst,  // the running instance answered: end this start
        kWithoutLock,     // the holder did not answer, or no lock could be had: go on
    };
    Outcome outcome = Outcome::kFirst;
    std::unique_ptr<InstanceLock> lock;      // with kFirst
    std::unique_ptr<InstanceServer> server;  // unless kRaisedTheFirst; null when it cannot listen
    std::vector<std::string> notes;          // what went wrong, for standard error
};

// `folder` from PrivateInstanceFolder. `onRaise` is the server's handler.
// While the lock is held, the holder is asked again until `answerTimeout`
// has passed (it may have taken the lock a moment ago and be about to
// listen).
InstanceClaim ClaimInstance(const std::string& folder, InstanceServer::Handler onRaise,
                            std::chrono::milliseconds answerTimeout);

}  // namespace velkipc
