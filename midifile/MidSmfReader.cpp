#include "midifile/MidSmfReader.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "midifile/MErrorCode.h"

namespace {

std::uint32_t BigEndian32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

int BigEndian16(const std::uint8_t* p) { return (int{p[0]} << 8) | p[1]; }

bool Accepts(std::span<const int> list, int value) {
    return list.empty() || std::find(list.begin(), list.end(), value) != list.end();
}

}  // namespace

void MidSmfReader::Free() {
    for (auto& track : tracks_)
        if (track) track->ForgetChunk();
    tracksParsed_ = 0;
    tracksPlaying_ = 0;
    SetLoaded(false);
    MFileMem::Free();
}

int MidSmfReader::Initialize() {
    for (auto& track : tracks_) {
        if (track) continue;
        try {
            track = std::make_unique<MidSmfTrkReader>(this);
        } catch (const std::bad_alloc&) {
            return MErrSmfNoMemory;
        }
    }
    return MErrOk;
}

MidSmfTrkReader* MidSmfReader::GetTrack(int index) const {
    if (index < 0 || index >= kMaxTracks) return nullptr;
    return tracks_[static_cast<std::size_t>(index)].get();
}

int MidSmfReader::ParseHeader(std::span<const int> formats, std::span<const int> divisions,
                              std::size_t& cursor) {
    const std::span<const std::uint8_t> data = GetData();
    if (data.size() < 4) return Report(MErrSmfPastEnd);
    if (std::memcmp(data.data(), "MThd", 4) != 0) return Report(MErrSmfNoHeader);
    if (data.size() < 8) return Report(MErrSmfPastEnd);
    const std::uint32_t length = BigEndian32(data.data() + 4);
    if (length < 6) return Report(MErrSmfHeaderLength);
    if (data.size() < 14) return Report(MErrSmfPastEnd);
    const int format = BigEndian16(data.data() + 8);
    const int trackCount = BigEndian16(data.data() + 10);
    const int division = BigEndian16(data.data() + 12);
    if (division & 0x8000) return Report(MErrSmfTimeCode);
    if (std::uint64_t{8} + length > data.size()) return Report(MErrSmfPastEnd);
    cursor = 8 + std::size_t{length};
    format_ = format;
    trackCount_ = trackCount;
    division_ = division;
    if (!Accepts(formats, format)) return Report(MErrSmfFormat);
    if (format == 0 && trackCount > 1) return Report(MErrSmfFormat0Tracks);
    if (!Accepts(divisions, division)) return Report(MErrSmfDivision);
    return MErrOk;
}

int MidSmfReader::Parse(std::span<const int> formats, std::span<const int> divisions, int argument) {
    tracksParsed_ = 0;
    tracksPlaying_ = 0;
    startTick_ = 0;
    nextClock_ = 0;
    SetLoaded(false);
    for (auto& track : tracks_)
        if (track) track->Reset();
    if (!HasBuffer()) return MErrSmfNotLoaded;

    std::size_t cursor = 0;
    if (const int r = ParseHeader(formats, divisions, cursor); r != MErrOk) return r;
    for (int j = 0; j < trackCount_; ++j) {
        if (tracksParsed_ == kMaxTracks) return Report(MErrSmfTooManyTracks);
        MidSmfTrkReader* track = tracks_[static_cast<std::size_t>(tracksParsed_)].get();
        if (track == nullptr) return MErrSmfNoMemory;
        if (const int r = track->ReadChunk(j, GetData(), cursor); r != MErrOk) return r;
        if (const int r = OnTrackLoaded(*track, argument); r != 0) return r;
        ++tracksParsed_;
    }
    tracksPlaying_ = tracksParsed_;
    SetLoaded(true);
    return MErrOk;
}

std::optional<std::uint32_t> MidSmfReader::CurrentTick() const {
    std::optional<std::uint32_t> current;
    for (int i = 0; i < tracksParsed_; ++i) {
        const MidSmfTrkReader& track = *tracks_[static_cast<std::size_t>(i)];
        if (!track.IsEnd() && (!current || track.GetTick() < *current)) current = track.GetTick();
    }
    return current;
}

int MidSmfReader::PlayClocks(std::uint32_t currentTick, bool chase) {
    const std::uint64_t step = static_cast<std::uint64_t>(division_ / 24);
    if (!clockEvents_ || step == 0) return 0;
    while (nextClock_ <= currentTick) {
        MidSmfEvent clock;
        clock.tick = static_cast<std::uint32_t>(nextClock_);
        clock.status = MidSmfEvent::kStatusClock;
        nextClock_ += step;
        if (const int r = chase ? OnChaseEvent(clock) : OnEvent(clock); r != 0) return r;
    }
    return 0;
}

int MidSmfReader::PlayPhase(bool chase, std::uint32_t startTick) {
    for (;;) {
        const std::optional<std::uint32_t> current = CurrentTick();
        if (chase && (!current || *current >= startTick)) return 0;
        if (!current) return kPlayEnded;
        if (const int r = PlayClocks(*current, chase); r != 0) return r;
        for (int i = 0; i < tracksParsed_; ++i) {
            MidSmfTrkReader& track = *tracks_[static_cast<std::size_t>(i)];
            while (!track.IsEnd() && track.GetTick() == *current) {
                MidSmfEvent event;
                event.tick = *current;
                if (track.GetEvent(event) != MErrOk) return kPlayTrackError;
                event.tick = *current;
                if (event.IsMeta() && event.status == MidSmfEvent::kMetaEndOfTrack) {
                    const int last = OnTrackEnd(track.GetTrackIndex());
                    track.SetEnd();  // even when a subclass's OnTrackEnd did not
                    if (last != 0) return kPlayEnded;
                    break;
                }
                if (const int r = chase ? OnChaseEvent(event) : OnEvent(event); r != 0) return r;
                if (track.Next() != MErrOk) return kPlayTrackError;
            }
        }
    }
}

int MidSmfReader::Play(std::uint32_t startTick) {
    if (startTick != startTick_) {
        tracksPlaying_ = tracksParsed_;
        startTick_ = startTick;
        nextClock_ = 0;
        for (int i = 0; i < tracksParsed_; ++i)
            if (tracks_[static_cast<std::size_t>(i)]->Rewind() != MErrOk) return kPlayTrackError;
        if (const int r = PlayPhase(true, startTick); r != 0) return r;
    }
    return PlayPhase(false, startTick);
}

int MidSmfReader::OnChaseEvent(const MidSmfEvent&) { return 0; }
int MidSmfReader::OnEvent(const MidSmfEvent&) { return 0; }
int MidSmfReader::OnError(int, const int*, const std::uint8_t*) { return 0; }
int MidSmfReader::OnTrackLoaded(MidSmfTrkReader&, int) { return 0; }

int MidSmfReader::OnTrackEnd(int trackIndex) {
    if (MidSmfTrkReader* track = GetTrack(trackIndex)) track->SetEnd();
    if (tracksPlaying_ > 0) --tracksPlaying_;
    return tracksPlaying_ == 0 ? 1 : 0;
}
