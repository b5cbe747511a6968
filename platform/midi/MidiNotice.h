#pragma once
// What a backend tells its owner outside the call that caused it: the port
// lists changed, an open port lost its far side, a message already accepted
// by an output could not be sent, received input was lost, input broke down
// or came back.

#include <functional>
#include <string>

namespace midiport {

enum class MidiNoticeKind {
    PortsChanged,    // a port appeared, went away or was renamed: list again
    PortGone,        // an open port's far side went away (code kPortGone)
    SendFailed,      // a queued message did not go out whole (code kSendRefused or kPortGone)
    InputOverrun,    // received messages were lost (the reader fell behind); the
                     // message under way on each open input is dropped
    InputFailed,     // the reading thread cannot wait for input; it retries
    InputRecovered,  // input works again after an InputFailed
};

struct MidiNotice {
    MidiNoticeKind kind = MidiNoticeKind::PortsChanged;
    int code = 0;      // a MidiResult code, 0 where none applies
    std::string port;  // the name of the port concerned, empty for the lists
    std::string text;  // one line that says what happened, for the log
};

// Called with no lock of the layer held, on the thread that reads the inputs
// (MidiBackend::ReadInput) or on an output's writer thread; it should return
// quickly and leave closing ports to another thread (a SendFailed notice
// runs on the writer thread of the output concerned, which closing that
// output would wait for).
using MidiNoticeHandler = std::function<void(const MidiNotice& notice)>;

}  // namespace midiport
