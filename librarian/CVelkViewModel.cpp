#include "librarian/CVelkViewModel.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

#include "device/MDevDesc.h"
#include "device/MDevProgramName.h"
#include "librarian/CFolderListing.h"
#include "librarian/CItemRules.h"
#include "librarian/CVelkDoc.h"
#include "librarian/CVelkPreference.h"
#include "resources/VelkStrings.h"

namespace fs = std::filesystem;
using namespace itempath;
namespace text = velk::text;

namespace {

// Type is wider than the 80 pixels of old: "Program File" fits at the
// desktop's larger default font.
constexpr std::array<int, CListRow::kColumnCount> kInitialWidths = {160, 120, 100, 120, 120, 120};

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Folded(std::string text) {
    for (char& c : text) c = FoldCase(c);
    return text;
}

bool ExistsOnDisk(const std::string& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// The extension as a path splitter gives it: from the last '.' of the name.
std::string_view Extension(std::string_view name) {
    const auto dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view{} : name.substr(dot);
}

// The last four characters (the whole text when shorter).
std::string_view LastFour(std::string_view text) {
    return text.size() < 4 ? text : text.substr(text.size() - 4);
}

bool InRange(int value, int count) { return value >= 0 && value < count; }

}  // namespace

// Finds rows by the leaf names of item paths, first in position order. A
// device's items are found by their number ("Program:<number>") or type
// ("Global:-"). Other names compare as item paths do: the rows of a root's
// folder are devices, whose names ignore case; below a device folder names
// compare exactly.
class CRowLookup {
public:
    CRowLookup(const std::vector<CListRow>& rows, bool deviceItems, bool foldNames)
        : deviceItems_(deviceItems), foldNames_(foldNames) {
        for (int i = static_cast<int>(rows.size()) - 1; i >= 0; --i) {
            const CListRow& row = rows[i];
            if (deviceItems_) {
                numbers_[row.texts[1]] = i;
                if (row.texts[2] == text::kTypeGlobal) global_ = i;
            } else {
                names_[Key(row.texts[0])] = i;
            }
        }
    }

    int Find(const std::string& leaf) const {
        if (deviceItems_ && IsProgramItem(leaf)) return Lookup(numbers_, GetProgramNumber(leaf));
        if (deviceItems_ && IsGlobalItem(leaf)) return global_;
        return deviceItems_ ? -1 : Lookup(names_, Key(leaf));
    }

    std::string Key(const std::string& name) const { return foldNames_ ? Folded(name) : name; }

private:
    static int Lookup(const std::unordered_map<std::string, int>& map, const std::string& key) {
        const auto it = map.find(key);
        return it == map.end() ? -1 : it->second;
    }

