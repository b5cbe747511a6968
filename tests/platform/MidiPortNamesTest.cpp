#include "platform/midi/MidiPortNames.h"

#include <gtest/gtest.h>

using midiport::MakeUniquePortNames;
using Names = std::vector<std::string>;

TEST(MidiPortNames, SharedNamesGetASuffixInListOrder) {
    EXPECT_EQ(MakeUniquePortNames({"A:1", "B:1", "A:1", "A:1"}), (Names{"A:1", "B:1", "A:1 (2)", "A:1 (3)"}));
    EXPECT_EQ(MakeUniquePortNames({}), Names{});
    // A suffix never takes a name another port has of its own.
    EXPECT_EQ(MakeUniquePortNames({"A (2)", "A", "A"}), (Names{"A (2)", "A", "A (3)"}));
}
