#pragma once
// A thread that sends a SimSynth's delayed replies when they fall due, on
// the real steady clock. While it runs it owns the synth's wakeup hook.

#include "simulator/SimSynth.h"

#include <condition_variable>
#include <mutex>
#include <thread>

class SimReplyPump {
public:
    explicit SimReplyPump(SimSynth& synth);
    ~SimReplyPump();
    SimReplyPump(const SimReplyPump&) = delete;
    SimReplyPump& operator=(const SimReplyPump&) = delete;

private:
    void Run();
    void Wake();

    SimSynth& synth_;
    std::mutex mutex_;
    std::condition_variable cv_;
    bool kicked_ = false;
    bool stop_ = false;
    std::thread thread_;
};
