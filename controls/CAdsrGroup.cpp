#include "controls/CAdsrGroup.h"

#include <algorithm>
#include <stdexcept>

#include "controls/ParamText.h"
#include "device/MDevDescProgram.h"

namespace {

constexpr int kLargest = 127;
constexpr int kReject = -1;

}  // namespace

void CAdsrGroup::Bind(MDevDescProgram& object, int attackId, int decayId, int sustainId, int releaseId) {
    object_ = &object;
    ids_ = {attackId, decayId, sustainId, releaseId};
}

void CAdsrGroup::Setup(EnvelopeView& graph, EditView& attack, EditView& decay, EditView& sustain,
                       EditView& release) {
    graph_ = &graph;
    edits_ = {&attack, &decay, &sustain, &release};
    // Unarmed while it runs, also when a page shows the object's values
    // again: the graph's notices then only fill the edits.
    armed_ = false;
    std::array<int, kPointCount> stored{};
    std::array<int, kPointCount> shown{};
    for (int i = 0; i < kPointCount; ++i) {
        stored[i] = GetValue(static_cast<Point>(i));
        // Outside 0..127 (from a file): shown at the nearer end.
        shown[i] = std::clamp(stored[i], 0, kLargest);
    }
    // The graph's change notices raised here reach the page while the
    // group is unarmed: they fill the edits, store nothing and leave the
    // keyboard focus where it is.
    graph.SetEnvelope(shown[Attack], shown[Decay], shown[Sustain], shown[Release]);
    for (int i = 0; i < kPointCount; ++i) edits_[i]->SetText(FormatValue(shown[i]));
    armed_ = true;
    // The object is made to hold what is shown, so that typing the shown
    // value, or any other, is seen as the change it is.
    for (int i = 0; i < kPointCount; ++i)
        if (shown[i] != stored[i]) SetValue(static_cast<Point>(i), shown[i]);
}

void CAdsrGroup::SyncFromGraph(bool focus) {
    if (graph_ == nullptr) return;
    for (int i = 0; i < kPointCount; ++i) {
        const auto point = static_cast<Point>(i);
        const int value = GraphValue(point);
        EditView& edit = *edits_[i];
        if (value == ParseValue(edit.GetText())) continue;
        edit.SetText(FormatValue(value));
        OnChanged(point, value);
        // Only a change of the user's (a drag) takes the focus along.
        if (focus && armed_) edit.SetFocus();
    }
}

void CAdsrGroup::Refresh() {
    if (graph_ == nullptr) return;
    for (int i = 0; i < kPointCount; ++i) edits_[i]->SetText(FormatValue(GraphValue(static_cast<Point>(i))));
    SyncFromGraph(false);
}

void CAdsrGroup::OnEdit(Point point) {
    if (graph_ == nullptr) return;
    const int value = ParseValue(edits_[point]->GetText());
    if (value < 0 || value > kLargest || value == GraphValue(point)) return;
    // The graph raises its change notice here; the page's SyncFromGraph
    // then finds this edit already in line.
    SetGraphValue(point, value);
    OnChanged(point, value);
}

void CAdsrGroup::OnChanged(Point point, int value) {
    if (armed_) SetValue(point, value);
}

void CAdsrGroup::SetValue(Point point, int value) {
    if (object_ == nullptr) throw std::logic_error("envelope binding stored to before Bind");
    object_->SetParam(ids_[point], value, 1);
}

int CAdsrGroup::GetValue(Point point) const {
    if (object_ == nullptr) throw std::logic_error("envelope binding read before Bind");
    return object_->GetParam(ids_[point]);
}

int CAdsrGroup::GraphValue(Point point) const {
    switch (point) {
    case Attack: return graph_->GetAttack();
    case Decay: return graph_->GetDecay();
    case Sustain: return graph_->GetSustain();
    default: return graph_->GetRelease();
    }
}

void CAdsrGroup::SetGraphValue(Point point, int value) {
    switch (point) {
    case Attack: graph_->SetAttack(value); break;
    case Decay: graph_->SetDecay(value); break;
    case Sustain: graph_->SetSustain(value); break;
    default: graph_->SetRelease(value); break;
    }
}

std::string CAdsrGroup::FormatValue(int value) { return FormatParamText(ParamTextKind::Decimal, value); }

int CAdsrGroup::ParseValue(const std::string& text) {
    return ParseParamText(ParamTextKind::Decimal, text, kReject);
}
