#pragma once
// What a simulated synth holds when it is switched on: its programs and its
// global settings.
//
// Realistic: a bank that looks like a synth's factory bank, generated from a
// seed (the same seed gives the same bytes): distinct program names,
// basses, leads, pads, keys, arpeggios, vocoder programs..., every voice
// mode, the arpeggiator on in some programs, every value inside the range
// the synth's parameter takes, and global settings away from their initial
// values (tuning, transpose position, filters, a control change map,
// favorites).
//
// Blank: every program named "Prog NNN" with every other byte 0, and an
// all-zero global, for tests that count on known bytes.

#include "simulator/SimModelInfo.h"

#include <cstdint>
#include <vector>

struct SimBank {
    static constexpr std::uint64_t kDefaultSeed = 0x42524F4E54u;

    std::vector<SimProgramRecord> programs;  // one per program of the model
    SimGlobalRecord global{};

    static SimBank Realistic(SimModel model, std::uint64_t seed = kDefaultSeed);
    static SimBank Blank(SimModel model);
    // The blank bank's program `index`: "Prog NNN" padded with spaces to 12
    // bytes, every other byte 0.
    static SimProgramRecord BlankProgram(int index);
};
