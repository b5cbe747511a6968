#pragma once
// Result codes of the MIDI port layer (0 success). The numbers are the ones
// the port classes above report for the same causes.

namespace midiport {

inline constexpr int kOk = 0;
inline constexpr int kOpenRefused = 1;   // no such port, or it cannot be opened
inline constexpr int kCloseRefused = 2;  // the port stays open
inline constexpr int kStartRefused = 3;
inline constexpr int kResetRefused = 4;
inline constexpr int kBadState = 5;     // start on a port already started
inline constexpr int kSendRefused = 6;  // the output did not take the message
inline constexpr int kBadMessage = 7;   // not a well-formed message for this call
// The port's far side went away (unplugged, its program ended): the port
// takes nothing more; close it and open the port again from a fresh list.
inline constexpr int kPortGone = 8;

}  // namespace midiport
