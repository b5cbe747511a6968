// velk-rawmidi-synth: serves a simulated Brontisel S (or Brontisel) on the
// raw side of a MIDI device, such as the far end of a virtual raw MIDI port
// (snd-virmidi: /dev/snd/midiC0D0 is the cable behind the sequencer port
// "VirMIDI 0-0"). The program then finds and talks to it as to a synth on a
// real interface. Runs until interrupted; when the device goes away (its
// card unplugged) it waits for it to come back and serves it again.

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "simulator/SimSynthOnRawMidi.h"

namespace {

volatile std::sig_atomic_t gStop = 0;

void OnSignal(int) { gStop = 1; }

int Usage(const char* program) {
    std::fprintf(stderr,
                 "usage: %s [--model=brontisel|brontisel-s] [--rate=BYTES_PER_SECOND] DEVICE\n"
                 "  DEVICE   a raw MIDI device, such as /dev/snd/midiC0D0\n"
                 "  --model  the synth simulated (default brontisel-s)\n"
                 "  --rate   the cable's rate of the synth's replies (default %u, 0: no limit)\n",
                 program, RawMidiFile::kCableBytesPerSecond);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    SimModel model = SimModel::BrontiselS;
    std::uint32_t rate = RawMidiFile::kCableBytesPerSecond;
    std::string device;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--model=brontisel") model = SimModel::Brontisel;
        else if (arg == "--model=brontisel-s") model = SimModel::BrontiselS;
        else if (arg.rfind("--rate=", 0) == 0) {
            char* end = nullptr;
            const unsigned long value = std::strtoul(argv[i] + 7, &end, 10);
            if (end == argv[i] + 7 || *end != '\0' || value > 1000000) return Usage(argv[0]);
            rate = static_cast<std::uint32_t>(value);
        } else if (!arg.empty() && arg[0] != '-' && device.empty()) device = arg;
        else return Usage(argv[0]);
    }
    if (device.empty()) return Usage(argv[0]);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);

    const char* name = model == SimModel::BrontiselS ? "Brontisel S" : "Brontisel";
    bool waiting = false;
    while (!gStop) {
        auto synth = std::make_unique<SimSynthOnRawMidi>(model, device, rate);
        if (!synth->IsOpen()) {
            if (!waiting)
                std::fprintf(stderr, "velk-rawmidi-synth: %s; waiting for it\n", synth->Error().c_str());
            waiting = true;
            synth.reset();
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            continue;
        }
        waiting = false;
        std::fprintf(stderr, "velk-rawmidi-synth: a simulated %s on %s\n", name, device.c_str());
        while (!gStop && synth->IsOpen()) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (!synth->IsOpen()) std::fprintf(stderr, "velk-rawmidi-synth: %s\n", synth->Error().c_str());
    }
    return 0;
}
