#include "librarian/CItemPath.h"

namespace itempath {

std::string GetLeafName(std::string_view path) {
    const auto slash = path.rfind(kSeparator);
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string GetParentPath(std::string_view path) {
    const auto slash = path.rfind(kSeparator);
    return std::string(slash == std::string_view::npos ? std::string_view{} : path.substr(0, slash));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string joined(folder);
    if (joined.empty() || joined.back() != kSeparator) joined += kSeparator;
    joined += name;
    return joined;
}

std::string GetProgramNumber(std::string_view path) {
    std::string leaf = GetLeafName(path);
    if (IsProgramItem(leaf)) leaf.erase(0, kProgramPrefix.size());
    return leaf;
}

bool IsProgramItem(std::string_view name) { return name.starts_with(kProgramPrefix); }

bool IsGlobalItem(std::string_view name) { return name.starts_with(kGlobalPrefix); }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    const auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i])) return false;
    }
    return true;
}

void MakeValidFileName(std::string& name) {
    constexpr std::string_view kForbidden = "\\/;:,\"<>";
    for (char& c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || kForbidden.find(c) != std::string_view::npos) c = '_';
    }
}

std::string MakeDevicePath(std::string_view deviceName) { return JoinPath(kDeviceRoot, deviceName); }

std::string MakeProgramPath(std::string_view deviceName, std::string_view numberText) {
    return JoinPath(MakeDevicePath(deviceName), std::string(kProgramPrefix) + std::string(numberText));
}

std::string MakeGlobalPath(std::string_view deviceName) {
    return JoinPath(MakeDevicePath(deviceName), std::string(kGlobalPrefix) + std::string(kGlobalNumber));
}

namespace {
// The path without trailing separators, except that "/" stays "/".
std::string_view WithoutTrailingSeparators(std::string_view path) {
    while (path.size() > 1 && path.back() == kSeparator) path.remove_suffix(1);
    return path;
}
}  // namespace

CItemRoots CItemRoots::FromLibraryPath(std::string_view libraryPath) {
    const std::string_view base = WithoutTrailingSeparators(libraryPath);
    return {JoinPath(base, kSetupFolderName), JoinPath(base, kLibraryFolderName)};
}

std::string CItemRoots::GetSetupFolder(std::string_view deviceName) const {
    return JoinPath(setup, deviceName);
}

std::string CItemRoots::GetLibraryFolder(std::string_view deviceName) const {
    return JoinPath(library, deviceName);
}

uint32_t CTreeItemData::Encode() const {
    const uint32_t device = deviceIndex < 0 ? kNoDevice : static_cast<uint32_t>(deviceIndex) & 0xFFu;
    return (static_cast<uint32_t>(level) & 0xFFFFu) | ((static_cast<uint32_t>(rootKind) & 0x3u) << 16) |
           (device << 24);
}

CTreeItemData CTreeItemData::Decode(uint32_t word) {
    const uint32_t device = word >> 24;
    return {static_cast<int>(word & 0xFFFFu), static_cast<int>((word >> 16) & 0x3u),
            device == kNoDevice ? -1 : static_cast<int>(device)};
}

}  // namespace itempath
