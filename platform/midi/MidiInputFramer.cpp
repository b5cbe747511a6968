#include "platform/midi/MidiInputFramer.h"

#include <algorithm>

namespace midiport {

MidiInputFramer::MidiInputFramer(std::size_t cap) : cap_(cap < 3 ? 3 : cap) {}

void MidiInputFramer::Reset() {
    state_ = State::Idle;
    message_.clear();
    needed_ = 0;
    matched_ = false;
    counts_ = false;
}

void MidiInputFramer::MatchHeader() {
    if (matched_ || message_.size() < header_.size()) return;
    matched_ = true;
    counts_ = std::equal(header_.begin(), header_.end(), message_.begin());
}

void MidiInputFramer::BeginStatus(uint8_t status) {
    message_.clear();
    needed_ = 0;
    matched_ = false;
    counts_ = false;
    if (IsChannelStatus(status)) {
        message_.push_back(status);
        needed_ = static_cast<std::size_t>(ChannelDataCount(status));
        state_ = State::Channel;
    } else if (status == kSysExStart) {
        message_.push_back(status);
        state_ = State::SysEx;
        MatchHeader();
    } else {
        // System common (F1-F6) and a stray F7: their data bytes are skipped.
        state_ = State::Skip;
    }
}

void MidiInputFramer::Feed(std::span<const uint8_t> bytes, const Deliver& deliver) {
    // Bytes of a system-exclusive message this call leaves unfinished.
    uint64_t unfinished = 0;
    for (const uint8_t b : bytes) {
        if (IsRealTime(b)) continue;
        if (IsStatus(b) && b != kSysExEnd) unfinished = 0;
        ++unfinished;
        switch (state_) {
        case State::SysEx:
            if (b == kSysExEnd) {
                message_.push_back(b);
                if (message_.size() > 2 && message_.size() <= cap_) deliver(message_);
                Reset();
            } else if (IsStatus(b)) {
                BeginStatus(b);
            } else if (message_.size() + 1 >= cap_) {
                // Even with its F7 it would not fit: drop it whole.
                message_.clear();
                state_ = State::SysExOverCap;
            } else {
                message_.push_back(b);
                MatchHeader();
            }
            break;
        case State::SysExOverCap:
            if (b == kSysExEnd) Reset();
            else if (IsStatus(b)) BeginStatus(b);
            break;
        case State::Channel:
            if (IsStatus(b)) {
                BeginStatus(b);
            } else {
                message_.push_back(b);
                if (--needed_ == 0) {
                    deliver(message_);
                    Reset();
                }
            }
            break;
        case State::Idle:
        case State::Skip:
            if (IsStatus(b)) BeginStatus(b);
            break;
        }
    }
    if ((state_ == State::SysEx || state_ == State::SysExOverCap) && counts_)
        sysexBytes_.fetch_add(unfinished, std::memory_order_relaxed);
}

}  // namespace midiport
