#include "device/MDevSysExClassifier.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "device/MDevZEPHAMessages.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Msgs = MDevZEPHAMessages;

constexpr uint8_t kChannel = 0x05;  // g = 5, so byte 1 is 35

MDevModelInfo Model(int which) {
    MDevModelInfo model;
    if (which == 0) {
        const std::array<uint8_t, 4> bytes{0x58, 0x00, 0x11, 0x00};
        model.Identify(bytes);
    } else if (which == 1) {
        const std::array<uint8_t, 4> bytes{0x40, 0x01, 0x01, 0x00};
        model.Identify(bytes);
    }
    return model;  // any other value: not identified (L = 0)
}
constexpr int kB = 0;
constexpr int kS = 1;
constexpr int kNone = 2;

Bytes Program() {
    std::array<uint8_t, 254> p{};
    for (std::size_t i = 0; i < p.size(); ++i) p[i] = static_cast<uint8_t>(i);
    return Msgs::CurrentProgramDump(kChannel, Model(kB), p);
}
Bytes ProgramS() {
    std::array<uint8_t, 254> p{};
    return Msgs::CurrentProgramDump(kChannel, Model(kS), p);
}
Bytes Global(int which) {
    std::array<uint8_t, 200> g{};
    return Msgs::GlobalDump(kChannel, Model(which), g);
}
Bytes AllData() { return Msgs::AllDataDumpBrontisel(kChannel, Bytes(Msgs::kAllDataSizeBrontisel, 0x11)); }
Bytes AllDataS() { return Msgs::AllDataDumpBrontiselS(kChannel, Bytes(Msgs::kAllDataSizeBrontiselS)); }

// A Brontisel all-data dump whose first packed byte is 40: program 0's
// seventh name byte has bit 7 set.
Bytes AllDataFirstPacked40() {
    Bytes payload(Msgs::kAllDataSizeBrontisel, 0x20);
    payload[6] = 0xA0;
    Bytes m = Msgs::AllDataDumpBrontisel(kChannel, payload);
    EXPECT_EQ(m[5], 0x40);
    return m;
}

Bytes Short(uint8_t function, bool modelS) {
    Bytes m{0xF0, 0x42, 0x35};
    if (modelS) {
        for (uint8_t b : {0x00, 0x01, 0x40}) m.push_back(b);
    } else {
        m.push_back(0x58);
    }
    m.push_back(function);
    m.push_back(0xF7);
    return m;
}

Bytes Drop(Bytes m, std::size_t at) {
    m.erase(m.begin() + static_cast<long>(at));
    return m;
}
Bytes Insert(Bytes m, std::size_t at, uint8_t b) {
    m.insert(m.begin() + static_cast<long>(at), b);
    return m;
}
Bytes Set(Bytes m, std::size_t at, uint8_t b) {
    m.at(at) = b;
    return m;
}
Bytes WithoutStatus(Bytes m) {
    m.erase(m.begin());
    return m;
}

struct Case {
    std::string name;
    int model;
    bool loadProgram;
    Bytes message;
    bool accepted;
    uint8_t function;
    int idLength;
    std::size_t payloadAt;  // offset of the payload in the message (F0 counted)
    std::size_t payloadSize;
    std::size_t allDataSize;
};

