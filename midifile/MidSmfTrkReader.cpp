#include "midifile/MidSmfTrkReader.h"

#include <algorithm>
#include <cstring>

#include "midifile/MErrorCode.h"
#include "midifile/MidSmfReader.h"

MidSmfTrkReader::MidSmfTrkReader(MidSmfReader* owner) : owner_(owner) {}

void MidSmfTrkReader::Reset() {
    chunk_ = {};
    hasChunk_ = false;
    cursor_ = 0;
    tick_ = kNoTick;
    runningStatus_ = 0;
    trackIndex_ = 0;
    end_ = false;
    tag1_ = 0x20;
    tag2_ = 0xFF;
    name_ = "untitled";
    decoded_ = false;
}

void MidSmfTrkReader::ForgetChunk() {
    chunk_ = {};
    hasChunk_ = false;
    cursor_ = 0;
    decoded_ = false;
}

int MidSmfTrkReader::Fail(int code, const std::uint8_t* at) {
    if (owner_ != nullptr) owner_->OnError(code, &trackIndex_, at);
    return code;
}

int MidSmfTrkReader::ReadVarLen(std::span<const std::uint8_t> bytes, std::uint32_t& value) {
    std::uint32_t result = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        if (i >= bytes.size()) return -1;
        const std::uint8_t byte = bytes[i];
        result = (result << 7) | (byte & 0x7Fu);
        if ((byte & 0x80) == 0) {
            value = result;
            return static_cast<int>(i + 1);
        }
    }
    return 0;
}

int MidSmfTrkReader::AddDelta() {
    std::uint32_t delta = 0;
    const int used = ReadVarLen(chunk_.subspan(cursor_), delta);
    const std::uint8_t* at = chunk_.data() + cursor_;
    if (used == 0) return Fail(MErrSmfVarLen, at);
    if (used < 0) return Fail(MErrSmfPastEnd, at);
    const std::uint64_t tick = std::uint64_t{tick_} + delta;
    if (tick > kLastTick) return Fail(MErrSmfVarLen, at);
    tick_ = static_cast<std::uint32_t>(tick);
    cursor_ += static_cast<std::size_t>(used);
    return MErrOk;
}

int MidSmfTrkReader::ReadChunk(int trackIndex, std::span<const std::uint8_t> file, std::size_t& cursor) {
    MidSmfTrkReader::Reset();
    trackIndex_ = trackIndex;
    const std::uint8_t* at = cursor < file.size() ? file.data() + cursor : nullptr;
    const std::size_t available = cursor < file.size() ? file.size() - cursor : 0;
    if (available < 4) return Fail(MErrSmfPastEnd, at);
    if (std::memcmp(at, "MTrk", 4) != 0) return Fail(MErrSmfNoTrack, at);
    if (available < 8) return Fail(MErrSmfPastEnd, at);
    const std::uint32_t length =
        (std::uint32_t{at[4]} << 24) | (std::uint32_t{at[5]} << 16) | (std::uint32_t{at[6]} << 8) | at[7];
    if (length > available - 8) return Fail(MErrSmfPastEnd, at);

    chunk_ = file.subspan(cursor + 8, length);
    hasChunk_ = true;
    cursor_ = 0;
    tick_ = 0;
    // A chunk that ends inside its first delta time cannot end with FF 2F 00:
    // that is the missing end of track, not a read past the data.
    std::uint32_t firstDelta = 0;
    if (ReadVarLen(chunk_, firstDelta) < 0) return Fail(MErrSmfNoEndOfTrack, nullptr);
    if (const int r = AddDelta(); r != MErrOk) return r;

    // Check the whole track once, with a second reader over the same bytes.
    std::string name = "untitled";
    if (const int r = ScanInto(name); r != MErrOk) return r;
    name_ = std::move(name);
    cursor += 8 + std::size_t{length};
    return MErrOk;
}

