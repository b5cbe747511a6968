#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "SmfBuilder.h"
#include "FileSinks.h"
#include "midifile/MErrorCode.h"
#include "midifile/MidSmfEditor.h"
#include "tests/support/TempDir.h"

namespace {

using velktest::ReadAll;
using velktest::TempDir;
using velktest::WriteAll;

Bytes Written(MidSmfEditor& editor) {
    VectorSink sink;
    EXPECT_EQ(editor.WriteContents(sink, 0), 0);
    return sink.bytes;
}

// A node with the given tick, status and data at the tail of a track.
void Append(MidSmfTrkEditor& track, std::uint32_t tick, std::uint8_t status, Bytes data) {
    MidSmfEventNode* node = nullptr;
    ASSERT_EQ(track.AppendEvent(std::uint32_t(data.size()), node), 0);
    node->tick = tick;
    node->status = status;
    node->data = std::move(data);
}

std::vector<std::uint32_t> Ticks(const MidSmfTrkEditor& track) {
    std::vector<std::uint32_t> out;
    for (const auto& n : track.GetNodes()) out.push_back(n.tick);
    return out;
}

// Plays a file with a plain reader, clocks off.
std::vector<SeenEvent> PlayedEvents(const Bytes& file) {
    RecordingReader reader;
    reader.SetClockEvents(false);
    EXPECT_EQ(reader.Load(file), 0);
    EXPECT_EQ(reader.Parse(), 0);
    EXPECT_EQ(reader.Play(0), 3);
    return reader.events;
}

TEST(MidSmfEditorWrite, OneSysExGoldenBytes) {
    const Bytes dump = {0x42, 0x30, 0x58, 0x40, 0x01, 0x02, 0xF7};
    MidSmfEditor editor;
    const int index = editor.AddTrack();
    ASSERT_EQ(index, 0);
    ASSERT_EQ(editor.GetTrackEditor(index)->InsertSysEx(0, dump), 0);
    const Bytes expected = Cat({{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0},
                                {'M', 'T', 'r', 'k'},
                                Be32(std::uint32_t(dump.size() + 7)),
                                {0x00, 0xF0, std::uint8_t(dump.size())},
                                dump,
                                {0x00, 0xFF, 0x2F, 0x00}});
    EXPECT_EQ(Written(editor), expected);
    EXPECT_EQ(Written(editor), expected);  // the added end of track is not added twice
    EXPECT_EQ(expected, OneSysExFile(dump));
}

TEST(MidSmfEditorWrite, ChannelMessagesWithAndWithoutRunningStatus) {
    struct Case {
        const char* name;
        bool runningStatus;
        bool noteOffAsNoteOn;
        std::vector<std::pair<std::uint8_t, Bytes>> events;  // all at tick 0
        Bytes body;                                          // before the end of track
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"running status", true, true, {{0x90, {0x3C, 0x40}}, {0x90, {0x3E, 0x40}}}, {0x00, 0x90, 0x3C, 0x40, 0x00, 0x3E, 0x40}},
        {"no running status", false, true, {{0x90, {0x3C, 0x40}}, {0x90, {0x3E, 0x40}}}, {0x00, 0x90, 0x3C, 0x40, 0x00, 0x90, 0x3E, 0x40}},
        {"note off as note on", true, true, {{0x80, {0x3C, 0x40}}}, {0x00, 0x90, 0x3C, 0x00}},
        {"note off as note on, running", true, true, {{0x91, {0x3C, 0x40}}, {0x81, {0x3C, 0x40}}}, {0x00, 0x91, 0x3C, 0x40, 0x00, 0x3C, 0x00}},
        {"note off kept", true, false, {{0x80, {0x3C, 0x40}}}, {0x00, 0x80, 0x3C, 0x40}},
        {"status after meta is written", true, true, {{0xC0, {0x05}}, {0x01, {'a'}}, {0xC0, {0x06}}}, {0x00, 0xC0, 0x05, 0x00, 0xFF, 0x01, 0x01, 'a', 0x00, 0xC0, 0x06}},
        {"status after sysex is written", true, true, {{0xB0, {0x07, 0x10}}, {0xF0, {0xF7}}, {0xB0, {0x07, 0x11}}}, {0x00, 0xB0, 0x07, 0x10, 0x00, 0xF0, 0x01, 0xF7, 0x00, 0xB0, 0x07, 0x11}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MidSmfEditor editor;
        editor.SetRunningStatus(c.runningStatus);
        editor.SetNoteOffAsNoteOn(c.noteOffAsNoteOn);
        MidSmfTrkEditor& track = *editor.GetTrackEditor(editor.AddTrack());
        for (const auto& [status, data] : c.events) Append(track, 0, status, data);
        EXPECT_EQ(Written(editor), OneTrackFile(c.body));
    }
}

TEST(MidSmfEditorWrite, DeltasAsVariableLengthQuantities) {
    MidSmfEditor editor;
    MidSmfTrkEditor& track = *editor.GetTrackEditor(editor.AddTrack());
    Append(track, 0x200000, 0x90, {0x3C, 0x40});
    Append(track, 0x200000 + 0x0FFFFFFF, 0x90, {0x3C, 0x00});
    EXPECT_EQ(Written(editor),
              OneTrackFile({0x81, 0x80, 0x80, 0x00, 0x90, 0x3C, 0x40, 0xFF, 0xFF, 0xFF, 0x7F, 0x3C, 0x00}));

    struct Case {
        std::uint32_t value;
        Bytes bytes;
    };
    for (const Case& c : std::vector<Case>{{0, {0x00}},
                                           {0x7F, {0x7F}},
                                           {0x80, {0x81, 0x00}},
                                           {0x3FFF, {0xFF, 0x7F}},
                                           {0x4000, {0x81, 0x80, 0x00}},
                                           {0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}}}) {
        VectorSink sink;
        EXPECT_EQ(MidSmfTrkEditor::WriteVarLen(c.value, sink), 0);
        EXPECT_EQ(sink.bytes, c.bytes) << c.value;
    }
    VectorSink sink;
    EXPECT_EQ(MidSmfTrkEditor::WriteVarLen(0x10000000, sink), -1);
    EXPECT_TRUE(sink.bytes.empty());
}

