#pragma once
// The device configuration the document contains: the MIDI port ids, the
// MIDI thread, the one device description and its registration under the
// model's name, and the setup and library folders of each device.
//
// The MIDI thread only moves each received message into the inbox (and
// calls the wake-up hook); ProcessInput, on the user-interface thread, routes
// them to the device, so all of the device model runs on one thread.
// Every waiting loop calls ProcessInput on each pass.

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
    // Pause before each port is opened.
    static constexpr std::chrono::milliseconds kOpenPause{300};
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

    // The input handler, on the MIDI thread: queues the message.
    void OnMidiIn(uint8_t status, std::span<const uint8_t> data);
    // Routes every queued message, in arrival order: in the identify state to
    // the device's OnIdentityReply (registering the device when it is
    // recognised), else to its Dispatch. Returns the count routed.
    int ProcessInput();
    // Called on the MIDI thread after each queued message (empty: none).
    void SetWakeHook(std::function<void()> hook);

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
    // was lost. Counted on the port layer's threads from its notices.
    uint64_t GetInputLosses() const { return inputLosses_->load(); }

    // Returns when the MIDI thread has queued every message the port handed
    // over so far. For tests.
    void WaitInputIdle();

    // Tests shorten the pauses (to 0).
    void SetPauses(std::chrono::milliseconds restart, std::chrono::milliseconds open);

private:
    static void InputCallback(int zero, uint8_t status, const uint8_t* data, int length,
                              void* user);
    std::filesystem::path DeviceFolder(const std::filesystem::path& folder, int index) const;
    void Route(const MDevMidiMessage& message);

    midiport::MidiBackend& backend_;
    int deviceCount_ = 0;
    std::array<int, kMaxDevices> deviceIndex_{};
    std::array<std::string, kMaxDevices> deviceNames_;
    std::unique_ptr<MDevDesc> device_;
    std::string modelName_;
    int midiInState_ = kNormal;
    std::unique_ptr<MidIOThread> thread_;
    int inPortId_ = 0;
    int outPortId_ = 0;
    std::chrono::milliseconds restartPause_ = kRestartPause;
    std::chrono::milliseconds openPause_ = kOpenPause;
    MDevInbox inbox_;
    // Shared with the backend's notice handler, which may still run while
    // this object goes.
    std::shared_ptr<std::atomic<uint64_t>> inputLosses_ = std::make_shared<std::atomic<uint64_t>>(0);
};
