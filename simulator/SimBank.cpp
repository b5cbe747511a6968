#include "simulator/SimBank.h"

#include "simulator/SimBankNames.h"
#include "simulator/SimBankSounds.h"
#include "simulator/SimRandom.h"
#include "simulator/SimRecordValues.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

constexpr int kSharesPerBank = 128;

// How many programs of each kind, shuffled into program order. Every kind
// is there in every model.
std::vector<SimSound> SoundOrder(int programCount, SimRandom& random) {
    std::vector<SimSound> sounds;
    sounds.reserve(static_cast<std::size_t>(programCount));
    const auto shares = SimSoundShares();
    for (std::size_t kind = 0; kind < shares.size(); ++kind)
        for (int n = 0; n < shares[kind] * programCount / kSharesPerBank; ++n)
            sounds.push_back(static_cast<SimSound>(kind));
    while (static_cast<int>(sounds.size()) < programCount) sounds.push_back(SimSound::Poly);
    random.Shuffle(std::span(sounds));
    return sounds;
}

// Global values a player would have set: a tuning and transpose position,
// a curve, clock and filters, a control change map and eight favorites.
std::array<int, kSimGlobalCount> RealisticGlobal(int programCount) {
    std::array<int, kSimGlobalCount> g{};
    g[0] = -8;   // Master Tune: 439.2 Hz
    g[1] = 0;    // Master Transpose
    g[2] = 1;    // Transpose Position: Pre TG
    g[3] = 0;    // Velocity Curve: a curve (not a fixed velocity) ...
    g[4] = 4;    // ... curve 4
    g[5] = 1;    // Local on
    g[6] = 0;    // write protect off: the synth takes writes
    g[7] = 2;    // MIDI Clock Source: Auto
    g[8] = 0;    // Global MIDI Channel 1, the simulator's channel
    g[9] = -1;   // Sync Control: off
    g[10] = 95;  // Timbre Select: CC #95
    g[11] = 1;   // filters: everything passes
    g[12] = 1;
    g[13] = 1;
    g[14] = 1;
    // Control change numbers of parameters 15-55 (-1: none).
    static constexpr int kCcMap[] = {
        5,  14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 74, 71, 79, 25, 7,  10, 26, 27, 85,
        86, 87, 88, 73, 75, 70, 72, 89, 76, 90, 77, 28, 29, 30, 31, -1, 12, 93, 13, 94,
    };
    static_assert(std::size(kCcMap) == 55 - 15 + 1);
    std::copy(std::begin(kCcMap), std::end(kCcMap), g.begin() + 15);
    g[56] = 1;  // Speaker on
    static constexpr int kFavorites[] = {0, 9, 18, 35, 50, 67, 90, 121};
    for (std::size_t i = 0; i < std::size(kFavorites); ++i)  // a second model's favorites reach further
        g[57 + i] = std::min(kFavorites[i] * programCount / kSharesPerBank, programCount - 1);
    return g;
}

}  // namespace

SimBank SimBank::Realistic(SimModel model, std::uint64_t seed) {
    const int count = SimModelInfo::Of(model).programCount;
    SimRandom random(seed);
    const std::vector<SimSound> sounds = SoundOrder(count, random);
    const std::vector<std::string> names = SimProgramNames(sounds, random);
    SimBank bank;
    bank.programs.reserve(sounds.size());
    for (std::size_t i = 0; i < sounds.size(); ++i) {
        SimProgramValues values = SimMakeSound(sounds[i], random);
        values.name = names[i];
        bank.programs.push_back(SimEncodeProgram(values));
    }
    bank.global = SimEncodeGlobal(RealisticGlobal(count));
    return bank;
}

SimBank SimBank::Blank(SimModel model) {
    SimBank bank;
    const int count = SimModelInfo::Of(model).programCount;
    bank.programs.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) bank.programs.push_back(BlankProgram(i));
    return bank;
}

SimProgramRecord SimBank::BlankProgram(int index) {
    SimProgramRecord record{};
    char name[16];
    std::snprintf(name, sizeof name, "Prog %03d", index % 1000);
    std::fill_n(record.begin(), kSimNameSize, std::uint8_t{' '});
    for (std::size_t i = 0; i < kSimNameSize && name[i]; ++i) record[i] = static_cast<std::uint8_t>(name[i]);
    return record;
}
