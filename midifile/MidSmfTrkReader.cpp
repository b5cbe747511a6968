#include "midifile/MidSmfTrkReader.h"

#include <algorithm>
#include <cstring>

#include "midifile/MErrorCode.h"
#include "midifile/MidSmfReader.h"

MidSmfTrkReader::MidSmfTrkReader(MidSmfReader* owner) : m_owner(owner) {}

void MidSmfTrkReader::Reset() {
  m_chunk = {};
  m_hasChunk = false;
  m_cursor = 0;
  m_tick = kNoTick;
  m_runningStatus = 0;
  m_trackIndex = 0;
  m_end = false;
  m_tag1 = 0x20;
  m_tag2 = 0xFF;
  m_name = "untitled";
  m_decoded = false;
}

void MidSmfTrkReader::ForgetChunk() {
  m_chunk = {};
  m_hasChunk = false;
  m_cursor = 0;
  m_decoded = false;
}

int MidSmfTrkReader::Fail(int code, const std::uint8_t* at) {
  if (m_owner != nullptr) m_owner->OnError(code, &m_trackIndex, at);
  return code;
}

int MidSmfTrkReader::ReadVarLen(std::span<const std::uint8_t> bytes, std::uint32_t& value) {
  std::uint32_t result = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    if (i >= bytes.size()) return -1;
    const std::uint8_t byte = bytes[i];
    result = (result << 7) | (byte & 0x7Fu);
    if ((byte & 0x80) == 0) {
      value = result;
      return static_cast<int>(i + 1);
    }
  }
  return 0;
}

int MidSmfTrkReader::AddDelta() {
  std::uint32_t delta = 0;
  const int used = ReadVarLen(m_chunk.subspan(m_cursor), delta);
  const std::uint8_t* at = m_chunk.data() + m_cursor;
  if (used == 0) return Fail(MErrSmfVarLen, at);
  if (used < 0) return Fail(MErrSmfPastEnd, at);
  const std::uint64_t tick = std::uint64_t{m_tick} + delta;
  if (tick > kLastTick) return Fail(MErrSmfVarLen, at);
  m_tick = static_cast<std::uint32_t>(tick);
  m_cursor += static_cast<std::size_t>(used);
  return MErrOk;
}

int MidSmfTrkReader::ReadChunk(int trackIndex, std::span<const std::uint8_t> file,
                               std::size_t& cursor) {
  MidSmfTrkReader::Reset();
  m_trackIndex = trackIndex;
  const std::uint8_t* at = cursor < file.size() ? file.data() + cursor : nullptr;
  const std::size_t available = cursor < file.size() ? file.size() - cursor : 0;
  if (available < 4) return Fail(MErrSmfPastEnd, at);
  if (std::memcmp(at, "MTrk", 4) != 0) return Fail(MErrSmfNoTrack, at);
  if (available < 8) return Fail(MErrSmfPastEnd, at);
  const std::uint32_t length = (std::uint32_t{at[4]} << 24) | (std::uint32_t{at[5]} << 16) |
                               (std::uint32_t{at[6]} << 8) | at[7];
  if (length > available - 8) return Fail(MErrSmfPastEnd, at);

  m_chunk = file.subspan(cursor + 8, length);
  m_hasChunk = true;
  m_cursor = 0;
  m_tick = 0;
  // A chunk that ends inside its first delta time cannot end with FF 2F 00:
  // that is the missing end of track, not a read past the data.
  std::uint32_t firstDelta = 0;
  if (ReadVarLen(m_chunk, firstDelta) < 0) return Fail(MErrSmfNoEndOfTrack, nullptr);
  if (const int r = AddDelta(); r != MErrOk) return r;

  // Check the whole track once, with a second reader over the same bytes.
  std::string name = "untitled";
  if (const int r = ScanInto(name); r != MErrOk) return r;
  m_name = std::move(name);
  cursor += 8 + std::size_t{length};
  return MErrOk;
}

