#pragma once
// One folder's entries as the views show them: names that are item names
// (itempath::IsItemName: UTF-8, no line feed), each with whether it is a
// folder and its last-write time. Symbolic links are not listed: they may
// lead out of the setup and library folders.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <ctime>

namespace folderlist {

struct CFolderEntry {
    std::string name;
    bool isFolder = false;
    std::optional<std::time_t> written;  // none when it could not be read
};

// <0, 0 or >0: byte order with ASCII letters folded (other bytes, UTF-8
// sequences included, compare as they are).
int CompareNoCase(std::string_view a, std::string_view b);

// The entries of `folder` in name order (ASCII letters without case first,
// then exactly); nothing when the folder cannot be read. Hidden entries
// count. Without `withTimes` no entry is read beyond the folder itself
// (no time then): the tree needs names and kinds only.
std::vector<CFolderEntry> ListFolder(const std::string& folder, bool withTimes = true);

// The last-write time of `path`; none when it cannot be read.
std::optional<std::time_t> LastWriteTime(const std::string& path);

// "%Y/%m/%d %H:%M" in local time; empty for no time.
std::string FormatDate(std::optional<std::time_t> time);

}  // namespace folderlist
