#pragma once

#include <filesystem>

// The librarian's three folders: the root, root/"My Setup" and
// root/"My Library".
class MFileCtrl {
public:
  // Starts at the user's documents folder (see DefaultRoot).
  MFileCtrl();

  void SetRootPath(const std::filesystem::path& root);

  const std::filesystem::path& GetRootPath() const { return m_root; }
  const std::filesystem::path& GetSetupPath() const { return m_setup; }
  const std::filesystem::path& GetLibraryPath() const { return m_library; }

  // The XDG documents folder (XDG_DOCUMENTS_DIR, or its entry in
  // $XDG_CONFIG_HOME/user-dirs.dirs), else $HOME, else the current folder.
  static std::filesystem::path DefaultRoot();

private:
  std::filesystem::path m_root;
  std::filesystem::path m_setup;
  std::filesystem::path m_library;
};
