#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "midifile/MidSmfEvent.h"

class MidSmfReader;

// Reads one track chunk of a Standard MIDI File in place: a cursor over the
// chunk's bytes, the absolute tick of the event at the cursor and the running
// status. Every read is bounded by the chunk; decoding errors are reported to
// the owning reader's OnError before they are returned.
class MidSmfTrkReader {
public:
    static constexpr std::uint32_t kNoTick = 0xFFFFFFFF;
    static constexpr std::uint32_t kLastTick = 0xFFFFFFFE;
    static constexpr std::uint32_t kDataLimit = 0x20000;
    static constexpr std::size_t kNameMax = 127;

    explicit MidSmfTrkReader(MidSmfReader* owner = nullptr);
    virtual ~MidSmfTrkReader() = default;
    MidSmfTrkReader(const MidSmfTrkReader&) = delete;
    MidSmfTrkReader& operator=(const MidSmfTrkReader&) = delete;

    // Forgets the chunk; tick kNoTick, name "untitled".
    virtual void Reset();
    // Reads the chunk at `cursor` in `file`, checks the whole track and moves
    // the cursor past the chunk. 0 or an error code.
    virtual int ReadChunk(int trackIndex, std::span<const std::uint8_t> file, std::size_t& cursor);
    // Back to the first event: 0, or 30/46 for a bad first delta time.
    virtual int Rewind();
    virtual void SetEnd() { end_ = true; }
    virtual bool IsEnd() const { return end_; }
    // Decodes the event at the cursor into `event`, all fields but the tick.
    virtual int GetEvent(MidSmfEvent& event);
    // Steps over the event at the cursor and adds the next delta time.
    virtual int Next();

    // Decodes a variable-length quantity at the start of `bytes`: the bytes
    // used (1-4); 0 when four bytes all have bit 7 set; -1 when the bytes end
    // before the quantity does.
    static int ReadVarLen(std::span<const std::uint8_t> bytes, std::uint32_t& value);

    std::uint32_t GetTick() const { return tick_; }
    int GetTrackIndex() const { return trackIndex_; }
    std::uint8_t GetRunningStatus() const { return runningStatus_; }
    const std::string& GetName() const { return name_; }
    bool HasChunk() const { return hasChunk_; }
    // Drops the view of the file's bytes (the buffer is going away).
    void ForgetChunk();

protected:
    void SetTick(std::uint32_t tick) { tick_ = tick; }
    void SetTrackIndex(int index) { trackIndex_ = index; }
    std::uint8_t GetTag1() const { return tag1_; }
    std::uint8_t GetTag2() const { return tag2_; }
    // Reports `code` to the owner's OnError and returns it.
    int Fail(int code, const std::uint8_t* at);

private:
    int AddDelta();
    int Decode(MidSmfEvent& event);
    int ScanInto(std::string& name);

    MidSmfReader* owner_;
    std::span<const std::uint8_t> chunk_;
    bool hasChunk_ = false;
    std::size_t cursor_ = 0;
    std::uint32_t tick_ = kNoTick;
    std::uint8_t tag1_ = 0x20;
    std::uint8_t tag2_ = 0xFF;
    std::uint8_t runningStatus_ = 0;
    int trackIndex_ = 0;
    bool end_ = false;
    std::string name_ = "untitled";
    // The event decoded at the cursor: its raw status and where it ends.
    bool decoded_ = false;
    std::uint8_t decodedStatus_ = 0;
    std::size_t decodedEnd_ = 0;
};
