#include "controls/CParamBinding.h"

#include <cstdint>
#include <limits>
#include <stdexcept>

#include "device/MDevDescProgram.h"

namespace {

// A stored value from the object can be anything an int holds; shown and
// stored values never wrap, they saturate.
int Saturate(int64_t value) {
    if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

}  // namespace

void CParamBinding::Bind(MDevDescProgram& object, int paramId) {
    object_ = &object;
    paramId_ = paramId;
}

void CParamBinding::SetParamValue(int stored) {
    if (object_ == nullptr) throw std::logic_error("parameter binding stored to before Bind");
    object_->SetParam(paramId_, stored, 1);
}

int CParamBinding::GetParamValue() const {
    if (object_ == nullptr) throw std::logic_error("parameter binding read before Bind");
    return object_->GetParam(paramId_);
}

int CParamBinding::DisplayToRaw(int shown) const { return Saturate(int64_t{shown} + offset_); }

int CParamBinding::RawToDisplay(int stored) const { return Saturate(int64_t{stored} - offset_); }

void CParamBinding::StoreShown(int shown) {
    if (armed_) SetParamValue(DisplayToRaw(shown));
}

std::string CTextBinding::FormatValue(int shown) const { return FormatParamText(kind_, shown); }

int CTextBinding::ParseValue(const std::string& text) const { return ParseParamText(kind_, text, reject_); }
