#pragma once
// Headless stand-ins for the views parameter bindings talk to, which behave
// like the controls (the slider and the knob clamp, setters raise nothing).
// The parameter object that records every store is tests/support's
// RecordingProgram.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/BindingViews.h"

class FakeSlider final : public SliderView {
public:
    void SetRange(int minimum, int maximum) override {
        low = minimum;
        high = maximum;
        position = std::clamp(position, low, high);
    }
    int GetPosition() const override { return position; }
    void SetPosition(int p) override { position = std::clamp(p, low, high); }

    int low = 0;
    int high = 100;
    int position = 0;
};

class FakeEdit final : public EditView {
public:
    std::string GetText() const override { return text; }
    void SetText(const std::string& t) override {
        text = t;
        ++writes;
    }
    void SetFocus() override { ++focusCount; }
    // Forgets the writes and focus moves so far.
    void Reset(const std::string& t) {
        text = t;
        writes = 0;
        focusCount = 0;
    }

    std::string text;
    int writes = 0;
    int focusCount = 0;
};

class FakeKnob final : public KnobView {
public:
    void SetRange(int first, int last, int def) override {
        low = std::min(first, last);
        high = std::max(first, last);
        defaultValue = def;
        value = std::clamp(value, low, high);
    }
    int GetValue() const override { return value; }
    void SetValue(int v) override { value = std::clamp(v, low, high); }

    int low = 0;
    int high = 100;
    int defaultValue = 0;
    int value = 0;
};

class FakeChoice final : public ChoiceView {
public:
    explicit FakeChoice(int itemCount) : count(itemCount) {}
    int GetCount() const override { return count; }
    int GetSelection() const override { return selection; }
    void SetSelection(int item) override { selection = item; }

    int count;
    int selection = -1;
};

// Raises its change notice (onChanged) whenever a value changes, as the
// graph does; the test wires it to the group as the page would.
class FakeEnvelope final : public EnvelopeView {
public:
    void SetEnvelope(int a, int d, int s, int r) override {
        SetAttack(a);
        SetDecay(d);
        SetSustain(s);
        SetRelease(r);
    }
    void SetAttack(int v) override { Set(0, v); }
    void SetDecay(int v) override { Set(1, v); }
    void SetSustain(int v) override { Set(2, v); }
    void SetRelease(int v) override { Set(3, v); }
    int GetAttack() const override { return values[0]; }
    int GetDecay() const override { return values[1]; }
    int GetSustain() const override { return values[2]; }
    int GetRelease() const override { return values[3]; }

    // What a drag does: new values, one notice per changed value.
    void Drag(int point, int v) { Set(point, v); }

    int values[4] = {0, 0, 0, 0};
    std::function<void()> onChanged;

private:
    void Set(int point, int v) {
        v = std::clamp(v, 0, 127);
        if (values[point] == v) return;
        values[point] = v;
        if (onChanged) onChanged();
    }
};
