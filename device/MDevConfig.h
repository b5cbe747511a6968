#pragma once
// The device configuration the document contains: the MIDI port ids, the
// MIDI thread, the one device description and its registration under the
// model's name, and the setup and library folders of each device.
//
// The MIDI thread (MidIOThread) reads the input port and moves each received
// message into the inbox (OnMidiIn, its input callback); ProcessInput, on
// the user-interface thread, routes them to the device, so
// all of the device model runs on one thread. The application has input
// routed as it arrives (RouteInputVia: each arrival posts one ProcessInput
// to its event loop); every waiting loop also calls ProcessInput on each
// pass, and every transfer routes what arrived before its request goes out.

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "device/MDevInbox.h"
#include "midifile/MFileCtrl.h"
#include "platform/midi/MidiOutPort.h"

class CMsgSender;
class MDevDesc;
class MDevDescProgram;
class MidIOThread;
namespace midiport {
class MidiBackend;
}

class MDevConfig : public MFileCtrl {
public:
    // Pause after stopping a running MIDI thread before a new one starts.
    static constexpr std::chrono::milliseconds kRestartPause{100};
    static constexpr int kMaxDevices = 1;
    static constexpr const char* kModelName = "Brontisel";
    static constexpr const char* kModelNameS = "Brontisel S";

    enum MidiInState { kNormal = 0, kIdentify = 1 };

    explicit MDevConfig(midiport::MidiBackend& backend);
    // Stops the MIDI thread, then deletes the device description.
    ~MDevConfig();
    MDevConfig(const MDevConfig&) = delete;
    MDevConfig& operator=(const MDevConfig&) = delete;

    // Resets the device count and the model name; creates and initialises the
    // device description when there is none (an existing one keeps its data); 0.
    int CreateDevice();
    void SetModelS();
    // Restarts the MIDI thread, opens both ports, enters the identify state
    // and sends the identity request: 0, or -1 when the thread or a port
    // cannot be started (the state is then unchanged).
    int OpenPorts();

    // Sends one message: below F0 a channel message with its data bytes, F0
    // a system-exclusive message given by its bytes after F0.
    void Send(uint8_t status, std::span<const uint8_t> data);

    // The clock the wire is measured by: the steady clock unless set (the
    // document sets its user-interface services' clock, a device rig a fake).
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    void SetClock(Clock now);
    std::chrono::steady_clock::time_point Now() const { return now_(); }
    // Until when the synth may still answer what was sent last: its last
    // byte's time on the wire at the rate of a slow interface, plus
    // kAnswerTime. None once that has passed. A transfer that times out
    // before then may still get its reply, late.
    std::optional<std::chrono::steady_clock::time_point> AnswerDeadline() const;
    static constexpr uint32_t kSlowWireBytesPerSecond = 2000;
    static constexpr std::chrono::milliseconds kAnswerTime{1000};

    // How far the output has got, in bytes over every connection so far:
    // accepted for sending and left the port (a message dropped or cut
    // counts as gone once the port gave up on it). Read `accepted` right
    // after a send: the message has left once `left` reached it.
    midiport::MidiOutProgress OutputProgress() const;

    // The input handler, on the MIDI thread: queues the message.
    void OnMidiIn(uint8_t status, std::span<const uint8_t> data);
    // Routes every queued message, in arrival order: in the identify state to
    // the device's OnIdentityReply (registering the device when it is
    // recognised), else to its Dispatch. Returns the count routed; 0 when
    // called again from inside a routing (that one goes on with the queue).
    int ProcessInput();

    // Runs a task later on the user-interface thread; callable from any
    // thread, never waits for the task.
    using UiPoster = std::function<void(std::function<void()> task)>;
    // Routes input on the user-interface thread as soon as it arrives: each
    // message queued posts, through `post`, a task that runs ProcessInput
    // (one task at a time: messages arriving before it ran wait for it). A
    // task that runs after this configuration is gone does nothing. Empty:
    // input is routed only by ProcessInput calls.
    void RouteInputVia(UiPoster post);

    // A count of system-exclusive bytes that came in before their message
    // was whole: it grows while a long dump of the device comes in (from
    // the identified synth: its maker, channel and model id; another
    // device's sysex on the same input does not count). 0 without an input.
    uint64_t InputProgress() const;

    int GetDeviceCount() const { return deviceCount_; }
    std::optional<std::string> GetDeviceName(int index) const;
    // Index of the registered device whose name equals `name` without regard
    // to case; -1 for none or no name.
    int FindDevice(std::optional<std::string_view> name) const;
    MDevDesc* GetDevice(int index);
    // The folder alone for index -1, the device's own folder below it for a
    // registered device; an empty path for any other index.
    std::filesystem::path GetSetupFolder(int index) const;
    std::filesystem::path GetLibraryFolder(int index) const;

    // Sets the object's modified flag and tells the windows registered with
    // its device.
    void MarkModified(MDevDescProgram& object, CMsgSender& device);

    void SetMidiInPortId(int id) { inPortId_ = id; }
    void SetMidiOutPortId(int id) { outPortId_ = id; }
    int GetMidiInPortId() const { return inPortId_; }
    int GetMidiOutPortId() const { return outPortId_; }
    const std::string& GetModelName() const { return modelName_; }
    int GetMidiInState() const { return midiInState_; }

    // How often input from the synth was lost so far: an input overrun
    // dropped received messages, or an open port went away (unplugged). A
    // waiting transfer fails at once when this grows: its reply may be what
    // was lost. Counted from the port layer's notices, on the MIDI thread or
    // an output's writer thread.
    uint64_t GetInputLosses() const { return inputLosses_->load(); }

    // Tests shorten the pauses (to 0): the restart pause, and the pause the
    // MIDI thread waits before opening each port (MidIOThread::kOpenPause).
    void SetPauses(std::chrono::milliseconds restart, std::chrono::milliseconds open);

private:
    std::filesystem::path DeviceFolder(const std::filesystem::path& folder, int index) const;
    // The input counts as progress only the device's own dumps.
    void CountDeviceInputOnly();
    void Route(const MDevMidiMessage& message);

    midiport::MidiBackend& backend_;
    int deviceCount_ = 0;
    std::array<int, kMaxDevices> deviceIndex_{};
    std::array<std::string, kMaxDevices> deviceNames_;
    std::unique_ptr<MDevDesc> device_;
    std::string modelName_;
    int midiInState_ = kNormal;
    std::unique_ptr<MidIOThread> thread_;
    uint64_t outputBase_ = 0;  // accepted by the outputs of the threads stopped before
    int inPortId_ = 0;
    int outPortId_ = 0;
    std::chrono::milliseconds restartPause_ = kRestartPause;
    std::chrono::milliseconds openPause_;  // for the threads to come
    bool routing_ = false;                 // ProcessInput runs
    Clock now_;
    // When what was sent so far has crossed a slow wire.
    std::chrono::steady_clock::time_point wireFreeAt_{};
    MDevInbox inbox_;
    // What the posted routing tasks reach; they hold it weakly, so one that
    // runs after the configuration is gone finds nothing.
    struct PostedRouting;
    std::shared_ptr<PostedRouting> posted_;
    // Shared with the backend's notice handler, which may still run while
    // this object goes.
    std::shared_ptr<std::atomic<uint64_t>> inputLosses_ = std::make_shared<std::atomic<uint64_t>>(0);
};
