#include "midifile/MidSmfTrkEditor.h"

#include <algorithm>
#include <iterator>
#include <new>
#include <stdexcept>

#include "midifile/MErrorCode.h"

namespace {

void PutVarLen(std::vector<std::uint8_t>& out, std::uint32_t value) {
    std::uint8_t groups[4];
    int count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0 && count < 4);
    while (count > 1) out.push_back(groups[--count] | 0x80);
    out.push_back(groups[0]);
}

bool IsChannelStatus(std::uint8_t status) { return status >= 0x80 && status <= 0xEF; }

}  // namespace

void MidSmfTrkEditor::Reset() {
    nodes_.clear();
    current_ = nodes_.end();
    MidSmfTrkReader::Reset();
}

int MidSmfTrkEditor::Rewind() {
    const int result = MidSmfTrkReader::Rewind();
    current_ = nodes_.begin();
    if (nodes_.empty()) {
        SetTick(0);
        SetEnd();
    } else {
        SetTick(nodes_.front().tick);
    }
    return result;
}

int MidSmfTrkEditor::GetEvent(MidSmfEvent& event) {
    if (current_ == nodes_.end()) return Fail(MErrSmfPastEnd, nullptr);
    const MidSmfEventNode& node = *current_;
    event.tick = node.tick;
    event.tag1 = node.tag1;
    event.tag2 = node.tag2;
    event.status = node.status;
    event.length = node.Length();
    event.data = node.data.empty() ? nullptr : node.data.data();
    event.track = node.track;
    return MErrOk;
}

int MidSmfTrkEditor::Next() {
    if (current_ == nodes_.end()) return MErrOk;
    if (++current_ == nodes_.end()) SetEnd();
    else SetTick(current_->tick);
    return MErrOk;
}

bool MidSmfTrkEditor::EndsWithEndOfTrack() const {
    return !nodes_.empty() && nodes_.back().status == MidSmfEvent::kMetaEndOfTrack;
}

std::list<MidSmfEventNode>::iterator MidSmfTrkEditor::Tail() {
    return EndsWithEndOfTrack() ? std::prev(nodes_.end()) : nodes_.end();
}

int MidSmfTrkEditor::Link(std::list<MidSmfEventNode>::iterator position, std::uint32_t tick,
                          std::uint32_t length, MidSmfEventNode*& node) {
    try {
        MidSmfEventNode fresh;
        fresh.tick = tick;
        fresh.data.resize(length);
        position = nodes_.insert(position, std::move(fresh));
    } catch (const std::bad_alloc&) {
        return MErrNoMemory;
    } catch (const std::length_error&) {
        return MErrNoMemory;
    }
    node = &*position;
    return MErrOk;
}

int MidSmfTrkEditor::AppendEvent(std::uint32_t length, MidSmfEventNode*& node) {
    // WriteChunk moves the end of track up to this node's tick once it is known.
    return Link(Tail(), 0, length, node);
}

int MidSmfTrkEditor::InsertEvent(std::uint32_t tick, std::uint32_t length, MidSmfEventNode*& node) {
    auto position = Tail();
    while (position != nodes_.begin() && std::prev(position)->tick > tick) --position;
    if (const int r = Link(position, tick, length, node); r != MErrOk) return r;
    if (EndsWithEndOfTrack()) nodes_.back().tick = std::max(nodes_.back().tick, tick);
    return MErrOk;
}

int MidSmfTrkEditor::InsertSysEx(std::uint32_t tick, std::span<const std::uint8_t> data, std::uint8_t tag) {
    MidSmfEventNode* node = nullptr;
    if (data.size() > kMaxVarLen) return MErrNoMemory;
    if (const int r = InsertEvent(tick, static_cast<std::uint32_t>(data.size()), node); r != MErrOk) return r;
    node->status = MidSmfEvent::kStatusSysEx;
    node->tag1 = GetTag1();
    node->tag2 = tag;
    node->track = GetTrackIndex();
    std::copy(data.begin(), data.end(), node->data.begin());
    return MErrOk;
}

int MidSmfTrkEditor::CopyEvents(MidSmfTrkReader& source, bool ownChunk) {
    std::list<MidSmfEventNode> copied;
    // This track's own chunk is walked with the reader's operations, not the list's.
    auto rewind = [&] { return ownChunk ? MidSmfTrkReader::Rewind() : source.Rewind(); };
    auto get = [&](MidSmfEvent& e) { return ownChunk ? MidSmfTrkReader::GetEvent(e) : source.GetEvent(e); };
    auto next = [&] { return ownChunk ? MidSmfTrkReader::Next() : source.Next(); };

    int result = rewind() == MErrOk ? MErrOk : -1;
    try {
        while (result == MErrOk && (ownChunk || !source.IsEnd())) {
            MidSmfEvent event;
            event.tick = source.GetTick();
            if (get(event) != MErrOk) {
                result = -1;
                break;
            }
            MidSmfEventNode node;
            node.tick = event.tick;
            node.tag1 = event.tag1;
            node.tag2 = event.tag2;
            node.status = event.status;
            node.data.assign(event.Data().begin(), event.Data().end());
            node.track = event.track;
            copied.push_back(std::move(node));
            if (event.IsMeta() && event.status == MidSmfEvent::kMetaEndOfTrack) break;
            if (next() != MErrOk) result = -1;
        }
    } catch (const std::bad_alloc&) {
        result = MErrNoMemory;
    }
    if (!ownChunk) source.Rewind();
    if (result == MErrOk) nodes_ = std::move(copied);
    Rewind();
    return result;
}

