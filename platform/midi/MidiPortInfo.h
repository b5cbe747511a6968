#pragma once

#include <string>

namespace midiport {

// One entry of a port list. The id of a port is its index in the list.
struct MidiPortInfo {
    std::string name;       // "client name:port name", unique in its list
    bool hardware = false;  // the port is a hardware interface (a USB or serial MIDI port)
};

}  // namespace midiport
