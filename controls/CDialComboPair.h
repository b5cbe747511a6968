#pragma once
// A knob (CDial) and a drop-down list that show one value of a parameter
// object: list item i stands for shown value i. The page routes the knob's
// change notice to OnDialChanged and the list's selection event to
// OnComboChanged.

#include "controls/BindingViews.h"
#include "controls/CParamBinding.h"

class CDialComboPair : public CParamBinding {
public:
    // The knob's range becomes (minimum, maximum) with default
    // (minimum + maximum) / 2.
    void Setup(KnobView& knob, ChoiceView& list, int minimum, int maximum, int offset);

    void OnDialChanged();
    void OnComboChanged();

protected:
    CDialComboPair() = default;

private:
    // Selects item `shown`, or nothing when the list has no such item.
    void Select(int shown);

    KnobView* knob_ = nullptr;
    ChoiceView* list_ = nullptr;
    int minimum_ = 0;
    int maximum_ = 0;
};

class CDialComboPairPrgParam : public CDialComboPair {
public:
    CDialComboPairPrgParam() = default;
};
