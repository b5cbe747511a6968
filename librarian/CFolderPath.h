#pragma once
// Creating a folder together with the missing folders above it.

#include <string_view>

namespace itempath {

enum CreateFolderResult : int {
    kFolderReady = 0,          // created, or already a folder
    kFolderCannotCreate = -1,  // the file system refused, or nothing to create it in
    kFolderIsFile = -2,        // the path or one of its parents is a file
};

// Creates the parents first (top down); the first failure is returned and
// nothing below it is created. A relative path whose top component does not
// exist cannot be created. Shows nothing: the caller reports.
int CreateFolderPath(std::string_view path);

}  // namespace itempath