int MidSmfTrkReader::ScanInto(std::string& name) {
  static constexpr std::uint8_t kEndOfTrack[3] = {0xFF, 0x2F, 0x00};
  if (m_chunk.size() < 3 || std::memcmp(m_chunk.data() + m_chunk.size() - 3, kEndOfTrack, 3) != 0)
    return Fail(MErrSmfNoEndOfTrack, nullptr);

  MidSmfTrkReader scan(m_owner);
  scan.m_chunk = m_chunk;
  scan.m_hasChunk = true;
  scan.m_trackIndex = m_trackIndex;
  if (const int r = scan.Rewind(); r != MErrOk) return r;
  bool named = false;
  for (;;) {
    MidSmfEvent event;
    if (const int r = scan.Decode(event); r != MErrOk) return r;
    if (event.IsMeta()) {
      if (!named && (event.status == 0x01 || event.status == 0x03)) {
        const auto text = event.Data().first(std::min<std::size_t>(event.length, kNameMax));
        const auto nul = std::find(text.begin(), text.end(), std::uint8_t{0});
        name.assign(text.begin(), nul);
        named = true;
      }
      if (event.status == MidSmfEvent::kMetaEndOfTrack) return MErrOk;
    }
    if (const int r = scan.Next(); r != MErrOk) return r;
  }
}

int MidSmfTrkReader::Rewind() {
  int result = MErrOk;
  m_runningStatus = 0;
  m_end = false;
  m_decoded = false;
  if (m_hasChunk) {
    m_cursor = 0;
    m_tick = 0;
    result = AddDelta();
  }
  return result;
}

int MidSmfTrkReader::GetEvent(MidSmfEvent& event) { return Decode(event); }

int MidSmfTrkReader::Decode(MidSmfEvent& event) {
  m_decoded = false;
  if (m_cursor >= m_chunk.size()) return Fail(MErrSmfPastEnd, nullptr);
  const std::uint8_t* bytes = m_chunk.data();
  const std::size_t size = m_chunk.size();
  const std::uint8_t* at = bytes + m_cursor;
  std::size_t pos = m_cursor;
  std::uint8_t status = bytes[pos];
  if (status & 0x80) {
    ++pos;
  } else if (m_runningStatus >= 0x80 && m_runningStatus <= 0xEF) {
    status = m_runningStatus;
  } else {
    return Fail(MErrSmfNoStatus, at);
  }
  event.tag1 = m_tag1;
  event.tag2 = m_tag2;
  event.track = m_trackIndex;

  // A length-prefixed body (meta and system exclusive) at pos.
  auto readBody = [&](int tooLong) -> int {
    std::uint32_t length = 0;
    const int used = ReadVarLen(m_chunk.subspan(pos), length);
    if (used == 0) return Fail(MErrSmfVarLen, at);
    if (used < 0) return Fail(MErrSmfPastEnd, at);
    pos += static_cast<std::size_t>(used);
    if (length >= kDataLimit) return Fail(tooLong, at);
    if (length > size - pos) return Fail(MErrSmfPastEnd, at);
    event.length = length;
    event.data = bytes + pos;
    pos += length;
    return MErrOk;
  };

  if (status == 0xFF) {
    if (pos >= size) return Fail(MErrSmfPastEnd, at);
    const std::uint8_t type = bytes[pos++];
    if (type >= 0x80) return Fail(MErrSmfMetaType, at);
    if (const int r = readBody(MErrSmfMetaLength); r != MErrOk) return r;
    event.status = type;
  } else if (status == 0xF0 || status == 0xF7) {
    const int tooLong = status == 0xF0 ? MErrSmfSysExLength : MErrSmfSysExContLength;
    if (const int r = readBody(tooLong); r != MErrOk) return r;
    event.status = status;
  } else if (status >= 0x80 && status <= 0xEF) {
    const std::size_t count = (status >= 0xC0 && status <= 0xDF) ? 1 : 2;
    for (std::size_t i = 0; i < count; ++i) {
      if (pos + i >= size) return Fail(MErrSmfPastEnd, at);
      if (bytes[pos + i] >= 0x80) return Fail(MErrSmfDataByte, at);
    }
    event.status = status;
    event.length = static_cast<std::uint32_t>(count);
    event.data = bytes + pos;
    pos += count;
  } else {
    return Fail(MErrSmfBadStatus, at);
  }
  m_decoded = true;
  m_decodedStatus = status;
  m_decodedEnd = pos;
  return MErrOk;
}

int MidSmfTrkReader::Next() {
  if (!m_decoded) {
    MidSmfEvent event;
    if (const int r = Decode(event); r != MErrOk) return r;
  }
  if (m_decodedStatus >= 0x80 && m_decodedStatus <= 0xEF)
    m_runningStatus = m_decodedStatus;
  else if (m_decodedStatus == 0xF0 || m_decodedStatus == 0xF7)
    m_runningStatus = 0;
  m_cursor = m_decodedEnd;
  m_decoded = false;
  return AddDelta();
}
