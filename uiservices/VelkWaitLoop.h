#pragma once
// The waiting loop of every blocking transfer: the user-interface thread
// polls a condition that the device model sets from received MIDI, pumping
// the event queue in passes of T ms, and gives up with CancelTransfer when
// the condition did not hold after N passes in which nothing came in. The
// wait for the answer begins once what was sent has left the output: while
// it still goes out (a slow interface), or while a dump keeps coming in (a
// slow wire), the wait goes on, up to kActiveWaitFactor times N passes in
// all.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <utility>

#include "uiservices/VelkClock.h"
#include "platform/midi/MidiOutPort.h"

class MDevConfig;
class MDevDesc;

// N passes of T ms without input.
struct VelkWaitSpec {
    int passes;
    std::chrono::milliseconds pass;
};

namespace velkwait {
using std::chrono::milliseconds;
inline constexpr VelkWaitSpec kIdentify{20, milliseconds(50)};
inline constexpr VelkWaitSpec kReceive{600, milliseconds(50)};
inline constexpr VelkWaitSpec kWriteOne{50, milliseconds(100)};
inline constexpr VelkWaitSpec kWriteAll{300, milliseconds(100)};
inline constexpr VelkWaitSpec kRename{50, milliseconds(100)};
// The editors' writes.
inline constexpr VelkWaitSpec kEditorWrite{50, milliseconds(100)};
// A wait that sees input arriving goes on, but never beyond this many
// times its passes: a device that sends without end cannot hold it for good.
inline constexpr int kActiveWaitFactor = 4;
}  // namespace velkwait

// Runs the user interface's events for a while. The wx pump dispatches
// events until the budget is spent; a headless pump just sleeps.
class VelkEventPump {
public:
    virtual ~VelkEventPump() = default;
    // Returns once `budget` has passed on the pump's clock.
    virtual void PumpFor(std::chrono::milliseconds budget) = 0;
};

// The event loop of a program without windows: tasks posted from any
// thread (the device configuration's input routing, RouteInputVia) run on
// the pumping thread as they arrive; between them it sleeps until the
// budget has passed on the steady clock. A task posted while nobody pumps
// runs in the next pass.
class CTaskPump final : public VelkEventPump {
public:
    using Task = std::function<void()>;

    // Posts to this pump; valid while the pump lives.
    std::function<void(Task)> Poster() {
        return [this](Task task) { Post(std::move(task)); };
    }
    void Post(Task task);
    void PumpFor(std::chrono::milliseconds budget) override;

private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<Task> tasks_;
};

// What a waiting loop drives on the device side.
class VelkWaitTarget {
public:
    virtual ~VelkWaitTarget() = default;
    // Routes the MIDI input received so far into the device model.
    virtual void ProcessInput() = 0;
    // Forgets the awaited reply after a time-out.
    virtual void CancelTransfer() = 0;
    // A count that grows while input comes in (bytes of a dump arriving);
    // the wait goes on while it moves.
    virtual uint64_t InputProgress() { return 0; }
    // A count that grows whenever input was lost (an overrun, an unplugged
    // port): a wait fails at once when it grows, as after its time limit.
    virtual uint64_t InputLosses() const { return 0; }
    // How far the output has got (MDevConfig::OutputProgress): what was
    // sent before the wait began must have left before its answer can come.
    virtual midiport::MidiOutProgress OutputProgress() { return {}; }
};

// The device configuration's input and, when there is one, the device's
// transfer (none while a device is being identified).
class CDeviceWaitTarget final : public VelkWaitTarget {
public:
    CDeviceWaitTarget(MDevConfig& config, MDevDesc* device) : config_(config), device_(device) {}
    void ProcessInput() override;
    void CancelTransfer() override;
    uint64_t InputProgress() override;
    uint64_t InputLosses() const override;
    midiport::MidiOutProgress OutputProgress() override;

private:
    MDevConfig& config_;
    MDevDesc* device_;
};

// Tells whether a waiting loop runs somewhere below on the stack, so that a
// window close arriving through the pumped events can be refused: closing
// would destroy what the loop still uses.
class CVelkTransferGuard {
public:
    bool IsRunning() const { return depth_ > 0; }

    class Scope {
    public:
        explicit Scope(CVelkTransferGuard& guard) : guard_(guard) { ++guard_.depth_; }
        ~Scope() { --guard_.depth_; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        CVelkTransferGuard& guard_;
    };

private:
    int depth_ = 0;
};

class CVelkWaitLoop {
public:
    CVelkWaitLoop(VelkEventPump& pump, CVelkTransferGuard& guard) : pump_(pump), guard_(guard) {}

    // Each pass routes the input, tests `done` (true ends the wait at once)
    // and pumps for one pass length. The wait ends after N passes in a row
    // in which the target's input made no progress and nothing sent before
    // the wait was still going out (or after kActiveWaitFactor x N passes in
    // all), and at once when input is lost while waiting; then the input is
    // routed and `done` tested once more, so a reply that arrived during the
    // last pass still counts. On time-out the target's transfer is
    // cancelled. True when `done` held.
    bool Run(const VelkWaitSpec& spec, VelkWaitTarget& target, const std::function<bool()>& done);

private:
    VelkEventPump& pump_;
    CVelkTransferGuard& guard_;
};

// The progress box shown while a transfer waits.
class VelkProgressBox {
public:
    virtual ~VelkProgressBox() = default;
    // An empty caption keeps the box's own title.
    virtual void Show(const std::string& caption) = 0;
    virtual void Close() = 0;
};

// Shows a progress box for the lifetime of the scope.
class CVelkProgressScope {
public:
    CVelkProgressScope(VelkProgressBox& box, const std::string& caption);
    ~CVelkProgressScope();
    CVelkProgressScope(const CVelkProgressScope&) = delete;
    CVelkProgressScope& operator=(const CVelkProgressScope&) = delete;

private:
    VelkProgressBox& box_;
};
