#pragma once
// What the main frame needs of the explorer's two panes: the tree reconnects
// after the MIDI port dialog; the list sorts, changes its view style and
// tells its active sort column and actual style for the menu marks.

class VelkTreePane {
public:
    virtual ~VelkTreePane() = default;
    // Detects the device again on the chosen ports and rebuilds the tree.
    virtual void Reconnect() = 0;
};

class VelkListPane {
public:
    // View style types, as the list window's style: 0 large icons, 1 details,
    // 2 small icons, 3 list.
    enum ViewStyle : int { kStyleIcon = 0, kStyleReport = 1, kStyleSmallIcon = 2, kStyleList = 3 };

    virtual ~VelkListPane() = default;
    // The column of the latest sort; -1 when the rows carry no sort (after
    // the re-sort of a size change).
    virtual int GetActiveSortColumn() const = 0;
    virtual void SortBy(int column) = 0;
    // The style the list window shows now (not the stored preference).
    virtual int GetViewStyleType() const = 0;
    virtual void SetViewStyle(int style) = 0;
};
