#pragma once
// Item paths of the explorer window: one text path per item the user handles.
//
//   "/My Device"                              the device root      kind 0, level 0
//   "/My Device/<device>"                     a device             kind 0, level 1
//   "/My Device/<device>/Program:<number>"    a program            kind 0, level 2
//   "/My Device/<device>/Global:-"            the global settings  kind 0, level 2
//   "<lib>/My Setup", then "/<device>", ...   setup folder and below (on disk)
//   "<lib>/My Library", then "/<device>", ... library folder and below (on disk)
//
// The separator is '/'. The text operations here work on the text alone and
// never touch the disk; classification and folder creation live beside them.

#include <cstdint>
#include <string>
#include <string_view>

namespace itempath {

enum RootKind : int { kRootDevice = 0, kRootSetup = 1, kRootLibrary = 2 };

inline constexpr char kSeparator = '/';
inline constexpr std::string_view kDeviceRoot = "/My Device";
inline constexpr std::string_view kSetupFolderName = "My Setup";
inline constexpr std::string_view kLibraryFolderName = "My Library";
inline constexpr std::string_view kProgramPrefix = "Program:";
inline constexpr std::string_view kGlobalPrefix = "Global:";
// The number text of the global settings.
inline constexpr std::string_view kGlobalNumber = "-";

// The text after the last '/'; the whole text when there is none.
std::string GetLeafName(std::string_view path);
// The text before the last '/'; empty when there is none.
std::string GetParentPath(std::string_view path);
// folder + '/' + name, with no second '/' when the folder ends with one (an
// empty folder gets one).
std::string JoinPath(std::string_view folder, std::string_view name);
// The leaf name without its "Program:" prefix (compared exactly) when it has one.
std::string GetProgramNumber(std::string_view path);
// True when the name begins with "Program:" / "Global:" (compared exactly).
bool IsProgramItem(std::string_view name);
bool IsGlobalItem(std::string_view name);

// Roots, device names and item types compare without regard to case; only
// ASCII letters fold, other bytes (UTF-8 sequences) compare exactly.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Replaces every character a file name cannot or should not hold by '_':
// '\\' '/' ';' ':' ',' '"' '<' '>' and the control characters (below 0x20 and
// 0x7F; a line feed would split the name lists). Bytes of UTF-8 multi-byte
// sequences are all 0x80 or above and so stay whole.
void MakeValidFileName(std::string& name);

// Paths of the device side.
std::string MakeDevicePath(std::string_view deviceName);
std::string MakeProgramPath(std::string_view deviceName, std::string_view numberText);
std::string MakeGlobalPath(std::string_view deviceName);

// The setup and library folders derived from the library path. Trailing
// separators of the library path are dropped, so "/home/u/lib/" gives
// "/home/u/lib/My Setup" (a lone "/" stays the file system root).
struct CItemRoots {
    std::string setup;
    std::string library;

    static CItemRoots FromLibraryPath(std::string_view libraryPath);
    // "<setup>/<device>" and "<library>/<device>".
    std::string GetSetupFolder(std::string_view deviceName) const;
    std::string GetLibraryFolder(std::string_view deviceName) const;
};

// The folder shown in the list: the node selected in the tree.
struct CCurrentFolder {
    int deviceIndex = -1;
    int rootKind = kRootDevice;
    int level = 0;
    std::string path;
};

// The 32-bit data word of a tree node: bits 0-15 the level, bits 16-17 the
// root kind, bits 24-31 the device index (255 on the roots, decoded as -1).
struct CTreeItemData {
    int level = 0;
    int rootKind = kRootDevice;
    int deviceIndex = -1;

    static constexpr uint32_t kNoDevice = 255;
    uint32_t Encode() const;
    static CTreeItemData Decode(uint32_t word);
    // The word of a child node: the same device and root kind, one level deeper.
    CTreeItemData Child() const { return {level + 1, rootKind, deviceIndex}; }
};

}  // namespace itempath
