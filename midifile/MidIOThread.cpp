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

MidIOThread::MidIOThread(midiport::MidiBackend& backend) : MidIn(backend), MidOut(backend) {}

MidIOThread::~MidIOThread() {
    Quit();
    // Even a port that refused to close must not reach this object again.
    ReleasePort();
}

int MidIOThread::Run() {
    std::lock_guard lock(queueMutex_);
    if (thread_.joinable()) return 0;
    thread_ = std::thread([this] { Loop(); });
    RaisePriority(thread_);
    return 0;
}

int MidIOThread::Quit() {
    std::thread ending;
    {
        std::lock_guard lock(queueMutex_);
        if (!thread_.joinable()) return 0;
        Item quit;
        quit.quit = true;
        queue_.push_back(std::move(quit));
        ending = std::move(thread_);
    }
    wake_.notify_all();
    ending.join();
    return 0;
}

bool MidIOThread::Running() const {
    std::lock_guard lock(queueMutex_);
    return thread_.joinable();
}

int MidIOThread::OpenIn(int deviceId, MidInCallback callback, void* user) {
    std::this_thread::sleep_for(openPause_);
    std::lock_guard lock(InputLock());
    callback_ = callback;
    user_ = user;
    const int opened = MidIn::Open(deviceId, [this](std::span<const uint8_t> message) {
        Item item;
        item.generation = Generation();
        item.message.assign(message.begin(), message.end());
        Post(std::move(item));
    });
    if (opened != 0) return opened;
    return MidIn::Start();
}

int MidIOThread::OpenOut(int deviceId) {
    std::this_thread::sleep_for(openPause_);
    return MidOut::Open(deviceId);
}

int MidIOThread::Send(uint8_t status, const uint8_t* data, std::size_t length) {
    if (status < 0x80) {
        LogRefusedSend("not a status byte", status, 0);
    } else if (status < 0xF0) {
        const auto count = static_cast<std::size_t>(midiport::ChannelDataCount(status));
        if (length < count || data == nullptr) {
            LogRefusedSend("too few data bytes", status, 0);
        } else {
            const int result = SendShortMsg(status, data[0], count > 1 ? data[1] : 0);
            if (result != 0) LogRefusedSend("channel message refused", status, result);
        }
    } else if (status == midiport::kSysExStart) {
        const int result = SendSysEx(data, length);
        if (result != 0) LogRefusedSend("system-exclusive message refused", status, result);
    }
    return 0;
}

void MidIOThread::WaitIdle() {
    std::unique_lock lock(queueMutex_);
    idle_.wait(lock, [this] { return (queue_.empty() && !busy_) || !thread_.joinable(); });
}

void MidIOThread::Post(Item item) {
    {
        std::lock_guard lock(queueMutex_);
        queue_.push_back(std::move(item));
    }
    wake_.notify_all();
}

void MidIOThread::Loop() {
    std::unique_lock lock(queueMutex_);
    for (;;) {
        wake_.wait(lock, [this] { return !queue_.empty(); });
        Item item = std::move(queue_.front());
        queue_.pop_front();
        if (item.quit) {
            queue_.clear();
            lock.unlock();
            MidIn::Stop();
            MidIn::Close();
            MidOut::Close();
            lock.lock();
            busy_ = false;
            idle_.notify_all();
            return;
        }
        busy_ = true;
        lock.unlock();
        Handle(item);
        lock.lock();
        busy_ = false;
        if (queue_.empty()) idle_.notify_all();
    }
}

void MidIOThread::Handle(const Item& item) {
    std::lock_guard lock(InputLock());
    // A notice of a session that a stop or close has ended, or that came in
    // before the callback was set, is dropped.
    if (!IsCurrent(item.generation) || callback_ == nullptr || item.message.empty()) return;
    if (item.message.front() == midiport::kSysExStart) OnMimLongData(item.message);
    else OnMimData(item.message);
}

void MidIOThread::OnMimData(std::span<const uint8_t> message) {
    const uint8_t status = message[0];
    const int count = midiport::ChannelDataCount(status);
    // System messages and anything malformed go no further.
    if (count < 0 || message.size() != static_cast<std::size_t>(count) + 1) return;
    callback_(0, status, message.data() + 1, count, user_);
}

void MidIOThread::OnMimLongData(std::span<const uint8_t> message) {
    // Only whole messages reach the callback: never an empty one.
    if (!midiport::IsSysExMessage(message)) return;
    callback_(0, midiport::kSysExStart, message.data() + 1, static_cast<int>(message.size() - 1), user_);
}

int MidIOStart(std::unique_ptr<MidIOThread>& thread, midiport::MidiBackend& backend) {
    if (!thread) {
        thread = std::make_unique<MidIOThread>(backend);
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

int MidIOOpenIn(MidIOThread* thread, int deviceId, MidInCallback callback, void* user) {
    if (thread == nullptr) return -1;
    return thread->OpenIn(deviceId, callback, user);
}

int MidIOOpenOut(MidIOThread* thread, int deviceId) {
    if (thread == nullptr) return -1;
    return thread->OpenOut(deviceId);
}

int MidIOSend(MidIOThread* thread, uint8_t status, const uint8_t* data, std::size_t length) {
    if (thread != nullptr) thread->Send(status, data, length);
    return 0;
}
