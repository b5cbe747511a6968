// The queue between the MIDI thread and the user-interface thread stays
// bounded when nobody drains it.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "device/MDevInbox.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr std::size_t kWholeDevice = 74321;  // bytes after F0 of the largest dump

TEST(MDevInbox, UndrainedQueueStopsGrowingAndCountsWhatItDrops) {
    MDevInbox inbox;
    int wakes = 0;
    inbox.SetWakeHook([&] { ++wakes; });
    const Bytes dump(kWholeDevice, 0x01);
    // Far more than the bound: the UI thread has stopped draining.
    constexpr int kPushed = 100;
    for (int i = 0; i < kPushed; ++i) inbox.Push(0xF0, dump);

    EXPECT_LE(inbox.Bytes(), MDevInbox::kMaxBytes);
    EXPECT_GE(inbox.Size(), 3u) << "a few whole-device dumps must fit";
    EXPECT_EQ(inbox.Size() + inbox.DroppedCount(), static_cast<std::size_t>(kPushed));
    EXPECT_EQ(wakes, static_cast<int>(inbox.Size())) << "a dropped message wakes nobody";

    // Draining makes room again; what was queued comes out in order, whole.
    const std::size_t queued = inbox.Size();
    for (std::size_t i = 0; i < queued; ++i) {
        const auto m = inbox.Pop();
        ASSERT_TRUE(m.has_value());
        EXPECT_EQ(m->data.size(), kWholeDevice);
    }
    EXPECT_EQ(inbox.Bytes(), 0u);
    inbox.Push(0xB0, Bytes{0x63, 0x00});
    EXPECT_EQ(inbox.Size(), 1u);
    EXPECT_EQ(inbox.DroppedCount(), static_cast<std::size_t>(kPushed) - queued);
}

TEST(MDevInbox, SmallMessagesStillFitBesideAFullDump) {
    MDevInbox inbox;
    const Bytes big(MDevInbox::kMaxBytes - 10, 0x00);
    inbox.Push(0xF0, big);
    inbox.Push(0xB0, Bytes{0x06, 0x40});  // fits in what is left
    inbox.Push(0xF0, Bytes(64, 0x00));    // does not
    EXPECT_EQ(inbox.Size(), 2u);
    EXPECT_EQ(inbox.DroppedCount(), 1u);
    inbox.Clear();
    EXPECT_EQ(inbox.Bytes(), 0u);
    inbox.Push(0xF0, Bytes(MDevInbox::kMaxBytes + 1, 0x00));  // never fits
    EXPECT_EQ(inbox.Size(), 0u);
    EXPECT_EQ(inbox.DroppedCount(), 2u);
}

}  // namespace
