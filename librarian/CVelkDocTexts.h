#pragma once
// The texts the document shows. The string table entries (61204-61210) and
// the literal texts use the names the resources give them, so this header
// can give way to the resources' string table once that is in.

#include <string>
#include <string_view>

namespace velkdoctext {

// String table.
inline constexpr const char* kCantOverwriteDevice = "ERROR: Can't Overwrite the Device";  // 61204
inline constexpr const char* kCantRename = "ERROR: Can't Rename";                          // 61205
inline constexpr const char* kCantReceive =
    "ERROR: Can't Receive MIDI Message from the Device";                                   // 61206
inline constexpr const char* kCantStartTransfer = "ERROR: Can't Start MIDI Transfer";      // 61207
inline constexpr const char* kDeviceWriteProtected = "ERROR: The Device Write Protected";   // 61210

// Literal texts; "%s" is replaced through Format.
inline constexpr const char* kCantSave = "ERROR: Can't Save %s";
inline constexpr const char* kFolderCantBeCreatedOn = "ERROR: Folder Can't be Created on ";
inline constexpr const char* kCantCreateFolder = "Can't Create Folder \"%s\"";
inline constexpr const char* kSetupFolderIsFile =
    "An Intermediate or a Last Folder to Create is a File.\nCan't Create Folder \"%s\"";
inline constexpr const char* kLibraryFolderIsFile =
    "An Itermediate or a Last Folder to Create is a File.\nCan't Create Folder \"%s\"";
inline constexpr const char* kNewFolder = "New Folder";
inline constexpr const char* kUntitledSetup = "untitled.set";
inline constexpr const char* kOverwriteProgramPrefix = "Overwrite the Device Program with \"";
inline constexpr const char* kOverwriteGlobalPrefix = "Overwrite the Device Global with \"";
inline constexpr const char* kOverwriteFileSuffix = "\" ?";
inline constexpr const char* kOverwriteWholeDevice = "Overwrite the Whole Device ?";

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
    const auto at = format.find("%s");
    if (at == std::string_view::npos) return std::string(format);
    std::string out(format.substr(0, at));
    out.append(arg);
    out.append(format.substr(at + 2));
    return out;
}

}  // namespace velkdoctext