TEST(MidSmfEditorTracks, AddTrackSetsFormatAndStopsAt64) {
    MidSmfEditor editor;
    EXPECT_EQ(editor.AddTrack(), 0);
    EXPECT_EQ(editor.GetFormat(), 0);
    EXPECT_EQ(editor.AddTrack(), 1);
    EXPECT_EQ(editor.GetFormat(), 1);
    EXPECT_EQ(editor.GetTrackCount(), 2);
    for (int i = 2; i < 64; ++i) EXPECT_EQ(editor.AddTrack(), i);
    EXPECT_EQ(editor.AddTrack(), -1);
    EXPECT_EQ(editor.GetTrackCount(), 64);
}

TEST(MidSmfEditorTracks, InsertEventKeepsTimeOrder) {
    MidSmfEditor editor;
    MidSmfTrkEditor& track = *editor.GetTrackEditor(editor.AddTrack());
    MidSmfEventNode* node = nullptr;
    for (std::uint32_t t : {0u, 10u, 20u}) ASSERT_EQ(track.InsertEvent(t, 0, node), 0);
    ASSERT_EQ(track.InsertEvent(10, 1, node), 0);
    node->status = 0x01;
    auto it = track.GetNodes().begin();
    std::advance(it, 2);
    EXPECT_EQ(&*it, node);  // after the existing 10, before the 20
    EXPECT_EQ(Ticks(track), (std::vector<std::uint32_t>{0, 10, 10, 20}));

    MidSmfTrkEditor& second = *editor.GetTrackEditor(editor.AddTrack());
    ASSERT_EQ(second.InsertEvent(5, 0, node), 0);
    MidSmfEventNode* head = nullptr;
    ASSERT_EQ(second.InsertEvent(0, 0, head), 0);
    EXPECT_EQ(&second.GetNodes().front(), head);
    EXPECT_EQ(Ticks(second), (std::vector<std::uint32_t>{0, 5}));
}

