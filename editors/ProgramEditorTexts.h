#pragma once
// Texts of the Program Editor that the string table does not hold.

namespace prgtext {

// Shown instead of an editor when the program cannot be read (the Global
// Editor says the same of a global file).
inline constexpr const char* kCantOpenFile = "ERROR: Can't Open the File";
inline constexpr const char* kCantOpenProgram = "ERROR: Can't Open the Program";

inline constexpr const char* kNameLabel = "Name";
inline constexpr const char* kVoiceModeLabel = "Voice Mode";

}  // namespace prgtext
