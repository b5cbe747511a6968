#pragma once
// What the one-parameter bindings (slider pair, knob pair, knob and list
// pair) share: the bound parameter object and id, the offset between shown
// and stored values, and the armed flag.
//
// A page constructs the binding unarmed, binds it to its parameter object and
// id, then calls the family's Setup, which shows the stored value and arms
// it. Until then a notification adjusts the controls and stores nothing. A
// stored value outside the range is shown at the nearer end, and Setup
// stores that end (notify 1): the page shows what the object holds.
//
// The operations are virtual, in this order: SetParamValue, GetParamValue,
// DisplayToRaw, RawToDisplay (here), FormatValue, ParseValue (CTextBinding).

#include <string>

#include "controls/ParamText.h"

class MDevDescProgram;

class CParamBinding {
public:
    CParamBinding(const CParamBinding&) = delete;
    CParamBinding& operator=(const CParamBinding&) = delete;
    virtual ~CParamBinding() = default;

    // The object is not owned; it must outlive every later call.
    void Bind(MDevDescProgram& object, int paramId);
    bool IsArmed() const { return armed_; }
    void SetArmed(bool armed) { armed_ = armed; }
    int Offset() const { return offset_; }

    // SetParam(bound id, stored, notify 1) on the bound object.
    virtual void SetParamValue(int stored);
    virtual int GetParamValue() const;
    // stored = shown + offset, shown = stored - offset.
    virtual int DisplayToRaw(int shown) const;
    virtual int RawToDisplay(int stored) const;

protected:
    CParamBinding() = default;
    void SetOffset(int offset) { offset_ = offset; }
    // What every user change ends in: store the shown value, when armed.
    void StoreShown(int shown);
    // A stored value outside the range is shown at the nearer end (`kept`);
    // the object is then made to hold what is shown (when armed), so that
    // the controls, which are the binding's only memory of the value, agree
    // with the object and every later change of the user reaches it.
    void HoldInRange(int shown, int kept) {
        if (kept != shown) StoreShown(kept);
    }

private:
    MDevDescProgram* object_ = nullptr;
    int paramId_ = 0;
    int offset_ = 0;
    bool armed_ = false;
};

// A binding whose value is also shown as text in an edit.
class CTextBinding : public CParamBinding {
public:
    virtual std::string FormatValue(int shown) const;
    // The shown value read from the text, or RejectValue().
    virtual int ParseValue(const std::string& text) const;
    // One more than the largest shown value: outside the range.
    int RejectValue() const { return reject_; }
    ParamTextKind TextKind() const { return kind_; }

protected:
    explicit CTextBinding(ParamTextKind kind) : kind_(kind) {}
    void SetRejectValue(int reject) { reject_ = reject; }

private:
    ParamTextKind kind_;
    int reject_ = 0;
};
