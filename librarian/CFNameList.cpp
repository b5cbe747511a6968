#include "librarian/CFNameList.h"

#include <algorithm>

void CFNameList::Add(std::string_view name) {
  m_text.append(name);
  m_text.push_back('\n');
}

void CFNameList::AppendText(std::string_view text) { m_text.append(text); }

std::string CFNameList::GetNext() {
  const std::size_t end = m_cursor < m_text.size() ? m_text.find('\n', m_cursor) : std::string::npos;
  if (end == std::string::npos) {
    m_cursor = 0;
    return {};
  }
  std::string name = m_text.substr(m_cursor, end - m_cursor);
  m_cursor = end + 1;
  return name;
}

int CFNameList::GetCount() const { return int(std::count(m_text.begin(), m_text.end(), '\n')); }

bool CFNameList::CopyText(std::span<char> buffer) const {
  if (buffer.size() < GetTextSize()) return false;
  std::copy(m_text.begin(), m_text.end(), buffer.begin());
  buffer[m_text.size()] = '\0';
  return true;
}

bool CFNameList::CopyMultiSz(std::span<char> buffer) {
  if (buffer.size() < GetMultiSzSize()) return false;
  const std::size_t saved = m_cursor;
  Rewind();
  std::size_t out = 0;
  for (;;) {
    const std::string name = GetNext();
    std::copy(name.begin(), name.end(), buffer.begin() + std::ptrdiff_t(out));
    out += name.size();
    buffer[out++] = '\0';
    if (name.empty()) break;
  }
  m_cursor = saved;
  return true;
}
