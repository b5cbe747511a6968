#pragma once
// The two panes of the explorer window, made for the frame's splitter: the
// tree on the left, the list on the right, with what the frame needs of
// them. initialUpdate runs the panes' initial updates, tree first (which
// detects the device), then list.

#include <functional>

class CVelkDoc;
class VelkListPane;
class VelkPrompter;
class VelkTreePane;
class wxWindow;

struct VelkExplorerPanes {
    wxWindow* tree = nullptr;
    wxWindow* list = nullptr;
    VelkTreePane* treePane = nullptr;
    VelkListPane* listPane = nullptr;
    std::function<void()> initialUpdate;
};

// Creates both panes as children of `splitter`.
VelkExplorerPanes CreateExplorerPanes(wxWindow* splitter, CVelkDoc& doc, VelkPrompter& prompter);
