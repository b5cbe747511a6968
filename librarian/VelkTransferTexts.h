#pragma once
// Texts of the transfer dialogs and the application title used as the
// caption of message boxes.

namespace velktext {

inline constexpr const char* kAppTitle = "Brontisel SoundEditor";

inline constexpr const char* kTransferCaption = "MIDI Transfering ...";

inline constexpr const char* kOverwriteTitle = "Write to Device ...";
inline constexpr const char* kOverwriteCaptionPlaceholder = "CAPTION";
inline constexpr const char* kOverwriteTargetLabel = "Target : ";
inline constexpr const char* kOverwriteNoTarget = "-";

inline constexpr const char* kDeviceTitle = "MIDI Device";
inline constexpr const char* kDeviceInLabel = "MIDI IN";
inline constexpr const char* kDeviceOutLabel = "MIDI OUT";

}  // namespace velktext
