#pragma once
// The kinds of program a realistic bank holds, and how each kind sets the
// program's values (voice mode, arpeggiator, timbres or vocoder part). Every
// value stays inside the range of its parameter.

#include "simulator/SimRandom.h"
#include "simulator/SimRecordValues.h"

#include <span>

enum class SimSound {
    Bass,
    Lead,
    Pad,
    Strings,
    Keys,  // electric pianos
    Organ,
    Clav,
    Bells,
    Brass,
    Arpeggio,  // arpeggiator on
    Vocoder,   // voice mode Vocoder
    Effect,
    Percussion,
    Poly,
    Stack,  // voice mode Layer: two different timbres
};

// How many programs of each kind a bank of 128 holds, in the order of
// SimSound; they add up to 128.
std::span<const int> SimSoundShares();

// Every value but the name, for one program of the kind.
SimProgramValues SimMakeSound(SimSound sound, SimRandom& random);
