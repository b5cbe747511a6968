#pragma once
// The two panes of the explorer window, made for the frame's splitter: the
// tree (CLeftView) on the left, the list (CVelkView) on the right, with what
// the frame needs of them. InitialUpdate runs the panes' initial updates,
// tree first (which detects the device), then list.

#include <memory>

class CLeftView;
class CVelkDoc;
class CVelkPreference;
class CVelkView;
class VelkLauncher;
class VelkListPane;
class VelkTreePane;
class VelkUiServices;
class wxWindow;

class CExplorerPanes {
public:
    // Creates both panes as children of `splitter`.
    CExplorerPanes(wxWindow* splitter, CVelkDoc& doc, CVelkPreference& preference, VelkUiServices& ui,
                   VelkLauncher& launcher);
    ~CExplorerPanes();
    CExplorerPanes(const CExplorerPanes&) = delete;
    CExplorerPanes& operator=(const CExplorerPanes&) = delete;

    void InitialUpdate();

    CLeftView* GetTree() const { return tree_; }
    CVelkView* GetList() const { return list_; }
    VelkTreePane& GetTreePane() const { return *treePane_; }
    VelkListPane& GetListPane() const { return *listPane_; }

private:
    CLeftView* tree_;  // owned by the splitter
    CVelkView* list_;
    std::unique_ptr<VelkTreePane> treePane_;
    std::unique_ptr<VelkListPane> listPane_;
};
