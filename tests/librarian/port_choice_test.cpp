// The default port choice on a first start (nothing saved, or the saved
// port gone): the same device in both directions where names allow,
// hardware ports before the others.
#include <gtest/gtest.h>

#include "librarian/VelkPortChoice.h"

namespace {

using midiport::MidiPortInfo;
using Ports = std::vector<MidiPortInfo>;

const MidiPortInfo kVir0{"Virtual Raw MIDI 0-0:VirMIDI 0-0", false};
const MidiPortInfo kVir1{"Virtual Raw MIDI 0-1:VirMIDI 0-1", false};
const MidiPortInfo kUsb{"UM-ONE:UM-ONE MIDI 1", true};
const MidiPortInfo kUsbOutOnly{"Out-Box:Out-Box MIDI 1", true};
const MidiPortInfo kNet{"rtpmidi:Network", false};

TEST(PortChoice, FirstStartTakesOneDeviceForBothDirectionsHardwareFirst) {
    struct Case {
        const char* what;
        Ports inputs;
        Ports outputs;
        const char* savedIn;
        const char* savedOut;
        int in;
        int out;
    };
    // clang-format off
    const Case cases[] = {
        {"virtual ports only", {kVir0, kVir1}, {kVir0, kVir1}, "", "", 0, 0},
        {"a USB interface beats virtual ports", {kVir0, kVir1, kUsb}, {kVir0, kVir1, kUsb}, "", "", 2, 2},
        {"a device in both lists before a lone one", {kNet, kVir0}, {kVir1, kVir0}, "", "", 1, 1},
        {"hardware alone in each direction", {kVir0, kUsb}, {kUsbOutOnly, kVir0}, "", "", 1, 0},
        {"saved port gone", {kVir0, kUsb}, {kVir0, kUsb}, "Gone:Port", "Gone:Port", 1, 1},
        {"saved input takes its device's output", {kVir0, kUsb}, {kVir0, kUsb}, kVir0.name.c_str(), "", 0, 0},
        // clang-format on
        {"saved output without that input",
         {kVir0, kUsb},
         {kUsbOutOnly, kUsb},
         "",
         kUsbOutOnly.name.c_str(),
         1,
         0},
        {"nothing listed", {}, {}, "", "", -1, -1},
        {"outputs only", {}, {kVir0}, "", "", -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const VelkPortIds ids = ChooseMidiPorts(c.inputs, c.outputs, c.savedIn, c.savedOut);
        EXPECT_EQ(ids.in, c.in);
        EXPECT_EQ(ids.out, c.out);
    }
}

}  // namespace
