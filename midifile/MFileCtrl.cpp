#include "midifile/MFileCtrl.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

namespace {

std::optional<std::string> Environment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') return std::nullopt;
    return std::string(value);
}

// Reads XDG_DOCUMENTS_DIR="..." from a user-dirs.dirs file, expanding a
// leading $HOME.
std::optional<std::string> DocumentsFromUserDirs(const std::filesystem::path& file, const std::string& home) {
    std::ifstream in(file);
    std::string line;
    constexpr std::string_view key = "XDG_DOCUMENTS_DIR=";
    while (std::getline(in, line)) {
        const auto start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, key.size(), key) != 0) continue;
        std::string value = line.substr(start + key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0) {
            if (home.empty()) return std::nullopt;
            value = home + value.substr(5);
        }
        if (value.empty() || value.front() != '/') return std::nullopt;
        return value;
    }
    return std::nullopt;
}

}  // namespace

MFileCtrl::MFileCtrl() { SetRootPath(DefaultRoot()); }

void MFileCtrl::SetRootPath(const std::filesystem::path& root) {
    root_ = root;
    setup_ = root / "My Setup";
    library_ = root / "My Library";
}

std::filesystem::path MFileCtrl::DefaultRoot() {
    if (auto documents = Environment("XDG_DOCUMENTS_DIR")) return *documents;
    const std::string home = Environment("HOME").value_or("");
    std::filesystem::path config;
    if (auto xdgConfig = Environment("XDG_CONFIG_HOME")) config = *xdgConfig;
    else if (!home.empty()) config = std::filesystem::path(home) / ".config";
    if (!config.empty()) {
        if (auto documents = DocumentsFromUserDirs(config / "user-dirs.dirs", home)) return *documents;
    }
    if (!home.empty()) return home;
    return ".";
}
