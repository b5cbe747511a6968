#include "librarian/CFolderListing.h"

#include "librarian/CItemClassify.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace folderlist {

namespace {

std::optional<std::time_t> ToTimeT(fs::file_time_type time) {
    const auto system = std::chrono::file_clock::to_sys(time);
    return std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(system));
}

}  // namespace

int CompareNoCase(std::string_view a, std::string_view b) {
    const auto fold = [](char c) {
        return static_cast<unsigned char>((c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c);
    };
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i)
        if (fold(a[i]) != fold(b[i])) return fold(a[i]) < fold(b[i]) ? -1 : 1;
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::vector<CFolderEntry> ListFolder(const std::string& folder) {
    std::vector<CFolderEntry> entries;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::string name = it->path().filename().string();
        if (name.empty() || name.find('\n') != std::string::npos || !itempath::IsValidUtf8(name)) continue;
        CFolderEntry entry;
        entry.name = std::move(name);
        std::error_code statError;
        entry.isFolder = it->is_directory(statError);
        const fs::file_time_type written = it->last_write_time(statError);
        if (!statError) entry.written = ToTimeT(written);
        entries.push_back(std::move(entry));
    }
    // Name order, letters without case first, so listings read the same on
    // every file system (directory order on Linux is hash order).
    std::sort(entries.begin(), entries.end(), [](const CFolderEntry& a, const CFolderEntry& b) {
        const int folded = CompareNoCase(a.name, b.name);
        return folded != 0 ? folded < 0 : a.name < b.name;
    });
    return entries;
}

std::optional<std::time_t> LastWriteTime(const std::string& path) {
    std::error_code error;
    const fs::file_time_type written = fs::last_write_time(path, error);
    if (error) return std::nullopt;
    return ToTimeT(written);
}

std::string FormatDate(std::optional<std::time_t> time) {
    if (!time) return {};
    std::tm local{};
    if (localtime_r(&*time, &local) == nullptr) return {};
    char text[32];
    const std::size_t length = std::strftime(text, sizeof text, "%Y/%m/%d %H:%M", &local);
    return std::string(text, length);
}

}  // namespace folderlist
