#include "librarian/wx/CLeftView.h"

#include <wx/dnd.h>
#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include "librarian/wx/CWxClipboard.h"
#include "librarian/wx/CWxDropPaste.h"
#include "librarian/wx/VelkViewInput.h"
#include "resources/VelkCommandIds.h"
#include "resources/VelkMenus.h"
#include "resources/VelkStrings.h"
#include "resources/wx/VelkArt.h"
#include "resources/wx/VelkMenuBuilder.h"

namespace {

using velk::ToWxCommandId;
using namespace velk;

// The node behind a tree item.
class CNodeData final : public wxTreeItemData {
public:
    explicit CNodeData(const CTreeNode& node) : node(const_cast<CTreeNode*>(&node)) {}
    CTreeNode* node;
};

}  // namespace

CLeftView::CLeftView(wxWindow* parent, CVelkDoc& doc, VelkUiServices& ui, VelkLauncher& launcher)
    : wxTreeCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_HIDE_ROOT | wxTR_EDIT_LABELS | wxTR_SINGLE |
                     wxBORDER_SUNKEN),
      doc_(doc),
      model_(doc, ui, launcher),
      images_(velk::CreateVelkTreeImageList()) {
    SetImageList(images_.get());
    AddRoot(wxString());
    model_.SetSink(this);
    SetDropTarget(new velkview::CViewDropTarget(
        {[this](const wxPoint& point, bool ctrlDown, const velkview::OfferedDrag& drag) {
             return DragOverAt(point, ctrlDown, drag);
         },
         [this] { DragLeave(); },
         [this](const wxPoint& point, wxDragResult effect, const velkview::OfferedDrag& drag) {
             return DropAt(point, effect, drag);
         }}));

    Bind(wxEVT_TREE_SEL_CHANGED, [this](wxTreeEvent& event) {
        if (syncing_ == 0) model_.Select(NodeOf(event.GetItem()));
    });
    Bind(wxEVT_TREE_ITEM_EXPANDED, [this](wxTreeEvent& event) {
        if (syncing_ == 0) model_.Expand(NodeOf(event.GetItem()));
    });
    Bind(wxEVT_TREE_ITEM_COLLAPSED, [this](wxTreeEvent& event) {
        if (syncing_ == 0) model_.Collapse(NodeOf(event.GetItem()));
    });
    // The event's item, never the selection: on GTK an edit ends on focus
    // loss, possibly after a click selected another node.
    Bind(wxEVT_TREE_BEGIN_LABEL_EDIT, [this](wxTreeEvent& event) {
        if (!model_.BeginLabelEdit(NodeOf(event.GetItem()))) event.Veto();
    });
    Bind(wxEVT_TREE_END_LABEL_EDIT, [this](wxTreeEvent& event) {
        // The old text stays; a rename that succeeds sets the new one.
        event.Veto();
        model_.EndLabelEdit(NodeOf(event.GetItem()), event.GetLabel().utf8_string(), event.IsEditCancelled());
    });
    Bind(wxEVT_TREE_BEGIN_DRAG, [this](wxTreeEvent& event) { model_.BeginDrag(NodeOf(event.GetItem())); });
    // A right click makes the tree the view the menu bar and the keys act
    // on, as a left click does.
    Bind(wxEVT_RIGHT_DOWN, [this](wxMouseEvent& event) {
        event.Skip();
        SetFocus();
    });
    // A right click on a node asks for the menu twice (the node's menu,
    // then GTK's), one on the empty space once: the menu shows once, for
    // the selected node (the node clicked is selected by then).
    Bind(wxEVT_TREE_ITEM_MENU, [this](wxTreeEvent& event) {
        model_.PrepareContextMenu(NodeOf(event.GetItem()));
        menuOnce_.Request(*this, [this] { ShowContextMenu(); });
    });
    Bind(wxEVT_CONTEXT_MENU,
         [this](wxContextMenuEvent&) { menuOnce_.Request(*this, [this] { ShowContextMenu(); }); });
    BindCommands();
}

CLeftView::~CLeftView() {
    model_.SetSink(nullptr);
    SetImageList(nullptr);
}

void CLeftView::BindCommands() {
    using velkview::BindCommand;
    BindCommand(
        *this, ID_TREE_EXPAND, [this] { return model_.CanToggleExpand(); },
        [this] { model_.ToggleExpand(); });
    BindCommand(
        *this, ID_FILE_EXPLORER, [this] { return model_.CanExplore(); }, [this] { model_.Explore(); });
    BindCommand(
        *this, ID_FILE_DELETE, [this] { return model_.CanDeleteSelected(); },
        [this] { model_.DeleteSelected(); });
    BindCommand(
        *this, ID_FILE_RENAME, [this] { return model_.CanRenameSelected(); },
        [this] { model_.RenameSelected(); });
    // While a label is edited, the edit commands work on the edit's text.
    velkview::BindEditCommands(
        *this, [this] { return GetEditControl(); },
        {[this](bool cut) { return model_.CanCopySelected(cut); },
         [this](bool cut) { model_.CopySelected(cut); }, [this] { return model_.CanPasteSelected(); },
         [this] { model_.PasteSelected(); }});
}

wxTreeItemId CLeftView::ItemOf(const CTreeNode* node) const {
    if (node == nullptr) return {};
    if (node == &model_.HiddenRoot()) return GetRootItem();
    const auto it = items_.find(node);
    return it == items_.end() ? wxTreeItemId() : it->second;
}

CTreeNode* CLeftView::NodeOf(const wxTreeItemId& item) const {
    if (!item.IsOk()) return nullptr;
    const auto* data = dynamic_cast<CNodeData*>(GetItemData(item));
    return data ? data->node : nullptr;
}

