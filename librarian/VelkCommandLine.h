#pragma once
// The program's command-line options.
//
//   --simulate[=brontisel|brontisel-s]  the simulated synth (the Brontisel S
//                                       when no model is named) on in-process
//                                       ports instead of the ALSA sequencer
//   --wire-rate=N                       the simulated cable's rate in bytes/s
//                                       (0: as fast as possible)
//   --screenshot=FILE                   once the explorer shows the device,
//                                       save a picture of the window and end
//   --help                              print the usage and end

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/midi/MidiPacer.h"
#include "simulator/SimModelInfo.h"

struct VelkOptions {
    bool simulate = false;
    SimModel model = SimModel::BrontiselS;
    // Bytes per second on the simulated cable; the MIDI rate the real ports
    // are paced at unless changed.
    uint32_t wireRate = midiport::MidiPacer::kDefaultBytesPerSecond;
    std::string screenshot;
    bool help = false;
};

struct VelkOptionsResult {
    std::optional<VelkOptions> options;
    std::string error;  // set when `options` is empty
};

// Parses the arguments after the program name.
VelkOptionsResult ParseVelkOptions(std::span<const std::string> args);

// The text --help prints.
std::string VelkUsage(const std::string& program);
