#include <gtest/gtest.h>

#include <filesystem>

#include "DevRig.h"
#include "DevWire.h"
#include "device/MDevZEPHAMessages.h"

namespace {

constexpr SimModel B = SimModel::Brontisel;
constexpr SimModel S = SimModel::BrontiselS;

struct IdentifyCase {
    SimModel model;
    uint8_t channelByte;
    const char* name;
    int programCount;
    int idLength;
};

TEST(MDevConfig, IdentifiesEachModelAndNamesItsFolders) {
    const IdentifyCase cases[] = {
        {B, 0x00, "Brontisel", 128, 1},
        {S, 0x23, "Brontisel S", 256, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DevRig rig(c.model);
        rig.Synth().SetChannel(c.channelByte);
        EXPECT_EQ(rig.Config().GetDevice(0), nullptr) << "nothing registered before the reply";
        ASSERT_TRUE(rig.Connect());
        EXPECT_EQ(rig.Config().GetMidiInState(), MDevConfig::kNormal);
        EXPECT_EQ(rig.Config().GetDeviceName(0), c.name);
        EXPECT_EQ(rig.Config().GetDeviceName(1), std::nullopt);
        EXPECT_EQ(rig.Config().GetDevice(1), nullptr);
        EXPECT_EQ(rig.Dev().GetProgramCount(), c.programCount);
        EXPECT_EQ(rig.Dev().GetModelInfo().modelIdLength, c.idLength);
        EXPECT_EQ(rig.Dev().GetChannelByte(), c.channelByte);

        std::string lower = c.name;
        for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        EXPECT_EQ(rig.Config().FindDevice(lower), 0);
        EXPECT_EQ(rig.Config().FindDevice(std::nullopt), -1);
        EXPECT_EQ(rig.Config().FindDevice("Brontisel X"), -1);

        rig.Config().SetRootPath("/lib/root");
        EXPECT_EQ(rig.Config().GetSetupFolder(-1), std::filesystem::path("/lib/root/My Setup"));
        EXPECT_EQ(rig.Config().GetSetupFolder(0), std::filesystem::path("/lib/root/My Setup") / c.name);
        EXPECT_EQ(rig.Config().GetLibraryFolder(-1), std::filesystem::path("/lib/root/My Library"));
        EXPECT_EQ(rig.Config().GetLibraryFolder(0), std::filesystem::path("/lib/root/My Library") / c.name);
        EXPECT_TRUE(rig.Config().GetLibraryFolder(1).empty());

        // The identity request went out first, byte for byte.
        const auto received = rig.Synth().Received();
        ASSERT_FALSE(received.empty());
        EXPECT_EQ(received.front(), MDevZEPHAMessages::IdentityRequest());
    }
}

TEST(MDevConfig, OnlyTheIdentityReplyIsTakenWhileIdentifying) {
    DevRig rig(B);
    SimFault silent;
    silent.silent = true;
    rig.Synth().SetFault(SimReply::Identity, silent);
    ASSERT_EQ(rig.Config().OpenPorts(), 0);
    rig.Synth().SendAllData();  // unsolicited, while the state is identify
    rig.Settle();
    EXPECT_EQ(rig.Config().GetMidiInState(), MDevConfig::kIdentify);
    EXPECT_EQ(rig.Config().GetDeviceCount(), 0);

    rig.Synth().ClearFaults();
    ASSERT_TRUE(rig.Connect());
    // The identity reply itself clears the dump-received flag, so look at
    // what a dispatched dump would have left: the programs it carried and
    // the all-data size it records even before it is accepted.
    EXPECT_EQ(rig.Dev().GetProgramName(0), "Untitled") << "the dump during identification was dispatched";
    EXPECT_EQ(rig.Dev().GetModelInfo().lastAllDataSize, 0u);

    // A second reply after registration is dispatched as sysex and ignored.
    const std::vector<uint8_t> reply{0xF0, 0x7E, 0x05, 0x06, 0x02, 0x42, 0x40, 0x01,
                                     0x01, 0x00, 0x01, 0x00, 0x00, 0x00, 0xF7};
    rig.Peer().Send(reply);
    rig.Settle();
    EXPECT_EQ(rig.Config().GetDeviceCount(), 1);
    EXPECT_EQ(rig.Config().GetDeviceName(0), "Brontisel");
    EXPECT_EQ(rig.Dev().GetChannelByte(), 0);
    EXPECT_FALSE(rig.Dev().IsModelS());
}

TEST(MDevConfig, OpenPortsFailureLeavesTheStateAlone) {
    DevRig rig(B);
    ASSERT_TRUE(rig.Connect());
    rig.Config().SetMidiOutPortId(5);
    EXPECT_EQ(rig.Config().OpenPorts(), -1);
    EXPECT_EQ(rig.Config().GetMidiInState(), MDevConfig::kNormal);
    rig.Config().SetMidiOutPortId(0);
    rig.Config().SetMidiInPortId(-1);
    EXPECT_EQ(rig.Config().OpenPorts(), -1);
}

TEST(MDevConfig, ReconnectionKeepsTheDeviceAndForgetsAnotherSynthsData) {
    DevRig rig(B);
    auto peerS = rig.Backend().CreatePair("Sim:Port 2");
    SimSynthOnLoopback simS(S, peerS);
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.ReceiveAll());
    MDevDesc* device = rig.Config().GetDevice(0);

    // The same synth again: the data stays.
    rig.Config().CreateDevice();
    ASSERT_TRUE(rig.Connect());
    EXPECT_EQ(rig.Config().GetDevice(0), device);
    EXPECT_EQ(rig.Dev().IsDumpReceived(), 1);

    // Another channel: receive again.
    rig.Synth().SetChannel(0x01);
    rig.Config().CreateDevice();
    ASSERT_TRUE(rig.Connect());
    EXPECT_EQ(rig.Dev().IsDumpReceived(), 0);
    ASSERT_TRUE(rig.ReceiveAll());

    // Another model on other ports.
    rig.Config().SetMidiInPortId(1);
    rig.Config().SetMidiOutPortId(1);
    rig.Config().CreateDevice();
    ASSERT_TRUE(rig.Connect());
    EXPECT_EQ(rig.Config().GetDevice(0), device);
    EXPECT_EQ(rig.Config().GetDeviceName(0), "Brontisel S");
    EXPECT_EQ(rig.Dev().GetProgramCount(), 256);
    EXPECT_EQ(rig.Dev().IsDumpReceived(), 0);
    rig.Config().CreateDevice();  // the ports close before simS goes
    rig.Config().SetMidiInPortId(0);
    rig.Config().SetMidiOutPortId(0);
    ASSERT_TRUE(rig.Connect());
}

}  // namespace

