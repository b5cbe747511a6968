// The banks a simulated synth starts with: the realistic one generated from
// a seed, and the blank one of tests that count on known bytes.

#include "SimTestSupport.h"

#include "simulator/SimBank.h"

#include <set>
#include <stdexcept>
#include <string>

namespace {

constexpr SimModel kModels[] = {SimModel::Brontisel, SimModel::BrontiselS};

std::string NameOf(const SimProgramRecord& record) {
    std::string name(record.begin(), record.begin() + 12);
    return name.substr(0, name.find_last_not_of(' ') + 1);
}

TEST(SimBank, SameSeedGivesSameBytesOtherSeedAnotherBank) {
    for (const SimModel model : kModels) {
        const SimBank bank = SimBank::Realistic(model, 7);
        const SimBank again = SimBank::Realistic(model, 7);
        const SimBank other = SimBank::Realistic(model, 8);
        EXPECT_EQ(bank.programs, again.programs);
        EXPECT_EQ(bank.global, again.global);
        EXPECT_NE(bank.programs, other.programs);
        EXPECT_EQ(bank.programs.size(), static_cast<std::size_t>(SimModelInfo::Of(model).programCount));
    }
}

// Distinct names, 1-12 printable ASCII characters, none starting with a
// space, for every model and several seeds.
TEST(SimBank, ProgramNamesAreDistinctPrintableAndFitTwelveBytes) {
    for (const SimModel model : kModels)
        for (const std::uint64_t seed : {SimBank::kDefaultSeed, std::uint64_t{1}, std::uint64_t{2024}}) {
            std::set<std::string> names;
            for (const SimProgramRecord& record : SimBank::Realistic(model, seed).programs) {
                const std::string name = NameOf(record);
                names.insert(name);
                ASSERT_FALSE(name.empty());
                EXPECT_NE(name.front(), ' ') << name;
                for (std::size_t i = 0; i < 12; ++i)
                    EXPECT_TRUE(record[i] >= 0x20 && record[i] <= 0x7E) << name << " byte " << i;
            }
            EXPECT_EQ(names.size(), static_cast<std::size_t>(SimModelInfo::Of(model).programCount))
                << "seed " << seed;
        }
}

TEST(SimBank, SynthStartsWithTheRealisticBankOrTheOneGiven) {
    for (const SimModel model : kModels) {
        const SimBank realistic = SimBank::Realistic(model);
        const SimSynth synth(model);
        for (int i = 0; i < synth.Info().programCount; ++i)
            ASSERT_EQ(synth.Program(i), realistic.programs[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(synth.Global(), realistic.global);
        EXPECT_EQ(synth.EditBuffer(), realistic.programs.front());

        const SimSynth blank(model, SimBank::Blank(model));
        for (int i = 0; i < blank.Info().programCount; ++i)
            ASSERT_EQ(blank.Program(i), SimSynth::DefaultProgram(i)) << i;
        EXPECT_EQ(NameOf(blank.Program(5)), "Prog 005");
        EXPECT_EQ(blank.Global(), SimGlobalRecord{});
        EXPECT_EQ(blank.EditBuffer(), SimSynth::DefaultProgram(0));
    }
}

TEST(SimBank, BankOfTheOtherModelIsRefused) {
    EXPECT_THROW(SimSynth(SimModel::BrontiselS, SimBank::Blank(SimModel::Brontisel)), std::invalid_argument);
    EXPECT_THROW(SimSynth(SimModel::Brontisel, SimBank{}), std::invalid_argument);
}

}  // namespace
