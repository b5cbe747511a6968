#pragma once

#include <filesystem>

// The librarian's three folders: the root, root/"My Setup" and
// root/"My Library".
class MFileCtrl {
public:
    // Starts at the user's documents folder (see DefaultRoot).
    MFileCtrl();

    void SetRootPath(const std::filesystem::path& root);

    const std::filesystem::path& GetRootPath() const { return root_; }
    const std::filesystem::path& GetSetupPath() const { return setup_; }
    const std::filesystem::path& GetLibraryPath() const { return library_; }

    // The XDG documents folder (XDG_DOCUMENTS_DIR, or its entry in
    // $XDG_CONFIG_HOME/user-dirs.dirs), else $HOME, else the current folder.
    static std::filesystem::path DefaultRoot();

private:
    std::filesystem::path root_;
    std::filesystem::path setup_;
    std::filesystem::path library_;
};
