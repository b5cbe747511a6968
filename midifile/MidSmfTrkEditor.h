#pragma once

#include <cstdint>
#include <list>
#include <span>

#include "midifile/MFileSink.h"
#include "midifile/MidSmfEventNode.h"
#include "midifile/MidSmfTrkReader.h"

// A track held as a time-ordered list of owned events, which it plays like a
// track reader and writes as a track chunk.
class MidSmfTrkEditor : public MidSmfTrkReader {
public:
    static constexpr std::uint32_t kMaxVarLen = 0x0FFFFFFF;

    explicit MidSmfTrkEditor(MidSmfReader* owner = nullptr) : MidSmfTrkReader(owner) {}

    // Deletes every node, then forgets the chunk.
    void Reset() override;
    // Back to the first node (an empty list counts as ended).
    int Rewind() override;
    // Copies the node at the cursor, tick included.
    int GetEvent(MidSmfEvent& event) override;
    // To the next node; past the last one the track ends.
    int Next() override;
    // Replaces the list with the events of another track (rewound before and
    // after) up to its end of track: 0, -1 on a decoding error, 11.
    virtual int CopyFrom(MidSmfTrkReader& other);
    // Replaces the list with the events of this track's own chunk: 0, -1 on a
    // decoding error, 11.
    virtual int LoadEvents();

    // The end of track (meta 0x2F) stays the last node: a node added after it
    // is linked before it, and its tick follows the latest event.
    //
    // A node of `length` zero bytes at the tail (no ordering): 0 or 11.
    int AppendEvent(std::uint32_t length, MidSmfEventNode*& node);
    // A node placed after every node whose tick is at most `tick`: 0 or 11.
    int InsertEvent(std::uint32_t tick, std::uint32_t length, MidSmfEventNode*& node);
    // A system exclusive event; `data` are the bytes after F0, F7 included.
    int InsertSysEx(std::uint32_t tick, std::span<const std::uint8_t> data, std::uint8_t tag = 0xFF);

    // Writes a variable-length quantity (at most kMaxVarLen): 0, 5, or -1.
    static int WriteVarLen(std::uint32_t value, MFileSink& sink);
    // Writes the track chunk, adding the end of track when it is missing. 0;
    // 5 on a short write; 11 out of memory; -1 when a node cannot be written
    // as a valid event or an end of track stands before the last node
    // (nothing is written then).
    int WriteChunk(MFileSink& sink, bool runningStatus, bool noteOffAsNoteOn);

    using MidSmfTrkReader::SetTrackIndex;
    const std::list<MidSmfEventNode>& GetNodes() const { return nodes_; }
    std::size_t GetNodeCount() const { return nodes_.size(); }

private:
    bool EndsWithEndOfTrack() const;
    // Where the tail is: before a trailing end of track, else the list's end.
    std::list<MidSmfEventNode>::iterator Tail();
    int Link(std::list<MidSmfEventNode>::iterator position, std::uint32_t tick, std::uint32_t length,
             MidSmfEventNode*& node);
    int CopyEvents(MidSmfTrkReader& source, bool ownChunk);
    int Encode(std::vector<std::uint8_t>& body, bool runningStatus, bool noteOffAsNoteOn) const;

    std::list<MidSmfEventNode> nodes_;
    std::list<MidSmfEventNode>::iterator current_ = nodes_.end();
};
