#pragma once
// Message builders and a captured-output fixture for the simulator's tests.

#include "simulator/SimPack.h"
#include "simulator/SimSynth.h"

#include <gtest/gtest.h>

#include <chrono>
#include <initializer_list>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline Bytes ModelId(SimModel model) {
    return model == SimModel::Brontisel ? Bytes{0x58} : Bytes{0x00, 0x01, 0x40};
}

// F0 42 3g model-id function body F7.
inline Bytes DeviceMessage(SimModel model, std::uint8_t g, std::uint8_t function, const Bytes& body = {}) {
    Bytes m{0xF0, 0x42, static_cast<std::uint8_t>(0x30 + g)};
    const Bytes id = ModelId(model);
    m.insert(m.end(), id.begin(), id.end());
    m.push_back(function);
    m.insert(m.end(), body.begin(), body.end());
    m.push_back(0xF7);
    return m;
}

inline Bytes Dump(SimModel model, std::uint8_t function, const Bytes& data, std::uint8_t g = 0) {
    return DeviceMessage(model, g, function, SimPack::Pack(data));
}

// A record whose bytes are distinct per seed and use bit 7.
template <std::size_t N>
std::array<std::uint8_t, N> Pattern(int seed) {
    std::array<std::uint8_t, N> r{};
    for (std::size_t i = 0; i < N; ++i) r[i] = static_cast<std::uint8_t>(seed * 37 + i * 11 + 0x80);
    return r;
}

template <std::size_t N>
Bytes AsBytes(const std::array<std::uint8_t, N>& record) {
    return Bytes(record.begin(), record.end());
}

inline const Bytes kIdentityRequest{0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7};

// The payload of a captured dump, unpacked; header size = 4 + model-id length.
inline Bytes Payload(const Bytes& dump, std::size_t header) {
    return *SimPack::Unpack(std::span(dump).subspan(header, dump.size() - header - 1));
}

class SimFixture : public ::testing::Test {
protected:
    using Clock = SimSynth::Clock;

    // The protocol tests count on known bytes: the blank bank.
    void Make(SimModel model) {
        synth_.emplace(model, SimBank::Blank(model), [this] { return now_; });
        synth_->SetOutput([this](Bytes m) { out_.push_back(std::move(m)); });
    }
    SimSynth& Synth() { return *synth_; }
    void Send(const Bytes& m) { synth_->OnMessage(m); }
    void Advance(std::chrono::milliseconds d) {
        now_ += d;
        synth_->Pump();
    }
    std::vector<Bytes> Take() { return std::exchange(out_, {}); }

    Clock::time_point now_{};
    std::optional<SimSynth> synth_;
    std::vector<Bytes> out_;
};
