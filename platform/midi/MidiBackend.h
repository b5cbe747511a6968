#pragma once
// A source of MIDI ports: the ALSA sequencer or the in-process loopback.
// The layer has no input thread of its own: what the inputs receive waits
// (in the kernel's queue, or the loopback's) until the program's MIDI thread
// reads it through ReadInput.

#include <memory>
#include <string>
#include <vector>

#include "platform/midi/MidiClock.h"
#include "platform/midi/MidiInPort.h"
#include "platform/midi/MidiNotice.h"
#include "platform/midi/MidiOutPort.h"
#include "platform/midi/MidiPortInfo.h"

namespace midiport {

class MidiBackend {
public:
    virtual ~MidiBackend() = default;

    // The current port lists: the ports a synth can be reached through, in
    // the platform's order; an id is an index into them. A backend that
    // watches for hot-plug resolves an id against the list it last handed
    // out, by the port's name, and refuses it when that port is no longer
    // there.
    virtual std::vector<MidiPortInfo> Inputs() = 0;
    virtual std::vector<MidiPortInfo> Outputs() = 0;
    // The name of port `id` of the list handed out last (the one ids refer
    // to), without listing again; empty for no such port.
    virtual std::string InputName(int id) = 0;
    virtual std::string OutputName(int id) = 0;

    // Opens input `id` with the handler that receives its messages.
    // 0, or kOpenRefused (also for -1 and any id out of range); `port` is
    // set only on success.
    virtual int OpenIn(int id, MidiInHandler handler, std::unique_ptr<MidiInPort>& port) = 0;
    // Opens output `id`: 0 or kOpenRefused.
    virtual int OpenOut(int id, std::unique_ptr<MidiOutPort>& port) = 0;

    // Reads the inputs on the calling thread until `stop` is cancelled and
    // WakeInput called: takes what the open inputs received, frames it and
    // hands each whole message to its input's handler, and hears the news
    // of the ports (see MidiNotice). One thread reads at a time (a second
    // call waits for the first to return); end it before the backend goes.
    virtual void ReadInput(MidiCancel& stop) = 0;
    // Makes a ReadInput that waits look at its stop flag. Any thread.
    virtual void WakeInput() = 0;

    // Where notices go (see MidiNotice); a backend without any ignores it.
    virtual void SetNoticeHandler(MidiNoticeHandler handler) { (void)handler; }
};

}  // namespace midiport
