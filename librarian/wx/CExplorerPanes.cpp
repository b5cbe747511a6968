#include "librarian/wx/CExplorerPanes.h"

#include "librarian/VelkPanes.h"
#include "librarian/wx/CLeftView.h"
#include "librarian/wx/CVelkView.h"

namespace {

class CTreePane final : public VelkTreePane {
public:
    explicit CTreePane(CLeftView& view) : view_(view) {}
    void Reconnect() override { view_.Model().Reconnect(); }

private:
    CLeftView& view_;
};

class CListPane final : public VelkListPane {
public:
    explicit CListPane(CVelkView& view) : view_(view) {}
    int GetActiveSortColumn() const override { return view_.Model().GetActiveSortColumn(); }
    void SortBy(int column) override { view_.Model().SortBy(column); }
    // The window's own style, not the stored preference.
    int GetViewStyleType() const override {
        const long style = view_.GetWindowStyleFlag();
        if (style & wxLC_ICON) return kStyleIcon;
        if (style & wxLC_SMALL_ICON) return kStyleSmallIcon;
        if (style & wxLC_LIST) return kStyleList;
        return kStyleReport;
    }
    void SetViewStyle(int style) override { view_.Model().SetViewStyle(style); }

private:
    CVelkView& view_;
};

}  // namespace

CExplorerPanes::CExplorerPanes(wxWindow* splitter, CVelkDoc& doc, CVelkPreference& preference,
                               VelkUiServices& ui, VelkLauncher& launcher)
    : tree_(new CLeftView(splitter, doc, ui, launcher)),
      list_(new CVelkView(splitter, doc, preference, &launcher)),
      treePane_(std::make_unique<CTreePane>(*tree_)),
      listPane_(std::make_unique<CListPane>(*list_)) {
    // A folder or device row of the list opens as the tree's child.
    list_->Commands().SetTree(&tree_->Model());
}

CExplorerPanes::~CExplorerPanes() = default;

void CExplorerPanes::InitialUpdate() {
    tree_->InitialUpdate();
    list_->InitialUpdate();
}
