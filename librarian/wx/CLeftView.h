#pragma once
// The explorer's left pane: a wxTreeCtrl that mirrors CLeftViewModel. A
// hidden root holds "My Device", "My Setup" and "My Library". The window
// reports the user's selection, expansion, label edits, drags, drops and
// context-menu commands to the model and shows what the model says.

#include <wx/dnd.h>
#include <wx/treectrl.h>

#include <memory>
#include <unordered_map>

#include "librarian/CLeftViewModel.h"
#include "librarian/wx/VelkViewInput.h"

class wxImageList;

class CLeftView final : public wxTreeCtrl, private CLeftViewSink {
public:
    CLeftView(wxWindow* parent, CVelkDoc& doc, VelkUiServices& ui, VelkLauncher& launcher);
    ~CLeftView() override;

    CLeftViewModel& Model() { return model_; }
    // Port choice, detection and the first tree.
    void InitialUpdate() { model_.InitialUpdate(); }

    wxTreeItemId ItemOf(const CTreeNode* node) const;
    CTreeNode* NodeOf(const wxTreeItemId& item) const;

    // The drop target's side, for the drag it is offered.
    wxDragResult DragOverAt(const wxPoint& point, bool ctrlDown, const velkview::OfferedDrag& drag);
    void DragLeave() { model_.DragLeave(); }
    bool DropAt(const wxPoint& point, wxDragResult effect, const velkview::OfferedDrag& drag);

private:
    // CLeftViewSink
    void OnTreeCleared() override;
    void OnNodeAdded(const CTreeNode& node) override;
    void OnNodeRemoving(const CTreeNode& node) override;
    void OnNodeChanged(const CTreeNode& node) override;
    void OnNodeExpanded(const CTreeNode& node) override;
    void OnNodeCollapsed(const CTreeNode& node) override;
    void OnNodeSelected(const CTreeNode* node) override;
    void OnDropHighlight(const CTreeNode* node) override;
    void OnStartLabelEdit(const CTreeNode& node) override;

    void ShowNode(const wxTreeItemId& item, const CTreeNode& node);
    void ShowContextMenu();
    void Forget(const CTreeNode& node);
    void BindCommands();
    CTreeNode* NodeAt(const wxPoint& point) const;

    CVelkDoc& doc_;
    CLeftViewModel model_;
    std::unique_ptr<wxImageList> images_;
    std::unordered_map<const CTreeNode*, wxTreeItemId> items_;
    wxTreeItemId highlighted_;
    // Set while the window follows the model: the events that raises are
    // the model's own doing and are not reported back.
    int syncing_ = 0;
    velkview::CMenuOnce menuOnce_;
};
