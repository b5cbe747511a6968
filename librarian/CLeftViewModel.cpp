#include "librarian/CLeftViewModel.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "librarian/CFolderListing.h"
#include "librarian/CItemRules.h"
#include "librarian/CVelkDoc.h"
#include "librarian/VelkLauncher.h"
#include "librarian/VelkPrompter.h"
#include "resources/VelkStrings.h"

namespace fs = std::filesystem;
using namespace itempath;

namespace {

bool IsDirectory(const std::string& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

// Every node below `node`, children before their parent.
template <typename F>
void ForEachNode(CTreeNode& node, F&& call) {
    for (auto& child : node.children) ForEachNode(*child, call);
    call(node);
}

}  // namespace

CLeftViewModel::CLeftViewModel(CVelkDoc& doc, VelkPrompter& prompter, VelkLauncher& launcher,
                               VelkOneShotTimer& hoverTimer)
    : doc_(doc), prompter_(prompter), launcher_(launcher), hoverTimer_(hoverTimer) {
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
        prompter_.ShowMessage(velk::text::kNoDeviceFound, velk::text::kAppTitle, VelkIcon::kNone);
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
    for (const auto& top : root_.children) {
        const std::string topPath = GetNodePath(top.get());
        if (SameItemPath(path, topPath, doc_.GetRoots())) return top.get();
        if (path.size() > topPath.size() + 1 && path[topPath.size()] == kSeparator &&
            SameItemPath(std::string_view(path).substr(0, topPath.size()), topPath,
                         doc_.GetRoots()))
            return FindChildPath(top.get(), path.substr(topPath.size() + 1));
    }
    return nullptr;
}

CTreeNode* CLeftViewModel::FindChildPath(const CTreeNode* node, const std::string& rest) const {
    const std::size_t slash = rest.find(kSeparator);
    const std::string name = rest.substr(0, slash);
    CTreeNode* child = ChildNamed(node, name);
    if (child == nullptr || slash == std::string::npos || slash + 1 == rest.size()) return child;
    // Only the first match is followed, as in a folder of unique names.
    return FindChildPath(child, rest.substr(slash + 1));
}

CTreeNode* CLeftViewModel::ChildNamed(const CTreeNode* parent, const std::string& name) const {
    const std::string parentPath = GetNodePath(parent);
    const std::string wanted = JoinPath(parentPath, name);
    for (const auto& child : parent->children)
        if (SameItemPath(wanted, JoinPath(parentPath, child->text), doc_.GetRoots()))
            return child.get();
    return nullptr;
}

CTreeNode* CLeftViewModel::NextSibling(const CTreeNode* node) const {
    const auto& siblings = node->parent->children;
    for (std::size_t i = 0; i + 1 < siblings.size(); ++i)
        if (siblings[i].get() == node) return siblings[i + 1].get();
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

void CLeftViewModel::EnumerateFolders(CTreeNode* node) {
    const std::string nodePath = GetNodePath(node);
    for (const folderlist::CFolderEntry& entry : folderlist::ListFolder(nodePath)) {
        if (!entry.isFolder) continue;
        // The path scheme decides: a folder at device level must name a device.
        const CItemPathInfo info = doc_.ClassifyPath(JoinPath(nodePath, entry.name));
        if (!info.valid || !info.isFolder) continue;
        CTreeNode* child = ChildNamed(node, entry.name);
        if (child == nullptr) child = AppendNode(node, entry.name);
        if (node->expanded) EnumerateFolders(child);
    }
}

void CLeftViewModel::RemoveNode(CTreeNode* node) {
    // The roots stay, whatever the disk says: they are no folder to delete.
    if (node == nullptr || node->parent == nullptr || node->parent == &root_) return;
    if (Contains(node, selected_)) Select(node->parent);
    if (Contains(node, hover_)) StopHover();
    if (Contains(node, dropHighlight_)) SetDropHighlight(nullptr);
    if (sink_) sink_->OnNodeRemoving(*node);
    auto& siblings = node->parent->children;
    std::erase_if(siblings, [node](const auto& child) { return child.get() == node; });
}

CTreeNode* CLeftViewModel::RemoveIfGone(CTreeNode* node) {
    CTreeNode* next = NextSibling(node);
    const CItemPathInfo info = doc_.ClassifyPath(GetNodePath(node));
    if (!info.valid || !info.isFolder) {
        RemoveNode(node);
        return next;
    }
    for (CTreeNode* child = node->children.empty() ? nullptr : node->children.front().get();
         child != nullptr;)
        child = RemoveIfGone(child);
    return next;
}

void CLeftViewModel::RefreshFolders() {
    for (CTreeNode* top : {SetupRoot(), LibraryRoot()}) {
        if (top == nullptr) continue;
        EnumerateFolders(top);
        RemoveIfGone(top);
    }
}

CTreeNode* CLeftViewModel::CopySubtree(CTreeNode* source, CTreeNode* target, bool move) {
    if (source == nullptr || target == nullptr) return nullptr;
    const bool gone = move && !IsDirectory(GetNodePath(source));
    if (IsDirectory(JoinPath(GetNodePath(target), source->text))) {
        CTreeNode* copy = ChildNamed(target, source->text);
        if (copy == nullptr) copy = AppendNode(target, source->text);
        copy->data = target->data.Child();
        for (CTreeNode* child = source->children.empty() ? nullptr : source->children.front().get();
             child != nullptr;)
            child = CopySubtree(child, copy, move);
        if (source->expanded) Expand(copy);
        SetCut(copy, source->cut);
        if (move && selected_ == source) {
            resetList_ = false;
            Select(copy);
        }
    }
    CTreeNode* next = NextSibling(source);
    if (gone) RemoveNode(source);
    return next;
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
    if (hoverTimerRunning_) hoverTimer_.Stop();
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

int CLeftViewModel::DragOver(CTreeNode* node, const VelkPayload* payload, bool ctrlDown,
                             int allowedEffects) {
    if (payload == nullptr || !doc_.HasClipboardItems(payload)) return kDropNone;
    if (node == nullptr) {
        SetDropHighlight(nullptr);
        return kDropNone;
    }
    if (node != hover_) {
        StopHover();
        hover_ = node;
        hoverTimer_.Start(kHoverExpandMs);
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

std::optional<CTreeDropPaste> CLeftViewModel::Drop(CTreeNode* node, const VelkPayload* payload,
                                                   int effect) {
    SetDropHighlight(nullptr);
    StopHover();
    if (payload == nullptr || !doc_.HasClipboardItems(payload) || node == nullptr)
        return std::nullopt;
    const CTreeItemData& data = node->data;
    bool forceMove = false;
    if (data.rootKind != kRootDevice && effect == kDropMove) forceMove = true;
    else if (data.rootKind != kRootDevice && effect != kDropCopy) return std::nullopt;
    if (!doc_.CanPaste(payload, data.deviceIndex, data.rootKind, data.level)) return std::nullopt;
    return CTreeDropPaste{*payload, GetNodePath(node), forceMove, data.deviceIndex, data.rootKind,
                          data.level};
}

void CLeftViewModel::PrepareContextMenu(CTreeNode* node) {
    if (node != nullptr) Select(node);
}

// ---------------------------------------------------------------- commands

bool CLeftViewModel::CanToggleExpand() const {
    return selected_ != nullptr && !selected_->children.empty();
}

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
    doc_.Paste(nullptr, GetNodePath(selected_), false, data.deviceIndex, data.rootKind,
               data.level);
}

// ---------------------------------------------------------------- document callbacks

void CLeftViewModel::UpdateCutMarks(const CFNameList& cutNames) {
    std::set<const CTreeNode*> marked;
    CFNameList names(cutNames.GetText());
    for (std::string name = names.GetNext(); !name.empty(); name = names.GetNext())
        if (const CTreeNode* node = FindNodeByPath(name)) marked.insert(node);
    for (auto& top : root_.children)
        ForEachNode(*top, [&](CTreeNode& node) { SetCut(&node, marked.count(&node) != 0); });
}

void CLeftViewModel::OnItemsDeleted(const CFNameList& deleted) {
    CFNameList names(deleted.GetText());
    for (std::string name = names.GetNext(); !name.empty(); name = names.GetNext()) {
        CTreeNode* node = FindNodeByPath(name);
        if (node != nullptr && node->data.rootKind != kRootDevice) RemoveIfGone(node);
    }
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
    CFNameList names(pasted.GetText());
    for (std::string name = names.GetNext(); !name.empty(); name = names.GetNext()) {
        CTreeNode* source = FindNodeByPath(name);
        if (source == nullptr || source->data.rootKind == kRootDevice) continue;
        CTreeNode* targetNode = FindNodeByPath(target);
        if (targetNode == nullptr || Contains(source, targetNode) || targetNode == source->parent)
            continue;
        CopySubtree(source, targetNode, move);
        Expand(targetNode);
    }
    RefreshFolders();
}