int MidSmfTrkReader::ScanInto(std::string& name) {
    static constexpr std::uint8_t kEndOfTrack[3] = {0xFF, 0x2F, 0x00};
    if (chunk_.size() < 3 || std::memcmp(chunk_.data() + chunk_.size() - 3, kEndOfTrack, 3) != 0)
        return Fail(MErrSmfNoEndOfTrack, nullptr);

    MidSmfTrkReader scan(owner_);
    scan.chunk_ = chunk_;
    scan.hasChunk_ = true;
    scan.trackIndex_ = trackIndex_;
    if (const int r = scan.Rewind(); r != MErrOk) return r;
    bool named = false;
    for (;;) {
        MidSmfEvent event;
        if (const int r = scan.Decode(event); r != MErrOk) return r;
        if (event.IsMeta()) {
            if (!named && (event.status == 0x01 || event.status == 0x03)) {
                const auto text = event.Data().first(std::min<std::size_t>(event.length, kNameMax));
                const auto nul = std::find(text.begin(), text.end(), std::uint8_t{0});
                name.assign(text.begin(), nul);
                named = true;
            }
            if (event.status == MidSmfEvent::kMetaEndOfTrack) return MErrOk;
        }
        if (const int r = scan.Next(); r != MErrOk) return r;
    }
}

int MidSmfTrkReader::Rewind() {
    int result = MErrOk;
    runningStatus_ = 0;
    end_ = false;
    decoded_ = false;
    if (hasChunk_) {
        cursor_ = 0;
        tick_ = 0;
        result = AddDelta();
    }
    return result;
}

int MidSmfTrkReader::GetEvent(MidSmfEvent& event) { return Decode(event); }

int MidSmfTrkReader::Decode(MidSmfEvent& event) {
    decoded_ = false;
    if (cursor_ >= chunk_.size()) return Fail(MErrSmfPastEnd, nullptr);
    const std::uint8_t* bytes = chunk_.data();
    const std::size_t size = chunk_.size();
    const std::uint8_t* at = bytes + cursor_;
    std::size_t pos = cursor_;
    std::uint8_t status = bytes[pos];
    if (status & 0x80) {
        ++pos;
    } else if (runningStatus_ >= 0x80 && runningStatus_ <= 0xEF) {
        status = runningStatus_;
    } else {
        return Fail(MErrSmfNoStatus, at);
    }
    event.tag1 = tag1_;
    event.tag2 = tag2_;
    event.track = trackIndex_;

    // A length-prefixed body (meta and system exclusive) at pos.
    auto readBody = [&](int tooLong) -> int {
        std::uint32_t length = 0;
        const int used = ReadVarLen(chunk_.subspan(pos), length);
        if (used == 0) return Fail(MErrSmfVarLen, at);
        if (used < 0) return Fail(MErrSmfPastEnd, at);
        pos += static_cast<std::size_t>(used);
        if (length >= kDataLimit) return Fail(tooLong, at);
        if (length > size - pos) return Fail(MErrSmfPastEnd, at);
        event.length = length;
        event.data = bytes + pos;
        pos += length;
        return MErrOk;
    };

    if (status == 0xFF) {
        if (pos >= size) return Fail(MErrSmfPastEnd, at);
        const std::uint8_t type = bytes[pos++];
        if (type >= 0x80) return Fail(MErrSmfMetaType, at);
        if (const int r = readBody(MErrSmfMetaLength); r != MErrOk) return r;
        event.status = type;
    } else if (status == 0xF0 || status == 0xF7) {
        const int tooLong = status == 0xF0 ? MErrSmfSysExLength : MErrSmfSysExContLength;
        if (const int r = readBody(tooLong); r != MErrOk) return r;
        event.status = status;
    } else if (status >= 0x80 && status <= 0xEF) {
        const std::size_t count = (status >= 0xC0 && status <= 0xDF) ? 1 : 2;
        for (std::size_t i = 0; i < count; ++i) {
            if (pos + i >= size) return Fail(MErrSmfPastEnd, at);
            if (bytes[pos + i] >= 0x80) return Fail(MErrSmfDataByte, at);
        }
        event.status = status;
        event.length = static_cast<std::uint32_t>(count);
        event.data = bytes + pos;
        pos += count;
    } else {
        return Fail(MErrSmfBadStatus, at);
    }
    decoded_ = true;
    decodedStatus_ = status;
    decodedEnd_ = pos;
    return MErrOk;
}

int MidSmfTrkReader::Next() {
    if (!decoded_) {
        MidSmfEvent event;
        if (const int r = Decode(event); r != MErrOk) return r;
    }
    if (decodedStatus_ >= 0x80 && decodedStatus_ <= 0xEF) runningStatus_ = decodedStatus_;
    else if (decodedStatus_ == 0xF0 || decodedStatus_ == 0xF7) runningStatus_ = 0;
    cursor_ = decodedEnd_;
    decoded_ = false;
    return AddDelta();
}
