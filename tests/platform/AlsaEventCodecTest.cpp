#include "platform/midi/AlsaEventCodec.h"

#include <gtest/gtest.h>

#include <vector>

using namespace midiport;
using Bytes = std::vector<uint8_t>;

namespace {

struct ChannelCase {
    Bytes message;
    int type;
};

}  // namespace

TEST(AlsaEventCodec, ChannelMessagesSurviveTheWayThroughAnEvent) {
    // clang-format off
    const ChannelCase cases[] = {
        {{0x90, 0x3C, 0x64}, SND_SEQ_EVENT_NOTEON},     {{0x9F, 0x7F, 0x00}, SND_SEQ_EVENT_NOTEON},
        {{0x80, 0x3C, 0x40}, SND_SEQ_EVENT_NOTEOFF},    {{0xA2, 0x10, 0x20}, SND_SEQ_EVENT_KEYPRESS},
        {{0xB0, 0x07, 0x7F}, SND_SEQ_EVENT_CONTROLLER}, {{0xC5, 0x12}, SND_SEQ_EVENT_PGMCHANGE},
        {{0xD0, 0x33}, SND_SEQ_EVENT_CHANPRESS},        {{0xE0, 0x00, 0x40}, SND_SEQ_EVENT_PITCHBEND},
        {{0xE3, 0x7F, 0x7F}, SND_SEQ_EVENT_PITCHBEND},
    };
    // clang-format on
    AlsaEventCodec codec;
    for (const ChannelCase& c : cases) {
        snd_seq_event_t event;
        ASSERT_TRUE(codec.ChannelEvent(c.message, event)) << int(c.message[0]);
        EXPECT_EQ(event.type, c.type) << int(c.message[0]);
        EXPECT_EQ(codec.ToBytes(event), c.message) << int(c.message[0]);
    }
}

TEST(AlsaEventCodec, ChannelEventRefusesWhatIsNotOneChannelMessage) {
    const Bytes cases[] = {{},           {0xF0, 0x01, 0xF7}, {0x90, 0x3C}, {0x90, 0x3C, 0x64, 0x00},
                           {0xC0, 0x80}, {0x3C, 0x64}};
    AlsaEventCodec codec;
    for (const Bytes& message : cases) {
        snd_seq_event_t event;
        EXPECT_FALSE(codec.ChannelEvent(message, event)) << message.size();
    }
}

// The sequencer splits a long system-exclusive message into several events;
// each chunk must come out exactly as it went in, whether it holds the F0,
// the F7, both or neither.
TEST(AlsaEventCodec, SysExChunksPassThroughUnchanged) {
    const Bytes chunks[] = {{0xF0, 0x42, 0x30}, {0x01, 0x02, 0x03}, {0x04, 0xF7}, {0xF0, 0x7E, 0xF7}, {0xF7}};
    AlsaEventCodec codec;
    for (const Bytes& chunk : chunks) {
        snd_seq_event_t event;
        AlsaEventCodec::SysExEvent(chunk, event);
        EXPECT_EQ(event.type, SND_SEQ_EVENT_SYSEX);
        EXPECT_EQ(codec.ToBytes(event), chunk);
    }
}

TEST(AlsaEventCodec, ParameterNumberControllerBecomesItsControllerMessages) {
    snd_seq_event_t event;
    snd_seq_ev_clear(&event);
    event.type = SND_SEQ_EVENT_NONREGPARAM;
    event.data.control.channel = 2;
    event.data.control.param = (0x12 << 7) | 0x34;
    event.data.control.value = (0x05 << 7) | 0x67;
    AlsaEventCodec codec;
    EXPECT_EQ(codec.ToBytes(event),
              (Bytes{0xB2, 0x63, 0x12, 0xB2, 0x62, 0x34, 0xB2, 0x06, 0x05, 0xB2, 0x26, 0x67}));
}

// Announcements carry no MIDI bytes, and a SYSEX event that does not say it
// owns variable-length data must not be read through its pointer.
TEST(AlsaEventCodec, EventsWithoutMidiBytesGiveNothing) {
    AlsaEventCodec codec;
    for (const int type :
         {SND_SEQ_EVENT_CLIENT_START, SND_SEQ_EVENT_PORT_EXIT, SND_SEQ_EVENT_PORT_SUBSCRIBED}) {
        snd_seq_event_t event;
        snd_seq_ev_clear(&event);
        event.type = static_cast<snd_seq_event_type_t>(type);
        EXPECT_TRUE(codec.ToBytes(event).empty()) << type;
    }
    snd_seq_event_t fixed;
    snd_seq_ev_clear(&fixed);
    fixed.type = SND_SEQ_EVENT_SYSEX;
    fixed.data.ext.len = 1000;
    fixed.data.ext.ptr = reinterpret_cast<void*>(0x10);
    EXPECT_TRUE(codec.ToBytes(fixed).empty());
}
