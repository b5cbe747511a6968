#include "midifile/MidSmfEditor.h"

#include <memory>
#include <new>

#include "midifile/MErrorCode.h"

MidSmfEditor::MidSmfEditor() {
    Initialize();  // an entry left empty here is created by AddTrack
    SetDivision(kDefaultDivision);
    SetTrackCount(0);
    SetFormat(0);
}

int MidSmfEditor::Initialize() {
    for (int i = 0; i < kMaxTracks; ++i) {
        auto& slot = TrackSlot(i);
        if (slot) continue;
        try {
            slot = std::make_unique<MidSmfTrkEditor>(this);
        } catch (const std::bad_alloc&) {
            return MErrWriterNoMemory;
        }
    }
    return MErrOk;
}

MidSmfTrkEditor* MidSmfEditor::GetTrackEditor(int index) const {
    return dynamic_cast<MidSmfTrkEditor*>(GetTrack(index));
}

int MidSmfEditor::AddTrack() {
    const int index = GetTrackCount();
    if (index < 0 || index >= kMaxTracks) return -1;
    auto& slot = TrackSlot(index);
    if (!dynamic_cast<MidSmfTrkEditor*>(slot.get())) {
        try {
            slot = std::make_unique<MidSmfTrkEditor>(this);
        } catch (const std::bad_alloc&) {
            return -1;
        }
    }
    slot->Reset();
    static_cast<MidSmfTrkEditor&>(*slot).SetTrackIndex(index);
    SetTrackCount(index + 1);
    SetFormat(index + 1 > 1 ? 1 : 0);
    return index;
}

int MidSmfEditor::Parse(std::span<const int> formats, std::span<const int> divisions, int argument) {
    if (const int r = MidSmfReader::Parse(formats, divisions, argument); r != MErrOk) return r;
    for (int i = 0; i < GetTracksParsed(); ++i) {
        MidSmfTrkEditor* track = GetTrackEditor(i);
        if (track == nullptr) return MErrWriterNoMemory;
        if (const int r = track->LoadEvents(); r != MErrOk) return r;
    }
    return MErrOk;
}

int MidSmfEditor::WriteContents(MFileSink& sink, int /*argument*/) {
    const auto be16 = [](int v) { return std::uint8_t(v >> 8); };
    const std::uint8_t header[14] = {'M',
                                     'T',
                                     'h',
                                     'd',
                                     0,
                                     0,
                                     0,
                                     6,
                                     be16(GetFormat()),
                                     std::uint8_t(GetFormat()),
                                     be16(GetTrackCount()),
                                     std::uint8_t(GetTrackCount()),
                                     be16(GetDivision()),
                                     std::uint8_t(GetDivision())};
    if (Write(sink, header, sizeof header) != MErrOk) return -1;
    for (int i = 0; i < GetTrackCount(); ++i) {
        MidSmfTrkEditor* track = GetTrackEditor(i);
        if (track == nullptr) return -1;
        if (track->WriteChunk(sink, runningStatus_, noteOffAsNoteOn_) != MErrOk) return -1;
    }
    return MErrOk;
}