TEST(MidSmfEditorWrite, UnwritableNodesFailInsteadOfCorruptingTheFile) {
    struct Case {
        const char* name;
        std::vector<std::tuple<std::uint32_t, std::uint8_t, Bytes>> nodes;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"status F1", {{0, 0xF1, {0x00}}}},
        {"status F8", {{0, 0xF8, {}}}},
        {"status FF", {{0, 0xFF, {}}}},
        {"decreasing tick", {{10, 0x90, {0x3C, 0x40}}, {5, 0x80, {0x3C, 0x40}}}},
        {"delta above 0x0FFFFFFF", {{0x10000000, 0x90, {0x3C, 0x40}}}},
        {"note on with one data byte", {{0, 0x90, {0x3C}}}},
        {"program change with two data bytes", {{0, 0xC0, {0x01, 0x02}}}},
        {"data byte 0x80", {{0, 0xB0, {0x07, 0x80}}}},
        {"end of track with data", {{0, 0x2F, {0x01}}}},
    };
    // clang-format on
    TempDir dir;
    const Bytes old = {'o', 'l', 'd'};
    WriteAll(dir / "x.prg", old);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MidSmfEditor editor;
        MidSmfTrkEditor& track = *editor.GetTrackEditor(editor.AddTrack());
        for (const auto& [tick, status, data] : c.nodes) Append(track, tick, status, data);
        VectorSink sink;
        EXPECT_EQ(editor.WriteContents(sink, 0), -1);
        EXPECT_EQ(editor.Save(dir / "x.prg"), -1);
        EXPECT_EQ(ReadAll(dir / "x.prg"), old);
    }
}

// Events added once the track was written (and so ends with FF 2F 00) go
// before the end of track, which moves to the latest tick: the file carries
// every event and FF 2F 00 only at its end.
TEST(MidSmfEditorWrite, EventAddedAfterTheEndOfTrackIsNotLostBehindIt) {
    struct Case {
        const char* name;
        std::function<void(MidSmfTrkEditor&)> add;
        std::uint32_t tick;
    };
    const Bytes second = {0x42, 0x02, 0xF7};
    // clang-format off
    const std::vector<Case> cases = {
        {"inserted at the end-of-track tick", [&](MidSmfTrkEditor& t) { ASSERT_EQ(t.InsertSysEx(0, second), 0); }, 0},
        {"inserted after it", [&](MidSmfTrkEditor& t) { ASSERT_EQ(t.InsertSysEx(5, second), 0); }, 5},
        {"appended", [&](MidSmfTrkEditor& t) { Append(t, 5, 0xF0, second); }, 5},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MidSmfEditor editor;
        MidSmfTrkEditor& track = *editor.GetTrackEditor(editor.AddTrack());
        ASSERT_EQ(track.InsertSysEx(0, Bytes{0x42, 0x01, 0xF7}), 0);
        Written(editor);  // adds the end of track at tick 0
        c.add(track);
        const Bytes file = Written(editor);
        EXPECT_EQ(file, OneTrackFile({0x00, 0xF0, 0x03, 0x42, 0x01, 0xF7, std::uint8_t(c.tick), 0xF0, 0x03,
                                      0x42, 0x02, 0xF7}));
        EXPECT_EQ(PlayedEvents(file), (std::vector<SeenEvent>{{0, 0xF0, {0x42, 0x01, 0xF7}, 0, false},
                                                              {c.tick, 0xF0, second, 0, false}}));
        EXPECT_EQ(track.GetNodes().back().status, MidSmfEvent::kMetaEndOfTrack);
        EXPECT_EQ(track.GetNodes().back().tick, c.tick);
    }
}

TEST(MidSmfEditorWrite, EndOfTrackBeforeTheLastEventIsRefused) {
    TempDir dir;
    const Bytes old = {'o', 'l', 'd'};
    WriteAll(dir / "x.prg", old);
    MidSmfEditor editor;
    MidSmfTrkEditor& track = *editor.GetTrackEditor(editor.AddTrack());
    Append(track, 10, 0x90, {0x3C, 0x40});
    MidSmfEventNode* end = nullptr;
    ASSERT_EQ(track.InsertEvent(0, 0, end), 0);  // lands before the note
    end->status = MidSmfEvent::kMetaEndOfTrack;
    VectorSink sink;
    EXPECT_EQ(editor.WriteContents(sink, 0), -1);
    EXPECT_EQ(editor.Save(dir / "x.prg"), -1);
    EXPECT_EQ(ReadAll(dir / "x.prg"), old);
    EXPECT_EQ(track.GetNodeCount(), 2u) << "no second end of track was appended";
}

