#include "midifile/CMsgSender.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <thread>
#include <vector>

#include "midifile/MNamedMutex.h"
#include "midifile/MRegisteredMessage.h"

namespace {

// A window that records the notices it gets.
struct FakeWindow : CMsgTarget {
    bool alive = true;
    intptr_t answer = 1;
    std::vector<std::pair<unsigned, intptr_t>> got;  // message, wParam
    std::function<void()> onSend;

    bool IsAlive() const override { return alive; }
    int Post(unsigned message, intptr_t wParam, intptr_t) override {
        got.emplace_back(message, wParam);
        return 1;
    }
    intptr_t Send(unsigned message, intptr_t wParam, intptr_t) override {
        got.emplace_back(message, wParam);
        // A copy: the handler may clear itself.
        if (const auto handler = onSend) handler();
        return answer;
    }
};

}  // namespace

TEST(CMsgSender, NoticeIdsAreRegisteredByTheirNames) {
    const unsigned midiIn = CMsgSender::MidiInMsgId();
    const unsigned updated = CMsgSender::DevDescUpdatedProgramId();
    EXPECT_EQ(MRegisteredMessage::Register("CMsgSender_MidiInMsg"), midiIn);
    EXPECT_EQ(MRegisteredMessage::Register("CMsgSender_DevDescUpdatedProgram"), updated);
    EXPECT_NE(midiIn, updated);
    EXPECT_GE(midiIn, 0xC000u);
    CMsgSender again;  // registers again, with the same result
    EXPECT_EQ(CMsgSender::MidiInMsgId(), midiIn);
    EXPECT_EQ(CMsgSender::DevDescUpdatedProgramId(), updated);
}

TEST(CMsgSender, EverySenderWaitsForTheOneNamedLock) {
    using namespace std::chrono_literals;
    EXPECT_NE(&MNamedMutex::Get("CMsgSender_Mutex"), &MNamedMutex::Get("CMsgSender_Other"));
    CMsgSender a, b;
    auto window = std::make_shared<FakeWindow>();
    std::unique_lock held(MNamedMutex::Get("CMsgSender_Mutex"));
    for (CMsgSender* sender : {&a, &b}) {
        auto adding = std::async(std::launch::async, [&] { sender->AddWnd(window); });
        EXPECT_EQ(adding.wait_for(100ms), std::future_status::timeout) << "changed the list without the lock";
        held.unlock();
        adding.wait();
        held.lock();
    }
    held.unlock();
    EXPECT_EQ(a.PostMidiInMsg(3, 4), 1);
    EXPECT_EQ(b.PostMidiInMsg(3, 4), 1);
    EXPECT_EQ(window->got.size(), 2u);
}

TEST(CMsgSender, AddedTwiceRemovedOnceIsGone) {
    CMsgSender sender;
    auto w = std::make_shared<FakeWindow>();
    auto other = std::make_shared<FakeWindow>();
    sender.AddWnd(w);
    sender.AddWnd(other);
    sender.AddWnd(w);
    EXPECT_EQ(sender.PostMidiInMsg(18, 64), 1);
    EXPECT_EQ(w->got.size(), 2u) << "listed twice, served twice";
    sender.RemoveWnd(w.get());
    w->got.clear();
    other->got.clear();
    EXPECT_EQ(sender.SendDevDescUpdatedProgram(0, 0), 1);
    EXPECT_TRUE(w->got.empty());
    EXPECT_EQ(other->got, (std::vector<std::pair<unsigned, intptr_t>>{{CMsgSender::DevDescUpdatedProgramId(), 0}}));
}

TEST(CMsgSender, EmptyBroadcastReturnsOne) {
    CMsgSender sender;
    EXPECT_EQ(sender.PostMidiInMsg(1, 2), 1);
    EXPECT_EQ(sender.SendDevDescUpdatedProgram(0, 0), 1);
}

TEST(CMsgSender, GoneOrRefusingTargetsGiveZeroAndTheRestAreServed) {
    CMsgSender sender;
    auto first = std::make_shared<FakeWindow>();
    auto closed = std::make_shared<FakeWindow>();
    closed->alive = false;
    auto destroyed = std::make_shared<FakeWindow>();
    auto last = std::make_shared<FakeWindow>();
    for (const auto& w : {first, closed, destroyed, last}) sender.AddWnd(w);
    destroyed.reset();  // the target object itself is gone: no dangling call
    EXPECT_EQ(sender.PostMidiInMsg(7, 1), 0);
    EXPECT_EQ(first->got.size(), 1u);
    EXPECT_TRUE(closed->got.empty());
    EXPECT_EQ(last->got.size(), 1u);

    // A handler answering 0 to a send also gives 0.
    closed->alive = true;
    closed->answer = 0;
    EXPECT_EQ(sender.SendDevDescUpdatedProgram(0, 0), 0);
    EXPECT_EQ(last->got.size(), 2u);
}

TEST(CMsgSender, ReentrantHandlerChangesTheListSafely) {
    CMsgSender sender;
    auto a = std::make_shared<FakeWindow>();
    auto b = std::make_shared<FakeWindow>();
    auto c = std::make_shared<FakeWindow>();
    auto added = std::make_shared<FakeWindow>();
    sender.AddWnd(a);
    sender.AddWnd(b);
    sender.AddWnd(c);
    // a removes itself and b and adds a new window, then notifies again.
    a->onSend = [&] {
        a->onSend = nullptr;
        sender.RemoveWnd(a.get());
        sender.RemoveWnd(b.get());
        sender.AddWnd(added);
        EXPECT_EQ(sender.PostMidiInMsg(1, 1), 1);  // the lock is re-entrant
    };
    EXPECT_EQ(sender.SendDevDescUpdatedProgram(0, 0), 1);
    EXPECT_TRUE(b->got.empty()) << "removed during the broadcast: skipped";
    EXPECT_EQ(c->got.size(), 2u) << "the nested post and the send";
    EXPECT_EQ(added->got.size(), 1u) << "only the nested post, made after it was added";
}

TEST(CMsgSender, AnotherThreadNeverWaitsForAHandler) {
    CMsgSender sender;
    auto editor = std::make_shared<FakeWindow>();
    sender.AddWnd(editor);
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::promise<void> entered;
    editor->onSend = [&] {
        editor->onSend = nullptr;
        entered.set_value();
        released.wait();  // the UI thread's handler is busy
    };
    std::thread ui([&] { sender.SendDevDescUpdatedProgram(0, 0); });
    entered.get_future().wait();
    // Meanwhile the MIDI thread posts, and an editor registers: neither waits.
    auto poster = std::async(std::launch::async, [&] {
        auto other = std::make_shared<FakeWindow>();
        sender.AddWnd(other);
        const int result = sender.PostMidiInMsg(22, 5);
        sender.RemoveWnd(other.get());
        return result;
    });
    const bool done = poster.wait_for(std::chrono::seconds(60)) == std::future_status::ready;
    release.set_value();
    ui.join();
    ASSERT_TRUE(done) << "the post waited for the UI thread's handler";
    EXPECT_EQ(poster.get(), 1);
}
