#pragma once
// A knob (CDial) and an edit that show one number of a parameter object.
// The page routes the knob's change notice to OnDialChanged, the edit's
// text-changed event to OnEditChange and its focus loss to OnEditKillFocus.

#include "controls/BindingViews.h"
#include "controls/CParamBinding.h"

class CDialEditPair : public CTextBinding {
public:
    // The knob's range becomes (a, b) with default (a + b) / 2.
    void Setup(KnobView& knob, EditView& edit, int a, int b, int offset);

    void OnDialChanged();
    void OnEditChange();
    void OnEditKillFocus();

    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }

protected:
    explicit CDialEditPair(ParamTextKind kind) : CTextBinding(kind) {}

private:
    KnobView* knob_ = nullptr;
    EditView* edit_ = nullptr;
    int minimum_ = 0;
    int maximum_ = 0;
};

class CDialEditPairPrgParam : public CDialEditPair {
protected:
    explicit CDialEditPairPrgParam(ParamTextKind kind) : CDialEditPair(kind) {}
};

// A pan knob: "L12", "CNT", "R5".
class CDialEditPairPrgParamPan : public CDialEditPairPrgParam {
public:
    CDialEditPairPrgParamPan() : CDialEditPairPrgParam(ParamTextKind::Pan) {}
};
