#pragma once
// A simulated synthesizer behind a raw MIDI device (such as the far side of
// a virtual raw MIDI port, /dev/snd/midiC0D0): what the program sends to
// the port arrives here as bytes, is framed into messages (running status
// understood, as a synth's MIDI input does) and goes to the synth; the
// synth's replies are written back at a cable's rate. When the device goes
// away (its card unplugged) the file is closed and the synth stops hearing.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <thread>

#include "platform/midi/MidiInputFramer.h"
#include "simulator/RawMidiFile.h"
#include "simulator/SimReplyPump.h"
#include "simulator/SimSynth.h"

// Puts back the status byte that running status leaves out, so the framer
// sees whole channel messages. System messages (F0-F7) end running status;
// real-time bytes pass through.
class SimRunningStatus {
public:
    void Expand(std::uint8_t byte, std::vector<std::uint8_t>& out);

private:
    std::uint8_t status_ = 0;  // the running channel status, 0 for none
    int missing_ = 0;          // data bytes its message still lacks
};

class SimSynthOnRawMidi {
public:
    SimSynthOnRawMidi(SimModel model, const std::string& device,
                      std::uint32_t bytesPerSecond = RawMidiFile::kCableBytesPerSecond);
    ~SimSynthOnRawMidi();
    SimSynthOnRawMidi(const SimSynthOnRawMidi&) = delete;
    SimSynthOnRawMidi& operator=(const SimSynthOnRawMidi&) = delete;

    // False when the device could not be opened or has gone away.
    bool IsOpen() const { return file_.IsOpen(); }
    // Why it is not open; empty while it is.
    std::string Error() const { return file_.Error(); }

    SimSynth& Synth() { return synth_; }
    // Bytes of replies written to the device, and bytes read from it, so far.
    std::size_t BytesSent() const { return sent_.load(); }
    std::size_t BytesReceived() const { return received_.load(); }

private:
    void ReadLoop();
    void Reply(const std::vector<std::uint8_t>& message);  // on the reply thread

    RawMidiFile file_;
    SimSynth synth_;
    std::uint32_t bytesPerSecond_;
    SimRunningStatus running_;          // reader thread only
    midiport::MidiInputFramer framer_;  // reader thread only
    std::atomic<bool> stop_{false};
    std::atomic<std::size_t> sent_{0};
    std::atomic<std::size_t> received_{0};
    SimReplyPump replies_;
    std::thread reader_;
};
