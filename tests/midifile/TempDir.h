#pragma once

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <span>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "midifile/MFileSink.h"

// A fresh folder under the system's temporary folder, removed afterwards.
class TempDir {
public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velk-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) m_path = pattern;
  }
  ~TempDir() {
    std::error_code ignored;
    if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const { return m_path; }
  std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
  std::filesystem::path m_path;
};

inline std::vector<std::uint8_t> ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteAll(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline std::string ReadText(const std::filesystem::path& path) {
  const std::vector<std::uint8_t> bytes = ReadAll(path);
  return {bytes.begin(), bytes.end()};
}

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Passes bytes on to another sink until `budget` bytes went through, then
// refuses the rest (a disk that fills up).
class FailingSink : public MFileSink {
public:
  FailingSink(MFileSink& target, std::size_t budget) : m_target(target), m_budget(budget) {}
  std::size_t Write(std::span<const std::uint8_t> bytes) override {
    const std::size_t n = std::min(bytes.size(), m_budget);
    const std::size_t done = m_target.Write(bytes.first(n));
    m_budget -= done;
    return done;
  }

private:
  MFileSink& m_target;
  std::size_t m_budget;
};

// Collects bytes in memory.
class VectorSink : public MFileSink {
public:
  std::size_t Write(std::span<const std::uint8_t> b) override {
    bytes.insert(bytes.end(), b.begin(), b.end());
    return b.size();
  }
  std::vector<std::uint8_t> bytes;
};
