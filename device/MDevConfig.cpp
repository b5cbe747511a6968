#include "device/MDevConfig.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <thread>

#include "device/MDevDescProgram.h"
#include "device/MDevDescZEPHA.h"
#include "midifile/CMsgSender.h"
#include "midifile/MidIOThread.h"
#include "platform/midi/MidiBackend.h"

namespace {
constexpr std::size_t kNameLimit = 64;

std::string UpperName(std::string_view name) {
    std::string upper(name.substr(0, kNameLimit));
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}
}  // namespace

struct MDevConfig::PostedRouting {
    explicit PostedRouting(MDevConfig& owner) : config(owner) {}
    MDevConfig& config;
    // A routing task is posted and has not started yet.
    std::atomic<bool> pending{false};
};

MDevConfig::MDevConfig(midiport::MidiBackend& backend)
    : backend_(backend),
      openPause_(MidIOThread::kOpenPause),
      now_([] { return std::chrono::steady_clock::now(); }) {
    backend_.SetNoticeHandler([losses = inputLosses_](const midiport::MidiNotice& notice) {
        if (notice.kind == midiport::MidiNoticeKind::InputOverrun ||
            notice.kind == midiport::MidiNoticeKind::PortGone)
            ++*losses;
    });
}

MDevConfig::~MDevConfig() {
    // No message arrives (and no task is posted) once the thread is stopped;
    // tasks already posted find the routing gone.
    backend_.SetNoticeHandler(nullptr);
    MidIOStop(thread_);
    inbox_.SetWakeHook(nullptr);
    posted_.reset();
    device_.reset();
}

int MDevConfig::CreateDevice() {
    deviceCount_ = 0;
    modelName_ = kModelName;
    if (!device_) {
        device_ = std::make_unique<MDevDescZEPHA>(*this);
        device_->Initialize();
    }
    return 0;
}

void MDevConfig::SetModelS() { modelName_ = kModelNameS; }

void MDevConfig::SetPauses(std::chrono::milliseconds restart, std::chrono::milliseconds open) {
    restartPause_ = restart;
    openPause_ = open;
}

int MDevConfig::OpenPorts() {
    if (!device_) return -1;
    if (thread_) {
        // What the old output still held is given up with it.
        outputBase_ += thread_->OutputProgress().accepted;
        MidIOStop(thread_);
        std::this_thread::sleep_for(restartPause_);
    }
    // Whatever the old connection left queued belongs to it, and no reply
    // owed on it comes on the new one.
    inbox_.Clear();
    device_->ForgetLateReplies();
    MidIOStart(thread_, backend_, openPause_);
    if (!thread_) return -1;
    if (MidIOOpenIn(thread_.get(), inPortId_,
                    [this](uint8_t status, std::span<const uint8_t> data) { OnMidiIn(status, data); }) != 0)
        return -1;
    CountDeviceInputOnly();
    if (MidIOOpenOut(thread_.get(), outPortId_) != 0) return -1;
    midiInState_ = kIdentify;
    device_->SendIdentityRequest();
    return 0;
}