TEST(SysExClassifier, AcceptanceTable) {
    const Bytes program = Program();
    const Bytes allS = AllDataS();
    const Case cases[] = {
        // Current program dump: only while a program file is read.
        // clang-format off
        {"program, B, load flag", kB, true, program, true, 0x40, 1, 5, 291, 0},
        {"program, B, no load flag", kB, false, program, false, 0x40, 1, 0, 0, 0},
        {"program, S form on S", kS, true, ProgramS(), true, 0x40, 3, 7, 291, 0},
        {"program, S form on B (d decides)", kB, true, ProgramS(), true, 0x40, 3, 7, 291, 0},
        {"program one byte short", kB, true, Drop(program, 10), false, 0x40, 1, 0, 0, 0},
        {"program one byte long", kB, true, Insert(program, 10, 0), false, 0x40, 1, 0, 0, 0},
        {"program without closing F7", kB, true, Set(program, program.size() - 1, 0x00), false, 0x40, 1, 0, 0, 0},
        {"program without leading F0", kB, true, WithoutStatus(program), true, 0x40, 1, 4, 291, 0},
        // clang-format on

        // All-data dumps: taken on either model, S recorded even when rejected.
        // clang-format off
        {"all data, B", kB, false, AllData(), true, 0x50, 1, 5, 37386, 37386},
        {"all data, B form on S", kS, false, AllData(), true, 0x50, 1, 5, 37386, 37386},
        {"all data, S", kS, false, allS, true, 0x50, 3, 7, 74314, 74314},
        {"all data, S, unidentified", kNone, false, allS, true, 0x50, 3, 7, 74314, 74314},
        {"all data, S, one byte short", kS, false, Drop(allS, 100), false, 0x50, 3, 0, 0, 74314},
        {"all data, S, no closing F7", kS, false, Set(allS, allS.size() - 1, 0x01), false, 0x50, 3, 0, 0, 74314},
        {"all data, first packed byte 40 (mended)", kB, false, AllDataFirstPacked40(), true, 0x50, 1, 5, 37386, 37386},
        // clang-format on

        // Global dump: measured against the identified model's L.
        // clang-format off
        {"global, B", kB, false, Global(kB), true, 0x51, 1, 5, 229, 0},
        {"global, S", kS, false, Global(kS), true, 0x51, 3, 7, 229, 0},
        {"global, S form on B (n = 236)", kB, false, Global(kS), false, 0x51, 3, 0, 0, 0},
        {"global, B form on S", kS, false, Global(kB), false, 0x51, 1, 0, 0, 0},
        // clang-format on
        {"global, B form padded to L + 233 on S (mended)", kS, false, Insert(Insert(Global(kB), 6, 0), 6, 0),
         false, 0x51, 1, 0, 0, 0},
        {"global, unidentified (mended)", kNone, false, Global(kB), false, 0x51, 1, 0, 0, 0},
        {"global, unidentified, n = 233 (mended)", kNone, false, Drop(Global(kB), 6), false, 0x51, 1, 0, 0,
         0},
        {"global without closing F7", kB, false, Set(Global(kB), 234, 0x00), false, 0x51, 1, 0, 0, 0},

        // Replies without a length rule.
        // clang-format off
        {"write completed, B", kB, false, Short(0x21, false), true, 0x21, 1, 0, 0, 0},
        {"data load completed, S", kS, false, Short(0x23, true), true, 0x23, 3, 0, 0, 0},
        {"data load completed without F7", kB, false, Drop(Short(0x23, false), 5), true, 0x23, 1, 0, 0, 0},
        // clang-format on

        // Header rules.
        // clang-format off
        {"other channel", kB, true, Set(program, 2, 0x36), false, 0, 0, 0, 0, 0},
        {"other channel, reply", kB, false, Set(Short(0x21, false), 2, 0x34), false, 0, 0, 0, 0, 0},
        {"channel byte without 30", kB, false, Set(Short(0x21, false), 2, 0x05), false, 0, 0, 0, 0, 0},
        {"other maker", kB, false, Set(Short(0x21, false), 1, 0x41), false, 0, 0, 0, 0, 0},
        {"partial S model id 00 01 41 (mended)", kS, false, Set(Short(0x23, true), 5, 0x41), false, 0, 0, 0, 0, 0},
        {"model id 00 alone (mended)", kS, false, Bytes{0xF0, 0x42, 0x35, 0x00, 0x23, 0xF7}, false, 0, 0, 0, 0, 0},
        {"unknown model id (mended)", kB, false, Bytes{0xF0, 0x42, 0x35, 0x59, 0x23, 0xF7}, false, 0, 0, 0, 0, 0},
        {"function 01 on B", kB, false, Short(0x01, false), false, 0x01, 1, 0, 0, 0},
        // clang-format on
        {"program data dump 4C is not taken", kB, false,
         Msgs::ProgramDataDumpBrontisel(kChannel, Bytes(Msgs::kProgramDataSize)), false, 0x4C, 1, 0, 0, 0},

        // Truncated messages never read past their end.
        // clang-format off
        {"empty", kB, false, Bytes{}, false, 0, 0, 0, 0, 0},
        {"status only", kB, false, Bytes{0xF0}, false, 0, 0, 0, 0, 0},
        {"maker and channel only", kB, false, Bytes{0x42, 0x35}, false, 0, 0, 0, 0, 0},
        {"no function byte, B", kB, false, Bytes{0x42, 0x35, 0x58}, false, 0, 0, 0, 0, 0},
        {"no function byte, S", kS, false, Bytes{0x42, 0x35, 0x00, 0x01, 0x40}, false, 0, 0, 0, 0, 0},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // Exact-size heap copy, so the address sanitizer sees any overrun.
        const Bytes message = c.message;
        const MDevSysExVerdict v =
            MDevSysExClassifier::Classify(message, kChannel, Model(c.model), c.loadProgram);
        EXPECT_EQ(v.accepted, c.accepted);
        EXPECT_EQ(v.function, c.function);
        EXPECT_EQ(v.idLength, c.idLength);
        EXPECT_EQ(v.allDataSize, c.allDataSize);
        ASSERT_EQ(v.payload.size(), c.payloadSize);
        if (c.payloadSize != 0) {
            EXPECT_EQ(v.payload.data(), message.data() + c.payloadAt);
        }
    }
}

// The channel is the low four bits of the stored channel byte.
TEST(SysExClassifier, ChannelIsTheLowNibbleOfTheChannelByte) {
    const Bytes reply = Short(0x21, false);  // byte 1 is 35
    EXPECT_TRUE(MDevSysExClassifier::Classify(reply, 0x75, Model(kB), false).accepted);
    EXPECT_FALSE(MDevSysExClassifier::Classify(reply, 0x06, Model(kB), false).accepted);
}

