#include "librarian/wx/CExplorerPanes.h"

#include <wx/listctrl.h>
#include <wx/treectrl.h>

#include "device/MDevConfig.h"
#include "librarian/CVelkDoc.h"
#include "librarian/VelkPanes.h"
#include "librarian/VelkPrompter.h"
#include "resources/VelkStrings.h"

// Stand-ins for the explorer's tree and list views until those land: the
// tree shows the three roots with the detected device and runs the start-up
// detection; the list only carries the view styles.
namespace {

using namespace velk;

wxString Utf8(const std::string& text) { return wxString::FromUTF8(text); }

class CInterimTree final : public wxTreeCtrl, public VelkTreePane {
public:
    CInterimTree(wxWindow* parent, CVelkDoc& doc, VelkPrompter& prompter)
        : wxTreeCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                     wxTR_HAS_BUTTONS | wxTR_HIDE_ROOT | wxTR_LINES_AT_ROOT | wxTR_EDIT_LABELS),
          doc_(doc),
          prompter_(prompter) {}

    void InitialUpdate() {
        doc_.SelectMidiPorts();
        doc_.DetectDevices();
        BuildTree();
    }
    void Reconnect() override {
        doc_.DetectDevices();
        BuildTree();
    }

private:
    void BuildTree() {
        DeleteAllItems();
        const wxTreeItemId root = AddRoot("");
        MDevConfig& config = doc_.GetDevConfig();
        wxTreeItemId device;
        for (const char* name : {text::kMyDevice, text::kMySetup, text::kMyLibrary}) {
            const wxTreeItemId node = AppendItem(root, name);
            if (!device.IsOk()) device = node;
            for (int i = 0; i < config.GetDeviceCount(); ++i)
                AppendItem(node, Utf8(config.GetDeviceName(i).value_or("")));
            Expand(node);
        }
        if (config.GetDeviceCount() == 0)
            prompter_.ShowMessage(text::kNoDeviceFound, text::kAppTitle, VelkIcon::kNone);
        SelectItem(device);
    }

    CVelkDoc& doc_;
    VelkPrompter& prompter_;
};

class CInterimList final : public wxListCtrl, public VelkListPane {
public:
    explicit CInterimList(wxWindow* parent)
        : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                     wxLC_REPORT | wxLC_EDIT_LABELS) {
        InsertColumn(0, text::kColumnName, wxLIST_FORMAT_LEFT, 200);
        InsertColumn(1, text::kColumnNumber, wxLIST_FORMAT_LEFT, 80);
        InsertColumn(2, text::kColumnType, wxLIST_FORMAT_LEFT, 120);
    }

    int GetActiveSortColumn() const override { return activeColumn_; }
    void SortBy(int column) override { activeColumn_ = column; }
    int GetViewStyleType() const override {
        const long style = GetWindowStyleFlag();
        if (style & wxLC_ICON) return kStyleIcon;
        if (style & wxLC_SMALL_ICON) return kStyleSmallIcon;
        if (style & wxLC_LIST) return kStyleList;
        return kStyleReport;
    }
    void SetViewStyle(int style) override {
        static constexpr long kFlags[] = {wxLC_ICON, wxLC_REPORT, wxLC_SMALL_ICON, wxLC_LIST};
        if (style >= 0 && style < 4) SetSingleStyle(kFlags[style]);
    }

private:
    int activeColumn_ = -1;
};

}  // namespace

VelkExplorerPanes CreateExplorerPanes(wxWindow* splitter, CVelkDoc& doc, VelkPrompter& prompter) {
    auto* tree = new CInterimTree(splitter, doc, prompter);
    auto* list = new CInterimList(splitter);
    return {tree, list, tree, list, [tree] { tree->InitialUpdate(); }};
}