void CLeftView::ShowContextMenu() {
    std::unique_ptr<wxMenu> menu = velk::BuildVelkMenu(velk::VelkTreeContextMenu());
    PopupMenu(menu.get());
}

CTreeNode* CLeftView::NodeAt(const wxPoint& point) const {
    // Anywhere on a node's row: its indent, button, icon, label or the
    // empty rest of the row.
    constexpr int kOnRow = wxTREE_HITTEST_ONITEMINDENT | wxTREE_HITTEST_ONITEMBUTTON |
                           wxTREE_HITTEST_ONITEMICON | wxTREE_HITTEST_ONITEMLABEL |
                           wxTREE_HITTEST_ONITEMSTATEICON | wxTREE_HITTEST_ONITEMRIGHT;
    int flags = 0;
    const wxTreeItemId item = HitTest(point, flags);
    if (!(flags & kOnRow)) return nullptr;
    return NodeOf(item);
}

namespace {

// The node's images, normal and selected. A cut node shows greyed: a ghost
// image (and grey text).
std::pair<int, int> ImagesOf(const CTreeNode& node) {
    const int image = node.ShowsDevice() ? velk::kVelkTreeDevice : velk::kVelkTreeFolder;
    if (node.cut) return {velk::VelkTreeGhost(image), velk::VelkTreeGhost(image + 1)};
    return {image, image + 1};
}

}  // namespace

void CLeftView::ShowNode(const wxTreeItemId& item, const CTreeNode& node) {
    const auto [image, selected] = ImagesOf(node);
    SetItemImage(item, image, wxTreeItemIcon_Normal);
    SetItemImage(item, selected, wxTreeItemIcon_Selected);
    SetItemTextColour(item, node.cut ? wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT) : wxNullColour);
}

void CLeftView::Forget(const CTreeNode& node) {
    for (const auto& child : node.children) Forget(*child);
    items_.erase(&node);
}

// ---------------------------------------------------------------- sink

void CLeftView::OnTreeCleared() {
    velkview::SyncScope sync(syncing_);
    highlighted_ = wxTreeItemId();
    DeleteChildren(GetRootItem());
    items_.clear();
}

void CLeftView::OnNodeAdded(const CTreeNode& node) {
    velkview::SyncScope sync(syncing_);
    const wxTreeItemId parent = ItemOf(node.parent);
    if (!parent.IsOk()) return;
    // The images go in with the item: each later change of an item costs
    // the control a measure of its text, which adds up over 10,000 nodes.
    const auto [image, selected] = ImagesOf(node);
    const wxTreeItemId item =
        AppendItem(parent, wxString::FromUTF8(node.text), image, selected, new CNodeData(node));
    items_[&node] = item;
    if (node.cut) ShowNode(item, node);
}

void CLeftView::OnNodeRemoving(const CTreeNode& node) {
    velkview::SyncScope sync(syncing_);
    const wxTreeItemId item = ItemOf(&node);
    Forget(node);
    if (item.IsOk()) {
        if (highlighted_.IsOk() && (highlighted_ == item)) highlighted_ = wxTreeItemId();
        Delete(item);
    }
}

void CLeftView::OnNodeChanged(const CTreeNode& node) {
    velkview::SyncScope sync(syncing_);
    const wxTreeItemId item = ItemOf(&node);
    if (!item.IsOk()) return;
    SetItemText(item, wxString::FromUTF8(node.text));
    ShowNode(item, node);
}

void CLeftView::OnNodeExpanded(const CTreeNode& node) {
    velkview::SyncScope sync(syncing_);
    if (const wxTreeItemId item = ItemOf(&node); item.IsOk()) Expand(item);
}

void CLeftView::OnNodeCollapsed(const CTreeNode& node) {
    velkview::SyncScope sync(syncing_);
    if (const wxTreeItemId item = ItemOf(&node); item.IsOk()) Collapse(item);
}

void CLeftView::OnNodeSelected(const CTreeNode* node) {
    velkview::SyncScope sync(syncing_);
    const wxTreeItemId item = ItemOf(node);
    if (item.IsOk()) SelectItem(item);
    else Unselect();
}

void CLeftView::OnDropHighlight(const CTreeNode* node) {
    if (highlighted_.IsOk()) SetItemDropHighlight(highlighted_, false);
    highlighted_ = ItemOf(node);
    if (highlighted_.IsOk()) SetItemDropHighlight(highlighted_, true);
}

void CLeftView::OnStartLabelEdit(const CTreeNode& node) {
    if (const wxTreeItemId item = ItemOf(&node); item.IsOk()) EditLabel(item);
}

// ---------------------------------------------------------------- drop target

wxDragResult CLeftView::DragOverAt(const wxPoint& point, bool ctrlDown, const velkview::OfferedDrag& drag) {
    return velkview::ToDragResult(model_.DragOver(NodeAt(point), drag.payload, ctrlDown, drag.Allowed()));
}

bool CLeftView::DropAt(const wxPoint& point, wxDragResult effect, const velkview::OfferedDrag& drag) {
    std::optional<CTreeDropPaste> paste =
        model_.Drop(NodeAt(point), drag.payload, velkview::ToEffect(effect));
    if (!paste) return false;
    // Modal questions and waiting loops must not run inside GTK's drag
    // handlers: the paste runs once the drag has returned.
    PasteDropLater(doc_, paste->payload, paste->target, paste->forceMove, paste->deviceIndex, paste->rootKind,
                   paste->level);
    return true;
}
