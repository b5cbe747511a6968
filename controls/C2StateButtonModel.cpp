#include "controls/C2StateButtonModel.h"

#include <utility>

void C2StateButtonModel::SetState(int state, std::optional<std::string> textA,
                                  std::optional<std::string> textB) {
    state_ = state;
    if (textA) textA_ = std::move(*textA);
    if (textB) textB_ = std::move(*textB);
}

bool C2StateButtonModel::Click(bool hasFocus) {
    if (!hasFocus) return false;
    state_ = state_ != 0 ? 0 : 1;
    return true;
}
