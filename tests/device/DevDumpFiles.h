#pragma once
// Test-side dump files: a Standard MIDI File of format 0, division 480 and
// one track holding one system-exclusive event at tick 0, written byte by
// byte here (not by the system's writer).

#include <cstdint>
#include <vector>

inline void DevPutVarLen(std::vector<uint8_t>& out, uint32_t value) {
    uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = static_cast<uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (n > 1) out.push_back(static_cast<uint8_t>(groups[--n] | 0x80));
    out.push_back(groups[0]);
}

// The file that holds `event` (the bytes after F0, F7 included).
inline std::vector<uint8_t> DevDumpFileBytes(const std::vector<uint8_t>& event) {
    std::vector<uint8_t> track{0x00, 0xF0};
    DevPutVarLen(track, static_cast<uint32_t>(event.size()));
    track.insert(track.end(), event.begin(), event.end());
    track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
    std::vector<uint8_t> file{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0, 'M', 'T', 'r', 'k'};
    const auto n = static_cast<uint32_t>(track.size());
    file.insert(file.end(), {static_cast<uint8_t>(n >> 24), static_cast<uint8_t>(n >> 16),
                             static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n)});
    file.insert(file.end(), track.begin(), track.end());
    return file;
}