void MDevConfig::Send(uint8_t status, std::span<const uint8_t> data) {
    const auto onWire = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::nanoseconds((data.size() + 1) * 1'000'000'000ull / kSlowWireBytesPerSecond));
    wireFreeAt_ = std::max(now_(), wireFreeAt_) + onWire;
    MidIOSend(thread_.get(), status, data.data(), data.size());
}

midiport::MidiOutProgress MDevConfig::OutputProgress() const {
    const midiport::MidiOutProgress current =
        thread_ ? thread_->OutputProgress() : midiport::MidiOutProgress{};
    return {outputBase_ + current.accepted, outputBase_ + current.left};
}

void MDevConfig::SetClock(Clock now) {
    now_ = now ? std::move(now) : Clock([] { return std::chrono::steady_clock::now(); });
    wireFreeAt_ = {};
}

std::optional<std::chrono::steady_clock::time_point> MDevConfig::AnswerDeadline() const {
    const auto deadline = wireFreeAt_ + kAnswerTime;
    if (now_() >= deadline) return std::nullopt;
    return deadline;
}

void MDevConfig::OnMidiIn(uint8_t status, std::span<const uint8_t> data) { inbox_.Push(status, data); }

void MDevConfig::RouteInputVia(UiPoster post) {
    posted_.reset();
    if (!post) {
        inbox_.SetWakeHook(nullptr);
        return;
    }
    posted_ = std::make_shared<PostedRouting>(*this);
    std::weak_ptr<PostedRouting> weak = posted_;
    // On the MIDI thread, outside the inbox's lock: posting never waits.
    inbox_.SetWakeHook([weak, post = std::move(post)] {
        const auto routing = weak.lock();
        if (!routing || routing->pending.exchange(true)) return;
        post([weak] {
            // On the user-interface thread, where the configuration dies:
            // when the routing is still there, so is the configuration.
            const auto alive = weak.lock();
            if (!alive) return;
            // Cleared first: a message queued while this routes posts anew.
            alive->pending.store(false);
            alive->config.ProcessInput();
        });
    });
}

void MDevConfig::CountDeviceInputOnly() {
    if (thread_ && device_) thread_->SetProgressHeader(device_->SysExHeader());
}

uint64_t MDevConfig::InputProgress() const { return thread_ ? thread_->SysExBytesTaken() : 0; }

int MDevConfig::ProcessInput() {
    // A device handler that ends up here again (through a notice, say)
    // leaves the rest of the queue to the routing already running.
    if (routing_) return 0;
    routing_ = true;
    int routed = 0;
    while (auto message = inbox_.Pop()) {
        Route(*message);
        ++routed;
    }
    routing_ = false;
    return routed;
}

void MDevConfig::Route(const MDevMidiMessage& message) {
    if (!device_) return;
    const std::span<const uint8_t> data(message.data);
    switch (midiInState_) {
    case kNormal: device_->Dispatch(message.status, data); break;
    case kIdentify:
        if (device_->OnIdentityReply(message.status, data) != 0) {
            CountDeviceInputOnly();
            if (deviceCount_ < kMaxDevices) {
                deviceNames_[static_cast<std::size_t>(deviceCount_)] = modelName_.substr(0, kNameLimit);
                deviceIndex_[static_cast<std::size_t>(deviceCount_)] = 0;
                ++deviceCount_;
            }
            midiInState_ = kNormal;
        }
        break;
    default: break;
    }
}

std::optional<std::string> MDevConfig::GetDeviceName(int index) const {
    if (index < 0 || index >= deviceCount_) return std::nullopt;
    return deviceNames_[static_cast<std::size_t>(index)];
}

int MDevConfig::FindDevice(std::optional<std::string_view> name) const {
    if (!name) return -1;
    const std::string wanted = UpperName(*name);
    for (int i = 0; i < deviceCount_; ++i) {
        if (UpperName(deviceNames_[static_cast<std::size_t>(i)]) == wanted) return i;
    }
    return -1;
}

MDevDesc* MDevConfig::GetDevice(int index) {
    if (index < 0 || index >= deviceCount_) return nullptr;
    return device_.get();
}

std::filesystem::path MDevConfig::DeviceFolder(const std::filesystem::path& folder, int index) const {
    if (index == -1) return folder;
    if (index < 0 || index >= deviceCount_) return {};
    return folder / deviceNames_[static_cast<std::size_t>(index)];
}

std::filesystem::path MDevConfig::GetSetupFolder(int index) const {
    return DeviceFolder(GetSetupPath(), index);
}

std::filesystem::path MDevConfig::GetLibraryFolder(int index) const {
    return DeviceFolder(GetLibraryPath(), index);
}

void MDevConfig::MarkModified(MDevDescProgram& object, CMsgSender& device) {
    object.SetModified(true);
    device.SendDevDescUpdatedProgram();
}
