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
  virtual void SetEnd() { m_end = true; }
  virtual bool IsEnd() const { return m_end; }
  // Decodes the event at the cursor into `event`, all fields but the tick.
  virtual int GetEvent(MidSmfEvent& event);
  // Steps over the event at the cursor and adds the next delta time.
  virtual int Next();

  // Decodes a variable-length quantity at the start of `bytes`: the bytes
  // used (1-4); 0 when four bytes all have bit 7 set; -1 when the bytes end
  // before the quantity does.
  static int ReadVarLen(std::span<const std::uint8_t> bytes, std::uint32_t& value);

  std::uint32_t GetTick() const { return m_tick; }
  int GetTrackIndex() const { return m_trackIndex; }
  std::uint8_t GetRunningStatus() const { return m_runningStatus; }
  const std::string& GetName() const { return m_name; }
  bool HasChunk() const { return m_hasChunk; }
  // Drops the view of the file's bytes (the buffer is going away).
  void ForgetChunk();

protected:
  void SetTick(std::uint32_t tick) { m_tick = tick; }
  void SetTrackIndex(int index) { m_trackIndex = index; }
  std::uint8_t GetTag1() const { return m_tag1; }
  std::uint8_t GetTag2() const { return m_tag2; }
  // Reports `code` to the owner's OnError and returns it.
  int Fail(int code, const std::uint8_t* at);

private:
  int AddDelta();
  int Decode(MidSmfEvent& event);
  int ScanInto(std::string& name);

  MidSmfReader* m_owner;
  std::span<const std::uint8_t> m_chunk;
  bool m_hasChunk = false;
  std::size_t m_cursor = 0;
  std::uint32_t m_tick = kNoTick;
  std::uint8_t m_tag1 = 0x20;
  std::uint8_t m_tag2 = 0xFF;
  std::uint8_t m_runningStatus = 0;
  int m_trackIndex = 0;
  bool m_end = false;
  std::string m_name = "untitled";
  // The event decoded at the cursor: its raw status and where it ends.
  bool m_decoded = false;
  std::uint8_t m_decodedStatus = 0;
  std::size_t m_decodedEnd = 0;
};
