#pragma once

#include <filesystem>

// A path handed between the document, the editors and the device. Holds the
// whole path: nothing is ever truncated.
class MFilePath {
public:
  MFilePath() = default;
  explicit MFilePath(const std::filesystem::path& path) : m_path(path) {}

  int Set(const std::filesystem::path& path) {
    m_path = path;
    return 0;
  }
  const std::filesystem::path& Get() const { return m_path; }

private:
  std::filesystem::path m_path;
};
