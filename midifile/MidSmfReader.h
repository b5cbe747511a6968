#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "midifile/MFileMem.h"
#include "midifile/MidSmfEvent.h"
#include "midifile/MidSmfTrkReader.h"

// Parses a Standard MIDI File held in memory and plays its tracks merged in
// time order through the hooks below. Hooks return 0 to go on; a nonzero
// result ends the operation with it.
class MidSmfReader : public MFileMem {
public:
    static constexpr int kMaxTracks = 64;
    // Play results besides a hook's own.
    static constexpr int kPlayTrackError = 1;
    static constexpr int kPlayEnded = 3;

    MidSmfReader() = default;
    ~MidSmfReader() override = default;

    // Forgets the parsed tracks with the buffer they point into.
    void Free() override;

    // Creates a track reader for every empty entry: 0, or 45.
    virtual int Initialize();
    // Checks the header and reads every declared track chunk. An empty list
    // accepts any format or division. 0 or an error code (21-46).
    virtual int Parse(std::span<const int> formats = {}, std::span<const int> divisions = {},
                      int argument = 0);
    // Plays from startTick: events before it go to OnChaseEvent, the rest to
    // OnEvent, with a clock event every division/24 ticks unless clock events
    // are off. 3 when every track ended, 1 on a decoding error, else a hook's
    // nonzero result.
    int Play(std::uint32_t startTick);

    virtual int OnChaseEvent(const MidSmfEvent& event);
    virtual int OnEvent(const MidSmfEvent& event);
    // Every error of Parse and Play (but 44 and 45) is reported here first;
    // `track` is the track's index or null, `at` the offending event or null.
    virtual int OnError(int code, const int* track, const std::uint8_t* at);
    virtual int OnTrackLoaded(MidSmfTrkReader& track, int argument);
    // Marks the track ended; nonzero when no track is left playing.
    virtual int OnTrackEnd(int trackIndex);

    // Clock events are on by default; with them off, playing takes time in
    // proportion to the file's size whatever its ticks.
    void SetClockEvents(bool on) { clockEvents_ = on; }
    bool GetClockEvents() const { return clockEvents_; }

    int GetFormat() const { return format_; }
    int GetTrackCount() const { return trackCount_; }
    int GetDivision() const { return division_; }
    int GetTracksParsed() const { return tracksParsed_; }
    int GetTracksPlaying() const { return tracksPlaying_; }
    MidSmfTrkReader* GetTrack(int index) const;

protected:
    std::unique_ptr<MidSmfTrkReader>& TrackSlot(int index) {
        return tracks_.at(static_cast<std::size_t>(index));
    }
    void SetFormat(int format) { format_ = format; }
    void SetTrackCount(int count) { trackCount_ = count; }
    void SetDivision(int division) { division_ = division; }

private:
    int Report(int code) {
        OnError(code, nullptr, nullptr);
        return code;
    }
    int ParseHeader(std::span<const int> formats, std::span<const int> divisions, std::size_t& cursor);
    std::optional<std::uint32_t> CurrentTick() const;
    int PlayClocks(std::uint32_t currentTick, bool chase);
    // Runs the chase phase (events before startTick) or the play phase.
    int PlayPhase(bool chase, std::uint32_t startTick);

    std::array<std::unique_ptr<MidSmfTrkReader>, kMaxTracks> tracks_;
    int format_ = 0;
    int trackCount_ = 0;
    int division_ = 0;
    int tracksParsed_ = 0;
    int tracksPlaying_ = 0;
    std::uint32_t startTick_ = 0;
    std::uint64_t nextClock_ = 0;
    bool clockEvents_ = true;
};
