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
#include <cstdint>
#include <functional>
#include <string>

#include "platform/midi/MidiOutPort.h"
#include "uiservices/VelkUiServices.h"

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
    // The device's own configuration.
    explicit CDeviceWaitTarget(MDevDesc& device);
    void ProcessInput() override;
    void CancelTransfer() override;
    uint64_t InputProgress() override;
    uint64_t InputLosses() const override;
    midiport::MidiOutProgress OutputProgress() override;

private:
    MDevConfig& config_;
    MDevDesc* device_;
};

class CVelkWaitLoop {
public:
    // Pumps the services' event loop; their transfer guard tells meanwhile
    // that a wait runs.
    explicit CVelkWaitLoop(VelkUiServices& ui) : ui_(ui) {}

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
    VelkUiServices& ui_;
};

// Shows the services' progress box for the lifetime of the scope.
class CVelkProgressScope {
public:
    CVelkProgressScope(VelkUiServices& ui, const std::string& caption);
    ~CVelkProgressScope();
    CVelkProgressScope(const CVelkProgressScope&) = delete;
    CVelkProgressScope& operator=(const CVelkProgressScope&) = delete;

private:
    VelkUiServices& ui_;
};