    bool deviceItems_;
    bool foldNames_;
    std::unordered_map<std::string, int> numbers_;
    std::unordered_map<std::string, int> names_;
    int global_ = -1;
};

CVelkViewModel::CVelkViewModel(CVelkDoc& doc, CVelkPreference& preference)
    : doc_(doc), preference_(preference), widths_(kInitialWidths) {
    titles_ = {text::kColumnName, text::kColumnNumber, text::kColumnType,
               text::kColumnNone, text::kColumnNone,   text::kColumnNone};
}

CVelkViewModel::~CVelkViewModel() {
    if (registered_) doc_.SetListView(nullptr);
}

void CVelkViewModel::InitialUpdate() {
    int devColumn = 0, devBack = 0, fileColumn = 0, fileBack = 0;
    preference_.GetSortOrder(devColumn, devBack, fileColumn, fileBack);
    // The profile can be edited by hand: never use a stored value as an
    // index unchecked.
    devSort_ = {InRange(devColumn, kColumnCount) ? devColumn : CVelkPreference::kDefaultDevColumn,
                devBack != 0};
    fileSort_ = {InRange(fileColumn, kColumnCount) ? fileColumn : CVelkPreference::kDefaultFileColumn,
                 fileBack != 0};
    int devStyle = 0, fileStyle = 0;
    preference_.GetViewStyle(devStyle, fileStyle);
    viewStyleDev_ = InRange(devStyle, 4) ? devStyle : kStyleIcon;
    viewStyleFile_ = InRange(fileStyle, 4) ? fileStyle : kStyleIcon;
    if (sink_) sink_->OnColumnsChanged();
    FillList(CurrentPath(), true);
    doc_.SetListView(this);
    registered_ = true;
}

int CVelkViewModel::Kind() const { return doc_.GetCurrentFolder().rootKind; }
int CVelkViewModel::Level() const { return doc_.GetCurrentFolder().level; }
const std::string& CVelkViewModel::CurrentPath() const { return doc_.GetCurrentFolder().path; }

CVelkViewModel::CSortSetting& CVelkViewModel::KindSort() {
    return Kind() == kRootDevice ? devSort_ : fileSort_;
}

int CVelkViewModel::GetViewStyle() const { return Kind() == kRootDevice ? viewStyleDev_ : viewStyleFile_; }

void CVelkViewModel::SetColumnWidth(int column, int width) {
    if (InRange(column, kColumnCount) && width >= 0) widths_[column] = width;
}

// ---------------------------------------------------------------- filling

void CVelkViewModel::RowsChanging() {
    if (sink_) sink_->OnRowsChanging();
}

void CVelkViewModel::FillList(const std::string&, bool reset) {
    RowsChanging();
    const bool deviceList = Kind() == kRootDevice;
    titles_[3] = titles_[4] = titles_[5] = text::kColumnNone;
    if (deviceList || reset) {
        rows_.clear();
        // A device's rows may first be received under a waiting loop: the
        // window lets its old rows go now. A setup or library list is shown
        // once, at the sort, so the window keeps the items that stay.
        if (deviceList && sink_) sink_->OnRowsReset();
    }
    // A fill that ends in a sort shows its rows once, at the sort.
    quietInserts_ = deviceList || reset;
    if (deviceList) {
        titles_[1] = text::kColumnNumber;
        FillDeviceRows();
    } else {
        titles_[1] = text::kColumnDate;
        const std::vector<folderlist::CFolderEntry> entries = ListCurrentFolder();
        if (!reset) RemoveVanishedRows(entries);
        AddNewEntries(entries);
    }
    quietInserts_ = false;
    // Without reset the rows that stay keep their place and new rows stand
    // at the top; a device list is always rebuilt and sorted.
    if (deviceList || reset) {
        SortRows();
        if (sink_) sink_->OnRowsReset();
    }
    for (int column : {1, 3, 4, 5}) widths_[column] = kResetColumnWidth;
    if (sink_) sink_->OnColumnsChanged();
    ApplyStyle();
}

void CVelkViewModel::FillDeviceRows() {
    MDevConfig& config = doc_.GetDevConfig();
    std::vector<CListRow> rows;
    if (Level() == 0) {
        for (int i = 0; i < config.GetDeviceCount(); ++i) {
            CListRow row;
            row.texts[0] = config.GetDeviceName(i).value_or("");
            row.texts[1] = text::kColumnNone;
            row.texts[2] = text::kTypeMidiDevice;
            row.image = kRowImageDevice;
            rows.push_back(std::move(row));
        }
    } else if (Level() == 1) {
        MDevDesc* device = config.GetDevice(doc_.GetCurrentFolder().deviceIndex);
        if (device == nullptr) return;
        doc_.ReceiveAll(device);
        for (int column = 0; column < 3; ++column) titles_[3 + column] = device->GetColumnTitle(column);
        for (int i = 0; i < device->GetGlobalCount(); ++i) {
            CListRow row;
            row.texts[0] = device->GetGlobalName(i);
            row.texts[1] = device->FormatGlobalNumber(i);
            row.texts[2] = text::kTypeGlobal;
            row.image = kRowImageGlobal;
            row.openable = true;
            rows.push_back(std::move(row));
        }
        for (int i = 0; i < device->GetProgramCount(); ++i) {
            CListRow row;
            row.texts[0] = MDevProgramName::AsText(device->GetProgramName(i).value_or(""));
            row.texts[1] = device->FormatProgramNumber(i).value_or("");
            row.texts[2] = text::kTypeProgram;
            for (int column = 0; column < 3; ++column)
                row.texts[3 + column] = device->GetColumnText(i, column).value_or("");
            row.image = kRowImageProgram;
            row.openable = true;
            rows.push_back(std::move(row));
        }
    }
    InsertAtTop(std::move(rows));
}

std::vector<folderlist::CFolderEntry> CVelkViewModel::ListCurrentFolder() const {
    // Only a valid folder of its side is listed: never one that is gone or
    // reached through a link, which could lead anywhere on the disk.
    const CItemPathInfo info = doc_.ClassifyPath(CurrentPath());
    if (!info.valid || !info.isFolder || info.rootKind == kRootDevice) return {};
    return folderlist::ListFolder(CurrentPath());
}

void CVelkViewModel::RemoveVanishedRows(const std::vector<folderlist::CFolderEntry>& entries) {
    const CRowLookup lookup(rows_, false, Level() == 0);
    std::unordered_set<std::string> listed;
    for (const folderlist::CFolderEntry& entry : entries) listed.insert(lookup.Key(entry.name));
    std::vector<int> gone;
    for (int row = 0; row < RowCount(); ++row)
        if (listed.count(lookup.Key(rows_[row].texts[0])) == 0) gone.push_back(row);
    DeleteRows(gone);
}

void CVelkViewModel::AddNewEntries(const std::vector<folderlist::CFolderEntry>& entries) {
    const CRowLookup lookup(rows_, false, Level() == 0);
    std::unordered_set<std::string> shown;
    for (const CListRow& row : rows_) shown.insert(lookup.Key(row.texts[0]));
    std::vector<CListRow> added;
    for (const folderlist::CFolderEntry& entry : entries) {
        std::optional<CListRow> row = entry.isFolder ? MakeFolderRow(entry.name, entry.written)
                                                     : MakeFileRow(entry.name, entry.written);
        if (row && shown.insert(lookup.Key(row->texts[0])).second) added.push_back(std::move(*row));
    }
    InsertAtTop(std::move(added));
}

std::optional<CListRow> CVelkViewModel::MakeFileRow(const std::string& name,
                                                    std::optional<std::time_t> written) const {
    if (Level() == 0) return std::nullopt;
    // Extensions compare exactly: "X.PRG" is not a program file.
    const std::string_view extension = Extension(name);
    CListRow row;
    if (Kind() == kRootSetup) {
        if (extension != ".set") return std::nullopt;
        row.image = kRowImageSetupFile;
        row.texts[2] = text::kTypeSetupFile;
    } else {
        if (extension != ".glb" && extension != ".prg") return std::nullopt;
        const bool program = name.find(".prg") != std::string::npos;
        row.image = program ? kRowImageProgram : kRowImageGlobal;
        row.texts[2] = program ? text::kTypeProgramFile : text::kTypeGlobalFile;
    }
    row.texts[0] = name;
    row.texts[1] = folderlist::FormatDate(written);
    row.openable = true;
    return row;
}

std::optional<CListRow> CVelkViewModel::MakeFolderRow(const std::string& name,
                                                      std::optional<std::time_t> written) const {
    CListRow row;
    row.texts[0] = name;
    if (Level() == 0) {
        // A root's folders are the device folders: only devices, in the
        // device list's spelling.
        const MDevConfig& config = doc_.GetDevConfig();
        const int device = config.FindDevice(name);
        if (device < 0) return std::nullopt;
        row.texts[0] = config.GetDeviceName(device).value_or(name);
    }
    row.texts[1] = folderlist::FormatDate(written);
    row.texts[2] = text::kTypeFolder;
    row.image = kRowImageFolder;
    return row;
}

void CVelkViewModel::InsertAtTop(std::vector<CListRow> rows) {
    if (rows.empty()) return;
    inserting_ = true;
    rows_.insert(rows_.begin(), std::make_move_iterator(rows.rbegin()), std::make_move_iterator(rows.rend()));
    inserting_ = false;
    if (sink_ && !quietInserts_) sink_->OnRowsInserted(0, static_cast<int>(rows.size()));
}

void CVelkViewModel::DeleteRows(const std::vector<int>& rows) {
    if (rows.empty()) return;
    if (rows.size() == 1) {
        rows_.erase(rows_.begin() + rows.front());
        if (sink_) sink_->OnRowDeleted(rows.front());
        return;
    }
    // Many at once: one pass over the rows, and the window shows them anew
    // (a row deleted at a time costs the window a pass each).
    std::vector<bool> gone(rows_.size(), false);
    for (int row : rows) gone[static_cast<std::size_t>(row)] = true;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (!gone[i]) rows_[kept++] = std::move(rows_[i]);
    rows_.resize(kept);
    if (sink_) sink_->OnRowsReset();
}

// ---------------------------------------------------------------- sorting and styles

void CVelkViewModel::Sort(int mode) {
    if (mode == -1) {
        // Every row compares equal: the stable sort keeps the order.
        activeColumn_ = -1;
        return;
    }
    RowsChanging();
    SortRows();
    if (sink_) sink_->OnRowsReset();
}

void CVelkViewModel::SortRows() {
    const CSortSetting& setting = KindSort();
    activeColumn_ = setting.column;
    activeBackOrder_ = setting.backOrder;
    const int column = activeColumn_;
    const bool back = activeBackOrder_;
    std::stable_sort(rows_.begin(), rows_.end(), [column, back](const CListRow& a, const CListRow& b) {
        return back ? folderlist::CompareNoCase(b.texts[column], a.texts[column]) < 0
                    : folderlist::CompareNoCase(a.texts[column], b.texts[column]) < 0;
    });
}

void CVelkViewModel::SortBy(int column) {
    if (!InRange(column, kColumnCount)) return;
    CSortSetting& setting = KindSort();
    if (setting.column == column) {
        setting.backOrder = !setting.backOrder;
    } else {
        setting.column = column;
        setting.backOrder = false;
    }
    Sort(0);
    preference_.SetSortOrder(devSort_.column, devSort_.backOrder ? 1 : 0, fileSort_.column,
                             fileSort_.backOrder ? 1 : 0);
}

void CVelkViewModel::SetViewStyle(int style) {
    if (style != -1 && !InRange(style, 4)) return;
    if (style != -1) (Kind() == kRootDevice ? viewStyleDev_ : viewStyleFile_) = style;
    ApplyStyle();
}

void CVelkViewModel::ApplyStyle() {
    if (sink_) sink_->OnStyleChanged(GetViewStyle());
    preference_.SetViewStyle(viewStyleDev_, viewStyleFile_);
}

void CVelkViewModel::OnSize() {
    if (!inserting_) Sort(-1);
}

// ---------------------------------------------------------------- paths

std::string CVelkViewModel::GetItemPath(int row) const {
    if (!InRange(row, RowCount())) return {};
    const CListRow& r = rows_[row];
    if (Kind() == kRootDevice && Level() == 1) return JoinPath(CurrentPath(), r.texts[2] + ":" + r.texts[1]);
    return JoinPath(CurrentPath(), r.texts[0]);
}

int CVelkViewModel::FindItem(const std::string& leaf) const {
    return CRowLookup(rows_, Kind() == kRootDevice && Level() == 1, Level() == 0).Find(leaf);
}

bool CVelkViewModel::ParentIsShown(const std::string& path) const {
    return SameItemPath(GetParentPath(path), CurrentPath(), doc_.GetRoots());
}

// ---------------------------------------------------------------- selection, editing

void CVelkViewModel::SetSelected(int row, bool selected) {
    if (InRange(row, RowCount())) rows_[row].selected = selected;
}

void CVelkViewModel::SetDropHighlight(int row) {
    for (int i = 0; i < RowCount(); ++i) {
        const bool highlight = i == row;
        if (rows_[i].dropHighlight == highlight) continue;
        rows_[i].dropHighlight = highlight;
        if (sink_) sink_->OnRowChanged(i);
    }
}

bool CVelkViewModel::CanEditLabel(int row) const {
    return InRange(row, RowCount()) && CanRename(Kind(), Level() + 1, rows_[row].texts[2]);
}

bool CVelkViewModel::BeginLabelEdit(int row) {
    if (!CanEditLabel(row)) return false;
    labelEdit_ = CLabelEdit{GetItemPath(row), rows_[row].openable, Kind()};
    return true;
}

void CVelkViewModel::EndLabelEdit(const std::string& newText, bool cancelled) {
    if (!labelEdit_) return;
    const CLabelEdit edit = *labelEdit_;
    labelEdit_.reset();
    if (cancelled || newText.empty()) return;
    // A file or folder that went meanwhile is not renamed.
    if (edit.rootKind != kRootDevice && !ExistsOnDisk(edit.path)) return;
    std::string name = newText;
    // A file keeps its extension unless the user typed one of the same kind.
    if (edit.openable && edit.rootKind != kRootDevice &&
        !EqualsIgnoringCase(LastFour(name), LastFour(edit.path)))
        name += LastFour(edit.path);
    doc_.RenameItem(edit.path, name);
}

// ---------------------------------------------------------------- document callbacks

void CVelkViewModel::UpdateCutMarks(const CFNameList& cutNames) {
    const CRowLookup lookup(rows_, Kind() == kRootDevice && Level() == 1, Level() == 0);
    std::vector<bool> marks(rows_.size(), false);
    CFNameList names(cutNames.GetText());
    for (std::string name = names.GetNext(); !name.empty(); name = names.GetNext()) {
        if (!ParentIsShown(name)) continue;
        const int row = lookup.Find(GetLeafName(name));
        if (row >= 0) marks[row] = true;
    }
    for (int i = 0; i < RowCount(); ++i) {
        if (rows_[i].cut == marks[i]) continue;
        rows_[i].cut = marks[i];
        if (sink_) sink_->OnRowChanged(i);
    }
}

void CVelkViewModel::OnItemRenamed(const std::string& oldPath, const std::string& newName) {
    if (!ParentIsShown(oldPath)) return;
    const int row = FindItem(GetLeafName(oldPath));
    if (row < 0) return;
    rows_[row].texts[0] = newName;
    if (sink_) sink_->OnRowChanged(row);
}

void CVelkViewModel::OnItemsDeleted(const CFNameList& deleted) {
    if (Kind() == kRootDevice) return;
    RowsChanging();
    const CRowLookup lookup(rows_, false, Level() == 0);
    std::vector<int> gone;
    CFNameList names(deleted.GetText());
    for (std::string name = names.GetNext(); !name.empty(); name = names.GetNext()) {
        if (!ParentIsShown(name) || ExistsOnDisk(name)) continue;
        const int row = lookup.Find(GetLeafName(name));
        if (row >= 0) gone.push_back(row);
    }
    std::sort(gone.begin(), gone.end());
    gone.erase(std::unique(gone.begin(), gone.end()), gone.end());
    DeleteRows(gone);
}

void CVelkViewModel::OnFolderCreated(const std::string& path) {
    if (Kind() == kRootDevice || !ParentIsShown(path)) return;
    // An open edit ends first: it may rename a row this looks at.
    RowsChanging();
    if (Kind() == kRootDevice || !ParentIsShown(path)) return;
    const std::string leaf = GetLeafName(path);
    std::error_code error;
    if (FindItem(leaf) >= 0 || !fs::is_directory(path, error)) return;
    std::optional<CListRow> row = MakeFolderRow(leaf, folderlist::LastWriteTime(path));
    if (!row) return;
    std::vector<CListRow> rows;
    rows.push_back(std::move(*row));
    InsertAtTop(std::move(rows));
    // The user names the new folder at once.
    if (sink_) sink_->OnStartLabelEdit(0);
}

void CVelkViewModel::OnPasted(const CFNameList&, const std::string&, bool) { FillList(CurrentPath(), false); }