namespace {

// Input is routed by one task at a time posted to the event loop: a burst
// of messages posts one task, the next message after it ran posts another,
// and a task that runs after the configuration is gone does nothing.
TEST(MDevConfig, InputIsRoutedByOnePostedTaskAtATimeAndNotAfterTheEnd) {
    DevEventLoop loop;
    {
        DevRig rig(B, &loop);
        ASSERT_TRUE(rig.Connect());
        loop.RunPending();
        // Three reports of arpeggiator knobs, nine messages: one task.
        for (uint8_t value : {10, 20, 30}) rig.Synth().SendNrpn(0x0A, value);
        rig.Arrive();
        EXPECT_EQ(loop.ui.Pending(), 1u);
        EXPECT_EQ(rig.Dev().GetParamNumbers().GetNrpnNumber(), 0x7F7F) << "routed before the loop ran";
        EXPECT_EQ(loop.RunPending(), 1);
        EXPECT_EQ(rig.Dev().GetParamNumbers().GetNrpnNumber(), 0x000A);

        rig.Synth().SendNrpn(0x02, 127);
        rig.Arrive();
        EXPECT_EQ(loop.ui.Pending(), 1u) << "a message after the task ran posts a new one";
    }
    // The configuration is gone; its posted task still runs, reaching nothing.
    EXPECT_EQ(loop.RunPending(), 1);
}

}  // namespace
