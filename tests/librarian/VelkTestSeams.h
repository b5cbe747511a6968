#pragma once
// Scripted stand-ins for the librarian's seams: a prompter that answers from
// a script and records what it was asked, a clock that moves only when told,
// an in-memory settings store, a launcher that records, an event pump and a
// wait target that count their calls, a progress box that records.

#include <atomic>
#include <charconv>
#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "uiservices/VelkClock.h"
#include "librarian/VelkLauncher.h"
#include "uiservices/VelkPrompter.h"
#include "librarian/VelkSettingsStore.h"
#include "uiservices/VelkWaitLoop.h"

namespace velktest {

class FakePrompter : public VelkPrompter {
public:
    enum class Kind { kMessage, kYesNo, kYesNoCancel };
    struct Prompt {
        Kind kind;
        std::string text;
        std::string caption;
        VelkIcon icon;
    };

    // Answers for the questions, in order; when none is left a question gets
    // `fallback`.
    std::deque<VelkAnswer> answers;
    VelkAnswer fallback = VelkAnswer::kCancel;
    std::vector<Prompt> shown;
    // Runs while a question is up, before it is answered (a real box runs
    // the event loop meanwhile: timers fire, input arrives).
    std::function<void()> whileAsked;

    void ShowMessage(const std::string& text, const std::string& caption,
                     VelkIcon icon) override {
        shown.push_back({Kind::kMessage, text, caption, icon});
    }
    VelkAnswer AskYesNo(const std::string& text, const std::string& caption,
                        VelkIcon icon) override {
        shown.push_back({Kind::kYesNo, text, caption, icon});
        if (whileAsked) whileAsked();
        const VelkAnswer answer = Next();
        return answer == VelkAnswer::kYes ? VelkAnswer::kYes : VelkAnswer::kNo;
    }
    VelkAnswer AskYesNoCancel(const std::string& text, const std::string& caption,
                              VelkIcon icon) override {
        shown.push_back({Kind::kYesNoCancel, text, caption, icon});
        if (whileAsked) whileAsked();
        return Next();
    }

    // The texts shown, in order.
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const Prompt& p : shown) texts.push_back(p.text);
        return texts;
    }

private:
    VelkAnswer Next() {
        if (answers.empty()) return fallback;
        const VelkAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// Starts at an arbitrary point; moves only through SleepFor or Advance (on
// the test's thread). Other threads may read it: a wire timed by it.
class FakeClock : public VelkClock {
public:
    time_point Now() const override { return now_.load(); }
    void SleepFor(std::chrono::milliseconds span) override {
        if (span.count() > 0) Advance(span);
    }
    void Advance(std::chrono::milliseconds span) { now_.store(now_.load() + span); }
    std::chrono::milliseconds Elapsed() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(Now() - start_);
    }

private:
    const time_point start_ = time_point{} + std::chrono::hours(1);
    std::atomic<time_point> now_{start_};
};

// Values as text, as a profile file holds them.
class MemorySettingsStore : public VelkSettingsStore {
public:
    std::map<std::string, std::string> values;  // "group/name" -> text
    int writes = 0;

    std::string ReadString(const std::string& group, const std::string& name,
                           const std::string& fallback) const override {
        const auto it = values.find(Key(group, name));
        return it == values.end() ? fallback : it->second;
    }
    int ReadInt(const std::string& group, const std::string& name,
                int fallback) const override {
        const auto it = values.find(Key(group, name));
        if (it == values.end()) return fallback;
        int value = 0;
        const char* first = it->second.data();
        const char* last = first + it->second.size();
        const auto [end, error] = std::from_chars(first, last, value);
        return error == std::errc() && end == last ? value : fallback;
    }
    void WriteString(const std::string& group, const std::string& name,
                     const std::string& value) override {
        values[Key(group, name)] = value;
        ++writes;
    }
    void WriteInt(const std::string& group, const std::string& name, int value) override {
        WriteString(group, name, std::to_string(value));
    }

    static std::string Key(const std::string& group, const std::string& name) {
        return group + "/" + name;
    }
};

class FakeLauncher : public VelkLauncher {
public:
    std::vector<std::string> opened;
    bool result = true;
    bool Open(const std::string& path) override {
        opened.push_back(path);
        return result;
    }
};

// Each pump call is one pass: runs `onPump` (to deliver replies, say) and
// lets the budget pass on the fake clock.
class FakeEventPump : public VelkEventPump {
public:
    explicit FakeEventPump(FakeClock& clock) : clock_(clock) {}
    std::function<void()> onPump;
    int pumps = 0;

    void PumpFor(std::chrono::milliseconds budget) override {
        ++pumps;
        if (onPump) onPump();
        clock_.SleepFor(budget);
    }

private:
    FakeClock& clock_;
};

class FakeWaitTarget : public VelkWaitTarget {
public:
    std::function<void()> onProcessInput;
    int processed = 0;
    int cancels = 0;
    uint64_t progress = 0;  // what InputProgress reports
    uint64_t losses = 0;    // what InputLosses reports
    midiport::MidiOutProgress output;  // what OutputProgress reports

    void ProcessInput() override {
        ++processed;
        if (onProcessInput) onProcessInput();
    }
    void CancelTransfer() override { ++cancels; }
    uint64_t InputProgress() override { return progress; }
    uint64_t InputLosses() const override { return losses; }
    midiport::MidiOutProgress OutputProgress() override { return output; }
};

class FakeProgressBox : public VelkProgressBox {
public:
    std::vector<std::string> captions;
    bool shown = false;
    int closes = 0;

    void Show(const std::string& caption) override {
        captions.push_back(caption);
        shown = true;
    }
    void Close() override {
        shown = false;
        ++closes;
    }
};

}  // namespace velktest
