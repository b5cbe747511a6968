#pragma once
// What a parameter binding needs of the controls it ties together. The
// bindings hold these, never windows, so they run headless in tests; the
// wx layer (controls/wx/BindingViewsWx.h) adapts real controls to them.
//
// Every setter here is silent: it changes what the control shows and raises
// no change event of its own, except where said otherwise below.

#include <string>

// A trackbar whose positions run from 0 to a maximum.
class SliderView {
public:
    virtual ~SliderView() = default;
    virtual void SetRange(int minimum, int maximum) = 0;
    virtual int GetPosition() const = 0;
    virtual void SetPosition(int position) = 0;
};

// A one-line text edit. Texts are UTF-8.
class EditView {
public:
    virtual ~EditView() = default;
    virtual std::string GetText() const = 0;
    // Must not raise a text-changed event (wx: ChangeValue, not SetValue).
    virtual void SetText(const std::string& text) = 0;
    virtual void SetFocus() = 0;
};

// A knob (CDial): an integer between two limits, turned by the user.
class KnobView {
public:
    virtual ~KnobView() = default;
    // The limits may come in either order; the default is what Shift+click
    // restores.
    virtual void SetRange(int first, int last, int defaultValue) = 0;
    virtual int GetValue() const = 0;
    // Clamps to the range, repaints, sends no change notice.
    virtual void SetValue(int value) = 0;
};

// A drop-down list; the selection is an item index, -1 for none.
class ChoiceView {
public:
    virtual ~ChoiceView() = default;
    virtual int GetCount() const = 0;
    virtual int GetSelection() const = 0;
    virtual void SetSelection(int item) = 0;
};

// An envelope graph (CWiredPts): attack, decay, sustain and release, 0-127.
// Unlike the other views, a setter that changes a value DOES raise the
// graph's change notice (synchronously, to the page), as the graph does on a
// drag; the envelope binding relies on that to bring its edits into line.
class EnvelopeView {
public:
    virtual ~EnvelopeView() = default;
    virtual void SetEnvelope(int attack, int decay, int sustain, int release) = 0;
    virtual void SetAttack(int value) = 0;
    virtual void SetDecay(int value) = 0;
    virtual void SetSustain(int value) = 0;
    virtual void SetRelease(int value) = 0;
    virtual int GetAttack() const = 0;
    virtual int GetDecay() const = 0;
    virtual int GetSustain() const = 0;
    virtual int GetRelease() const = 0;
};
