#pragma once
// An envelope graph (CWiredPts) and four edits for attack, decay, sustain
// and release, each 0-127 and stored as shown, bound to four parameters of
// a parameter object.
//
// A stored value outside 0..127 is shown at the nearer end, and Setup stores
// that end (notify 1): the page shows what the object holds.
//
// The page routes the graph's change notice to SyncFromGraph(true), each
// edit's text-changed event to its On...Edit, and the focus loss of any of
// the four edits to Refresh.

#include <array>
#include <string>

#include "controls/BindingViews.h"

class MDevDescProgram;

class CAdsrGroup {
public:
    CAdsrGroup(const CAdsrGroup&) = delete;
    CAdsrGroup& operator=(const CAdsrGroup&) = delete;
    virtual ~CAdsrGroup() = default;

    // The object is not owned; it must outlive every later call.
    void Bind(MDevDescProgram& object, int attackId, int decayId, int sustainId, int releaseId);
    // Shows the object's values and arms the group. It may run again, to
    // show values the object got from elsewhere; it stores nothing then
    // (but a value outside 0..127) and moves no focus.
    void Setup(EnvelopeView& graph, EditView& attack, EditView& decay, EditView& sustain, EditView& release);
    bool IsArmed() const { return armed_; }

    // For each value whose edit does not read the graph's value: rewrite
    // the edit, and when armed store it and, with focus, move the focus
    // there (after a drag the focus rests on the last edit that changed).
    void SyncFromGraph(bool focus);
    void OnAttackEdit() { OnEdit(Attack); }
    void OnDecayEdit() { OnEdit(Decay); }
    void OnSustainEdit() { OnEdit(Sustain); }
    void OnReleaseEdit() { OnEdit(Release); }
    // All four texts from the graph.
    void Refresh();

    // Store when armed.
    void OnAttackChanged(int value) { OnChanged(Attack, value); }
    void OnDecayChanged(int value) { OnChanged(Decay, value); }
    void OnSustainChanged(int value) { OnChanged(Sustain, value); }
    void OnReleaseChanged(int value) { OnChanged(Release, value); }
    // SetParam(id, value, notify 1) / GetParam(id) on the bound object.
    void SetAttack(int value) { SetValue(Attack, value); }
    void SetDecay(int value) { SetValue(Decay, value); }
    void SetSustain(int value) { SetValue(Sustain, value); }
    void SetRelease(int value) { SetValue(Release, value); }
    int GetAttack() const { return GetValue(Attack); }
    int GetDecay() const { return GetValue(Decay); }
    int GetSustain() const { return GetValue(Sustain); }
    int GetRelease() const { return GetValue(Release); }

    static std::string FormatValue(int value);
    // The decimal value, or -1 for text that is not a decimal number.
    static int ParseValue(const std::string& text);

protected:
    CAdsrGroup() = default;

private:
    enum Point { Attack, Decay, Sustain, Release, kPointCount };

    void OnEdit(Point point);
    void OnChanged(Point point, int value);
    void SetValue(Point point, int value);
    int GetValue(Point point) const;
    int GraphValue(Point point) const;
    void SetGraphValue(Point point, int value);

    EnvelopeView* graph_ = nullptr;
    std::array<EditView*, kPointCount> edits_{};
    MDevDescProgram* object_ = nullptr;
    std::array<int, kPointCount> ids_{};
    bool armed_ = false;
};

class CAdsrGroupPrgParam : public CAdsrGroup {
public:
    CAdsrGroupPrgParam() = default;
};
