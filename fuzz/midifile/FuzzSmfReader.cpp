// Parses and plays arbitrary bytes as a Standard MIDI File, the way the dump
// loader does (no restrictions, clock events off), then loads the same bytes
// into a writer and checks that what it writes parses again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "midifile/MidSmfEditor.h"
#include "midifile/MidSmfReader.h"

namespace {

// Counts hook calls and touches every data byte handed out.
class CountingReader : public MidSmfReader {
public:
    int OnEvent(const MidSmfEvent& event) override { return Count(event); }
    int OnChaseEvent(const MidSmfEvent& event) override { return Count(event); }
    int OnError(int, const int*, const std::uint8_t*) override {
        ++calls;
        return 0;
    }
    int OnTrackLoaded(MidSmfTrkReader&, int) override {
        ++calls;
        return 0;
    }
    int OnTrackEnd(int trackIndex) override {
        ++calls;
        return MidSmfReader::OnTrackEnd(trackIndex);
    }

    std::size_t calls = 0;
    unsigned sum = 0;

private:
    int Count(const MidSmfEvent& event) {
        ++calls;
        for (std::uint8_t b : event.Data()) sum += b;
        return 0;
    }
};

class VectorSink : public MFileSink {
public:
    std::size_t Write(std::span<const std::uint8_t> b) override {
        bytes.insert(bytes.end(), b.begin(), b.end());
        return b.size();
    }
    std::vector<std::uint8_t> bytes;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exact-size copy, so any read past the end is caught.
    std::vector<std::uint8_t> file(data, data + size);
    file.reserve(1);

    CountingReader reader;
    reader.SetClockEvents(false);
    if (reader.Initialize() != 0) std::abort();
    if (reader.Attach({file.data(), file.size()}) != 0) std::abort();
    if (reader.Parse() == 0) {
        reader.Play(0);
        // A start tick from the data runs the chase phase too.
        if (size >= 4) reader.Play(std::uint32_t{file[size - 1]} << 3 | file[size - 2]);
    }
    // Work in proportion to the input: every event takes at least two bytes.
    if (reader.calls > 3 * size + 200) std::abort();

    MidSmfEditor editor;
    editor.SetClockEvents(false);
    if (editor.Attach({file.data(), file.size()}) != 0) std::abort();
    if (editor.Parse() == 0) {
        // The one kind of event a file can hold that the writer refuses: an end
        // of track with data, which it cannot write as the closing FF 2F 00.
        bool unwritable = false;
        for (int i = 0; i < editor.GetTracksParsed(); ++i)
            for (const MidSmfEventNode& node : editor.GetTrackEditor(i)->GetNodes())
                unwritable |= node.status == MidSmfEvent::kMetaEndOfTrack && !node.data.empty();
        VectorSink sink;
        const int written = editor.WriteContents(sink, 0);
        if (written != 0 && !unwritable) std::abort();
        if (written != 0) return 0;
        MidSmfReader again;
        if (again.Initialize() != 0 || again.Attach(sink.bytes) != 0) std::abort();
        if (again.Parse() != 0) std::abort();  // the writer produced a file its reader refuses
    }
    return 0;
}
