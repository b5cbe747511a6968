#include "midifile/MFileMem.h"

#include <cstring>
#include <limits>
#include <new>

int MFileMem::Open(const std::filesystem::path& path) {
  Free();
  int result = MFile::Open(path);
  if (result == MErrOk) {
    if (GetSize() > m_sizeLimit) {
      result = MErrFileTooLarge;
    } else if (GetSize() > std::numeric_limits<std::size_t>::max()) {
      result = MErrNoMemory;
    } else {
      const auto size = static_cast<std::size_t>(GetSize());
      result = Allocate(size);
      if (result == MErrOk) result = MFile::Read(m_owned.data(), size);
      if (result == MErrOk) result = Seek(0, kSeekBegin);
      if (result != MErrOk) Free();
    }
  }
  MFile::Close();
  return result;
}

int MFileMem::Read(void* destination, std::size_t count) {
  if (!m_held) return MErrFileNoBuffer;
  if (count > m_data.size() - m_cursor) return MErrFileRead;
  if (count > 0) std::memcpy(destination, m_data.data() + m_cursor, count);
  m_cursor += count;
  return MErrOk;
}

int MFileMem::Seek(std::int64_t distance, int origin) {
  if (!m_held) return MErrFileNoBuffer;
  const auto size = static_cast<std::int64_t>(m_data.size());
  std::int64_t base;
  switch (origin) {
    case kSeekBegin: base = 0; break;
    case kSeekCurrent: base = static_cast<std::int64_t>(m_cursor); break;
    case kSeekEnd: base = size; break;
    default: return MErrFileNoBuffer;
  }
  // base and size are at most the buffer size, so only the sum can overflow.
  if (distance < -base || distance > size - base) return MErrFileNoBuffer;
  m_cursor = static_cast<std::size_t>(base + distance);
  return MErrOk;
}

std::int64_t MFileMem::GetPosition() const { return static_cast<std::int64_t>(m_cursor); }

int MFileMem::Attach(std::span<const std::uint8_t> buffer) {
  Free();
  if (buffer.data() == nullptr) return MErrNullBuffer;
  m_data = buffer;
  m_held = true;
  m_cursor = 0;
  SetSize(buffer.size());
  return MErrOk;
}

int MFileMem::Allocate(std::size_t count) {
  Free();
  try {
    m_owned.assign(count, 0);
  } catch (const std::bad_alloc&) {
    return MErrNoMemory;
  } catch (const std::length_error&) {
    return MErrNoMemory;
  }
  m_data = m_owned;
  m_held = true;
  m_cursor = 0;
  SetSize(count);
  return MErrOk;
}

void MFileMem::Free() {
  std::vector<std::uint8_t>().swap(m_owned);
  m_data = {};
  m_held = false;
  m_cursor = 0;
}

void MFileMem::Close() {
  Free();
  MFile::Close();
}
