#pragma once
// The explorer's list: the contents of the folder selected in the tree (the
// document's current folder). Under "My Device" one row per device; under a
// device its Global row and its programs; under "My Setup" and "My Library"
// the device folders, and below them subfolders and dump files with their
// dates. The model holds the rows (six column texts, image, openable, cut
// and drop marks, selection), the column titles and widths, the sort state
// and the display styles; the window mirrors it through CVelkViewSink. The
// rows are sorted here with a stable sort, so equal rows keep their order.

#include <array>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "librarian/CFolderListing.h"
#include "librarian/VelkDocViews.h"

class CVelkDoc;
class CVelkPreference;

// Image indices of the rows (the window's image lists use the same).
enum CListRowImage : int {
    kRowImageSetupFile = 0,
    kRowImageProgram = 1,
    kRowImageGlobal = 2,
    kRowImageFolder = 3,
    kRowImageDevice = 4,
};

// Display styles: 0 large icons, 1 details, 2 small icons, 3 list.
enum CListStyle : int { kStyleIcon = 0, kStyleReport = 1, kStyleSmallIcon = 2, kStyleList = 3 };

struct CListRow {
    static constexpr int kColumnCount = 6;
    // Name, Number or Date, Type, and the device's three columns.
    std::array<std::string, kColumnCount> texts;
    int image = kRowImageFolder;
    // A device's global or program row, or a file row: it opens in an editor.
    bool openable = false;
    bool cut = false;
    bool dropHighlight = false;
    bool selected = false;
};

// What the window does to follow the model.
class CVelkViewSink {
public:
    virtual ~CVelkViewSink() = default;
    // The rows are about to move: the window reports its selection now
    // (SetSelected), while its rows still match the model's.
    virtual void OnRowsChanging() = 0;
    // Every row anew (after a sort or a fill with reset): often the same
    // rows as before, in another order or in the same.
    virtual void OnRowsReset() = 0;
    // `count` rows were inserted at `first`.
    virtual void OnRowsInserted(int first, int count) = 0;
    virtual void OnRowDeleted(int row) = 0;
    // Text, cut, drop highlight or selection of the row changed.
    virtual void OnRowChanged(int row) = 0;
    virtual void OnColumnsChanged() = 0;
    virtual void OnStyleChanged(int style) = 0;
    virtual void OnStartLabelEdit(int row) = 0;
};

class CVelkViewModel final : public VelkDocView {
public:
    static constexpr int kColumnCount = CListRow::kColumnCount;
    static constexpr int kResetColumnWidth = 120;

    CVelkViewModel(CVelkDoc& doc, CVelkPreference& preference);
    ~CVelkViewModel() override;
    CVelkViewModel(const CVelkViewModel&) = delete;
    CVelkViewModel& operator=(const CVelkViewModel&) = delete;

    void SetSink(CVelkViewSink* sink) { sink_ = sink; }

    // Reads the sort order and styles, fills the list and registers with the
    // document.
    void InitialUpdate();

    const std::vector<CListRow>& Rows() const { return rows_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    const std::string& ColumnTitle(int column) const { return titles_.at(column); }
    int ColumnWidth(int column) const { return widths_.at(column); }
    // The user resized a column in the details style.
    void SetColumnWidth(int column, int width);
    int GetActiveSortColumn() const { return activeColumn_; }
    bool GetActiveBackOrder() const { return activeBackOrder_; }
    // The style of the lists of the folder shown.
    int GetViewStyle() const;
    bool IsInserting() const { return inserting_; }

    // Sorting and styles (commands of the main frame and header clicks).
    void Sort(int mode);
    void SortBy(int column);
    void SetViewStyle(int style);
    // The list changed its size: the order stays and no column is active.
    void OnSize();

    std::string GetItemPath(int row) const;
    // The row of the leaf name of an item of the folder shown; -1 for none.
    int FindItem(const std::string& leaf) const;

    // Selection and drop highlight as the window reports them.
    void SetSelected(int row, bool selected);
    void SetDropHighlight(int row);  // -1 clears it

    // Renaming in place. An edit belongs to the item it began on, kept by
    // its path: the edit may end after the list was refilled or sorted (on
    // GTK it ends on focus loss, after the click that caused it was
    // handled), and the name then goes to that item, or nowhere when the
    // item is gone, never to the row now at its place.
    bool CanEditLabel(int row) const;
    // False when the row's name cannot be edited; else the edit begins.
    bool BeginLabelEdit(int row);
    bool IsEditingLabel() const { return labelEdit_.has_value(); }
    // The typed text; a cancelled edit renames nothing.
    void EndLabelEdit(const std::string& text, bool cancelled);

    // VelkDocView
    void FillList(const std::string& path, bool reset) override;
    void UpdateCutMarks(const CFNameList& cutNames) override;
    void OnItemRenamed(const std::string& oldPath, const std::string& newName) override;
    void OnItemsDeleted(const CFNameList& names) override;
    void OnFolderCreated(const std::string& path) override;
    void OnPasted(const CFNameList& names, const std::string& target, bool move) override;

private:
    struct CSortSetting {
        int column = 0;
        bool backOrder = false;
    };

    int Kind() const;
    int Level() const;
    const std::string& CurrentPath() const;
    CSortSetting& KindSort();
    void FillDeviceRows();
    std::vector<folderlist::CFolderEntry> ListCurrentFolder() const;
    void RemoveVanishedRows(const std::vector<folderlist::CFolderEntry>& entries);
    void AddNewEntries(const std::vector<folderlist::CFolderEntry>& entries);
    std::optional<CListRow> MakeFileRow(const std::string& name, std::optional<std::time_t> written) const;
    std::optional<CListRow> MakeFolderRow(const std::string& name, std::optional<std::time_t> written) const;
    // Rows go in at the top: the last of `rows` ends first.
    void InsertAtTop(std::vector<CListRow> rows);
    // `rows` ascending, each once.
    void DeleteRows(const std::vector<int>& rows);
    // The key under which a leaf name is looked up among the rows.
    std::string NameKey(const std::string& name) const;
    bool ParentIsShown(const std::string& path) const;
    void ApplyStyle();
    void RowsChanging();
    // The rows in the order of the list's sort setting, which becomes the
    // active one; the window is not told.
    void SortRows();

    CVelkDoc& doc_;
    CVelkPreference& preference_;
    CVelkViewSink* sink_ = nullptr;
    bool registered_ = false;

    std::vector<CListRow> rows_;
    std::array<std::string, kColumnCount> titles_;
    std::array<int, kColumnCount> widths_;
    int activeColumn_ = -1;
    bool activeBackOrder_ = false;
    CSortSetting devSort_{1, false};
    CSortSetting fileSort_{0, false};
    int viewStyleDev_ = kStyleIcon;
    int viewStyleFile_ = kStyleIcon;
    bool inserting_ = false;
    bool quietInserts_ = false;

    // The item whose name is being edited.
    struct CLabelEdit {
        std::string path;
        bool openable = false;
        int rootKind = 0;
    };
    std::optional<CLabelEdit> labelEdit_;
};
