#pragma once
// Builders of every message the system sends to the Brontisel and the
// Brontisel S, with the function bytes and sizes of the protocol. Each
// builder returns the full wire bytes (system-exclusive messages from F0 to
// F7). `channel` is the channel byte of the identity reply: its low four
// bits are the MIDI channel g. The model id follows the identified model
// (58 for the Brontisel, 00 01 40 for the Brontisel S; the Brontisel form
// before identification), except for the all-data dumps, whose form fixes it.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "device/MDevModelInfo.h"

class MDevZEPHAMessages {
public:
    using Message = std::vector<uint8_t>;

    // Function bytes.
    static constexpr uint8_t kGlobalDumpRequest = 0x0E;
    static constexpr uint8_t kAllDataDumpRequest = 0x0F;
    static constexpr uint8_t kProgramWriteRequest = 0x11;
    static constexpr uint8_t kWriteCompleted = 0x21;
    static constexpr uint8_t kDataLoadCompleted = 0x23;
    static constexpr uint8_t kCurrentProgramDump = 0x40;
    static constexpr uint8_t kProgramDataDump = 0x4C;
    static constexpr uint8_t kAllDataDump = 0x50;
    static constexpr uint8_t kGlobalDump = 0x51;

    // Unpacked payloads.
    static constexpr std::size_t kProgramRecordSize = 254;
    static constexpr std::size_t kGlobalRecordSize = 200;
    static constexpr std::size_t kProgramCountBrontisel = 128;
    static constexpr std::size_t kProgramCountBrontiselS = 256;
    static constexpr std::size_t kProgramDataSize = kProgramCountBrontisel * kProgramRecordSize;  // 32512
    static constexpr std::size_t kAllDataSizeBrontisel = kProgramDataSize + kGlobalRecordSize;    // 32712
    static constexpr std::size_t kAllDataSizeBrontiselS =
        kProgramCountBrontiselS * kProgramRecordSize;  // 65024
    // Unpacked offset of the global record inside the Brontisel all-data payload.
    static constexpr std::size_t kAllDataGlobalOffset = kProgramDataSize;

    // Packed payloads.
    static constexpr std::size_t kPackedProgramSize = 291;
    static constexpr std::size_t kPackedGlobalSize = 229;
    static constexpr std::size_t kPackedProgramDataSize = 37157;
    static constexpr std::size_t kPackedAllDataSizeBrontisel = 37386;
    static constexpr std::size_t kPackedAllDataSizeBrontiselS = 74314;

    static Message IdentityRequest();
    // What every message of the synth begins with: F0, the maker, 3g and the
    // model id (the Brontisel's before identification).
    static Message DeviceHeader(uint8_t channel, const MDevModelInfo& model);
    // One request for the Brontisel (0F); global (0E), then all data (0F)
    // for the Brontisel S.
    static std::vector<Message> AllDataRequests(uint8_t channel, const MDevModelInfo& model);
    static Message CurrentProgramDump(uint8_t channel, const MDevModelInfo& model,
                                      std::span<const uint8_t, kProgramRecordSize> program);
    static Message GlobalDump(uint8_t channel, const MDevModelInfo& model,
                              std::span<const uint8_t, kGlobalRecordSize> global);
    // The whole-device dumps take their unpacked payload (program records
    // from program 0, then the global record where the form has it) and
    // answer an empty message when it does not have the form's size.
    // Brontisel, 128 programs then the global (kAllDataSizeBrontisel bytes).
    static Message AllDataDumpBrontisel(uint8_t channel, std::span<const uint8_t> payload);
    // Brontisel, 128 programs and no global (kProgramDataSize bytes), function 4C.
    static Message ProgramDataDumpBrontisel(uint8_t channel, std::span<const uint8_t> payload);
    // Brontisel S, 256 programs (kAllDataSizeBrontiselS bytes).
    static Message AllDataDumpBrontiselS(uint8_t channel, std::span<const uint8_t> payload);
    // Asks the synth to store the program it was last sent into slot
    // programIndex (0-127, or 0-255 on the Brontisel S).
    static Message ProgramWriteRequest(uint8_t channel, const MDevModelInfo& model, int programIndex);
    // Channel messages that select a program: program change on the
    // Brontisel; bank select MSB 0, bank select LSB (bit 7 of the index) and
    // program change on the Brontisel S.
    static std::vector<Message> SelectProgram(uint8_t channel, const MDevModelInfo& model, int programIndex);

private:
    static Message Dump(uint8_t channel, bool modelS, uint8_t function, std::span<const uint8_t> payload);
    static Message Header(uint8_t channel, bool modelS, uint8_t function);
};
