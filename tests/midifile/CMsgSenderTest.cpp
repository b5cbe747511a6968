#include "midifile/CMsgSender.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Got = std::vector<std::string>;

// A window that records the notices it gets.
struct FakeWindow : CMsgTarget {
    bool alive = true;
    bool answer = true;
    Got got;  // "updated", or "midi <id> <value>"
    std::function<void()> onUpdated;

    bool IsAlive() const override { return alive; }
    bool OnMidiInMsg(int paramId, int value) override {
        got.push_back("midi " + std::to_string(paramId) + " " + std::to_string(value));
        return true;
    }
    bool OnDevDescUpdatedProgram() override {
        got.push_back("updated");
        // A copy: the handler may clear itself.
        if (const auto handler = onUpdated) handler();
        return answer;
    }
};

}  // namespace

TEST(CMsgSender, EachNoticeReachesItsOwnHandlerFromEverySender) {
    CMsgSender a, b;
    auto window = std::make_shared<FakeWindow>();
    a.AddWnd(window);
    b.AddWnd(window);
    EXPECT_EQ(a.PostMidiInMsg(18, 64), 1);
    EXPECT_EQ(b.SendDevDescUpdatedProgram(), 1);
    EXPECT_EQ(b.PostMidiInMsg(24, 100), 1);
    EXPECT_EQ(window->got, (Got{"midi 18 64", "updated", "midi 24 100"}));
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
    EXPECT_EQ(sender.SendDevDescUpdatedProgram(), 1);
    EXPECT_TRUE(w->got.empty());
    EXPECT_EQ(other->got, Got{"updated"});
}

TEST(CMsgSender, EmptyBroadcastReturnsOne) {
    CMsgSender sender;
    EXPECT_EQ(sender.PostMidiInMsg(1, 2), 1);
    EXPECT_EQ(sender.SendDevDescUpdatedProgram(), 1);
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

    // A handler answering false also gives 0.
    closed->alive = true;
    closed->answer = false;
    EXPECT_EQ(sender.SendDevDescUpdatedProgram(), 0);
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
    a->onUpdated = [&] {
        a->onUpdated = nullptr;
        sender.RemoveWnd(a.get());
        sender.RemoveWnd(b.get());
        sender.AddWnd(added);
        EXPECT_EQ(sender.PostMidiInMsg(1, 1), 1);
    };
    EXPECT_EQ(sender.SendDevDescUpdatedProgram(), 1);
    EXPECT_TRUE(b->got.empty()) << "removed during the broadcast: skipped";
    EXPECT_EQ(c->got.size(), 2u) << "the nested post and the send";
    EXPECT_EQ(added->got.size(), 1u) << "only the nested post, made after it was added";
}

// A handler busy with one notice while an editor opens, a parameter report
// comes and the editor closes again: the report reaches every window listed
// at that moment, in list order, and the first notice then goes on to the
// rest of its windows.
TEST(CMsgSender, ReportWhileAHandlerRunsAndAnEditorOpensAndCloses) {
    CMsgSender sender;
    auto busy = std::make_shared<FakeWindow>();
    auto later = std::make_shared<FakeWindow>();
    auto editor = std::make_shared<FakeWindow>();
    sender.AddWnd(busy);
    sender.AddWnd(later);
    busy->onUpdated = [&] {
        busy->onUpdated = nullptr;
        sender.AddWnd(editor);
        EXPECT_EQ(sender.PostMidiInMsg(22, 5), 1);
        sender.RemoveWnd(editor.get());
    };
    EXPECT_EQ(sender.SendDevDescUpdatedProgram(), 1);
    EXPECT_EQ(busy->got, (Got{"updated", "midi 22 5"}));
    EXPECT_EQ(later->got, (Got{"midi 22 5", "updated"}));
    EXPECT_EQ(editor->got, Got{"midi 22 5"});
}
