#include "platform/midi/AlsaMidiBackend.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include "platform/midi/MidiResult.h"

using namespace midiport;

// Containers and CI have no sequencer: the backend must report no ports and
// refuse every open, cleanly.
TEST(AlsaMidiBackend, WithoutASequencerHasNoPortsAndRefusesOpens) {
    if (::access("/dev/snd/seq", F_OK) == 0) GTEST_SKIP() << "this machine has an ALSA sequencer";
    AlsaMidiBackend backend;
    EXPECT_FALSE(backend.Available());
    EXPECT_TRUE(backend.Inputs().empty());
    EXPECT_TRUE(backend.Outputs().empty());
    for (int id : {-1, 0, 1}) {
        std::unique_ptr<MidiInPort> in;
        std::unique_ptr<MidiOutPort> out;
        EXPECT_EQ(backend.OpenIn(id, [](std::span<const uint8_t>) {}, in), kOpenRefused);
        EXPECT_EQ(backend.OpenOut(id, out), kOpenRefused);
        EXPECT_EQ(in, nullptr);
        EXPECT_EQ(out, nullptr);
    }
}

// Where there is one, the lists never contain out-of-range surprises and
// an id past the end is refused.
TEST(AlsaMidiBackend, IdPastTheListIsRefused) {
    AlsaMidiBackend backend;
    std::unique_ptr<MidiInPort> in;
    std::unique_ptr<MidiOutPort> out;
    EXPECT_EQ(backend.OpenIn(static_cast<int>(backend.Inputs().size()), [](std::span<const uint8_t>) {}, in),
              kOpenRefused);
    EXPECT_EQ(backend.OpenOut(static_cast<int>(backend.Outputs().size()), out), kOpenRefused);
}
