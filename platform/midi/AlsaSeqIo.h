#pragma once
// The few calls the ALSA backend makes on the sequencer, behind a small
// interface: the libasound implementation (OpenAlsaSeq) for the program, a
// fake for tests. Everything around these calls (port lists, opening by
// name, event conversion, pacing, retries, hot-plug, error recovery) lives
// in the backend and runs against either. Implementations are safe to call
// from any thread.

#include <alsa/asoundlib.h>

#include <memory>
#include <string>
#include <vector>

namespace midiport {

// One port of some client, as the sequencer describes it.
struct AlsaSeqPort {
    int client = 0;
    int port = 0;
    std::string clientName;
    std::string portName;
    unsigned capability = 0;  // SND_SEQ_PORT_CAP_*
    unsigned type = 0;        // SND_SEQ_PORT_TYPE_*
};

enum class AlsaWait {
    Ready,        // input may be waiting
    Woken,        // Wake was called: the reader looks at its stop flag
    Failed,       // the wait itself failed; `error` holds the errno
    DeviceError,  // the sequencer signalled an error condition (POLLERR, POLLHUP, POLLNVAL)
};

struct AlsaWaitResult {
    AlsaWait what = AlsaWait::Ready;
    int error = 0;
};

class AlsaSeqIo {
public:
    virtual ~AlsaSeqIo() = default;

    virtual int ClientId() = 0;
    // Every port of every client, this one's included.
    virtual std::vector<AlsaSeqPort> Ports() = 0;
    // Creates a port of this client: its number, or a negative errno.
    virtual int CreatePort(const char* name, unsigned capability, unsigned type) = 0;
    virtual int DeletePort(int own) = 0;
    // Subscribes port `own` to what client:port sends / subscribes
    // client:port to what `own` sends: 0 or a negative errno.
    virtual int ConnectFrom(int own, int client, int port) = 0;
    virtual int ConnectTo(int own, int client, int port) = 0;
    // Puts one event out at once: >= 0, or a negative errno (-EAGAIN while
    // the receiver's pool is full).
    virtual int Output(snd_seq_event_t& event) = 0;
    // Takes the next received event: >= 0 with `event` set (valid until the
    // next call), -EAGAIN when there is none, -ENOSPC after input was lost
    // to an overrun, another negative errno on failure. One reader only.
    virtual int Input(snd_seq_event_t*& event) = 0;
    // Blocks until input may be waiting or Wake was called.
    virtual AlsaWaitResult Wait() = 0;
    // Makes the current Wait, or the next one when none waits, return Woken
    // (once, however often it was called in between).
    virtual void Wake() = 0;
    // Prepares the next Wait after a failed one (fetches its descriptors
    // again).
    virtual void Recover() = 0;
};

// The sequencer of this machine as client `clientName`; null where there is
// none (no /dev/snd/seq) or it cannot be opened.
std::unique_ptr<AlsaSeqIo> OpenAlsaSeq(const char* clientName);

}  // namespace midiport
