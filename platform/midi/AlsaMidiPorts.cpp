#include "platform/midi/AlsaMidiPorts.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/midi/AlsaEventCodec.h"
#include "platform/midi/MidiClock.h"
#include "platform/midi/MidiMessage.h"
#include "platform/midi/MidiOutMeter.h"
#include "platform/midi/MidiPacedWriter.h"
#include "platform/midi/MidiPacer.h"
#include "platform/midi/MidiResult.h"
#include "platform/midi/MidiSendQueue.h"

namespace midiport {

namespace {

using TimePoint = MidiClock::Clock::time_point;
using Duration = MidiClock::Clock::duration;

// While the receiver's pool is full the sequencer answers -EAGAIN; the
// writer tries again every millisecond and gives a message up after 2 s
// without progress.
constexpr auto kBusyRetry = std::chrono::milliseconds(1);
constexpr Duration kBusyLimit = std::chrono::seconds(2);
// After a cut the closing F7 gets a short time of its own.
constexpr Duration kEndLimit = std::chrono::milliseconds(100);
constexpr int kCancelled = -ECANCELED;  // the port is being closed

bool IsGoneError(int error) { return error == -ENODEV || error == -ENXIO || error == -ENOENT; }

std::string Why(int error) {
    if (error == -ETIMEDOUT) return "the receiver took nothing for 2 s";
    if (error == -ENOSPC) return "no room for it in the sequencer";
    if (IsGoneError(error)) return "the port went away";
    return std::strerror(-error);
}

std::string Hex(std::span<const uint8_t> bytes) {
    std::string text;
    for (const uint8_t b : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%s%02X", text.empty() ? "" : " ", b);
        text += hex;
    }
    return text;
}

class AlsaInPort : public MidiInPort {
public:
    AlsaInPort(std::shared_ptr<AlsaSeqClient> client, std::shared_ptr<AlsaPortLink> link)
        : client_(std::move(client)), link_(std::move(link)) {}
    ~AlsaInPort() override { Close(); }

    int Start() override {
        std::lock_guard lock(link_->in->mutex);
        if (!open_ || link_->in->started) return kBadState;
        link_->in->framer.Reset();
        link_->in->started = true;
        return kOk;
    }
    int Reset() override {
        std::lock_guard lock(link_->in->mutex);
        link_->in->started = false;
        link_->in->framer.Reset();
        return kOk;
    }
    int Close() override {
        if (!open_) return kOk;
        client_->Disconnect(link_);
        {
            std::lock_guard lock(link_->in->mutex);
            link_->in->started = false;
            link_->in->handler = nullptr;
        }
        open_ = false;
        return kOk;
    }
    uint64_t SysExBytesTaken() const override { return link_->in->framer.SysExBytesTaken(); }
    void SetProgressHeader(std::vector<uint8_t> header) override {
        std::lock_guard lock(link_->in->mutex);
        link_->in->framer.SetProgressHeader(std::move(header));
    }

private:
    std::shared_ptr<AlsaSeqClient> client_;
    std::shared_ptr<AlsaPortLink> link_;
    bool open_ = true;
};

class AlsaOutPort : public MidiOutPort {
public:
    AlsaOutPort(std::shared_ptr<AlsaSeqClient> client, std::shared_ptr<AlsaPortLink> link,
                uint32_t bytesPerSecond)
        : client_(std::move(client)), link_(std::move(link)), pacer_(bytesPerSecond) {
        queue_ = std::make_unique<MidiSendQueue>([this](std::vector<uint8_t>& m) {
            Write(m);
            meter_.Finished(m.size());
        });
    }
    ~AlsaOutPort() override { Close(); }

    int SendShort(std::span<const uint8_t> message) override {
        if (!IsChannelMessage(message)) return kBadMessage;
        return Queue(std::vector<uint8_t>(message.begin(), message.end()));
    }
    int SendSysEx(std::vector<uint8_t> message) override {
        if (!IsSysExMessage(message)) return kBadMessage;
        return Queue(std::move(message));
    }
    int Close() override {
        std::lock_guard lock(mutex_);
        if (!queue_) return kOk;
        // The message in hand ends at its next wait (closed with F7 when it
        // was a system-exclusive one), then the writer is joined.
        cancel_.Cancel();
        queue_.reset();
        client_->Disconnect(link_);
        return kOk;
    }
    // What the writer handed to the sequencer counts as gone.
    MidiOutProgress Progress() const override { return meter_.Read(); }

private:
    int Queue(std::vector<uint8_t> message) {
        std::lock_guard lock(mutex_);
        if (!queue_) return kSendRefused;
        if (link_->gone) return kPortGone;
        meter_.Accepted(message.size());
        queue_->Push(std::move(message));
        return kOk;
    }

