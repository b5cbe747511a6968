#include "uiservices/CDialogOverwriteModel.h"

#include <algorithm>
#include <utility>

#include "device/MDevDesc.h"
#include "resources/VelkStrings.h"

CDialogOverwriteModel::CDialogOverwriteModel(std::string caption, int* target, const MDevDesc* device,
                                             int targetKind)
    : caption_(std::move(caption)), target_(target), device_(device) {
    if (!device_ || !target_) return;
    const int count = targetKind == kGlobal ? device_->GetGlobalCount() : device_->GetProgramCount();
    // No slot to choose: a spin range of 0..-1 would be meaningless.
    if (count <= 0) return;
    enabled_ = true;
    maximum_ = count - 1;
    SetPosition(targetKind == kGlobal ? 0 : *target_);
}

std::string CDialogOverwriteModel::GetTargetText() const {
    if (!enabled_) return velk::text::kNoTarget;
    return device_->FormatProgramNumber(position_).value_or(velk::text::kNoTarget);
}

void CDialogOverwriteModel::Step(int delta) {
    if (!enabled_) return;
    // Widened so that a huge step cannot overflow.
    position_ =
        static_cast<int>(std::clamp<long long>(static_cast<long long>(position_) + delta, 0, maximum_));
}

void CDialogOverwriteModel::SetPosition(int position) {
    if (!enabled_) return;
    position_ = std::clamp(position, 0, maximum_);
}

void CDialogOverwriteModel::StoreTarget() const {
    if (enabled_ && target_) *target_ = position_ & 0xFFFF;
}