int MidSmfTrkEditor::LoadEvents() {
    if (!HasChunk()) {
        nodes_.clear();
        Rewind();
        return MErrOk;
    }
    return CopyEvents(*this, true);
}

int MidSmfTrkEditor::CopyFrom(MidSmfTrkReader& other) {
    if (&other == this) return MErrOk;
    return CopyEvents(other, false);
}

int MidSmfTrkEditor::WriteVarLen(std::uint32_t value, MFileSink& sink) {
    if (value > kMaxVarLen) return -1;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(4);
    PutVarLen(bytes, value);
    return sink.Write(bytes) == bytes.size() ? MErrOk : MErrFileWrite;
}

// Appends the events to `body`, which holds the 8-byte chunk header.
int MidSmfTrkEditor::Encode(std::vector<std::uint8_t>& body, bool runningStatus, bool noteOffAsNoteOn) const {
    std::uint32_t previousTick = 0;
    std::uint8_t previousStatus = 0;
    for (const MidSmfEventNode& node : nodes_) {
        if (node.tick < previousTick || node.tick - previousTick > kMaxVarLen) return -1;
        if (node.data.size() > kMaxVarLen) return -1;
        const std::span<const std::uint8_t> data = node.data;
        const std::uint8_t status = node.status;
        std::uint8_t written = status;
        PutVarLen(body, node.tick - previousTick);
        if (status < 0x80) {  // meta event
            if (status == MidSmfEvent::kMetaEndOfTrack && !data.empty()) return -1;
            body.push_back(0xFF);
            body.push_back(status);
            PutVarLen(body, node.Length());
            body.insert(body.end(), data.begin(), data.end());
        } else if (status == MidSmfEvent::kStatusSysEx || status == MidSmfEvent::kStatusSysExCont) {
            body.push_back(status);
            PutVarLen(body, node.Length());
            body.insert(body.end(), data.begin(), data.end());
        } else if (IsChannelStatus(status)) {
            const std::size_t expected = (status >= 0xC0 && status <= 0xDF) ? 1 : 2;
            if (data.size() != expected) return -1;
            for (std::uint8_t byte : data)
                if (byte >= 0x80) return -1;
            const bool asNoteOn = noteOffAsNoteOn && (status & 0xF0) == 0x80;
            if (asNoteOn) written = static_cast<std::uint8_t>(0x90 | (status & 0x0F));
            if (!(runningStatus && written == previousStatus)) body.push_back(written);
            if (asNoteOn) {
                body.push_back(data[0]);
                body.push_back(0x00);
            } else {
                body.insert(body.end(), data.begin(), data.end());
            }
        } else {
            return -1;  // F1-F6, F8-FF cannot stand in a track
        }
        previousTick = node.tick;
        previousStatus = written;
    }
    return body.size() - 8 > 0xFFFFFFFFu ? -1 : MErrOk;
}

int MidSmfTrkEditor::WriteChunk(MFileSink& sink, bool runningStatus, bool noteOffAsNoteOn) {
    // An end of track before the last event would hide the events after it
    // from every reader.
    const auto tail = Tail();
    if (std::any_of(nodes_.begin(), tail,
                    [](const MidSmfEventNode& n) { return n.status == MidSmfEvent::kMetaEndOfTrack; }))
        return -1;
    if (tail == nodes_.end()) {
        MidSmfEventNode* end = nullptr;
        const std::uint32_t tick = nodes_.empty() ? 0 : nodes_.back().tick;
        if (Link(nodes_.end(), tick, 0, end) != MErrOk) return MErrNoMemory;
        end->status = MidSmfEvent::kMetaEndOfTrack;
        end->tag1 = GetTag1();
        end->tag2 = GetTag2();
        end->track = GetTrackIndex();
    } else if (tail != nodes_.begin()) {
        tail->tick = std::max(tail->tick, std::prev(tail)->tick);
    }
    std::vector<std::uint8_t> chunk;
    try {
        chunk = {'M', 'T', 'r', 'k', 0, 0, 0, 0};
        if (const int r = Encode(chunk, runningStatus, noteOffAsNoteOn); r != MErrOk) return r;
    } catch (const std::bad_alloc&) {
        return MErrNoMemory;
    }
    const std::size_t length = chunk.size() - 8;
    for (int i = 0; i < 4; ++i) chunk[4 + i] = static_cast<std::uint8_t>(length >> (24 - 8 * i));
    return sink.Write(chunk) == chunk.size() ? MErrOk : MErrFileWrite;
}
