#pragma once

#include <cstdint>
#include <span>

#include "midifile/MidSmfReader.h"
#include "midifile/MidSmfTrkEditor.h"

// Builds a Standard MIDI File as one event list per track and writes it
// (through MFile::Save); can also parse a file into such lists.
class MidSmfEditor : public MidSmfReader {
public:
    static constexpr int kDefaultDivision = 480;

    // Creates the track editors; division 480, no tracks, both options on.
    MidSmfEditor();
    ~MidSmfEditor() override = default;

    // Creates a track editor for every empty entry: 0, or 15.
    int Initialize() override;
    // Parses, then loads every parsed track into its list.
    int Parse(std::span<const int> formats = {}, std::span<const int> divisions = {},
              int argument = 0) override;
    // The header chunk, then every added track: 0, or -1 on any failure.
    int WriteContents(MFileSink& sink, int argument) override;

    // The next track's index (format 1 from the second track on), or -1 when
    // 64 tracks exist or memory runs out.
    int AddTrack();
    MidSmfTrkEditor* GetTrackEditor(int index) const;

    // Omit a channel status equal to the previous one.
    void SetRunningStatus(bool on) { runningStatus_ = on; }
    // Write note off 8n kk vv as note on 9n kk 00.
    void SetNoteOffAsNoteOn(bool on) { noteOffAsNoteOn_ = on; }

private:
    bool runningStatus_ = true;
    bool noteOffAsNoteOn_ = true;
};
