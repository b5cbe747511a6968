#include "librarian/CLeftViewModel.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>
#include <unordered_set>

#include "librarian/CFolderListing.h"
#include "librarian/CItemRules.h"
#include "librarian/CVelkDoc.h"
#include "librarian/VelkLauncher.h"
#include "resources/VelkStrings.h"
#include "uiservices/VelkUiServices.h"

namespace fs = std::filesystem;
using namespace itempath;

namespace {

bool IsDirectory(const std::string& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

// Whether the folder may hold folders. File systems that count a folder's
// links give a folder without subfolders exactly 2 (itself and its entry
// in the parent): that one need not be read. Others (1, or unknown) are.
bool MayHoldFolders(const std::string& folder) {
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    return st.st_nlink != 2;
}

// Every node below `node`, children before their parent.
template <typename F>
void ForEachNode(CTreeNode& node, F&& call) {
    for (auto& child : node.children) ForEachNode(*child, call);
    call(node);
}

}  // namespace

CLeftViewModel::CLeftViewModel(CVelkDoc& doc, VelkUiServices& ui, VelkLauncher& launcher)
    : doc_(doc), ui_(ui), launcher_(launcher), hoverTimer_(ui.CreateTimer([this] { OnHoverTimer(); })) {
    root_.data = {-1, kRootDevice, -1};
}

CLeftViewModel::~CLeftViewModel() {
    if (registered_) doc_.SetTreeView(nullptr);
}

void CLeftViewModel::InitialUpdate() {
    doc_.SelectMidiPorts();
    doc_.DetectDevices();
    BuildTree();
    doc_.SetTreeView(this);
    registered_ = true;
}

void CLeftViewModel::Reconnect() {
    doc_.DetectDevices();
    BuildTree();
}

CTreeNode* CLeftViewModel::TopNode(std::size_t index) const {
    return index < root_.children.size() ? root_.children[index].get() : nullptr;
}

CTreeNode* CLeftViewModel::AppendNode(CTreeNode* parent, const std::string& text) {
    auto node = std::make_unique<CTreeNode>();
    node->text = text;
    node->data = parent->data.Child();
    node->parent = parent;
    CTreeNode* added = node.get();
    parent->children.push_back(std::move(node));
    if (sink_) sink_->OnNodeAdded(*added);
    return added;
}

void CLeftViewModel::BuildTree() {
    StopHover();
    selected_ = nullptr;
    dropHighlight_ = nullptr;
    if (sink_) sink_->OnTreeCleared();
    root_.children.clear();

    const MDevConfig& config = doc_.GetDevConfig();
    const char* rootTexts[] = {velk::text::kMyDevice, velk::text::kMySetup, velk::text::kMyLibrary};
    for (int kind = kRootDevice; kind <= kRootLibrary; ++kind) {
        auto top = std::make_unique<CTreeNode>();
        top->text = rootTexts[kind];
        top->data = {0, kind, -1};
        top->parent = &root_;
        CTreeNode* added = top.get();
        root_.children.push_back(std::move(top));
        if (sink_) sink_->OnNodeAdded(*added);
        for (int i = 0; i < config.GetDeviceCount(); ++i) {
            CTreeNode* device = AppendNode(added, config.GetDeviceName(i).value_or(""));
            device->data.deviceIndex = i;
        }
    }
    for (int kind = kRootDevice; kind <= kRootLibrary; ++kind) Expand(TopNode(kind));
    if (config.GetDeviceCount() == 0)
        ui_.ShowMessage(velk::text::kNoDeviceFound, velk::text::kAppTitle, VelkIcon::kNone);
    Select(DeviceRoot());
}

std::string CLeftViewModel::GetNodePath(const CTreeNode* node) const {
    if (node == nullptr || node == &root_) return {};
    std::vector<const CTreeNode*> chain;
    for (const CTreeNode* n = node; n != nullptr && n != &root_; n = n->parent) chain.push_back(n);
    std::string path;
    switch (node->data.rootKind) {
    case kRootSetup: path = doc_.GetRoots().setup; break;
    case kRootLibrary: path = doc_.GetRoots().library; break;
    default: path = std::string(kDeviceRoot); break;
    }
    // The root's own text is its folder's name; the path above starts there.
    for (auto it = chain.rbegin() + 1; it < chain.rend(); ++it) path = JoinPath(path, (*it)->text);
    return path;
}

CTreeNode* CLeftViewModel::FindNodeByPath(const std::string& path) const {
    return FindNodeByPath(path, nullptr);
}

CTreeNode* CLeftViewModel::FindNodeByPath(const std::string& path, CIndexCache* cache) const {
    for (const auto& top : root_.children) {
        const std::string topPath = GetNodePath(top.get());
        if (SameItemPath(path, topPath, doc_.GetRoots())) return top.get();
        if (path.size() > topPath.size() + 1 && path[topPath.size()] == kSeparator &&
            SameItemPath(std::string_view(path).substr(0, topPath.size()), topPath, doc_.GetRoots()))
            return FindChildPath(top.get(), path.substr(topPath.size() + 1), cache);
    }
    return nullptr;
}

CTreeNode* CLeftViewModel::FindChildPath(const CTreeNode* node, const std::string& rest) const {
    return FindChildPath(node, rest, nullptr);
}

CTreeNode* CLeftViewModel::FindChildPath(const CTreeNode* node, std::string_view rest,
                                         CIndexCache* cache) const {
    while (true) {
        const std::size_t slash = rest.find(kSeparator);
        const std::string name(rest.substr(0, slash));
        CTreeNode* child = nullptr;
        if (cache == nullptr) {
            child = ChildNamed(node, name);
        } else {
            auto [index, made] = cache->try_emplace(node);
            if (made) index->second = IndexChildren(node);
            const auto found = index->second.find(ChildKey(node, name));
            if (found != index->second.end()) child = found->second;
        }
        if (child == nullptr || slash == std::string_view::npos || slash + 1 == rest.size()) return child;
        // Only the first match is followed, as in a folder of unique names.
        node = child;
        rest.remove_prefix(slash + 1);
    }
}

CTreeNode* CLeftViewModel::ChildNamed(const CTreeNode* parent, const std::string& name) const {
    // As item paths compare: device names without case, names below exactly.
    const bool fold = parent->data.level == 0;
    for (const auto& child : parent->children)
        if (fold ? EqualsIgnoringCase(child->text, name) : child->text == name) return child.get();
    return nullptr;
}

bool CLeftViewModel::Contains(const CTreeNode* ancestor, const CTreeNode* node) const {
    for (; node != nullptr; node = node->parent)
        if (node == ancestor) return true;
    return false;
}

void CLeftViewModel::SelectChildByName(const std::string& name) {
    // Devices match without case, folders below a device exactly: with "A"
    // and "a" side by side, opening "a" selects "a".
    if (selected_ == nullptr) return;
    if (CTreeNode* child = ChildNamed(selected_, name)) Select(child);
}

void CLeftViewModel::Select(CTreeNode* node) {
    if (node == selected_) return;
    selected_ = node;
    if (sink_) sink_->OnNodeSelected(node);
    if (node != nullptr) {
        // A folder whose subfolders were not read (its link count said it had
        // none, which not every file system counts right) is read now: the
        // list shows its subfolders, and opening one finds its node.
        if (node->data.rootKind != kRootDevice && node->children.empty()) EnumerateFolders(node);
        doc_.SetCurrentFolder(node->data.deviceIndex, node->data.rootKind, node->data.level,
                              GetNodePath(node), resetList_);
    }
    resetList_ = true;
}

void CLeftViewModel::Expand(CTreeNode* node) {
    if (node == nullptr || node->expanded || node->children.empty()) return;
    node->expanded = true;
    if (sink_) sink_->OnNodeExpanded(*node);
    if (node->data.rootKind != kRootDevice) EnumerateFolders(node);
}

void CLeftViewModel::Collapse(CTreeNode* node) {
    if (node == nullptr || !node->expanded) return;
    node->expanded = false;
    if (sink_) sink_->OnNodeCollapsed(*node);
}

std::string CLeftViewModel::ChildKey(const CTreeNode* parent, std::string_view name) {
    // A root's children are device folders, whose names ignore case.
    std::string key(name);
    if (parent->data.level == 0)
        for (char& c : key) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return key;
}

CLeftViewModel::CChildIndex CLeftViewModel::IndexChildren(const CTreeNode* parent) {
    CChildIndex index;
    index.reserve(parent->children.size());
    // The first of equal keys wins, as in a lookup by position.
    for (const auto& child : parent->children) index.emplace(ChildKey(parent, child->text), child.get());
    return index;
}

void CLeftViewModel::EnumerateFolders(CTreeNode* node) {
    const std::string nodePath = GetNodePath(node);
    // The path scheme decides whether anything below is listed: a folder
    // that is gone or reached through a link shows nothing.
    const CItemPathInfo info = doc_.ClassifyPath(nodePath);
    if (info.valid && info.isFolder) ListSubfolders(node, nodePath);
}

void CLeftViewModel::ListSubfolders(CTreeNode* node, const std::string& nodePath) {
    CChildIndex known = IndexChildren(node);
    // The listing holds item names only and no links: below a device folder
    // every folder it lists is a valid item.
    for (const folderlist::CFolderEntry& entry : folderlist::ListFolder(nodePath, false)) {
        if (!entry.isFolder) continue;
        const std::string childPath = JoinPath(nodePath, entry.name);
        // A folder at device level must name a device.
        if (node->data.level == 0 && !doc_.ClassifyPath(childPath).valid) continue;
        CTreeNode*& child = known[ChildKey(node, entry.name)];
        if (child == nullptr) child = AppendNode(node, entry.name);
        if (node->expanded && (!child->children.empty() || MayHoldFolders(childPath)))
            ListSubfolders(child, childPath);
    }
}

void CLeftViewModel::RemoveNode(CTreeNode* node) {
    if (node != nullptr) RemoveChildren(node->parent, {node});
}

void CLeftViewModel::RemoveChildren(CTreeNode* parent, const std::vector<CTreeNode*>& nodes) {
    // The roots stay, whatever the disk says: they are no folder to delete.
    if (parent == nullptr || parent == &root_ || nodes.empty()) return;
    std::unordered_set<const CTreeNode*> gone;
    for (CTreeNode* node : nodes) {
        if (node == nullptr || node->parent != parent || !gone.insert(node).second) continue;
        if (Contains(node, selected_)) Select(parent);
        if (Contains(node, hover_)) StopHover();
        if (Contains(node, dropHighlight_)) SetDropHighlight(nullptr);
        if (sink_) sink_->OnNodeRemoving(*node);
    }
    std::erase_if(parent->children, [&gone](const auto& child) { return gone.count(child.get()) != 0; });
}

void CLeftViewModel::RemoveNodes(const std::vector<CTreeNode*>& nodes) {
    const std::unordered_set<const CTreeNode*> all(nodes.begin(), nodes.end());
    // A node below another that goes, goes with it.
    const auto belowAnother = [&all](const CTreeNode* node) {
        for (const CTreeNode* up = node->parent; up != nullptr; up = up->parent)
            if (all.count(up) != 0) return true;
        return false;
    };
    std::unordered_map<CTreeNode*, std::vector<CTreeNode*>> byParent;
    std::vector<CTreeNode*> parents;  // in the order met, for a stable order of removal
    for (CTreeNode* node : nodes) {
        if (belowAnother(node)) continue;
        auto [group, made] = byParent.try_emplace(node->parent);
        if (made) parents.push_back(node->parent);
        group->second.push_back(node);
    }
    for (CTreeNode* parent : parents) RemoveChildren(parent, byParent[parent]);
}

void CLeftViewModel::RemoveIfGone(CTreeNode* node) {
    const std::string path = GetNodePath(node);
    const CItemPathInfo info = doc_.ClassifyPath(path);
    if (!info.valid || !info.isFolder) {
        RemoveNode(node);
        return;
    }
    PruneGone(node, path);
}

void CLeftViewModel::PruneGone(CTreeNode* node, const std::string& nodePath) {
    if (node->children.empty()) return;
    // One listing per folder: a child stays when a folder of exactly its
    // name is there (a link is not listed, so a folder become a link goes).
    std::unordered_set<std::string> present;
    for (const folderlist::CFolderEntry& entry : folderlist::ListFolder(nodePath, false))
        if (entry.isFolder) present.insert(entry.name);
    std::vector<CTreeNode*> gone;
    for (const auto& child : node->children)
        if (present.count(child->text) == 0) gone.push_back(child.get());
    RemoveChildren(node, gone);
    for (const auto& child : node->children) PruneGone(child.get(), JoinPath(nodePath, child->text));
}

void CLeftViewModel::RefreshFolders() {
    for (CTreeNode* top : {SetupRoot(), LibraryRoot()}) {
        if (top == nullptr) continue;
        EnumerateFolders(top);
        RemoveIfGone(top);
    }
}

void CLeftViewModel::CopySubtree(CTreeNode* source, CTreeNode* target, CChildIndex& targetIndex,
                                 const std::string& targetPath, bool move) {
    const std::string copyPath = JoinPath(targetPath, source->text);
    if (!IsDirectory(copyPath)) return;
    CTreeNode*& copy = targetIndex[ChildKey(target, source->text)];
    if (copy == nullptr) copy = AppendNode(target, source->text);
    CTreeNode* const made = copy;
    made->data = target->data.Child();
    CChildIndex madeIndex = IndexChildren(made);
    for (const auto& child : source->children) CopySubtree(child.get(), made, madeIndex, copyPath, move);
    if (source->expanded) Expand(made);
    SetCut(made, source->cut);
    if (move && selected_ == source) {
        resetList_ = false;
        Select(made);
    }
}

void CLeftViewModel::SetCut(CTreeNode* node, bool cut) {
    if (node->cut == cut) return;
    node->cut = cut;
    if (sink_) sink_->OnNodeChanged(*node);
}

void CLeftViewModel::SetDropHighlight(CTreeNode* node) {
    if (dropHighlight_ == node) return;
    dropHighlight_ = node;
    if (sink_) sink_->OnDropHighlight(node);
}

void CLeftViewModel::StopHover() {
    if (hoverTimerRunning_) hoverTimer_->Stop();
    hoverTimerRunning_ = false;
    hover_ = nullptr;
}

// ---------------------------------------------------------------- label editing

bool CLeftViewModel::BeginLabelEdit(const CTreeNode* node) const {
    return node != nullptr && CanRename(node->data.rootKind, node->data.level, node->text);
}

void CLeftViewModel::EndLabelEdit(const CTreeNode* node, const std::string& text, bool cancelled) {
    if (node == nullptr || cancelled) return;
    doc_.RenameItem(GetNodePath(node), text);
}

// ---------------------------------------------------------------- drag and drop

void CLeftViewModel::BeginDrag(const CTreeNode* node) {
    if (node == nullptr || node->data.level == 0) return;
    const bool deviceNode = node->data.rootKind == kRootDevice;
    if (node->data.level == 1 && !deviceNode) return;
    CFNameList names;
    names.Add(GetNodePath(node));
    doc_.PutItems(0, names, true, deviceNode ? kDropCopy : (kDropCopy | kDropMove));
}

int CLeftViewModel::DragOver(CTreeNode* node, const VelkPayload* payload, bool ctrlDown, int allowedEffects) {
    if (payload == nullptr || !doc_.HasClipboardItems(payload)) return kDropNone;
    if (node == nullptr) {
        SetDropHighlight(nullptr);
        return kDropNone;
    }
    if (node != hover_) {
        StopHover();
        hover_ = node;
        hoverTimer_->Start(std::chrono::milliseconds(kHoverExpandMs));
        hoverTimerRunning_ = true;
    }
    SetDropHighlight(node);
    const CTreeItemData& data = node->data;
    if (!doc_.CanPaste(payload, data.deviceIndex, data.rootKind, data.level)) return kDropNone;
    return ChooseDropEffect(data.rootKind, ctrlDown, allowedEffects);
}

void CLeftViewModel::DragLeave() {
    StopHover();
    SetDropHighlight(nullptr);
}

void CLeftViewModel::OnHoverTimer() {
    if (!hoverTimerRunning_) return;
    hoverTimerRunning_ = false;
    if (hover_ != nullptr && dropHighlight_ == hover_) Expand(hover_);
    hover_ = nullptr;
}

std::optional<CTreeDropPaste> CLeftViewModel::Drop(CTreeNode* node, const VelkPayload* payload, int effect) {
    SetDropHighlight(nullptr);
    StopHover();
    if (payload == nullptr || !doc_.HasClipboardItems(payload) || node == nullptr) return std::nullopt;
    const CTreeItemData& data = node->data;
    bool forceMove = false;
    if (data.rootKind != kRootDevice && effect == kDropMove) forceMove = true;
    else if (data.rootKind != kRootDevice && effect != kDropCopy) return std::nullopt;
    if (!doc_.CanPaste(payload, data.deviceIndex, data.rootKind, data.level)) return std::nullopt;
    return CTreeDropPaste{*payload,         GetNodePath(node), forceMove,
                          data.deviceIndex, data.rootKind,     data.level};
}

void CLeftViewModel::PrepareContextMenu(CTreeNode* node) {
    if (node != nullptr) Select(node);
}

// ---------------------------------------------------------------- commands

bool CLeftViewModel::CanToggleExpand() const { return selected_ != nullptr && !selected_->children.empty(); }

void CLeftViewModel::ToggleExpand() {
    if (!CanToggleExpand()) return;
    if (selected_->expanded) Collapse(selected_);
    else Expand(selected_);
}

bool CLeftViewModel::CanExplore() const {
    return selected_ != nullptr && selected_->data.rootKind != kRootDevice;
}

void CLeftViewModel::Explore() {
    if (CanExplore()) launcher_.Open(GetNodePath(selected_));
}

bool CLeftViewModel::CanDeleteSelected() const {
    return selected_ != nullptr && CanDelete(selected_->data.rootKind, selected_->data.level);
}

void CLeftViewModel::DeleteSelected() {
    if (!CanDeleteSelected()) return;
    CFNameList names;
    names.Add(GetNodePath(selected_));
    doc_.DeleteItems(names);
}

bool CLeftViewModel::CanRenameSelected() const { return BeginLabelEdit(selected_); }

void CLeftViewModel::RenameSelected() {
    if (CanRenameSelected() && sink_) sink_->OnStartLabelEdit(*selected_);
}

bool CLeftViewModel::CanCopySelected(bool cut) const {
    return selected_ != nullptr && CanCopy(selected_->data.rootKind, selected_->data.level, cut);
}

void CLeftViewModel::CopySelected(bool cut) {
    if (!CanCopySelected(cut)) return;
    CFNameList names;
    names.Add(GetNodePath(selected_));
    doc_.PutItems(cut ? 1 : 0, names, false, 0);
}

bool CLeftViewModel::CanPasteSelected() const {
    if (selected_ == nullptr || !doc_.HasClipboardItems()) return false;
    const CTreeItemData& data = selected_->data;
    return doc_.CanPaste(nullptr, data.deviceIndex, data.rootKind, data.level) != 0;
}

void CLeftViewModel::PasteSelected() {
    if (!CanPasteSelected()) return;
    const CTreeItemData& data = selected_->data;
    doc_.Paste(nullptr, GetNodePath(selected_), false, data.deviceIndex, data.rootKind, data.level);
}

// ---------------------------------------------------------------- document callbacks

void CLeftViewModel::UpdateCutMarks(const CFNameList& cutNames) {
    std::unordered_set<const CTreeNode*> marked;
    CIndexCache cache;
    CFNameList names(cutNames.GetText());
    for (std::string name = names.GetNext(); !name.empty(); name = names.GetNext())
        if (const CTreeNode* node = FindNodeByPath(name, &cache)) marked.insert(node);
    for (auto& top : root_.children)
        ForEachNode(*top, [&](CTreeNode& node) { SetCut(&node, marked.count(&node) != 0); });
}

void CLeftViewModel::OnItemsDeleted(const CFNameList& deleted) {
    // All found first, then removed at once per parent: the nodes stay put
    // while they are looked up.
    CIndexCache cache;
    std::vector<CTreeNode*> nodes;
    CFNameList names(deleted.GetText());
    for (std::string name = names.GetNext(); !name.empty(); name = names.GetNext()) {
        CTreeNode* node = FindNodeByPath(name, &cache);
        if (node != nullptr && node->data.rootKind != kRootDevice) nodes.push_back(node);
    }
    std::vector<CTreeNode*> gone;
    std::vector<CTreeNode*> kept;
    for (CTreeNode* node : nodes) {
        const CItemPathInfo info = doc_.ClassifyPath(GetNodePath(node));
        (info.valid && info.isFolder ? kept : gone).push_back(node);
    }
    // The gone ones first: a kept folder's pruning may take a gone node
    // below it. A kept folder lies below none that went (its path is valid).
    RemoveNodes(gone);
    for (CTreeNode* node : kept) PruneGone(node, GetNodePath(node));
}

void CLeftViewModel::OnFolderCreated(const std::string& path) {
    CTreeNode* parent = FindNodeByPath(GetParentPath(path));
    if (parent == nullptr) return;
    const std::string leaf = GetLeafName(path);
    if (ChildNamed(parent, leaf) == nullptr) AppendNode(parent, leaf);
    Expand(parent);
}

void CLeftViewModel::OnItemRenamed(const std::string& oldPath, const std::string& newName) {
    CTreeNode* node = FindNodeByPath(oldPath);
    if (node == nullptr) return;
    node->text = GetLeafName(newName);
    if (sink_) sink_->OnNodeChanged(*node);
}

void CLeftViewModel::OnPasted(const CFNameList& pasted, const std::string& target, bool move) {
    CIndexCache cache;  // of the sources' folders; the target's own grows below
    CTreeNode* targetNode = FindNodeByPath(target);
    std::vector<CTreeNode*> moved;
    bool mirrored = false;
    if (targetNode != nullptr) {
        const std::string targetPath = GetNodePath(targetNode);
        CChildIndex targetIndex = IndexChildren(targetNode);
        CFNameList names(pasted.GetText());
        for (std::string name = names.GetNext(); !name.empty(); name = names.GetNext()) {
            CTreeNode* source = FindNodeByPath(name, &cache);
            if (source == nullptr || source->data.rootKind == kRootDevice) continue;
            if (Contains(source, targetNode) || targetNode == source->parent) continue;
            // Moved: the source node goes once its folder has (a subfolder left
            // behind by a partial move stays with it).
            if (move && !IsDirectory(GetNodePath(source))) moved.push_back(source);
            CopySubtree(source, targetNode, targetIndex, targetPath, move);
            mirrored = true;
        }
    }
    RemoveNodes(moved);
    if (mirrored) Expand(targetNode);
    RefreshFolders();
}
