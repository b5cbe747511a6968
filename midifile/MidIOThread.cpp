#include "midifile/MidIOThread.h"

#include <pthread.h>
#include <sched.h>

#include <iostream>
#include <utility>

#include "platform/midi/MidiMessage.h"

namespace {

void RaisePriority(std::thread& thread) {
    sched_param param{};
    param.sched_priority = sched_get_priority_max(SCHED_RR);
    // Refused without the right to real-time scheduling: then it runs at
    // normal priority, which is fine.
    (void)pthread_setschedparam(thread.native_handle(), SCHED_RR, &param);
}

void LogRefusedSend(const char* what, uint8_t status, int result) {
    std::clog << "MidIOSend: " << what << " (status 0x" << std::hex << static_cast<int>(status) << std::dec
              << ", result " << result << ")\n";
}

}  // namespace

MidIOThread::MidIOThread(midiport::MidiBackend& backend, std::chrono::milliseconds openPause)
    : MidIn(backend), MidOut(backend), backend_(backend), openPause_(openPause) {}

MidIOThread::~MidIOThread() {
    Quit();
    // Even a port that refused to close must not reach the callback again.
    ReleasePort();
}

int MidIOThread::Run() {
    std::lock_guard lock(mutex_);
    if (thread_.joinable()) return 0;
    stop_ = std::make_unique<midiport::MidiCancel>();
    thread_ = std::thread([this, stop = stop_.get()] { Loop(*stop); });
    RaisePriority(thread_);
    return 0;
}

int MidIOThread::Quit() {
    std::thread ending;
    std::unique_ptr<midiport::MidiCancel> stop;
    {
        std::lock_guard lock(mutex_);
        if (!thread_.joinable()) return 0;
        ending = std::move(thread_);
        stop = std::move(stop_);
    }
    stop->Cancel();
    backend_.WakeInput();
    ending.join();
    return 0;
}

bool MidIOThread::Running() const {
    std::lock_guard lock(mutex_);
    return thread_.joinable();
}

void MidIOThread::Loop(midiport::MidiCancel& stop) {
    backend_.ReadInput(stop);
    MidIn::Stop();
    MidIn::Close();
    MidOut::Close();
}

void MidIOThread::OnMimData(const MidInCallback& callback, std::span<const uint8_t> message) {
    const uint8_t status = message[0];
    const int count = midiport::ChannelDataCount(status);
    // System messages and anything malformed go no further.
    if (count < 0 || message.size() != static_cast<std::size_t>(count) + 1) return;
    callback(status, message.subspan(1));
}

void MidIOThread::OnMimLongData(const MidInCallback& callback, std::span<const uint8_t> message) {
    // Only whole messages reach the callback: never an empty one.
    if (!midiport::IsSysExMessage(message)) return;
    callback(midiport::kSysExStart, message.subspan(1));
}

int MidIOStart(std::unique_ptr<MidIOThread>& thread, midiport::MidiBackend& backend,
               std::chrono::milliseconds openPause) {
    if (!thread) {
        thread = std::make_unique<MidIOThread>(backend, openPause);
        thread->Run();
    }
    return 0;
}

int MidIOStop(std::unique_ptr<MidIOThread>& thread) {
    if (thread) {
        thread->Quit();
        thread.reset();
    }
    return 0;
}

int MidIOOpenIn(MidIOThread* thread, int deviceId, MidInCallback callback) {
    if (thread == nullptr) return -1;
    std::this_thread::sleep_for(thread->openPause_);
    // The port calls this on the MIDI thread, only while started.
    auto handler = [callback = std::move(callback)](std::span<const uint8_t> message) {
        if (!callback || message.empty()) return;
        if (message.front() == midiport::kSysExStart) MidIOThread::OnMimLongData(callback, message);
        else MidIOThread::OnMimData(callback, message);
    };
    const int opened = thread->MidIn::Open(deviceId, std::move(handler));
    if (opened != 0) return opened;
    return thread->MidIn::Start();
}

int MidIOOpenOut(MidIOThread* thread, int deviceId) {
    if (thread == nullptr) return -1;
    std::this_thread::sleep_for(thread->openPause_);
    return thread->MidOut::Open(deviceId);
}

int MidIOSend(MidIOThread* thread, uint8_t status, const uint8_t* data, std::size_t length) {
    if (thread == nullptr) return 0;
    if (status < 0x80) {
        LogRefusedSend("not a status byte", status, 0);
    } else if (status < 0xF0) {
        const auto count = static_cast<std::size_t>(midiport::ChannelDataCount(status));
        if (length < count || data == nullptr) {
            LogRefusedSend("too few data bytes", status, 0);
        } else {
            const int result = thread->SendShortMsg(status, data[0], count > 1 ? data[1] : 0);
            if (result != 0) LogRefusedSend("channel message refused", status, result);
        }
    } else if (status == midiport::kSysExStart) {
        const int result = thread->SendSysEx(data, length);
        if (result != 0) LogRefusedSend("system-exclusive message refused", status, result);
    }
    return 0;
}
