#pragma once
// What the write confirmation shows and returns: the caption line and, when
// both a device and a target slot are given and the device has slots of
// the kind, a target slot chosen with the spin (held to the slot range).

#include <string>

class MDevDesc;

class CDialogOverwriteModel {
public:
    enum TargetKind { kGlobal = 0, kProgram = 1 };

    // `target` and `device` may be null. For kind kProgram the start slot is
    // the target's value (-1, or any value outside the range, held to it),
    // for kGlobal slot 0.
    CDialogOverwriteModel(std::string caption, int* target, const MDevDesc* device, int targetKind);

    const std::string& GetCaption() const { return caption_; }
    // The label, the number and the spin are enabled together.
    bool IsTargetEnabled() const { return enabled_; }
    int GetMinimum() const { return 0; }
    int GetMaximum() const { return maximum_; }
    int GetPosition() const { return position_; }
    // The slot's number in the device's format; "-" while disabled.
    std::string GetTargetText() const;

    // The spin moved by `delta` steps; the position stays in the range.
    void Step(int delta);
    // The spin shows `position`; held to the range.
    void SetPosition(int position);
    // OK: the chosen slot goes into the target. A disabled target is left
    // as it was (there is no slot to choose).
    void StoreTarget() const;

private:
    std::string caption_;
    int* target_;
    const MDevDesc* device_;
    bool enabled_ = false;
    int maximum_ = -1;
    int position_ = 0;
};
