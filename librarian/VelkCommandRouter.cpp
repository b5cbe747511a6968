#include "librarian/VelkCommandRouter.h"

VelkCommandState CVelkCommandRouter::Update(int id) const {
    for (VelkCommandTarget* target : route_) {
        if (target == nullptr) continue;
        VelkCommandState state;
        state.enabled = true;
        if (target->UpdateCommand(id, state)) return state;
    }
    return VelkCommandState{};
}

bool CVelkCommandRouter::Execute(int id) const {
    for (VelkCommandTarget* target : route_)
        if (target != nullptr && target->DoCommand(id)) return true;
    return false;
}