// Every dump the system writes is taken back by the same rules (a dump file
// is read through them).
TEST(SysExClassifier, EverySentDumpIsAccepted) {
    for (int which : {kB, kS}) {
        SCOPED_TRACE(which);
        const MDevModelInfo model = Model(which);
        std::array<uint8_t, 254> program{};
        std::array<uint8_t, 200> global{};
        program.fill(0xC3);
        global.fill(0xC3);
        for (const Bytes& sent :
             {Msgs::CurrentProgramDump(0x0A, model, program), Msgs::GlobalDump(0x0A, model, global),
              which == kB ? Msgs::AllDataDumpBrontisel(0x0A, Bytes(Msgs::kAllDataSizeBrontisel, 0xC3))
                          : Msgs::AllDataDumpBrontiselS(0x0A, Bytes(Msgs::kAllDataSizeBrontiselS, 0xC3))}) {
            const MDevSysExVerdict v = MDevSysExClassifier::Classify(sent, 0x0A, model, true);
            EXPECT_TRUE(v.accepted);
            EXPECT_EQ(v.function, sent[3 + model.modelIdLength]);
            EXPECT_EQ(v.idLength, model.modelIdLength);
            EXPECT_EQ(v.payload.data(), sent.data() + 4 + model.modelIdLength);
            EXPECT_EQ(v.payload.size(), sent.size() - 5 - static_cast<std::size_t>(model.modelIdLength));
        }
    }
}

TEST(SysExClassifier, IdentityReply) {
    const Bytes brontisel{0xF0, 0x7E, 0x05, 0x06, 0x02, 0x42, 0x58, 0x00,
                          0x11, 0x00, 0x01, 0x02, 0x03, 0x04, 0xF7};
    const Bytes brontiselS{0xF0, 0x7E, 0x7F, 0x06, 0x02, 0x42, 0x40, 0x01,
                           0x01, 0x00, 0x7F, 0x7F, 0x7F, 0x7F, 0xF7};
    struct Case {
        std::string name;
        Bytes message;
        bool accepted;
        uint8_t channel;
        int modelIndex, idLength, programCount;
    };
    // clang-format off
    const Case cases[] = {
        {"Brontisel", brontisel, true, 0x05, 0, 1, 128},
        {"Brontisel S, any channel byte", brontiselS, true, 0x7F, 1, 3, 256},
        {"without leading F0", WithoutStatus(brontisel), true, 0x05, 0, 1, 128},
        {"unknown member", Set(brontisel, 8, 0x12), false, 0, 0, 0, 0},
        {"unknown family", Set(brontiselS, 7, 0x02), false, 0, 0, 0, 0},
        {"not 06", Set(brontisel, 3, 0x07), false, 0, 0, 0, 0},
        {"not 02 (an identity request)", Set(brontisel, 4, 0x01), false, 0, 0, 0, 0},
        {"other maker", Set(brontisel, 5, 0x41), false, 0, 0, 0, 0},
        {"not universal", Set(brontisel, 1, 0x7D), false, 0, 0, 0, 0},
        {"n = 13", Drop(brontisel, 10), false, 0, 0, 0, 0},
        {"n = 15", Insert(brontisel, 10, 0), false, 0, 0, 0, 0},
        {"no closing F7", Set(brontisel, 14, 0x00), false, 0, 0, 0, 0},
        {"empty", Bytes{}, false, 0, 0, 0, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        uint8_t channel = 0;
        MDevModelInfo model;
        model.lastAllDataSize = 74314;
        EXPECT_EQ(MDevSysExClassifier::ApplyIdentityReply(c.message, channel, model), c.accepted);
        EXPECT_EQ(channel, c.channel);
        EXPECT_EQ(model.modelIndex, c.modelIndex);
        EXPECT_EQ(model.modelIdLength, c.idLength);
        EXPECT_EQ(model.programCount, c.programCount);
        EXPECT_EQ(model.lastAllDataSize, 74314u);
    }
}

// A reply that is not recognised leaves the earlier identification alone.
TEST(SysExClassifier, RejectedIdentityReplyKeepsTheEarlierModel) {
    uint8_t channel = 0;
    MDevModelInfo model;
    const Bytes brontiselS{0xF0, 0x7E, 0x03, 0x06, 0x02, 0x42, 0x40, 0x01, 0x01, 0x00, 0, 0, 0, 0, 0xF7};
    ASSERT_TRUE(MDevSysExClassifier::ApplyIdentityReply(brontiselS, channel, model));
    const Bytes unknown{0xF0, 0x7E, 0x09, 0x06, 0x02, 0x42, 0x40, 0x01, 0x02, 0x00, 0, 0, 0, 0, 0xF7};
    EXPECT_FALSE(MDevSysExClassifier::ApplyIdentityReply(unknown, channel, model));
    EXPECT_EQ(channel, 0x03);
    EXPECT_EQ(model.modelIdLength, 3);
    EXPECT_EQ(model.programCount, 256);
}

}  // namespace
