// Unpacking the largest dump payload: a Brontisel S all-data dump, 74314
// packed bytes, received on the MIDI thread.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "device/MDevSysExPacking.h"

namespace {

std::vector<uint8_t> PackedAllData() {
    std::vector<uint8_t> data(65024);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 31 + 7);
    return MDevSysExPacking::Pack8to7(data);
}

void BM_UnpackAllDataBrontiselS(benchmark::State& state) {
    const std::vector<uint8_t> packed = PackedAllData();
    std::vector<uint8_t> out(MDevSysExPacking::UnpackedSize(packed.size()));
    for (auto _ : state) {
        benchmark::DoNotOptimize(MDevSysExPacking::Unpack7to8(packed, 0, out));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * packed.size()));
}
BENCHMARK(BM_UnpackAllDataBrontiselS);

// The receiver's way: one program record at a time from its offset.
void BM_UnpackAllDataBrontiselSByProgram(benchmark::State& state) {
    const std::vector<uint8_t> packed = PackedAllData();
    std::vector<uint8_t> record(254);
    for (auto _ : state) {
        for (std::size_t i = 0; i < 256; ++i)
            benchmark::DoNotOptimize(MDevSysExPacking::Unpack7to8(packed, i * 254, record));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * packed.size()));
}
BENCHMARK(BM_UnpackAllDataBrontiselSByProgram);

}  // namespace
