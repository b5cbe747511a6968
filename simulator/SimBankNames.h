#pragma once
// Program names for a realistic bank: a describing word and a word for the
// kind of sound ("Warm Pad", "Acid Bass"), at most 12 printable ASCII
// characters, all different.

#include "simulator/SimBankSounds.h"
#include "simulator/SimRandom.h"

#include <span>
#include <string>
#include <vector>

// One distinct name for each entry of `sounds`, in order.
std::vector<std::string> SimProgramNames(std::span<const SimSound> sounds, SimRandom& random);
