// Controller sequences from the synth, through the loopback and the inbox,
// to the parameter reports posted to the registered windows.

#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "DevNoticeTarget.h"
#include "DevRig.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Posted = std::vector<std::pair<int, int>>;

struct Case {
    const char* name;
    std::vector<Bytes> messages;
    Posted posted;
};

Bytes Cc(uint8_t controller, uint8_t value, uint8_t channel = 0) {
    return {static_cast<uint8_t>(0xB0 | channel), controller, value};
}

TEST(MDevDescNrpn, ControllerSequencesPostParameterReports) {
    // clang-format off
    const Case cases[] = {
        {"gate time", {Cc(99, 0), Cc(98, 10), Cc(6, 64)}, {{24, 50}}},
        {"gate time max", {Cc(99, 0), Cc(98, 10), Cc(6, 127)}, {{24, 100}}},
        {"range above 3", {Cc(99, 0), Cc(98, 3), Cc(6, 4)}, {}},
        {"range then 3", {Cc(99, 0), Cc(98, 3), Cc(6, 4), Cc(6, 3)}, {{23, 3}}},
        {"on/off", {Cc(99, 0), Cc(98, 2), Cc(6, 63), Cc(6, 64)}, {{18, 0}, {18, 1}}},
        {"latch", {Cc(99, 0), Cc(98, 4), Cc(6, 100)}, {{19, 1}}},
        // clang-format on
        {"type",
         {Cc(99, 0), Cc(98, 7), Cc(6, 21), Cc(6, 22), Cc(6, 106), Cc(6, 107)},
         {{22, 0}, {22, 1}, {22, 4}, {22, 5}}},
        {"no selection", {Cc(6, 64)}, {}},
        {"rpn null", {Cc(99, 0), Cc(98, 2), Cc(101, 127), Cc(100, 127), Cc(6, 64)}, {}},
        {"rpn selected", {Cc(99, 0), Cc(98, 2), Cc(101, 0), Cc(100, 0), Cc(6, 64)}, {}},
        {"back to nrpn keeps the other byte",
         {Cc(99, 0), Cc(98, 2), Cc(101, 0), Cc(100, 0), Cc(98, 10), Cc(6, 64)},
         {{24, 50}}},
        {"data entry lsb", {Cc(99, 0), Cc(98, 10), Cc(38, 64)}, {}},
        {"other nrpn", {Cc(99, 1), Cc(98, 10), Cc(6, 64)}, {}},
        {"any channel", {Cc(99, 0, 9), Cc(98, 10, 15), Cc(6, 64, 3)}, {{24, 50}}},
        {"other messages between",
         {Cc(99, 0), Bytes{0x90, 60, 100}, Cc(98, 10), Bytes{0xC0, 5}, Cc(7, 100), Cc(6, 64)},
         {{24, 50}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DevRig rig(SimModel::Brontisel);
        ASSERT_TRUE(rig.Connect());
        auto window = std::make_shared<DevNoticeTarget>();
        rig.Dev().AddWnd(window);
        for (const auto& m : c.messages) rig.Peer().Send(m);
        rig.Settle();
        EXPECT_EQ(window->TakePosted(), c.posted);
        rig.Dev().RemoveWnd(window.get());
    }
}

TEST(MDevDescNrpn, EachSelectionEndsTheOtherKind) {
    struct Flags {
        const char* name;
        std::vector<Bytes> messages;
        bool nrpn;
        bool rpn;
    };
    // clang-format off
    const Flags cases[] = {
        {"nrpn lsb ends a running rpn", {Cc(101, 0), Cc(100, 0), Cc(98, 10)}, true, false},
        {"nrpn msb ends a running rpn", {Cc(101, 0), Cc(100, 0), Cc(99, 0)}, true, false},
        {"rpn lsb ends a running nrpn", {Cc(99, 0), Cc(98, 10), Cc(100, 0)}, false, true},
        {"rpn msb ends a running nrpn", {Cc(99, 0), Cc(98, 10), Cc(101, 0)}, false, true},
        {"rpn null ends both", {Cc(99, 0), Cc(98, 10), Cc(101, 127), Cc(100, 127)}, false, false},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DevRig rig(SimModel::Brontisel);
        ASSERT_TRUE(rig.Connect());
        for (const auto& m : c.messages) rig.Peer().Send(m);
        rig.Settle();
        EXPECT_EQ(rig.Dev().GetParamNumbers().IsNrpnActive(), c.nrpn);
        EXPECT_EQ(rig.Dev().GetParamNumbers().IsRpnActive(), c.rpn);
    }
}

TEST(MDevDescNrpn, ShortChannelMessagesAreDropped) {
    DevRig rig(SimModel::Brontisel);
    ASSERT_TRUE(rig.Connect());
    auto window = std::make_shared<DevNoticeTarget>();
    rig.Dev().AddWnd(window);
    // Straight into the device: a controller with one data byte, a pitch
    // bend with none, an unknown status.
    const uint8_t one[] = {99};
    rig.Dev().Dispatch(0xB0, std::span<const uint8_t>(one, 1));
    rig.Dev().Dispatch(0xE0, {});
    rig.Dev().Dispatch(0xF8, {});
    EXPECT_EQ(rig.Dev().GetParamNumbers().GetNrpnNumber(), MDevParamNumberDecoder::kNone);
    EXPECT_FALSE(rig.Dev().GetParamNumbers().IsNrpnActive());
    EXPECT_TRUE(window->TakePosted().empty());
}

TEST(MDevDescNotices, ChangedObjectsAreAnnounced) {
    DevRig rig(SimModel::Brontisel);
    ASSERT_TRUE(rig.Connect());
    auto window = std::make_shared<DevNoticeTarget>();
    rig.Dev().AddWnd(window);
    MDevDescProgram* edit = rig.Dev().GetProgramCopy(0);
    ASSERT_NE(edit, nullptr);
    edit->SetParam(24, 10, 1);
    EXPECT_TRUE(edit->IsModified());
    EXPECT_EQ(window->Updated(), 1);
    edit->SetParam(24, 11, 0);
    EXPECT_EQ(window->Updated(), 1) << "a program change without notify is silent";
    rig.Dev().GetGlobalCopy(0)->SetParam(0, 1, 0);
    EXPECT_EQ(window->Updated(), 2) << "every global change is announced";
}

// The notification list has no lock because it is only used on the thread
// that runs the event loop: what arrives on the MIDI thread, a parameter
// report or a whole dump, notifies from there too.
TEST(MDevDescNotices, InputNotifiesOnTheEventLoopsThread) {
    DevRig rig(SimModel::Brontisel);
    ASSERT_TRUE(rig.Connect());
    auto window = std::make_shared<DevNoticeTarget>();
    rig.Dev().AddWnd(window);
    for (const auto& m : {Cc(99, 0), Cc(98, 10), Cc(6, 64)}) rig.Peer().Send(m);
    ASSERT_TRUE(rig.ReceiveAll());
    rig.Settle();
    EXPECT_EQ(window->TakePosted(), (Posted{{24, 50}}));
    EXPECT_GT(window->Updated(), 0) << "the received global announces its values";
    ASSERT_EQ(window->Threads().size(), static_cast<std::size_t>(window->Updated()) + 1);
    for (const std::thread::id thread : window->Threads()) EXPECT_EQ(thread, std::this_thread::get_id());
    rig.Dev().RemoveWnd(window.get());
}

}  // namespace
