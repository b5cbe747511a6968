// The program's options: the simulated synth and its model, the cable rate,
// the screenshot, and what is refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "librarian/VelkCommandLine.h"

namespace {

VelkOptionsResult Parse(std::vector<std::string> args) { return ParseVelkOptions(args); }

TEST(VelkCommandLine, NoOptionsUseTheRealPortsAtTheMidiRate) {
    const auto result = Parse({});
    ASSERT_TRUE(result.options);
    EXPECT_FALSE(result.options->simulate);
    EXPECT_EQ(result.options->wireRate, 3125u);  // a MIDI cable's 31,250 baud, 10 bits a byte
    EXPECT_TRUE(result.options->screenshot.empty());
}

TEST(VelkCommandLine, SimulateChoosesTheModel) {
    const struct {
        const char* arg;
        SimModel model;
    } cases[] = {{"--simulate", SimModel::BrontiselS},
                 {"--simulate=brontisel-s", SimModel::BrontiselS},
                 {"--simulate=brontisel", SimModel::Brontisel}};
    for (const auto& c : cases) {
        const auto result = Parse({c.arg});
        ASSERT_TRUE(result.options) << c.arg;
        EXPECT_TRUE(result.options->simulate) << c.arg;
        EXPECT_EQ(result.options->model, c.model) << c.arg;
    }
}

TEST(VelkCommandLine, RateAndScreenshotAreRead) {
    const auto result = Parse({"--simulate", "--wire-rate=0", "--screenshot=/tmp/a b.png"});
    ASSERT_TRUE(result.options);
    EXPECT_EQ(result.options->wireRate, 0u);
    EXPECT_EQ(result.options->screenshot, "/tmp/a b.png");
}

TEST(VelkCommandLine, MalformedOptionsAreRefusedWithAReason) {
    for (const char* arg :
         {"--simulate=brontisel-x", "--simulatex", "--wire-rate", "--wire-rate=", "--wire-rate=-1",
          "--wire-rate=12k", "--wire-rate=99999999999", "--screenshot", "--screenshot=", "file.prg", "-x"}) {
        const auto result = Parse({arg});
        EXPECT_FALSE(result.options) << arg;
        EXPECT_FALSE(result.error.empty()) << arg;
    }
}

TEST(VelkCommandLine, HelpIsAskedFor) {
    ASSERT_TRUE(Parse({"--help"}).options);
    EXPECT_TRUE(Parse({"--help"}).options->help);
    EXPECT_NE(VelkUsage("velk-editor").find("--simulate"), std::string::npos);
}

}  // namespace
