#include "librarian/VelkPortChoice.h"

#include <algorithm>
#include <cstddef>

#include "librarian/CItemPath.h"

using midiport::MidiPortInfo;
using Ports = std::vector<MidiPortInfo>;

namespace {

int FirstWhere(const Ports& ports, bool hardwareOnly) {
    for (std::size_t i = 0; i < ports.size(); ++i)
        if (!hardwareOnly || ports[i].hardware) return static_cast<int>(i);
    return -1;
}

int NamedExactly(const Ports& ports, const std::string& name) {
    for (std::size_t i = 0; i < ports.size(); ++i)
        if (ports[i].name == name) return static_cast<int>(i);
    return -1;
}

bool AnyHardware(const Ports& ports) {
    return std::any_of(ports.begin(), ports.end(), [](const MidiPortInfo& p) { return p.hardware; });
}

// The first output (in list order) whose name is also an input's.
VelkPortIds FirstPair(const Ports& inputs, const Ports& outputs, bool hardwareOnly) {
    for (std::size_t o = 0; o < outputs.size(); ++o) {
        if (hardwareOnly && !outputs[o].hardware) continue;
        const int in = NamedExactly(inputs, outputs[o].name);
        if (in >= 0 && (!hardwareOnly || inputs[static_cast<std::size_t>(in)].hardware))
            return {in, static_cast<int>(o)};
    }
    return {};
}

}  // namespace

int FindPortByName(const Ports& ports, const std::string& name) {
    if (name.empty()) return -1;
    const int exact = NamedExactly(ports, name);
    if (exact >= 0) return exact;
    int found = -1;
    for (std::size_t i = 0; i < ports.size(); ++i)
        if (itempath::EqualsIgnoringCase(ports[i].name, name)) found = static_cast<int>(i);
    return found;
}

VelkPortIds ChooseMidiPorts(const Ports& inputs, const Ports& outputs, const std::string& savedIn,
                            const std::string& savedOut) {
    VelkPortIds ids{FindPortByName(inputs, savedIn), FindPortByName(outputs, savedOut)};
    if (ids.in < 0 && ids.out >= 0)
        ids.in = NamedExactly(inputs, outputs[static_cast<std::size_t>(ids.out)].name);
    if (ids.out < 0 && ids.in >= 0)
        ids.out = NamedExactly(outputs, inputs[static_cast<std::size_t>(ids.in)].name);
    if (ids.in < 0 && ids.out < 0) {
        ids = FirstPair(inputs, outputs, true);
        if (ids.in < 0 && !AnyHardware(inputs) && !AnyHardware(outputs))
            ids = FirstPair(inputs, outputs, false);
    }
    const auto fallback = [](const Ports& ports) {
        const int hardware = FirstWhere(ports, true);
        return hardware >= 0 ? hardware : FirstWhere(ports, false);
    };
    if (ids.in < 0) ids.in = fallback(inputs);
    if (ids.out < 0) ids.out = fallback(outputs);
    return ids;
}
