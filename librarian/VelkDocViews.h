#pragma once
// What the document tells the views after an operation. The tree and the
// list each implement it and register with the document; the document calls
// the tree first, then the list, and skips a view that is not registered.

#include <string>

class CFNameList;

class VelkDocView {
public:
    virtual ~VelkDocView() = default;

    // The items were deleted (moved to the trash or deleted for good).
    virtual void OnItemsDeleted(const CFNameList& names) = 0;
    // The item at `oldPath` is now called `newName` (for a device program:
    // the name the device holds now).
    virtual void OnItemRenamed(const std::string& oldPath, const std::string& newName) = 0;
    virtual void OnFolderCreated(const std::string& path) = 0;
    // A paste or a drop of `names` onto `target` ran (move: they were moved).
    virtual void OnPasted(const CFNameList& names, const std::string& target, bool move) = 0;
    // The items on the clipboard as a cut; an empty list clears every mark.
    virtual void UpdateCutMarks(const CFNameList& cutNames) = 0;
    // The list shows the folder `path` anew (reset: from its top). The tree
    // is never asked.
    virtual void FillList(const std::string& path, bool reset) = 0;
};
