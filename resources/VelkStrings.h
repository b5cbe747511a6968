// The string table (texts looked up by id) and the literal texts the
// application shows, written exactly as the application has always shown them
// (spelling included: "Transfering", "Itermediate").
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace velk {

struct VelkStringEntry {
    int id;
    const char* text;
};

// Every entry of the string table, in ascending id order.
std::span<const VelkStringEntry> VelkStringTable();

// The text of string `id`, or nullptr when the table has no such string.
const char* LoadVelkString(int id);

// A command prompt is "status-bar text\ntooltip"; a prompt without "\n" is
// all status text and has no tooltip. Both are empty for an unknown id.
std::string_view VelkPromptStatusText(int id);
std::string_view VelkPromptTooltip(int id);

// Replaces the first "%s" of `format` by `arg` (the argument is never read as
// a format, so a path holding '%' is shown as it is).
std::string FormatVelkText(std::string_view format, std::string_view arg);

// Literal texts (not in the string table).
namespace text {
inline constexpr const char* kAppTitle = "Brontisel SoundEditor";
inline constexpr const char* kDocTemplate = "velk\n\nVelk\n\n\nVelk.Document\nVelk Document";
inline constexpr const char* kRegistryKey = "VELK";
inline constexpr const char* kPreferenceSection = "Main";
inline constexpr const char* kClipboardFormat = "VELK Editor Clipboard Format Move Flag";
inline constexpr const char* kUniqueName = "UniqueName";
inline constexpr const char* kHelpDocument = "tolvane.pdf";

// Start-up and main frame.
inline constexpr const char* kCantRegisterClipboard =
    "This application cannot register original clipboard format";
inline constexpr const char* kCantOpenHelpFile = "ERROR: Can't Open Help File";
inline constexpr const char* kNoDeviceFound = "ERROR: No Device Found, Check MIDI Device Setting";

// Document operations ("%s" through FormatVelkText; the folder path follows
// kFolderCantBeCreatedOn directly).
inline constexpr const char* kCantSave = "ERROR: Can't Save %s";
inline constexpr const char* kFolderCantBeCreatedOn = "ERROR: Folder Can't be Created on ";
inline constexpr const char* kCantCreateFolder = "Can't Create Folder \"%s\"";
inline constexpr const char* kSetupFolderIsFile =
    "An Intermediate or a Last Folder to Create is a File.\nCan't Create Folder \"%s\"";
inline constexpr const char* kLibraryFolderIsFile =
    "An Itermediate or a Last Folder to Create is a File.\nCan't Create Folder \"%s\"";
inline constexpr const char* kNewFolder = "New Folder";
inline constexpr const char* kNewFolderNumbered = "New Folder %d";
inline constexpr const char* kUntitledSetup = "untitled.set";

// Confirmation captions of the write-to-device dialog; the file name with its
// extension goes between prefix and kOverwriteFileSuffix.
inline constexpr const char* kOverwriteProgramPrefix = "Overwrite the Device Program with \"";
inline constexpr const char* kOverwriteGlobalPrefix = "Overwrite the Device Global with \"";
inline constexpr const char* kOverwriteFileSuffix = "\" ?";
inline constexpr const char* kOverwriteWholeDevice = "Overwrite the Whole Device ?";
inline constexpr const char* kWriteToDeviceQuestion = "Write to Device ?";

// Transfer dialogs.
inline constexpr const char* kMidiTransfering = "MIDI Transfering ...";
inline constexpr const char* kWriteToDeviceTitle = "Write to Device ...";
inline constexpr const char* kTargetLabel = "Target : ";
inline constexpr const char* kNoTarget = "-";
inline constexpr const char* kMidiDeviceTitle = "MIDI Device";
inline constexpr const char* kMidiIn = "MIDI IN";
inline constexpr const char* kMidiOut = "MIDI OUT";
// The port dialog's OK when the chosen port was unplugged while it was open.
inline constexpr const char* kMidiPortGone =
    "The MIDI port \"%s\" is not there any more.\nChoose another one.";

// Editors.
inline constexpr const char* kGlobalEditor = "Global Editor";
inline constexpr const char* kGlobalEditorPrefix = "Global Editor - ";
inline constexpr const char* kProgramEditor = "Program Editor";
inline constexpr const char* kProgramEditorPrefix = "Program Editor - ";
inline constexpr const char* kDevice = "Device";
inline constexpr const char* kSaveToFile = "Save to File";
inline constexpr const char* kWriteToDevice = "Write to Device";
inline constexpr const char* kClose = "Close";
inline constexpr const char* kSaveChangesBeforeClosing = "Save Changes to File Before Closing ?";
inline constexpr const char* kWriteChangesBeforeClosing = "Write Changes to Device Before Closing ?";

// Tree roots and list texts.
inline constexpr const char* kMyDevice = "My Device";
inline constexpr const char* kMySetup = "My Setup";
inline constexpr const char* kMyLibrary = "My Library";
inline constexpr const char* kColumnName = "Name";
inline constexpr const char* kColumnNumber = "Number";
inline constexpr const char* kColumnType = "Type";
inline constexpr const char* kColumnDate = "Date";
inline constexpr const char* kColumnNone = "-";
inline constexpr const char* kTypeMidiDevice = "MIDI Device";
inline constexpr const char* kTypeGlobal = "Global";
inline constexpr const char* kTypeProgram = "Program";
inline constexpr const char* kTypeSetupFile = "Setup File";
inline constexpr const char* kTypeProgramFile = "Program File";
inline constexpr const char* kTypeGlobalFile = "Global File";
inline constexpr const char* kTypeFolder = "Folder";

// Sort-by-number item text as the list shows a device or a folder.
inline constexpr const char* kSortByNumber = "by &Number";
inline constexpr const char* kSortByDate = "by &Date";
}  // namespace text

}  // namespace velk
