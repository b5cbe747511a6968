#pragma once
// Routing of the menu, toolbar and accelerator commands of the main window:
// a command is offered to the active view (the last of tree and list that
// had the focus), then to the frame, the document and the application; the
// first target that handles it updates or runs it. A command that no target
// handles is shown disabled (wx would leave it enabled).

#include <optional>
#include <string>
#include <vector>

// What an update handler sets on a command's menu item or tool.
struct VelkCommandState {
    bool enabled = false;
    std::optional<bool> checked;      // left alone when empty
    std::optional<std::string> text;  // a new menu label (UTF-8), or none
};

class VelkCommandTarget {
public:
    virtual ~VelkCommandTarget() = default;
    // True when this target handles `id`; it then sets `state`.
    virtual bool UpdateCommand(int id, VelkCommandState& state) = 0;
    // True when this target handled `id`.
    virtual bool DoCommand(int id) = 0;
};

class CVelkCommandRouter {
public:
    // The targets in the order they are asked; null entries (no active view
    // yet) are skipped.
    void SetRoute(std::vector<VelkCommandTarget*> route) { route_ = std::move(route); }

    // The first handling target's state; disabled when none handles `id`.
    VelkCommandState Update(int id) const;
    // True when a target ran `id`.
    bool Execute(int id) const;

private:
    std::vector<VelkCommandTarget*> route_;
};
