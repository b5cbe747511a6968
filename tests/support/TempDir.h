#pragma once
// A fresh private folder, removed with everything in it at the end, and the
// small file helpers the suites read and write files with.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velktest {

class TempDir {
public:
    // Made in `base`, the system's temporary folder unless given (a test
    // that needs another file system gives its own). The test fails, and
    // Path() is empty, when it cannot be made.
    explicit TempDir(const std::filesystem::path& base = std::filesystem::temp_directory_path());
    // Also when a test took the write permission of the folder away.
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

    // Creates the folder (and its parents) below this one; its path.
    std::filesystem::path MakeFolder(std::string_view relative) const;
    // Creates an empty file (and its folders) below this one; its path.
    std::filesystem::path MakeFile(std::string_view relative) const;

private:
    std::filesystem::path path_;
};

// The whole file; empty when it cannot be read.
std::vector<std::uint8_t> ReadAll(const std::filesystem::path& path);
std::string ReadText(const std::filesystem::path& path);
// Writes the file anew, and the folders it lies in.
void WriteAll(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
void WriteText(const std::filesystem::path& path, std::string_view text);
// The names in a folder, sorted; none when it cannot be read.
std::vector<std::string> Listing(const std::filesystem::path& folder);

}  // namespace velktest
