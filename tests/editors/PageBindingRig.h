#pragma once
// Headless rigs that set up the binding of one binding-table row over fake
// controls (tests/controls/BindingFakes.h) and a recording program, so a
// page's table can be tested without a display.

#include <gtest/gtest.h>

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "editors/ProgramPageBindings.h"
#include "tests/controls/BindingFakes.h"
#include "tests/support/RecordingProgram.h"

namespace editors_test {

// The row of `control`; fails the test when the table has none.
inline const PageBinding& RowOf(std::span<const PageBinding> table, int control) {
    const PageBinding* row = FindBinding(table, control);
    EXPECT_NE(row, nullptr) << "no binding row for control " << control;
    static const PageBinding none{PageBindingKind::Choice, kNoControlId, kNoControlId, 0};
    return row != nullptr ? *row : none;
}

// The item texts of list `id` of a layout table.
inline std::vector<std::string> ItemsOf(std::span<const PageControl> layout, int id) {
    const PageControl* control = FindControl(layout, id);
    EXPECT_NE(control, nullptr) << "no control " << id;
    std::vector<std::string> items;
    if (control != nullptr)
        for (const char* item : control->items) items.emplace_back(item);
    return items;
}

// A trackbar + edit row, set up from the program (nothing recorded).
class SliderRowRig {
public:
    SliderRowRig(const PageBinding& row, velktest::RecordingProgram& program, int base)
        : pair_(MakeSliderPair(row.kind)) {
        EXPECT_NE(pair_, nullptr) << "row of control " << row.control << " is no slider pair";
        if (!pair_) return;
        pair_->Bind(program, base + row.param);
        pair_->Setup(slider, edit, row.first, row.last, row.offset);
    }
    void Type(const char* text) {
        edit.text = text;
        if (pair_) pair_->OnEditChange();
    }
    void Slide(int position) {
        slider.SetPosition(position);
        if (pair_) pair_->OnSliderChanged();
    }
    CSliderEditPair* Pair() const { return pair_.get(); }

    FakeSlider slider;
    FakeEdit edit;

private:
    std::unique_ptr<CSliderEditPair> pair_;
};

// A knob + list row.
class DialChoiceRowRig {
public:
    DialChoiceRowRig(const PageBinding& row, velktest::RecordingProgram& program, int base, int itemCount)
        : list(itemCount), pair_(MakeDialComboPair(row.kind)) {
        EXPECT_NE(pair_, nullptr) << "row of control " << row.control << " is no knob + list";
        if (!pair_) return;
        pair_->Bind(program, base + row.param);
        pair_->Setup(knob, list, row.first, row.last, row.offset);
    }
    void Pick(int item) {
        list.SetSelection(item);
        if (pair_) pair_->OnComboChanged();
    }
    void Turn(int value) {
        knob.SetValue(value);
        if (pair_) pair_->OnDialChanged();
    }

    FakeKnob knob;
    FakeChoice list;

private:
    std::unique_ptr<CDialComboPair> pair_;
};

}  // namespace editors_test