// Everything the writer and reader share: notes, controllers, pitch bend,
// meta events, system exclusive with a continuation packet, two tracks.
TEST(MidSmfEditorRoundTrip, WrittenEventsReadBackTheSame) {
    MidSmfEditor editor;
    editor.SetNoteOffAsNoteOn(false);
    MidSmfTrkEditor& t0 = *editor.GetTrackEditor(editor.AddTrack());
    MidSmfTrkEditor& t1 = *editor.GetTrackEditor(editor.AddTrack());
    Append(t0, 0, 0x03, {'L', 'e', 'a', 'd'});
    Append(t0, 0, 0x51, {0x07, 0xA1, 0x20});
    Append(t0, 0, 0x90, {0x3C, 0x40});
    Append(t0, 0, 0x90, {0x40, 0x40});
    Append(t0, 120, 0x80, {0x3C, 0x00});
    Append(t0, 120, 0xE0, {0x00, 0x40});
    Append(t0, 300, 0xC3, {0x05});
    Append(t0, 300, 0xD3, {0x22});
    ASSERT_EQ(t1.InsertSysEx(7, Bytes(300, 0x11)), 0);  // a two-byte length
    Append(t1, 9, 0xF0, {0x43, 0x10});
    Append(t1, 9, 0xF7, {0x4C, 0xF7});
    Append(t1, 0x0FFFFFFF, 0xB2, {0x07, 0x7F});

    const Bytes file = Written(editor);
    std::vector<SeenEvent> expected;
    for (const MidSmfTrkEditor* t : {&t0, &t1})
        for (const auto& n : t->GetNodes())
            if (n.status != 0x2F) expected.push_back({n.tick, n.status, n.data, t == &t0 ? 0 : 1, false});
    std::stable_sort(expected.begin(), expected.end(), [](const SeenEvent& a, const SeenEvent& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.track < b.track;
    });
    EXPECT_EQ(PlayedEvents(file), expected);

    // Parsed into lists and written again: the same bytes.
    MidSmfEditor reread;
    reread.SetNoteOffAsNoteOn(false);
    ASSERT_EQ(reread.Attach(file), 0);
    ASSERT_EQ(reread.Parse(), 0);
    EXPECT_EQ(reread.GetTrackEditor(1)->GetNodeCount(), t1.GetNodeCount());
    EXPECT_EQ(Written(reread), file);
}

TEST(MidSmfEditorRoundTrip, F7PacketLoadedFromAFileIsWrittenAsF7) {
    const Bytes file = OneTrackFile({0x00, 0xF0, 0x03, 0x42, 0x30, 0x58, 0x10, 0xF7, 0x02, 0x01, 0xF7});
    MidSmfEditor editor;
    ASSERT_EQ(editor.Attach(file), 0);
    ASSERT_EQ(editor.Parse(), 0);
    ASSERT_EQ(editor.GetTrackEditor(0)->GetNodeCount(), 3u);
    EXPECT_EQ(editor.GetTrackEditor(0)->GetNodes().begin()->status, 0xF0);
    EXPECT_EQ(std::next(editor.GetTrackEditor(0)->GetNodes().begin())->status, 0xF7);
    const Bytes rewritten = Written(editor);
    EXPECT_EQ(rewritten, file);
    editor.Close();  // the lists own their data: still writable without the file
    EXPECT_EQ(Written(editor), file);
}

