#include "librarian/CFolderPath.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "librarian/CItemPath.h"

namespace itempath {

int CreateFolderPath(std::string_view path) {
    while (path.size() > 1 && path.back() == kSeparator) path.remove_suffix(1);
    if (path.empty()) return kFolderCannotCreate;
    const std::filesystem::path folder{std::string(path)};

    std::error_code error;
    const auto status = std::filesystem::status(folder, error);
    if (std::filesystem::is_directory(status)) return kFolderReady;
    if (std::filesystem::exists(status)) return kFolderIsFile;
    // A parent that is a file reads as "not found" here; the walk up finds it.
    if (error && status.type() != std::filesystem::file_type::not_found) return kFolderCannotCreate;

    const std::string parent = GetParentPath(path);
    if (parent.empty()) {
        // "/name": its parent is the file system root, which exists.
        if (path.front() != kSeparator) return kFolderCannotCreate;
    } else if (const int result = CreateFolderPath(parent); result != kFolderReady) {
        return result;
    }
    std::filesystem::create_directory(folder, error);
    // Judged by what is there now: another process may have made it meanwhile.
    return std::filesystem::is_directory(folder, error) ? kFolderReady : kFolderCannotCreate;
}

}  // namespace itempath
