#include "editors/ProgramPageTable.h"

int32_t StepPatternOf(std::span<const int> states) {
    int32_t pattern = 0;
    for (std::size_t i = 0; i < states.size() && i < 31; ++i)
        if (states[i] != 0) pattern |= int32_t{1} << i;
    return pattern;
}

void AddShow(ControlChanges& changes, std::span<const int> ids, bool shown) {
    for (const int id : ids) changes.push_back({id, ControlChange::Show, shown});
}

void AddEnable(ControlChanges& changes, std::span<const int> ids, bool enabled) {
    for (const int id : ids) changes.push_back({id, ControlChange::Enable, enabled});
}

const PageControl* FindControl(std::span<const PageControl> layout, int id) {
    for (const PageControl& control : layout)
        if (control.id == id && id != kNoControlId) return &control;
    return nullptr;
}

const PageBinding* FindBinding(std::span<const PageBinding> bindings, int control) {
    for (const PageBinding& binding : bindings)
        if (binding.control == control) return &binding;
    return nullptr;
}

const PageBinding* FindBindingOfParam(std::span<const PageBinding> bindings, int base, int paramId) {
    for (const PageBinding& binding : bindings) {
        const int first = base + binding.param;
        const int count = binding.kind == PageBindingKind::Envelope ? 4 : 1;
        if (paramId >= first && paramId < first + count) return &binding;
    }
    return nullptr;
}
