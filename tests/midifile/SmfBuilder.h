#pragma once

// Test-side builder of Standard MIDI File bytes, independent of the writer.

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <vector>

#include "midifile/MidSmfEvent.h"
#include "midifile/MidSmfReader.h"

using Bytes = std::vector<std::uint8_t>;

inline Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline Bytes Be32(std::uint32_t v) {
    return {std::uint8_t(v >> 24), std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)};
}

inline Bytes Be16(unsigned v) { return {std::uint8_t(v >> 8), std::uint8_t(v)}; }

// "MThd", its length and format, track count, division (plus padding bytes
// when the length is above 6).
inline Bytes Header(unsigned format, unsigned tracks, unsigned division, std::uint32_t length = 6) {
    Bytes out = Cat({{'M', 'T', 'h', 'd'}, Be32(length), Be16(format), Be16(tracks), Be16(division)});
    if (length > 6) out.resize(out.size() + (length - 6), 0);
    return out;
}

// "MTrk", the body's length, the body.
inline Bytes Track(const Bytes& body) {
    return Cat({{'M', 'T', 'r', 'k'}, Be32(std::uint32_t(body.size())), body});
}

inline const Bytes kEndOfTrack = {0x00, 0xFF, 0x2F, 0x00};

// A format 0 file of one track holding `body` and the end of track.
inline Bytes OneTrackFile(const Bytes& body, unsigned division = 480) {
    return Cat({Header(0, 1, division), Track(Cat({body, kEndOfTrack}))});
}

// The dump files' shape: one system exclusive event at tick 0.
inline Bytes OneSysExFile(const Bytes& sysexData) {
    Bytes body = {0x00, 0xF0, std::uint8_t(sysexData.size())};
    body.insert(body.end(), sysexData.begin(), sysexData.end());
    return OneTrackFile(body);
}

// One event as the hooks saw it, data copied.
struct SeenEvent {
    std::uint32_t tick;
    std::uint8_t status;
    Bytes data;
    int track;
    bool chase;
    bool operator==(const SeenEvent&) const = default;
};

// Readable in a failed expectation.
inline void PrintTo(const SeenEvent& e, std::ostream* os) {
    *os << "{tick " << e.tick << ", status 0x" << std::hex << int{e.status} << std::dec << ", "
        << e.data.size() << " bytes, track " << e.track << (e.chase ? ", chase}" : "}");
}

// A reader that records its hooks; clock events can be left out of the record.
class RecordingReader : public MidSmfReader {
public:
    RecordingReader() { Initialize(); }
    int OnEvent(const MidSmfEvent& e) override { return Record(e, false); }
    int OnChaseEvent(const MidSmfEvent& e) override { return Record(e, true); }
    int OnError(int code, const int* track, const std::uint8_t*) override {
        errors.push_back(code);
        errorTracks.push_back(track ? *track : -1);
        return 0;
    }
    int Load(const Bytes& file) {
        bytes = file;
        bytes.reserve(1);  // an attached empty buffer still needs an address
        return Attach({bytes.data(), bytes.size()});
    }
    std::vector<SeenEvent> NonClock() const {
        std::vector<SeenEvent> out;
        for (const auto& e : events)
            if (e.status != MidSmfEvent::kStatusClock) out.push_back(e);
        return out;
    }
    std::vector<std::uint32_t> ClockTicks() const {
        std::vector<std::uint32_t> out;
        for (const auto& e : events)
            if (e.status == MidSmfEvent::kStatusClock) out.push_back(e.tick);
        return out;
    }

    Bytes bytes;
    std::vector<SeenEvent> events;
    std::vector<int> errors;
    std::vector<int> errorTracks;
    int stopAfter = -1;  // nonzero result after this many events

private:
    int Record(const MidSmfEvent& e, bool chase) {
        events.push_back({e.tick, e.status, Bytes(e.Data().begin(), e.Data().end()), e.track, chase});
        if (stopAfter >= 0 && int(events.size()) >= stopAfter) return 99;
        return 0;
    }
};
