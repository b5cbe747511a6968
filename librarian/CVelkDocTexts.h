#pragma once
// The texts the document shows: the resources' string table and literal
// texts, and the questions of the file operations that are our own.

#include <string>
#include <string_view>

#include "resources/VelkCommandIds.h"
#include "resources/VelkStrings.h"

namespace velkdoctext {

// String table (61204-61210).
inline const std::string kCantOverwriteDevice = velk::LoadVelkString(velk::IDS_CANT_OVERWRITE_DEVICE);
inline const std::string kCantRename = velk::LoadVelkString(velk::IDS_CANT_RENAME);
inline const std::string kCantReceive = velk::LoadVelkString(velk::IDS_CANT_RECEIVE);
inline const std::string kCantStartTransfer = velk::LoadVelkString(velk::IDS_CANT_START_TRANSFER);
inline const std::string kDeviceWriteProtected = velk::LoadVelkString(velk::IDS_DEVICE_WRITE_PROTECTED);

// Literal texts; "%s" is replaced through Format.
using velk::text::kCantCreateFolder;
using velk::text::kCantSave;
using velk::text::kFolderCantBeCreatedOn;
using velk::text::kLibraryFolderIsFile;
using velk::text::kNewFolder;
using velk::text::kOverwriteFileSuffix;
using velk::text::kOverwriteGlobalPrefix;
using velk::text::kOverwriteProgramPrefix;
using velk::text::kOverwriteWholeDevice;
using velk::text::kSetupFolderIsFile;
using velk::text::kUntitledSetup;

// Questions and reports of the file operations, which the desktop does not
// provide on this platform.
inline constexpr const char* kAskTrash = "Move the selected items to the trash?";
inline constexpr const char* kAskDeleteForGood =
    "These items cannot be moved to the trash:\n%s\nDelete them for good?";
inline constexpr const char* kCantDelete = "ERROR: Can't Delete:\n%s";
inline constexpr const char* kAskReplace = "\"%s\" already exists.\nReplace it?";
inline constexpr const char* kAskSameForAll = "Do the same for every other name that exists?";
inline constexpr const char* kCantCopy = "ERROR: Can't Copy or Move:\n%s";
inline constexpr const char* kNothingToPaste = "ERROR: Can't Paste Here";

// Replaces the first "%s" of `format` by `arg`, read as plain text.
inline std::string Format(std::string_view format, std::string_view arg) {
    return velk::FormatVelkText(format, arg);
}

}  // namespace velkdoctext
