#pragma once

#include <filesystem>

// A path handed between the document, the editors and the device. Holds the
// whole path: nothing is ever truncated.
class MFilePath {
public:
    MFilePath() = default;
    explicit MFilePath(const std::filesystem::path& path) : path_(path) {}

    int Set(const std::filesystem::path& path) {
        path_ = path;
        return 0;
    }
    const std::filesystem::path& Get() const { return path_; }

private:
    std::filesystem::path path_;
};
