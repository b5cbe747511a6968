#include "librarian/CItemClassify.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "device/MDevConfig.h"

namespace itempath {

int CConfigDeviceNames::FindDevice(std::string_view name) const { return config_.FindDevice(name); }

bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int length = 0;
        unsigned min = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            min = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            min = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            min = 0x10000;
        } else return false;
        if (text.size() - i < static_cast<std::size_t>(length)) return false;
        unsigned code = lead & (0x7Fu >> length);
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3Fu);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += static_cast<std::size_t>(length);
    }
    return true;
}

bool IsItemName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    // NUL: the file system would cut the path there.
    if (name.find_first_of(std::string_view("/\n\0", 3)) != std::string_view::npos) return false;
    return IsValidUtf8(name);
}

namespace {

// The root kind whose root begins `path` as whole components, the longest
// such root when several do.
std::optional<std::pair<int, std::size_t>> MatchRoot(std::string_view path, const CItemRoots& roots) {
    // clang-format off
    const std::array<std::pair<int, std::string_view>, 3> candidates{{
        {kRootDevice, kDeviceRoot},
        {kRootSetup, roots.setup},
        {kRootLibrary, roots.library},
    }};
    // clang-format on
    std::optional<std::pair<int, std::size_t>> best;
    for (const auto& [kind, root] : candidates) {
        if (root.empty() || path.size() < root.size()) continue;
        const std::string_view head = path.substr(0, root.size());
        if (kind == kRootDevice ? !EqualsIgnoringCase(head, root) : head != root) continue;
        if (path.size() > root.size() && path[root.size()] != kSeparator) continue;
        if (!best || root.size() > best->second) best = std::pair{kind, root.size()};
    }
    return best;
}

// The type of what `path` names, looking at each component after the
// first `rootLength` bytes (the root itself is the user's choice and may
// be or pass through a link) without following links; none when a
// component is missing, unreadable or a symbolic link.
std::optional<std::filesystem::file_type> TypeBelowRoot(std::string_view path, std::size_t rootLength) {
    std::filesystem::file_type type = std::filesystem::file_type::directory;
    for (std::size_t end = rootLength; end < path.size();) {
        end = path.find(kSeparator, end + 1);
        if (end == std::string_view::npos) end = path.size();
        std::error_code error;
        type = std::filesystem::symlink_status(std::string(path.substr(0, end)), error).type();
        if (error || type == std::filesystem::file_type::not_found ||
            type == std::filesystem::file_type::symlink)
            return std::nullopt;
        // Only a folder has components below it.
        if (end < path.size() && type != std::filesystem::file_type::directory) return std::nullopt;
    }
    if (path.size() == rootLength) {
        // The root itself, wherever the user's library path leads.
        std::error_code error;
        type = std::filesystem::status(std::string(path), error).type();
        if (error || type == std::filesystem::file_type::not_found) return std::nullopt;
    }
    return type;
}

std::string_view WithoutOneTrailingSeparator(std::string_view path) {
    if (!path.empty() && path.back() == kSeparator) path.remove_suffix(1);
    return path;
}

}  // namespace

bool SameItemPath(std::string_view a, std::string_view b, const CItemRoots& roots) {
    a = WithoutOneTrailingSeparator(a);
    b = WithoutOneTrailingSeparator(b);
    const auto rootA = MatchRoot(a, roots);
    const auto rootB = MatchRoot(b, roots);
    if (!rootA || !rootB) return !rootA && !rootB && a == b;
    if (rootA->first != rootB->first) return false;
    a.remove_prefix(rootA->second);
    b.remove_prefix(rootB->second);
    // The device component (up to the second '/') ignores case, the rest not.
    const std::string_view deviceA = a.substr(0, a.find(kSeparator, 1));
    const std::string_view deviceB = b.substr(0, b.find(kSeparator, 1));
    return EqualsIgnoringCase(deviceA, deviceB) && a.substr(deviceA.size()) == b.substr(deviceB.size());
}

CItemPathInfo ClassifyPath(std::string_view path, const CItemRoots& roots, const CDeviceNames& devices) {
    CItemPathInfo info;
    const std::string_view text = WithoutOneTrailingSeparator(path);

    const auto root = MatchRoot(text, roots);
    if (!root) return info;
    info.rootKind = root->first;
    std::string_view rest = text.substr(root->second);
    info.valid = true;

    if (!rest.empty()) {
        rest.remove_prefix(1);  // the '/' MatchRoot saw
        std::string_view first;
        while (true) {
            const auto slash = rest.find(kSeparator);
            const std::string_view component = rest.substr(0, slash);
            if (!IsItemName(component)) info.valid = false;
            if (info.level++ == 0) first = component;
            if (slash == std::string_view::npos) break;
            rest.remove_prefix(slash + 1);
        }
        info.deviceIndex = devices.FindDevice(first);
        if (info.deviceIndex < 0) info.valid = false;
    }

    if (info.rootKind == kRootDevice) {
        info.isFolder = info.level <= 1;
        if (info.level > 2) info.valid = false;
        return info;
    }
    if (!info.valid) return info;  // never look on disk for a path that may escape its root
    const std::optional<std::filesystem::file_type> type = TypeBelowRoot(text, root->second);
    info.valid = type.has_value();
    info.isFolder = type == std::filesystem::file_type::directory;
    return info;
}

}  // namespace itempath
