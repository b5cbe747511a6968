#pragma once
// The explorer's tree: the roots "My Device", "My Setup" and "My Library",
// a node per detected device below each, and the disk folders below the
// setup and library device nodes. The model holds the nodes (text, data
// word, expanded state, cut look), the selection, the drop highlight and
// the hover auto-expand; the window mirrors it through CLeftViewSink and
// reports the user's actions back. The document does all work on files and
// on the device and tells the tree the outcome through VelkDocView.
//
// Paths are compared by the item-path rules: roots and device names without
// case, names below a device folder exactly (Linux names are case-sensitive).

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "librarian/CItemPath.h"
#include "librarian/VelkClipboard.h"
#include "librarian/VelkDocViews.h"

class CVelkDoc;
class VelkLauncher;
class VelkTimer;
class VelkUiServices;

struct CTreeNode {
    std::string text;
    itempath::CTreeItemData data;
    bool expanded = false;
    bool cut = false;
    CTreeNode* parent = nullptr;
    std::vector<std::unique_ptr<CTreeNode>> children;

    // Device nodes under "My Device" show the device picture, every other
    // node a folder.
    bool ShowsDevice() const { return data.rootKind == itempath::kRootDevice && data.level == 1; }
};

// What the window does to follow the model.
class CLeftViewSink {
public:
    virtual ~CLeftViewSink() = default;
    virtual void OnTreeCleared() = 0;
    // Appended last under its parent (the hidden root for the roots).
    virtual void OnNodeAdded(const CTreeNode& node) = 0;
    // The node and its subtree are about to go.
    virtual void OnNodeRemoving(const CTreeNode& node) = 0;
    // Text or cut look changed.
    virtual void OnNodeChanged(const CTreeNode& node) = 0;
    virtual void OnNodeExpanded(const CTreeNode& node) = 0;
    virtual void OnNodeCollapsed(const CTreeNode& node) = 0;
    virtual void OnNodeSelected(const CTreeNode* node) = 0;
    virtual void OnDropHighlight(const CTreeNode* node) = 0;
    virtual void OnStartLabelEdit(const CTreeNode& node) = 0;
};

// A drop accepted on a node: the paste that runs once the drag has returned
// (GTK's drag handlers must not run questions or waiting loops).
struct CTreeDropPaste {
    VelkPayload payload;
    std::string target;
    bool forceMove = false;
    int deviceIndex = -1;
    int rootKind = 0;
    int level = 0;
};

class CLeftViewModel final : public VelkDocView {
public:
    static constexpr int kHoverExpandMs = 1000;

    // The hover timer comes from `ui`, which also says that no device was
    // found.
    CLeftViewModel(CVelkDoc& doc, VelkUiServices& ui, VelkLauncher& launcher);
    ~CLeftViewModel() override;
    CLeftViewModel(const CLeftViewModel&) = delete;
    CLeftViewModel& operator=(const CLeftViewModel&) = delete;

    void SetSink(CLeftViewSink* sink) { sink_ = sink; }

    // Port choice, detection and the tree; then the document reaches the
    // tree through its view pointer.
    void InitialUpdate();
    // After the MIDI device dialog: detection again and a new tree.
    void Reconnect();
    void BuildTree();

    // Nodes.
    const CTreeNode& HiddenRoot() const { return root_; }
    CTreeNode* DeviceRoot() const { return TopNode(0); }
    CTreeNode* SetupRoot() const { return TopNode(1); }
    CTreeNode* LibraryRoot() const { return TopNode(2); }
    CTreeNode* GetSelected() const { return selected_; }
    CTreeNode* GetDropHighlight() const { return dropHighlight_; }
    std::string GetNodePath(const CTreeNode* node) const;
    CTreeNode* FindNodeByPath(const std::string& path) const;
    // The node at `rest` (names joined by '/') below `node`.
    CTreeNode* FindChildPath(const CTreeNode* node, const std::string& rest) const;
    void SelectChildByName(const std::string& name);

