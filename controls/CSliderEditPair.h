#pragma once
// A trackbar and an edit that show one number of a parameter object.
//
// Slider position p shows p x step + first; step is -1 when first > last,
// so a vertical trackbar (minimum at the top) can show its largest value on
// top. The page routes the trackbar's "moved" event to OnSliderChanged, the
// edit's text-changed event to OnEditChange and its focus loss to
// OnEditKillFocus.

#include "controls/BindingViews.h"
#include "controls/CParamBinding.h"

class CSliderEditPair : public CTextBinding {
public:
    void Setup(SliderView& slider, EditView& edit, int first, int last, int offset);

    void OnSliderChanged();
    void OnEditChange();
    void OnEditKillFocus();

    // Shows a stored value in both controls, for a value that came from
    // elsewhere (the synth) and is already in the object. Stores nothing,
    // unless the value lies outside the range: then the nearer end is shown
    // and, when armed, stored.
    void ShowStored(int stored);

    // Slider position of a shown value, kept within the trackbar's range.
    int PositionOf(int shown) const;
    int ShownAt(int position) const { return position * step_ + first_; }
    int First() const { return first_; }
    int Step() const { return step_; }
    int Range() const { return range_; }

protected:
    explicit CSliderEditPair(ParamTextKind kind) : CTextBinding(kind) {}

private:
    bool InRange(int shown) const { return shown >= low_ && shown <= high_; }

    SliderView* slider_ = nullptr;
    EditView* edit_ = nullptr;
    int first_ = 0;
    int range_ = 0;
    int step_ = 1;
    int low_ = 0;
    int high_ = 0;
};

// Global settings: decimal, tenths ("441.3"), velocity curve ("Crv" for 0).
class CSliderEditPairGlbParam : public CSliderEditPair {
public:
    CSliderEditPairGlbParam() : CSliderEditPair(ParamTextKind::Decimal) {}

protected:
    explicit CSliderEditPairGlbParam(ParamTextKind kind) : CSliderEditPair(kind) {}
};

class CSliderEditPairGlbParamF : public CSliderEditPairGlbParam {
public:
    CSliderEditPairGlbParamF() : CSliderEditPairGlbParam(ParamTextKind::Tenths) {}
};

class CSliderEditPairGlbParamCrv : public CSliderEditPairGlbParam {
public:
    CSliderEditPairGlbParamCrv() : CSliderEditPairGlbParam(ParamTextKind::Curve) {}
};

// Program parameters: decimal, pan ("L12", "CNT", "R5"), hold levels
// (hexadecimal, stored shifted) and E.F Sense (127 as "Hold").
class CSliderEditPairPrgParam : public CSliderEditPair {
public:
    CSliderEditPairPrgParam() : CSliderEditPair(ParamTextKind::Decimal) {}

protected:
    explicit CSliderEditPairPrgParam(ParamTextKind kind) : CSliderEditPair(kind) {}
};

class CSliderEditPairPrgParamPan : public CSliderEditPairPrgParam {
public:
    CSliderEditPairPrgParamPan() : CSliderEditPairPrgParam(ParamTextKind::Pan) {}
};

// A 23-bit level shown as six hexadecimal digits and stored in bits 8-30;
// the offset is not used.
class CSliderEditPairPrgParamHex : public CSliderEditPairPrgParam {
public:
    CSliderEditPairPrgParamHex() : CSliderEditPairPrgParam(ParamTextKind::Hex) {}
    int DisplayToRaw(int shown) const override;
    int RawToDisplay(int stored) const override;
};

class CSliderEditPairPrgParamEfSense : public CSliderEditPairPrgParam {
public:
    CSliderEditPairPrgParamEfSense() : CSliderEditPairPrgParam(ParamTextKind::Hold) {}
};
