#pragma once
// Which MIDI ports the program opens: the ports saved by name where they
// are listed, else a default. The lists are the backend's (ports a synth
// can be reached through; Midi Through and the like are never in them).

#include <string>
#include <vector>

#include "platform/midi/MidiPortInfo.h"

// Port ids: indexes into the lists given; -1 for none.
struct VelkPortIds {
    int in = -1;
    int out = -1;
};

// The port whose name equals `name`: an exact match first, else the last
// one equal without regard to case; -1 for none or an empty name.
int FindPortByName(const std::vector<midiport::MidiPortInfo>& ports, const std::string& name);

// The saved ports where they are listed. A direction without one (nothing
// saved, or the saved port is gone) takes, in this order:
// - the port of the same name as the other direction's saved port (a USB
//   interface or a virtual raw MIDI port is both an input and an output);
// - when neither direction has one, the first hardware port listed in both
//   directions, or, when no hardware port is listed at all, the first port
//   listed in both directions;
// - the first hardware port of its list, else the first port.
VelkPortIds ChooseMidiPorts(const std::vector<midiport::MidiPortInfo>& inputs,
                            const std::vector<midiport::MidiPortInfo>& outputs, const std::string& savedIn,
                            const std::string& savedOut);