    // The user's actions, reported by the window.
    void Select(CTreeNode* node);
    void Expand(CTreeNode* node);
    void Collapse(CTreeNode* node);
    bool BeginLabelEdit(const CTreeNode* node) const;
    // The edited node's new text; `cancelled` renames nothing. The window
    // keeps its old text: a rename that succeeds sets it through
    // OnItemRenamed.
    void EndLabelEdit(const CTreeNode* node, const std::string& text, bool cancelled);
    void BeginDrag(const CTreeNode* node);
    // Drop target. The payload is the drag's (null: not ours), which allows
    // `allowedEffects` (VelkDropEffect bits).
    int DragOver(CTreeNode* node, const VelkPayload* payload, bool ctrlDown,
                 int allowedEffects = kDropCopy | kDropMove);
    void DragLeave();
    std::optional<CTreeDropPaste> Drop(CTreeNode* node, const VelkPayload* payload, int effect);
    // A right click on `node`: it becomes the selected node before the menu.
    void PrepareContextMenu(CTreeNode* node);

    // Commands on the selected node.
    bool CanToggleExpand() const;
    void ToggleExpand();
    bool CanExplore() const;
    void Explore();
    bool CanDeleteSelected() const;
    void DeleteSelected();
    bool CanRenameSelected() const;
    void RenameSelected();
    bool CanCopySelected(bool cut) const;
    void CopySelected(bool cut);
    bool CanPasteSelected() const;
    void PasteSelected();

    // VelkDocView
    void OnItemsDeleted(const CFNameList& names) override;
    void OnItemRenamed(const std::string& oldPath, const std::string& newName) override;
    void OnFolderCreated(const std::string& path) override;
    void OnPasted(const CFNameList& names, const std::string& target, bool move) override;
    void UpdateCutMarks(const CFNameList& cutNames) override;
    void FillList(const std::string&, bool) override {}

private:
    CTreeNode* TopNode(std::size_t index) const;
    CTreeNode* AppendNode(CTreeNode* parent, const std::string& text);
    // Removes the node and its subtree; a selection inside moves to the parent.
    void RemoveNode(CTreeNode* node);
    // Removes the nodes (and their subtrees), at once per parent.
    void RemoveNodes(const std::vector<CTreeNode*>& nodes);
    // Removes these children of `parent` (and their subtrees) at once.
    void RemoveChildren(CTreeNode* parent, const std::vector<CTreeNode*>& nodes);
    // Children by ChildKey, for one pass over a folder's listing.
    using CChildIndex = std::unordered_map<std::string, CTreeNode*>;
    // The children's indexes of the folders one operation looks into, made
    // as it needs them: many paths cost no walk along the siblings each.
    using CIndexCache = std::unordered_map<const CTreeNode*, CChildIndex>;
    CTreeNode* FindNodeByPath(const std::string& path, CIndexCache* cache) const;
    CTreeNode* FindChildPath(const CTreeNode* node, std::string_view rest, CIndexCache* cache) const;
    static std::string ChildKey(const CTreeNode* parent, std::string_view name);
    static CChildIndex IndexChildren(const CTreeNode* parent);
    CTreeNode* ChildNamed(const CTreeNode* parent, const std::string& name) const;
    // Adds a node for each folder on disk below `node` that has none (and,
    // below an expanded node, for their subfolders), when `node` itself is a
    // valid folder.
    void EnumerateFolders(CTreeNode* node);
    void ListSubfolders(CTreeNode* node, const std::string& nodePath);
    // Removes `node` when its folder is gone, else the nodes below it whose
    // folders are.
    void RemoveIfGone(CTreeNode* node);
    void PruneGone(CTreeNode* node, const std::string& nodePath);
    void RefreshFolders();
    // Mirrors a folder just copied or moved into `target` (at `targetPath`).
    void CopySubtree(CTreeNode* source, CTreeNode* target, CChildIndex& targetIndex,
                     const std::string& targetPath, bool move);
    void SetCut(CTreeNode* node, bool cut);
    void SetDropHighlight(CTreeNode* node);
    void StopHover();
    void OnHoverTimer();
    bool Contains(const CTreeNode* ancestor, const CTreeNode* node) const;

    CVelkDoc& doc_;
    VelkUiServices& ui_;
    VelkLauncher& launcher_;
    std::unique_ptr<VelkTimer> hoverTimer_;
    CLeftViewSink* sink_ = nullptr;
    bool registered_ = false;

    CTreeNode root_;  // hidden; its children are the three roots
    CTreeNode* selected_ = nullptr;
    CTreeNode* hover_ = nullptr;
    bool hoverTimerRunning_ = false;
    CTreeNode* dropHighlight_ = nullptr;
    // Passed as the list's reset flag with each selection change; cleared
    // just before a moved node is selected, so the list keeps its rows.
    bool resetList_ = true;
};
