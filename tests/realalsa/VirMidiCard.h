#pragma once
// The virtual raw MIDI card of the test machine (snd-virmidi as card 0):
// the sequencer port the program opens, the raw device behind it (the far
// end of the cable), and unplugging and plugging the card through its
// driver, as the kernel's hot-plug does.

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace virmidi {

inline constexpr const char* kPort = "Virtual Raw MIDI 0-0:VirMIDI 0-0";
inline constexpr const char* kRaw = "/dev/snd/midiC0D0";

// Unbinds ("unbind") or binds ("bind") the card; the kernel returns once it
// is gone (every file of it closed) or back. 0 or an errno.
inline int Drive(const char* what) {
    const std::string file = std::string("/sys/bus/platform/drivers/snd_virmidi/") + what;
    const int fd = ::open(file.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return errno;
    static constexpr char kCard[] = "snd_virmidi.0";
    const ssize_t n = ::write(fd, kCard, sizeof kCard - 1);
    const int error = n < 0 ? errno : 0;
    ::close(fd);
    return error;
}

}  // namespace virmidi
