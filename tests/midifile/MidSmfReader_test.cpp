#include <gtest/gtest.h>

#include <string>

#include "SmfBuilder.h"
#include "midifile/MErrorCode.h"

namespace {

struct MalformedCase {
    const char* name;
    Bytes file;
    int code;
    std::vector<int> formats = {};
    std::vector<int> divisions = {};
};

Bytes SixtyFiveTracks() {
    Bytes file = Header(1, 65, 480);
    for (int i = 0; i < 64; ++i) file = Cat({file, Track(kEndOfTrack)});
    return Cat({file, Bytes{'X', 'X', 'X', 'X', 0, 0, 0, 0}});  // would give 28 if read
}

Bytes HugeDeltas(int count, Bytes last) {
    Bytes body;
    for (int i = 0; i < count; ++i) body = Cat({body, {0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x01, 0x00}});
    return OneTrackFile(Cat({body, last}));
}

TEST(MidSmfReaderParse, MalformedFilesGiveTheirCode) {
    // clang-format off
    const std::vector<MalformedCase> cases = {
        {"not MThd", Cat({{'X', 'T', 'h', 'd'}, Be32(6), Be16(0), Be16(1), Be16(480)}), 21},
        {"header length 5", Cat({{'M', 'T', 'h', 'd'}, Be32(5), Be16(0), Be16(1), Be16(480), Track(kEndOfTrack)}), 22},
        {"format not accepted", Cat({Header(2, 1, 480), Track(kEndOfTrack)}), 23, {0, 1}},
        {"format 0 with two tracks", Cat({Header(0, 2, 480), Track(kEndOfTrack), Track(kEndOfTrack)}), 24},
        {"65 tracks", SixtyFiveTracks(), 25},
        {"time-code division", Cat({Header(0, 1, 0x8000), Track(kEndOfTrack)}), 26},
        {"division not accepted", Cat({Header(0, 1, 96), Track(kEndOfTrack)}), 27, {}, {480}},
        {"no MTrk", Cat({Header(0, 1, 480), {'M', 'T', 'r', 'x', 0, 0, 0, 4}, kEndOfTrack}), 28},
        {"no end of track", Cat({Header(0, 1, 480), Track({0x00, 0x90, 0x3C, 0x40})}), 29},
        {"end of track not last", Cat({Header(0, 1, 480), Track(Cat({kEndOfTrack, {0x00, 0x90, 0x3C, 0x40}}))}), 29},
        {"chunk of 2 bytes", Cat({Header(0, 1, 480), Track({0x00, 0x00})}), 29},
        {"delta of 5 bytes", OneTrackFile({0x81, 0x80, 0x80, 0x80, 0x00, 0x90, 0x3C, 0x40}), 30},
        {"data byte without status", OneTrackFile({0x00, 0x3C, 0x40}), 31},
        {"data byte after sysex", OneTrackFile({0x00, 0xF0, 0x01, 0xF7, 0x00, 0x3C, 0x40}), 31},
        {"status F1", OneTrackFile({0x00, 0xF1, 0x00}), 32},
        {"status FE", OneTrackFile({0x00, 0xFE}), 32},
        {"F0 length 0x20000", OneTrackFile({0x00, 0xF0, 0x88, 0x80, 0x00}), 33},
        {"F7 length 0x20000", OneTrackFile({0x00, 0xF7, 0x88, 0x80, 0x00}), 34},
        {"data byte 0x80", OneTrackFile({0x00, 0x90, 0x3C, 0x80}), 37},
        {"meta length 0x20000", OneTrackFile({0x00, 0xFF, 0x01, 0x88, 0x80, 0x00}), 39},
        {"meta type 0x80", OneTrackFile({0x00, 0xFF, 0x80, 0x00}), 41},
        {"tick past 0xFFFFFFFE", HugeDeltas(16, {0x0F, 0xFF, 0x01, 0x00}), 30},
        {"empty file", {}, 46},
        {"header cut short", {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0}, 46},
        {"header length past end", Cat({{'M', 'T', 'h', 'd'}, Be32(100), Be16(0), Be16(0), Be16(480)}), 46},
        {"header length near 2^32", Cat({{'M', 'T', 'h', 'd'}, Be32(0xFFFFFFF8), Be16(0), Be16(1), Be16(480), Track(kEndOfTrack)}), 46},
        {"declared track missing", Header(0, 1, 480), 46},
        {"chunk length past end", Cat({Header(0, 1, 480), {'M', 'T', 'r', 'k'}, Be32(5), kEndOfTrack}), 46},
        {"chunk length near 2^32", Cat({Header(0, 1, 480), {'M', 'T', 'r', 'k'}, Be32(0xFFFFFFFF), kEndOfTrack}), 46},
        {"empty chunk", Cat({Header(0, 1, 480), Track({})}), 29},
        {"chunk of 1 byte, its delta running out", Cat({Header(0, 1, 480), Track({0x81})}), 29},
        {"delta of 5 bytes without end of track", Cat({Header(0, 1, 480), Track({0x81, 0x80, 0x80, 0x80, 0x00})}), 30},
        {"sysex data past chunk", Cat({Header(0, 1, 480), Track({0x00, 0xF0, 0x05, 0xFF, 0x2F, 0x00})}), 46},
        {"meta data past chunk", Cat({Header(0, 1, 480), Track({0x00, 0xFF, 0x01, 0x09, 0xFF, 0x2F, 0x00})}), 46},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingReader reader;
        ASSERT_EQ(reader.Load(c.file), 0);
        EXPECT_EQ(reader.Parse(c.formats, c.divisions), c.code);
        EXPECT_EQ(reader.errors, std::vector<int>{c.code});
        EXPECT_FALSE(reader.IsLoaded());
    }
}

TEST(MidSmfReaderParse, NoBufferGives44AndTicksUpTo0xFFFFFFFEAreAccepted) {
    RecordingReader reader;
    EXPECT_EQ(reader.Parse(), 44);
    EXPECT_TRUE(reader.errors.empty());

    // 16 * 0x0FFFFFFF + 0x0E == 0xFFFFFFFE, the last usable tick.
    ASSERT_EQ(reader.Load(HugeDeltas(16, {0x0E, 0xFF, 0x2F, 0x00})), 0);
    ASSERT_EQ(reader.Parse(), 0);
    reader.SetClockEvents(false);
    EXPECT_EQ(reader.Play(0), 3);
    EXPECT_EQ(reader.NonClock().size(), 16u);
}

TEST(MidSmfReaderParse, WithoutInitializeGives45) {
    MidSmfReader reader;
    const Bytes file = OneSysExFile({0x42, 0xF7});
    ASSERT_EQ(reader.Attach(file), 0);
    EXPECT_EQ(reader.Parse(), 45);
    EXPECT_EQ(reader.Initialize(), 0);
    EXPECT_EQ(reader.Parse(), 0);
}

TEST(MidSmfReaderParse, OnlyDeclaredTracksAreReadAndHeaderPaddingIsSkipped) {
    RecordingReader reader;
    ASSERT_EQ(reader.Load(Cat({Header(0, 1, 96, 10), Track(kEndOfTrack), {'j', 'u', 'n', 'k'}})), 0);
    EXPECT_EQ(reader.Parse(), 0);
    EXPECT_EQ(reader.GetTracksParsed(), 1);
    EXPECT_EQ(reader.GetDivision(), 96);
    EXPECT_TRUE(reader.IsLoaded());
}

TEST(MidSmfReaderParse, TrackNameIsFirstTextOrNameMetaCutTo127Bytes) {
    const Bytes longName(200, 'n');
    RecordingReader reader;
    ASSERT_EQ(reader.Load(OneTrackFile(
                  Cat({{0x00, 0xFF, 0x03, 0x81, 0x48}, longName, {0x00, 0xFF, 0x03, 0x01, 'x'}}))),
              0);
    ASSERT_EQ(reader.Parse(), 0);
    EXPECT_EQ(reader.GetTrack(0)->GetName(), std::string(127, 'n'));

    ASSERT_EQ(reader.Load(OneTrackFile({0x00, 0x90, 0x3C, 0x40})), 0);
    ASSERT_EQ(reader.Parse(), 0);
    EXPECT_EQ(reader.GetTrack(0)->GetName(), "untitled");
}

TEST(MidSmfTrkReader, VariableLengthQuantities) {
    struct Case {
        Bytes bytes;
        int used;
        std::uint32_t value;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {{0x00}, 1, 0},
        {{0x7F}, 1, 0x7F},
        {{0x81, 0x00}, 2, 0x80},
        {{0xFF, 0x7F}, 2, 0x3FFF},
        {{0x81, 0x80, 0x80, 0x00}, 4, 0x200000},
        {{0xFF, 0xFF, 0xFF, 0x7F}, 4, 0x0FFFFFFF},
        {{0x81, 0x80, 0x80, 0x80, 0x00}, 0, 0},  // a fifth byte is never read
        {{0x81, 0x80}, -1, 0},                    // the bytes end first
        {{}, -1, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        std::uint32_t value = 0;
        EXPECT_EQ(MidSmfTrkReader::ReadVarLen(c.bytes, value), c.used) << c.bytes.size();
        if (c.used > 0) {
            EXPECT_EQ(value, c.value);
        }
    }
}

TEST(MidSmfReaderPlay, OneSysExFileGivesClockThenTheSysEx) {
    RecordingReader reader;
    ASSERT_EQ(reader.Load(OneSysExFile({0x42, 0x30, 0x58, 0x40, 0xF7})), 0);
    ASSERT_EQ(reader.Parse(), 0);
    EXPECT_EQ(reader.Play(0), 3);
    const std::vector<SeenEvent> expected = {
        {0, 0xF8, {}, 0, false},
        {0, 0xF0, {0x42, 0x30, 0x58, 0x40, 0xF7}, 0, false},
    };
    EXPECT_EQ(reader.events, expected);
    EXPECT_EQ(reader.GetTracksPlaying(), 0);
}

TEST(MidSmfReaderPlay, RunningStatus) {
    RecordingReader reader;
    // 90 3C 40, running 3E 40, a meta event, running 40 40, a C0 program change,
    // running 05.
    ASSERT_EQ(reader.Load(OneTrackFile({0x00, 0x90, 0x3C, 0x40, 0x00, 0x3E, 0x40, 0x00, 0xFF, 0x01, 0x00,
                                        0x00, 0x40, 0x40, 0x00, 0xC1, 0x04, 0x00, 0x05})),
              0);
    ASSERT_EQ(reader.Parse(), 0);
    reader.SetClockEvents(false);
    EXPECT_EQ(reader.Play(0), 3);
    // clang-format off
    const std::vector<SeenEvent> expected = {
        {0, 0x90, {0x3C, 0x40}, 0, false}, {0, 0x90, {0x3E, 0x40}, 0, false}, {0, 0x01, {}, 0, false},
        {0, 0x90, {0x40, 0x40}, 0, false}, {0, 0xC1, {0x04}, 0, false},       {0, 0xC1, {0x05}, 0, false},
    };
    // clang-format on
    EXPECT_EQ(reader.events, expected);
}

TEST(MidSmfReaderPlay, ClocksEveryDivisionOver24Ticks) {
    // Note on at tick 10, note off at 12, end at 12.
    const Bytes body = {0x0A, 0x90, 0x3C, 0x40, 0x02, 0x80, 0x3C, 0x00};
    {
        RecordingReader reader;
        ASSERT_EQ(reader.Load(OneTrackFile(body, 96)), 0);
        ASSERT_EQ(reader.Parse(), 0);
        EXPECT_EQ(reader.Play(0), 3);
        EXPECT_EQ(reader.ClockTicks(), (std::vector<std::uint32_t>{0, 4, 8, 12}));
        // The clock of tick 8 comes before the note of tick 10, the one of 12 before the note off.
        ASSERT_EQ(reader.events.size(), 6u);
        EXPECT_EQ(reader.events[3].status, 0x90);
        EXPECT_EQ(reader.events[4].tick, 12u);
        EXPECT_EQ(reader.events[4].status, 0xF8);
    }
    {
        RecordingReader reader;
        ASSERT_EQ(reader.Load(OneTrackFile({0x29, 0x90, 0x3C, 0x40}, 480)), 0);
        ASSERT_EQ(reader.Parse(), 0);
        EXPECT_EQ(reader.Play(0), 3);
        EXPECT_EQ(reader.ClockTicks(), (std::vector<std::uint32_t>{0, 20, 40}));
    }
}

TEST(MidSmfReaderPlay, NoClocksBelowDivision24OrWhenSwitchedOff) {
    // Huge ticks would mean billions of clocks; a division of 12 gives a step
    // of 0, which must generate none rather than loop forever.
    const Bytes file = HugeDeltas(4, kEndOfTrack);
    for (int division : {0, 12, 23}) {
        Bytes f = file;
        f[12] = 0;
        f[13] = std::uint8_t(division);
        RecordingReader reader;
        ASSERT_EQ(reader.Load(f), 0);
        ASSERT_EQ(reader.Parse(), 0);
        EXPECT_EQ(reader.Play(0), 3);
        EXPECT_TRUE(reader.ClockTicks().empty()) << division;
        EXPECT_EQ(reader.NonClock().size(), 4u);
    }
    RecordingReader reader;
    reader.SetClockEvents(false);
    ASSERT_EQ(reader.Load(file), 0);
    ASSERT_EQ(reader.Parse(), 0);
    EXPECT_EQ(reader.Play(0), 3);
    EXPECT_TRUE(reader.ClockTicks().empty());
}

TEST(MidSmfReaderPlay, TracksMergeInTimeOrderAndChaseBeforeTheStartTick) {
    const Bytes file = Cat({Header(1, 2, 480),
                            Track({0x00, 0x90, 0x01, 0x01, 0x0A, 0x90, 0x02, 0x01, 0x00, 0xFF, 0x2F, 0x00}),
                            Track({0x05, 0x90, 0x03, 0x01, 0x05, 0x90, 0x04, 0x01, 0x00, 0xFF, 0x2F, 0x00})});
    RecordingReader reader;
    reader.SetClockEvents(false);
    ASSERT_EQ(reader.Load(file), 0);
    ASSERT_EQ(reader.Parse(), 0);
    EXPECT_EQ(reader.Play(0), 3);
    // clang-format off
    const std::vector<SeenEvent> all = {
        {0, 0x90, {1, 1}, 0, false}, {5, 0x90, {3, 1}, 1, false},
        {10, 0x90, {2, 1}, 0, false}, {10, 0x90, {4, 1}, 1, false}};
    // clang-format on
    EXPECT_EQ(reader.events, all);

    reader.events.clear();
    EXPECT_EQ(reader.Play(10), 3);
    // clang-format off
    const std::vector<SeenEvent> chased = {
        {0, 0x90, {1, 1}, 0, true}, {5, 0x90, {3, 1}, 1, true},
        {10, 0x90, {2, 1}, 0, false}, {10, 0x90, {4, 1}, 1, false}};
    // clang-format on
    EXPECT_EQ(reader.events, chased);
}

TEST(MidSmfReaderPlay, HookResultEndsPlayAndTheSameStartTickContinues) {
    RecordingReader reader;
    reader.SetClockEvents(false);
    ASSERT_EQ(reader.Load(OneTrackFile({0x00, 0x90, 0x3C, 0x40, 0x01, 0x80, 0x3C, 0x40})), 0);
    ASSERT_EQ(reader.Parse(), 0);
    reader.stopAfter = 1;
    EXPECT_EQ(reader.Play(0), 99);
    reader.stopAfter = -1;
    // The tracks stand where the hook stopped them: at the event it refused.
    EXPECT_EQ(reader.Play(0), 3);
    ASSERT_EQ(reader.events.size(), 3u);
    EXPECT_EQ(reader.events[1], reader.events[0]);
    EXPECT_EQ(reader.events[2].status, 0x80);
}

TEST(MidSmfReaderPlay, AfterFreeNothingIsPlayed) {
    RecordingReader reader;
    ASSERT_EQ(reader.Load(OneSysExFile({0x42, 0xF7})), 0);
    ASSERT_EQ(reader.Parse(), 0);
    reader.Close();
    reader.bytes.clear();
    reader.bytes.shrink_to_fit();
    EXPECT_EQ(reader.Play(5), 3);
    EXPECT_TRUE(reader.events.empty());
}

// Every prefix of a valid dump-shaped file is refused with a code (and the
// same code went to OnError); none crashes or reads past its end.
TEST(MidSmfReaderParse, EveryPrefixOfAOneSysExFileIsAnError) {
    Bytes dump = {0x42, 0x30, 0x58, 0x40};
    for (int i = 0; i < 40; ++i) dump.push_back(std::uint8_t(i));
    dump.push_back(0xF7);
    const Bytes file = OneSysExFile(dump);
    for (std::size_t n = 0; n < file.size(); ++n) {
        RecordingReader reader;
        reader.SetClockEvents(false);
        // A copy of exactly n bytes, so the sanitizer sees any read past it.
        auto prefix = std::make_unique<std::uint8_t[]>(n + 1);
        std::copy_n(file.begin(), n, prefix.get());
        ASSERT_EQ(reader.Attach({prefix.get(), n}), 0);
        const int code = reader.Parse();
        EXPECT_GE(code, 21) << n;
        EXPECT_LE(code, 46) << n;
        EXPECT_EQ(reader.errors, std::vector<int>{code}) << n;
        EXPECT_EQ(reader.Play(0), 3);
        EXPECT_TRUE(reader.events.empty());
    }
    RecordingReader reader;
    ASSERT_EQ(reader.Load(file), 0);
    EXPECT_EQ(reader.Parse(), 0);
}

}  // namespace