    // On the writer thread.
    void Write(const std::vector<uint8_t>& message) {
        // What was queued for a port that went away is dropped; the
        // PortGone notice said so.
        if (link_->gone) return;
        const bool sysex = message.front() == kSysExStart;
        MidiClock& clock = client_->Clock();
        std::size_t sent = 0;
        int error = 0;
        MidiPacedWriter writer(pacer_, {[&clock] { return clock.Now(); },
                                        [&](TimePoint until) { return clock.SleepUntil(until, cancel_); },
                                        [&](std::span<const uint8_t> chunk) {
                                            meter_.Sent(chunk.size());
                                            error = Put(chunk, sysex, kBusyLimit);
                                            if (error == 0) sent += chunk.size();
                                            return error == 0;
                                        }});
        const bool whole = writer.Write(message);
        pacer_ = writer.Pacer();
        if (whole) return;
        if (error == 0) error = kCancelled;  // a pacing wait was ended by Close
        // The receiver is inside the message: end it, so that it takes the
        // next one as a message of its own.
        const bool ended = sysex && sent > 0 && EndSysEx();
        if (error == kCancelled) return;  // the owner closed the port and dropped the rest
        if (IsGoneError(error))
            client_->MarkGone(*link_, "the sequencer refused the port (" + Why(error) + ")");
        Report(message, sent, error, ended);
    }

    // Puts one event out, trying again while the receiver is busy for at
    // most `limit`: 0 or a negative errno.
    int Put(std::span<const uint8_t> bytes, bool sysex, Duration limit) {
        snd_seq_event_t event;
        if (sysex) AlsaEventCodec::SysExEvent(bytes, event);
        else if (!codec_.ChannelEvent(bytes, event)) return -EINVAL;
        snd_seq_ev_set_source(&event, static_cast<unsigned char>(link_->own));
        snd_seq_ev_set_subs(&event);
        snd_seq_ev_set_direct(&event);
        MidiClock& clock = client_->Clock();
        const TimePoint deadline = clock.Now() + limit;
        for (;;) {
            if (link_->gone) return -ENODEV;
            const int result = client_->Io().Output(event);
            if (result >= 0) return 0;
            if (result != -EAGAIN) return result;
            const TimePoint now = clock.Now();
            if (now >= deadline) return -ETIMEDOUT;
            if (!clock.SleepUntil(std::min<TimePoint>(now + kBusyRetry, deadline), cancel_))
                return kCancelled;
        }
    }

    bool EndSysEx() {
        static constexpr uint8_t kEnd[] = {kSysExEnd};
        return Put(kEnd, true, cancel_.Cancelled() ? Duration::zero() : kEndLimit) == 0;
    }

    void Report(const std::vector<uint8_t>& message, std::size_t sent, int error, bool ended) {
        std::string text;
        if (message.front() == kSysExStart) {
            text = "system-exclusive message of " + std::to_string(message.size()) + " bytes " +
                   (sent == 0 ? std::string("not sent") : "cut after " + std::to_string(sent) + " bytes") +
                   " (" + Why(error) + ")";
            if (sent > 0) text += ended ? "; ended with F7" : "; could not be ended with F7";
        } else {
            text = "channel message " + Hex(message) + " not sent (" + Why(error) + ")";
        }
        client_->Notify(
            {MidiNoticeKind::SendFailed, IsGoneError(error) ? kPortGone : kSendRefused, link_->name, text});
    }

    std::shared_ptr<AlsaSeqClient> client_;
    std::shared_ptr<AlsaPortLink> link_;
    MidiPacer pacer_;       // writer thread only
    AlsaEventCodec codec_;  // writer thread only
    MidiCancel cancel_;
    MidiOutMeter meter_;
    std::mutex mutex_;
    std::unique_ptr<MidiSendQueue> queue_;
};

}  // namespace

std::unique_ptr<MidiInPort> MakeAlsaInPort(std::shared_ptr<AlsaSeqClient> client,
                                           std::shared_ptr<AlsaPortLink> link) {
    return std::make_unique<AlsaInPort>(std::move(client), std::move(link));
}

std::unique_ptr<MidiOutPort> MakeAlsaOutPort(std::shared_ptr<AlsaSeqClient> client,
                                             std::shared_ptr<AlsaPortLink> link, uint32_t bytesPerSecond) {
    return std::make_unique<AlsaOutPort>(std::move(client), std::move(link), bytesPerSecond);
}

}  // namespace midiport
