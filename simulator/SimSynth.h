#pragma once
// A simulated Brontisel or Brontisel S: the device side of every exchange
// the system runs. It takes each complete message the system sent (a
// system-exclusive message F0 .. F7 or a channel message), answers through
// its output, and keeps the device's data for tests to inspect. It accepts a
// system-exclusive message only with the exact header (42, 3g of its own
// channel, its own model id) and the exact length of its function; anything
// else is recorded as received and otherwise ignored.
//
// Thread-safe: the transport calls OnMessage from its thread, a SimReplyPump
// sends delayed replies from another, tests read the state from a third.

#include "simulator/SimBank.h"
#include "simulator/SimFault.h"
#include "simulator/SimModelInfo.h"
#include "simulator/SimReplyQueue.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

struct SimBankSelect {
    std::uint8_t controller;  // 00 (MSB) or 20 (LSB)
    std::uint8_t value;
    bool operator==(const SimBankSelect&) const = default;
};

class SimSynth {
public:
    using Clock = SimReplyQueue::Clock;
    using Message = std::vector<std::uint8_t>;

    // now: the clock that times delayed replies (a fake one in tests). The
    // synth holds the realistic bank of its default seed.
    explicit SimSynth(SimModel model, SimReplyQueue::Now now = {});
    // The synth holds `bank` (SimBank::Blank for known bytes); throws
    // std::invalid_argument when its program count is not the model's.
    SimSynth(SimModel model, SimBank bank, SimReplyQueue::Now now = {});

    void SetOutput(SimReplyQueue::Output output);
    void SetWakeup(std::function<void()> wakeup);

    // One complete message from the system.
    void OnMessage(std::span<const std::uint8_t> message);
    // Sends the held replies that are due by now.
    void Pump();
    std::optional<Clock::time_point> NextDue() const;
    std::size_t PendingReplies() const;

    // Unsolicited messages, sent as the device would send them.
    void SendNrpn(std::uint8_t number, std::uint8_t value);
    void SendAllData();
    void SendGlobal();
    void SendEditBuffer();

    // Knobs.
    void SetChannel(std::uint8_t channelByte);  // the identity reply's c; its low 4 bits are g
    void SetVersion(std::array<std::uint8_t, 4> version);
    void SetReplyDelay(Clock::duration delay);
    void SetWireRate(std::uint32_t bytesPerSecond);
    // See SimReplyQueue::SetWirePiece.
    void SetWirePiece(std::size_t bytes);
    void SetFault(SimReply reply, const SimFault& fault);
    void ClearFaults();
    // Bit 0 of global byte 5. While set, a program write request stores
    // nothing and is never answered with write completed.
    void SetWriteProtect(bool on);

    // State.
    SimModel Model() const { return model_; }
    const SimModelInfo& Info() const { return info_; }
    std::uint8_t Channel() const;
    bool WriteProtect() const;
    SimProgramRecord Program(int index) const;  // throws std::out_of_range
    void SetProgram(int index, const SimProgramRecord& record);
    SimGlobalRecord Global() const;
    void SetGlobal(const SimGlobalRecord& record);
    SimProgramRecord EditBuffer() const;
    void SetEditBuffer(const SimProgramRecord& record);
    int CurrentBank() const;                           // last bank select LSB
    int CurrentProgram() const;                        // program index selected last
    std::vector<std::uint8_t> ProgramChanges() const;  // program bytes received on the device's channel
    std::vector<SimBankSelect> BankSelects() const;
    std::vector<Message> Received() const;  // every message, accepted or not
    std::size_t IgnoredCount() const;

    // The blank bank's program (SimBank::BlankProgram): its name "Prog NNN"
    // (space padded to 12 bytes), every other byte 0.
    static SimProgramRecord DefaultProgram(int index);

private:
    bool Handle(std::span<const std::uint8_t> message);
    bool HandleSysEx(std::span<const std::uint8_t> message);
    bool HandleDevice(std::uint8_t function, std::span<const std::uint8_t> body);
    bool HandleWriteRequest(std::span<const std::uint8_t> body);
    bool HandleChannel(std::span<const std::uint8_t> message);
    void StoreGlobal(std::span<const std::uint8_t> record);

    void ReplyIdentity();
    void ReplyDump(SimReply reply, std::uint8_t function, std::span<const std::uint8_t> data);
    void ReplyShort(SimReply reply, std::uint8_t function);
    void ReplyNrpn(std::uint8_t number, std::uint8_t value);
    void Post(SimReply reply, std::vector<Message> messages);
    Message DeviceHeader(const SimFault& fault, std::uint8_t function) const;
    static void Finish(Message& message, std::size_t payloadStart, const SimFault& fault);
    std::vector<std::uint8_t> AllData() const;
    const SimFault& FaultFor(SimReply reply) const;

    const SimModel model_;
    const SimModelInfo& info_;
    SimReplyQueue queue_;

    mutable std::mutex mutex_;
    std::uint8_t channel_ = 0;
    std::array<std::uint8_t, 4> version_{0x01, 0x00, 0x00, 0x00};
    Clock::duration replyDelay_{0};
    std::map<SimReply, SimFault> faults_;
    std::vector<SimProgramRecord> programs_;
    SimGlobalRecord global_{};
    SimProgramRecord editBuffer_{};
    int bankMsb_ = 0;
    int bankLsb_ = 0;
    int currentProgram_ = 0;
    std::vector<std::uint8_t> programChanges_;
    std::vector<SimBankSelect> bankSelects_;
    std::vector<Message> received_;
    std::size_t ignored_ = 0;
};
