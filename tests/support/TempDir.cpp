#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

namespace velktest {

namespace fs = std::filesystem;

TempDir::TempDir(const fs::path& base) {
    std::string pattern = (base / "velk-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "no temporary folder in " << base;
        return;
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    if (path_.empty()) return;
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

fs::path TempDir::MakeFolder(std::string_view relative) const {
    const fs::path folder = path_ / relative;
    fs::create_directories(folder);
    return folder;
}

fs::path TempDir::MakeFile(std::string_view relative) const {
    const fs::path file = path_ / relative;
    fs::create_directories(file.parent_path());
    std::ofstream{file};
    return file;
}

std::vector<std::uint8_t> ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

namespace {

std::ofstream WriteAnew(const fs::path& path) {
    std::error_code ignored;
    if (path.has_parent_path()) fs::create_directories(path.parent_path(), ignored);
    return std::ofstream(path, std::ios::binary | std::ios::trunc);
}

}  // namespace

void WriteAll(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    WriteAnew(path).write(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<std::streamsize>(bytes.size()));
}

void WriteText(const fs::path& path, std::string_view text) {
    WriteAnew(path).write(text.data(), static_cast<std::streamsize>(text.size()));
}

std::vector<std::string> Listing(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace velktest
