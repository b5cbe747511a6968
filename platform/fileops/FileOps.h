#pragma once
// File operations the explorer needs on Linux, where no shell does them for
// us: copy and move of files and folders with conflict questions, delete to
// the freedesktop trash, rename without replacing, and new folders.
//
// Rules kept throughout:
// - directory links are copied as links, never followed;
// - a replaced file is written beside its target first and renamed over it,
//   so a failed copy never loses the file it was replacing;
// - a move across file systems removes a source only after all of it was
//   copied;
// - nothing is deleted without the caller having asked the user.

#include <filesystem>
#include <string>
#include <vector>

namespace velk::fileops {

enum class ConflictChoice { Replace, Skip, Cancel };

struct ConflictAnswer {
    ConflictChoice choice = ConflictChoice::Cancel;
    bool forAll = false;  // apply the same choice to every later conflict
};

// Asked when a file is about to land on an existing file.
class ConflictAsker {
public:
    virtual ~ConflictAsker() = default;
    virtual ConflictAnswer AskReplace(const std::filesystem::path& source,
                                      const std::filesystem::path& existing) = 0;
};

struct OpResult {
    bool cancelled = false;           // the user chose Cancel
    std::vector<std::string> failed;  // paths that could not be handled, with the reason
    int done = 0;                     // top-level items copied, moved or trashed
    int skipped = 0;                  // files left alone at the user's choice
    bool Ok() const { return !cancelled && failed.empty(); }
};

// Copies each source into `folder` under its own name. Folders merge with an
// existing folder of the same name; files ask `asker` before replacing.
OpResult CopyItems(const std::vector<std::filesystem::path>& sources, const std::filesystem::path& folder,
                   ConflictAsker& asker);

// Moves each source into `folder`: a rename on one file system, else a copy
// followed by the removal of the source once its whole copy succeeded.
OpResult MoveItems(const std::vector<std::filesystem::path>& sources, const std::filesystem::path& folder,
                   ConflictAsker& asker);

enum class TrashOutcome { Trashed, NotSupported, Failed };

struct TrashResult {
    std::vector<std::filesystem::path> notSupported;  // no trash on that file system
    std::vector<std::string> failed;                  // path and reason
    int trashed = 0;
};

// Moves each path to the user's trash (GIO). Items whose file system has no
// trash are returned in `notSupported`, untouched: the caller asks before
// deleting them for good with DeleteForGood.
TrashResult TrashItems(const std::vector<std::filesystem::path>& paths);

// Removes each path (recursively for folders, links are removed, not
// followed). Returns the paths that failed, with the reason.
std::vector<std::string> DeleteForGood(const std::vector<std::filesystem::path>& paths);

// Renames `from` to `to` without ever replacing an existing `to`.
// Returns 0 or an errno value (EEXIST when the target exists).
int RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to);

// Creates one folder; fails (returns false) when anything exists at `path`.
bool MakeFolder(const std::filesystem::path& path);

}  // namespace velk::fileops
