#include "librarian/CFolderListing.h"

#include "librarian/CItemClassify.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <system_error>

namespace fs = std::filesystem;

namespace folderlist {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

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

std::vector<CFolderEntry> ListFolder(const std::string& folder, bool withTimes) {
    std::vector<CFolderEntry> entries;
    const std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
    if (!dir) return entries;
    const int fd = ::dirfd(dir.get());
    while (const dirent* found = ::readdir(dir.get())) {
        const std::string_view name(found->d_name);
        if (!itempath::IsItemName(name)) continue;  // "." and ".." too
        unsigned char type = found->d_type;
        // Each entry is read beside the folder (no path walk per entry) and
        // never through a link.
        struct stat st {};
        bool read = false;
        if (type == DT_UNKNOWN || (withTimes && type != DT_LNK)) {
            read = ::fstatat(fd, found->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0;
            if (read) type = IFTODT(st.st_mode);
            else if (type == DT_UNKNOWN) continue;
        }
        // A link is no item: it may lead out of the library.
        if (type == DT_LNK) continue;
        CFolderEntry entry;
        entry.name = std::string(name);
        entry.isFolder = type == DT_DIR;
        if (withTimes && read) entry.written = st.st_mtim.tv_sec;
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