TEST(MidSmfEditorRoundTrip, CopyFromAnotherTrack) {
    RecordingReader reader;
    ASSERT_EQ(reader.Load(OneTrackFile({0x00, 0x90, 0x3C, 0x40, 0x10, 0x3C, 0x00})), 0);
    ASSERT_EQ(reader.Parse(), 0);
    MidSmfEditor editor;
    MidSmfTrkEditor& track = *editor.GetTrackEditor(editor.AddTrack());
    ASSERT_EQ(track.CopyFrom(*reader.GetTrack(0)), 0);
    EXPECT_EQ(Ticks(track), (std::vector<std::uint32_t>{0, 0x10, 0x10}));
    EXPECT_EQ(reader.GetTrack(0)->GetTick(), 0u);  // rewound after
    EXPECT_EQ(Written(editor), OneTrackFile({0x00, 0x90, 0x3C, 0x40, 0x10, 0x3C, 0x00}, 480));

    MidSmfTrkEditor& copy = *editor.GetTrackEditor(editor.AddTrack());
    ASSERT_EQ(copy.CopyFrom(track), 0);
    EXPECT_EQ(Ticks(copy), Ticks(track));
}

// Writes, then fails after `budget` bytes (a disk that fills up).
class FailingEditor : public MidSmfEditor {
public:
    explicit FailingEditor(std::size_t budget) : budget_(budget) {}
    int WriteContents(MFileSink& sink, int argument) override {
        FailingSink limited(sink, budget_);
        return MidSmfEditor::WriteContents(limited, argument);
    }

private:
    std::size_t budget_;
};

TEST(MidSmfEditorSave, AFailingSinkMidWriteLeavesTheOldFile) {
    TempDir dir;
    const Bytes old = OneSysExFile({0x42, 0x01, 0xF7});
    WriteAll(dir / "p.prg", old);
    for (std::size_t budget : {std::size_t{0}, std::size_t{10}, std::size_t{20}, std::size_t{40}}) {
        FailingEditor editor(budget);
        editor.GetTrackEditor(editor.AddTrack())->InsertSysEx(0, Bytes(30, 0x22));
        EXPECT_EQ(editor.Save(dir / "p.prg"), -1) << budget;
        EXPECT_EQ(ReadAll(dir / "p.prg"), old);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    }
    MidSmfEditor editor;
    editor.GetTrackEditor(editor.AddTrack())->InsertSysEx(0, Bytes{0x42, 0x02, 0xF7});
    EXPECT_EQ(editor.Save(dir / "p.prg"), 0);
    EXPECT_EQ(ReadAll(dir / "p.prg"), OneSysExFile({0x42, 0x02, 0xF7}));
}

// An independent reader checks the writer against the standard: midicsv's
// view of a written file must hold exactly the bytes that were written.
TEST(MidSmfEditorPeer, MidicsvReadsWhatWasWritten) {
    if (std::system("command -v midicsv >/dev/null 2>&1") != 0) GTEST_SKIP() << "midicsv is not installed";
    TempDir dir;
    Bytes dump = {0x42, 0x30, 0x58, 0x40};
    for (int i = 0; i < 200; ++i) dump.push_back(std::uint8_t(i & 0x7F));
    dump.push_back(0xF7);
    MidSmfEditor editor;
    MidSmfTrkEditor& track = *editor.GetTrackEditor(editor.AddTrack());
    ASSERT_EQ(track.InsertSysEx(0, dump), 0);
    Append(track, 96, 0x91, {0x3C, 0x64});
    Append(track, 96, 0x91, {0x3E, 0x65});
    Append(track, 200, 0x81, {0x3C, 0x40});
    ASSERT_EQ(editor.Save(dir / "peer.mid"), 0);

    const std::string command = "midicsv '" + (dir / "peer.mid").string() + "' 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    ASSERT_TRUE(pipe);
    std::string csv;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get())) csv.append(buffer, n);

    std::string expectedSysEx = "1, 0, System_exclusive, " + std::to_string(dump.size());
    for (std::uint8_t b : dump) expectedSysEx += ", " + std::to_string(b);
    std::istringstream lines(csv);
    std::vector<std::string> got;
    for (std::string line; std::getline(lines, line);) got.push_back(line);
    const std::vector<std::string> expected = {"0, 0, Header, 0, 1, 480",
                                               "1, 0, Start_track",
                                               expectedSysEx,
                                               "1, 96, Note_on_c, 1, 60, 100",
                                               "1, 96, Note_on_c, 1, 62, 101",
                                               "1, 200, Note_on_c, 1, 60, 0",
                                               "1, 200, End_track",
                                               "0, 0, End_of_file"};
    EXPECT_EQ(got, expected) << csv;
}

}  // namespace
